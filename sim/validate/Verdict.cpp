#include "Verdict.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <sstream>
#include <vector>

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

// FNV-1a, 64 bits: enough to tell a whole verdict from a damaged or accidental one.
std::string checksum(const std::string& text) {
    std::uint64_t hash = 14'695'981'039'346'656'037ULL;
    for (const char c : text) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 1'099'511'628'211ULL;
    }
    char digits[17];
    std::snprintf(digits, sizeof digits, "%016llx", static_cast<unsigned long long>(hash));
    return digits;
}

// One verdict's lines, from "verdict" to "end": whether they hold a whole verdict of this run.
std::optional<Verdict> readBlock(const std::vector<std::string>& lines, std::size_t first,
                                 const std::string& token) {
    Verdict verdict;
    std::string summed;
    bool told = false;
    bool ours = false;
    for (std::size_t index = first; index < lines.size(); ++index) {
        const std::string& line = lines[index];
        const std::size_t space = line.find(' ');
        const std::string key = line.substr(0, space);
        const std::string value = space == std::string::npos ? "" : line.substr(space + 1);
        if (key == "sum") {
            const bool whole = told && ours && value == checksum(summed) &&
                               index + 1 < lines.size() && lines[index + 1] == "end";
            return whole ? std::optional<Verdict>(verdict) : std::nullopt;
        }
        summed += line + "\n";
        if (index == first) {
            for (int result = 0; result < 4; ++result) {
                told = told || value == kResults[result];
                if (value == kResults[result]) {
                    verdict.result = static_cast<Verdict::Result>(result);
                }
            }
        } else if (key == "played") {
            if (!wholeNumber(value, verdict.played)) {
                return std::nullopt;
            }
        } else if (key == "reason") {
            verdict.reason = value;
        } else if (key == "token") {
            ours = !token.empty() && value == token;
        } else {
            // A line no verdict has: not a whole verdict.
            return std::nullopt;
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<Verdict> readVerdict(const std::string& said, const std::string& token) {
    std::vector<std::string> lines;
    std::istringstream text(said);
    for (std::string line; std::getline(text, line);) {
        lines.push_back(line);
    }
    // The last whole verdict of this run counts: anything around it is another's.
    for (std::size_t index = lines.size(); index-- > 0;) {
        if (lines[index].rfind("verdict ", 0) == 0) {
            if (auto verdict = readBlock(lines, index, token)) {
                return verdict;
            }
        }
    }
    return std::nullopt;
}

std::string newVerdictToken() {
    std::random_device source;
    std::string token;
    for (int part = 0; part < 4; ++part) {
        char digits[9];
        std::snprintf(digits, sizeof digits, "%08x", static_cast<unsigned>(source()));
        token += digits;
    }
    return token;
}

bool VerdictChannel::open(const std::string& named, const std::string& parent,
                          const std::string& runToken, std::string& problem) {
    long long number = -1;
    long long parentId = -1;
    problem =
        "--child is for the validator's own children, which it starts with a verdict "
        "channel: run the validator without it";
    if (!wholeNumber(named, number) || !wholeNumber(parent, parentId) || runToken.size() != 32 ||
        runToken.find_first_not_of("0123456789abcdef") != std::string::npos) {
        return false;
    }
    token = runToken;
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
    device = static_cast<unsigned long long>(channel.st_dev);
    inode = static_cast<unsigned long long>(channel.st_ino);
    // Kept from any program the library might start.
    fcntl(descriptor, F_SETFD, FD_CLOEXEC);
    return true;
#endif
}

bool VerdictChannel::tell(const Verdict& verdict, std::string& problem) {
    if (descriptor < 0) {
        problem = "the verdict was told already";
        return false;
    }
#if !defined(_WIN32)
    struct stat now {};
    if (fstat(descriptor, &now) != 0 || !S_ISFIFO(now.st_mode) ||
        static_cast<unsigned long long>(now.st_dev) != device ||
        static_cast<unsigned long long>(now.st_ino) != inode) {
        descriptor = -1;
        problem =
            "the verdict channel (descriptor 3) is no longer the pipe the validator opened: "
            "the plug-in closed it or put a file of its own in its place, and no verdict "
            "was told";
        return false;
    }
#endif
    std::string block = "verdict " + std::string(kResults[static_cast<int>(verdict.result)]) +
                        "\nplayed " + std::to_string(verdict.played) + "\n";
    if (!verdict.reason.empty()) {
        std::string reason = verdict.reason;
        for (char& c : reason) {
            c = c == '\n' ? ' ' : c;
        }
        block += "reason " + reason + "\n";
    }
    block += "token " + token + "\n";
    // A line of its own, whatever unfinished line the library left on the channel before it.
    const std::string said = "\n" + block + "sum " + checksum(block) + "\nend\n";
#if defined(_WIN32)
    const bool written = _write(descriptor, said.data(), static_cast<unsigned>(said.size())) ==
                         static_cast<int>(said.size());
#else
    const bool written =
        write(descriptor, said.data(), said.size()) == static_cast<ssize_t>(said.size());
#endif
    descriptor = -1;
    if (!written) {
        problem = "the verdict could not be written on its channel";
    }
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
