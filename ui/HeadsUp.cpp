// Heads-ups before quitting, for the player who asked for them: a warning in the status line's
// place for five seconds.
#include "CVarWrapper.h"
#include "Sundown.h"

namespace {

constexpr float kHeadsUpSeconds = 5.0F;

}  // namespace

// Read when a heads-up is due, so a saved choice counts before the page is ever drawn.
bool Sundown::headsUpEnabled() {
    return cvarService->getCvar("enableHeadsUp").getBoolValue();
}

void Sundown::showHeadsUp(const char* text) {
    if (!headsUpEnabled()) {
        return;
    }
    headsUp = text;
    const std::uint32_t shown = ++headsUpShown;
    gameService->SetTimeout(whileAlive<GameWrapper*>([shown](Sundown& self, GameWrapper*) {
                                if (self.headsUpShown == shown) {
                                    self.headsUp = nullptr;
                                }
                            }),
                            kHeadsUpSeconds);
}
