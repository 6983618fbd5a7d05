// Virtual times and durations as scripts write them and the timeline shows them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

// "250ms", "2s", "1.5s", "10m", "1h", in microseconds; empty when malformed or negative. One
// longer than the clock can count counts as the longest it can.
std::optional<std::int64_t> parseDuration(const std::string& text);

// The longest wait a script line may ask for: one that a host playing frames at the highest
// rate still plays through in reasonable time.
constexpr std::int64_t kLongestWait = 24LL * 3600 * 1'000'000;

// A whole number of seconds as a script would write it: "24h", "90m", "61s".
std::string formatDuration(std::int64_t microseconds);

// A point in virtual time: a duration ("61s") or minutes and seconds ("1:01", "1:01.5").
std::optional<std::int64_t> parseTimePoint(const std::string& text);

// "[  1:01.000]": minutes, seconds and milliseconds.
std::string formatTimestamp(std::int64_t microseconds);
