// One plug-in in the host: opened, created, given its services, loaded and, at the end,
// released, unloaded and closed, in the host's order. What the plug-in registered stays with
// the host, and runs, until the library is unloaded.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "CVarManagerWrapper.h"
#include "GameWrapper.h"
#include "PluginLibrary.h"
#include "PluginSettingsWindow.h"
#include "VantrelPlugin.h"

class HostWorld;

class LoadedPlugin {
  public:
    // Opens the library, creates the plug-in and calls onLoad. Throws PluginRefused.
    LoadedPlugin(HostWorld& world, const std::string& path);
    // Unloads whatever is still loaded.
    ~LoadedPlugin();
    LoadedPlugin(const LoadedPlugin&) = delete;
    LoadedPlugin& operator=(const LoadedPlugin&) = delete;

    const PluginRecord& record() const { return library->record(); }
    PluginLibrary& file() { return *library; }
    Vantrel::Plugin::VantrelPlugin* plugin() const { return instance.get(); }
    // The plug-in's settings page; null when it has none or it is released.
    Vantrel::Plugin::PluginSettingsWindow* settings() const;
    // The host's number for this plug-in, which everything it registered carries.
    std::uint32_t owner() const { return ownerNumber; }

    // The host's copy of the plug-in pointer; it keeps the object alive on its own.
    const std::shared_ptr<Vantrel::Plugin::VantrelPlugin>& hostCopy() const { return instance; }
    void dropHostCopy() { instance.reset(); }
    // Calls the library's releaseEntry without unloading anything else.
    void releaseEntry() { library->record().releaseEntry(); }

    // onUnload, drop the host copy, releaseEntry: the object goes, while the library stays
    // loaded and the host goes on running every callable the object handed it.
    void release();
    // Creates a plug-in object from the library again, gives it the services and loads it.
    // Throws PluginRefused when createEntry gives no plug-in.
    void create();
    // Releases the object if it is not yet, forgets what it registered, closes the library.
    void unload();
    bool loaded() const { return library != nullptr; }

  private:
    HostWorld* world;
    std::uint32_t ownerNumber;
    std::unique_ptr<PluginLibrary> library;
    // The services every object of this library is given; the host keeps them until it closes
    // the library, because the callables the plug-in armed run with them.
    std::shared_ptr<CVarManagerWrapper> console;
    std::shared_ptr<GameWrapper> game;
    std::shared_ptr<Vantrel::Plugin::VantrelPlugin> instance;
};
