// sundown-validate: runs named checks against the built plug-in, each in a child process, so a
// crash or a hang is reported as CRASHED instead of taking the validator down.
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <sstream>
#include <string>

#include "Checks.h"
#include "PluginLibrary.h"

#if !defined(_WIN32)
#include <sys/wait.h>
#endif

namespace {

const char* const kUsage =
    "usage: sundown-validate [--plugin PATH] [--seed N] [--iterations N] [--json]\n";

enum class Outcome { Passed, Failed, Crashed };

std::string quoted(const std::string& text) {
    return "\"" + text + "\"";
}

Outcome runInChild(const std::string& self, const std::string& check, const CheckSettings& settings,
                   bool json) {
    const std::string command = quoted(self) + " --child " + check + " --plugin " +
                                quoted(settings.pluginPath) + " --seed " +
                                std::to_string(settings.seed) + " --iterations " +
                                std::to_string(settings.iterations) + (json ? " --json" : "");
    std::cout.flush();
#if defined(_WIN32)
    // cmd.exe drops the outer pair of quotes of a command that starts with one.
    const int status = std::system(quoted(command).c_str());
#else
    const int status = std::system(command.c_str());
#endif
#if defined(_WIN32)
    if (status == 0) {
        return Outcome::Passed;
    }
    return status == 1 ? Outcome::Failed : Outcome::Crashed;
#else
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0) {
        return Outcome::Passed;
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 1 ? Outcome::Failed : Outcome::Crashed;
#endif
}

// A check's own report goes beside the results: to standard error when standard output
// carries JSON Lines.
int runChild(const std::string& name, const CheckSettings& settings, bool json) {
    std::ostream& report = json ? std::cerr : std::cout;
    for (const Check& check : allChecks()) {
        if (name == check.name) {
            try {
                return check.run(settings, report) ? 0 : 1;
            } catch (const std::exception& error) {
                report << "  " << error.what() << "\n";
                return 1;
            }
        }
    }
    std::cerr << "sundown-validate: no check named '" << name << "'\n";
    return 2;
}

bool parseNumber(const char* text, std::uint64_t& number) {
    const std::string word = text;
    if (word.empty() || word.size() > 18 ||
        word.find_first_not_of("0123456789") != std::string::npos) {
        return false;
    }
    number = std::stoull(word);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    CheckSettings settings;
    settings.pluginPath = (std::filesystem::absolute(argv[0]).parent_path() /
#if defined(_WIN32)
                           "Sundown.dll")
#else
                           "Sundown.so")
#endif
                              .string();
    bool json = false;
    std::string child;
    for (int index = 1; index < argc; ++index) {
        const std::string word = argv[index];
        std::uint64_t number = 0;
        const bool hasValue = index + 1 < argc;
        if (word == "--plugin" && hasValue) {
            settings.pluginPath = argv[++index];
        } else if (word == "--seed" && hasValue && parseNumber(argv[index + 1], number)) {
            settings.seed = number;
            ++index;
        } else if (word == "--iterations" && hasValue && parseNumber(argv[index + 1], number) &&
                   number >= 1 && number <= 1'000'000) {
            settings.iterations = static_cast<int>(number);
            ++index;
        } else if (word == "--json") {
            json = true;
        } else if (word == "--child" && hasValue) {
            child = argv[++index];
        } else {
            std::cerr << "sundown-validate: unexpected argument '" << word << "'\n" << kUsage;
            return 2;
        }
    }
    if (!child.empty()) {
        return runChild(child, settings, json);
    }
    try {
        PluginLibrary refusedOrNot(settings.pluginPath);
    } catch (const PluginRefused& refused) {
        std::cerr << "sundown-validate: " << refused.what() << '\n';
        return 2;
    }

    const std::string self = std::filesystem::absolute(argv[0]).string();
    int passed = 0;
    int failed = 0;
    for (const Check& check : allChecks()) {
        const auto start = std::chrono::steady_clock::now();
        if (!json) {
            std::cout << check.name << "\n";
        }
        const Outcome outcome = runInChild(self, check.name, settings, json);
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const char* word = outcome == Outcome::Passed   ? "PASSED"
                           : outcome == Outcome::Failed ? "FAILED"
                                                        : "CRASHED";
        (outcome == Outcome::Passed ? passed : failed) += 1;
        std::ostringstream line;
        if (json) {
            line << "{\"check\":" << quoted(check.name) << ",\"result\":" << quoted(word)
                 << ",\"seconds\":" << seconds << ",\"seed\":" << settings.seed << "}";
        } else {
            line << "  " << word << " in " << seconds << " s";
        }
        std::cout << line.str() << std::endl;
    }
    if (json) {
        std::cout << "{\"passed\":" << passed << ",\"failed\":" << failed << "}\n";
    }
    (json ? std::cerr : std::cout) << passed << " passed, " << failed << " failed\n";
    return failed == 0 ? 0 : 1;
}
