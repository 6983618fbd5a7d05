// A day's limits by weekday as the player set them ("minutesByWeekday", "matchesByWeekday"):
// read through the rules' services, and read again only when a text changes, since the day's
// limits are asked for at every second of play and every frame of the page; and the page's rows
// that set them.
#pragma once

#include <optional>
#include <string>

#include "DailyBudget.h"
#include "Settings.h"
#include "WeekdayLimits.h"

class RuleServices;

class WeekdaySettings {
  public:
    explicit WeekdaySettings(RuleServices& services) : services(services) {}

    // The seven numbers of each, none where the text is empty or cannot be read.
    const std::optional<WeekdayNumbers>& minutes() const;
    const std::optional<WeekdayNumbers>& matches() const;
    // Whether either text is set: the page's box is ticked, and its day's line names the weekday.
    bool set() const;
    // Whether any weekday has a limit.
    bool anyLimit() const;
    // While the page is drawn each text is read once: within one drawing only the table's own
    // fields change them, and a field that writes one has it read again.
    void holdForDrawing(bool hold);

    // Once a daily limit or a weekday's is set, the box "Different limits by weekday" and, while
    // it is ticked, a column a weekday with a
    // field of minutes and one of matches; `daily` fills days of a text that cannot be read.
    void drawRows(const DayLimits& daily);

  private:
    struct Read {
        std::string text;
        std::optional<WeekdayNumbers> numbers;
        bool heldInDrawing = false;
    };
    const std::optional<WeekdayNumbers>& read(const Setting& which, Read& kept) const;
    // One row of the table: `label`'s field for each weekday; whether one was typed.
    bool drawRow(const Setting& which, const char* label, const std::optional<WeekdayNumbers>& set,
                 int daily);

    RuleServices& services;
    mutable Read minutesRead;
    mutable Read matchesRead;
    bool holding = false;
};
