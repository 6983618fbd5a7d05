// The game as the host shows it: hooks, timeouts, deferred execution, the canvas and the
// online game.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "CanvasWrapper.h"
#include "HostApi.h"
#include "ServerWrapper.h"

class HostWorld;

class VANTREL_SDK_API GameWrapper {
  public:
    // Made by the host for each plug-in it loads, `owner` being the host's number for it; the
    // plug-in shares it, the host keeps it until it unloads the plug-in.
    GameWrapper(HostWorld& world, std::uint32_t owner);

    // The host keeps `callback` and runs it with the function's name each time the game
    // function runs.
    void HookEvent(std::string eventName, std::function<void(std::string)> callback);
    // The host keeps `callback` and runs it once, `seconds` from now; nothing can cancel it.
    void SetTimeout(std::function<void(GameWrapper*)> callback, float seconds);
    // The host runs `callback` on its next frame.
    void Execute(std::function<void(GameWrapper*)> callback);
    // The host keeps `callback` and runs it on every canvas frame with that frame's canvas.
    void RegisterDrawable(std::function<void(CanvasWrapper)> callback);

    // Whether the player is in an online game now.
    bool IsInOnlineGame() const;
    // The online game, owned by the caller; a null wrapper outside one.
    ServerWrapper GetOnlineGame() const;

  private:
    HostWorld* world;
    std::uint32_t owner;
};
