// A plug-in library opened from disk the way the host opens one: by path, through its
// exported record. Files the host cannot use are refused with the reason.
#pragma once

#include <stdexcept>
#include <string>

#include "PluginRecord.h"

class PluginRefused : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class PluginLibrary {
  public:
    // Throws PluginRefused for a folder, a missing file, a file that is not a library, a library
    // without the entry points or the texts of its record, or one built for another SDK build.
    explicit PluginLibrary(const std::string& path);
    ~PluginLibrary();
    PluginLibrary(const PluginLibrary&) = delete;
    PluginLibrary& operator=(const PluginLibrary&) = delete;

    const PluginRecord& record() const { return *exports; }
    const std::string& path() const { return file; }
    // Looks up any exported symbol; null when there is none.
    void* symbol(const char* name) const;

  private:
    std::string file;
    void* library = nullptr;
    const PluginRecord* exports = nullptr;
};
