#include "Game.h"

#include <utility>

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

const char* leavingWord(Leaving how) {
    switch (how) {
        case Leaving::MatchOver:
            return "match over";
        case Leaving::WalkOut:
            return "walk out";
        case Leaving::Disconnect:
            return "disconnect";
        case Leaving::AnotherMatch:
            return "another match";
    }
    return "";
}

}  // namespace

std::uint8_t teamNumberOf(const ObjectHandle& handle) {
    const auto* member = objectAs<TeamMember>(handle.get());
    return member == nullptr ? 0 : member->team;
}

Game::Game(HostWorld& world) : world(&world) {}

void Game::record(const std::string& what, const std::string& detail) {
    world->record("game", what, detail, "game");
}

template <typename Body>
bool Game::function(Body body) {
    ++running;
    bool done = false;
    try {
        done = body();
    } catch (...) {
        --running;
        throw;
    }
    if (--running == 0) {
        carryOutQueued();
    }
    return done;
}

void Game::joinOnline(std::uint8_t playerTeam) {
    function([&] {
        leaveMatch(Leaving::AnotherMatch);
        localTeam = playerTeam;
        begin(true);
        return true;
    });
}

void Game::startOffline() {
    function([&] {
        leaveMatch(Leaving::AnotherMatch);
        begin(false);
        return true;
    });
}

void Game::begin(bool isOnline) {
    winner.reset();
    current = Match{isOnline, false};
    ++matches;
    record(isOnline ? "online" : "offline");
}

bool Game::startRound() {
    return function([&] {
        if (!current || current->ended || hasQuit) {
            return false;
        }
        world->fireHook(gameFunction::kRoundStart);
        return true;
    });
}

bool Game::endMatch(std::optional<std::uint8_t> team) {
    return function([&] {
        if (!current || current->ended || hasQuit) {
            return false;
        }
        current->ended = true;
        winner = team;
        record("ended", !team ? "none" : *team == localTeam ? "win" : "loss");
        world->fireHook(gameFunction::kMatchEnded);
        return true;
    });
}

bool Game::leaveMatch(Leaving how) {
    return function([&] {
        if (!current || hasQuit) {
            return false;
        }
        record("destroyed", leavingWord(how));
        // The game event goes while its winner and players can still be asked for.
        world->fireHook(gameFunction::kSoccarDestroyed);
        world->fireHook(gameFunction::kEventDestroyed);
        current.reset();
        winner.reset();
        if (how != Leaving::AnotherMatch) {
            record("menus");
        }
        return true;
    });
}

void Game::restart() {
    hasQuit = false;
    current.reset();
    winner.reset();
    queued.clear();
}

void Game::command(const std::vector<std::string>& words) {
    if (hasQuit || words.size() != 2 || words[0] != "unreal_command") {
        return;
    }
    if (words[1] == "disconnect") {
        world->record("disconnect", inMatch() ? "match" : "menus", "", "game");
        leaveMatch(Leaving::Disconnect);
    } else if (words[1] == "exit") {
        hasQuit = true;
        world->record("quit", "", "", "game");
    }
}

void Game::queueCommand(std::vector<std::string> words) {
    queued.push_back(std::move(words));
}

void Game::carryOutQueued() {
    if (carrying || running > 0) {
        return;
    }
    carrying = true;
    try {
        while (!queued.empty()) {
            const std::vector<std::string> words = std::move(queued.front());
            queued.erase(queued.begin());
            command(words);
        }
    } catch (...) {
        carrying = false;
        throw;
    }
    carrying = false;
}

ObjectHandle Game::onlineGameObject() {
    return online() ? ObjectHandle(new GameObject(*world)) : ObjectHandle();
}

ObjectHandle Game::winnerObject() {
    return online() && winner ? ObjectHandle(new TeamMember(*world, *winner)) : ObjectHandle();
}

ObjectHandle Game::localPlayerObject() {
    return online() && hasLocalPlayer ? ObjectHandle(new GameObject(*world)) : ObjectHandle();
}

ObjectHandle Game::replicationInfoObject() {
    return online() && hasLocalPlayer && hasReplicationInfo
               ? ObjectHandle(new TeamMember(*world, localTeam))
               : ObjectHandle();
}
