#include "Shrinker.h"

#include <cstddef>

namespace randomPlay {

std::vector<Event> shortestFailing(std::vector<Event> events, const StillFails& stillFails) {
    for (std::size_t block = events.size() / 2; block >= 1; block /= 2) {
        for (std::size_t start = 0; start + block <= events.size();) {
            std::vector<Event> shorter = events;
            shorter.erase(shorter.begin() + static_cast<std::ptrdiff_t>(start),
                          shorter.begin() + static_cast<std::ptrdiff_t>(start + block));
            if (stillFails(shorter)) {
                events = shorter;
            } else {
                start += block;
            }
        }
    }
    return events;
}

}  // namespace randomPlay
