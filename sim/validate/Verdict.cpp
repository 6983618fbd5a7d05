#include "Verdict.h"

#include <cstdlib>
#include <cstring>
#include <sstream>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <csignal>
#if defined(__linux__)
#include <sys/prctl.h>
#endif
#endif

namespace {

#if !defined(_WIN32)
// A child's output beyond this goes nowhere: 64 MiB is far more than any report.
constexpr long long kMostWrittenByAChild = 64LL * 1024 * 1024;
#endif

const char* const kResults[] = {"passed", "failed", "loaded", "refused"};

bool wholeNumber(const std::string& text, long long& number) {
    if (text.empty() || text.size() > 18 ||
        text.find_first_not_of("0123456789") != std::string::npos) {
        return false;
    }
    number = std::atoll(text.c_str());
    return true;
}

}  // namespace

std::optional<Verdict> readVerdict(const std::string& said) {
    std::istringstream lines(said);
    std::string line;
    Verdict verdict;
    bool told = false;
    while (std::getline(lines, line)) {
        const std::size_t space = line.find(' ');
        const std::string key = line.substr(0, space);
        const std::string value = space == std::string::npos ? "" : line.substr(space + 1);
        if (key == "verdict") {
            told = false;
            for (int result = 0; result < 4; ++result) {
                if (value == kResults[result]) {
                    verdict.result = static_cast<Verdict::Result>(result);
                    told = true;
                }
            }
        } else if (key == "played" && !wholeNumber(value, verdict.played)) {
            return std::nullopt;
        } else if (key == "reason") {
            verdict.reason = value;
        } else if (key == "end" && told) {
            // The last line: a verdict cut short is none.
            return verdict;
        }
    }
    return std::nullopt;
}

bool VerdictChannel::open(const std::string& named, const std::string& parent,
                          std::string& problem) {
    long long number = -1;
    long long parentId = -1;
    problem =
        "--child is for the validator's own children, which it starts with a verdict "
        "channel: run the validator without it";
    if (!wholeNumber(named, number) || !wholeNumber(parent, parentId)) {
        return false;
    }
#if defined(_WIN32)
    if (static_cast<long long>(GetCurrentProcessId()) == parentId) {
        return false;
    }
    const auto handle = reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(number));
    if (GetFileType(handle) != FILE_TYPE_PIPE) {
        return false;
    }
    SetHandleInformation(handle, HANDLE_FLAG_INHERIT, 0);
    descriptor = _open_osfhandle(reinterpret_cast<std::intptr_t>(handle), _O_WRONLY);
    return descriptor >= 0;
#else
    struct stat channel {};
    if (static_cast<long long>(getppid()) != parentId || number < 3 || number > 1024 ||
        fstat(static_cast<int>(number), &channel) != 0 || !S_ISFIFO(channel.st_mode)) {
        return false;
    }
    descriptor = static_cast<int>(number);
    // Kept from any program the library might start.
    fcntl(descriptor, F_SETFD, FD_CLOEXEC);
    return true;
#endif
}

bool VerdictChannel::tell(const Verdict& verdict) {
    if (descriptor < 0) {
        return false;
    }
    std::string said = "verdict " + std::string(kResults[static_cast<int>(verdict.result)]) +
                       "\nplayed " + std::to_string(verdict.played) + "\n";
    if (!verdict.reason.empty()) {
        std::string reason = verdict.reason;
        for (char& c : reason) {
            c = c == '\n' ? ' ' : c;
        }
        said += "reason " + reason + "\n";
    }
    said += "end\n";
#if defined(_WIN32)
    const bool written = _write(descriptor, said.data(), static_cast<unsigned>(said.size())) ==
                         static_cast<int>(said.size());
#else
    const bool written =
        write(descriptor, said.data(), said.size()) == static_cast<ssize_t>(said.size());
#endif
    descriptor = -1;
    return written;
}

void becomeAChild() {
#if defined(__linux__)
    prctl(PR_SET_PDEATHSIG, SIGKILL);
#endif
#if !defined(_WIN32)
    // Past the limit a write fails rather than ends the child, which then tells what it found.
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit most{static_cast<rlim_t>(kMostWrittenByAChild),
                      static_cast<rlim_t>(kMostWrittenByAChild)};
    setrlimit(RLIMIT_FSIZE, &most);
    // A crash of the library under test is told, not dumped into the caller's folder, whatever
    // core limit the user has.
    const rlimit noCore{0, 0};
    setrlimit(RLIMIT_CORE, &noCore);
#endif
}
