#include "Options.h"

#include <algorithm>
#include <cstdint>
#include <thread>

#include "ProgramFiles.h"

const char* const kUsage =
    "usage: sundown-validate [--plugin PATH] [--seed N] [--iterations N] [--check NAME]...\n"
    "                        [--part N] [--jobs N] [--timeout SECONDS] [--json] [--events FILE]\n"
    "  --plugin PATH      the plug-in library (default: Sundown beside this program); a name\n"
    "                     without a folder is the file in the current folder\n"
    "  --seed N           the seed of every random choice (default 1)\n"
    "  --iterations N     loads (10 at least), events per random sequence (50 at least),\n"
    "                     values... (default 1000)\n"
    "  --check NAME       run only this check; again for more (default: all of them)\n"
    "  --part N           of a check made of parts, only part N (random-player: sequences 0-7)\n"
    "  --jobs N           parts of a check run side by side, N at a time (default: the cores)\n"
    "  --timeout SECONDS  a part running longer is stopped and reported CRASHED (default\n"
    "                     300, and a second more for every 20 iterations); also the load's\n"
    "                     limit (default 30)\n"
    "  --json             one JSON object per check on standard output, reports on standard "
    "error\n"
    "  --events FILE      with --check random-player and --part N: every event that part plays,\n"
    "                     what the host recorded and the plug-in's state after it, as JSON Lines;\n"
    "                     a FILE that cannot be written is exit 3, the part's verdict still told\n"
    "checks: load-and-unload, callbacks-after-release, random-player, hostile-console-values,\n"
    "        context-changes\n"
    "exit status: 0 every check passed, 1 one did not or the plug-in could not be loaded, 2 a\n"
    "bad command line or a plug-in the host refuses, 3 the results could not be written, 128\n"
    "and the signal when interrupted (129 SIGHUP, 130 SIGINT, 141 SIGPIPE, 143 SIGTERM)\n";

namespace {

bool parseNumber(const std::string& word, std::uint64_t& number, std::uint64_t least,
                 std::uint64_t most) {
    if (word.empty() || word.size() > 18 ||
        word.find_first_not_of("0123456789") != std::string::npos) {
        return false;
    }
    number = std::stoull(word);
    return number >= least && number <= most;
}

}  // namespace

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

namespace {

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

}  // namespace

// Empty on a bad command line, with the reason in `problem`.
std::optional<Options> parseCommandLine(int argc, char** argv, std::string& problem) {
    Options options;
    options.settings.program = programPath(argv[0]).string();
    options.settings.pluginPath = pluginBesideProgram(argv[0]).string();
    options.jobs = static_cast<int>(std::max(1U, std::thread::hardware_concurrency()));
    std::optional<int> timeout;
    const std::vector<std::string> valued = {
        "--plugin", "--seed",  "--iterations", "--part",       "--jobs",   "--timeout",
        "--check",  "--child", "--events",     "--verdict-fd", "--parent", "--verdict-token"};
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
        } else if (word == "--verdict-fd") {
            options.verdictChannel = value;
        } else if (word == "--parent") {
            options.parent = value;
        } else if (word == "--verdict-token") {
            options.verdictToken = value;
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
    options.loadSeconds = timeout ? *timeout : 30;
    if (!partInRange(options, problem) || !eventsWanted(options, problem)) {
        return std::nullopt;
    }
    return options;
}
