#include "WeeklyBudget.h"

long long mondayOf(long long day) {
    // 1970-01-01, day 0, was a Thursday: three days after a Monday. Days before it count back
    // the same way.
    return day - ((day + 3) % 7 + 7) % 7;
}

bool weekMinutesSpent(const PlayTotals& week, const WeekLimits& limits) {
    return limits.minutes > 0 && week.seconds >= limits.minutes * 60;
}

bool weekSpent(const PlayTotals& week, const WeekLimits& limits, bool countingOneMore) {
    return (limits.matches > 0 && week.matches + (countingOneMore ? 1 : 0) >= limits.matches) ||
           weekMinutesSpent(week, limits);
}
