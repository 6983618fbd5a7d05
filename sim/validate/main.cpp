// sundown-validate: runs named checks against the built plug-in, each part of a check in a child
// process of its own, started without a shell and stopped at a time limit, so that a crash or a
// hang is reported as CRASHED instead of taking the validator down.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "Checks.h"
#include "ChildProcess.h"
#include "PluginLibrary.h"
#include "ProgramFiles.h"

namespace {

const char* const kUsage =
    "usage: sundown-validate [--plugin PATH] [--seed N] [--iterations N] [--check NAME]...\n"
    "                        [--part N] [--jobs N] [--timeout SECONDS] [--json]\n"
    "  --plugin PATH      the plug-in library (default: Sundown beside this program)\n"
    "  --seed N           the seed of every random choice (default 1)\n"
    "  --iterations N     loads, events per random sequence, values... (default 1000)\n"
    "  --check NAME       run only this check; again for more (default: all of them)\n"
    "  --part N           of a check made of parts, only part N (random-player: sequences 0-7)\n"
    "  --jobs N           parts of a check run side by side, N at a time (default: the cores)\n"
    "  --timeout SECONDS  a part running longer is stopped and reported CRASHED\n"
    "                     (default 300, and a second more for every 20 iterations)\n"
    "  --json             one JSON object per check on standard output, reports on standard "
    "error\n"
    "checks: load-and-unload, callbacks-after-release, random-player, hostile-console-values,\n"
    "        context-changes\n";

constexpr int kPassed = 0;
constexpr int kFailed = 1;
constexpr int kBadCommandLine = 2;

enum class Outcome { Passed, Failed, Crashed };

struct Options {
    CheckSettings settings;
    std::vector<std::string> checks;  // empty: all
    int jobs = 1;
    int timeoutSeconds = 0;
    bool json = false;
    bool help = false;
    std::string child;  // set in a child process: the check it runs
};

bool parseNumber(const std::string& word, std::uint64_t& number, std::uint64_t most) {
    if (word.empty() || word.size() > 18 ||
        word.find_first_not_of("0123456789") != std::string::npos) {
        return false;
    }
    number = std::stoull(word);
    return number <= most;
}

const Check* findCheck(const std::string& name) {
    for (const Check& check : allChecks()) {
        if (name == check.name) {
            return &check;
        }
    }
    return nullptr;
}

// Empty on a bad command line, with the reason in `problem`.
std::optional<Options> parseCommandLine(int argc, char** argv, std::string& problem) {
    Options options;
    options.settings.program = programPath(argv[0]).string();
    options.settings.pluginPath = pluginBesideProgram(argv[0]).string();
    options.jobs = static_cast<int>(std::max(1U, std::thread::hardware_concurrency()));
    std::optional<int> timeout;
    for (int index = 1; index < argc; ++index) {
        const std::string word = argv[index];
        if (word == "-h" || word == "--help") {
            options.help = true;
            return options;
        }
        if (word == "--json") {
            options.json = true;
            continue;
        }
        if (index + 1 == argc) {
            problem = "unexpected argument '" + word + "'";
            return std::nullopt;
        }
        const std::string value = argv[++index];
        std::uint64_t number = 0;
        if (word == "--plugin") {
            options.settings.pluginPath = value;
        } else if (word == "--seed" && parseNumber(value, number, 999'999'999'999'999ULL)) {
            options.settings.seed = number;
        } else if (word == "--iterations" && parseNumber(value, number, 1'000'000) && number >= 1) {
            options.settings.iterations = static_cast<int>(number);
        } else if (word == "--part" && parseNumber(value, number, 999)) {
            options.settings.part = static_cast<int>(number);
        } else if (word == "--jobs" && parseNumber(value, number, 64) && number >= 1) {
            options.jobs = static_cast<int>(number);
        } else if (word == "--timeout" && parseNumber(value, number, 86'400) && number >= 1) {
            timeout = static_cast<int>(number);
        } else if (word == "--check" && findCheck(value) != nullptr) {
            options.checks.push_back(value);
        } else if (word == "--child" && findCheck(value) != nullptr) {
            options.child = value;
        } else {
            problem.append("'").append(value.substr(0, 60)).append("' does not suit ").append(word);
            return std::nullopt;
        }
    }
    options.timeoutSeconds = timeout ? *timeout : 300 + options.settings.iterations / 20;
    return options;
}

// A check's report goes beside the results: to standard error when standard output carries
// JSON Lines.
int runChild(const Options& options) {
    std::ostream& report = options.json ? std::cerr : std::cout;
    try {
        return findCheck(options.child)->run(options.settings, report) ? kPassed : kFailed;
    } catch (const std::exception& error) {
        report << "  " << error.what() << "\n";
        return kFailed;
    }
}

std::vector<std::string> childArguments(const Options& options, const Check& check, int part) {
    const CheckSettings& settings = options.settings;
    std::vector<std::string> arguments = {settings.program,
                                          "--child",
                                          check.name,
                                          "--plugin",
                                          settings.pluginPath,
                                          "--seed",
                                          std::to_string(settings.seed),
                                          "--iterations",
                                          std::to_string(settings.iterations)};
    if (part >= 0) {
        arguments.insert(arguments.end(), {"--part", std::to_string(part)});
    }
    if (options.json) {
        arguments.emplace_back("--json");
    }
    return arguments;
}

Outcome outcomeOf(const ChildOutcome& ended, int timeoutSeconds, std::string& why) {
    switch (ended.ending) {
        case ChildOutcome::Ending::Exited:
            if (ended.exitCode == kPassed || ended.exitCode == kFailed) {
                return ended.exitCode == kPassed ? Outcome::Passed : Outcome::Failed;
            }
            why = "it ended with status " + std::to_string(ended.exitCode);
            return Outcome::Crashed;
        case ChildOutcome::Ending::Crashed:
            why = "it crashed";
            return Outcome::Crashed;
        case ChildOutcome::Ending::TimedOut:
            why = "no answer within " + std::to_string(timeoutSeconds) +
                  " s: stopped (--timeout sets the limit)";
            return Outcome::Crashed;
        case ChildOutcome::Ending::NotStarted:
            break;
    }
    why = "it could not be started";
    return Outcome::Crashed;
}

// Runs every part of `check` in child processes, `options.jobs` at a time, prints what they
// reported in the order of the parts, and gives the worst outcome.
Outcome runCheck(const Options& options, const Check& check) {
    std::vector<int> parts;
    if (check.parts > 1 && options.settings.part < 0) {
        for (int part = 0; part < check.parts; ++part) {
            parts.push_back(part);
        }
    } else {
        parts.push_back(options.settings.part);
    }
    std::ostream& report = options.json ? std::cerr : std::cout;
    std::vector<std::unique_ptr<ChildProcess>> running(parts.size());
    std::vector<std::chrono::steady_clock::time_point> deadlines(parts.size());
    std::vector<std::optional<ChildOutcome>> ended(parts.size());
    std::size_t started = 0;
    std::size_t finished = 0;
    while (finished < parts.size()) {
        for (std::size_t index = 0; index < parts.size(); ++index) {
            if (running[index] && !ended[index] && running[index]->finished(deadlines[index])) {
                ended[index] = running[index]->outcome();
                running[index].reset();
                ++finished;
            }
        }
        while (started < parts.size() && static_cast<int>(started - finished) < options.jobs) {
            deadlines[started] =
                std::chrono::steady_clock::now() + std::chrono::seconds(options.timeoutSeconds);
            running[started] =
                std::make_unique<ChildProcess>(childArguments(options, check, parts[started]));
            ++started;
        }
        if (finished < parts.size()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }
    Outcome worst = Outcome::Passed;
    for (std::size_t index = 0; index < parts.size(); ++index) {
        std::string why;
        const Outcome outcome = outcomeOf(*ended[index], options.timeoutSeconds, why);
        report << ended[index]->output;
        if (outcome == Outcome::Crashed) {
            report << "  "
                   << (parts[index] >= 0 ? "part " + std::to_string(parts[index]) + ": " : "")
                   << why << "\n";
        }
        worst = std::max(worst, outcome);
    }
    return worst;
}

const char* word(Outcome outcome) {
    return outcome == Outcome::Passed   ? "PASSED"
           : outcome == Outcome::Failed ? "FAILED"
                                        : "CRASHED";
}

std::string quoted(const std::string& text) {
    return "\"" + text + "\"";
}

int runChecks(const Options& options) {
    int passed = 0;
    int failed = 0;
    for (const Check& check : allChecks()) {
        if (!options.checks.empty() && std::find(options.checks.begin(), options.checks.end(),
                                                 check.name) == options.checks.end()) {
            continue;
        }
        if (!options.json) {
            std::cout << check.name << std::endl;
        }
        const auto start = std::chrono::steady_clock::now();
        const Outcome outcome = runCheck(options, check);
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        (outcome == Outcome::Passed ? passed : failed) += 1;
        // The rate of a check that plays host events, all its parts together.
        long long events = 0;
        if (check.eventsPerPart != nullptr) {
            const int parts = options.settings.part < 0 ? check.parts : 1;
            events = static_cast<long long>(parts) * check.eventsPerPart(options.settings);
        }
        const long long rate = std::llround(static_cast<double>(events) / std::max(seconds, 1e-9));
        if (options.json) {
            std::cout << "{\"check\":" << quoted(check.name)
                      << ",\"result\":" << quoted(word(outcome)) << ",\"seconds\":" << seconds
                      << ",\"seed\":" << options.settings.seed;
            if (events > 0) {
                std::cout << ",\"events\":" << events << ",\"eventsPerSecond\":" << rate;
            }
            std::cout << "}" << std::endl;
        } else {
            if (events > 0) {
                std::cout << "  " << events << " host events in " << seconds << " s: " << rate
                          << " events a second, " << std::min(options.jobs, check.parts)
                          << " side by side\n";
            }
            std::cout << "  " << word(outcome) << " in " << seconds << " s" << std::endl;
        }
    }
    if (options.json) {
        std::cout << "{\"passed\":" << passed << ",\"failed\":" << failed << "}\n";
    }
    (options.json ? std::cerr : std::cout) << passed << " passed, " << failed << " failed\n";
    return failed == 0 ? kPassed : kFailed;
}

}  // namespace

int main(int argc, char** argv) {
    std::string problem;
    const std::optional<Options> options = parseCommandLine(argc, argv, problem);
    if (!options) {
        std::cerr << "sundown-validate: " << problem << '\n' << kUsage;
        return kBadCommandLine;
    }
    if (options->help) {
        std::cout << kUsage;
        return kPassed;
    }
    if (!options->child.empty()) {
        return runChild(*options);
    }
    try {
        PluginLibrary refusedOrNot(options->settings.pluginPath);
    } catch (const PluginRefused& refused) {
        std::cerr << "sundown-validate: " << refused.what() << '\n';
        return kBadCommandLine;
    }
    return runChecks(*options);
}
