// sundown-validate: runs named checks against the built plug-in, each part of a check in a child
// process of its own, started without a shell and stopped at a time limit, so that a crash or a
// hang is reported as CRASHED instead of taking the validator down. The validator itself never
// loads the library under test: a child tries it first, within a time limit of its own. A child's
// verdict counts only as it tells it on a channel of its own; its exit status and what it prints
// are the library's to forge.
#include <algorithm>
#include <chrono>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "Checks.h"
#include "ChildRun.h"
#include "EventsFile.h"
#include "HostWorld.h"
#include "LoadedPlugin.h"
#include "Options.h"
#include "PluginFault.h"
#include "PluginLibrary.h"
#include "PrivateFolder.h"
#include "Results.h"
#include "RunKeeper.h"
#include "StartingSignals.h"
#include "Verdict.h"

namespace {

constexpr int kPassed = 0;
constexpr int kFailed = 1;
constexpr int kBadCommandLine = 2;
constexpr int kResultsNotWritten = 3;

// In a child: opens the library, creates the plug-in and loads it into a host, then lets it go.
Verdict tryTheLoad(const Options& options, std::ostream& report) {
    Verdict verdict;
    try {
        HostWorld world;
        LoadedPlugin plugin(world, options.settings.pluginPath);
        plugin.unload();
        verdict.result = Verdict::Result::Loaded;
    } catch (const PluginRefused& refused) {
        verdict.result = Verdict::Result::Refused;
        verdict.reason = refused.what();
    } catch (const PluginFault& fault) {
        report << "  " << fault.what() << "\n";
    }
    return verdict;
}

// A check's report goes beside the results: to standard error when standard output carries
// JSON Lines. The verdict goes on the channel, and only there.
int runChild(const Options& options) {
    becomeAChild();
    VerdictChannel channel;
    std::string problem;
    if (!channel.open(options.verdictChannel, options.parent, options.verdictToken, problem)) {
        std::cerr << "sundown-validate: " << problem << '\n';
        return kBadCommandLine;
    }
    std::ostream& report = options.json ? std::cerr : std::cout;
    Verdict verdict;
    if (options.child == kLoadChild) {
        verdict = tryTheLoad(options, report);
    } else {
        try {
            verdict.result = findCheck(options.child)->run(options.settings, report, verdict.played)
                                 ? Verdict::Result::Passed
                                 : Verdict::Result::Failed;
        } catch (const std::exception& error) {
            report << "  " << error.what() << "\n";
        }
    }
    report.flush();
    if (!channel.tell(verdict, problem)) {
        std::cerr << "sundown-validate: " << problem << std::endl;
        return kFailed;
    }
    return kPassed;
}

std::vector<std::string> childArguments(const Options& options, const std::string& name, int part,
                                        const EventsFile* events = nullptr) {
    const CheckSettings& settings = options.settings;
    std::vector<std::string> arguments = {settings.program,
                                          "--child",
                                          name,
                                          "--plugin",
                                          settings.pluginPath,
                                          "--seed",
                                          std::to_string(settings.seed),
                                          "--iterations",
                                          std::to_string(settings.iterations),
                                          "--verdict-token",
                                          options.verdictToken};
    if (part >= 0) {
        arguments.insert(arguments.end(), {"--part", std::to_string(part)});
    }
    if (!settings.eventsPath.empty() && name == "random-player") {
#if defined(_WIN32)
        // The child writes the file itself here: there is no limit on what it writes to copy
        // around.
        static_cast<void>(events);
        arguments.insert(arguments.end(), {"--events", settings.eventsPath});
#else
        // The pipe the validator copies into the file it opened; none when it could not.
        if (events != nullptr && events->descriptor() >= 0) {
            arguments.insert(arguments.end(), {"--events", "/dev/fd/4"});
        }
#endif
    }
    if (options.json) {
        arguments.emplace_back("--json");
    }
    return arguments;
}

// Whether a child could load the library within the load limit: nothing else is checked when it
// could not, as every check needs the library loaded. None when interrupted.
std::optional<int> loadInAChild(const Options& options, const PrivateFolder& folder,
                                Results& results) {
    const auto start = std::chrono::steady_clock::now();
    ChildRun run(folder, {childArguments(options, kLoadChild, -1)}, 1, options.loadSeconds);
    if (!run.runAll()) {
        return std::nullopt;
    }
    ChildOutcome& ended = run.outcome(0);
    const std::optional<Verdict> verdict = readVerdict(ended.said, options.verdictToken);
    if (verdict && verdict->result == Verdict::Result::Loaded) {
        return kPassed;
    }
    if (verdict && verdict->result == Verdict::Result::Refused) {
        std::cerr << "sundown-validate: " << verdict->reason << '\n';
        return kBadCommandLine;
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    results.loadFailed(ended, describeEnding(ended, verdict, options.loadSeconds), seconds);
    return kFailed;
}

std::vector<int> partsOf(const Options& options, const Check& check) {
    std::vector<int> parts;
    if (check.parts > 1 && options.settings.part < 0) {
        for (int part = 0; part < check.parts; ++part) {
            parts.push_back(part);
        }
    } else {
        parts.push_back(check.parts > 1 ? options.settings.part : -1);
    }
    return parts;
}

// Runs every part of `check` in child processes and gives what they came to; none when
// interrupted.
std::optional<CheckResult> runCheck(const Options& options, const PrivateFolder& folder,
                                    const Check& check, EventsFile* events) {
    const std::vector<int> parts = partsOf(options, check);
    std::vector<std::vector<std::string>> commands;
    commands.reserve(parts.size());
    for (const int part : parts) {
        commands.push_back(childArguments(options, check.name, part, events));
    }
    ChildRun run(folder, commands, options.jobs, options.timeoutSeconds, events);
    if (!run.runAll()) {
        return std::nullopt;
    }
    CheckResult result;
    const long long asked =
        check.eventsPerPart != nullptr ? check.eventsPerPart(options.settings) : 0;
    for (std::size_t index = 0; index < parts.size(); ++index) {
        result.parts.push_back(judgePart(run.outcome(index), parts[index], asked, options));
    }
    return result;
}

std::optional<int> runChecks(const Options& options, const PrivateFolder& folder, Results& results,
                             EventsFile* events) {
    for (const Check& check : allChecks()) {
        if (!selected(options, check)) {
            continue;
        }
        results.starting(check);
        const auto start = std::chrono::steady_clock::now();
        const std::optional<CheckResult> result = runCheck(options, folder, check, events);
        if (!result) {
            return std::nullopt;
        }
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        results.finished(check, *result, seconds);
    }
    return results.summary();
}

// Checks the library from a child first; then runs the checks. None when interrupted.
std::optional<int> validate(const Options& options, Results& results, EventsFile* events) {
    PrivateFolder folder;
    (options.json ? std::cerr : std::cout)
        << "plug-in: " << options.settings.pluginPath << std::endl;
    const std::optional<int> loaded = loadInAChild(options, folder, results);
    if (!loaded || *loaded != kPassed) {
        return loaded;
    }
    return runChecks(options, folder, results, events);
}

}  // namespace

int main(int argc, char** argv) {
    startWithDefaultSignals();
    std::string problem;
    std::optional<Options> options = parseCommandLine(argc, argv, problem);
    if (!options) {
        std::cerr << "sundown-validate: " << problem << '\n' << kUsage;
        return kBadCommandLine;
    }
    if (options->help) {
        std::cout << kUsage << std::flush;
        return std::cout ? kPassed : kResultsNotWritten;
    }
    if (!options->child.empty()) {
        return runChild(*options);
    }
    try {
        // Resolved once, by the system, before anything is loaded: every child opens this file.
        options->settings.pluginPath =
            PluginLibrary::fileToOpen(options->settings.pluginPath).string();
    } catch (const PluginRefused& refused) {
        std::cerr << "sundown-validate: " << refused.what() << '\n';
        return kBadCommandLine;
    }
    EventsFile events;
    if (!options->settings.eventsPath.empty() &&
        !events.open(options->settings.eventsPath, options->settings.pluginPath,
                     options->settings.program, problem)) {
        std::cerr << "sundown-validate: " << problem << '\n';
        return kBadCommandLine;
    }
    // From here on the run has a keeper: a SIGKILL of either process leaves nothing of it.
    keepTheRunFromOutside();
    watchForInterruptions();
    options->verdictToken = newVerdictToken();
    Results results(*options);
    std::optional<int> status;
    try {
        status = validate(*options, results, &events);
    } catch (const std::runtime_error& error) {
        std::cerr << "sundown-validate: " << error.what() << '\n';
        status = kFailed;
    }
    endWhatChildrenLeft();
    if (interruption != 0) {
        // The children are stopped and the folder gone: end as the signal asked.
        std::cerr << "sundown-validate: interrupted\n";
        return 128 + static_cast<int>(interruption);
    }
    if (!results.written()) {
        std::cerr << "sundown-validate: the results could not be written\n";
        return kResultsNotWritten;
    }
    if (!events.failure().empty()) {
        // The part's verdict is told above; the file the user asked for is not whole.
        std::cerr << "sundown-validate: the events could not be written to '" << events.path()
                  << "': " << events.failure() << '\n';
        return kResultsNotWritten;
    }
    return status.value_or(kFailed);
}
