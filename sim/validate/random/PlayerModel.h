// The random player's own model of the rules the plug-in keeps, written apart from the plug-in's
// code so that one fault cannot sit in both: the count rules, and the day's budget as the player
// has played it.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <utility>

#include "HistoryModel.h"
#include "NightModel.h"
#include "TimerModel.h"

namespace randomPlay {

// Whether rule `option` is met by these counts against `limit`.
bool countRuleMet(std::int32_t option, int played, int wins, int losses, int limit);

// Seven whole numbers separated by commas, Monday first, blanks around each ignored, each held to
// `most`; none for any other text.
std::optional<std::array<int, 7>> weekdayNumbers(const std::string& text, int most);
// Monday 0 to Sunday 6, for a day named "YYYY-MM-DD".
int weekdayOfDay(const std::string& day);

// The day of play a wall-clock second (UTC, the host world's time zone) belongs to when days
// start at `startHour`: "YYYY-MM-DD", the date on which it starts.
std::string dayOfPlayAt(std::int64_t wallSeconds, int startHour);

// Today's online play: the matches and seconds the plug-in should have counted, the moment the
// day ends, and what it should have saved.
class DayModel {
  public:
    // A day's limits: 0 is none.
    struct DayCaps {
        int matches = 0;
        int minutes = 0;
        bool on() const { return matches > 0 || minutes > 0; }
    };
    struct Limits {
        int matches = 0;  // the daily ones
        int minutes = 0;
        int startHour = 4;
        bool history = false;  // the player keeps a history
        // Seven numbers, Monday first, where the player set a readable text of them.
        std::optional<std::array<int, 7>> matchesByWeekday;
        std::optional<std::array<int, 7>> minutesByWeekday;
        bool weekdaysSet = false;  // either text is not empty: the page names the weekday
        int weekMatches = 0;       // the week's
        int weekMinutes = 0;
        // On for some day: the daily limits, or any weekday's.
        bool on() const;
        bool weekOn() const { return weekMatches > 0 || weekMinutes > 0; }
        // The days that end are kept for a history or for the week.
        bool daysKept() const { return history || weekOn(); }
        // The day's play is counted while the budget is on or the days are kept.
        bool counted() const { return on() || daysKept(); }
        // The limits of the day named `day`: its weekday's where set, else the daily ones.
        DayCaps forDay(const std::string& day) const;
    };

    std::string day;
    int matches = 0;
    int seconds = 0;
    // The wall-clock second the day in progress ends at; 0 until there is a day.
    std::int64_t endsAt = 0;
    // A history was kept at some moment of the day.
    bool historyKept = false;
    // The days that ended with play and a history kept at some moment of them.
    HistoryModel history;

    // Sundown looks at the clock at `wallSeconds`, while the day is counted. A day ends when the
    // clock reaches its end: the next is named by the clock, from nothing, and ends at its
    // start hour the next day. A start hour other than the one the end falls on moves the end
    // to the first time the clock shows that hour after this moment. A day named more than one
    // day after the clock's, or ending more than two days from now, is a wrong clock's: it
    // becomes the clock's day, its counts kept. A history kept now is kept for the day. A clock
    // that cannot be read changes nothing.
    void look(std::int64_t wallSeconds, const Limits& limits);
    // The round start that approves an online match, at virtual time `now`: its time counts
    // from here, a second at a time, while the day is counted.
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
    // The same for the week the day belongs to, today's play included; its minutes alone.
    bool weekSpent(const Limits& limits, bool oneMore) const;
    bool weekMinutesSpent(const Limits& limits) const;
    // The game quit or restarted: what was saved last comes back, read when days start at
    // `startHour`, at `wallSeconds`; the history is read against today.
    // A day saved as three numbers alone had a history kept if the days are kept now.
    void restart(int startHour, bool daysKeptNow, std::int64_t wallSeconds);
    // The player edited "savedDay" while the game was closed.
    void edited(const std::string& savedDay) { savedText = savedDay; }
    // What "savedDay" should hold.
    const std::string& saved() const { return savedText; }
    // The page's line at `wallSeconds`: the day as Sundown sees it then.
    std::string todayLine(const Limits& limits, std::int64_t wallSeconds) const;
    // The page's week at `wallSeconds`, the same way.
    std::string weekLine(const Limits& limits, std::int64_t wallSeconds) const;
    // The page's line of the week's budget at `wallSeconds`: "This week: ...".
    std::string thisWeekLine(const Limits& limits, std::int64_t wallSeconds) const;
    bool timing() const { return timed; }
    // The game quit: nothing is counted any more.
    void gameQuit() { timed = false; }

  private:
    // The week's matches and seconds so far, today's included.
    std::pair<int, int> weekSoFar() const;
    void save();
    // A day from nothing, named by the clock at `wallSeconds`.
    void begin(std::int64_t wallSeconds, const Limits& limits);

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
    // The session timer and its waiting quit.
    TimerModel timer;
};

}  // namespace randomPlay
