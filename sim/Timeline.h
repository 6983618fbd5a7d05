// What the world recorded, told two ways: a line a player reads, and a JSON object a machine reads.
#pragma once

#include <optional>
#include <string>

#include "EventRecord.h"

// The timeline line for an event, without its timestamp; none for events a player would not see.
std::optional<std::string> describe(const RecordedEvent& event);

// The event as one line of JSON, with who caused it, whatever bytes its texts hold.
std::string toJson(const RecordedEvent& event);

// `text` with every control byte shown as an escape ("\x1b", "\n", "\0"), so that what a
// plug-in or a script hands the timeline can neither drive the terminal nor break a line.
std::string withControlsShown(const std::string& text);
