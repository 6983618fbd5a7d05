// A day's budget of online play: the online matches and seconds of play of one day of play,
// held against the limits the player set. It reads no clock: the shell names the day each count
// belongs to, and times the match a second at a time.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "Calendar.h"
#include "SavedDay.h"

// What following the clock did to the day: renamed it (its counts kept), or ended one with play.
struct DayFollowed {
    bool renamed = false;
    std::optional<SavedDay> ended;
};

// The limits of a day: 0 is none; the budget is on while either is set.
struct DayLimits {
    std::int32_t matches = 0;
    std::int32_t minutes = 0;
    bool on() const { return matches > 0 || minutes > 0; }
};

class DailyBudget {
  public:
    // What "savedDay" held, read once after a load, when days start at `startHour`; and the
    // latest day that ended before it, if one is known (kept in a history).
    bool loaded() const { return wasLoaded; }
    void load(const SavedDay& saved, int startHour, const std::string& latestEnded = {});
    // The counts of the day `moment` belongs to when days start at `startHour`. A day never goes
    // back: the counts belong to the latest day seen, so a moment named earlier (the clock set
    // back) is the day in progress, and a later one starts afresh at 0. A start hour other than
    // the one the day was named under never empties it: the day in progress keeps its counts,
    // named as the new start hour names the moment, and ends the next time the clock reaches that
    // hour; a name that goes back may go back one day from the latest day seen, no further, so
    // that no day that ended comes after the day in progress. What is saved must then say so; a
    // day that ended may be kept in a history.
    DayFollowed follow(const LocalTime& moment, int startHour);
    // The counts `follow` would leave, without following: what the page shows; with the day that
    // would end, if any.
    DailyBudget at(const LocalTime& moment, int startHour,
                   std::optional<SavedDay>* ended = nullptr) const;

    // An approved online match starts being timed; its ticks carry the number returned, so that
    // a tick of a match already counted counts nothing.
    std::uint32_t startTiming();
    bool timing(std::uint32_t run) const { return timed && run == tickRun; }
    // The match's end: its time stops. Whether it was being timed.
    [[nodiscard]] bool stopTiming();

    // One second of the timed match. Whether a minute of play now waits to be saved.
    bool countSecond();
    // One online match, won, lost or without a winner; held at 255.
    void countMatch();
    // Whether the day is at a limit, or would be with one more match.
    bool spent(const DayLimits& limits, bool countingOneMore) const;
    // What to save now; the seconds not yet saved start again from here.
    SavedDay save();

    const std::string& name() const { return day; }
    std::uint8_t matches() const { return matchesPlayed; }
    std::int32_t seconds() const { return secondsPlayed; }

  private:
    // A day named later than the day in progress starts at 0; the day that ended, if it had play.
    std::optional<SavedDay> roll(const std::string& today);

    std::string day;  // empty until known
    // The latest day seen since the load, the day after the latest that ended at the least.
    std::string latest;
    // The start hour the day in progress was last named under; none until the first follow.
    std::optional<int> namedUnder;
    std::uint8_t matchesPlayed = 0;
    std::int32_t secondsPlayed = 0;
    bool wasLoaded = false;
    bool timed = false;
    std::uint32_t tickRun = 0;
    std::int32_t unsavedSeconds = 0;
};
