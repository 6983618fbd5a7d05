// Bedtime, for the player who sets one ("bedtime"): the shell's side of the rule. It reads the
// bedtime, the day's start hour and the wall clock, and watches an approved online match a second
// at a time for the night to begin, so that the session ends after that match. It has its own
// switch, a bedtime set: the master switch and its key do not lift it.
#include "HeadsUpTexts.h"
#include "Settings.h"
#include "Sundown.h"
#include "WallClock.h"

namespace {

constexpr float kWatchSeconds = 1.0F;

}  // namespace

std::optional<Night> Sundown::night() const {
    return nightOf(parseClockTime(variable(setting::bedtime).getStringValue()),
                   heldValue(setting::dayStartsAt));
}

bool Sundown::inTheNight() const {
    const std::optional<Night> tonight = night();
    return tonight && tonight->holds(localTimeNow());
}

// At the kick-off that approves an online match: in the night it is the last; before the night,
// it is watched for the night's beginning while a bedtime is set.
void Sundown::watchForTheNight() {
    const std::optional<Night> tonight = night();
    const bool nightNow = tonight && tonight->holds(localTimeNow());
    const std::uint32_t run = bedtime.approve(nightNow);
    if (tonight && !nightNow) {
        armNightWatch(run);
    }
}

void Sundown::armNightWatch(std::uint32_t run) {
    gameService->SetTimeout(whileAlive<GameWrapper*>([run](Sundown& self, GameWrapper*) {
                                // The watch of a match already ended watches nothing.
                                if (self.bedtime.watching(run)) {
                                    self.nightWatchTick(run);
                                }
                            }),
                            kWatchSeconds);
}

void Sundown::nightWatchTick(std::uint32_t run) {
    const std::optional<Night> tonight = night();
    if (bedtime.tick(run, tonight && tonight->holds(localTimeNow()))) {
        // The match is played out; the quit waits for its end.
        showHeadsUp(headsUpText::kBedtime);
    } else if (tonight && !bedtime.due()) {
        armNightWatch(run);
    }
}
