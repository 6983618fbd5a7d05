#include "CrashReport.h"

#include "SignalNames.h"

#include <csignal>
#include <cstring>

#if defined(_WIN32)
#include <io.h>
#include <stdlib.h>
#else
#include <unistd.h>
#endif

namespace {

// Written before each step, read only by the handler: a crash has nowhere else to look.
char doing[400] = "starting";
int crashStatus = 2;

void writeError(const char* text) {
#if defined(_WIN32)
    _write(2, text, static_cast<unsigned>(std::strlen(text)));
#else
    const ssize_t ignored = write(STDERR_FILENO, text, std::strlen(text));
    (void)ignored;
#endif
}

extern "C" void onFatalSignal(int signal) {
    writeError("sundown-sim: crashed with ");
    const char* meaning = signalDescription(signal);
    writeError(meaning != nullptr ? meaning : "a fatal signal");
    writeError(" while ");
    writeError(doing);
    writeError("\n");
    _exit(crashStatus);
}

}  // namespace

void reportCrashes(int exitStatus) {
    crashStatus = exitStatus;
    for (const int signal : {SIGSEGV, SIGFPE, SIGILL, SIGABRT}) {
        std::signal(signal, onFatalSignal);
    }
#if !defined(_WIN32)
    std::signal(SIGBUS, onFatalSignal);
#endif
}

void nowDoing(const std::string& what) {
    const std::size_t length = what.size() < sizeof doing - 1 ? what.size() : sizeof doing - 1;
    std::memcpy(doing, what.data(), length);
    doing[length] = '\0';
}
