// A child process of the validator, started without a shell from an argument vector, with its
// output kept in a file until it ends, and stopped when it runs past its time limit.
#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

struct ChildOutcome {
    enum class Ending { Exited, Crashed, TimedOut, NotStarted };
    Ending ending = Ending::NotStarted;
    int exitCode = -1;
    int signal = 0;      // the signal that ended a crashed child, where the system tells it
    std::string output;  // what it wrote on standard output and standard error
};

// A fatal signal's name and what it means, as "SIGSEGV (invalid memory access)".
std::string describeSignal(int signal);

// The command line that runs `arguments`, each quoted as this system's shell reads it back.
std::string commandLine(const std::vector<std::string>& arguments);

class ChildProcess {
  public:
    // Starts `arguments[0]` with `arguments`, its output going to `outputFile`, a new file that
    // must not exist yet: nothing there is followed or overwritten.
    ChildProcess(const std::vector<std::string>& arguments, std::filesystem::path outputFile);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // True once the child has ended, or has been stopped for running past `deadline`.
    bool finished(std::chrono::steady_clock::time_point deadline);
    // What became of it; call once finished.
    ChildOutcome outcome();

  private:
    std::filesystem::path outputFile;
    ChildOutcome result;
    bool done = false;
#if defined(_WIN32)
    void* process = nullptr;
#else
    int processId = -1;
#endif
};
