// sundown-validate: runs named checks against the built plug-in, each part of a check in a child
// process of its own, started without a shell and stopped at a time limit, so that a crash or a
// hang is reported as CRASHED instead of taking the validator down. The validator itself never
// loads the library under test: a child tries it first, within a time limit of its own.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <csignal>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "Checks.h"
#include "ChildProcess.h"
#include "HostWorld.h"
#include "LoadedPlugin.h"
#include "PluginFault.h"
#include "PluginLibrary.h"
#include "PrivateFolder.h"
#include "ProgramFiles.h"

namespace {

const char* const kUsage =
    "usage: sundown-validate [--plugin PATH] [--seed N] [--iterations N] [--check NAME]...\n"
    "                        [--part N] [--jobs N] [--timeout SECONDS] [--json] [--events FILE]\n"
    "  --plugin PATH      the plug-in library (default: Sundown beside this program); a name\n"
    "                     without a folder is the file in the current folder\n"
    "  --seed N           the seed of every random choice (default 1)\n"
    "  --iterations N     loads, events per random sequence, values... (default 1000)\n"
    "  --check NAME       run only this check; again for more (default: all of them)\n"
    "  --part N           of a check made of parts, only part N (random-player: sequences 0-7)\n"
    "  --jobs N           parts of a check run side by side, N at a time (default: the cores)\n"
    "  --timeout SECONDS  a part running longer is stopped and reported CRASHED\n"
    "                     (default 300, and a second more for every 20 iterations)\n"
    "  --json             one JSON object per check on standard output, reports on standard "
    "error\n"
    "  --events FILE      with --check random-player and --part N: every event that part plays,\n"
    "                     what the host recorded and the plug-in's state after it, as JSON Lines\n"
    "checks: load-and-unload, callbacks-after-release, random-player, hostile-console-values,\n"
    "        context-changes\n"
    "exit status: 0 every check passed, 1 one did not or the plug-in could not be loaded, 2 a\n"
    "bad command line or a plug-in the host refuses, 130 or 143 interrupted\n";

constexpr int kPassed = 0;
constexpr int kFailed = 1;
constexpr int kBadCommandLine = 2;
// Loading the library and its getPlugin get this long at most: nothing else can be checked
// until they answer.
constexpr int kLoadSeconds = 30;
// The child that tries the load, as --child names it.
const char* const kLoadChild = "load";

enum class Outcome { Passed, Failed, Crashed, Interrupted };

// The signal that asked the validator to stop; 0 while none has.
volatile std::sig_atomic_t interruption = 0;

extern "C" void onInterrupt(int signal) {
    interruption = signal;
}

struct Options {
    CheckSettings settings;
    std::vector<std::string> checks;  // empty: all
    int jobs = 1;
    int timeoutSeconds = 0;
    bool json = false;
    bool help = false;
    std::string child;  // set in a child process: the check it runs
};

bool parseNumber(const std::string& word, std::uint64_t& number, std::uint64_t least,
                 std::uint64_t most) {
    if (word.empty() || word.size() > 18 ||
        word.find_first_not_of("0123456789") != std::string::npos) {
        return false;
    }
    number = std::stoull(word);
    return number >= least && number <= most;
}

const Check* findCheck(const std::string& name) {
    for (const Check& check : allChecks()) {
        if (name == check.name) {
            return &check;
        }
    }
    return nullptr;
}

bool selected(const Options& options, const Check& check) {
    return options.checks.empty() || std::find(options.checks.begin(), options.checks.end(),
                                               check.name) != options.checks.end();
}

std::string shortened(const std::string& word) {
    return word.size() <= 60 ? word : word.substr(0, 57) + "...";
}

// A numeric option's value, or the reason it does not suit.
bool takeNumber(const std::string& option, const std::string& value, std::uint64_t least,
                std::uint64_t most, std::uint64_t& number, std::string& problem) {
    if (parseNumber(value, number, least, most)) {
        return true;
    }
    problem = option + " takes a whole number from " + std::to_string(least) + " to " +
              std::to_string(most) + ", not '" + shortened(value) + "'";
    return false;
}

// A part past the last part of every chosen check would play nothing.
bool partInRange(const Options& options, std::string& problem) {
    if (options.settings.part < 0 || !options.child.empty()) {
        return true;
    }
    int parts = 0;
    for (const Check& check : allChecks()) {
        if (selected(options, check)) {
            parts = std::max(parts, check.parts);
        }
    }
    if (options.settings.part < parts && parts > 1) {
        return true;
    }
    problem = parts > 1 ? "--part " + std::to_string(options.settings.part) +
                              " is past the last part: the chosen checks have parts 0 to " +
                              std::to_string(parts - 1)
                        : std::string(
                              "--part picks a part of a check made of parts "
                              "(random-player), and none is chosen");
    return false;
}

// The events of one sequence go to one file: one random-player part, written by one child.
bool eventsWanted(const Options& options, std::string& problem) {
    if (options.settings.eventsPath.empty() || !options.child.empty()) {
        return true;
    }
    if (options.checks.size() == 1 && options.checks.front() == "random-player" &&
        options.settings.part >= 0) {
        return true;
    }
    problem =
        "--events writes the events of one sequence: choose --check random-player alone "
        "and a --part";
    return false;
}

// Empty on a bad command line, with the reason in `problem`.
std::optional<Options> parseCommandLine(int argc, char** argv, std::string& problem) {
    Options options;
    options.settings.program = programPath(argv[0]).string();
    options.settings.pluginPath = pluginBesideProgram(argv[0]).string();
    options.jobs = static_cast<int>(std::max(1U, std::thread::hardware_concurrency()));
    std::optional<int> timeout;
    const std::vector<std::string> valued = {"--plugin", "--seed",  "--iterations",
                                             "--part",   "--jobs",  "--timeout",
                                             "--check",  "--child", "--events"};
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
        if (std::find(valued.begin(), valued.end(), word) == valued.end()) {
            problem = word.size() > 1 && word.front() == '-'
                          ? "unknown option " + shortened(word)
                          : "unexpected argument '" + shortened(word) + "'";
            return std::nullopt;
        }
        if (index + 1 == argc) {
            problem = word + " takes a value";
            return std::nullopt;
        }
        const std::string value = argv[++index];
        std::uint64_t number = 0;
        if (word == "--plugin") {
            options.settings.pluginPath = value;
        } else if (word == "--seed") {
            if (!takeNumber(word, value, 0, 999'999'999'999'999ULL, number, problem)) {
                return std::nullopt;
            }
            options.settings.seed = number;
        } else if (word == "--iterations") {
            if (!takeNumber(word, value, 1, 1'000'000, number, problem)) {
                return std::nullopt;
            }
            options.settings.iterations = static_cast<int>(number);
        } else if (word == "--part") {
            if (!takeNumber(word, value, 0, 999, number, problem)) {
                return std::nullopt;
            }
            options.settings.part = static_cast<int>(number);
        } else if (word == "--jobs") {
            if (!takeNumber(word, value, 1, 64, number, problem)) {
                return std::nullopt;
            }
            options.jobs = static_cast<int>(number);
        } else if (word == "--timeout") {
            if (!takeNumber(word, value, 1, 86'400, number, problem)) {
                return std::nullopt;
            }
            timeout = static_cast<int>(number);
        } else if (word == "--events") {
            options.settings.eventsPath = value;
        } else if (word == "--check" && findCheck(value) != nullptr) {
            options.checks.push_back(value);
        } else if (word == "--child" && (findCheck(value) != nullptr || value == kLoadChild)) {
            options.child = value;
        } else {
            problem = "no check is called '" + shortened(value) + "'";
            return std::nullopt;
        }
    }
    options.timeoutSeconds = timeout ? *timeout : 300 + options.settings.iterations / 20;
    if (!partInRange(options, problem) || !eventsWanted(options, problem)) {
        return std::nullopt;
    }
    return options;
}

// In a child: opens the library, creates the plug-in and loads it into a host, then lets it go.
int tryTheLoad(const Options& options, std::ostream& report) {
    try {
        HostWorld world;
        LoadedPlugin plugin(world, options.settings.pluginPath);
        plugin.unload();
        return kPassed;
    } catch (const PluginRefused& refused) {
        report << refused.what() << "\n";
        return kBadCommandLine;
    } catch (const PluginFault& fault) {
        report << "  " << fault.what() << "\n";
        return kFailed;
    }
}

// A check's report goes beside the results: to standard error when standard output carries
// JSON Lines.
int runChild(const Options& options) {
    std::ostream& report = options.json ? std::cerr : std::cout;
    if (options.child == kLoadChild) {
        return tryTheLoad(options, report);
    }
    try {
        return findCheck(options.child)->run(options.settings, report) ? kPassed : kFailed;
    } catch (const std::exception& error) {
        report << "  " << error.what() << "\n";
        return kFailed;
    }
}

std::vector<std::string> childArguments(const Options& options, const std::string& name, int part) {
    const CheckSettings& settings = options.settings;
    std::vector<std::string> arguments = {settings.program,
                                          "--child",
                                          name,
                                          "--plugin",
                                          settings.pluginPath,
                                          "--seed",
                                          std::to_string(settings.seed),
                                          "--iterations",
                                          std::to_string(settings.iterations)};
    if (part >= 0) {
        arguments.insert(arguments.end(), {"--part", std::to_string(part)});
    }
    if (!settings.eventsPath.empty() && name == "random-player") {
        arguments.insert(arguments.end(), {"--events", settings.eventsPath});
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
            why = ended.signal != 0 ? "it crashed with " + describeSignal(ended.signal)
                                    : std::string("it crashed");
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

// Children started `jobs` at a time in a private folder, each stopped at its deadline, all of
// them stopped at once when the validator is interrupted.
class ChildRun {
  public:
    ChildRun(const PrivateFolder& folder, std::vector<std::vector<std::string>> commands, int jobs,
             int timeoutSeconds)
        : folder(&folder),
          commands(std::move(commands)),
          jobs(jobs),
          timeoutSeconds(timeoutSeconds),
          running(this->commands.size()),
          deadlines(this->commands.size()),
          ended(this->commands.size()) {}

    // False when interrupted; the children are stopped then, and their files gone.
    bool runAll() {
        std::size_t started = 0;
        std::size_t finished = 0;
        while (finished < commands.size()) {
            if (interruption != 0) {
                running.clear();
                return false;
            }
            for (std::size_t index = 0; index < commands.size(); ++index) {
                if (running[index] && running[index]->finished(deadlines[index])) {
                    ended[index] = running[index]->outcome();
                    running[index].reset();
                    ++finished;
                }
            }
            while (started < commands.size() && static_cast<int>(started - finished) < jobs) {
                deadlines[started] =
                    std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds);
                running[started] = std::make_unique<ChildProcess>(
                    commands[started], folder->path() / ("child-" + std::to_string(++made)));
                ++started;
            }
            if (finished < commands.size()) {
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
        }
        return true;
    }
    ChildOutcome& outcome(std::size_t index) { return *ended[index]; }

  private:
    const PrivateFolder* folder;
    std::vector<std::vector<std::string>> commands;
    int jobs;
    int timeoutSeconds;
    std::vector<std::unique_ptr<ChildProcess>> running;
    std::vector<std::chrono::steady_clock::time_point> deadlines;
    std::vector<std::optional<ChildOutcome>> ended;
    inline static unsigned made = 0;
};

// What the parts of one check came to.
struct CheckResult {
    Outcome outcome = Outcome::Passed;
    long long played = 0;  // host events the parts said they played
};

// Runs every part of `check` in child processes, prints what they reported in the order of the
// parts, and gives the worst outcome.
CheckResult runCheck(const Options& options, const PrivateFolder& folder, const Check& check) {
    std::vector<int> parts;
    if (check.parts > 1 && options.settings.part < 0) {
        for (int part = 0; part < check.parts; ++part) {
            parts.push_back(part);
        }
    } else {
        parts.push_back(check.parts > 1 ? options.settings.part : -1);
    }
    std::vector<std::vector<std::string>> commands;
    commands.reserve(parts.size());
    for (const int part : parts) {
        commands.push_back(childArguments(options, check.name, part));
    }
    ChildRun run(folder, commands, options.jobs, options.timeoutSeconds);
    CheckResult result;
    if (!run.runAll()) {
        result.outcome = Outcome::Interrupted;
        return result;
    }
    std::ostream& report = options.json ? std::cerr : std::cout;
    for (std::size_t index = 0; index < parts.size(); ++index) {
        ChildOutcome& ended = run.outcome(index);
        std::string why;
        const Outcome outcome = outcomeOf(ended, options.timeoutSeconds, why);
        result.played += takePlayed(ended.output);
        report << ended.output;
        if (outcome == Outcome::Crashed) {
            report << "  "
                   << (parts[index] >= 0 ? "part " + std::to_string(parts[index]) + ": " : "")
                   << why << "\n";
        }
        result.outcome = std::max(result.outcome, outcome);
    }
    if (check.countsEvents && result.played == 0 && result.outcome == Outcome::Passed) {
        report << "  no host event was played\n";
        result.outcome = Outcome::Failed;
    }
    return result;
}

const char* word(Outcome outcome) {
    return outcome == Outcome::Passed   ? "PASSED"
           : outcome == Outcome::Failed ? "FAILED"
                                        : "CRASHED";
}

std::string quoted(const std::string& text) {
    std::string escaped;
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            escaped += '\\';
        }
        escaped += c;
    }
    return "\"" + escaped + "\"";
}

void printResult(const Options& options, const Check& check, const CheckResult& result,
                 double seconds) {
    const long long rate =
        std::llround(static_cast<double>(result.played) / std::max(seconds, 1e-9));
    if (options.json) {
        std::cout << "{\"check\":" << quoted(check.name)
                  << ",\"result\":" << quoted(word(result.outcome)) << ",\"seconds\":" << seconds
                  << ",\"seed\":" << options.settings.seed;
        if (result.played > 0) {
            std::cout << ",\"events\":" << result.played << ",\"eventsPerSecond\":" << rate;
        }
        std::cout << "}" << std::endl;
        return;
    }
    if (result.played > 0) {
        std::cout << "  " << result.played << " host events played in " << seconds << " s: " << rate
                  << " events a second, "
                  << std::min(options.jobs, options.settings.part < 0 ? check.parts : 1)
                  << " side by side\n";
    }
    std::cout << "  " << word(result.outcome) << " in " << seconds << " s" << std::endl;
}

void printSummary(const Options& options, int passed, int failed, int skipped) {
    if (options.json) {
        std::cout << "{\"passed\":" << passed << ",\"failed\":" << failed
                  << ",\"skipped\":" << skipped << "}\n";
    }
    std::ostream& summary = options.json ? std::cerr : std::cout;
    summary << passed << " passed, " << failed << " failed";
    if (skipped > 0) {
        summary << ", " << skipped << " skipped";
    }
    summary << "\n";
}

// Whether a child could load the library within the load limit. Nothing else is checked when it
// could not: every check needs the library loaded.
std::optional<int> loadInAChild(const Options& options, const PrivateFolder& folder) {
    const int limit = std::min(options.timeoutSeconds, kLoadSeconds);
    ChildRun run(folder, {childArguments(options, kLoadChild, -1)}, 1, limit);
    if (!run.runAll()) {
        return std::nullopt;
    }
    ChildOutcome& ended = run.outcome(0);
    if (ended.ending == ChildOutcome::Ending::Exited && ended.exitCode == kPassed) {
        return kPassed;
    }
    if (ended.ending == ChildOutcome::Ending::Exited && ended.exitCode == kBadCommandLine) {
        std::cerr << "sundown-validate: " << ended.output;
        return kBadCommandLine;
    }
    std::string why;
    const Outcome outcome = outcomeOf(ended, limit, why);
    std::ostream& report = options.json ? std::cerr : std::cout;
    report << "loading the plug-in\n"
           << ended.output << (why.empty() ? "" : "  " + why + "\n") << "  " << word(outcome)
           << "\n";
    if (options.json) {
        std::cout << "{\"check\":\"load\",\"result\":" << quoted(word(outcome)) << "}" << std::endl;
    }
    int skipped = 0;
    for (const Check& check : allChecks()) {
        if (selected(options, check)) {
            report << check.name << "\n  not run: the plug-in did not load\n";
            ++skipped;
        }
    }
    printSummary(options, 0, 1, skipped);
    return kFailed;
}

std::optional<int> runChecks(const Options& options, const PrivateFolder& folder) {
    int passed = 0;
    int failed = 0;
    for (const Check& check : allChecks()) {
        if (!selected(options, check)) {
            continue;
        }
        if (!options.json) {
            std::cout << check.name << std::endl;
        }
        const auto start = std::chrono::steady_clock::now();
        const CheckResult result = runCheck(options, folder, check);
        if (result.outcome == Outcome::Interrupted) {
            return std::nullopt;
        }
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        (result.outcome == Outcome::Passed ? passed : failed) += 1;
        printResult(options, check, result, seconds);
    }
    printSummary(options, passed, failed, 0);
    return failed == 0 ? kPassed : kFailed;
}

// Checks the library from a child first; then runs the checks. None when interrupted.
std::optional<int> validate(const Options& options, const PrivateFolder& folder) {
    const std::optional<int> loaded = loadInAChild(options, folder);
    if (!loaded || *loaded != kPassed) {
        return loaded;
    }
    return runChecks(options, folder);
}

}  // namespace

int main(int argc, char** argv) {
    std::string problem;
    std::optional<Options> options = parseCommandLine(argc, argv, problem);
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
        // The file is looked at, never opened as a library, in this process.
        options->settings.pluginPath =
            PluginLibrary::fileToOpen(options->settings.pluginPath).string();
    } catch (const PluginRefused& refused) {
        std::cerr << "sundown-validate: " << refused.what() << '\n';
        return kBadCommandLine;
    }
    std::signal(SIGINT, onInterrupt);
    std::signal(SIGTERM, onInterrupt);
    std::optional<int> status;
    try {
        PrivateFolder folder;
        (options->json ? std::cerr : std::cout)
            << "plug-in: " << options->settings.pluginPath << std::endl;
        status = validate(*options, folder);
    } catch (const std::runtime_error& error) {
        std::cerr << "sundown-validate: " << error.what() << '\n';
        return kFailed;
    }
    if (!status) {
        // The children are stopped and the folder gone: end as the signal asked.
        std::cerr << "sundown-validate: interrupted\n";
        return 128 + static_cast<int>(interruption);
    }
    return *status;
}
