// The two host services a plug-in is given: the console and the game.
#include <cmath>
#include <string>
#include <utility>

#include "CVarManagerWrapper.h"
#include "GameWrapper.h"
#include "HostWorld.h"

CVarManagerWrapper::CVarManagerWrapper(HostWorld& world, std::uint32_t owner)
    : world(&world), owner(owner) {}

CVarWrapper CVarManagerWrapper::registerCvar(std::string name, std::string defaultValue,
                                             std::string description, bool listed, bool useMin,
                                             float minimum, bool useMax, float maximum,
                                             bool persist) {
    VariableRegistration registration{std::move(name),
                                      std::move(defaultValue),
                                      std::move(description),
                                      listed,
                                      useMin,
                                      minimum,
                                      useMax,
                                      maximum,
                                      persist};
    return CVarWrapper(world->console().registerVariable(std::move(registration)));
}

void CVarManagerWrapper::registerNotifier(std::string name,
                                          std::function<void(std::vector<std::string>)> callback,
                                          std::string description, std::uint8_t accessLevel) {
    world->console().registerNotifier(
        name, {std::move(callback), std::move(description), accessLevel, owner});
}

CVarWrapper CVarManagerWrapper::getCvar(std::string name) {
    return CVarWrapper(world->console().find(name));
}

void CVarManagerWrapper::executeCommand(std::string command, bool log) {
    world->console().run(command, "plugin", log);
}

void CVarManagerWrapper::log(std::string text) {
    world->record("log", std::move(text), "", "plugin");
}

void CVarManagerWrapper::setBind(std::string key, std::string command) {
    world->console().bind(key, command, "plugin");
}

GameWrapper::GameWrapper(HostWorld& world, std::uint32_t owner) : world(&world), owner(owner) {}

void GameWrapper::HookEvent(std::string eventName, std::function<void(std::string)> callback) {
    world->record("register", "hook", eventName, "plugin");
    world->hooks().add(std::move(eventName), std::move(callback), owner);
}

// The callables below run with this wrapper, which the host keeps for as long as they can run.
void GameWrapper::SetTimeout(std::function<void(GameWrapper*)> callback, float seconds) {
    if (!std::isfinite(seconds) || seconds < 0.0F) {
        // The game would not fire it at once, nor perhaps ever: a fault of the plug-in's.
        world->record("fault", "a timeout with a delay of " + std::to_string(seconds) + " s", "",
                      "plugin");
        return;
    }
    world->clock().arm([this, callback = std::move(callback)] { callback(this); }, seconds, owner);
}

void GameWrapper::Execute(std::function<void(GameWrapper*)> callback) {
    world->queueExecute([this, callback = std::move(callback)] { callback(this); }, owner);
}

void GameWrapper::RegisterDrawable(std::function<void(CanvasWrapper)> callback) {
    world->record("register", "drawable", "", "plugin");
    world->canvas().addDrawable(std::move(callback), owner);
}

bool GameWrapper::IsInOnlineGame() const {
    return world->game().online();
}

ServerWrapper GameWrapper::GetOnlineGame() const {
    return ServerWrapper(world->game().onlineGameObject());
}
