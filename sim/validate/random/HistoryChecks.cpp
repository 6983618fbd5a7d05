// The history of play: what the plug-in keeps of past days is what the player played.
#include "Referee.h"

namespace randomPlay {

std::optional<std::string> Referee::checkHistory() const {
    const std::string saved = host.world.console().variable("savedHistory")->text();
    if (saved != model.day.history.saved()) {
        return "\"" + saved + "\" is the history saved where the player played \"" +
               model.day.history.saved() + "\"";
    }
    return std::nullopt;
}

}  // namespace randomPlay
