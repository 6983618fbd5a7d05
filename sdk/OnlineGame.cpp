#include "OnlineGame.h"

#include "HostObject.h"
#include "HostWorld.h"

namespace {

// A game object that answers for a team number: a team, or a player's replication info.
class TeamMember : public HostObject {
  public:
    static constexpr Kind kKind = Kind::TeamMember;
    TeamMember(HostWorld& world, std::uint8_t team) : HostObject(world, kKind), team(team) {}
    std::uint8_t team;
};

// The online game, or the local player: objects that only lead on to others.
class GameObject : public HostObject {
  public:
    static constexpr Kind kKind = Kind::GameObject;
    explicit GameObject(HostWorld& world) : HostObject(world, kKind) {}
};

}  // namespace

std::uint8_t teamNumberOf(const ObjectHandle& handle) {
    const auto* member = objectAs<TeamMember>(handle.get());
    return member == nullptr ? 0 : member->team;
}

OnlineGame::OnlineGame(HostWorld& world) : world(&world) {}

void OnlineGame::join(std::uint8_t playerTeam) {
    inOnlineGame = true;
    localTeam = playerTeam;
    winner.reset();
}

void OnlineGame::leave() {
    inOnlineGame = false;
}

void OnlineGame::command(const std::vector<std::string>& words) {
    if (hasQuit || words.size() != 2 || words[0] != "unreal_command") {
        return;
    }
    if (words[1] == "disconnect") {
        world->record("disconnect", "");
        if (inOnlineGame) {
            // The game event is destroyed while its objects can still be asked for.
            world->disconnected();
            leave();
        }
    } else if (words[1] == "exit") {
        hasQuit = true;
        world->record("quit", "");
    }
}

ObjectHandle OnlineGame::onlineGameObject() {
    return inOnlineGame ? ObjectHandle(new GameObject(*world)) : ObjectHandle();
}

ObjectHandle OnlineGame::winnerObject() {
    return inOnlineGame && winner ? ObjectHandle(new TeamMember(*world, *winner)) : ObjectHandle();
}

ObjectHandle OnlineGame::localPlayerObject() {
    return inOnlineGame && hasLocalPlayer ? ObjectHandle(new GameObject(*world)) : ObjectHandle();
}

ObjectHandle OnlineGame::replicationInfoObject() {
    return inOnlineGame && hasLocalPlayer && hasReplicationInfo
               ? ObjectHandle(new TeamMember(*world, localTeam))
               : ObjectHandle();
}
