#include "LoadedPlugin.h"

#if !defined(_MSC_VER)
#include <cxxabi.h>
#endif

#include <typeinfo>

#include "HostWorld.h"

using Vantrel::Plugin::PluginSettingsWindow;
using Vantrel::Plugin::VantrelPlugin;

LoadedPlugin::LoadedPlugin(HostWorld& world, const std::string& path)
    : world(&world), library(std::make_unique<PluginLibrary>(path)) {
    const std::uintptr_t address = library->record().createEntry();
    if (address != 0) {
        instance = *reinterpret_cast<const std::shared_ptr<VantrelPlugin>*>(address);
    }
    if (!instance) {
        library.reset();
        throw PluginRefused("plug-in '" + path + "' refused: its createEntry gave no plug-in");
    }
    instance->cvarService = std::make_shared<CVarManagerWrapper>(world);
    instance->gameService = std::make_shared<GameWrapper>(world);
    instance->onLoad();
}

LoadedPlugin::~LoadedPlugin() {
    unload();
}

namespace {

// The host finds a plug-in's settings page the way a cross cast does, but from the object's
// own type information alone: the base class's is compiled into the plug-in, not the host.
PluginSettingsWindow* settingsPageOf(VantrelPlugin* plugin) {
    if (plugin == nullptr) {
        return nullptr;
    }
#if defined(_MSC_VER)
    // MSVC's type information is matched by name across modules: a cross cast finds the page.
    return dynamic_cast<PluginSettingsWindow*>(plugin);
#else
    void* object = dynamic_cast<void*>(plugin);
    const std::type_info& wholeType = typeid(*plugin);
    const auto* pageType =
        dynamic_cast<const abi::__class_type_info*>(&typeid(PluginSettingsWindow));
    if (pageType == nullptr || !wholeType.__do_upcast(pageType, &object)) {
        return nullptr;
    }
    return static_cast<PluginSettingsWindow*>(object);
#endif
}

}  // namespace

PluginSettingsWindow* LoadedPlugin::settings() const {
    return settingsPageOf(instance.get());
}

void LoadedPlugin::unload() {
    if (!library) {
        return;
    }
    if (instance) {
        instance->onUnload();
    }
    world->dropRegistrations();
    instance.reset();
    library->record().releaseEntry();
    library.reset();
}
