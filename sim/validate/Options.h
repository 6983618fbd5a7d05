// sundown-validate's command line: what to check, how, and, in a child, which part it runs and
// where it tells its verdict.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "Checks.h"

// The child that tries the load, as --child names it.
inline constexpr const char* kLoadChild = "load";

struct Options {
    CheckSettings settings;
    std::vector<std::string> checks;  // empty: all
    int jobs = 1;
    int timeoutSeconds = 0;
    // The load's own limit: --timeout when given, else 30 s; nothing is checked until it answers.
    int loadSeconds = 30;
    bool json = false;
    bool help = false;
    // In a child process: the check it runs, and its verdict channel and parent.
    std::string child;
    std::string verdictChannel;
    std::string parent;
    // The run's token, which every verdict of its children carries: made by the validator,
    // handed to each child.
    std::string verdictToken;
};

extern const char* const kUsage;

const Check* findCheck(const std::string& name);
bool selected(const Options& options, const Check& check);

// Empty on a bad command line, with the reason in `problem`.
std::optional<Options> parseCommandLine(int argc, char** argv, std::string& problem);
