#include "EventsFile.h"

#include <cerrno>
#include <chrono>
#include <cstring>

#if defined(_WIN32)
#include <io.h>
#else
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

#if !defined(_WIN32)
// Whether `path` names the same file as `other`.
bool sameFile(const std::string& path, const std::string& other) {
    struct stat a {};
    struct stat b {};
    return stat(path.c_str(), &a) == 0 && stat(other.c_str(), &b) == 0 && a.st_dev == b.st_dev &&
           a.st_ino == b.st_ino;
}
#endif

}  // namespace

bool EventsFile::open(const std::string& path, const std::string& plugin,
                      const std::string& program, std::string& problem) {
    named = path;
#if defined(_WIN32)
    static_cast<void>(plugin);
    static_cast<void>(program);
    static_cast<void>(problem);
    return true;
#else
    if (sameFile(path, plugin) || sameFile(path, program)) {
        problem = "--events names " +
                  std::string(sameFile(path, plugin) ? "the plug-in"
                                                     : "the "
                                                       "validator") +
                  " itself ('" + path + "'), which writing the events would destroy";
        return false;
    }
    // Never blocks: a FIFO that no one reads is said to be so at once.
    file = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOCTTY | O_NONBLOCK | O_CLOEXEC,
                  0644);
    if (file < 0) {
        failed(errno == ENXIO ? std::string("no one reads it") : std::strerror(errno));
    }
    return true;
#endif
}

EventsFile::~EventsFile() {
#if !defined(_WIN32)
    if (file >= 0) {
        close(file);
    }
#endif
}

std::optional<std::string> writeAllOf(int descriptor, const char* bytes, std::size_t count) {
#if defined(_WIN32)
    static_cast<void>(descriptor);
    static_cast<void>(bytes);
    static_cast<void>(count);
    return std::nullopt;
#else
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (count > 0) {
        const ssize_t written = ::write(descriptor, bytes, count);
        if (written > 0) {
            bytes += written;
            count -= static_cast<std::size_t>(written);
            continue;
        }
        if (written < 0 && errno != EAGAIN && errno != EINTR) {
            return std::string(std::strerror(errno));
        }
        if (std::chrono::steady_clock::now() >= giveUp) {
            return std::string("its reader took more than 10 s to take what was written");
        }
        pollfd ready{descriptor, POLLOUT, 0};
        poll(&ready, 1, 100);
    }
    return std::nullopt;
#endif
}
