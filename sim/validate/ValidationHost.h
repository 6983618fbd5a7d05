// The host the validator drives: the built plug-in loaded into a fresh world, with the settings
// window and a frame loop on the virtual clock.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "HostWorld.h"
#include "LoadedPlugin.h"
#include "SettingsWindow.h"
#include "Sundown.h"

class ValidationHost {
  public:
    explicit ValidationHost(std::string pluginPath);
    ~ValidationHost();

    HostWorld world;
    SettingsWindow window;
    bool pageOpen = false;
    // Runs after each drawing of the page.
    std::function<void()> afterPageDrawn;

    LoadedPlugin& plugin() { return *loaded; }
    // The plug-in object read through its own class; null once the host let it go.
    Sundown* sundown() const;
    void reload();
    // The game quits, if it has not, and starts again: the host keeps what it saves, a new
    // settings window opens closed, and the plug-in is loaded afresh.
    void restart();

    // Time passes at 60 frames a second; `afterFrame` runs after each canvas frame.
    void advance(std::int64_t microseconds, const std::function<void()>& afterFrame = {});
    // Plays queued page input to its end, a host frame (and the timeouts due before it) between
    // one move of the player's hand and the next, the page drawn in each; false when the widget
    // could not be found. `afterFrame` runs after each frame's canvas.
    bool playInput(const std::function<void()>& afterFrame = {});
    void drawPage();

  private:
    std::string path;
    std::unique_ptr<LoadedPlugin> loaded;
};
