// The limits a lock holds, and which way each one loosens: a limit may move towards less play
// while the lock holds, never towards more. It reads no clock and no setting: the shell gives the
// values as the player set them.
#pragma once

#include <array>
#include <cstddef>
#include <optional>

#include "Bedtime.h"
#include "DailyBudget.h"
#include "WeekdayLimits.h"
#include "WeeklyBudget.h"

// Every limit a lock holds, as the player set them.
struct LockedLimits {
    bool countRulesOn = false;
    int mode = 0;
    int games = 1;
    int minutes = 1;
    int streak = 0;
    DayLimits daily;
    std::optional<WeekdayNumbers> minutesByWeekday;
    std::optional<WeekdayNumbers> matchesByWeekday;
    WeekLimits week;
    std::optional<ClockTime> bedtime;
    int startHour = 4;
    bool sessionKept = false;
};

// The limits one by one, in the order they are put back.
enum class LockedLimit : std::size_t {
    CountRules,
    Mode,
    Games,
    Minutes,
    Streak,
    DailyMinutes,
    DailyMatches,
    MinutesByWeekday,
    MatchesByWeekday,
    WeeklyMinutes,
    WeeklyMatches,
    Bedtime,
    StartHour,
    SessionKept,
};
inline constexpr std::size_t kLockedLimitCount = 14;

// A limit where 0 is none: whether `candidate` lets more play than `held`, none being the most.
bool looserLimit(int candidate, int held);
// The tighter of two such limits.
int tighterLimit(int one, int other);
// Whether bedtime `candidate` comes later in the night than `held` when days start at
// `startHour`: the night is ordered from the start hour on, so 00:30 is later than 23:30. A
// bedtime that makes no night (none, or at the start hour) is the latest of all.
bool looserBedtime(std::optional<ClockTime> candidate, std::optional<ClockTime> held,
                   int startHour);
// The limit in force on each weekday: its own where the seven are set, else the daily one.
WeekdayNumbers weekdayLimitsInForce(const std::optional<WeekdayNumbers>& byWeekday, int daily);

// What holding the player's limits to a lock's comes to: the limits kept (each as set, or as the
// lock held it where that loosened it), and which were put back.
struct Holding {
    LockedLimits kept;
    std::array<bool, kLockedLimitCount> putBack{};
    bool puts(LockedLimit which) const { return putBack[static_cast<std::size_t>(which)]; }
    bool any() const;
};
// `set` held to `locked`. Limits by weekday are held by the limit in force on each weekday: one
// that loosens any weekday is put back as seven numbers, each weekday's the tighter of the two.
Holding holdTo(const LockedLimits& locked, const LockedLimits& set);
