// How the console variables the settings page saves are read back into the plug-in object.
// The page and the toggle both read them this way.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

// The limit modes in the order of selectedOption; the label is also what is saved.
inline constexpr std::array<const char*, 3> optionLabels = {"Game Count", "Lose Count",
                                                            "Win-Lose Ratio"};

// The index of the label that equals `saved` exactly, letter case counted; none otherwise.
std::optional<std::int32_t> decodeLimitMode(const std::string& saved);

// A saved count limit held within 0 to 255.
std::uint8_t decodeGameLimit(int saved);

// The session kept across a restart, as "savedSession" holds it:
// "switch,mode,played,wins,losses", and ",streak" while a losing-streak limit is set.
struct KeptSession {
    std::optional<bool> enabled;       // none when unreadable, missing, or not 0 or 1
    std::optional<std::int32_t> mode;  // none when unreadable, missing, or not 0 to 2
    std::uint8_t played = 0;           // unreadable or missing counts are 0; others held to a byte
    std::uint8_t wins = 0;
    std::uint8_t losses = 0;
    std::uint8_t streak = 0;
};

// Reads any text without failing: what it cannot read is left out or counted as 0.
KeptSession decodeSession(const std::string& saved);
// The streak is written only when there is one to keep: while a limit on it is set.
std::string encodeSession(bool enabled, std::int32_t mode, std::uint8_t played, std::uint8_t wins,
                          std::uint8_t losses, std::optional<std::uint8_t> streak = std::nullopt);

// Today's online play, as "savedDay" holds it: "YYYY-MM-DD,matches,seconds".
struct SavedDay {
    std::string day;           // empty when the date cannot be read: the day starts afresh
    std::uint8_t matches = 0;  // unreadable counts are 0; held at 255
    std::int32_t seconds = 0;  // held within 0 and a whole day
};

inline constexpr std::int32_t kSecondsInADay = 24 * 60 * 60;

// Reads any text without failing, as decodeSession does.
SavedDay decodeDay(const std::string& saved);
std::string encodeDay(const SavedDay& day);
