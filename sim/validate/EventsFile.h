// The file --events names, opened by the validator itself before its child starts: the child
// writes its events into a pipe, and the validator copies them into the file. So the file is held
// to no limit a child's files are held to, blocking on it (a FIFO with no reader) is never blamed
// on the plug-in, and a failure to write it is the validator's to tell, beside the part's verdict.
#pragma once

#include <optional>
#include <string>

class EventsFile {
  public:
    // Opens `path` for writing, emptied. Refuses (false, with the reason in `problem`) a name
    // that is the plug-in or the validator itself, which writing would destroy. A file that
    // cannot be opened is no refusal: `failure()` says why, and the run goes on without it.
    bool open(const std::string& path, const std::string& plugin, const std::string& program,
              std::string& problem);
    ~EventsFile();
    EventsFile() = default;
    EventsFile(const EventsFile&) = delete;
    EventsFile& operator=(const EventsFile&) = delete;

    // The descriptor to copy into; -1 when there is none.
    int descriptor() const { return file; }
    // Why the events could not be written, if they could not; empty while all went well.
    const std::string& failure() const { return whyNot; }
    void failed(const std::string& why) {
        if (whyNot.empty()) {
            whyNot = why;
        }
    }
    const std::string& path() const { return named; }

  private:
    std::string named;
    int file = -1;
    std::string whyNot;
};

// Writes all of `bytes` to `descriptor`, waiting at most a few seconds in all for a reader that
// is slow (a pipe, a FIFO, a terminal); the reason when it could not.
std::optional<std::string> writeAllOf(int descriptor, const char* bytes, std::size_t count);
