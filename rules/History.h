// A fortnight at a glance, for the player who keeps a history ("keepHistory"): the online play of
// the days before today, as "savedHistory" holds it: "YYYY-MM-DD,matches,seconds" a day, oldest
// first, separated by ";", days without play left out, none older than 14 days before today.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "SavedDay.h"

// Matches and seconds of play over several days.
struct PlayTotals {
    int matches = 0;
    int seconds = 0;
};

class History {
  public:
    static constexpr int kDays = 14;

    // Reads any text without failing, as far as it goes: a day that cannot be read is dropped,
    // repeated days are added together, days later than `today` or older than 14 days before it
    // are dropped, and the rest is put in order.
    static History decode(const std::string& saved, const std::string& today);
    std::string encode() const;
    // Whether "savedHistory" has been read since the load; reads it, as decode does.
    bool loaded() const { return wasLoaded; }
    void load(const std::string& saved, const std::string& today);

    // A day that ended: added, to a day of the same name if there is one, in order; days older
    // than 14 days before `today` go. A day without play adds nothing.
    void add(const SavedDay& ended, const std::string& today);

    // The minutes of online play of each of the 14 days that end with today, oldest first: the
    // chart's bars. `today` is today's play so far.
    std::array<float, kDays> minutesByDay(const SavedDay& today) const;
    // The same, kept between frames: the days before today are worked out again only when the
    // history or the day changes.
    const std::array<float, kDays>& chart(const SavedDay& today);
    // The bars the chart was last drawn with.
    const std::array<float, kDays>& lastChart() const { return bars; }
    // The 7 days that end with today, today included.
    PlayTotals lastSevenDays(const SavedDay& today) const;
    // The same, the six days before today kept between frames with the chart's bars.
    PlayTotals week(const SavedDay& today);
    // The days of today's week, from its Monday to today, today included.
    PlayTotals weekSoFar(const SavedDay& today) const;
    // The same, the days before today kept with the chart's bars: asked at every second of play.
    PlayTotals thisWeek(const SavedDay& today);

    const std::vector<SavedDay>& days() const { return kept; }

  private:
    std::vector<SavedDay> kept;  // oldest first, one a day
    bool wasLoaded = false;
    std::array<float, kDays> bars{};
    float keptToday = 0.0F;      // minutes kept under today's name
    PlayTotals daysBeforeToday;  // the week's, without today's play so far
    PlayTotals weekBeforeToday;  // this week's from its Monday, without today's play so far
    std::string barsEndWith;     // the day both were worked out for; empty when out of date
    // Works the bars and both weeks out again when `today` is another day than they were for.
    void keepFor(const SavedDay& today);
};
