#include "WeekdaySettings.h"

#include <algorithm>
#include <cstdint>

#include "PageLine.h"
#include "RuleServices.h"
#include "Widgets.h"

namespace {

// The most a weekday's number can be: the daily limit's own.
int mostFor(const Setting& which) {
    return static_cast<int>(&which == &setting::minutesByWeekday ? setting::dailyMinutes.maximum
                                                                 : setting::dailyMatches.maximum);
}

// Where the weekdays' columns start, and how wide each is.
constexpr float kFirstColumn = 80.0F;
constexpr float kColumnWidth = 56.0F;

}  // namespace

const std::optional<WeekdayNumbers>& WeekdaySettings::read(const Setting& which, Read& kept) const {
    if (holding && kept.heldInDrawing) {
        return kept.numbers;
    }
    std::string text = services.text(which);
    if (text != kept.text) {
        kept.numbers = readWeekdayNumbers(text, mostFor(which));
        kept.text = std::move(text);
    }
    kept.heldInDrawing = holding;
    return kept.numbers;
}

void WeekdaySettings::holdForDrawing(bool hold) {
    holding = hold;
    minutesRead.heldInDrawing = false;
    matchesRead.heldInDrawing = false;
}

const std::optional<WeekdayNumbers>& WeekdaySettings::minutes() const {
    return read(setting::minutesByWeekday, minutesRead);
}

const std::optional<WeekdayNumbers>& WeekdaySettings::matches() const {
    return read(setting::matchesByWeekday, matchesRead);
}

bool WeekdaySettings::set() const {
    minutes();
    matches();
    return !minutesRead.text.empty() || !matchesRead.text.empty();
}

bool WeekdaySettings::anyLimit() const {
    const auto some = [](const std::optional<WeekdayNumbers>& numbers) {
        return numbers &&
               std::any_of(numbers->begin(), numbers->end(), [](int number) { return number > 0; });
    };
    return some(minutes()) || some(matches());
}

void WeekdaySettings::drawRows(const DayLimits& daily) {
    bool ticked = set();
    // Offered once there is a day's budget to vary: a page without one stays as it was.
    if (!ticked && !daily.on()) {
        return;
    }
    if (ImGui::Checkbox("Different limits by weekday", &ticked)) {
        // Ticked, every weekday starts from the daily limits; unticked, the daily ones hold.
        services.write(setting::minutesByWeekday,
                       ticked ? writeWeekdayNumbers(WeekdayNumbers{
                                    daily.minutes, daily.minutes, daily.minutes, daily.minutes,
                                    daily.minutes, daily.minutes, daily.minutes})
                              : std::string());
        services.write(setting::matchesByWeekday,
                       ticked ? writeWeekdayNumbers(WeekdayNumbers{
                                    daily.matches, daily.matches, daily.matches, daily.matches,
                                    daily.matches, daily.matches, daily.matches})
                              : std::string());
        holdForDrawing(holding);
        return;
    }
    if (!ticked) {
        return;
    }
    // The weekdays' names head the columns on a line of their own, under the box's label.
    for (int weekday = 0; weekday < 7; ++weekday) {
        const float column = kFirstColumn + kColumnWidth * static_cast<float>(weekday);
        if (weekday == 0) {
            ImGui::SetCursorPosX(column);
        } else {
            ImGui::SameLine(column);
        }
        ImGui::TextUnformatted(weekdayName(weekday));
    }
    drawRow(setting::minutesByWeekday, "minutes", minutes(), daily.minutes);
    drawRow(setting::matchesByWeekday, "matches", matches(), daily.matches);
    for (const Setting* which : {&setting::minutesByWeekday, &setting::matchesByWeekday}) {
        const Read& kept = which == &setting::minutesByWeekday ? minutesRead : matchesRead;
        if (!kept.text.empty() && !kept.numbers) {
            (PageLine() << which->name << " is not seven numbers: the daily limit holds").draw();
        }
    }
}

bool WeekdaySettings::drawRow(const Setting& which, const char* label,
                              const std::optional<WeekdayNumbers>& set, int daily) {
    WeekdayNumbers numbers =
        set.value_or(WeekdayNumbers{daily, daily, daily, daily, daily, daily, daily});
    ImGui::TextUnformatted(label);
    bool typed = false;
    for (int weekday = 0; weekday < 7; ++weekday) {
        ImGui::SameLine(kFirstColumn + kColumnWidth * static_cast<float>(weekday));
        ImGui::SetNextItemWidth(kColumnWidth - 8.0F);
        // "##minutes Mon": no label shown beside the field, the column says it.
        const std::string field = std::string("##") + label + " " + weekdayName(weekday);
        auto& number = numbers[static_cast<std::size_t>(weekday)];
        auto value = static_cast<std::uint16_t>(number);
        if (ui::numberField(field.c_str(), value)) {
            number = std::min(static_cast<int>(value), mostFor(which));
            typed = true;
        }
    }
    if (typed) {
        services.write(which, writeWeekdayNumbers(numbers));
        holdForDrawing(holding);
    }
    return typed;
}
