// Wrappers over host objects. A call on a wrapper with no object behind it gives a null
// wrapper or a zero, never a failure.
#include <utility>

#include "ActorWrapper.h"
#include "CVarWrapper.h"
#include "CanvasWrapper.h"
#include "ConsoleVariable.h"
#include "HostWorld.h"
#include "ServerWrapper.h"

Canvas* canvasOf(const ObjectHandle& handle);

namespace {

Game* gameOf(const ObjectHandle& handle) {
    return handle.empty() ? nullptr : &handle.get()->world().game();
}

ConsoleVariable* variableOf(const ObjectHandle& handle) {
    return objectAs<ConsoleVariable>(handle.get());
}

}  // namespace

ActorWrapper::ActorWrapper(ObjectHandle handle) : object(handle) {}
ActorWrapper::~ActorWrapper() = default;
bool ActorWrapper::IsNull() const {
    return object.empty();
}

std::uint8_t TeamInfoWrapper::GetTeamNum() const {
    return teamNumberOf(handle());
}

std::uint8_t PlayerReplicationInfoWrapper::GetTeamNum() const {
    return teamNumberOf(handle());
}

PriWrapper PlayerControllerWrapper::GetPRI() const {
    Game* game = gameOf(handle());
    return PriWrapper(game == nullptr ? ObjectHandle() : game->replicationInfoObject());
}

PlayerControllerWrapper GameEventWrapper::GetLocalPrimaryPlayer() const {
    Game* game = gameOf(handle());
    return PlayerControllerWrapper(game == nullptr ? ObjectHandle() : game->localPlayerObject());
}

TeamWrapper ServerWrapper::GetGameWinner() const {
    Game* game = gameOf(handle());
    return TeamWrapper(game == nullptr ? ObjectHandle() : game->winnerObject());
}

CanvasWrapper::CanvasWrapper(ObjectHandle handle) : canvas(handle) {}

void CanvasWrapper::SetColor(LinearColor color) {
    if (Canvas* target = canvasOf(canvas)) {
        target->setColor(color);
    }
}

void CanvasWrapper::DrawString(std::string text, float xScale, float yScale, bool dropShadow,
                               bool wrapText) {
    if (Canvas* target = canvasOf(canvas)) {
        target->drawString(std::move(text), xScale, yScale, dropShadow, wrapText);
    }
}

CVarWrapper::CVarWrapper(ObjectHandle handle) : variable(handle) {}

CVarWrapper::operator bool() const {
    return variableOf(variable) != nullptr;
}

bool CVarWrapper::getBoolValue() const {
    const ConsoleVariable* known = variableOf(variable);
    return known != nullptr && known->boolValue();
}

int CVarWrapper::getIntValue() const {
    const ConsoleVariable* known = variableOf(variable);
    return known == nullptr ? 0 : known->intValue();
}

float CVarWrapper::getFloatValue() const {
    const ConsoleVariable* known = variableOf(variable);
    return known == nullptr ? 0.0F : known->floatValue();
}

std::string CVarWrapper::getStringValue() const {
    const ConsoleVariable* known = variableOf(variable);
    return known == nullptr ? std::string() : known->text();
}

void CVarWrapper::setValue(int value) {
    setValue(std::to_string(value));
}

void CVarWrapper::setValue(std::string value) {
    if (ConsoleVariable* known = variableOf(variable)) {
        known->world().console().set(known->registration().name, value, "plugin");
    }
}
