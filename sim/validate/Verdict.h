// The verdict a child of the validator tells its parent: on a channel of its own (a pipe the
// parent opens for it before it starts), never on the standard streams, which the library under
// test shares and can write to, nor by its exit status, which the library can choose. A child
// that ends without telling one has not finished its part, whatever its exit status says. A
// verdict carries the run's token and a checksum, so that nothing written onto the channel by
// accident (a library's log in descriptor 3, a verdict left by another run) passes for one. It
// is no proof against a library written to deceive: code that runs in the child can read the
// token and tell what it likes.
#pragma once

#include <optional>
#include <string>

struct Verdict {
    enum class Result { Passed, Failed, Loaded, Refused };
    Result result = Result::Failed;
    long long played = 0;  // host events the part played
    std::string reason;    // why the library was refused
};

// What a child said on its channel: the one whole verdict with this run's `token` and a checksum
// that holds, whatever else is around it; none when there is none.
std::optional<Verdict> readVerdict(const std::string& said, const std::string& token);

// A token no other run shares: 32 hexadecimal digits from the system's random source.
std::string newVerdictToken();

// The child's end of the channel.
class VerdictChannel {
  public:
    // Takes the channel on descriptor `descriptor` (a handle's number on Windows), kept from any
    // program the library might start. False, with the reason, when it is no channel the parent
    // opened: a child started by hand, or by another program than the validator `parent`.
    bool open(const std::string& descriptor, const std::string& parent, const std::string& token,
              std::string& problem);
    // Tells the verdict, once; false, with the reason, when it could not be told: also when the
    // descriptor is no longer the pipe it was at the open (the library closed it, or opened a
    // file of its own into its number), so that a verdict never lands in a library's file.
    bool tell(const Verdict& verdict, std::string& problem);

  private:
    int descriptor = -1;
    std::string token;
#if !defined(_WIN32)
    // The pipe as the open found it.
    unsigned long long device = 0;
    unsigned long long inode = 0;
#endif
};

// In a child, before the library is loaded: it dies with its parent, and what it may write to
// files is limited, so that a library writing without end cannot fill the disk.
void becomeAChild();
