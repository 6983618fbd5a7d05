// One simulated session: the host with the built plug-in loaded, playing a script on the
// virtual clock and telling what happens.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "HostWorld.h"
#include "LoadedPlugin.h"
#include "Script.h"
#include "SettingsWindow.h"

struct SessionOptions {
    std::string pluginPath;
    int framesPerSecond = 60;
    bool quiet = false;                // only failures: no timeline, no `show`
    std::ostream* timeline = nullptr;  // the player's timeline
    std::ostream* events = nullptr;    // JSON Lines, when asked for
    // Where a script's relative picture paths lead from: the script's own folder, or the
    // current one for a script from standard input or the built-in one.
    std::filesystem::path scriptFolder;
    // The same folder resolved to a full path when the play starts, where pictures are written;
    // empty: scriptFolder as it is.
    std::filesystem::path scriptFolderResolved;
    // A folder the user named on the command line where pictures may go too, by a full path or
    // by one that leads out of the script's folder; empty: none. A script may come from anyone.
    std::filesystem::path picturesAlsoIn;
    // Told what the session is about to do: loading the plug-in, or playing a script line; so
    // that a crash can be said to have happened there.
    void (*nowDoing)(const std::string& what) = nullptr;
};

// An output the session was asked for could not be written.
class OutputError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class Session {
  public:
    // Loads the plug-in; throws PluginRefused when the host refuses the file, and PluginFault
    // when the plug-in throws.
    explicit Session(SessionOptions options);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Plays every line; throws ScriptError for a line that cannot be played, PluginFault when
    // the plug-in throws, and OutputError when the event log cannot be written.
    void play(const std::vector<ScriptLine>& lines);
    int passed() const { return expectationsHeld; }
    int failed() const { return expectationsFailed; }

  private:
    void run(const ScriptLine& line);
    // Loads the plug-in, at the start and at each restart.
    void loadPlugin();
    // The game quits, if it has not, and starts again with what the host saved.
    void restart();
    void runGameLine(const ScriptLine& line);
    void expect(const ScriptLine& line);
    void expectCommand(const ScriptLine& line);
    void expectOverlay(const ScriptLine& line);
    void show(const ScriptLine& line);
    void snapshot(const ScriptLine& line);

    // Time passes: timeouts fire and host frames run at the chosen rate, until `target` or, when
    // `until` is given, the moment it turns true.
    void advanceTo(std::int64_t target, const std::function<bool()>& until = {});
    void waitFor(std::int64_t duration) { advanceTo(world.clock().now() + duration); }
    void noteOverlay();
    // Writes what the world recorded since the last call to the timeline and event log.
    void report();
    // What a player sees happen that the world does not record itself; `by` causes it.
    void story(const std::string& text, const std::string& by = "script") {
        world.record("story", text, "", by);
    }
    void print(const std::string& text);
    void tell(const std::string& what) const;

    void playMatch(const ScriptLine& line);
    // Whether match number `match` is still being played, or at least not left yet.
    bool stillIn(std::uint64_t match) const;
    std::optional<std::uint8_t> winnerFor(const std::string& result);
    void requireMatch(const ScriptLine& line) const;
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
    int expectationsHeld = 0;
    int expectationsFailed = 0;
    // The script line being played, as a report names it; empty before the first.
    std::string playing;
};
