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
