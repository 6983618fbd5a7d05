// The random player: long seeded sequences of every host event, with the plug-in's promises
// checked around every game function the game runs and after every event. A failing sequence is
// cut down to the shortest that still fails.
#include <chrono>
#include <cmath>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "Checks.h"
#include "ChildProcess.h"
#include "Events.h"
#include "Run.h"
#include "Shrinker.h"

using randomPlay::Event;

namespace {

std::optional<std::pair<std::size_t, std::string>> replay(const CheckSettings& settings,
                                                          const std::vector<Event>& events,
                                                          int* quits = nullptr,
                                                          std::ostream* trace = nullptr) {
    randomPlay::Run run(settings, trace);
    auto broken = run.play(events);
    if (quits != nullptr) {
        *quits = run.quits;
    }
    return broken;
}

}  // namespace

int randomSequenceLength(const CheckSettings& settings) {
    return std::max(settings.iterations, 50);
}

std::uint64_t randomSequenceSeed(std::uint64_t seed, int sequence) {
    return seed * 1000 + static_cast<std::uint64_t>(sequence);
}

bool playRandomSequence(const CheckSettings& settings, int sequence, std::ostream& report,
                        int* played) {
    const std::uint64_t seed = randomSequenceSeed(settings.seed, sequence);
    std::vector<Event> events = randomPlay::randomEvents(seed, randomSequenceLength(settings));
    const auto start = std::chrono::steady_clock::now();
    int left = 0;
    std::ofstream trace;
    if (!settings.eventsPath.empty()) {
        trace.open(settings.eventsPath, std::ios::binary | std::ios::trunc);
        if (!trace) {
            report << "  cannot write the events to " << settings.eventsPath << "\n";
            return false;
        }
    }
    const auto broken = replay(settings, events, &left, trace.is_open() ? &trace : nullptr);
    if (trace.is_open() && !trace.flush()) {
        report << "  the events could not be written to " << settings.eventsPath << "\n";
        return false;
    }
    // Played up to the broken promise: the shortening below plays more, but only to explain.
    if (played != nullptr) {
        *played += broken ? static_cast<int>(broken->first) + 1 : static_cast<int>(events.size());
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    report << "  sequence " << sequence << " (events from seed " << seed << "): ";
    if (!broken) {
        report << events.size() << " events, the game left "
               << (left == 1 ? std::string("once") : std::to_string(left) + " times")
               << ", every promise held; "
               << std::lround(static_cast<double>(events.size()) / seconds) << " events a second\n";
        return true;
    }
    report << broken->second << " at event " << broken->first + 1 << "\n";
    events.resize(broken->first + 1);
    const std::vector<Event> shortest =
        randomPlay::shortestFailing(events, [&settings](const std::vector<Event>& shorter) {
            return replay(settings, shorter).has_value();
        });
    const auto again = replay(settings, shortest);
    report << "  shortest sequence (" << shortest.size() << " events) that still fails"
           << (again ? ": " + again->second : std::string()) << ":\n";
    for (const Event& event : shortest) {
        report << "    " << event.describe() << "\n";
    }
    report << "  this sequence alone: "
           << commandLine({settings.program, "--plugin", settings.pluginPath, "--check",
                           "random-player", "--seed", std::to_string(settings.seed), "--iterations",
                           std::to_string(settings.iterations), "--part", std::to_string(sequence)})
           << "\n";
    return false;
}

bool randomPlayer(const CheckSettings& settings, std::ostream& report, long long& played) {
    bool held = true;
    int events = 0;
    for (int sequence = 0; sequence < kRandomSequences; ++sequence) {
        if (settings.part < 0 || settings.part == sequence) {
            held = playRandomSequence(settings, sequence, report, &events) && held;
        }
    }
    played += events;
    if (events == 0) {
        report << "  no sequence was played\n";
        return false;
    }
    return held;
}
