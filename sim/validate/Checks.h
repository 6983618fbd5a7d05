// The validator's checks. Each runs in a child process of its own and returns whether it held;
// it says what it tried, and what went wrong, on the report stream.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

struct CheckSettings {
    std::string program;  // this validator, to name in a command that reproduces a failure
    std::string pluginPath;
    std::uint64_t seed = 1;
    int iterations = 1000;
    int part = -1;  // a check made of parts runs only this one; all of them at -1
    // The random player writes every event it plays here, with what the host world recorded and
    // the plug-in's state after it, as JSON Lines; nothing when empty.
    std::string eventsPath;
};

// A check says what it tried, and what went wrong, on `report`, and adds the host events it
// played to `played`: the validator takes those from its verdict, never from the report.
using CheckBody = bool (*)(const CheckSettings& settings, std::ostream& report, long long& played);

struct Check {
    const char* name;
    CheckBody run;
    // Checks made of independent parts run them side by side, one child process each.
    int parts = 1;
    // For a check that plays host events: how many each part must play.
    int (*eventsPerPart)(const CheckSettings& settings) = nullptr;
};

bool loadAndUnload(const CheckSettings& settings, std::ostream& report, long long& played);
bool callbacksAfterRelease(const CheckSettings& settings, std::ostream& report, long long& played);
bool randomPlayer(const CheckSettings& settings, std::ostream& report, long long& played);
bool hostileConsoleValues(const CheckSettings& settings, std::ostream& report, long long& played);
bool contextChanges(const CheckSettings& settings, std::ostream& report, long long& played);

// The random player plays this many seeded sequences, each of this many events.
constexpr int kRandomSequences = 8;
int randomSequenceLength(const CheckSettings& settings);
// The seed of sequence `sequence`'s events.
std::uint64_t randomSequenceSeed(std::uint64_t seed, int sequence);
// Plays one random sequence with every promise checked, adding the events played to `played`.
// On a broken promise it reports which, the shortest sequence that still breaks it, and returns
// false.
bool playRandomSequence(const CheckSettings& settings, int sequence, std::ostream& report,
                        int* played = nullptr);

const std::vector<Check>& allChecks();
