// The simulated host world behind the SDK wrappers: console, hooks, clock, canvas and game,
// with the record of everything observable. Tests and the simulator drive it directly.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "Canvas.h"
#include "Console.h"
#include "EventRecord.h"
#include "Game.h"
#include "GameHooks.h"
#include "HostApi.h"
#include "VirtualClock.h"

class VANTREL_SDK_API HostWorld {
  public:
    HostWorld();
    ~HostWorld();
    HostWorld(const HostWorld&) = delete;
    HostWorld& operator=(const HostWorld&) = delete;

    Console& console() { return consoleState; }
    const Console& console() const { return consoleState; }
    VirtualClock& clock() { return clockState; }
    const VirtualClock& clock() const { return clockState; }
    GameHooks& hooks() { return hookState; }
    Canvas& canvas() { return canvasState; }
    const Canvas& canvas() const { return canvasState; }
    Game& game() { return gameState; }
    const Game& game() const { return gameState; }
    EventRecord& events() { return eventRecord; }
    const EventRecord& events() const { return eventRecord; }

    void record(std::string type, std::string first, std::string second, std::string by,
                std::string detail = {});

    // The game runs one of its functions: every hook on it runs, between the watchers' calls.
    void fireHook(const std::string& functionName);
    // A host's own view of the game's functions: `before` and `after` run around the hooks of
    // every function the game runs, with its name.
    using HookWatcher = std::function<void(const std::string&)>;
    void watchHooks(HookWatcher before, HookWatcher after);

    // Callables handed to GameWrapper::Execute; they run at the start of the next host frame.
    void queueExecute(std::function<void()> callable, std::uint32_t owner);
    std::size_t pendingExecutes() const { return executes.size(); }
    // One host frame: pending Execute callables, the settings window if it is open, the canvas.
    void frame(const std::function<void()>& settingsFrame = {});
    void runExecutes();

    // Runs the clock to `target` with `framesPerSecond` host frames a second (none at 0), frames
    // and timeouts in the order of their times. Time stands still from the moment the game
    // quits, or `stop` turns true after a timeout or a frame. `afterFrame` runs after each
    // frame's canvas. The game carries out what a callback handed it as soon as it returns.
    void advanceTo(std::int64_t target, int framesPerSecond = 0,
                   const std::function<void()>& settingsFrame = {},
                   const std::function<void()>& afterFrame = {},
                   const std::function<bool()>& stop = {});
    static std::int64_t frameTime(std::int64_t index, int framesPerSecond);
    // The number of the first frame after `now`.
    static std::int64_t nextFrameIndex(std::int64_t now, int framesPerSecond);

    // The game quits, if it has not, and a new one starts: the host keeps what it saves (see
    // Console::startAfresh), the clock goes on. Its plug-ins are unloaded before, and loaded
    // afresh after, by whoever drives the host.
    void restartGame();

    // The wall clock shown to the plug-in (see WallClock.h): seconds since 1970 in UTC, which is
    // the world's local time. It moves with the virtual clock, second by second.
    std::int64_t wallSeconds() const { return wallAtZero + clockState.now() / 1'000'000; }
    // Sets the wall clock to `seconds` from now on, forwards or backwards.
    void setWallClock(std::int64_t seconds) { wallAtZero = seconds - clockState.now() / 1'000'000; }
    // 2026-06-01 18:00:00, an evening, unless told otherwise.
    static constexpr std::int64_t kDefaultWallClock = 1'780'336'800;

    // A number for each plug-in the host loads; what the plug-in registers carries it.
    std::uint32_t newOwner() { return ++owners; }
    // Forgets every callable that the plug-in `owner` handed over: the host unloads it.
    void dropRegistrations(std::uint32_t owner);

    // Host objects alive now, and the count kept by HostObject.
    std::int64_t liveObjects() const { return objects; }
    void objectCreated() { ++objects; }
    void objectDestroyed() { --objects; }

  private:
    struct PendingExecute {
        std::function<void()> callable;
        std::uint32_t owner;
    };

    // First, so it outlives every member whose objects report their end to it.
    std::int64_t objects = 0;
    EventRecord eventRecord;
    Console consoleState;
    VirtualClock clockState;
    GameHooks hookState;
    Canvas canvasState;
    Game gameState;
    std::vector<PendingExecute> executes;
    HookWatcher beforeHooks;
    HookWatcher afterHooks;
    std::uint32_t owners = 0;
    std::int64_t wallAtZero = kDefaultWallClock;
};
