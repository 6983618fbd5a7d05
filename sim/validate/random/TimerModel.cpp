#include "TimerModel.h"

namespace randomPlay {

namespace {

constexpr std::int64_t kSecond = 1'000'000;

}  // namespace

TimerModel::Outcome TimerModel::startOrStop(std::int64_t now, int limitMinutes, bool online) {
    waiting = false;
    if (started) {
        // A run going, or one whose time is up: it stops.
        started = false;
        counting = false;
        ticks = 0;
        return Outcome::Nothing;
    }
    started = true;
    counting = true;
    nextTick = now;
    return catchUp(now + 1, limitMinutes, online);
}

TimerModel::Outcome TimerModel::catchUp(std::int64_t now, int limitMinutes, bool online) {
    for (; counting && nextTick < now; nextTick += kSecond) {
        const Outcome outcome = tick(limitMinutes, online);
        if (outcome != Outcome::Nothing) {
            return outcome;
        }
    }
    return Outcome::Nothing;
}

// A second of the run: the minutes shown so far reach the limit, or one more second is shown.
TimerModel::Outcome TimerModel::tick(int limitMinutes, bool online) {
    const int shownMinutes = ticks == 0 ? 0 : (ticks - 1) / 60;
    if (shownMinutes >= limitMinutes) {
        counting = false;
        waiting = online;
        return online ? Outcome::Waits : Outcome::QuitsNow;
    }
    ++ticks;
    return Outcome::Nothing;
}

}  // namespace randomPlay
