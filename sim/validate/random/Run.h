// One run of the random player: a fresh host with the built plug-in, the events played on it one
// after another, and the referee told what happens. The run only plays; the referee checks.
#pragma once

#include <cstddef>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "Checks.h"
#include "Events.h"
#include "Referee.h"
#include "Trace.h"
#include "ValidationHost.h"

namespace randomPlay {

class Run {
  public:
    // Events and what they did go to `trace` when it is not null.
    explicit Run(const CheckSettings& settings, std::ostream* trace = nullptr);

    // The first broken promise, with the index of the event that broke it.
    std::optional<std::pair<std::size_t, std::string>> play(const std::vector<Event>& events);

    // How many times the game quit, and was started again.
    int quits = 0;

  private:
    void perform(const Event& event);
    void playOnPage(const Event& event);
    void setWeekLimit(const Event& event);
    // Edits `edited` to `text` while the game is closed, when named.
    void restartGame(const char* edited = nullptr, const std::string& text = {});
    std::string editedText(int value) const;
    void letTimePass(std::int64_t milliseconds);
    void runTimerOut();
    void settle();
    void setClockRule(const char* name, const std::string& value);
    // Waits out the last seconds before a full hour, then tells the referee the clock's rules
    // are about to change.
    void beforeClockRule();
    void enterLongBedtime(int value);
    void playWithAnUnreadableClock(int value);
    // A lock taken on the page, `choice`'s changes tried under it, and the day let end.
    void lockLimits(int choice);
    void tryUnderTheLock(int change);
    // Where a clock jump sets the wall clock.
    std::int64_t jumpedClock(int value) const;
    // The bedtime the console sets for an event's value.
    std::string bedtimeFor(int value) const;
    std::string clockTimeIn(int minutes) const;

    ValidationHost host;
    Referee referee;
    Trace trace;
};

}  // namespace randomPlay
