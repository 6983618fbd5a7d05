// The signal state both tools start from, whatever their launcher left: a launcher may ignore
// SIGCHLD (which survives exec, and then no child can be waited for) or block signals.
#pragma once

#if !defined(_WIN32)
#include <csignal>
#include <vector>

// Gives SIGCHLD its default action and unblocks every signal in this process.
void startWithDefaultSignals();
// The signals a child is started with at their defaults: every one that can be set.
sigset_t everySignal();
// Every signal whose default action ends the process without a fault of its code: how a user,
// a terminal, a service manager or a pipe whose reader left asks a program to end.
const std::vector<int>& signalsThatAskToEnd();
#else
inline void startWithDefaultSignals() {}
#endif
