#include "DayShell.h"

#include <cfloat>
#include <optional>

#include "HeadsUpTexts.h"
#include "PageLine.h"
#include "RuleServices.h"
#include "SettingRows.h"
#include "Settings.h"

// The history is read with the day: a day in progress is never named before a day that ended.
void DayShell::load() {
    if (budget.loaded()) {
        return;
    }
    const SavedDay saved = decodeDay(services.text(setting::savedDay));
    const int startHour = services.held(setting::dayStartsAt);
    // Today is the day saved: no day in the history comes after it.
    loadHistory(saved.day.empty() ? dayOfPlay(services.now(), startHour) : saved.day);
    budget.load(saved, startHour, kept.days().empty() ? std::string() : kept.days().back().day);
}

DayLimits DayShell::limits() const {
    DayLimits limits;
    limits.matches = services.held(setting::dailyMatches);
    limits.minutes = services.held(setting::dailyMinutes);
    return limits;
}

bool DayShell::historyKept() const {
    return services.flag(setting::keepHistory);
}

// The day's play is counted while the budget is on, or a history is kept.
bool DayShell::on() const {
    return limits().on() || historyKept();
}

// A second of play belongs to the day it started in.
void DayShell::followUnderTheStartHour(int secondsAgo) {
    follow(services.held(setting::dayStartsAt), secondsAgo);
}

void DayShell::follow(int startHour, int secondsAgo) {
    load();
    const DayFollowed followed = budget.follow(services.now(secondsAgo), startHour);
    // A day renamed under a new start hour is saved at once, so that a restart finds it.
    if (followed.renamed) {
        save();
    }
    if (followed.ended && historyKept()) {
        keepInHistory(*followed.ended);
    }
}

void DayShell::save() {
    services.write(setting::savedDay, encodeDay(budget.save()));
}

// The match starts being timed while the day is counted; it is the day's last when the day is
// spent, or will be with it.
void DayShell::kickOff(KickOffOutlook& outlook) {
    if (on()) {
        followUnderTheStartHour();
        timedRun = budget.startTiming();
    }
    const DayLimits today = limits();
    outlook.dayEndsWhatever = today.on() && budget.spent(today, true);
}

void DayShell::secondOfPlay() {
    followUnderTheStartHour(1);
    const DayLimits today = limits();
    const bool spentBefore = budget.spent(today, false);
    if (budget.countSecond()) {
        save();
    }
    // The quit waits for the match's end.
    if (!spentBefore && budget.spent(today, false) && today.minutes > 0) {
        services.showHeadsUp(headsUpText::kTodaysTimeIsUp);
    }
}

// The first end handler after an approval: the match counts for the day, which may then be at a
// limit.
bool DayShell::matchEnded() {
    const bool timed = budget.stopTiming();
    const DayLimits today = limits();
    if (!timed && !today.on() && !historyKept()) {
        return false;
    }
    followUnderTheStartHour();
    budget.countMatch();
    save();
    return budget.spent(today, false);
}

// Read once, as the day is: edits made while the game runs are not seen until it starts again.
void DayShell::loadHistory(const std::string& today) {
    if (!kept.loaded()) {
        kept.load(services.text(setting::savedHistory), today);
    }
}

void DayShell::keepInHistory(const SavedDay& ended) {
    loadHistory(budget.name());
    kept.add(ended, budget.name());
    services.write(setting::savedHistory, kept.encode());
}

void DayShell::drawRows() {
    DayLimits limit;
    limit.minutes = numberRow<std::uint16_t>(setting::dailyMinutes, services).value;
    limit.matches = numberRow<std::uint8_t>(setting::dailyMatches, services).value;
    const NumberShown startHour = numberRow<std::uint8_t>(setting::dayStartsAt, services);
    if (startHour.typed && limit.on()) {
        // The day in progress goes on under the hour typed, its counts kept.
        follow(startHour.value);
    }
    // The day as it stands now, shown without changing it.
    load();
    const DailyBudget shown = budget.at(services.now(), startHour.value);
    PageLine line;
    line << "Today: matches " << int{shown.matches()};
    if (limit.matches > 0) {
        line << " of " << limit.matches;
    }
    line << ", minutes " << shown.seconds() / 60;
    if (limit.minutes > 0) {
        line << " of " << limit.minutes;
    }
    line.draw();
}

void DayShell::drawHistoryRows() {
    bool keep = historyKept();
    checkboxRow(setting::keepHistory, services, keep);
    if (!keep) {
        return;
    }
    // Today as it stands, and the days before it as kept: the chart's numbers are kept between
    // frames, never read again from what is saved.
    load();
    std::optional<SavedDay> ended;
    const DailyBudget today =
        budget.at(services.now(), services.held(setting::dayStartsAt), &ended);
    const SavedDay played{today.name(), today.matches(), today.seconds()};
    loadHistory(today.name());
    // A day that has ended, though nothing has followed the clock since, is shown among the days
    // before today; it is kept when the day is next followed.
    History withEnded;
    if (ended) {
        withEnded = kept;
        withEnded.add(*ended, today.name());
    }
    History& shown = ended ? withEnded : kept;
    ImGui::PlotHistogram("Online minutes, last 14 days", shown.chart(played).data(), History::kDays,
                         0, nullptr, 0.0F, FLT_MAX, ImVec2(0.0F, 80.0F));
    const PlayTotals week = shown.week(played);
    (PageLine() << "Last 7 days: " << week.matches << " matches, " << week.seconds / 60
                << " minutes")
        .draw();
}
