#include "ValidationHost.h"

#include <utility>

ValidationHost::ValidationHost(std::string pluginPath) : path(std::move(pluginPath)) {
    // The checks read the plug-in's fields, never the page's text or its pixels.
    window.captureText(false);
    window.drawForNoScreen();
    reload();
}

ValidationHost::~ValidationHost() {
    loaded.reset();
}

Sundown* ValidationHost::sundown() const {
    return loaded && loaded->plugin() != nullptr ? static_cast<Sundown*>(loaded->plugin())
                                                 : nullptr;
}

void ValidationHost::reload() {
    loaded.reset();
    loaded = std::make_unique<LoadedPlugin>(world, path);
    window.adopt(*loaded->settings());
}

void ValidationHost::restart() {
    loaded.reset();
    world.restartGame();
    loaded = std::make_unique<LoadedPlugin>(world, path);
    window.replaceContext(*loaded->settings());
    pageOpen = false;
}

void ValidationHost::drawPage() {
    if (auto* page = loaded->settings()) {
        window.frame(*page, 1.0F / 60.0F);
        if (afterPageDrawn) {
            afterPageDrawn();
        }
    }
}

void ValidationHost::advance(std::int64_t microseconds, const std::function<void()>& afterFrame) {
    world.advanceTo(
        world.clock().now() + microseconds, 60,
        [this] {
            if (pageOpen) {
                drawPage();
            }
        },
        afterFrame);
}

bool ValidationHost::playInput(const std::function<void()>& afterFrame) {
    constexpr int kFramesPerSecond = 60;
    while (window.busy() && !world.game().quit()) {
        const std::int64_t nextFrame = HostWorld::frameTime(
            HostWorld::nextFrameIndex(world.clock().now(), kFramesPerSecond), kFramesPerSecond);
        world.advanceTo(
            nextFrame, kFramesPerSecond, [this] { drawPage(); }, afterFrame);
    }
    return window.inputProblem().empty();
}
