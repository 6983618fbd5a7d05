// A host with the real built plug-in loaded, and the moves of play that tests make with it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "HostWorld.h"
#include "LoadedPlugin.h"
#include "SettingsWindow.h"
#include "Sundown.h"

enum class Result { Win, Loss, NoWinner };

class PluginHost {
  public:
    PluginHost();
    ~PluginHost();

    HostWorld world;
    std::unique_ptr<LoadedPlugin> loaded;

    // The plug-in object, seen through its own class so tests can read its fields.
    Sundown& sundown() const;

    // Joins an online match and kicks off its first round.
    void startOnlineMatch();
    // The match ends with `result` for the local player.
    void endMatch(Result result);
    // The player leaves the match, after its end or walking out: its game event is destroyed.
    void destroyMatch();
    // A whole online match: join, kick-off, end, back to the menus.
    void playMatch(Result result);

    // The game quits, if it has not, and starts again with what the host saved; the plug-in is
    // loaded afresh from disk.
    void restart();
    // The game starts again, and the host reads `value` for `name` back from a saved
    // configuration someone edited by hand.
    void restartWithSaved(const std::string& name, const std::string& value);

    // Advances the virtual clock with 60 host frames a second.
    void wait(double seconds);
    void canvasFrame() { world.canvas().frame(); }
    // Runs the console line as the player types it.
    void console(const std::string& line) { world.console().run(line, "script"); }
    void set(const std::string& name, const std::string& value);
    std::string var(const std::string& name);

    // Commands the plug-in handed to the host, in order, with the virtual second of each.
    std::vector<std::string> pluginCommands() const;
    std::vector<double> pluginCommandTimes(const std::string& command) const;
    std::vector<std::string> logLines() const;

    // The settings window, opened on first use; frames draw the page.
    SettingsWindow& settings();
    void drawPage(int frames = 1);
    // Plays a click or a typing on the page to its end, drawing frames as it goes.
    void clickOnPage(const std::string& label, char step = 0);
    void typeOnPage(const std::string& label, const std::string& text);
    void enterOnPage(const std::string& label);
    // Plays a click and returns the page as drawn in the very frame that reported the click.
    std::string clickAndReadThatDrawing(const std::string& label);
    const std::string& pageText() { return settings().pageText(); }
    // Clicks the session timer's Start/Stop button on the page.
    void pressStartStop() { clickOnPage("Start/Stop"); }

    // The last status line drawn, and its alpha.
    std::string statusText() const;
    float statusAlpha() const;

  private:
    void playInput();
    std::unique_ptr<SettingsWindow> window;
};
