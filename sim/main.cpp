// sundown-sim: loads the built plug-in as the host would, plays a session script on a virtual
// clock, and shows what the game would have done.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>

#include "CrashReport.h"
#include "DefaultScenario.h"
#include "PluginFault.h"
#include "PluginLibrary.h"
#include "ProgramFiles.h"
#include "RunKeeper.h"
#include "Script.h"
#include "Session.h"
#include "StartingSignals.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

constexpr int kPassed = 0;
constexpr int kExpectationFailed = 1;
constexpr int kBadInput = 2;
constexpr int kOutputFailed = 3;

const char* const kUsage =
    "usage: sundown-sim [--plugin PATH] [--fps N] [--events FILE] [--pictures DIR] [--quiet]\n"
    "                   [SCRIPT]\n"
    "  SCRIPT         a session script, or - for standard input; none plays the built-in "
    "evening\n"
    "  --plugin PATH  the plug-in library (default: Sundown beside this program)\n"
    "  --fps N        host frames a virtual second, 1 to 1000 (default 60)\n"
    "  --events FILE  every event as a line of JSON, with who caused it\n"
    "  --pictures DIR pictures may go to DIR too (a script's stay in its folder)\n"
    "  --quiet        only failures and the summary\n"
    "exit status: 0 every expectation held, 1 one failed, 2 a bad command line or script, a\n"
    "plug-in the host refuses, one that throws or one that crashes, 3 an output that could not\n"
    "be written\n";

struct CommandLine {
    std::string plugin;
    int framesPerSecond = 60;
    std::string events;
    std::string pictures;
    bool quiet = false;
    bool help = false;
    std::optional<std::string> script;
};

bool parseRate(const std::string& text, int& rate) {
    if (text.empty() || text.size() > 4 ||
        text.find_first_not_of("0123456789") != std::string::npos) {
        return false;
    }
    rate = std::stoi(text);
    return rate >= 1 && rate <= 1000;
}

// Empty on a bad command line, with the reason in `problem`.
std::optional<CommandLine> parseCommandLine(int argc, char** argv, std::string& problem) {
    CommandLine options;
    options.plugin = pluginBesideProgram(argv[0]).string();
    for (int index = 1; index < argc; ++index) {
        const std::string word = argv[index];
        const bool hasValue = index + 1 < argc;
        if (word == "-h" || word == "--help") {
            options.help = true;
        } else if (word == "--plugin" && hasValue) {
            options.plugin = argv[++index];
        } else if (word == "--fps" && hasValue) {
            if (!parseRate(argv[++index], options.framesPerSecond)) {
                problem = "--fps takes a whole number of frames a second from 1 to 1000";
                return std::nullopt;
            }
        } else if (word == "--events" && hasValue) {
            options.events = argv[++index];
            if (options.events.empty()) {
                problem = "--events takes the name of a file to write the events to";
                return std::nullopt;
            }
        } else if (word == "--pictures" && hasValue) {
            options.pictures = argv[++index];
            std::error_code unknown;
            if (options.pictures.empty() ||
                !std::filesystem::is_directory(options.pictures, unknown)) {
                problem = "--pictures takes a folder";
                return std::nullopt;
            }
        } else if (word == "--quiet") {
            options.quiet = true;
        } else if (word.size() > 1 && word.front() == '-') {
            problem = (word == "--plugin" || word == "--fps" || word == "--events" ||
                       word == "--pictures")
                          ? word + " takes a value"
                          : "unknown option " + shown(word);
            return std::nullopt;
        } else if (!options.script) {
            if (word.empty()) {
                problem =
                    "the script's name is empty: name a script, - for standard input, or "
                    "nothing for the built-in evening";
                return std::nullopt;
            }
            options.script = word;
        } else {
            problem = "unexpected argument '" + shown(word) + "': one script at a time";
            return std::nullopt;
        }
    }
    return options;
}

bool standardInputIsOpen() {
#if defined(_WIN32)
    const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    return input != nullptr && input != INVALID_HANDLE_VALUE;
#else
    return fcntl(0, F_GETFD) != -1;
#endif
}

// Why standard input is no script even though it is open: a folder, or open only for writing.
const char* standardInputUnreadable() {
#if defined(_WIN32)
    return nullptr;
#else
    struct stat input {};
    if (fstat(0, &input) == 0 && S_ISDIR(input.st_mode)) {
        return "it is a folder, not a script";
    }
    const int flags = fcntl(0, F_GETFL);
    if (flags != -1 && (flags & O_ACCMODE) == O_WRONLY) {
        return "it is open for writing only";
    }
    return nullptr;
#endif
}

std::vector<ScriptLine> loadScript(const std::optional<std::string>& script) {
    if (!script) {
        std::istringstream evening(kDefaultScenario);
        return readScript(evening, "evening (built in)");
    }
    if (*script == "-") {
        if (!standardInputIsOpen()) {
            throw ScriptError("cannot read the script from standard input: it is closed");
        }
        if (const char* why = standardInputUnreadable()) {
            throw ScriptError(std::string("cannot read the script from standard input: ") + why);
        }
        std::vector<ScriptLine> lines = readScript(std::cin, "<stdin>");
        if (std::cin.bad()) {
            throw ScriptError("cannot read the script from standard input: reading it failed");
        }
        return lines;
    }
    std::error_code ignored;
    if (std::filesystem::is_directory(*script, ignored)) {
        throw ScriptError("'" + *script + "' is a folder, not a script");
    }
    std::ifstream file(*script);
    if (!file) {
        throw ScriptError("cannot read the script '" + *script + "'");
    }
    return readScript(file, *script);
}

// A script's relative picture paths lead from the script's own folder.
std::filesystem::path scriptFolder(const std::optional<std::string>& script) {
    if (!script || *script == "-") {
        return {};
    }
    return std::filesystem::path(*script).parent_path();
}

// The same folder as a full path, resolved once at the start (the current one for a script that
// has none): a plug-in that changes the current folder moves no picture.
std::filesystem::path resolvedFolder(const std::filesystem::path& folder) {
    std::error_code ignored;
    return folder.empty() ? std::filesystem::current_path(ignored)
                          : std::filesystem::absolute(folder, ignored);
}

// Whether two names are one file.
bool sameFile(const std::string& one, const std::string& other) {
#if defined(_WIN32)
    // By name: the Visual C++ ABI build's runtime has no file identities.
    std::error_code unknown;
    return std::filesystem::absolute(one, unknown).lexically_normal() ==
           std::filesystem::absolute(other, unknown).lexically_normal();
#else
    struct stat a {};
    struct stat b {};
    return ::stat(one.c_str(), &a) == 0 && ::stat(other.c_str(), &b) == 0 && a.st_dev == b.st_dev &&
           a.st_ino == b.st_ino;
#endif
}

// Why the event log cannot be opened without harm or without waiting for ever: it is the script
// or the plug-in, which it would empty, or a FIFO that no one reads. Empty when it can.
std::string eventLogProblem(const CommandLine& options) {
    if ((options.script && *options.script != "-" && sameFile(options.events, *options.script)) ||
        sameFile(options.events, options.plugin)) {
        return "--events names the " +
               std::string(sameFile(options.events, options.plugin) ? "plug-in" : "script") +
               " itself, which writing the events would empty";
    }
#if !defined(_WIN32)
    std::error_code unknown;
    if (std::filesystem::is_fifo(options.events, unknown)) {
        const int probe = ::open(options.events.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (probe < 0) {
            return "cannot write the event log '" + options.events + "': no one reads it";
        }
        close(probe);
    }
#endif
    return {};
}

int play(const CommandLine& options, std::ofstream& events) {
    const std::vector<ScriptLine> lines = loadScript(options.script);
    if (!options.events.empty()) {
        if (const std::string problem = eventLogProblem(options); !problem.empty()) {
            sayProblem(problem);
            return problem.rfind("--events", 0) == 0 ? kBadInput : kOutputFailed;
        }
        events.open(options.events);
        if (!events) {
            std::cerr << "sundown-sim: cannot write the event log '" << options.events << "'\n";
            return kOutputFailed;
        }
    }
    SessionOptions sessionOptions;
    // Resolved once, by the system, before anything is loaded: every load and restart opens this
    // file, wherever the plug-in moves the current folder.
    sessionOptions.pluginPath = PluginLibrary::fileToOpen(options.plugin).string();
    sessionOptions.framesPerSecond = options.framesPerSecond;
    sessionOptions.quiet = options.quiet;
    sessionOptions.timeline = &std::cout;
    sessionOptions.events = events.is_open() ? &events : nullptr;
    sessionOptions.scriptFolder = scriptFolder(options.script);
    sessionOptions.scriptFolderResolved = resolvedFolder(sessionOptions.scriptFolder);
    if (!options.pictures.empty()) {
        std::error_code unknown;
        sessionOptions.picturesAlsoIn = std::filesystem::weakly_canonical(
            std::filesystem::absolute(options.pictures, unknown), unknown);
    }
    sessionOptions.nowDoing = &nowDoing;
    Session session(sessionOptions);
    session.play(lines);
    std::cout << "Summary: " << session.passed() << " passed, " << session.failed() << " failed\n";
    return session.failed() == 0 ? kPassed : kExpectationFailed;
}

// Every output was written to its end, or the status says it was not.
int checkOutputs(int status, std::ofstream& events) {
    if (events.is_open()) {
        events.close();
        if (events.fail()) {
            sayProblem("cannot write the event log");
            status = kOutputFailed;
        }
    }
    std::cout.flush();
    if (!std::cout) {
        sayProblem("cannot write the timeline to standard output");
        status = kOutputFailed;
    }
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    startWithDefaultSignals();
    std::string problem;
    const std::optional<CommandLine> options = parseCommandLine(argc, argv, problem);
    if (!options) {
        std::cerr << "sundown-sim: " << problem << '\n' << kUsage;
        return kBadInput;
    }
    std::ofstream events;
    if (options->help) {
        std::cout << kUsage;
        return checkOutputs(kPassed, events);
    }
    // From here on the play has a keeper: a SIGKILL of either process leaves nothing of it.
    keepTheRunFromOutside();
    return playReportingItsEnd(kBadInput, [&options, &events] {
        int status = kBadInput;
        try {
            status = play(*options, events);
        } catch (const PluginRefused& refused) {
            std::cerr << "sundown-sim: " << refused.what() << '\n';
        } catch (const PluginFault& fault) {
            std::cout.flush();
            std::cerr << "sundown-sim: " << fault.what() << '\n';
        } catch (const ScriptError& error) {
            std::cout.flush();
            std::cerr << "sundown-sim: " << error.what() << '\n';
        } catch (const OutputError& error) {
            std::cout.flush();
            sayProblem(error.what());
            status = kOutputFailed;
        }
        return checkOutputs(status, events);
    });
}
