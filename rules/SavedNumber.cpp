#include "SavedNumber.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <system_error>

std::string_view trimmed(std::string_view text) {
    constexpr std::string_view blanks = " \t\r\n";
    const std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

std::optional<long long> wholeNumber(std::string_view text) {
    text = trimmed(text);
    if (text.empty()) {
        return std::nullopt;
    }
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
