#include "ChildProcess.h"

#include "EventsFile.h"

#include "SignalNames.h"
#include "StartingSignals.h"

#include <cstdint>
#include <fstream>
#include <iterator>
#include <system_error>
#include <utility>

#if defined(_WIN32)
#include <windows.h>
#else
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

#if !defined(_WIN32)
// The descriptors the verdict channel and the events pipe take in a child, and the first one
// above both.
constexpr int kVerdictDescriptor = 3;
constexpr int kEventsDescriptor = 4;
constexpr int kFirstFreeDescriptor = 10;
#endif

// The first and last `kept` bytes of what `read` gives of a file of `size` bytes, with what lies
// between said to be left out.
template <typename Read>
std::string startAndEnd(std::size_t size, std::size_t kept, const Read& read) {
    if (size <= 2 * kept) {
        return read(0, size);
    }
    std::string start = read(0, kept);
    return start + "\n  [" + std::to_string(size - 2 * kept) + " bytes of its output left out]\n" +
           read(size - kept, kept);
}

#if defined(_WIN32)
std::string startAndEnd(const std::filesystem::path& file, std::size_t kept) {
    std::ifstream written(file, std::ios::binary | std::ios::ate);
    if (!written) {
        return {};
    }
    const auto size = static_cast<std::size_t>(written.tellg());
    return startAndEnd(size, kept, [&written](std::size_t from, std::size_t count) {
        std::string part(count, '\0');
        written.seekg(static_cast<std::streamoff>(from));
        written.read(part.data(), static_cast<std::streamsize>(count));
        part.resize(static_cast<std::size_t>(written.gcount()));
        return part;
    });
}
#else
// Read through the descriptor the file was made with, never by its name again: whatever a
// library puts in its place (a link, a FIFO that would never answer) is not what is read.
std::string startAndEnd(int descriptor, std::size_t kept) {
    struct stat file {};
    if (descriptor < 0 || fstat(descriptor, &file) != 0 || !S_ISREG(file.st_mode)) {
        return {};
    }
    return startAndEnd(static_cast<std::size_t>(file.st_size), kept,
                       [descriptor](std::size_t from, std::size_t count) {
                           std::string part(count, '\0');
                           std::size_t got = 0;
                           for (ssize_t read = 1; got < count && read > 0;
                                got += static_cast<std::size_t>(read)) {
                               read = pread(descriptor, part.data() + got, count - got,
                                            static_cast<off_t>(from + got));
                               if (read <= 0) {
                                   break;
                               }
                           }
                           part.resize(got);
                           return part;
                       });
}
#endif

}  // namespace

namespace {

#if defined(_WIN32)
// One argument as the C runtime's command-line parser reads it back: quoted when it holds
// blanks or quotes, with the backslashes before a quote doubled.
std::string quoteArgument(const std::string& argument) {
    if (!argument.empty() && argument.find_first_of(" \t\n\v\"") == std::string::npos) {
        return argument;
    }
    std::string quoted = "\"";
    for (auto next = argument.begin();; ++next) {
        std::size_t backslashes = 0;
        while (next != argument.end() && *next == '\\') {
            ++next;
            ++backslashes;
        }
        if (next == argument.end()) {
            quoted.append(backslashes * 2, '\\');
            break;
        }
        quoted.append(*next == '"' ? backslashes * 2 + 1 : backslashes, '\\');
        quoted.push_back(*next);
    }
    return quoted + "\"";
}
#else
// One argument as a POSIX shell reads it back: in single quotes unless it is plain.
std::string quoteArgument(const std::string& argument) {
    const char* const plain =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789-_./=:+,@%";
    if (!argument.empty() && argument.find_first_not_of(plain) == std::string::npos) {
        return argument;
    }
    std::string quoted = "'";
    for (const char c : argument) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}
#endif

}  // namespace

std::string describeSignal(int signal) {
    const char* meaning = signalDescription(signal);
    return meaning != nullptr ? meaning : "signal " + std::to_string(signal);
}

std::string commandLine(const std::vector<std::string>& arguments) {
    std::string line;
    for (const std::string& argument : arguments) {
        line += (line.empty() ? "" : " ") + quoteArgument(argument);
    }
    return line;
}

#if defined(_WIN32)

ChildProcess::ChildProcess(const std::vector<std::string>& arguments,
                           std::filesystem::path outputPath, EventsFile* /*events*/)
    : outputFile(std::move(outputPath)) {
    SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    // CREATE_NEW fails on a name that exists, whatever it is.
    HANDLE output = CreateFileW(outputFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherited,
                                CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    HANDLE verdictWrite = nullptr;
    HANDLE reading = nullptr;
    if (output == INVALID_HANDLE_VALUE || !CreatePipe(&reading, &verdictWrite, &inherited, 0)) {
        if (output != INVALID_HANDLE_VALUE) {
            CloseHandle(output);
        }
        done = true;
        return;
    }
    verdictRead = reading;
    SetHandleInformation(reading, HANDLE_FLAG_INHERIT, 0);
    std::vector<std::string> full = arguments;
    full.insert(full.end(),
                {"--verdict-fd", std::to_string(reinterpret_cast<std::uintptr_t>(verdictWrite)),
                 "--parent", std::to_string(GetCurrentProcessId())});
    std::string line = commandLine(full);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = output;
    startup.hStdError = output;
    // A job that ends everything the child starts when it is closed: when the child is done, and
    // when the validator ends, however it ends.
    job = CreateJobObjectA(nullptr, nullptr);
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits);
    PROCESS_INFORMATION started{};
    // It runs in the validator's private folder: what the library writes where it stands goes
    // with the folder, never into the caller's.
    const std::string folder = outputFile.parent_path().string();
    if (CreateProcessA(full.front().c_str(), line.data(), nullptr, nullptr, TRUE, CREATE_SUSPENDED,
                       nullptr, folder.c_str(), &startup, &started)) {
        AssignProcessToJobObject(job, started.hProcess);
        ResumeThread(started.hThread);
        CloseHandle(started.hThread);
        process = started.hProcess;
    } else {
        done = true;
    }
    CloseHandle(output);
    CloseHandle(verdictWrite);
}

ChildProcess::~ChildProcess() {
    if (process != nullptr) {
        if (!done) {
            TerminateProcess(process, 1);
            WaitForSingleObject(process, INFINITE);
        }
        CloseHandle(process);
    }
    if (job != nullptr) {
        CloseHandle(job);
    }
    if (verdictRead != nullptr) {
        CloseHandle(verdictRead);
    }
    std::error_code ignored;
    std::filesystem::remove(outputFile, ignored);
}

bool ChildProcess::finished(std::chrono::steady_clock::time_point deadline) {
    if (done) {
        return true;
    }
    if (WaitForSingleObject(process, 0) == WAIT_OBJECT_0) {
        DWORD code = 0;
        GetExitCodeProcess(process, &code);
        result.exitCode = static_cast<int>(code);
        // Exit statuses of our own are small; an unhandled exception ends with its code.
        result.ending = code <= 255 ? ChildOutcome::Ending::Exited : ChildOutcome::Ending::Crashed;
        done = true;
    } else if (std::chrono::steady_clock::now() >= deadline) {
        TerminateProcess(process, 1);
        WaitForSingleObject(process, INFINITE);
        result.ending = ChildOutcome::Ending::TimedOut;
        done = true;
    }
    if (done) {
        TerminateJobObject(job, 1);
    }
    drainChannel();
    return done;
}

void ChildProcess::drainChannel() {
    char buffer[4096];
    DWORD waiting = 0;
    while (verdictRead != nullptr &&
           PeekNamedPipe(verdictRead, nullptr, 0, nullptr, &waiting, nullptr) && waiting > 0) {
        DWORD read = 0;
        if (!ReadFile(verdictRead, buffer, sizeof buffer, &read, nullptr) || read == 0) {
            break;
        }
        keepChannel(buffer, read);
    }
}

#else

ChildProcess::ChildProcess(const std::vector<std::string>& arguments, std::filesystem::path output,
                           EventsFile* eventsFile)
    : outputFile(std::move(output)), events(eventsFile) {
    // A new file, never one planted under its name: no link is followed, nothing overwritten.
    // Kept open for reading back when the child is done.
    const int written =
        open(outputFile.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    int channel[2] = {-1, -1};
    if (written < 0 || pipe2(channel, O_CLOEXEC) != 0) {
        if (written >= 0) {
            close(written);
        }
        done = true;
        return;
    }
    verdictRead = channel[0];
    fcntl(verdictRead, F_SETFL, O_NONBLOCK);
    // Out of the way of the descriptors they take in the child, so that the moves there are moves.
    const int verdictWrite = fcntl(channel[1], F_DUPFD_CLOEXEC, kFirstFreeDescriptor);
    close(channel[1]);
    int eventsWrite = -1;
    int eventsPipe[2] = {-1, -1};
    if (events != nullptr && events->descriptor() >= 0 && pipe2(eventsPipe, O_CLOEXEC) == 0) {
        eventsRead = eventsPipe[0];
        fcntl(eventsRead, F_SETFL, O_NONBLOCK);
        // Room for many events between two looks of the validator's.
        fcntl(eventsRead, F_SETPIPE_SZ, 1 << 20);
        eventsWrite = fcntl(eventsPipe[1], F_DUPFD_CLOEXEC, kFirstFreeDescriptor);
        close(eventsPipe[1]);
    }
    std::vector<std::string> full = arguments;
    full.insert(full.end(), {"--verdict-fd", std::to_string(kVerdictDescriptor), "--parent",
                             std::to_string(getpid())});
    std::vector<char*> argv;
    argv.reserve(full.size() + 1);
    for (const std::string& argument : full) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    // The caller's standard input is the caller's: a child reads nothing from it.
    posix_spawn_file_actions_addopen(&files, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    // It runs in the validator's private folder: what the library writes where it stands goes
    // with the folder, never into the caller's.
    const std::string folder = outputFile.parent_path().string();
    posix_spawn_file_actions_addchdir_np(&files, folder.c_str());
    posix_spawn_file_actions_adddup2(&files, written, STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&files, written, STDERR_FILENO);
    posix_spawn_file_actions_adddup2(&files, verdictWrite, kVerdictDescriptor);
    if (eventsWrite >= 0) {
        posix_spawn_file_actions_adddup2(&files, eventsWrite, kEventsDescriptor);
    }
    // A process group of its own, so that stopping it stops whatever it started too.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    // It starts with every signal at its default and none blocked, whatever the validator's
    // own handlers and its launcher's leftovers.
    posix_spawnattr_setflags(
        &attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);
    posix_spawnattr_setpgroup(&attributes, 0);
    const sigset_t defaults = everySignal();
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    sigset_t unblocked;
    sigemptyset(&unblocked);
    posix_spawnattr_setsigmask(&attributes, &unblocked);
    pid_t child = -1;
    if (posix_spawn(&child, argv.front(), &files, &attributes, argv.data(), environ) == 0) {
        processId = child;
    } else {
        done = true;
    }
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&files);
    outputKept = written;
    close(verdictWrite);
    if (eventsWrite >= 0) {
        close(eventsWrite);
    }
}

ChildProcess::~ChildProcess() {
    if (processId > 0) {
        // The child itself too: it may have left its group for another (the validator's own).
        kill(-processId, SIGKILL);
        if (!done) {
            kill(processId, SIGKILL);
            waitpid(processId, nullptr, 0);
        }
    }
    if (verdictRead >= 0) {
        close(verdictRead);
    }
    if (outputKept >= 0) {
        close(outputKept);
    }
    if (eventsRead >= 0) {
        close(eventsRead);
    }
    std::error_code ignored;
    std::filesystem::remove(outputFile, ignored);
}

bool ChildProcess::finished(std::chrono::steady_clock::time_point deadline) {
    if (done) {
        return true;
    }
    int status = 0;
    if (waitpid(processId, &status, WNOHANG) == processId) {
        if (WIFEXITED(status)) {
            result.ending = ChildOutcome::Ending::Exited;
            result.exitCode = WEXITSTATUS(status);
        } else {
            result.ending = ChildOutcome::Ending::Crashed;
            result.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
        }
        done = true;
    } else if (std::chrono::steady_clock::now() >= deadline) {
        kill(-processId, SIGKILL);
        kill(processId, SIGKILL);
        waitpid(processId, nullptr, 0);
        result.ending = ChildOutcome::Ending::TimedOut;
        done = true;
    }
    if (done) {
        // Whatever the child started in its group goes with it, passing or not.
        kill(-processId, SIGKILL);
    }
    drainChannel();
    copyEvents();
    return done;
}

void ChildProcess::copyEvents() {
    char buffer[1 << 16];
    ssize_t read = 0;
    while (eventsRead >= 0 && (read = ::read(eventsRead, buffer, sizeof buffer)) > 0) {
        // After a failure the rest is read and dropped, so that the child never blocks on it.
        if (events->failure().empty()) {
            if (auto why =
                    writeAllOf(events->descriptor(), buffer, static_cast<std::size_t>(read))) {
                events->failed(*why);
            }
        }
    }
}

void ChildProcess::drainChannel() {
    // Never waits: whatever the child left running, holding the channel open, cannot hold the
    // reading up.
    char buffer[4096];
    ssize_t read = 0;
    while (verdictRead >= 0 && (read = ::read(verdictRead, buffer, sizeof buffer)) > 0) {
        keepChannel(buffer, static_cast<std::size_t>(read));
    }
}

#endif

void ChildProcess::keepChannel(const char* bytes, std::size_t count) {
    result.channelBytes += count;
    result.said.append(bytes, count);
    if (result.said.size() > 2 * kChannelKept) {
        result.said.erase(0, result.said.size() - kChannelKept);
    }
}

ChildOutcome ChildProcess::outcome() {
#if defined(_WIN32)
    result.output = startAndEnd(outputFile, kOutputKept);
#else
    result.output = startAndEnd(outputKept, kOutputKept);
#endif
    return result;
}
