#include "SavedSettings.h"

#include "LocalTime.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <string_view>

std::optional<std::int32_t> decodeLimitMode(const std::string& saved) {
    for (std::size_t index = 0; index < optionLabels.size(); ++index) {
        if (saved == optionLabels[index]) {
            return static_cast<std::int32_t>(index);
        }
    }
    return std::nullopt;
}

std::uint8_t decodeGameLimit(int saved) {
    return static_cast<std::uint8_t>(std::clamp(saved, 0, 255));
}

namespace {

// A whole number, white space around it allowed (a hand-edited file may end a line in a carriage
// return); none when the text is anything else. Numbers too big for the type are held to its ends.
std::optional<long long> wholeNumber(std::string_view text) {
    constexpr std::string_view whiteSpace = " \t\r\n";
    const auto first = text.find_first_not_of(whiteSpace);
    if (first == std::string_view::npos) {
        return std::nullopt;
    }
    text.remove_prefix(first);
    text.remove_suffix(text.size() - text.find_last_not_of(whiteSpace) - 1);
    const bool negative = !text.empty() && text.front() == '-';
    const std::string_view digits = negative ? text.substr(1) : text;
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos) {
        return std::nullopt;
    }
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error == std::errc::result_out_of_range) {
        return negative ? std::numeric_limits<long long>::min()
                        : std::numeric_limits<long long>::max();
    }
    return end == text.data() + text.size() ? std::optional<long long>(value) : std::nullopt;
}

std::uint8_t countFrom(std::optional<long long> number) {
    return static_cast<std::uint8_t>(std::clamp(number.value_or(0), 0LL, 255LL));
}

}  // namespace

KeptSession decodeSession(const std::string& saved) {
    std::optional<long long> fields[6];
    std::string_view rest = saved;
    for (auto& field : fields) {
        const std::size_t comma = rest.find(',');
        field = wholeNumber(rest.substr(0, comma));
        if (comma == std::string_view::npos) {
            break;
        }
        rest.remove_prefix(comma + 1);
    }
    KeptSession session;
    if (fields[0] && (*fields[0] == 0 || *fields[0] == 1)) {
        session.enabled = *fields[0] == 1;
    }
    if (fields[1] && *fields[1] >= 0 && *fields[1] <= 2) {
        session.mode = static_cast<std::int32_t>(*fields[1]);
    }
    session.played = countFrom(fields[2]);
    session.wins = countFrom(fields[3]);
    session.losses = countFrom(fields[4]);
    session.streak = countFrom(fields[5]);
    return session;
}

std::string encodeSession(bool enabled, std::int32_t mode, std::uint8_t played, std::uint8_t wins,
                          std::uint8_t losses, std::optional<std::uint8_t> streak) {
    std::string saved = std::to_string(enabled ? 1 : 0) + "," + std::to_string(mode) + "," +
                        std::to_string(played) + "," + std::to_string(wins) + "," +
                        std::to_string(losses);
    if (streak) {
        saved += "," + std::to_string(*streak);
    }
    return saved;
}

SavedDay decodeDay(const std::string& saved) {
    SavedDay day;
    const std::string_view text = saved;
    const std::size_t firstComma = text.find(',');
    std::string_view date = text.substr(0, firstComma);
    const auto first = date.find_first_not_of(" \t\r\n");
    if (first != std::string_view::npos) {
        date = date.substr(first, date.find_last_not_of(" \t\r\n") - first + 1);
        if (isDayName(std::string(date))) {
            day.day = std::string(date);
        }
    }
    if (firstComma == std::string_view::npos) {
        return day;
    }
    const std::string_view rest = text.substr(firstComma + 1);
    const std::size_t secondComma = rest.find(',');
    day.matches = countFrom(wholeNumber(rest.substr(0, secondComma)));
    if (secondComma != std::string_view::npos) {
        std::string_view seconds = rest.substr(secondComma + 1);
        seconds = seconds.substr(0, seconds.find(','));
        day.seconds = static_cast<std::int32_t>(std::clamp(wholeNumber(seconds).value_or(0), 0LL,
                                                           static_cast<long long>(kSecondsInADay)));
    }
    return day;
}

std::string encodeDay(const SavedDay& day) {
    return day.day + "," + std::to_string(day.matches) + "," + std::to_string(day.seconds);
}
