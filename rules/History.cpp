#include "History.h"

#include <algorithm>
#include <string_view>

#include "Calendar.h"
#include "WeeklyBudget.h"

namespace {

// Counts of one day added to another's, each held to what a day can hold.
void addInto(SavedDay& into, const SavedDay& more) {
    into.matches = static_cast<std::uint8_t>(std::min(into.matches + more.matches, 255));
    into.seconds = std::min(into.seconds + more.seconds, kSecondsInADay);
}

bool played(const SavedDay& day) {
    return day.matches > 0 || day.seconds > 0;
}

// How many days before today `day` is; negative for a day after it.
long long daysBefore(const SavedDay& day, long long today) {
    return today - dayNumber(day.day);
}

}  // namespace

History History::decode(const std::string& saved, const std::string& today) {
    History history;
    std::string_view rest = saved;
    while (!rest.empty()) {
        const std::size_t end = std::min(rest.find(';'), rest.size());
        const SavedDay day = decodeDay(std::string(rest.substr(0, end)));
        if (!day.day.empty() && day.day <= today) {
            history.add(day, today);
        }
        rest.remove_prefix(std::min(end + 1, rest.size()));
    }
    return history;
}

void History::load(const std::string& saved, const std::string& today) {
    *this = decode(saved, today);
    wasLoaded = true;
}

std::string History::encode() const {
    std::string saved;
    for (const SavedDay& day : kept) {
        saved += (saved.empty() ? "" : ";") + encodeDay(day);
    }
    return saved;
}

void History::add(const SavedDay& ended, const std::string& today) {
    barsEndWith.clear();
    if (played(ended) && isDayName(ended.day)) {
        const auto place = std::lower_bound(
            kept.begin(), kept.end(), ended.day,
            [](const SavedDay& day, const std::string& name) { return day.day < name; });
        if (place != kept.end() && place->day == ended.day) {
            addInto(*place, ended);
        } else {
            // A day in the history is its date and counts alone.
            kept.insert(place, SavedDay{ended.day, ended.matches, ended.seconds});
        }
    }
    const long long todayNumber = dayNumber(today);
    kept.erase(std::remove_if(kept.begin(), kept.end(),
                              [todayNumber](const SavedDay& day) {
                                  return daysBefore(day, todayNumber) > kDays;
                              }),
               kept.end());
}

std::array<float, History::kDays> History::minutesByDay(const SavedDay& today) const {
    std::array<float, kDays> minutes{};
    const long long todayNumber = dayNumber(today.day);
    minutes[kDays - 1] = static_cast<float>(today.seconds) / 60.0F;
    for (const SavedDay& day : kept) {
        const long long back = daysBefore(day, todayNumber);
        if (back >= 0 && back < kDays) {
            minutes[static_cast<std::size_t>(kDays - 1 - back)] +=
                static_cast<float>(day.seconds) / 60.0F;
        }
    }
    return minutes;
}

void History::keepFor(const SavedDay& today) {
    if (barsEndWith != today.day) {
        const SavedDay nothingYet{today.day, 0, 0};
        bars = minutesByDay(nothingYet);
        keptToday = bars[kDays - 1];
        daysBeforeToday = lastSevenDays(nothingYet);
        weekBeforeToday = weekSoFar(nothingYet);
        barsEndWith = today.day;
    }
}

const std::array<float, History::kDays>& History::chart(const SavedDay& today) {
    keepFor(today);
    // A day kept under today's name (two days of one date) is today's too.
    bars[kDays - 1] = keptToday + static_cast<float>(today.seconds) / 60.0F;
    return bars;
}

PlayTotals History::week(const SavedDay& today) {
    keepFor(today);
    return {daysBeforeToday.matches + today.matches, daysBeforeToday.seconds + today.seconds};
}

PlayTotals History::lastSevenDays(const SavedDay& today) const {
    PlayTotals week{today.matches, today.seconds};
    const long long todayNumber = dayNumber(today.day);
    for (const SavedDay& day : kept) {
        const long long back = daysBefore(day, todayNumber);
        if (back >= 0 && back < 7) {
            week.matches += day.matches;
            week.seconds += day.seconds;
        }
    }
    return week;
}

PlayTotals History::weekSoFar(const SavedDay& today) const {
    PlayTotals week{today.matches, today.seconds};
    const long long todayNumber = dayNumber(today.day);
    const long long monday = mondayOf(todayNumber);
    for (const SavedDay& day : kept) {
        const long long number = dayNumber(day.day);
        if (number >= monday && number <= todayNumber) {
            week.matches += day.matches;
            week.seconds += day.seconds;
        }
    }
    return week;
}

PlayTotals History::thisWeek(const SavedDay& today) {
    keepFor(today);
    return {weekBeforeToday.matches + today.matches, weekBeforeToday.seconds + today.seconds};
}
