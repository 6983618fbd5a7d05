// Session scripts: one verb a line, words split by blanks, double quotes group a word.
#pragma once

#include <istream>
#include <stdexcept>
#include <string>
#include <vector>

struct ScriptLine {
    std::string file;
    int number = 0;
    std::vector<std::string> words;

    std::string where() const { return file + ":" + std::to_string(number); }
};

// A line the simulator cannot play; the message names the file, the line and why.
class ScriptError : public std::runtime_error {
  public:
    ScriptError(const ScriptLine& line, const std::string& why)
        : std::runtime_error(line.where() + ": " + why) {}
    explicit ScriptError(const std::string& message) : std::runtime_error(message) {}
};

// Reads a whole script and checks every line's form before any is played. Throws ScriptError for
// a line it cannot play, and for a script it cannot read.
std::vector<ScriptLine> readScript(std::istream& input, const std::string& file);

// A word as an error message shows it: cut short, with its length, when it is long.
std::string shown(const std::string& word);
