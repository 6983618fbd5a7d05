// A plug-in library opened from disk the way the host opens one: by path, through its
// exported record. Files the host cannot use are refused with the reason.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

#include "PluginRecord.h"

class PluginRefused : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class PluginLibrary {
  public:
    // The file `named` names, as a full path: a name without a folder is the file in the current
    // folder, never one the system's loader would search for. Throws PluginRefused, with the
    // reason, for an empty name and for anything but a regular file that can be read: a folder,
    // a FIFO, a device, a loop of links, a missing file. Opens nothing but to read a byte.
    static std::filesystem::path fileToOpen(const std::string& named);

    // Opens exactly fileToOpen(path). Throws PluginRefused for what fileToOpen refuses, a file
    // that is not a library, a library without the entry points or the texts of its record, or
    // one built for another SDK build.
    explicit PluginLibrary(const std::string& path);
    ~PluginLibrary();
    PluginLibrary(const PluginLibrary&) = delete;
    PluginLibrary& operator=(const PluginLibrary&) = delete;

    const PluginRecord& record() const { return *exports; }
    // The full path of the file opened.
    const std::string& path() const { return file; }
    // Looks up any exported symbol; null when there is none.
    void* symbol(const char* name) const;

  private:
    std::string file;
    void* library = nullptr;
    const PluginRecord* exports = nullptr;
};
