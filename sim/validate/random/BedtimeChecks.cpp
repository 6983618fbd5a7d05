// Bedtime: the plug-in's watch over the match agrees with the player's clock.
#include "BedtimeShell.h"
#include "Referee.h"

namespace randomPlay {

std::optional<NightTimes> Referee::night() const {
    return nightFrom(host.world.console().variable("bedtime")->text(), dayLimits().startHour);
}

std::optional<std::string> Referee::checkBedtime() const {
    const Sundown& sundown = *host.sundown();
    if (sundown.bedtime->matchNight().due() != model.night.due()) {
        return std::string("the plug-in ") +
               (sundown.bedtime->matchNight().due() ? "takes" : "does not take") +
               " the match for bedtime's last where the player's clock says otherwise";
    }
    return std::nullopt;
}

}  // namespace randomPlay
