#include "HostWorld.h"

#include <utility>
#include <vector>

HostWorld::HostWorld() : consoleState(*this), canvasState(*this), gameState(*this) {}

HostWorld::~HostWorld() = default;

void HostWorld::record(std::string type, std::string first, std::string second) {
    eventRecord.add(clockState.now(), std::move(type), std::move(first), std::move(second));
}

void HostWorld::queueExecute(std::function<void()> callable) {
    executes.push_back(std::move(callable));
}

void HostWorld::runExecutes() {
    std::vector<std::function<void()>> due;
    due.swap(executes);
    for (auto& callable : due) {
        callable();
    }
}

void HostWorld::frame(const std::function<void()>& settingsFrame) {
    runExecutes();
    if (settingsFrame) {
        settingsFrame();
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
                          const std::function<void()>& afterFrame) {
    if (framesPerSecond <= 0) {
        clockState.runUntil(target);
        return;
    }
    std::int64_t index = nextFrameIndex(clockState.now(), framesPerSecond);
    while (frameTime(index, framesPerSecond) <= target && !gameState.quit()) {
        clockState.runUntil(frameTime(index, framesPerSecond));
        // A timeout may have quit the game at this very moment: then no frame is drawn.
        if (!gameState.quit()) {
            frame(settingsFrame);
        }
        if (afterFrame) {
            afterFrame();
        }
        ++index;
    }
    if (!gameState.quit()) {
        clockState.runUntil(target);
    }
}

void HostWorld::dropRegistrations() {
    hookState.dropAll();
    consoleState.dropNotifiers();
    canvasState.dropDrawables();
    clockState.dropTimeouts();
    executes.clear();
}

void HostWorld::disconnected() {
    if (onDisconnect) {
        onDisconnect();
    }
}
