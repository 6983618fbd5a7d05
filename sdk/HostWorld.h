// The simulated host world behind the SDK wrappers: console, hooks, clock, canvas and game,
// with the record of everything observable. Tests and the simulator drive it directly.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "Canvas.h"
#include "Console.h"
#include "EventRecord.h"
#include "GameHooks.h"
#include "HostApi.h"
#include "OnlineGame.h"
#include "VirtualClock.h"

class GameWrapper;

class VANTREL_SDK_API HostWorld {
  public:
    HostWorld();
    ~HostWorld();
    HostWorld(const HostWorld&) = delete;
    HostWorld& operator=(const HostWorld&) = delete;

    Console& console() { return consoleState; }
    VirtualClock& clock() { return clockState; }
    const VirtualClock& clock() const { return clockState; }
    GameHooks& hooks() { return hookState; }
    Canvas& canvas() { return canvasState; }
    const Canvas& canvas() const { return canvasState; }
    OnlineGame& game() { return gameState; }
    EventRecord& events() { return eventRecord; }
    const EventRecord& events() const { return eventRecord; }

    void record(std::string type, std::string first, std::string second = {});

    // Callables handed to GameWrapper::Execute; they run at the start of the next host frame.
    void queueExecute(std::function<void()> callable);
    std::size_t pendingExecutes() const { return executes.size(); }
    // One host frame: pending Execute callables, the settings window if it is open, the canvas.
    void frame(const std::function<void()>& settingsFrame = {});
    void runExecutes();

    // Runs the clock to `target` with `framesPerSecond` host frames a second (none at 0).
    // Time stands still once the game has quit.
    // `afterFrame` runs after each frame's canvas.
    void advanceTo(std::int64_t target, int framesPerSecond = 0,
                   const std::function<void()>& settingsFrame = {},
                   const std::function<void()>& afterFrame = {});
    static std::int64_t frameTime(std::int64_t index, int framesPerSecond);
    // The number of the first frame after `now`.
    static std::int64_t nextFrameIndex(std::int64_t now, int framesPerSecond);

    // Forgets every callable that plug-ins handed over: the host unloads them.
    void dropRegistrations();

    // Called by the game when a disconnect destroys the running game event.
    void setDisconnectHandler(std::function<void()> handler) { onDisconnect = std::move(handler); }
    void disconnected();

    // Host objects alive now, and the count kept by HostObject.
    std::int64_t liveObjects() const { return objects; }
    void objectCreated() { ++objects; }
    void objectDestroyed() { --objects; }

  private:
    // First, so it outlives every member whose objects report their end to it.
    std::int64_t objects = 0;
    EventRecord eventRecord;
    Console consoleState;
    VirtualClock clockState;
    GameHooks hookState;
    Canvas canvasState;
    OnlineGame gameState;
    std::vector<std::function<void()>> executes;
    std::function<void()> onDisconnect;
};
