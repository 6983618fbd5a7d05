// The info record a plug-in library exports as `exports`. The host reads it directly,
// so its layout is fixed.
#pragma once

#include <cstddef>
#include <cstdint>

// The host SDK build this plug-in is made for; the host refuses any other.
constexpr std::int32_t kVantrelSdkBuild = 95;
// Lowest type flag: the plug-in has a settings page.
constexpr std::int32_t kPluginTypeSettings = 1;

struct PluginRecord {
    std::int32_t sdkBuild;
    const char* sourceFile;
    const char* classLabel;
    const char* displayName;
    const char* versionText;
    std::int32_t typeFlags;
    // Called by the host to obtain the plug-in; returns the address of a
    // std::shared_ptr<Vantrel::Plugin::VantrelPlugin> that stays owned by the library.
    std::uintptr_t (*createEntry)();
    // Called by the host when it is done with the plug-in.
    void (*releaseEntry)();
};

static_assert(offsetof(PluginRecord, sdkBuild) == 0);
static_assert(offsetof(PluginRecord, sourceFile) == 8);
static_assert(offsetof(PluginRecord, classLabel) == 16);
static_assert(offsetof(PluginRecord, displayName) == 24);
static_assert(offsetof(PluginRecord, versionText) == 32);
static_assert(offsetof(PluginRecord, typeFlags) == 40);
static_assert(offsetof(PluginRecord, createEntry) == 48);
static_assert(offsetof(PluginRecord, releaseEntry) == 56);
static_assert(sizeof(PluginRecord) == 64);
