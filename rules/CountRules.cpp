#include "CountRules.h"

#include <algorithm>
#include <cstddef>

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

bool countRuleMet(std::int32_t option, const MatchCounts& counts, std::uint8_t limit) {
    switch (static_cast<LimitMode>(option)) {
        case LimitMode::Games:
            return counts.played >= limit;
        case LimitMode::Losses:
            return counts.losses >= limit;
        case LimitMode::Ratio:
            // Widened first: more wins than losses makes the difference negative.
            return int{counts.losses} - int{counts.wins} >= int{limit};
        default:
            return false;
    }
}

namespace {

// Counts wrap as the played count does at its 256th match.
std::uint8_t oneMore(std::uint8_t count) {
    return static_cast<std::uint8_t>(count + 1);
}

}  // namespace

NextMatch nextMatchUnder(std::int32_t option, const MatchCounts& counts, std::uint8_t limit) {
    const std::uint8_t played = oneMore(counts.played);
    NextMatch next;
    next.endsWithALoss = countRuleMet(option, {played, counts.wins, oneMore(counts.losses)}, limit);
    next.endsWithAWin = countRuleMet(option, {played, oneMore(counts.wins), counts.losses}, limit);
    return next;
}
