// Pictures of a session: the host's settings window with the page, and the game canvas with
// the status line, rendered headless to a PNG file.
#pragma once

#include <string>
#include <vector>

#include "Canvas.h"
#include "PluginSettingsWindow.h"
#include "SettingsWindow.h"

enum class SnapshotResult {
    Written,
    NoPictures,  // this build has no off-screen OpenGL
    NotWritten,  // the picture could not be made or written, every byte of it
};

SnapshotResult writeSnapshot(const std::string& path, SettingsWindow& window,
                             Vantrel::Plugin::PluginSettingsWindow* page,
                             const std::vector<CanvasText>& canvas);
