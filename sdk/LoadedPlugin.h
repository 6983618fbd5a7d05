// One plug-in in the host: opened, created, given its services, loaded and, at the end,
// unloaded, released and closed, in the host's order.
#pragma once

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
    // The plug-in's settings page; null when it has none or it is unloaded.
    Vantrel::Plugin::PluginSettingsWindow* settings() const;

    // The host's copy of the plug-in pointer; it keeps the object alive on its own.
    const std::shared_ptr<Vantrel::Plugin::VantrelPlugin>& hostCopy() const { return instance; }
    void dropHostCopy() { instance.reset(); }
    // Calls the library's releaseEntry without unloading anything else.
    void releaseEntry() { library->record().releaseEntry(); }

    // onUnload, drop the plug-in's registrations, drop the host copy, releaseEntry, close.
    void unload();
    bool loaded() const { return library != nullptr; }

  private:
    HostWorld* world;
    std::unique_ptr<PluginLibrary> library;
    std::shared_ptr<Vantrel::Plugin::VantrelPlugin> instance;
};
