#include "EventRecord.h"

#include <algorithm>
#include <utility>

void EventRecord::add(RecordedEvent event) {
    entries.push_back(std::move(event));
}

std::vector<RecordedEvent> EventRecord::ofType(const std::string& type, std::size_t from) const {
    std::vector<RecordedEvent> found;
    for (std::size_t index = from; index < entries.size(); ++index) {
        if (entries[index].type == type) {
            found.push_back(entries[index]);
        }
    }
    return found;
}

std::size_t EventRecord::count(const std::string& type, const std::string& text) const {
    return static_cast<std::size_t>(
        std::count_if(entries.begin(), entries.end(),
                      [&](const auto& e) { return e.type == type && e.first == text; }));
}
