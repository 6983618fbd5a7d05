#include "StartingSignals.h"

#if !defined(_WIN32)

void startWithDefaultSignals() {
    struct sigaction defaults {};
    defaults.sa_handler = SIG_DFL;
    sigemptyset(&defaults.sa_mask);
    sigaction(SIGCHLD, &defaults, nullptr);
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
}

sigset_t everySignal() {
    sigset_t all;
    sigfillset(&all);
    sigdelset(&all, SIGKILL);
    sigdelset(&all, SIGSTOP);
    return all;
}

const std::vector<int>& signalsThatAskToEnd() {
    static const std::vector<int> signals = [] {
        std::vector<int> named = {SIGINT,  SIGTERM,   SIGHUP,  SIGPIPE, SIGQUIT, SIGUSR1, SIGUSR2,
                                  SIGALRM, SIGVTALRM, SIGPROF, SIGIO,   SIGPWR,  SIGXCPU, SIGXFSZ};
#if defined(SIGRTMIN)
        for (int signal = SIGRTMIN; signal <= SIGRTMAX; ++signal) {
            named.push_back(signal);
        }
#endif
        return named;
    }();
    return signals;
}

#endif
