// A fortnight at a glance, for the player who asks for it ("keepHistory"): the shell's side. While
// it is kept, every approved online match and its seconds count for their day as the day's budget
// counts them, and each day that ends with play is added to "savedHistory". Turned off, nothing
// more is counted for it and what was saved stays.
#include "Settings.h"
#include "Sundown.h"

bool Sundown::historyKept() const {
    return variable(setting::keepHistory).getBoolValue();
}

// Read once, as the day is: edits made while the game runs are not seen until it starts again.
void Sundown::loadHistory(const std::string& today) {
    if (!history.loaded()) {
        history.load(variable(setting::savedHistory).getStringValue(), today);
    }
}

void Sundown::keepInHistory(const SavedDay& ended) {
    loadHistory(day.name());
    history.add(ended, day.name());
    variable(setting::savedHistory).setValue(history.encode());
}
