// The host's virtual clock and the one-shot timeouts armed on it. Timeouts fire in order of
// their due time, ties in the order armed; one armed while others fire waits for its own time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "HostApi.h"

class VANTREL_SDK_API VirtualClock {
  public:
    using Callback = std::function<void()>;

    static std::int64_t fromSeconds(double seconds);

    std::int64_t now() const { return current; }
    double seconds() const { return static_cast<double>(current) / 1e6; }

    // `owner` is the plug-in that armed it (0 for the host), so its timeouts go when it is
    // unloaded.
    void arm(Callback callback, float seconds, std::uint32_t owner = 0);
    // Fires every timeout due by `target` in order, then stands at `target`. When `halted` turns
    // true after a timeout, the clock stops at that timeout's moment instead.
    void runUntil(std::int64_t target, const std::function<bool()>& halted = {});
    std::size_t pending() const { return timeouts.size(); }
    // Due times of the pending timeouts, soonest first.
    std::vector<std::int64_t> pendingDueTimes() const;
    void dropTimeouts() { timeouts.clear(); }
    void dropOwner(std::uint32_t owner);

  private:
    struct Timeout {
        std::int64_t due;
        std::uint64_t order;
        std::uint32_t owner;
        Callback callback;
    };

    std::int64_t current = 0;
    std::uint64_t armed = 0;
    std::vector<Timeout> timeouts;  // a heap, soonest on top
};
