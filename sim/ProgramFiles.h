// Where a program of ours finds itself and the plug-in beside it, however it was started: from
// PATH, through a symbolic link, or by a relative path.
#pragma once

#include <filesystem>

// The running program's own file, links resolved.
std::filesystem::path programPath(const char* argv0);

// The built plug-in in the program's folder: Sundown.so, or Sundown.dll on Windows.
std::filesystem::path pluginBesideProgram(const char* argv0);
