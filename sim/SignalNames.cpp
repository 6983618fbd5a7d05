#include "SignalNames.h"

#include <csignal>

const char* signalDescription(int signal) {
    switch (signal) {
        case SIGSEGV:
            return "SIGSEGV (invalid memory access)";
        case SIGABRT:
            return "SIGABRT (aborted)";
        case SIGFPE:
            return "SIGFPE (arithmetic fault)";
        case SIGILL:
            return "SIGILL (illegal instruction)";
#if !defined(_WIN32)
        case SIGBUS:
            return "SIGBUS (bad memory access)";
        case SIGKILL:
            return "SIGKILL (killed)";
        case SIGTERM:
            return "SIGTERM (terminated)";
#endif
        default:
            return nullptr;
    }
}
