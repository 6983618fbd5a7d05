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

struct Check {
    const char* name;
    bool (*run)(const CheckSettings& settings, std::ostream& report);
    // Checks made of independent parts run them side by side, one child process each.
    int parts = 1;
    // Whether it counts the host events it plays (reportPlayed), for the report of its rate.
    bool countsEvents = false;
};

// Tells the validator how many host events a check's part really played: a line of its own in
// the part's report, which the validator takes out and adds up.
void reportPlayed(std::ostream& report, long long events);
// The events a part's report says were played, and the report without those lines.
long long takePlayed(std::string& report);

bool loadAndUnload(const CheckSettings& settings, std::ostream& report);
bool callbacksAfterRelease(const CheckSettings& settings, std::ostream& report);
bool randomPlayer(const CheckSettings& settings, std::ostream& report);
bool hostileConsoleValues(const CheckSettings& settings, std::ostream& report);
bool contextChanges(const CheckSettings& settings, std::ostream& report);

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
