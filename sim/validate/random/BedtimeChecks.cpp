// Bedtime and the history of play: the plug-in's watch over the match agrees with the player's,
// and what it keeps of past days is what the player played.
#include "BedtimeShell.h"
#include "Referee.h"

namespace randomPlay {

std::optional<NightTimes> Referee::night() const {
    return nightFrom(host.world.console().variable("bedtime")->text(), dayLimits().startHour);
}

std::optional<std::string> Referee::checkBedtimeAndHistory() const {
    const Sundown& sundown = *host.sundown();
    if (sundown.bedtime->matchNight().due() != model.night.due()) {
        return std::string("the plug-in ") +
               (sundown.bedtime->matchNight().due() ? "takes" : "does not take") +
               " the match for bedtime's last where the player's clock says otherwise";
    }
    const std::string saved = host.world.console().variable("savedHistory")->text();
    if (saved != model.day.history.saved()) {
        return "\"" + saved + "\" is the history saved where the player played \"" +
               model.day.history.saved() + "\"";
    }
    return std::nullopt;
}

}  // namespace randomPlay
