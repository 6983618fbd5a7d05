// The session kept across a restart, as the text "savedSession" holds it:
// "switch,mode,played,wins,losses", and ",streak" while a losing-streak limit is set.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

// The session as it stands, to be saved.
struct SessionSnapshot {
    bool enabled = false;
    std::int32_t mode = 0;
    std::uint8_t played = 0;
    std::uint8_t wins = 0;
    std::uint8_t losses = 0;
    // Written only when there is one to keep: while a limit on the streak is set.
    std::optional<std::uint8_t> streak;
};

// A saved session as far as it could be read.
struct SavedSession {
    std::optional<bool> enabled;       // none when unreadable, missing, or not 0 or 1
    std::optional<std::int32_t> mode;  // none when unreadable, missing, or not 0 to 2
    std::uint8_t played = 0;           // unreadable or missing counts are 0; others held to a byte
    std::uint8_t wins = 0;
    std::uint8_t losses = 0;
    std::uint8_t streak = 0;
    bool hasStreak = false;  // whether it has a sixth number, the streak kept with it
};

// Reads any text without failing: what it cannot read is left out or counted as 0.
SavedSession decodeSession(const std::string& saved);
std::string encodeSession(const SessionSnapshot& session);
