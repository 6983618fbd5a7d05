// The host's settings-page interface: the host draws the page through it.
#pragma once

#include <cstdint>
#include <string>

namespace Vantrel::Plugin {

class PluginSettingsWindow {
  public:
    virtual ~PluginSettingsWindow() = default;
    // Called by the host each time it draws the page, after AdoptImGuiContext.
    virtual void DrawSettings() = 0;
    // Called by the host for the page's title; the host owns the returned text.
    virtual std::string GetPageName() = 0;
    // Called by the host with its Dear ImGui context before the page is drawn; the host keeps
    // owning the context and hands it over again whenever it replaces it.
    virtual void AdoptImGuiContext(std::uintptr_t context) = 0;

  protected:
    PluginSettingsWindow() = default;
    PluginSettingsWindow(const PluginSettingsWindow&) = default;
    PluginSettingsWindow& operator=(const PluginSettingsWindow&) = default;
};

}  // namespace Vantrel::Plugin
