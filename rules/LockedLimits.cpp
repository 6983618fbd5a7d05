#include "LockedLimits.h"

#include <algorithm>

namespace {

constexpr int kMinutesInADay = 24 * 60;

// A bedtime's place in the night: minutes after the start hour, 0 for no night at all.
int placeInTheNight(std::optional<ClockTime> bedtime, int startHour) {
    if (!nightOf(bedtime, startHour)) {
        return 0;
    }
    const int minute = bedtime->hour * 60 + bedtime->minute;
    return ((minute - startHour * 60) % kMinutesInADay + kMinutesInADay) % kMinutesInADay;
}

struct WeekdayHeld {
    std::optional<WeekdayNumbers> kept;
    bool putBack = false;
};

WeekdayHeld holdWeekdays(const std::optional<WeekdayNumbers>& locked, int lockedDaily,
                         const std::optional<WeekdayNumbers>& set, int setDaily) {
    const WeekdayNumbers held = weekdayLimitsInForce(locked, lockedDaily);
    const WeekdayNumbers wanted = weekdayLimitsInForce(set, setDaily);
    WeekdayNumbers tighter{};
    bool loosens = false;
    for (std::size_t day = 0; day < held.size(); ++day) {
        loosens = loosens || looserLimit(wanted[day], held[day]);
        tighter[day] = tighterLimit(wanted[day], held[day]);
    }
    if (!loosens) {
        return {set, false};
    }
    return {tighter, true};
}

}  // namespace

bool looserLimit(int candidate, int held) {
    if (held == 0) {
        return false;
    }
    return candidate == 0 || candidate > held;
}

int tighterLimit(int one, int other) {
    if (one == 0) {
        return other;
    }
    if (other == 0) {
        return one;
    }
    return std::min(one, other);
}

bool looserBedtime(std::optional<ClockTime> candidate, std::optional<ClockTime> held,
                   int startHour) {
    const int heldPlace = placeInTheNight(held, startHour);
    if (heldPlace == 0) {
        return false;
    }
    const int candidatePlace = placeInTheNight(candidate, startHour);
    return candidatePlace == 0 || candidatePlace > heldPlace;
}

WeekdayNumbers weekdayLimitsInForce(const std::optional<WeekdayNumbers>& byWeekday, int daily) {
    if (byWeekday) {
        return *byWeekday;
    }
    WeekdayNumbers each{};
    each.fill(daily);
    return each;
}

bool Holding::any() const {
    return std::any_of(putBack.begin(), putBack.end(), [](bool each) { return each; });
}

Holding holdTo(const LockedLimits& locked, const LockedLimits& set) {
    Holding holding;
    LockedLimits& kept = holding.kept;
    kept = set;
    const auto putBack = [&holding](LockedLimit which, bool loosens, auto& value, auto held) {
        if (loosens) {
            value = held;
            holding.putBack[static_cast<std::size_t>(which)] = true;
        }
    };
    putBack(LockedLimit::CountRules, locked.countRulesOn && !set.countRulesOn, kept.countRulesOn,
            true);
    putBack(LockedLimit::Mode, set.mode != locked.mode, kept.mode, locked.mode);
    putBack(LockedLimit::Games, set.games > locked.games, kept.games, locked.games);
    putBack(LockedLimit::Minutes, set.minutes > locked.minutes, kept.minutes, locked.minutes);
    putBack(LockedLimit::Streak, looserLimit(set.streak, locked.streak), kept.streak,
            locked.streak);
    putBack(LockedLimit::DailyMinutes, looserLimit(set.daily.minutes, locked.daily.minutes),
            kept.daily.minutes, locked.daily.minutes);
    putBack(LockedLimit::DailyMatches, looserLimit(set.daily.matches, locked.daily.matches),
            kept.daily.matches, locked.daily.matches);
    const WeekdayHeld minutes = holdWeekdays(locked.minutesByWeekday, locked.daily.minutes,
                                             set.minutesByWeekday, kept.daily.minutes);
    putBack(LockedLimit::MinutesByWeekday, minutes.putBack, kept.minutesByWeekday, minutes.kept);
    const WeekdayHeld matches = holdWeekdays(locked.matchesByWeekday, locked.daily.matches,
                                             set.matchesByWeekday, kept.daily.matches);
    putBack(LockedLimit::MatchesByWeekday, matches.putBack, kept.matchesByWeekday, matches.kept);
    putBack(LockedLimit::WeeklyMinutes, looserLimit(set.week.minutes, locked.week.minutes),
            kept.week.minutes, locked.week.minutes);
    putBack(LockedLimit::WeeklyMatches, looserLimit(set.week.matches, locked.week.matches),
            kept.week.matches, locked.week.matches);
    // The night is ordered by the start hour the lock holds, which cannot change under it.
    putBack(LockedLimit::Bedtime, looserBedtime(set.bedtime, locked.bedtime, locked.startHour),
            kept.bedtime, locked.bedtime);
    putBack(LockedLimit::StartHour, set.startHour != locked.startHour, kept.startHour,
            locked.startHour);
    putBack(LockedLimit::SessionKept, locked.sessionKept && !set.sessionKept, kept.sessionKept,
            true);
    return holding;
}
