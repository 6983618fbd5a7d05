// Heads-ups before quitting, for the player who asked for them: a warning in the status line's
// place for five seconds.
#include "Settings.h"
#include "Sundown.h"

namespace {

constexpr float kHeadsUpSeconds = 5.0F;

}  // namespace

// The choice is read when a heads-up is due, so a saved one counts before the page is drawn.
void Sundown::showHeadsUp(const char* text) {
    if (!flag(setting::enableHeadsUp)) {
        return;
    }
    const std::uint32_t shown = headsUp.show(text);
    gameService->SetTimeout(whileAlive<GameWrapper*>([shown](Sundown& self, GameWrapper*) {
                                self.headsUp.expire(shown);
                            }),
                            kHeadsUpSeconds);
}
