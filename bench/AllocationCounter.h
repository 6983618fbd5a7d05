// Counts heap allocations in the whole benchmark program, the loaded plug-in included.
#pragma once

#include <cstdint>

std::uint64_t allocationsSoFar();
