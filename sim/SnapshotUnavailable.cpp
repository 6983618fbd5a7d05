// Builds without an off-screen OpenGL take no pictures, and say so.
#include "Snapshot.h"

std::string writeSnapshot(const std::string& /*path*/, SettingsWindow& /*window*/,
                          Vantrel::Plugin::PluginSettingsWindow* /*page*/,
                          const std::vector<CanvasText>& /*canvas*/) {
    return "this build of sundown-sim takes no pictures: it was built without OSMesa";
}
