// A child process of the validator, started without a shell from an argument vector, with its
// output kept in a file until it ends, a channel of its own for its verdict, and stopped when it
// runs past its time limit. Whatever it started goes with it.
#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

class EventsFile;

struct ChildOutcome {
    enum class Ending { Exited, Crashed, TimedOut, NotStarted };
    Ending ending = Ending::NotStarted;
    int exitCode = -1;
    int signal = 0;      // the signal that ended a crashed child, where the system tells it
    std::string output;  // what it wrote on its standard streams: the first and last 64 KiB
    std::string said;    // the last of what it said on its verdict channel
    std::size_t channelBytes = 0;  // all it said there
};

// A fatal signal's name and what it means, as "SIGSEGV (invalid memory access)".
std::string describeSignal(int signal);

// The command line that runs `arguments`, each quoted as this system's shell reads it back.
std::string commandLine(const std::vector<std::string>& arguments);

class ChildProcess {
  public:
    // Starts `arguments[0]` with `arguments`, its output going to `outputFile`, a new file that
    // must not exist yet: nothing there is followed or overwritten. The child gets, after its
    // arguments, "--verdict-fd N --parent PID": the descriptor of its verdict channel, and this
    // process. With `events` open, the child's descriptor 4 is a pipe whose contents this
    // process copies into it as the child runs.
    ChildProcess(const std::vector<std::string>& arguments, std::filesystem::path outputFile,
                 EventsFile* events = nullptr);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // True once the child has ended, or has been stopped for running past `deadline`. Then
    // nothing it started runs any more.
    bool finished(std::chrono::steady_clock::time_point deadline);
    // What became of it; call once finished.
    ChildOutcome outcome();

    // The most of a child's output kept for the report: this much of its start and of its end.
    static constexpr std::size_t kOutputKept = std::size_t{64} * 1024;

    // The most of its verdict channel kept: the last of it, where the verdict comes.
    static constexpr std::size_t kChannelKept = std::size_t{64} * 1024;

  private:
    // Reads what waits on the verdict channel, so that a child writing there never blocks on a
    // full pipe, and keeps the last of it.
    void drainChannel();
    void keepChannel(const char* bytes, std::size_t count);
    // Copies what waits in the events pipe into the events file.
    void copyEvents();

    std::filesystem::path outputFile;
    ChildOutcome result;
    bool done = false;
#if defined(_WIN32)
    void* process = nullptr;
    void* job = nullptr;
    void* verdictRead = nullptr;
#else
    int processId = -1;
    int verdictRead = -1;
    int outputKept = -1;  // the output file as it was made
    EventsFile* events = nullptr;
    int eventsRead = -1;
#endif
};
