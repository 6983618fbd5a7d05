#include "ChildProcess.h"

#include "SignalNames.h"

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
#include <sys/wait.h>
#include <unistd.h>
#endif

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
                           std::filesystem::path outputPath)
    : outputFile(std::move(outputPath)) {
    std::string line = commandLine(arguments);
    SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    // CREATE_NEW fails on a name that exists, whatever it is.
    HANDLE output = CreateFileW(outputFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherited,
                                CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (output == INVALID_HANDLE_VALUE) {
        done = true;
        return;
    }
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = output;
    startup.hStdError = output;
    PROCESS_INFORMATION started{};
    if (CreateProcessA(arguments.front().c_str(), line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                       nullptr, &startup, &started)) {
        CloseHandle(started.hThread);
        process = started.hProcess;
    } else {
        done = true;
    }
    CloseHandle(output);
}

ChildProcess::~ChildProcess() {
    if (process != nullptr) {
        if (!done) {
            TerminateProcess(process, 1);
            WaitForSingleObject(process, INFINITE);
        }
        CloseHandle(process);
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
        result.ending = code <= 2 ? ChildOutcome::Ending::Exited : ChildOutcome::Ending::Crashed;
        done = true;
    } else if (std::chrono::steady_clock::now() >= deadline) {
        TerminateProcess(process, 1);
        WaitForSingleObject(process, INFINITE);
        result.ending = ChildOutcome::Ending::TimedOut;
        done = true;
    }
    return done;
}

#else

ChildProcess::ChildProcess(const std::vector<std::string>& arguments, std::filesystem::path output)
    : outputFile(std::move(output)) {
    // A new file, never one planted under its name: no link is followed, nothing overwritten.
    const int written =
        open(outputFile.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (written < 0) {
        done = true;
        return;
    }
    std::vector<char*> argv;
    argv.reserve(arguments.size() + 1);
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_adddup2(&files, written, STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&files, written, STDERR_FILENO);
    // A process group of its own, so that stopping it stops whatever it started too.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);
    pid_t child = -1;
    if (posix_spawn(&child, argv.front(), &files, &attributes, argv.data(), environ) == 0) {
        processId = child;
    } else {
        done = true;
    }
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&files);
    close(written);
}

ChildProcess::~ChildProcess() {
    if (processId > 0 && !done) {
        kill(-processId, SIGKILL);
        waitpid(processId, nullptr, 0);
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
        waitpid(processId, nullptr, 0);
        result.ending = ChildOutcome::Ending::TimedOut;
        done = true;
    }
    return done;
}

#endif

ChildOutcome ChildProcess::outcome() {
    std::ifstream written(outputFile, std::ios::binary);
    result.output.assign(std::istreambuf_iterator<char>(written), std::istreambuf_iterator<char>());
    return result;
}
