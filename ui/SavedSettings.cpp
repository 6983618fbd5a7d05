#include "SavedSettings.h"

#include <algorithm>

std::optional<std::int32_t> decodeLimitMode(const std::string& saved) {
    for (std::size_t index = 0; index < optionLabels.size(); ++index) {
        if (saved == optionLabels[index]) {
            return static_cast<std::int32_t>(index);
        }
    }
    return std::nullopt;
}

std::uint8_t decodeGameLimit(int saved) {
    return static_cast<std::uint8_t>(std::clamp(saved, 0, 255));
}
