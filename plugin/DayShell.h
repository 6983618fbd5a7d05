// The day of online play, for the player who sets a day's budget ("dailyMinutes",
// "dailyMatches", or by weekday "minutesByWeekday", "matchesByWeekday"), keeps a history
// ("keepHistory") or sets a week's budget, which counts the days it keeps: the shell that joins
// the day's budget and the history to the plug-in. It alone says whether the day is counted; it
// follows the day by the wall clock, times an approved match a second at a time, saves the day, and
// adds each day that ends to the history. It has its own switches, so neither a restart nor the
// master switch lifts the budget.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "DailyBudget.h"
#include "History.h"
#include "OptInRule.h"
#include "WeekdaySettings.h"

class RuleServices;

// A number for each day of the fortnight, oldest first.
using DayNumbers = std::array<float, History::kDays>;

class DayShell final : public OptInRule, public PageRows {
  public:
    explicit DayShell(RuleServices& services)
        : services(services), weekdays(services), historyRows(*this) {}

    // Reads "savedDay" and "savedHistory" once, at the first frame or before, so that a start
    // hour changed since is seen as a change.
    void load();

    // The match flow's questions.
    bool on() const override;
    void look() override;
    void kickOff(KickOffOutlook& outlook) override;
    bool followingClock() const override { return budget.timing(timedRun); }
    void secondOfPlay() override;
    bool matchEnded() override;
    const char* leaveLine() const override { return "Trying to Exit by the day's budget"; }

    // From the start of a drawing of the page to its end: settings read once in it.
    void holdForDrawing(bool hold) { weekdays.holdForDrawing(hold); }
    // The day's rows of the page; the history's rows are drawn apart, after bedtime's.
    void drawRows() override;
    PageRows& historyPage() { return historyRows; }

    // Whether a day's limit is set, daily or on any weekday.
    bool limitSet() const { return dailyLimits().on() || weekdays.anyLimit(); }
    // As the plug-in holds them now.
    const DailyBudget& today() const { return budget; }
    const History& history() const { return kept; }
    // The day as it stands now, without following it.
    DailyBudget shown() const;
    // This week's play so far, today's included; none while the day is not known.
    PlayTotals weekSoFar();
    // The limits the chart last marked on its bars, in minutes, oldest first; none: unmarked.
    const std::optional<DayNumbers>& chartMarks() const { return marks; }

  private:
    // The history's rows of the page: its switch, the fortnight's chart and the week's line.
    class HistoryRows final : public PageRows {
      public:
        explicit HistoryRows(DayShell& day) : day(day) {}
        void drawRows() override { day.drawHistoryRows(); }

      private:
        DayShell& day;
    };

    // The limits of the day in progress: its weekday's where the player set them, else the
    // daily ones.
    DayLimits limits() const;
    DayLimits dailyLimits() const;
    // Whether the days that end are kept: for the history, or for a week's budget.
    bool daysKept() const;
    // The day as the clock showed it `secondsAgo` before now; a day that ended goes into the
    // history at the same moment the next is saved.
    void follow(int secondsAgo = 0);
    void save();
    void loadHistory(const std::string& today);
    void keepInHistory(const SavedDay& ended);
    void drawHistoryRows();
    // The chart's weekday initials, worked out again only when today is another day.
    const std::array<char, History::kDays>& initialsEndingWith(const std::string& today);
    // Each bar's limit of minutes while limits by weekday or a week's budget are set.
    void markLimits();

    RuleServices& services;
    WeekdaySettings weekdays;
    DailyBudget budget;
    History kept;
    HistoryRows historyRows;
    std::uint32_t timedRun = 0;
    std::string initialsDay;
    int todaysWeekday = 0;
    std::array<char, History::kDays> initials{};
    std::optional<DayNumbers> marks;
};
