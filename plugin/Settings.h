// The console variables that hold Sundown's settings, each described once: onLoad registers them
// from this table, in its order, and every reader and writer fetches them by the name it gives.
#pragma once

#include <algorithm>

struct Setting {
    const char* name;
    const char* defaultValue;
    const char* description;
    bool listed;
    bool useMinimum;
    float minimum;
    bool useMaximum;
    float maximum;
    bool saved;         // the host keeps it across a restart
    const char* label;  // its row on the settings page, after the text's rows; null: none

    // A number read from the variable, held within the limits it was registered with: only
    // those it was registered with, as the console holds it.
    int held(int value) const {
        if (useMinimum) {
            value = std::max(value, static_cast<int>(minimum));
        }
        if (useMaximum) {
            value = std::min(value, static_cast<int>(maximum));
        }
        return value;
    }
};

namespace setting {

// One setting a row, its fields in columns:
// name, default, description, listed, useMinimum, minimum, useMaximum, maximum, saved, label.
// clang-format off
// The master switch, the limit mode and the count limit.
inline constexpr Setting enableSundown       {"enableSundown",        "0", "enableSundownByCount",                  true,  true,  0.0F, true,  1.0F,    false, nullptr};
inline constexpr Setting enableByNumOption   {"enableByNumOption",    "0", "enableByNumOption",                     true,  true,  0.0F, true,  2.0F,    false, nullptr};
inline constexpr Setting numOfGames          {"numOfGames",           "1", "How many games before quitting",        true,  true,  1.0F, false, 50.0F,   true,  nullptr};
// The session timer: the switch nothing reads, and the minute limit the page writes.
inline constexpr Setting enableByMinutes     {"enableByMinutes",      "0", "enableSundownByMinutes",                true,  true,  0.0F, true,  1.0F,    false, nullptr};
inline constexpr Setting numOfMinutes        {"numOfMinutes",         "1", "How many minutes before quitting",      true,  true,  1.0F, false, 360.0F,  true,  nullptr};
// Heads-ups before quitting.
inline constexpr Setting enableHeadsUp       {"enableHeadsUp",        "0", "Show a heads-up before quitting",       true,  true,  0.0F, true,  1.0F,    true,  "Heads-up before quitting"};
// The session kept across a restart.
inline constexpr Setting keepSessionOnRestart{"keepSessionOnRestart", "0", "Keep the session after a restart",      true,  true,  0.0F, true,  1.0F,    true,  "Keep the session after a restart"};
inline constexpr Setting savedSession        {"savedSession",         "",  "Session kept across restarts",          false, false, 0.0F, false, 0.0F,    true,  nullptr};
// The losing streak.
inline constexpr Setting lossStreakLimit     {"lossStreakLimit",      "0", "Quit after # losses in a row (0: off)", true,  true,  0.0F, true,  255.0F,  true,  "Quit after # losses in a row"};
// A day's budget.
inline constexpr Setting dailyMinutes        {"dailyMinutes",         "0", "Online minutes a day (0: no limit)",    true,  true,  0.0F, true,  1440.0F, true,  "Online minutes a day"};
inline constexpr Setting dailyMatches        {"dailyMatches",         "0", "Online matches a day (0: no limit)",    true,  true,  0.0F, true,  255.0F,  true,  "Online matches a day"};
inline constexpr Setting dayStartsAt         {"dayStartsAt",          "4", "Hour the day starts",                   true,  true,  0.0F, true,  23.0F,   true,  "Day starts at hour"};
inline constexpr Setting savedDay            {"savedDay",             "",  "Today's online play",                   false, false, 0.0F, false, 0.0F,    true,  nullptr};
// Bedtime.
inline constexpr Setting bedtime             {"bedtime",              "",  "Bedtime, HH:MM (empty: none)",          true,  false, 0.0F, false, 0.0F,    true,  "Bedtime (HH:MM)"};
// A fortnight at a glance.
inline constexpr Setting keepHistory         {"keepHistory",          "0", "Keep a history of online play",         true,  true,  0.0F, true,  1.0F,    true,  "Keep a history of online play"};
inline constexpr Setting savedHistory        {"savedHistory",         "",  "Online play by day",                    false, false, 0.0F, false, 0.0F,    true,  nullptr};
// A day's limits by weekday: seven numbers, Monday first, each held to the daily limit's range;
// drawn by the page's weekday table, not as rows of their own.
inline constexpr Setting minutesByWeekday    {"minutesByWeekday",     "",  "Online minutes a day, Monday to Sunday", true, false, 0.0F, false, 0.0F, true,  nullptr};
inline constexpr Setting matchesByWeekday    {"matchesByWeekday",     "",  "Online matches a day, Monday to Sunday", true, false, 0.0F, false, 0.0F, true,  nullptr};
// A week's budget.
inline constexpr Setting weeklyMinutes       {"weeklyMinutes",        "0", "Online minutes a week (0: no limit)",   true,  true,  0.0F, true,  10080.0F, true, "Online minutes a week"};
inline constexpr Setting weeklyMatches       {"weeklyMatches",        "0", "Online matches a week (0: no limit)",   true,  true,  0.0F, true,  2000.0F, true,  "Online matches a week"};
// A lock on the player's own limits until the day ends.
inline constexpr Setting savedLock           {"savedLock",            "",  "Limits locked until the day ends",      false, false, 0.0F, false, 0.0F,    true,  nullptr};
// clang-format on

}  // namespace setting

// Every setting, in the order the host registers them.
inline constexpr const Setting* kSettings[] = {
    &setting::enableSundown,
    &setting::enableByNumOption,
    &setting::numOfGames,
    &setting::enableByMinutes,
    &setting::numOfMinutes,
    &setting::enableHeadsUp,
    &setting::keepSessionOnRestart,
    &setting::savedSession,
    &setting::lossStreakLimit,
    &setting::dailyMinutes,
    &setting::dailyMatches,
    &setting::dayStartsAt,
    &setting::savedDay,
    &setting::bedtime,
    &setting::keepHistory,
    &setting::savedHistory,
    &setting::minutesByWeekday,
    &setting::matchesByWeekday,
    &setting::weeklyMinutes,
    &setting::weeklyMatches,
    &setting::savedLock,
};
