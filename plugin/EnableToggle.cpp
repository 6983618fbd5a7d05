// The master switch: flipping it, saving it, recolouring the enable button, and showing the
// status line for two seconds.
#include "KeptSessionShell.h"
#include "LockShell.h"
#include "Settings.h"
#include "Sundown.h"

void Sundown::toggleEnabled() {
    keptSession->notice();
    // The page may not have drawn yet: the status line and the rules need the saved limit.
    loadCountSettings();
    // Under a lock the switch turns the count rules on, never off.
    lock->hold();
    if (enabled && lock->refuses()) {
        return;
    }
    enabled = !enabled;
    // The switch's own line takes the place of any heads-up.
    headsUp.clear();
    variable(setting::enableSundown).setValue(enabled ? 1 : 0);
    colourEnableButton();
    armTimeout(&Sundown::hideOverlay, 2.0F);
    overlayAlpha = 255;
    keptSession->save();
}

void Sundown::hideOverlay() {
    overlayAlpha = 0;
}
