// One simulated session: the host with the built plug-in loaded, playing a script on the
// virtual clock and telling what happens.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "HostWorld.h"
#include "LoadedPlugin.h"
#include "Script.h"
#include "SettingsWindow.h"

struct SessionOptions {
    std::string pluginPath;
    int framesPerSecond = 60;
    bool quiet = false;
    std::ostream* timeline = nullptr;  // the player's timeline
    std::ostream* events = nullptr;    // JSON Lines, when asked for
};

class Session {
  public:
    // Loads the plug-in; throws PluginRefused when the host refuses the file.
    explicit Session(SessionOptions options);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Plays every line; throws ScriptError for a line that cannot be played.
    void play(const std::vector<ScriptLine>& lines);
    int passed() const { return expectationsHeld; }
    int failed() const { return expectationsFailed; }

  private:
    void run(const ScriptLine& line);
    void runGameLine(const ScriptLine& line);
    void expect(const ScriptLine& line);
    void expectCommand(const ScriptLine& line);
    void expectOverlay(const ScriptLine& line);
    void show(const ScriptLine& line);
    void snapshot(const ScriptLine& line);

    // Time passes: timeouts fire and host frames run at the chosen rate.
    void advanceTo(std::int64_t target);
    void waitFor(std::int64_t duration) { advanceTo(world.clock().now() + duration); }
    void noteOverlay();
    // Writes what the world recorded since the last call to the timeline and event log.
    void report();
    void story(const std::string& text) { world.record("story", text); }
    void print(const std::string& text);

    void fireHook(const std::string& name);
    void playMatch(const ScriptLine& line);
    void endMatch(const std::string& result);
    void destroyMatch();
    void disconnected();
    void playInput(const ScriptLine& line);
    void requirePageOpen(const ScriptLine& line) const;

    void check(const ScriptLine& line, bool held, const std::string& expected,
               const std::string& seen);

    SessionOptions options;
    HostWorld world;
    std::unique_ptr<LoadedPlugin> loaded;
    std::unique_ptr<SettingsWindow> window;
    bool settingsOpen = false;
    bool pageDrawn = false;
    std::size_t reported = 0;
    std::string overlayText;
    std::string overlayAlpha;
    bool matchGone = false;
    int expectationsHeld = 0;
    int expectationsFailed = 0;
};
