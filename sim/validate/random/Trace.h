// The random player's trace: every event it plays, what the host world recorded while it played,
// and the plug-in's state after it, as JSON Lines. Two builds that behave alike write the same.
#pragma once

#include <cstddef>
#include <ostream>

#include "Events.h"
#include "HostWorld.h"
#include "Sundown.h"

namespace randomPlay {

class Trace {
  public:
    // Writes nothing when `out` is null.
    explicit Trace(std::ostream* out) : out(out) {}
    void event(std::size_t index, const Event& event, const HostWorld& world,
               const Sundown* sundown);

  private:
    std::ostream* out;
    std::size_t recorded = 0;  // the world's events written so far
};

}  // namespace randomPlay
