// Cuts a failing sequence of events down to a shortest one that still fails, so that a report
// names only the events that matter.
#pragma once

#include <functional>
#include <vector>

#include "Events.h"

namespace randomPlay {

// Whether a sequence still breaks the promise the first one broke.
using StillFails = std::function<bool(const std::vector<Event>&)>;

// Drops blocks of events while the sequence still fails, from half of it down to single events,
// each size tried at every place in one pass.
std::vector<Event> shortestFailing(std::vector<Event> events, const StillFails& stillFails);

}  // namespace randomPlay
