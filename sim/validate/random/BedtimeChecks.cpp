// Bedtime: the plug-in's watch over the match agrees with the player's clock.
#include "BedtimeShell.h"
#include "Referee.h"

namespace randomPlay {

std::optional<NightTimes> Referee::night() const {
    return nightFrom(host.world.console().variable("bedtime")->text(), dayLimits().startHour);
}

// Enter in the bedtime field writes back the whole bedtime the field was given.
std::optional<std::string> Referee::checkBedtimeEntered() const {
    const std::string& now = host.world.console().variable("bedtime")->text();
    const std::optional<NightTimes> read = nightFrom(bedtimeLoaded, dayLimits().startHour);
    const std::optional<NightTimes> kept = night();
    if (read.has_value() != kept.has_value() || (read && read->line() != kept->line())) {
        return "Enter in the bedtime field made \"" + bedtimeLoaded + "\" into \"" + now + "\"";
    }
    return std::nullopt;
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
