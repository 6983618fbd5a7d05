#include "RunKeeper.h"

#if defined(__linux__)
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <iostream>

#include "Leftovers.h"
#include "StartingSignals.h"
#endif

namespace {

#if defined(__linux__)
// The keeper's process id, as the work knows it; 0 in a program without one.
pid_t keeper = 0;

bool stopsTheProgram(int signal) {
    return signal == SIGTSTP || signal == SIGTTIN || signal == SIGTTOU;
}

// What the keeper waits for: the work's end, and every signal it passes on. A stop signal its
// launcher ignores stays ignored: the launcher wants the program never stopped by it.
sigset_t waitedFor() {
    sigset_t signals;
    sigemptyset(&signals);
    for (const int signal : signalsThatAskToEnd()) {
        sigaddset(&signals, signal);
    }
    for (const int signal : {SIGCHLD, SIGCONT}) {
        sigaddset(&signals, signal);
    }
    for (const int signal : {SIGTSTP, SIGTTIN, SIGTTOU}) {
        struct sigaction now {};
        if (sigaction(signal, nullptr, &now) != 0 || now.sa_handler != SIG_IGN) {
            sigaddset(&signals, signal);
        }
    }
    return signals;
}

// The launcher sees the work's own end: its status, or the signal that ended it, raised here
// with no core of the keeper's (the work's own core, if any, tells all there is).
[[noreturn]] void endAs(int status) {
    if (WIFSIGNALED(status)) {
        const int signal = WTERMSIG(status);
        rlimit core{};
        if (getrlimit(RLIMIT_CORE, &core) == 0) {
            core.rlim_cur = 0;
            setrlimit(RLIMIT_CORE, &core);
        }
        std::signal(signal, SIG_DFL);
        sigset_t only;
        sigemptyset(&only);
        sigaddset(&only, signal);
        sigprocmask(SIG_UNBLOCK, &only, nullptr);
        raise(signal);
        _exit(128 + signal);
    }
    _exit(WIFEXITED(status) ? WEXITSTATUS(status) : 1);
}

// Signals are taken one at a time, never in a handler, so that none is passed to a process id
// the work no longer holds: the work is reaped only here, after the last one passed.
[[noreturn]] void keep(pid_t work, const sigset_t& signals) {
    for (;;) {
        siginfo_t info{};
        // A look once a second too, in case the work's end came in one signal with another's.
        const timespec second{1, 0};
        const int signal = sigtimedwait(&signals, &info, &second);
        int status = 0;
        if (waitpid(work, &status, WNOHANG) == work) {
            // Its orphans came here as it ended: nothing of the run outlives it.
            endWhatChildrenLeft();
            endAs(status);
        }
        if (signal == SIGCONT) {
            kill(-work, SIGCONT);
        } else if (signal > 0 && stopsTheProgram(signal)) {
            // The work's whole group stops and goes on with the keeper, as a terminal's job.
            kill(-work, SIGSTOP);
            kill(getpid(), SIGSTOP);
        } else if (signal > 0 && signal != SIGCHLD) {
            // The work has the dispositions the launcher gave: what it ignores, it ignores still.
            kill(work, signal);
        }
    }
}
#endif

}  // namespace

void keepTheRunFromOutside() {
#if defined(__linux__)
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
    // Blocked before the work exists, so that no signal sent in between is lost.
    const sigset_t signals = waitedFor();
    sigset_t before;
    sigprocmask(SIG_BLOCK, &signals, &before);
    const pid_t self = getpid();
    // The launcher's own children, had before the run, are never the keeper's to end.
    keepWhatChildrenLeave();
    const pid_t work = fork();
    if (work < 0) {
        // No keeper: the run goes on as the launcher's process, as it would have without one.
        sigprocmask(SIG_SETMASK, &before, nullptr);
        return;
    }
    if (work > 0) {
        keep(work, signals);
    }
    keeper = self;
    setsid();
    sigprocmask(SIG_SETMASK, &before, nullptr);
#endif
}

bool runKeeperGone() {
#if defined(__linux__)
    return keeper != 0 && getppid() != keeper;
#else
    return false;
#endif
}
