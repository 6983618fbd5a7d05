#include "ChildRun.h"

#include <algorithm>
#include <thread>
#include <vector>

#if defined(__linux__)
#include <dirent.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#endif

volatile std::sig_atomic_t interruption = 0;

namespace {

extern "C" void onInterrupt(int signal) {
    interruption = signal;
}

#if defined(__linux__)
// The processes whose parent is `parent`, as /proc tells them now.
std::vector<pid_t> childrenOf(pid_t parent) {
    std::vector<pid_t> children;
    const std::string wanted = std::to_string(parent);
    DIR* processes = opendir("/proc");
    if (processes == nullptr) {
        return children;
    }
    while (const dirent* entry = readdir(processes)) {
        const std::string name = entry->d_name;
        if (name.find_first_not_of("0123456789") != std::string::npos) {
            continue;
        }
        std::ifstream status("/proc/" + name + "/status");
        std::string line;
        while (std::getline(status, line)) {
            if (line.rfind("PPid:", 0) == 0) {
                if (line.substr(line.find_first_not_of(" \t", 5)) == wanted) {
                    children.push_back(static_cast<pid_t>(std::atoi(name.c_str())));
                }
                break;
            }
        }
    }
    closedir(processes);
    return children;
}

// Children the validator had before it started any: a launcher's (`sleep 300 & exec
// sundown-validate ...`), never its to end.
std::vector<pid_t>& childrenBeforeTheRun() {
    static std::vector<pid_t> before;
    return before;
}
#endif

}  // namespace

void watchForInterruptions() {
    std::signal(SIGINT, onInterrupt);
    std::signal(SIGTERM, onInterrupt);
#if !defined(_WIN32)
    // A reader that went away (SIGPIPE): the next write fails, and the run ends as for the
    // others. Every other signal whose default is to end the process ends the run the same way,
    // its children stopped and its folder gone, rather than leaving them behind.
    for (const int signal : {SIGHUP, SIGPIPE, SIGQUIT, SIGUSR1, SIGUSR2, SIGALRM, SIGVTALRM,
                             SIGPROF, SIGIO, SIGPWR, SIGXCPU, SIGXFSZ}) {
        std::signal(signal, onInterrupt);
    }
#if defined(SIGRTMIN)
    for (int signal = SIGRTMIN; signal <= SIGRTMAX; ++signal) {
        std::signal(signal, onInterrupt);
    }
#endif
#endif
#if defined(__linux__)
    childrenBeforeTheRun() = childrenOf(getpid());
    // What a library starts and leaves behind comes to the validator, not to the system.
    prctl(PR_SET_CHILD_SUBREAPER, 1);
#endif
}

void endWhatChildrenLeft() {
#if defined(__linux__)
    // Only between runs of children: every process left whose parent is the validator, but for
    // those it had before it started any, is one a library started and left behind.
    const std::vector<pid_t>& notOurs = childrenBeforeTheRun();
    for (int round = 0; round < 10; ++round) {
        bool found = false;
        for (const pid_t child : childrenOf(getpid())) {
            if (std::find(notOurs.begin(), notOurs.end(), child) == notOurs.end()) {
                kill(child, SIGKILL);
                found = true;
            }
        }
        // Reaps only what it ended: a launcher's child is the launcher's to wait for.
        for (bool reaped = true; reaped;) {
            reaped = false;
            for (const pid_t child : childrenOf(getpid())) {
                if (std::find(notOurs.begin(), notOurs.end(), child) == notOurs.end() &&
                    waitpid(child, nullptr, WNOHANG) > 0) {
                    reaped = true;
                }
            }
        }
        if (!found) {
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
#endif
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
