#include "WeekShell.h"

#include <cstdint>

#include "DayShell.h"
#include "HeadsUpTexts.h"
#include "PageLine.h"
#include "RuleServices.h"
#include "SettingRows.h"
#include "Settings.h"

WeekLimits weekLimitsSet(const RuleServices& services) {
    WeekLimits limits;
    limits.matches = services.held(setting::weeklyMatches);
    limits.minutes = services.held(setting::weeklyMinutes);
    return limits;
}

// The day's shell, asked first, has followed the day and started timing the match.
void WeekShell::kickOff(KickOffOutlook& outlook) {
    const WeekLimits limits = weekLimitsSet(services);
    minutesSpentSeen = false;
    if (!limits.on()) {
        return;
    }
    const PlayTotals week = day.weekSoFar();
    minutesSpentSeen = weekMinutesSpent(week, limits);
    outlook.weekEndsWhatever = weekSpent(week, limits, true);
}

// A limit set during the match is held against it from its next second, as the day times it.
bool WeekShell::followingClock() const {
    return on() && day.followingClock();
}

// The day's shell, asked first, has counted the second. The quit waits for the match's end.
void WeekShell::secondOfPlay() {
    const bool spent = weekMinutesSpent(day.weekSoFar(), weekLimitsSet(services));
    if (spent && !minutesSpentSeen) {
        services.showHeadsUp(headsUpText::kThisWeeksTimeIsUp);
    }
    minutesSpentSeen = spent;
}

// The day's shell, asked first, has counted the match.
bool WeekShell::matchEnded() {
    const WeekLimits limits = weekLimitsSet(services);
    return limits.on() && weekSpent(day.weekSoFar(), limits, false);
}

// Offered once the day is counted (a day's limit, a history, or a week's limit set at the
// console): a page with nothing on stays as it was.
void WeekShell::drawRows() {
    if (!day.on()) {
        return;
    }
    WeekLimits limits;
    limits.minutes = numberRow<std::uint16_t>(setting::weeklyMinutes, services).value;
    limits.matches = numberRow<std::uint16_t>(setting::weeklyMatches, services).value;
    if (!limits.on()) {
        return;
    }
    // What was typed takes effect at once: the day is followed and its play counted from now.
    day.look();
    const PlayTotals week = day.weekSoFar();
    PageLine line;
    line << "This week: matches " << week.matches;
    if (limits.matches > 0) {
        line << " of " << limits.matches;
    }
    line << ", minutes " << week.seconds / 60;
    if (limits.minutes > 0) {
        line << " of " << limits.minutes;
    }
    line.draw();
}
