#include "ClockFollow.h"

#include "KeptSessionShell.h"
#include "LockShell.h"
#include "OptInRule.h"
#include "RuleServices.h"
#include "Settings.h"
#include "WallClock.h"

namespace {

constexpr float kSecondOfPlay = 1.0F;

}  // namespace

void ClockFollow::kickOff(bool following) {
    if (following || wanted()) {
        arm();
    }
}

void ClockFollow::frame() {
    if (armed) {
        return;
    }
    const long long second = wallSecond();
    if (second == lastWallSecond) {
        return;
    }
    lastWallSecond = second;
    if (wanted()) {
        look();
        arm();
    }
}

bool ClockFollow::wanted() const {
    for (const OptInRule* rule : rules) {
        if (rule->on()) {
            return true;
        }
    }
    return services.flag(setting::keepSessionOnRestart) || lock.held();
}

void ClockFollow::look() {
    lock.hold();
    lookAtRules();
}

void ClockFollow::lookAtRules() {
    for (OptInRule* rule : rules) {
        if (rule->on()) {
            rule->look();
        }
    }
    // A limit on the streak set at the console is kept before a restart can lose it.
    if (services.flag(setting::keepSessionOnRestart)) {
        keptSession.notice();
    }
}

void ClockFollow::arm() {
    const std::uint32_t thisRun = ++run;
    armed = true;
    services.after(kSecondOfPlay, [this, thisRun] { tick(thisRun); });
}

void ClockFollow::tick(std::uint32_t tickRun) {
    if (tickRun != run) {
        return;
    }
    lock.hold();
    bool following = false;
    for (OptInRule* rule : rules) {
        if (rule->followingClock()) {
            rule->secondOfPlay();
            following = following || rule->followingClock();
        }
    }
    lookAtRules();
    if (following || wanted()) {
        services.after(kSecondOfPlay, [this, tickRun] { tick(tickRun); });
    } else {
        armed = false;
    }
}
