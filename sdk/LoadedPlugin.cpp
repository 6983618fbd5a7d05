#include "LoadedPlugin.h"

#if !defined(_MSC_VER)
#include <cxxabi.h>
#endif

#include <typeinfo>

#include "HostWorld.h"
#include "PluginFault.h"

using Vantrel::Plugin::PluginSettingsWindow;
using Vantrel::Plugin::VantrelPlugin;

LoadedPlugin::LoadedPlugin(HostWorld& world, const std::string& path)
    : world(&world),
      ownerNumber(world.newOwner()),
      library(std::make_unique<PluginLibrary>(path)),
      console(std::make_shared<CVarManagerWrapper>(world, ownerNumber)),
      game(std::make_shared<GameWrapper>(world, ownerNumber)) {
    try {
        create();
    } catch (...) {
        unload();
        throw;
    }
}

void LoadedPlugin::create() {
    std::uintptr_t address = 0;
    callPlugin("getPlugin", {}, [&] { address = library->record().createEntry(); });
    if (address != 0) {
        instance = *reinterpret_cast<const std::shared_ptr<VantrelPlugin>*>(address);
    }
    if (!instance) {
        throw PluginRefused("plug-in '" + library->path() +
                            "' refused: its createEntry gave no plug-in");
    }
    instance->cvarService = console;
    instance->gameService = game;
    callPlugin("onLoad", {}, [&] { instance->onLoad(); });
}

LoadedPlugin::~LoadedPlugin() {
    try {
        unload();
    } catch (const PluginFault&) {
        // A plug-in that throws while it is let go is let go all the same.
        if (library) {
            world->dropRegistrations(ownerNumber);
            library.reset();
        }
    }
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

void LoadedPlugin::release() {
    if (instance) {
        const auto letGo = std::move(instance);
        callPlugin("onUnload", {}, [&] { letGo->onUnload(); });
    }
    // Harmless when the library holds no object any more.
    callPlugin("deleteMe", {}, [&] { library->record().releaseEntry(); });
}

void LoadedPlugin::unload() {
    if (!library) {
        return;
    }
    release();
    // The callables' code lives in the library: they go before it does.
    world->dropRegistrations(ownerNumber);
    console.reset();
    game.reset();
    library.reset();
}
