// The count rules: a limit on the online matches played, on the losses, or on losses minus wins,
// and what counting one more match would do to them.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

// The limit modes, numbered as selectedOption holds them; any other number is no mode.
enum class LimitMode : std::int32_t { Games = 0, Losses = 1, Ratio = 2 };

// The limit modes in the order of selectedOption; the label is also what is saved.
inline constexpr std::array<const char*, 3> optionLabels = {"Game Count", "Lose Count",
                                                            "Win-Lose Ratio"};

// The index of the label that equals `saved` exactly, letter case counted; none otherwise.
std::optional<std::int32_t> decodeLimitMode(const std::string& saved);

// A saved count limit held within 0 to 255.
std::uint8_t decodeGameLimit(int saved);

struct MatchCounts {
    std::uint8_t played = 0;
    std::uint8_t wins = 0;
    std::uint8_t losses = 0;
};

// Whether rule `option` (0 games, 1 losses, 2 losses minus wins, any other none) is met by
// `counts` against `limit`. A count equal to the limit meets it.
bool countRuleMet(std::int32_t option, const MatchCounts& counts, std::uint8_t limit);

// What the next counted match would do to a rule: end the session if it is lost, if it is won.
struct NextMatch {
    bool endsWithALoss = false;
    bool endsWithAWin = false;
    bool endsWhatever() const { return endsWithALoss && endsWithAWin; }
};
NextMatch nextMatchUnder(std::int32_t option, const MatchCounts& counts, std::uint8_t limit);
