#include "HostWorld.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "PluginFault.h"
#include "WallClock.h"

HostWorld::HostWorld() : consoleState(*this), canvasState(*this), gameState(*this) {
    wallClock::attach(*this);
}

HostWorld::~HostWorld() {
    wallClock::detach(*this);
}

void HostWorld::record(std::string type, std::string first, std::string second, std::string by,
                       std::string detail) {
    eventRecord.add({clockState.now(), std::move(type), std::move(first), std::move(second),
                     std::move(by), std::move(detail)});
}

void HostWorld::fireHook(const std::string& functionName) {
    record("hook", functionName, "", "game");
    if (beforeHooks) {
        beforeHooks(functionName);
    }
    hookState.fire(functionName);
    if (afterHooks) {
        afterHooks(functionName);
    }
}

void HostWorld::watchHooks(HookWatcher before, HookWatcher after) {
    beforeHooks = std::move(before);
    afterHooks = std::move(after);
}

void HostWorld::queueExecute(std::function<void()> callable, std::uint32_t owner) {
    executes.push_back({std::move(callable), owner});
}

void HostWorld::runExecutes() {
    std::vector<PendingExecute> due;
    due.swap(executes);
    for (auto& pending : due) {
        callPlugin("a callable it handed to Execute", {}, pending.callable);
        gameState.carryOutQueued();
    }
}

void HostWorld::frame(const std::function<void()>& settingsFrame) {
    runExecutes();
    if (settingsFrame) {
        settingsFrame();
        gameState.carryOutQueued();
    }
    canvasState.frame();
}

// Frames fall on whole frame numbers counted from time 0, so they never drift.
std::int64_t HostWorld::frameTime(std::int64_t index, int framesPerSecond) {
    return index * 1000000 / framesPerSecond;
}

std::int64_t HostWorld::nextFrameIndex(std::int64_t now, int framesPerSecond) {
    std::int64_t index = now * framesPerSecond / 1000000;
    while (frameTime(index, framesPerSecond) <= now) {
        ++index;
    }
    return index;
}

void HostWorld::advanceTo(std::int64_t target, int framesPerSecond,
                          const std::function<void()>& settingsFrame,
                          const std::function<void()>& afterFrame,
                          const std::function<bool()>& stop) {
    // Made once: the clock asks it after every timeout of every frame. What the timeout handed
    // the game happens first.
    const std::function<bool()> quit = [this, &stop] {
        gameState.carryOutQueued();
        return gameState.quit() || (stop && stop());
    };
    if (quit()) {
        return;
    }
    if (framesPerSecond > 0) {
        for (std::int64_t index = nextFrameIndex(clockState.now(), framesPerSecond);
             frameTime(index, framesPerSecond) <= target; ++index) {
            // Timeouts due by the frame's time fire first; one may quit the game, and then
            // neither the frame nor time goes on.
            clockState.runUntil(frameTime(index, framesPerSecond), quit);
            if (quit()) {
                return;
            }
            frame(settingsFrame);
            if (afterFrame) {
                afterFrame();
            }
            if (quit()) {
                return;
            }
        }
    }
    clockState.runUntil(target, quit);
}

void HostWorld::restartGame() {
    if (!gameState.quit()) {
        gameState.command({"unreal_command", "exit"});
    }
    consoleState.startAfresh();
    clockState.dropTimeouts();
    executes.clear();
    gameState.restart();
    record("game", "restart", "", "host");
}

void HostWorld::dropRegistrations(std::uint32_t owner) {
    hookState.dropOwner(owner);
    consoleState.dropOwner(owner);
    canvasState.dropOwner(owner);
    clockState.dropOwner(owner);
    executes.erase(
        std::remove_if(executes.begin(), executes.end(),
                       [owner](const PendingExecute& pending) { return pending.owner == owner; }),
        executes.end());
}
