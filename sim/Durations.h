// Virtual times and durations as scripts write them and the timeline shows them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

// "250ms", "2s", "1.5s", "10m", "1h", in microseconds; empty when malformed or negative.
std::optional<std::int64_t> parseDuration(const std::string& text);

// A point in virtual time: a duration ("61s") or minutes and seconds ("1:01", "1:01.5").
std::optional<std::int64_t> parseTimePoint(const std::string& text);

// "[  1:01.000]": minutes, seconds and milliseconds.
std::string formatTimestamp(std::int64_t microseconds);
