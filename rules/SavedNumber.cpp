#include "SavedNumber.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <system_error>

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
