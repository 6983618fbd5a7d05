// The library-wide variables besides the plug-in object itself.
#pragma once

#include <memory>

#include "CVarManagerWrapper.h"

// A copy of the host's console service, kept from onLoad until the library goes.
extern std::shared_ptr<CVarManagerWrapper> globalCvarService;

// The key name typed on the settings page, NUL-terminated; every load starts from "F5".
constexpr int kKeyBindCapacity = 200;
extern char keyBindBuffer[kKeyBindCapacity];
