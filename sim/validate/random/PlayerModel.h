// The random player's own model of the rules the plug-in keeps, written apart from the plug-in's
// code so that one fault cannot sit in both: the count rules, and the day's budget as the player
// has played it.
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string>

#include "HistoryModel.h"
#include "NightModel.h"

namespace randomPlay {

// Whether rule `option` is met by these counts against `limit`.
bool countRuleMet(std::int32_t option, int played, int wins, int losses, int limit);

// The day of play a wall-clock second (UTC, the host world's time zone) belongs to when days
// start at `startHour`: "YYYY-MM-DD", the date on which it starts.
std::string dayOfPlayAt(std::int64_t wallSeconds, int startHour);

// Today's online play: the matches and seconds the plug-in should have counted, and what it
// should have saved.
class DayModel {
  public:
    struct Limits {
        int matches = 0;
        int minutes = 0;
        int startHour = 4;
        bool history = false;  // the player keeps a history
        bool on() const { return matches > 0 || minutes > 0; }
        // The day's play is counted while the budget is on or a history is kept.
        bool counted() const { return on() || history; }
    };

    std::string day;
    int matches = 0;
    int seconds = 0;
    // The days that ended with play while a history was kept.
    HistoryModel history;

    // The counts of the day of play at `wallSeconds`. The day never goes back: an earlier day is
    // the day in progress, a later one starts at 0. A start hour other than the one the day was
    // last named under keeps the day in progress and its counts, named as the new hour names
    // this moment, and saved so; it ends when the clock next reaches that hour.
    // A day that ends with play goes into the history while the player keeps one.
    void follow(std::int64_t wallSeconds, const Limits& limits);
    // The round start that approves an online match, at virtual time `now`: its time counts
    // from here, a second at a time, while the budget is on.
    void approve(std::int64_t now, std::int64_t wallAtZero, const Limits& limits);
    // Counts the seconds of play due by virtual time `now`, each in the day its start belongs
    // to. Call it before the wall clock or the limits change.
    void catchUp(std::int64_t now, std::int64_t wallAtZero, const Limits& limits);
    // The first end hook after an approval: the match counts and its time stops. Whether the
    // day is then at a limit. Inside a timeout due `now` (the plug-in's own disconnect), the
    // second due at the same moment has not been counted yet: it was armed later.
    bool countMatch(std::int64_t now, std::int64_t wallAtZero, const Limits& limits,
                    bool insideATimeout);
    // Whether the day is at a limit, or would be with one more match.
    bool spent(const Limits& limits, bool oneMore) const;
    // The game quit or restarted: what was saved last comes back, read at the first frame when
    // days start at `startHour`, with the history.
    void restart(int startHour);
    // What "savedDay" should hold.
    const std::string& saved() const { return savedText; }
    // The page's line at `wallSeconds`: the day as following it would leave it, unchanged.
    std::string todayLine(const Limits& limits, std::int64_t wallSeconds) const;
    // The page's week at `wallSeconds`, the same way.
    std::string weekLine(const Limits& limits, std::int64_t wallSeconds) const;
    bool timing() const { return timed; }

  private:
    void save();
    void startDayIfLater(const std::string& today);

    // A day that ended with play while following, kept once the day is named.
    std::optional<std::pair<std::string, std::pair<int, int>>> ended;
    // The start hour the day was last named under; -1 until the first follow after a load.
    int namedUnder = -1;
    // The latest day seen since the load, or the day after the latest in the history: a name
    // goes back one day from it at the most.
    std::string latest;
    bool timed = false;
    std::int64_t nextSecond = 0;
    int unsavedSeconds = 0;
    std::string savedText;
};

// What the player has done that the plug-in's promises depend on.
struct Model {
    bool approved = false;
    DayModel day;
    // Counted losses since the last counted win, held at 255; a reset or a fresh session ends it.
    int lossStreak = 0;
    // Toggles of the master switch, in virtual seconds, from the last one back to two seconds
    // before it: only these can still hide the status line.
    std::deque<double> toggles;

    // The player flipped the master switch `seconds` into the run.
    void toggled(double seconds);

    // Bedtime's watch over the approved match.
    NightModel night;
};

}  // namespace randomPlay
