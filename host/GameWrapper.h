// The game as the host shows it: hooks, timeouts, deferred execution, the canvas and the
// online game.
#pragma once

#include <functional>
#include <string>

#include "CanvasWrapper.h"
#include "HostApi.h"
#include "ServerWrapper.h"

class HostWorld;

class VANTREL_SDK_API GameWrapper {
  public:
    explicit GameWrapper(HostWorld& world);

    // The host runs `callback` with the function's name each time the game function runs.
    void HookEvent(std::string eventName, std::function<void(std::string)> callback);
    // The host runs `callback` once, `seconds` from now; nothing can cancel it.
    void SetTimeout(std::function<void(GameWrapper*)> callback, float seconds);
    // The host runs `callback` on its next frame.
    void Execute(std::function<void(GameWrapper*)> callback);
    // The host runs `callback` on every canvas frame.
    void RegisterDrawable(std::function<void(CanvasWrapper)> callback);

    bool IsInOnlineGame() const;
    // The online game; a null wrapper outside one.
    ServerWrapper GetOnlineGame() const;

  private:
    HostWorld* world;
};
