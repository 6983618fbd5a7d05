// The host boundary: the exported info record and the two entry points that create and
// release the one plug-in object.
#include "Sundown.h"

#include <cstdint>
#include <memory>

#include "LibraryState.h"
#include "PluginRecord.h"

namespace {

// Owns the one plug-in object; the host reads it through the address getPlugin returns.
std::shared_ptr<Vantrel::Plugin::VantrelPlugin> pluginInstance;

}  // namespace

// Keeps the host's console service referenced until the library goes.
std::shared_ptr<CVarManagerWrapper> globalCvarService;

extern "C" {

// Called by the host to obtain the plug-in. Returns the address of pluginInstance, which the
// library keeps owning; the host may copy the pointer it finds there.
VANTREL_PLUGIN_API std::uintptr_t getPlugin() {
    if (!pluginInstance) {
        // Made as a Sundown so the deleter destroys a Sundown and weak references work.
        pluginInstance = std::shared_ptr<Sundown>(new Sundown());
    }
    return reinterpret_cast<std::uintptr_t>(&pluginInstance);
}

// Called by the host when it is done with the plug-in. Copies the host made still own it.
VANTREL_PLUGIN_API void deleteMe() {
    pluginInstance.reset();
}

VANTREL_PLUGIN_API extern const PluginRecord exports;
const PluginRecord exports = {
    kVantrelSdkBuild, __FILE__, "Sundown",  "End your session while still unruffled",
    "1.0.0.129",      1,        &getPlugin, &deleteMe,
};

}  // extern "C"
