// The heads-up slot: the one warning shown in the status line's place, if any. A newer heads-up
// replaces an older one, and the end of an older one never cuts a newer one short.
#pragma once

#include <cstdint>

class HeadsUpSlot {
  public:
    // Shows `text`; the number returned is what its end must carry.
    std::uint32_t show(const char* text) {
        current = text;
        return ++shownCount;
    }
    // The end of the heads-up numbered `shown`: it goes only if no newer one has come since.
    void expire(std::uint32_t shown) {
        if (shown == shownCount) {
            current = nullptr;
        }
    }
    // Something else takes the status line's place at once.
    void clear() { current = nullptr; }

    // The text shown; null when the status line shows.
    const char* text() const { return current; }
    // How many heads-ups have been shown since the load.
    std::uint32_t shown() const { return shownCount; }

  private:
    const char* current = nullptr;
    std::uint32_t shownCount = 0;
};
