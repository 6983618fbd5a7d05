#include "SundownLock.h"

#include "KeptSessionShell.h"
#include "Settings.h"
#include "Sundown.h"

namespace {

// As long as the master switch's own status line.
constexpr float kLockedLineSeconds = 2.0F;

}  // namespace

bool SundownLock::countRulesOn() const {
    return plugin.enabled;
}

bool SundownLock::timerRunning() const {
    return plugin.timerRunning;
}

int SundownLock::countMode() const {
    return plugin.selectedOption;
}

void SundownLock::countSettingsPutBack() {
    plugin.enabled = plugin.flag(setting::enableSundown);
    plugin.colourEnableButton();
    plugin.loadCountSettings();
    plugin.maxMinutes = plugin.held(setting::numOfMinutes);
    plugin.keptSession->save();
}

void SundownLock::tell(const std::string& line) {
    plugin.cvarService->log(line);
}

bool SundownLock::showingLocked() const {
    return plugin.headsUp.shown() == lastShown && plugin.headsUp.text() != nullptr;
}

// Shown whatever the heads-up choice says: the player must see why nothing happened.
void SundownLock::showLocked(const char* text) {
    const std::uint32_t shown = plugin.headsUp.show(text);
    lastShown = shown;
    plugin.gameService->SetTimeout(
        plugin.whileAlive<GameWrapper*>(
            [shown](Sundown& self, GameWrapper* /*game*/) { self.headsUp.expire(shown); }),
        kLockedLineSeconds);
}
