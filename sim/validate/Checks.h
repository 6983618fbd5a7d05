// The validator's checks. Each runs in a child process of its own and returns whether it held;
// it says what it tried, and what went wrong, on the report stream.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

struct CheckSettings {
    std::string pluginPath;
    std::uint64_t seed = 1;
    int iterations = 1000;
};

struct Check {
    const char* name;
    bool (*run)(const CheckSettings& settings, std::ostream& report);
};

bool loadAndUnload(const CheckSettings& settings, std::ostream& report);
bool callbacksAfterRelease(const CheckSettings& settings, std::ostream& report);
bool randomPlayer(const CheckSettings& settings, std::ostream& report);
bool hostileConsoleValues(const CheckSettings& settings, std::ostream& report);
bool contextChanges(const CheckSettings& settings, std::ostream& report);

const std::vector<Check>& allChecks();
