#include "Script.h"

#include <map>

#include "Durations.h"
#include "WallTime.h"
#include "Words.h"

namespace {

constexpr int kMostGoals = 100;

bool oneOf(const std::string& word, std::initializer_list<const char*> choices) {
    for (const char* choice : choices) {
        if (word == choice) {
            return true;
        }
    }
    return false;
}

void requireCount(const ScriptLine& line, std::size_t least, std::size_t most, const char* usage) {
    const std::size_t given = line.words.size() - 1;
    if (given < least || given > most) {
        throw ScriptError(line, std::string("usage: ") + usage);
    }
}

// A duration a line waits for: one the host can play through.
void requireDuration(const ScriptLine& line, const std::string& word) {
    const auto duration = parseDuration(word);
    if (!duration) {
        throw ScriptError(line,
                          "'" + shown(word) + "' is not a duration (250ms, 2s, 1.5s, 10m, 1h)");
    }
    if (*duration > kLongestWait) {
        throw ScriptError(line, "'" + shown(word) + "' is longer than the longest wait, " +
                                    formatDuration(kLongestWait));
    }
}

void checkMatch(const ScriptLine& line) {
    const char* const usage = "match win|loss|none [online|offline] [DURATION] [goals N]";
    requireCount(line, 1, 5, usage);
    if (!oneOf(line.words[1], {"win", "loss", "none"})) {
        throw ScriptError(line,
                          "a match ends in win, loss or none, not '" + shown(line.words[1]) + "'");
    }
    // Each of the three may be said once: a second word of its kind would contradict the first.
    std::string where;
    std::string length;
    bool goalsGiven = false;
    for (std::size_t index = 2; index < line.words.size(); ++index) {
        const std::string& word = line.words[index];
        if (word == "goals") {
            if (index + 1 == line.words.size()) {
                throw ScriptError(line, std::string("usage: ") + usage);
            }
            if (goalsGiven) {
                throw ScriptError(line, "the goals are given twice");
            }
            goalsGiven = true;
            const std::string& count = line.words[++index];
            if (count.empty() || count.size() > 3 ||
                count.find_first_not_of("0123456789") != std::string::npos ||
                std::stoi(count) > kMostGoals) {
                throw ScriptError(line, "goals takes a whole number from 0 to " +
                                            std::to_string(kMostGoals) + ", not '" + shown(count) +
                                            "'");
            }
        } else if (oneOf(word, {"online", "offline"})) {
            if (!where.empty()) {
                std::string why = "'";
                why.append(word).append("' after '").append(where);
                throw ScriptError(line, why.append("': a match is online or offline once"));
            }
            where = word;
        } else {
            requireDuration(line, word);
            if (!length.empty()) {
                throw ScriptError(line, "'" + shown(word) + "' after '" + shown(length) +
                                            "': a match has one duration");
            }
            length = word;
        }
    }
}

void checkExpect(const ScriptLine& line) {
    requireCount(line, 1, 4,
                 "expect quit|running|command|no-command|var|bind|log|overlay|no-overlay|page");
    const std::string& what = line.words[1];
    const std::size_t given = line.words.size() - 2;
    if (oneOf(what, {"quit", "running"})) {
        requireCount(line, 1, 1, "expect quit | expect running");
    } else if (what == "command") {
        if (given != 1 && !(given == 3 && line.words[3] == "at")) {
            throw ScriptError(line, "usage: expect command \"TEXT\" [at TIME]");
        }
        if (given == 3 && !parseTimePoint(line.words[4])) {
            throw ScriptError(line,
                              "'" + shown(line.words[4]) + "' is not a time (61s, 1:01, 1:01.5)");
        }
    } else if (oneOf(what, {"no-command", "log", "page", "no-overlay"})) {
        requireCount(line, 2, 2, "expect no-command|log|page|no-overlay \"TEXT\"");
    } else if (oneOf(what, {"var", "bind"})) {
        requireCount(line, 3, 3, "expect var NAME VALUE | expect bind KEY COMMAND");
    } else if (what == "overlay") {
        requireCount(line, 2, 3, "expect overlay \"TEXT\" [visible|hidden]");
        if (given == 2 && !oneOf(line.words[3], {"visible", "hidden"})) {
            throw ScriptError(
                line, "the status line is visible or hidden, not '" + shown(line.words[3]) + "'");
        }
    } else {
        throw ScriptError(line, "nothing to expect called '" + shown(what) + "'");
    }
}

void checkLine(const ScriptLine& line) {
    const std::string& verb = line.words.front();
    if (verb == "set" || verb == "saved" || verb == "type") {
        requireCount(line, 2, 2,
                     verb == "set"     ? "set NAME VALUE"
                     : verb == "saved" ? "saved NAME VALUE"
                                       : "type LABEL TEXT");
    } else if (verb == "command" || verb == "press") {
        requireCount(line, 1, 1, verb == "command" ? "command \"TEXT\"" : "press KEY");
    } else if (verb == "wait") {
        requireCount(line, 1, 1, "wait DURATION");
        requireDuration(line, line.words[1]);
    } else if (oneOf(verb, {"online", "offline", "round-start", "destroy", "restart"})) {
        requireCount(line, 0, 0, verb.c_str());
    } else if (verb == "match-end") {
        requireCount(line, 1, 1, "match-end win|loss|none");
        if (!oneOf(line.words[1], {"win", "loss", "none"})) {
            throw ScriptError(
                line, "a match ends in win, loss or none, not '" + shown(line.words[1]) + "'");
        }
    } else if (verb == "match") {
        checkMatch(line);
    } else if (verb == "settings") {
        requireCount(line, 1, 1, "settings open|close");
        if (!oneOf(line.words[1], {"open", "close"})) {
            throw ScriptError(line, "usage: settings open|close");
        }
    } else if (verb == "click") {
        requireCount(line, 1, 2, "click LABEL [+|-]");
        if (line.words.size() == 3 && !oneOf(line.words[2], {"+", "-"})) {
            throw ScriptError(line, "a number field's step buttons are + and -");
        }
    } else if (verb == "show") {
        requireCount(line, 1, 1, "show settings|overlay|vars");
        if (!oneOf(line.words[1], {"settings", "overlay", "vars"})) {
            throw ScriptError(line, "usage: show settings|overlay|vars");
        }
    } else if (verb == "clock") {
        requireCount(line, 2, 2, "clock YYYY-MM-DD HH:MM[:SS]");
        if (!parseWallTime(line.words[1], line.words[2])) {
            throw ScriptError(line, "'" + shown(line.words[1]) + " " + shown(line.words[2]) +
                                        "' is no date and time (2026-12-08 01:30, or 01:30:15)");
        }
    } else if (verb == "snapshot") {
        requireCount(line, 1, 1, "snapshot FILE.png");
        if (line.words[1].empty()) {
            throw ScriptError(line, "the picture's file name is empty");
        }
    } else if (verb == "expect") {
        checkExpect(line);
    } else {
        throw ScriptError(line, "unknown verb '" + shown(verb) + "'");
    }
}

}  // namespace

std::string shown(const std::string& word) {
    constexpr std::size_t longest = 60;
    const std::string kept =
        word.size() <= longest
            ? word
            : word.substr(0, longest - 3) + "... (" + std::to_string(word.size()) + " characters)";
    // Bytes no one can read, a NUL above all, which would end the message where it stands. (Its
    // own loop: the script fuzzer links this file without the timeline's.)
    std::string readable;
    for (const char c : kept) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == 0) {
            readable += "\\0";
        } else if (byte < 0x20 || byte == 0x7F) {
            constexpr char hex[] = "0123456789abcdef";
            readable += std::string("\\x") + hex[byte >> 4] + hex[byte & 0xF];
        } else {
            readable += c;
        }
    }
    return readable;
}

std::vector<ScriptLine> readScript(std::istream& input, const std::string& file) {
    std::vector<ScriptLine> lines;
    std::string text;
    int number = 0;
    while (std::getline(input, text)) {
        ++number;
        // Editors may start a UTF-8 file with a byte-order mark.
        if (number == 1 && text.compare(0, 3, "\xEF\xBB\xBF") == 0) {
            text.erase(0, 3);
        }
        ScriptLine line{file, number, {}};
        // A '#' outside quotes starts a comment.
        bool quoted = false;
        for (std::size_t index = 0; index < text.size(); ++index) {
            if (text[index] == '"') {
                quoted = !quoted;
            } else if (text[index] == '#' && !quoted) {
                text.resize(index);
                break;
            }
        }
        const auto words = splitWords(text);
        if (!words) {
            throw ScriptError(line, "a double quote is left open");
        }
        if (words->empty()) {
            continue;
        }
        line.words = *words;
        checkLine(line);
        lines.push_back(std::move(line));
    }
    if (input.bad()) {
        throw ScriptError("cannot read the script " + file);
    }
    return lines;
}
