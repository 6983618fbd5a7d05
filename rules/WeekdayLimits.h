// A day's limits by weekday, for the player who sets them ("minutesByWeekday",
// "matchesByWeekday"): seven whole numbers, Monday first, each the day's limit on that weekday
// (0: none that day). A day of play has the weekday of the date it is named by, so with days
// starting at 4, Friday 02:00 belongs to Thursday.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "DailyBudget.h"

using WeekdayNumbers = std::array<int, 7>;

// The seven numbers a text holds, Monday first, separated by commas, blanks around each
// ignored, each held to 0 to `most`; none when the text is not seven readable whole numbers (an
// empty one included).
std::optional<WeekdayNumbers> readWeekdayNumbers(const std::string& text, int most);
// "60,60,60,60,90,180,180".
std::string writeWeekdayNumbers(const WeekdayNumbers& numbers);
// The same, empty for none.
std::string writeWeekdayNumbers(const std::optional<WeekdayNumbers>& numbers);

// The weekday of the day named `day`, Monday 0 to Sunday 6; none when it names no day.
std::optional<int> weekdayOf(const std::string& day);
// "Mon" to "Sun".
const char* weekdayName(int weekday);

// The day's limits on `day`: each from its weekday's number where the player set the seven,
// else the daily one.
DayLimits limitsOn(const std::string& day, const DayLimits& daily,
                   const std::optional<WeekdayNumbers>& minutes,
                   const std::optional<WeekdayNumbers>& matches);
