#include "DayShell.h"

#include <optional>

#include "FortnightChart.h"
#include "HeadsUpTexts.h"
#include "PageLine.h"
#include "RuleServices.h"
#include "SettingRows.h"
#include "Settings.h"
#include "WeekShell.h"

static_assert(ui::kChartDays == History::kDays, "the chart draws the history's fortnight");

// The history is read with the day, against today: the clock's day, or the day saved when it is
// at most a day later (a clock set back within a day).
void DayShell::load() {
    if (budget.loaded()) {
        return;
    }
    SavedDay saved = decodeDay(services.text(setting::savedDay));
    // A day saved by an older Sundown does not say whether a history was kept: it was if it is.
    if (!saved.end) {
        saved.historyKept = daysKept();
    }
    const int startHour = services.held(setting::dayStartsAt);
    budget.load(saved, startHour);
    std::string today = saved.day;
    if (const std::optional<LocalTime> moment = services.now()) {
        const std::string clocksDay = dayOfPlay(*moment, startHour);
        if (today.empty() || today < clocksDay || today > dayAfter(clocksDay, 1)) {
            today = clocksDay;
        }
    }
    if (!today.empty()) {
        loadHistory(today);
    }
}

DayLimits DayShell::dailyLimits() const {
    DayLimits limits;
    limits.matches = services.held(setting::dailyMatches);
    limits.minutes = services.held(setting::dailyMinutes);
    return limits;
}

DayLimits DayShell::limits() const {
    return limitsOn(budget.name(), dailyLimits(), weekdays.minutes(), weekdays.matches());
}

bool DayShell::daysKept() const {
    return services.flag(setting::keepHistory) || weekLimitsSet(services).on();
}

// The day's play is counted while the budget is on, on any weekday, or the days are kept.
bool DayShell::on() const {
    return dailyLimits().on() || weekdays.anyLimit() || daysKept();
}

void DayShell::look() {
    if (on()) {
        follow();
    }
}

// An unreadable clock changes no day.
void DayShell::follow(int secondsAgo) {
    load();
    const std::optional<LocalTime> moment = services.now(secondsAgo);
    if (!moment) {
        return;
    }
    const DayFollowed followed =
        budget.follow(*moment, services.held(setting::dayStartsAt), daysKept());
    if (followed.ended && followed.ended->historyKept) {
        keepInHistory(*followed.ended);
    }
    if (followed.changed) {
        save();
    }
}

void DayShell::save() {
    services.write(setting::savedDay, encodeDay(budget.save()));
}

// The match starts being timed while the day is counted; it is the day's last when the day is
// spent, or will be with it.
void DayShell::kickOff(KickOffOutlook& outlook) {
    if (on()) {
        follow();
        timedRun = budget.startTiming();
    }
    const DayLimits today = limits();
    outlook.dayEndsWhatever = today.on() && budget.spent(today, true);
}

// A second of play belongs to the day it started in.
void DayShell::secondOfPlay() {
    follow(1);
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
    // A match kicked off while the day was not counted counts once it is, as the day's other
    // matches do, whatever today's own limits are.
    if (!timed && !on()) {
        return false;
    }
    // Held against the limits of the day it is counted in, which following may have renamed.
    follow();
    budget.countMatch();
    save();
    return budget.spent(limits(), false);
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

DailyBudget DayShell::shown() const {
    const std::optional<LocalTime> moment = services.now();
    return moment ? budget.at(*moment, services.held(setting::dayStartsAt)) : budget;
}

void DayShell::drawRows() {
    DayLimits daily;
    daily.minutes = numberRow<std::uint16_t>(setting::dailyMinutes, services).value;
    daily.matches = numberRow<std::uint8_t>(setting::dailyMatches, services).value;
    static_cast<void>(numberRow<std::uint8_t>(setting::dayStartsAt, services));
    weekdays.drawRows(daily);
    // What was typed, here or at the console, takes effect at once.
    load();
    look();
    const DailyBudget today = shown();
    const DayLimits limit = limitsOn(today.name(), daily, weekdays.minutes(), weekdays.matches());
    PageLine line;
    line << "Today";
    if (weekdays.set() && weekdayOf(today.name())) {
        line << " (" << weekdayName(*weekdayOf(today.name())) << ")";
    }
    line << ": matches " << int{today.matches()};
    if (limit.matches > 0) {
        line << " of " << limit.matches;
    }
    line << ", minutes " << today.seconds() / 60;
    if (limit.minutes > 0) {
        line << " of " << limit.minutes;
    }
    line.draw();
}

PlayTotals DayShell::weekSoFar() {
    if (budget.name().empty()) {
        return {};
    }
    loadHistory(budget.name());
    return kept.thisWeek(SavedDay{budget.name(), budget.matches(), budget.seconds()});
}

const std::array<char, History::kDays>& DayShell::initialsEndingWith(const std::string& today) {
    if (today != initialsDay) {
        initialsDay = today;
        todaysWeekday = weekdayOf(today).value_or(0);
        for (int bar = 0; bar < ui::kChartDays; ++bar) {
            const int weekday = ((todaysWeekday - (ui::kChartDays - 1 - bar)) % 7 + 7) % 7;
            initials[static_cast<std::size_t>(bar)] = "MTWTFSS"[weekday];
        }
    }
    return initials;
}

// Each day's limit as the player set it now: its weekday's where set, else the daily one.
void DayShell::markLimits() {
    if (!weekdays.set() && !weekLimitsSet(services).on()) {
        marks.reset();
        return;
    }
    const int daily = dailyLimits().minutes;
    const std::optional<WeekdayNumbers>& byWeekday = weekdays.minutes();
    DayNumbers limits{};
    for (int bar = 0; bar < ui::kChartDays; ++bar) {
        const int weekday = ((todaysWeekday - (ui::kChartDays - 1 - bar)) % 7 + 7) % 7;
        limits[static_cast<std::size_t>(bar)] =
            static_cast<float>(byWeekday ? (*byWeekday)[static_cast<std::size_t>(weekday)] : daily);
    }
    marks = limits;
}

void DayShell::drawHistoryRows() {
    bool keep = services.flag(setting::keepHistory);
    checkboxRow(setting::keepHistory, services, keep);
    if (!keep) {
        return;
    }
    // Today as it stands, a day that has just ended already kept; the chart's numbers are kept
    // between frames, never read again from what is saved.
    look();
    if (budget.name().empty()) {
        return;
    }
    const SavedDay played{budget.name(), budget.matches(), budget.seconds()};
    loadHistory(played.day);
    const ui::ChartNumbers& bars = kept.chart(played);
    const std::array<char, ui::kChartDays>& letters = initialsEndingWith(played.day);
    markLimits();
    ui::drawFortnightChart(
        {"Online minutes, last 14 days", bars, letters, marks ? &*marks : nullptr});
    const PlayTotals week = kept.week(played);
    (PageLine() << "Last 7 days: " << week.matches << " matches, " << week.seconds / 60
                << " minutes")
        .draw();
}
