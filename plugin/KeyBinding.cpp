// Binding a typed key name to the master switch's console command.
#include <cstring>
#include <string>

#include "LibraryState.h"
#include "Sundown.h"

char keyBindBuffer[kKeyBindCapacity] = "F5";

namespace {

// The buffer's text up to its first NUL; a full buffer with no NUL stops at its end.
std::string typedKeyName() {
    return std::string(keyBindBuffer, strnlen(keyBindBuffer, kKeyBindCapacity));
}

}  // namespace

void Sundown::applyKeyBind() {
    const std::string command = "SundownEnableDisable";
    cvarService->setBind(typedKeyName(), command);
    // Straight to the host log, whatever logEnabled holds: the player asked for this.
    cvarService->log("New key bind set : " + typedKeyName() + " -> SundownEnableDisable");
}
