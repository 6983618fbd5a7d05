#include "ChildRun.h"

#include <chrono>
#include <thread>
#include <vector>

#include "RunKeeper.h"
#include "StartingSignals.h"

volatile std::sig_atomic_t interruption = 0;

namespace {

extern "C" void onInterrupt(int signal) {
    interruption = signal;
}

}  // namespace

void watchForInterruptions() {
    std::signal(SIGINT, onInterrupt);
    std::signal(SIGTERM, onInterrupt);
#if !defined(_WIN32)
    // A reader that went away (SIGPIPE): the next write fails, and the run ends as for the
    // others. Every other signal whose default is to end the process ends the run the same way,
    // its children stopped and its folder gone, rather than leaving them behind.
    for (const int signal : signalsThatAskToEnd()) {
        std::signal(signal, onInterrupt);
    }
#endif
    // What a library starts and leaves behind comes to the validator, not to the system.
    keepWhatChildrenLeave();
}

ChildRun::ChildRun(const PrivateFolder& folder, std::vector<std::vector<std::string>> commands,
                   int jobs, int timeoutSeconds, EventsFile* events)
    : folder(&folder),
      commands(std::move(commands)),
      jobs(jobs),
      timeoutSeconds(timeoutSeconds),
      events(events),
      running(this->commands.size()),
      deadlines(this->commands.size()),
      ended(this->commands.size()) {}

bool ChildRun::runAll() {
    std::size_t started = 0;
    std::size_t finished = 0;
    while (finished < commands.size()) {
#if !defined(_WIN32)
        if (interruption == 0 && runKeeperGone()) {
            // The keeper was killed: the run ends as if its controlling process hung up.
            interruption = SIGHUP;
        }
#endif
        if (interruption != 0) {
            running.clear();
            endWhatChildrenLeft();
            return false;
        }
        for (std::size_t index = 0; index < commands.size(); ++index) {
            if (running[index] && running[index]->finished(deadlines[index])) {
                ended[index] = running[index]->outcome();
                running[index].reset();
                ++finished;
            }
        }
        while (started < commands.size() && static_cast<int>(started - finished) < jobs) {
            deadlines[started] =
                std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds);
            running[started] = std::make_unique<ChildProcess>(
                commands[started], folder->path() / ("child-" + std::to_string(++made)), events);
            ++started;
        }
        if (finished < commands.size()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }
    endWhatChildrenLeft();
    return true;
}
