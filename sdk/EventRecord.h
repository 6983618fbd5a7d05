// The ordered record of everything the world saw happen that a player or a test can observe.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "HostApi.h"

// What each type of event holds:
//   command     first: the console line; second: "log" when its caller asked the console to log it
//   var         first: the variable; second: the value the console kept; detail: the value as
//               written, when the console kept another
//   bind        first: the key; second: the command bound to it
//   log         first: the line written to the host console
//   register    first: what (cvar, notifier, hook, drawable); second: its name
//   hook        first: the game function that ran
//   game        first: what happened to the match (see Game.h); second: its detail
//   disconnect  first: "match", or "menus" when there was no match to leave
//   quit        the game quits
//   overlay     first: the status line's text; second: its alpha (the simulator's own)
//   story       first: what a player saw happen (the simulator's own)
struct RecordedEvent {
    std::int64_t microseconds;  // virtual time
    std::string type;
    std::string first;
    std::string second;
    // Who caused it: "plugin", "key" (a bound key), "host", "game", or the driver's own name
    // ("script" for the simulator's scripts and the player typing at the console).
    std::string by;
    std::string detail = {};
};

class VANTREL_SDK_API EventRecord {
  public:
    void add(RecordedEvent event);

    const std::vector<RecordedEvent>& events() const { return entries; }
    std::size_t size() const { return entries.size(); }
    // Events of one type, in order, from `from` on.
    std::vector<RecordedEvent> ofType(const std::string& type, std::size_t from = 0) const;
    // How many events of `type` have `first` equal to `text`.
    std::size_t count(const std::string& type, const std::string& text) const;
    void clear() { entries.clear(); }

  private:
    std::vector<RecordedEvent> entries;
};
