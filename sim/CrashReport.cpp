#include "CrashReport.h"

#include "Leftovers.h"
#include "RunKeeper.h"
#include "SignalNames.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <random>
#include <string>

#if defined(_WIN32)
#include <io.h>
#include <stdlib.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>
#if defined(__linux__)
#include <sys/prctl.h>
#endif
#endif

namespace {

// Written before each step: a crash has nowhere else to look.
char doing[400] = "starting";
int endedStatus = 2;

void writeError(const char* text) {
#if defined(_WIN32)
    _write(2, text, static_cast<unsigned>(std::strlen(text)));
#else
    const ssize_t ignored = write(STDERR_FILENO, text, std::strlen(text));
    (void)ignored;
#endif
}

void rememberDoing(const std::string& what) {
    const std::size_t length = what.size() < sizeof doing - 1 ? what.size() : sizeof doing - 1;
    std::memcpy(doing, what.data(), length);
    doing[length] = '\0';
}

#if defined(_WIN32)

// Without a parent to watch it, the program reports its own end: a fatal signal in a handler,
// an exit or quick_exit before the summary as it happens. An _exit it cannot see.
bool summaryTold = false;

extern "C" void onFatalSignal(int signal) {
    writeError("sundown-sim: crashed with ");
    const char* meaning = signalDescription(signal);
    writeError(meaning != nullptr ? meaning : "a fatal signal");
    writeError(" while ");
    writeError(doing);
    writeError("\n");
    _exit(endedStatus);
}

// What Windows names the exceptions a plug-in most often ends in; null for another.
const char* exceptionDescription(DWORD code) {
    switch (code) {
        case EXCEPTION_ACCESS_VIOLATION:
            return "an access violation (invalid memory access)";
        case EXCEPTION_STACK_OVERFLOW:
            return "a stack overflow";
        case EXCEPTION_ILLEGAL_INSTRUCTION:
            return "an illegal instruction";
        case EXCEPTION_INT_DIVIDE_BY_ZERO:
            return "an integer division by zero";
        case 0xE06D7363:
            return "a C++ exception nobody caught";
        case 0x80000100:
            // Wine binds a function a library imports and no DLL has to a stub that raises this.
            return "a call to a function no DLL provides";
        default:
            return nullptr;
    }
}

// Any exception nobody handled, signals or not: told with its code, then the program ends.
LONG WINAPI onUnhandledException(EXCEPTION_POINTERS* exception) {
    const DWORD code = exception->ExceptionRecord->ExceptionCode;
    const char* meaning = exceptionDescription(code);
    char number[] = "exception 0x00000000";
    for (int digit = 0; digit < 8; ++digit) {
        number[sizeof number - 2 - digit] = "0123456789ABCDEF"[(code >> (4 * digit)) & 0xFU];
    }
    writeError("sundown-sim: crashed with ");
    writeError(meaning != nullptr ? meaning : number);
    writeError(" while ");
    writeError(doing);
    writeError("\n");
    _exit(endedStatus);
}

extern "C" void onEarlyExit() {
    if (!summaryTold) {
        writeError("sundown-sim: the plug-in ended the program while ");
        writeError(doing);
        writeError(": nothing after it was played or checked\n");
        _exit(endedStatus);
    }
}

#else

// The child's end of the channel on which it tells the parent what it does, and how it ended.
int channel = -1;
// Made before the child starts, known to both: a status without it is none, so that a plug-in
// writing on the channel by accident cannot end the play with a status of its choosing.
std::string statusToken;

std::string newStatusToken() {
    std::random_device source;
    char token[33];
    std::snprintf(token, sizeof token, "%08x%08x%08x%08x", static_cast<unsigned>(source()),
                  static_cast<unsigned>(source()), static_cast<unsigned>(source()),
                  static_cast<unsigned>(source()));
    return token;
}

void tell(const std::string& line) {
    if (channel >= 0) {
        const ssize_t ignored = write(channel, line.data(), line.size());
        (void)ignored;
    }
}

// What the child told: the last thing it was doing, and its status once the play ended by
// itself. A line may arrive in pieces.
struct Told {
    std::string pending;
    std::string doing = "starting";
    int status = -1;
    std::string said;  // what the play could not say itself

    void take(const char* bytes, std::size_t count) {
        pending.append(bytes, count);
        for (std::size_t end = pending.find('\n'); end != std::string::npos;
             end = pending.find('\n')) {
            const std::string line = pending.substr(0, end);
            pending.erase(0, end + 1);
            if (line.rfind("doing ", 0) == 0) {
                doing = line.substr(6);
            } else if (line.rfind("say ", 0) == 0 && said.size() < 4096) {
                said += "sundown-sim: " + line.substr(4) + "\n";
            } else if (line.rfind("status ", 0) == 0 &&
                       line.size() == 7 + 3 + 1 + statusToken.size() &&
                       line.compare(11, std::string::npos, statusToken) == 0 &&
                       line.find_first_not_of("0123456789", 7) == 10) {
                status = std::atoi(line.c_str() + 7);
            }
        }
    }
};

// Signals that end a process asked to end, as a user, a service manager or a terminal sends
// them; a fault of the code (SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT, SIGTRAP, SIGSYS) is none.
bool sentFromOutside(int signal) {
    return signal == SIGTERM || signal == SIGINT || signal == SIGHUP || signal == SIGKILL ||
           signal == SIGQUIT;
}

int watch(pid_t child, int reading) {
    Told told;
    int status = 0;
    char buffer[4096];
    bool stopped = false;
    for (bool ended = false; !ended;) {
        if (!stopped && runKeeperGone()) {
            // The keeper was killed: the play goes with it, and what it left with the play.
            kill(child, SIGKILL);
            stopped = true;
        }
        pollfd waiting{reading, POLLIN, 0};
        poll(&waiting, 1, 50);
        ssize_t read = 0;
        while ((read = ::read(reading, buffer, sizeof buffer)) > 0) {
            told.take(buffer, static_cast<std::size_t>(read));
        }
        ended = waitpid(child, &status, WNOHANG) == child;
    }
    // What it said before it ended; whatever it left running cannot hold this up.
    for (ssize_t read = 0; (read = ::read(reading, buffer, sizeof buffer)) > 0;) {
        told.take(buffer, static_cast<std::size_t>(read));
    }
    close(reading);
    std::cerr << told.said << std::flush;
    const bool crashed =
        WIFSIGNALED(status) && WTERMSIG(status) != SIGPIPE && !sentFromOutside(WTERMSIG(status));
    if (told.status >= 0 && !crashed) {
        return told.status;
    }
    std::cout.flush();
    if (told.status >= 0) {
        // The play was told to its end; the crash came as the program ended, when the plug-in
        // library's static objects were destroyed and it was unloaded.
        const char* meaning = signalDescription(WTERMSIG(status));
        std::cerr << "sundown-sim: crashed with "
                  << (meaning != nullptr ? meaning : "signal " + std::to_string(WTERMSIG(status)))
                  << " after the play, as the program ended and the plug-in was unloaded\n";
        return endedStatus;
    }
    if (WIFSIGNALED(status) && WTERMSIG(status) == SIGPIPE) {
        // The reader of the timeline went away: nothing more is wanted, as with any tool in a
        // pipe.
        return 128 + SIGPIPE;
    }
    if (WIFSIGNALED(status) && sentFromOutside(WTERMSIG(status))) {
        const char* meaning = signalDescription(WTERMSIG(status));
        std::cerr << "sundown-sim: the play was stopped from outside by "
                  << (meaning != nullptr ? meaning : "signal " + std::to_string(WTERMSIG(status)))
                  << " while " << told.doing << ": not a crash of the plug-in\n";
        return 128 + WTERMSIG(status);
    }
    if (WIFSIGNALED(status)) {
        const char* meaning = signalDescription(WTERMSIG(status));
        std::cerr << "sundown-sim: crashed with "
                  << (meaning != nullptr ? meaning : "signal " + std::to_string(WTERMSIG(status)))
                  << " while " << told.doing << "\n";
    } else {
        std::cerr << "sundown-sim: the plug-in ended the program (exit status "
                  << (WIFEXITED(status) ? WEXITSTATUS(status) : -1) << ") while " << told.doing
                  << ": nothing after it was played or checked\n";
    }
    return endedStatus;
}

#endif

}  // namespace

void nowDoing(const std::string& what) {
    rememberDoing(what);
#if !defined(_WIN32)
    std::string line = "doing " + what;
    for (char& c : line) {
        c = c == '\n' ? ' ' : c;
    }
    tell(line + "\n");
#endif
}

void sayProblem(const std::string& problem) {
    std::cerr << "sundown-sim: " << problem << '\n' << std::flush;
#if !defined(_WIN32)
    if (!std::cerr) {
        std::cerr.clear();
        std::string line = "say " + problem;
        for (char& c : line) {
            c = c == '\n' ? ' ' : c;
        }
        tell(line + "\n");
    }
#endif
}

int playReportingItsEnd(int ended, const std::function<int()>& play) {
    endedStatus = ended;
#if defined(_WIN32)
    for (const int signal : {SIGSEGV, SIGFPE, SIGILL, SIGABRT}) {
        std::signal(signal, onFatalSignal);
    }
    SetUnhandledExceptionFilter(onUnhandledException);
    std::atexit(onEarlyExit);
#if defined(_UCRT) || defined(_MSC_VER)
    // MinGW's msvcrt has no quick_exit to watch.
    std::at_quick_exit(onEarlyExit);
#endif
    const int status = play();
    summaryTold = true;
    return status;
#else
    int pipe[2] = {-1, -1};
    if (pipe2(pipe, O_CLOEXEC) != 0) {
        writeError("sundown-sim: cannot watch the play: no pipe\n");
        return ended;
    }
    std::cout.flush();
    std::cerr.flush();
    statusToken = newStatusToken();
    keepWhatChildrenLeave();
    const pid_t child = fork();
    if (child < 0) {
        writeError("sundown-sim: cannot watch the play: no child process\n");
        return ended;
    }
    if (child == 0) {
#if defined(__linux__)
        prctl(PR_SET_PDEATHSIG, SIGKILL);
#endif
        close(pipe[0]);
        channel = pipe[1];
        const int status = play();
        std::cout.flush();
        // Three digits, so that the parent reads a line of one length.
        char digits[4];
        std::snprintf(digits, sizeof digits, "%03d", status & 0xFF);
        tell("status " + std::string(digits) + " " + statusToken + "\n");
        std::exit(status);
    }
    close(pipe[1]);
    fcntl(pipe[0], F_SETFL, O_NONBLOCK);
    const int status = watch(child, pipe[0]);
    // What the plug-in started and left running goes with the play.
    endWhatChildrenLeft();
    return status;
#endif
}
