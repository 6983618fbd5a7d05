// The losing streak: counted losses since the last counted win, for the player who sets a limit
// on them ("lossStreakLimit"; 0 is none).
#pragma once

#include <cstdint>

class LossStreak {
  public:
    // A counted match with a winner: a win ends the streak, a loss lengthens it (held at 255).
    void countResult(bool won) {
        if (won) {
            losses = 0;
        } else if (losses < 255) {
            ++losses;
        }
    }
    void reset() { losses = 0; }
    // The streak a kept session brings back.
    void restore(std::uint8_t kept) { losses = kept; }

    std::uint8_t count() const { return losses; }
    // Whether the losses in a row have reached `limit`.
    bool met(std::uint8_t limit) const { return limit > 0 && losses >= limit; }
    // Whether one more loss would reach `limit`.
    bool oneLossFrom(std::uint8_t limit) const { return limit > 0 && losses + 1 >= limit; }

  private:
    std::uint8_t losses = 0;
};
