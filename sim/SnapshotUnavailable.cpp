// Builds without an off-screen OpenGL take no pictures, and say so.
#include "Snapshot.h"

SnapshotResult writeSnapshot(const std::string& /*path*/, SettingsWindow& /*window*/,
                             Vantrel::Plugin::PluginSettingsWindow* /*page*/,
                             const std::vector<CanvasText>& /*canvas*/) {
    return SnapshotResult::NoPictures;
}
