#include "SavedDay.h"

#include <algorithm>
#include <string_view>

#include "Calendar.h"
#include "SavedNumber.h"

SavedDay decodeDay(const std::string& saved) {
    SavedDay day;
    const std::string_view text = saved;
    const std::size_t firstComma = text.find(',');
    const std::string_view date = trimmed(text.substr(0, firstComma));
    if (isDayName(std::string(date))) {
        day.day = std::string(date);
    }
    if (firstComma == std::string_view::npos) {
        return day;
    }
    const std::string_view rest = text.substr(firstComma + 1);
    const std::size_t secondComma = rest.find(',');
    day.matches = countFrom(wholeNumber(rest.substr(0, secondComma)));
    if (secondComma == std::string_view::npos) {
        return day;
    }
    std::string_view more = rest.substr(secondComma + 1);
    const std::string_view seconds = more.substr(0, more.find(','));
    day.seconds = static_cast<std::int32_t>(
        std::clamp(wholeNumber(seconds).value_or(0), 0LL, static_cast<long long>(kSecondsInADay)));
    more.remove_prefix(std::min(more.size(), seconds.size() + 1));
    const std::string_view end = more.substr(0, more.find(','));
    day.end = readMoment(end);
    more.remove_prefix(std::min(more.size(), end.size() + 1));
    day.historyKept = trimmed(more.substr(0, more.find(','))) == "history";
    return day;
}

std::string encodeDay(const SavedDay& day) {
    std::string text =
        day.day + "," + std::to_string(day.matches) + "," + std::to_string(day.seconds);
    if (day.end) {
        text += "," + momentName(*day.end);
    }
    if (day.historyKept) {
        text += day.end ? ",history" : ",,history";
    }
    return text;
}
