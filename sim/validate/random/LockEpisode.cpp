// A lock on the player's limits, played whole in one event: the page offers it or not, the
// player clicks it, tries changes by every route (the console, the page, the master switch's
// key and the count's reset, the saved configuration edited before a restart), and the clock
// moves on until the day has ended, and the lock with it.
#include "Run.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "CountRules.h"

namespace randomPlay {

namespace {

std::string plus(const std::string& text, int step, int least) {
    return std::to_string(std::max(least, std::atoi(text.c_str()) + step));
}

}  // namespace

// Changes are tried only while the lock surely holds: not in the last seconds of its day, where
// "within a second" would let its end and a change come in either order.
constexpr std::int64_t kLastSeconds = 30;

void Run::lockLimits(int choice) {
    if (!referee.lockOffered() || referee.lockHoldsFor() < kLastSeconds) {
        return;
    }
    const bool wasOpen = host.pageOpen;
    host.pageOpen = true;
    host.window.click(referee.lockButton());
    referee.timePasses(true);
    host.playInput([this] { referee.afterPageFrame(); });
    referee.timePasses(false);
    host.pageOpen = wasOpen;
    referee.lockClicked();
    for (int index = 0; index < lockChangeCount(choice); ++index) {
        if (host.world.game().quit() || referee.lockHoldsFor() < kLastSeconds) {
            break;
        }
        tryUnderTheLock(lockChange(choice, index));
    }
    if (host.world.game().quit()) {
        ++quits;
        restartGame();
        referee.lockRestarted();
    }
    // Two days on: past the end of any day the lock can have been taken in.
    referee.beforeClockChange();
    std::int64_t later = host.world.wallSeconds() + std::int64_t{49} * 3600;
    if (later % 3600 >= 3598) {
        later -= 3;
    }
    host.world.setWallClock(later);
    settle();
    referee.lockEnded();
}

// One change of a limit, by one route, looser or tighter than what the lock holds.
void Run::tryUnderTheLock(int change) {
    Console& console = host.world.console();
    const auto text = [&console](const char* name) { return console.variable(name)->text(); };
    const auto atTheConsole = [this](const char* name, const std::string& value) {
        referee.beforeLockChange();
        setClockRule(name, value);
        referee.lockChanged(name);
    };
    switch (change) {
        case 0:
            atTheConsole("numOfGames", plus(text("numOfGames"), 3, 1));
            break;
        case 1:
            atTheConsole("numOfGames", plus(text("numOfGames"), -1, 1));
            break;
        case 2:
            atTheConsole("lossStreakLimit", "0");
            break;
        case 3:
            atTheConsole("lossStreakLimit", text("lossStreakLimit") == "0"
                                                ? "3"
                                                : plus(text("lossStreakLimit"), -1, 0));
            break;
        case 4:
            atTheConsole("dailyMatches", plus(text("dailyMatches"), 2, 0));
            break;
        case 5:
            atTheConsole("bedtime", text("bedtime").empty() ? "22:00" : "");
            break;
        case 6:
            atTheConsole("bedtime", clockTimeIn(text("bedtime").empty() ? 90 : 30));
            break;
        case 7:
            atTheConsole("dayStartsAt",
                         std::to_string((console.variable("dayStartsAt")->intValue() + 1) % 24));
            break;
        case 8:
            if (host.sundown()->enabled) {
                atTheConsole("enableSundown", "0");
            } else {
                atTheConsole("keepSessionOnRestart",
                             text("keepSessionOnRestart") == "1" ? "0" : "1");
            }
            break;
        case 9:
            atTheConsole("enableByNumOption",
                         optionLabels[static_cast<std::size_t>(host.sundown()->selectedOption + 1) %
                                      optionLabels.size()]);
            break;
        case 10: {
            referee.beforeLockChange();
            const bool wasOpen = host.pageOpen;
            host.pageOpen = true;
            // The field holds a byte: past it, a lower limit.
            const std::string higher = plus(text("numOfGames"), 2, 1);
            const std::string typed = std::atoi(higher.c_str()) > 255 ? "1" : higher;
            host.window.type("Quit after # games", typed);
            referee.timePasses(true);
            host.playInput([this] { referee.afterPageFrame(); });
            referee.timePasses(false);
            host.pageOpen = wasOpen;
            referee.lockTyped("numOfGames", typed);
            break;
        }
        case 11:
            referee.beforeLockChange();
            if (host.world.console().press("F5") && referee.lockLetsTheSwitchFlip()) {
                referee.toggled();
            }
            host.world.console().run("resetGamesCount", "validator");
            settle();
            referee.lockRefusals();
            break;
        default: {
            // Edited with the game closed: from the menus, where quitting ends no match.
            if (host.world.game().inMatch()) {
                atTheConsole("numOfGames", plus(text("numOfGames"), 3, 1));
                break;
            }
            referee.beforeLockChange();
            const std::string edited = plus(text("numOfGames"), 5, 1);
            restartGame("numOfGames", edited);
            referee.lockRestarted();
            referee.lockRestartedWith("numOfGames", edited);
            break;
        }
    }
}

}  // namespace randomPlay
