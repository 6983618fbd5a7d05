// The fortnight's chart on the settings page: a bar of online minutes a day, oldest first, the
// initial of each day's weekday under its bar, the tallest bar's minutes beside the chart and,
// where they are given, each day's limit marked on its bar. It draws what it is handed and
// keeps nothing; it knows nothing of days or limits.
#pragma once

#include <array>

namespace ui {

inline constexpr int kChartDays = 14;
using ChartNumbers = std::array<float, kChartDays>;

struct FortnightChart {
    const char* label;
    const ChartNumbers& minutes;
    // One letter a bar, oldest first.
    const std::array<char, kChartDays>& initials;
    // Each day's limit in minutes, 0 where it has none; null: no marks at all.
    const ChartNumbers* limits;
};

void drawFortnightChart(const FortnightChart& chart);

}  // namespace ui
