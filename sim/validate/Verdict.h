// The verdict a child of the validator tells its parent: on a channel of its own (a pipe the
// parent opens for it before it starts), never on the standard streams, which the library under
// test shares and can write to, nor by its exit status, which the library can choose. A child
// that ends without telling one has not finished its part, whatever its exit status says.
#pragma once

#include <optional>
#include <string>

struct Verdict {
    enum class Result { Passed, Failed, Loaded, Refused };
    Result result = Result::Failed;
    long long played = 0;  // host events the part played
    std::string reason;    // why the library was refused
};

// What a child said on its channel; none when it said no whole verdict.
std::optional<Verdict> readVerdict(const std::string& said);

// The child's end of the channel.
class VerdictChannel {
  public:
    // Takes the channel on descriptor `descriptor` (a handle's number on Windows), kept from any
    // program the library might start. False, with the reason, when it is no channel the parent
    // opened: a child started by hand, or by another program than the validator `parent`.
    bool open(const std::string& descriptor, const std::string& parent, std::string& problem);
    // Tells the verdict, once; false when it could not be told.
    bool tell(const Verdict& verdict);

  private:
    int descriptor = -1;
};

// In a child, before the library is loaded: it dies with its parent, and what it may write to
// files is limited, so that a library writing without end cannot fill the disk.
void becomeAChild();
