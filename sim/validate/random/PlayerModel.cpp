#include "PlayerModel.h"

#include <algorithm>
#include <vector>

#include "WallTime.h"

namespace randomPlay {

namespace {

constexpr std::int64_t kSecond = 1'000'000;
constexpr int kSecondsInADay = 86'400;

}  // namespace

bool countRuleMet(std::int32_t option, int played, int wins, int losses, int limit) {
    switch (option) {
        case 0:
            return played >= limit;
        case 1:
            return losses >= limit;
        case 2:
            return losses - wins >= limit;
        default:
            return false;
    }
}

std::optional<std::array<int, 7>> weekdayNumbers(const std::string& text, int most) {
    std::array<int, 7> numbers{};
    std::size_t count = 0;
    std::size_t from = 0;
    for (;;) {
        const std::size_t comma = text.find(',', from);
        std::string part =
            text.substr(from, comma == std::string::npos ? std::string::npos : comma - from);
        while (!part.empty() && (part.front() == ' ' || part.front() == '\t')) {
            part.erase(part.begin());
        }
        while (!part.empty() && (part.back() == ' ' || part.back() == '\t')) {
            part.pop_back();
        }
        if (part.empty() || part.size() > 9 || count == numbers.size() ||
            part.find_first_not_of("0123456789") != std::string::npos) {
            return std::nullopt;
        }
        numbers[count++] = std::min(std::stoi(part), most);
        if (comma == std::string::npos) {
            break;
        }
        from = comma + 1;
    }
    if (count != numbers.size()) {
        return std::nullopt;
    }
    return numbers;
}

int weekdayOfDay(const std::string& day) {
    // 1970-01-01, day 0, was a Thursday.
    return static_cast<int>(((dayNumberOf(day) + 3) % 7 + 7) % 7);
}

bool DayModel::Limits::on() const {
    const auto some = [](const std::optional<std::array<int, 7>>& days) {
        return days && std::any_of(days->begin(), days->end(), [](int n) { return n > 0; });
    };
    return matches > 0 || minutes > 0 || some(matchesByWeekday) || some(minutesByWeekday);
}

DayModel::DayCaps DayModel::Limits::forDay(const std::string& day) const {
    DayCaps caps{matches, minutes};
    if (day.empty()) {
        return caps;
    }
    const auto weekday = static_cast<std::size_t>(weekdayOfDay(day));
    if (matchesByWeekday) {
        caps.matches = (*matchesByWeekday)[weekday];
    }
    if (minutesByWeekday) {
        caps.minutes = (*minutesByWeekday)[weekday];
    }
    return caps;
}

std::string dayOfPlayAt(std::int64_t wallSeconds, int startHour) {
    // Moved back by the start hour, the day of play is the calendar day.
    return formatWallTime(wallSeconds - std::int64_t{startHour} * 3600).substr(0, 10);
}

namespace {

std::string twoDigits(int number) {
    return std::string(1, static_cast<char>('0' + number / 10)) +
           static_cast<char>('0' + number % 10);
}

// The moment the day named `day` starts when days start at `hour`.
std::int64_t startOf(const std::string& day, int hour) {
    return *parseWallTime(day, twoDigits(hour) + ":00");
}

std::string dayAfter(const std::string& day) {
    return formatWallTime(startOf(day, 0) + kSecondsInADay).substr(0, 10);
}

// The first time after `wallSeconds` that the clock shows `hour`:00.
std::int64_t firstShowing(int hour, std::int64_t wallSeconds) {
    const std::int64_t today =
        wallSeconds / kSecondsInADay * kSecondsInADay + std::int64_t{hour} * 3600;
    return today > wallSeconds ? today : today + kSecondsInADay;
}

// The comma-separated fields of a saved text.
std::vector<std::string> fieldsOf(const std::string& text) {
    std::vector<std::string> fields;
    std::size_t from = 0;
    for (std::size_t comma = text.find(','); comma != std::string::npos;
         from = comma + 1, comma = text.find(',', from)) {
        fields.push_back(text.substr(from, comma - from));
    }
    fields.push_back(text.substr(from));
    return fields;
}

}  // namespace

void DayModel::begin(std::int64_t wallSeconds, const Limits& limits) {
    day = dayOfPlayAt(wallSeconds, limits.startHour);
    endsAt = startOf(dayAfter(day), limits.startHour);
    matches = 0;
    seconds = 0;
    historyKept = limits.daysKept();
}

void DayModel::look(std::int64_t wallSeconds, const Limits& limits) {
    if (!clockReadable(wallSeconds)) {
        return;
    }
    if (day.empty()) {
        begin(wallSeconds, limits);
        return;
    }
    if (wallSeconds >= endsAt) {
        const std::string ended = day;
        const int endedMatches = matches;
        const int endedSeconds = seconds;
        const bool kept = historyKept;
        begin(wallSeconds, limits);
        // A day without play leaves nothing to keep: it is named again the same way.
        if (endedMatches > 0 || endedSeconds > 0) {
            if (kept) {
                history.add(ended, endedMatches, endedSeconds, day);
            }
            save();
        }
        return;
    }
    const std::string clocksDay = dayOfPlayAt(wallSeconds, limits.startHour);
    const std::int64_t thisMinute = wallSeconds - wallSeconds % 60;
    if (dayNumberOf(day) > dayNumberOf(clocksDay) + 1 ||
        endsAt > thisMinute + std::int64_t{2} * kSecondsInADay) {
        day = clocksDay;
        endsAt = startOf(dayAfter(day), limits.startHour);
        save();
    }
    if (endsAt % kSecondsInADay / 3600 != limits.startHour) {
        endsAt = firstShowing(limits.startHour, wallSeconds);
        save();
    }
    if (limits.daysKept() && !historyKept) {
        historyKept = true;
        save();
    }
}

void DayModel::approve(std::int64_t now, std::int64_t wallAtZero, const Limits& limits) {
    if (!limits.counted()) {
        return;
    }
    look(wallAtZero + now / kSecond, limits);
    timed = true;
    nextSecond = now + kSecond;
}

void DayModel::catchUp(std::int64_t now, std::int64_t wallAtZero, const Limits& limits) {
    for (; timed && nextSecond <= now; nextSecond += kSecond) {
        // The second that ends now belongs to the day it started in.
        look(wallAtZero + nextSecond / kSecond - 1, limits);
        seconds = std::min(seconds + 1, kSecondsInADay);
        if (++unsavedSeconds >= 60) {
            save();
        }
        if (limits.counted()) {
            look(wallAtZero + nextSecond / kSecond, limits);
        }
    }
}

bool DayModel::countMatch(std::int64_t now, std::int64_t wallAtZero, const Limits& limits,
                          bool insideATimeout) {
    catchUp(insideATimeout ? now - 1 : now, wallAtZero, limits);
    const bool wasTimed = timed;
    timed = false;
    if (!wasTimed && !limits.counted()) {
        return false;
    }
    look(wallAtZero + now / kSecond, limits);
    matches = std::min(matches + 1, 255);
    save();
    return spent(limits, false);
}

bool DayModel::spent(const Limits& limits, bool oneMore) const {
    const DayCaps today = limits.forDay(day);
    return (today.matches > 0 && matches + (oneMore ? 1 : 0) >= today.matches) ||
           (today.minutes > 0 && seconds >= today.minutes * 60);
}

std::pair<int, int> DayModel::weekSoFar() const {
    std::pair<int, int> week = history.weekBefore(day);
    return {week.first + matches, week.second + seconds};
}

bool DayModel::weekMinutesSpent(const Limits& limits) const {
    return !day.empty() && limits.weekMinutes > 0 && weekSoFar().second >= limits.weekMinutes * 60;
}

bool DayModel::weekSpent(const Limits& limits, bool oneMore) const {
    if (day.empty()) {
        return false;
    }
    return (limits.weekMatches > 0 &&
            weekSoFar().first + (oneMore ? 1 : 0) >= limits.weekMatches) ||
           weekMinutesSpent(limits);
}

void DayModel::restart(int startHour, bool daysKeptNow, std::int64_t wallSeconds) {
    timed = false;
    unsavedSeconds = 0;
    const std::vector<std::string> fields = fieldsOf(savedText);
    // What the random player saves or edits is well formed: a date and two numbers, then maybe
    // an end and "history".
    day = savedText.empty() ? std::string() : fields[0];
    matches = day.empty() ? 0 : std::stoi(fields[1]);
    seconds = day.empty() ? 0 : std::stoi(fields[2]);
    endsAt = day.empty() ? 0 : startOf(dayAfter(day), startHour);
    if (!day.empty() && fields.size() > 3 && fields[3].size() == 16) {
        const std::optional<std::int64_t> end =
            parseWallTime(fields[3].substr(0, 10), fields[3].substr(11));
        if (end && *end > startOf(day, 0)) {
            endsAt = *end;
        }
    }
    historyKept = fields.size() > 4 ? fields[4] == "history" : fields.size() <= 3 && daysKeptNow;
    // Today is the clock's day, or the day saved when it is at most a day later.
    std::string today = dayOfPlayAt(wallSeconds, startHour);
    if (!day.empty() && day > today && day <= dayAfter(today)) {
        today = day;
    }
    history.load(history.saved(), today);
}

std::string DayModel::todayLine(const Limits& limits, std::int64_t wallSeconds) const {
    DayModel now = *this;
    now.look(wallSeconds, limits);
    const DayCaps today = limits.forDay(now.day);
    static const char* const kWeekdays[] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
    std::string line = "Today";
    if (limits.weekdaysSet && !now.day.empty()) {
        line += std::string(" (") + kWeekdays[weekdayOfDay(now.day)] + ")";
    }
    line += ": matches " + std::to_string(now.matches);
    if (today.matches > 0) {
        line += " of " + std::to_string(today.matches);
    }
    line += ", minutes " + std::to_string(now.seconds / 60);
    if (today.minutes > 0) {
        line += " of " + std::to_string(today.minutes);
    }
    return line;
}

std::string DayModel::weekLine(const Limits& limits, std::int64_t wallSeconds) const {
    DayModel now = *this;
    now.look(wallSeconds, limits);
    return now.history.weekLine(now.day, now.matches, now.seconds);
}

std::string DayModel::thisWeekLine(const Limits& limits, std::int64_t wallSeconds) const {
    DayModel now = *this;
    now.look(wallSeconds, limits);
    const std::pair<int, int> week = now.day.empty() ? std::pair<int, int>{0, 0} : now.weekSoFar();
    std::string line = "This week: matches " + std::to_string(week.first);
    if (limits.weekMatches > 0) {
        line += " of " + std::to_string(limits.weekMatches);
    }
    line += ", minutes " + std::to_string(week.second / 60);
    if (limits.weekMinutes > 0) {
        line += " of " + std::to_string(limits.weekMinutes);
    }
    return line;
}

void DayModel::save() {
    unsavedSeconds = 0;
    savedText = day + "," + std::to_string(matches) + "," + std::to_string(seconds) + "," +
                formatWallTime(endsAt).substr(0, 16) + (historyKept ? ",history" : "");
}

void Model::toggled(double seconds) {
    while (!toggles.empty() && toggles.front() + 2.0 <= seconds + 1e-9) {
        toggles.pop_front();
    }
    toggles.push_back(seconds);
}

}  // namespace randomPlay
