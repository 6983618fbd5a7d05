// The random player's own model of the history of online play: the days that ended with play, as
// "savedHistory" should hold them, and the page's week. Written apart from the plug-in's code.
#pragma once

#include <array>
#include <map>
#include <string>
#include <utility>

namespace randomPlay {

class HistoryModel {
  public:
    // A day that ended with `matches` and `seconds` of play; `today` is the day in progress.
    void add(const std::string& day, int matches, int seconds, const std::string& today);
    // The game starts: "savedHistory" is read against `today`, as far as it goes: days that
    // cannot be read are dropped, a day written twice is added together, days later than today
    // or older than 14 days before it are dropped, counts are held to what a day can hold. The
    // text stays as it is until the next day ends.
    void load(const std::string& text, const std::string& today);
    // The player edited "savedHistory" while the game was closed.
    void edited(const std::string& text) { savedText = text; }
    // What "savedHistory" should hold: nothing until the plug-in first adds a day.
    const std::string& saved() const { return savedText; }
    // The latest day kept; empty when none is.
    std::string latestDay() const { return days.empty() ? std::string() : days.rbegin()->first; }
    // "Last 7 days: M matches, N minutes", today's play included.
    std::string weekLine(const std::string& today, int matches, int seconds) const;
    // The matches and seconds kept of the week `today` belongs to, Monday to today.
    std::pair<int, int> weekBefore(const std::string& today) const;
    // The chart's fourteen bars in seconds, oldest first, the last today's with `seconds` of play.
    std::array<int, 14> chart(const std::string& today, int seconds) const;

  private:
    struct Played {
        int matches = 0;
        int seconds = 0;
    };
    std::map<std::string, Played> days;  // in date order
    std::string savedText;
};

// The number of the day named "YYYY-MM-DD", counted in days from 1970-01-01.
long long dayNumberOf(const std::string& day);

}  // namespace randomPlay
