// Today's online play, as the text "savedDay" holds it: "YYYY-MM-DD,matches,seconds", then the
// moment the day ends as the clock shows it ("YYYY-MM-DD HH:MM"), then "history" when a history
// was kept at some moment of the day. A day in the history is the first three alone.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

inline constexpr std::int32_t kSecondsInADay = 24 * 60 * 60;

struct SavedDay {
    std::string day;           // empty when the date cannot be read: the day starts afresh
    std::uint8_t matches = 0;  // unreadable counts are 0; held at 255
    std::int32_t seconds = 0;  // held within 0 and a whole day
    // In minutes, as minuteNumber counts them; none when unreadable or not written.
    std::optional<long long> end{};
    bool historyKept = false;
};

// Reads any text without failing: what it cannot read is left out or counted as 0.
SavedDay decodeDay(const std::string& saved);
std::string encodeDay(const SavedDay& day);
