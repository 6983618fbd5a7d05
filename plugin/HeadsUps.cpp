// Heads-ups before quitting, for the player who asked for them: a warning in the status line's
// place for five seconds.
#include "Settings.h"
#include "Sundown.h"

namespace {

constexpr float kHeadsUpSeconds = 5.0F;

}  // namespace

// Read when a heads-up is due, so a saved choice counts before the page is ever drawn.
bool Sundown::headsUpEnabled() const {
    return variable(setting::enableHeadsUp).getBoolValue();
}

void Sundown::showHeadsUp(const char* text) {
    if (!headsUpEnabled()) {
        return;
    }
    const std::uint32_t shown = headsUp.show(text);
    gameService->SetTimeout(whileAlive<GameWrapper*>([shown](Sundown& self, GameWrapper*) {
                                self.headsUp.expire(shown);
                            }),
                            kHeadsUpSeconds);
}
