// The ordered record of everything the world saw happen that a player or a test can observe.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "HostApi.h"

struct RecordedEvent {
    std::int64_t microseconds;  // virtual time
    std::string type;           // command, log, var, bind, hook, register, disconnect, quit
    std::string first;          // the command, line, variable or key name, hook name
    std::string second;         // who ran a command, a variable's value, a bound command
};

class VANTREL_SDK_API EventRecord {
  public:
    void add(std::int64_t microseconds, std::string type, std::string first,
             std::string second = {});

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
