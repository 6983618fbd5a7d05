// The game as far as the plug-in can see it: whether the player is in an online game, the
// match's winner, the local player and its replication info, and the game quitting.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "HostApi.h"
#include "ObjectHandle.h"

class HostWorld;

// The team number of a team or replication-info object; 0 for any other handle.
std::uint8_t teamNumberOf(const ObjectHandle& handle);

class VANTREL_SDK_API OnlineGame {
  public:
    explicit OnlineGame(HostWorld& world);

    // Joining puts the player in a fresh online game with no winner yet.
    void join(std::uint8_t playerTeam = 0);
    // Back in the menus: no online game any more.
    void leave();
    bool online() const { return inOnlineGame; }

    void setWinner(std::optional<std::uint8_t> team) { winner = team; }
    std::optional<std::uint8_t> winningTeam() const { return winner; }
    std::uint8_t playerTeam() const { return localTeam; }
    void setPlayerTeam(std::uint8_t team) { localTeam = team; }
    // Whether the game has a local player, and that player its replication info.
    void setLocalPlayer(bool present) { hasLocalPlayer = present; }
    void setReplicationInfo(bool present) { hasReplicationInfo = present; }

    bool quit() const { return hasQuit; }
    // The player starts the game again after it quit: back in the menus.
    void restart() {
        hasQuit = false;
        inOnlineGame = false;
    }

    // A console command meant for the game ("unreal_command disconnect", "unreal_command exit").
    void command(const std::vector<std::string>& words);

    // Handles for the wrappers; empty where the game has no such object.
    ObjectHandle onlineGameObject();
    ObjectHandle winnerObject();
    ObjectHandle localPlayerObject();
    ObjectHandle replicationInfoObject();

  private:
    HostWorld* world;
    bool inOnlineGame = false;
    bool hasQuit = false;
    bool hasLocalPlayer = true;
    bool hasReplicationInfo = true;
    std::uint8_t localTeam = 0;
    std::optional<std::uint8_t> winner;
};
