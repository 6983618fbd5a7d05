// Dates and times of day as scripts write them for the wall clock ("clock 2026-12-08 01:30"),
// as seconds since 1970 in UTC, the host world's time zone.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

// "YYYY-MM-DD" and "HH:MM" or "HH:MM:SS"; empty when either is malformed or names no moment
// (2026-02-30, 24:00, years before 1970 or after 9999).
std::optional<std::int64_t> parseWallTime(const std::string& date, const std::string& time);

// "2026-12-08 01:30:00".
std::string formatWallTime(std::int64_t seconds);
