// Children of the validator started a few at a time in its private folder, each stopped at its
// deadline, all of them stopped at once when the validator is asked to stop, and nothing any of
// them started left running.
#pragma once

#include <chrono>
#include <csignal>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "Leftovers.h"
#include "PrivateFolder.h"

// The signal that asked the validator to stop; 0 while none has.
extern volatile std::sig_atomic_t interruption;

// Stops on SIGINT, SIGTERM, SIGHUP and SIGPIPE alike; makes the validator the keeper of whatever
// its children leave behind, so that it can end it (endWhatChildrenLeft).
void watchForInterruptions();

class ChildRun {
  public:
    // With `events`, each child's events pipe is copied into it (one child wants it at a time).
    ChildRun(const PrivateFolder& folder, std::vector<std::vector<std::string>> commands, int jobs,
             int timeoutSeconds, EventsFile* events = nullptr);

    // False when interrupted; the children are stopped then, and their files gone.
    bool runAll();
    ChildOutcome& outcome(std::size_t index) { return *ended[index]; }

  private:
    const PrivateFolder* folder;
    std::vector<std::vector<std::string>> commands;
    int jobs;
    int timeoutSeconds;
    EventsFile* events;
    std::vector<std::unique_ptr<ChildProcess>> running;
    std::vector<std::chrono::steady_clock::time_point> deadlines;
    std::vector<std::optional<ChildOutcome>> ended;
    inline static unsigned made = 0;
};
