// The texts the plug-in saves, read as a hand-edited file may hold them: blanks around a piece,
// and numbers.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// `text` without the blanks around it (a hand-edited file may end a line in a carriage return);
// empty when it is all blanks.
std::string_view trimmed(std::string_view text);

// A whole number, white space around it allowed (a hand-edited file may end a line in a carriage
// return); none when the text is anything else. Numbers too big for the type are held to its ends.
std::optional<long long> wholeNumber(std::string_view text);

// A count held within 0 to 255; 0 when there is none.
std::uint8_t countFrom(std::optional<long long> number);
