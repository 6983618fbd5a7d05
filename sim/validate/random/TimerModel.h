// The random player's own model of the session timer, from the README: a run counts a second at
// a time from the click that starts it; once it has shown as many whole minutes as "Quit after #
// minutes" holds for a second, its time is up. Up outside an online game, the game quits at
// once; inside one, the quit waits for that match to be left, by any road. Start/Stop cancels a
// waiting quit. Written apart from the plug-in's code.
#pragma once

#include <cstdint>

namespace randomPlay {

class TimerModel {
  public:
    enum class Outcome { Nothing, Waits, QuitsNow };

    // Start/Stop took effect at virtual time `now`: a run stops (running or up), or one starts
    // from 0:0 and counts its first second at once. Either way a waiting quit is cancelled.
    Outcome startOrStop(std::int64_t now, int limitMinutes, bool online);
    // The seconds counted before virtual time `now`, each against the limit as it stands and
    // the game as it is: call it before either changes.
    Outcome catchUp(std::int64_t now, int limitMinutes, bool online);
    // A quit waits for the online match the time ran out in.
    bool waits() const { return waiting; }
    // The match was left and the quit carried out.
    void carriedOut() { waiting = false; }

  private:
    Outcome tick(int limitMinutes, bool online);

    bool started = false;   // a run started and not stopped, its time up or not
    bool counting = false;  // the run still counts
    bool waiting = false;
    std::int64_t nextTick = 0;  // virtual microseconds
    int ticks = 0;              // counted since the start
};

}  // namespace randomPlay
