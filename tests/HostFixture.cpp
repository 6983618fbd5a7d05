#include "HostFixture.h"
#include "HostTestAccess.h"

#include <cmath>

#include <gtest/gtest.h>

PluginHost::PluginHost() : loaded(std::make_unique<LoadedPlugin>(world, SUNDOWN_PLUGIN_PATH)) {}

PluginHost::~PluginHost() {
    window.reset();
    loaded.reset();
}

Sundown& PluginHost::sundown() const {
    return static_cast<Sundown&>(*loaded->plugin());
}

void PluginHost::startOnlineMatch() {
    world.game().joinOnline(0);
    world.game().startRound();
}

void PluginHost::endMatch(Result result) {
    const std::uint8_t player = world.game().playerTeam();
    if (result == Result::Win) {
        world.game().endMatch(player);
    } else if (result == Result::Loss) {
        world.game().endMatch(static_cast<std::uint8_t>(1 - player));
    } else {
        world.game().endMatch(std::nullopt);
    }
}

void PluginHost::destroyMatch() {
    world.game().leaveMatch(world.game().matchOver() ? Leaving::MatchOver : Leaving::WalkOut);
}

void PluginHost::playMatch(Result result) {
    startOnlineMatch();
    endMatch(result);
    destroyMatch();
}

void PluginHost::restart() {
    window.reset();
    loaded.reset();
    world.restartGame();
    loaded = std::make_unique<LoadedPlugin>(world, SUNDOWN_PLUGIN_PATH);
}

void PluginHost::restartWithSaved(const std::string& name, const std::string& value) {
    world.console().loadSaved(name, value);
    restart();
}

void PluginHost::wait(double seconds) {
    const std::int64_t target = world.clock().now() + VirtualClock::fromSeconds(seconds);
    if (window && loaded->settings() != nullptr) {
        world.advanceTo(target, 60, [this] { window->frame(*loaded->settings(), 1.0F / 60.0F); });
    } else {
        world.advanceTo(target, 60);
    }
}

void PluginHost::set(const std::string& name, const std::string& value) {
    world.console().set(name, value, "script");
}

std::string PluginHost::var(const std::string& name) {
    const ConsoleVariable* variable = world.console().variable(name);
    return variable == nullptr ? "<none>" : variable->text();
}

std::vector<std::string> PluginHost::pluginCommands() const {
    std::vector<std::string> commands;
    for (const auto& event : world.events().events()) {
        if (event.type == "command" && event.by == "plugin") {
            commands.push_back(event.first);
        }
    }
    return commands;
}

std::vector<double> PluginHost::pluginCommandTimes(const std::string& command) const {
    std::vector<double> times;
    for (const auto& event : world.events().events()) {
        if (event.type == "command" && event.by == "plugin" && event.first == command) {
            times.push_back(static_cast<double>(event.microseconds) / 1e6);
        }
    }
    return times;
}

std::vector<std::string> PluginHost::logLines() const {
    std::vector<std::string> lines;
    for (const auto& event : world.events().ofType("log")) {
        lines.push_back(event.first);
    }
    return lines;
}

SettingsWindow& PluginHost::settings() {
    if (!window) {
        window = std::make_unique<SettingsWindow>();
        window->adopt(*loaded->settings());
    }
    return *window;
}

void PluginHost::drawPage(int frames) {
    for (int frame = 0; frame < frames; ++frame) {
        world.runExecutes();
        settings().frame(*loaded->settings(), 1.0F / 60.0F);
    }
}

void PluginHost::playInput() {
    while (settings().busy()) {
        drawPage();
    }
    ASSERT_EQ(settings().inputProblem(), "");
}

void PluginHost::clickOnPage(const std::string& label, char step) {
    settings().click(label, step);
    playInput();
}

void PluginHost::typeOnPage(const std::string& label, const std::string& text) {
    settings().type(label, text);
    playInput();
}

void PluginHost::enterOnPage(const std::string& label) {
    settings().enter(label);
    playInput();
}

std::string PluginHost::clickAndReadThatDrawing(const std::string& label) {
    settings().click(label);
    while (HostTestAccess::framesLeft(settings()) > 1) {
        drawPage();
    }
    std::string drawing = pageText();
    playInput();
    return drawing;
}

std::string PluginHost::statusText() const {
    const auto& drawn = world.canvas().lastFrame();
    return drawn.empty() ? std::string() : drawn.back().text;
}

float PluginHost::statusAlpha() const {
    const auto& drawn = world.canvas().lastFrame();
    return drawn.empty() ? NAN : drawn.back().color.A;
}
