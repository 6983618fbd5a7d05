#include "Leftovers.h"

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#if defined(__linux__)
#include <dirent.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#endif

namespace {

#if defined(__linux__)
// Every process's parent, as /proc tells them now.
std::vector<std::pair<pid_t, pid_t>> processesAndParents() {
    std::vector<std::pair<pid_t, pid_t>> found;
    DIR* processes = opendir("/proc");
    if (processes == nullptr) {
        return found;
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
                found.emplace_back(static_cast<pid_t>(std::atoi(name.c_str())),
                                   static_cast<pid_t>(std::atoi(line.c_str() + 5)));
                break;
            }
        }
    }
    closedir(processes);
    return found;
}

// The processes whose parent is `parent`, as /proc tells them now.
std::vector<pid_t> childrenOf(pid_t parent) {
    std::vector<pid_t> children;
    for (const auto& [process, itsParent] : processesAndParents()) {
        if (itsParent == parent) {
            children.push_back(process);
        }
    }
    return children;
}

// Every process that descends from `root` but not through `spared`, as /proc tells them now.
std::vector<pid_t> descendantsOf(pid_t root, const std::vector<pid_t>& spared) {
    const std::vector<std::pair<pid_t, pid_t>> all = processesAndParents();
    std::vector<pid_t> found;
    std::vector<pid_t> parents = {root};
    while (!parents.empty()) {
        const pid_t parent = parents.back();
        parents.pop_back();
        for (const auto& [process, itsParent] : all) {
            if (itsParent == parent &&
                std::find(spared.begin(), spared.end(), process) == spared.end()) {
                found.push_back(process);
                parents.push_back(process);
            }
        }
    }
    return found;
}

// Whether any process is still the program's child, running or ended, none of them reaped by
// the look: every process that descends from it comes through one. Cheaper than /proc.
bool hasChildren() {
    siginfo_t any{};
    return waitid(P_ALL, 0, &any, WEXITED | WNOHANG | WNOWAIT) == 0 || errno != ECHILD;
}

// Children the program had before it started any: a launcher's (`sleep 300 & exec
// sundown-validate ...`), never its to end.
std::vector<pid_t>& childrenBeforeTheRun() {
    static std::vector<pid_t> before;
    return before;
}
#endif

}  // namespace

void keepWhatChildrenLeave() {
#if defined(__linux__)
    childrenBeforeTheRun() = hasChildren() ? childrenOf(getpid()) : std::vector<pid_t>();
    prctl(PR_SET_CHILD_SUBREAPER, 1);
#endif
}

void endWhatChildrenLeft() {
#if defined(__linux__)
    // Only between runs of children: every process left that descends from the program, but for
    // those it had before it started any and theirs, is one a library started and left.
    if (!hasChildren()) {
        return;
    }
    const std::vector<pid_t>& notOurs = childrenBeforeTheRun();
    // The whole tree at once, again and again until none of it is left: a chain of processes
    // comes to the validator one link at a time as each parent ends. Within a limit, so that a
    // tree that grows as fast as it is ended cannot hold the program for ever.
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (std::chrono::steady_clock::now() < giveUp) {
        const std::vector<pid_t> left = descendantsOf(getpid(), notOurs);
        for (const pid_t process : left) {
            kill(process, SIGKILL);
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
        if (left.empty()) {
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
#endif
}
