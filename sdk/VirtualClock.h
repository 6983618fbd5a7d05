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

    void arm(Callback callback, float seconds);
    // Fires every timeout due by `target` in order, then stands at `target`.
    void runUntil(std::int64_t target);
    std::size_t pending() const { return timeouts.size(); }
    // Due times of the pending timeouts, soonest first.
    std::vector<std::int64_t> pendingDueTimes() const;
    void dropTimeouts() { timeouts.clear(); }

  private:
    struct Timeout {
        std::int64_t due;
        std::uint64_t order;
        Callback callback;
    };

    std::int64_t current = 0;
    std::uint64_t armed = 0;
    std::vector<Timeout> timeouts;  // a heap, soonest on top
};
