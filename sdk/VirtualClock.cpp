#include "VirtualClock.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "PluginFault.h"

namespace {

// Heap order: the soonest due time on top, ties to the first armed.
constexpr auto later = [](const auto& left, const auto& right) {
    return left.due != right.due ? left.due > right.due : left.order > right.order;
};

}  // namespace

std::int64_t VirtualClock::fromSeconds(double seconds) {
    if (!std::isfinite(seconds) || seconds < 0.0) {
        return 0;
    }
    return std::llround(seconds * 1e6);
}

void VirtualClock::arm(Callback callback, float seconds, std::uint32_t owner) {
    timeouts.push_back({current + fromSeconds(seconds), armed++, owner, std::move(callback)});
    std::push_heap(timeouts.begin(), timeouts.end(), later);
}

void VirtualClock::runUntil(std::int64_t target, const std::function<bool()>& halted) {
    while (!timeouts.empty() && timeouts.front().due <= target) {
        std::pop_heap(timeouts.begin(), timeouts.end(), later);
        Timeout next = std::move(timeouts.back());
        timeouts.pop_back();
        current = std::max(current, next.due);
        callPlugin("a timeout it armed", {}, next.callback);
        if (halted && halted()) {
            return;
        }
    }
    current = std::max(current, target);
}

std::vector<std::int64_t> VirtualClock::pendingDueTimes() const {
    std::vector<std::int64_t> due;
    due.reserve(timeouts.size());
    for (const auto& timeout : timeouts) {
        due.push_back(timeout.due);
    }
    std::sort(due.begin(), due.end());
    return due;
}

void VirtualClock::dropOwner(std::uint32_t owner) {
    timeouts.erase(
        std::remove_if(timeouts.begin(), timeouts.end(),
                       [owner](const Timeout& timeout) { return timeout.owner == owner; }),
        timeouts.end());
    std::make_heap(timeouts.begin(), timeouts.end(), later);
}
