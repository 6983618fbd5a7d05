// The game as the host sees it. The player is in the menus or in one match, online or offline;
// each match has its own game event, created when the player joins and destroyed exactly once,
// with both destroyed hooks in their order, whenever the player leaves it by any road. Also the
// game's objects that wrappers stand for, and the game quitting.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "HostApi.h"
#include "ObjectHandle.h"

class HostWorld;

// The game functions a plug-in can hook, as the game names them.
namespace gameFunction {
inline const std::string kRoundStart = "Function GameEvent_Soccar_TA.Active.StartRound";
inline const std::string kMatchEnded = "Function TAGame.GameEvent_Soccar_TA.EventMatchEnded";
inline const std::string kSoccarDestroyed = "Function TAGame.GameEvent_Soccar_TA.Destroyed";
inline const std::string kEventDestroyed = "Function TAGame.GameEvent_TA.Destroyed";
}  // namespace gameFunction

// The roads out of a match. Each destroys its game event.
enum class Leaving {
    MatchOver,     // back to the menus after the post-match screens
    WalkOut,       // the player walks out before the end
    Disconnect,    // "unreal_command disconnect", from the plug-in or the player
    AnotherMatch,  // the player joins or starts another match straight away
};

// The team number of a team or replication-info object; 0 for any other handle.
std::uint8_t teamNumberOf(const ObjectHandle& handle);

class VANTREL_SDK_API Game {
  public:
    explicit Game(HostWorld& world);

    // Leaves any match the player is in, then joins a fresh online match on `playerTeam`,
    // with no winner yet.
    void joinOnline(std::uint8_t playerTeam = 0);
    // Leaves any match the player is in, then starts an offline match: a game event of its own,
    // never online.
    void startOffline();
    // A round starts, at kick-off and after every goal. False, and nothing runs, unless a match
    // is being played.
    bool startRound();
    // The match ends with `winner`, none when no team won; the match-ended hook runs. False, and
    // nothing runs, unless a match is being played.
    bool endMatch(std::optional<std::uint8_t> winner);
    // The game event is destroyed (both destroyed hooks, while its objects can still be asked
    // for) and the player is back in the menus. False, and nothing runs, in the menus.
    bool leaveMatch(Leaving how = Leaving::MatchOver);

    bool inMatch() const { return current.has_value(); }
    // In a match that has ended: the post-match screens.
    bool matchOver() const { return current && current->ended; }
    bool online() const { return current && current->online; }
    // Counts the matches joined or started; tells whether the match is still the same one.
    std::uint64_t matchNumber() const { return matches; }

    std::optional<std::uint8_t> winningTeam() const { return winner; }
    std::uint8_t playerTeam() const { return localTeam; }
    void setPlayerTeam(std::uint8_t team) { localTeam = team; }
    // Whether the game has a local player, and that player its replication info.
    void setLocalPlayer(bool present) { hasLocalPlayer = present; }
    void setReplicationInfo(bool present) { hasReplicationInfo = present; }
    bool localPlayerPresent() const { return hasLocalPlayer; }
    bool replicationInfoPresent() const { return hasReplicationInfo; }

    bool quit() const {
        return hasQuit;
    }
    // The player starts the game again after it quit: in the menus.
    void restart();

    // A console command meant for the game ("unreal_command disconnect", "unreal_command exit").
    void command(const std::vector<std::string>& words);
    // The same, handed over while a plug-in's callback runs: the game carries it out at its next
    // tick, once that callback has returned, before anything else happens.
    void queueCommand(std::vector<std::string> words);
    // Carries out the commands queued so far, and those they lead to; the host calls it whenever
    // a callback of the plug-in has returned.
    void carryOutQueued();

    // Handles for the wrappers; empty where the game has no such object.
    ObjectHandle onlineGameObject();
    ObjectHandle winnerObject();
    ObjectHandle localPlayerObject();
    ObjectHandle replicationInfoObject();

  private:
    // The tests' one way into what the host world keeps to itself: declared alike wherever the
    // class is compiled, so that nothing of it depends on how the other side was built.
    friend struct HostTestAccess;
    struct Match {
        bool online;
        bool ended;
    };

    void begin(bool isOnline);
    void record(const std::string& what, const std::string& detail = {});
    // Runs one of the game's own functions; queued commands wait until the outermost returns.
    template <typename Body>
    bool function(Body body);

    HostWorld* world;
    std::optional<Match> current;
    std::uint64_t matches = 0;
    bool hasQuit = false;
    bool hasLocalPlayer = true;
    bool hasReplicationInfo = true;
    std::uint8_t localTeam = 0;
    std::optional<std::uint8_t> winner;
    std::vector<std::vector<std::string>> queued;
    int running = 0;  // game functions under way, nested
    bool carrying = false;
};
