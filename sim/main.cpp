// sundown-sim: loads the built plug-in as the host would, plays a session script on a virtual
// clock, and shows what the game would have done.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>

#include "DefaultScenario.h"
#include "PluginLibrary.h"
#include "Script.h"
#include "Session.h"

#if defined(_WIN32)
#include <windows.h>
#endif

namespace {

constexpr int kPassed = 0;
constexpr int kExpectationFailed = 1;
constexpr int kBadInput = 2;

const char* const kUsage =
    "usage: sundown-sim [--plugin PATH] [--fps N] [--events FILE] [--quiet] [SCRIPT]\n"
    "  SCRIPT  a session script, or - for standard input; none plays the built-in evening\n";

struct CommandLine {
    std::string plugin;
    int framesPerSecond = 60;
    std::string events;
    bool quiet = false;
    std::string script;
};

std::filesystem::path programFolder(const char* argv0) {
#if defined(_WIN32)
    char path[MAX_PATH] = {};
    if (GetModuleFileNameA(nullptr, path, MAX_PATH) == 0) {
        return std::filesystem::absolute(argv0).parent_path();
    }
    return std::filesystem::path(path).parent_path();
#else
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::absolute(argv0).parent_path() : self.parent_path();
#endif
}

std::string defaultPlugin(const char* argv0) {
#if defined(_WIN32)
    return (programFolder(argv0) / "Sundown.dll").string();
#else
    return (programFolder(argv0) / "Sundown.so").string();
#endif
}

bool parseRate(const std::string& text, int& rate) {
    if (text.empty() || text.size() > 4 ||
        text.find_first_not_of("0123456789") != std::string::npos) {
        return false;
    }
    rate = std::stoi(text);
    return rate >= 1 && rate <= 1000;
}

// Empty on a bad command line, with the reason in `problem`.
std::unique_ptr<CommandLine> parseCommandLine(int argc, char** argv, std::string& problem) {
    auto options = std::make_unique<CommandLine>();
    options->plugin = defaultPlugin(argv[0]);
    bool haveScript = false;
    for (int index = 1; index < argc; ++index) {
        const std::string word = argv[index];
        const bool hasValue = index + 1 < argc;
        if (word == "--plugin" && hasValue) {
            options->plugin = argv[++index];
        } else if (word == "--fps" && hasValue) {
            if (!parseRate(argv[++index], options->framesPerSecond)) {
                problem = "--fps takes a whole number of frames a second from 1 to 1000";
                return nullptr;
            }
        } else if (word == "--events" && hasValue) {
            options->events = argv[++index];
        } else if (word == "--quiet") {
            options->quiet = true;
        } else if ((word.rfind("--", 0) != 0 || word == "-") && !haveScript) {
            options->script = word;
            haveScript = true;
        } else {
            problem = "unexpected argument '" + word + "'";
            return nullptr;
        }
    }
    return options;
}

std::vector<ScriptLine> loadScript(const std::string& script) {
    if (script.empty()) {
        std::istringstream evening(kDefaultScenario);
        return readScript(evening, "evening (built in)");
    }
    if (script == "-") {
        return readScript(std::cin, "<stdin>");
    }
    std::ifstream file(script);
    if (!file) {
        throw ScriptError("cannot read the script '" + script + "'");
    }
    return readScript(file, script);
}

}  // namespace

int main(int argc, char** argv) {
    std::string problem;
    const auto options = parseCommandLine(argc, argv, problem);
    if (!options) {
        std::cerr << "sundown-sim: " << problem << '\n' << kUsage;
        return kBadInput;
    }
    try {
        const std::vector<ScriptLine> lines = loadScript(options->script);
        std::ofstream events;
        if (!options->events.empty()) {
            events.open(options->events);
            if (!events) {
                std::cerr << "sundown-sim: cannot write the event log '" << options->events
                          << "'\n";
                return kBadInput;
            }
        }
        SessionOptions sessionOptions;
        sessionOptions.pluginPath = options->plugin;
        sessionOptions.framesPerSecond = options->framesPerSecond;
        sessionOptions.quiet = options->quiet;
        sessionOptions.timeline = &std::cout;
        sessionOptions.events = events.is_open() ? &events : nullptr;
        Session session(sessionOptions);
        session.play(lines);
        std::cout << "Summary: " << session.passed() << " passed, " << session.failed()
                  << " failed\n";
        return session.failed() == 0 ? kPassed : kExpectationFailed;
    } catch (const PluginRefused& refused) {
        std::cerr << "sundown-sim: " << refused.what() << '\n';
    } catch (const ScriptError& error) {
        std::cout.flush();
        std::cerr << "sundown-sim: " << error.what() << '\n';
    }
    return kBadInput;
}
