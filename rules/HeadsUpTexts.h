// The heads-ups Sundown can show before it ends a session, each written once.
#pragma once

namespace headsUpText {

// At a kick-off.
inline constexpr const char* kLastGame = "Sundown: last game";
inline constexpr const char* kLastGameToday = "Sundown: last game today";
inline constexpr const char* kLastGameThisWeek = "Sundown: last game this week";
inline constexpr const char* kOneMoreLoss = "Sundown: one more loss ends the session";
inline constexpr const char* kOneMoreLossInARow =
    "Sundown: one more loss in a row ends the session";
// As the session timer nears its limit, and reaches it in a match.
inline constexpr const char* kFiveMinutesLeft = "Sundown: 5 minutes left";
inline constexpr const char* kOneMinuteLeft = "Sundown: 1 minute left";
inline constexpr const char* kTimeIsUp = "Sundown: time is up, quitting after this match";
// As the day's minutes run out in a match.
inline constexpr const char* kTodaysTimeIsUp =
    "Sundown: today's time is up, quitting after this match";
// As the week's minutes run out in a match.
inline constexpr const char* kThisWeeksTimeIsUp =
    "Sundown: this week's time is up, quitting after this match";
// Past bedtime at a kick-off, and as the night begins in a match.
inline constexpr const char* kPastBedtime = "Sundown: past bedtime, last game";
inline constexpr const char* kBedtime = "Sundown: bedtime, quitting after this match";
// When Sundown starts to leave the game.
inline constexpr const char* kLimitReached = "Sundown: limit reached, quitting";

}  // namespace headsUpText
