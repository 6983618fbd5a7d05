#include "Results.h"

#include <algorithm>
#include <cmath>
#include <iostream>

namespace {

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
            escaped += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            escaped += ' ';
        } else {
            escaped += c;
        }
    }
    return "\"" + escaped + "\"";
}

}  // namespace

Outcome CheckResult::outcome() const {
    Outcome worst = Outcome::Passed;
    for (const PartResult& part : parts) {
        worst = std::max(worst, part.outcome);
    }
    return worst;
}

long long CheckResult::played() const {
    long long played = 0;
    for (const PartResult& part : parts) {
        played += part.played;
    }
    return played;
}

namespace {

// What a child printed, its lines kept, every other control byte shown as an escape: a library's
// output cannot drive the reader's terminal.
std::string readable(const std::string& output) {
    std::string shown;
    shown.reserve(output.size());
    for (const char c : output) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\n' || c == '\t' || (byte >= 0x20 && byte != 0x7F)) {
            shown += c;
        } else {
            constexpr char hex[] = "0123456789abcdef";
            shown += std::string("\\x") + hex[byte >> 4] + hex[byte & 0xF];
        }
    }
    return shown;
}

}  // namespace

std::string describeEnding(const ChildOutcome& ended, const std::optional<Verdict>& verdict,
                           int limitSeconds) {
    switch (ended.ending) {
        case ChildOutcome::Ending::TimedOut:
            return "no answer within " + std::to_string(limitSeconds) +
                   " s: stopped (--timeout sets the limit)";
        case ChildOutcome::Ending::Crashed:
            return ended.signal != 0 ? "it crashed with " + describeSignal(ended.signal)
                                     : "it crashed";
        case ChildOutcome::Ending::NotStarted:
            return "it could not be started";
        case ChildOutcome::Ending::Exited:
            break;
    }
    if (!verdict && ended.channelBytes > 0) {
        // Junk is never silence: what the channel held is told, though no verdict was in it.
        return "it ended without a verdict of this run: its verdict channel held " +
               std::to_string(ended.channelBytes) + " bytes of something else (exit status " +
               std::to_string(ended.exitCode) + ")";
    }
    if (!verdict) {
        return "it ended without a verdict (exit status " + std::to_string(ended.exitCode) + ")";
    }
    return verdict->result == Verdict::Result::Failed ? "" : "it told an unexpected verdict";
}

PartResult judgePart(const ChildOutcome& ended, int part, long long asked, const Options& options) {
    const int limitSeconds = options.timeoutSeconds;
    PartResult result;
    result.part = part;
    result.output = readable(ended.output);
    const std::optional<Verdict> verdict = ended.ending == ChildOutcome::Ending::Exited
                                               ? readVerdict(ended.said, options.verdictToken)
                                               : std::nullopt;
    if (!verdict || (verdict->result != Verdict::Result::Passed &&
                     verdict->result != Verdict::Result::Failed)) {
        result.why = describeEnding(ended, verdict, limitSeconds);
        return result;
    }
    result.played = verdict->played;
    result.outcome = verdict->result == Verdict::Result::Passed ? Outcome::Passed : Outcome::Failed;
    if (result.outcome == Outcome::Passed && verdict->played < asked) {
        result.outcome = Outcome::Failed;
        result.why = "it played " + std::to_string(verdict->played) + " of the " +
                     std::to_string(asked) + " host events asked for";
    }
    return result;
}

Results::Results(const Options& options) : options(&options) {}

std::ostream& Results::report() {
    return options->json ? std::cerr : std::cout;
}

void Results::loadFailed(const ChildOutcome& ended, const std::string& why, double seconds) {
    report() << "loading the plug-in\n"
             << readable(ended.output) << (why.empty() ? "" : "  " + why + "\n") << "  CRASHED\n";
    if (options->json) {
        std::cout << "{\"check\":\"load\",\"result\":\"CRASHED\",\"seconds\":" << seconds
                  << ",\"seed\":" << options->settings.seed << ",\"why\":" << quoted(why) << "}"
                  << std::endl;
    }
    int skipped = 0;
    for (const Check& check : allChecks()) {
        if (selected(*options, check)) {
            report() << check.name << "\n  not run: the plug-in did not load\n";
            if (options->json) {
                std::cout << "{\"check\":" << quoted(check.name)
                          << ",\"result\":\"NOT RUN\",\"seconds\":0,\"seed\":"
                          << options->settings.seed << "}" << std::endl;
            }
            ++skipped;
        }
    }
    failed = 1;
    tellSummary(skipped);
}

void Results::starting(const Check& check) {
    if (!options->json) {
        std::cout << check.name << std::endl;
    }
}

void Results::finished(const Check& check, const CheckResult& result, double seconds) {
    for (const PartResult& part : result.parts) {
        report() << part.output;
        if (!part.why.empty()) {
            report() << "  " << (part.part >= 0 ? "part " + std::to_string(part.part) + ": " : "")
                     << part.why << "\n";
        }
    }
    const Outcome outcome = result.outcome();
    const long long played = result.played();
    const long long rate = std::llround(static_cast<double>(played) / std::max(seconds, 1e-9));
    (outcome == Outcome::Passed ? passed : failed) += 1;
    if (options->json) {
        std::cout << "{\"check\":" << quoted(check.name) << ",\"result\":" << quoted(word(outcome))
                  << ",\"seconds\":" << seconds << ",\"seed\":" << options->settings.seed;
        if (check.eventsPerPart != nullptr) {
            std::cout << ",\"events\":" << played << ",\"eventsPerSecond\":" << rate;
        }
        std::cout << "}" << std::endl;
        return;
    }
    if (check.eventsPerPart != nullptr) {
        const int sideBySide = std::min(options->jobs, static_cast<int>(result.parts.size()));
        std::cout << "  " << played << " host events played in " << seconds << " s: " << rate
                  << " events a second, " << sideBySide << " side by side\n";
    }
    std::cout << "  " << word(outcome) << " in " << seconds << " s" << std::endl;
}

int Results::summary() {
    tellSummary(0);
    return failed == 0 ? 0 : 1;
}

void Results::tellSummary(int skipped) {
    if (options->json) {
        std::cout << "{\"passed\":" << passed << ",\"failed\":" << failed
                  << ",\"skipped\":" << skipped << "}" << std::endl;
    }
    report() << passed << " passed, " << failed << " failed";
    if (skipped > 0) {
        report() << ", " << skipped << " skipped";
    }
    report() << std::endl;
}

bool Results::written() {
    std::cout.flush();
    std::cerr.flush();
    return static_cast<bool>(std::cout);
}
