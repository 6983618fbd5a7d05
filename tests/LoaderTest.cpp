// The host opens the built plug-in library, reads its record, creates, loads and releases it.
#include <cstdio>
#if !defined(_WIN32)
#include <dlfcn.h>
#endif
#include <cstring>
#include <filesystem>
#include <fstream>
#include <new>

#include <gtest/gtest.h>

#include "HostFixture.h"
#include "PluginLibrary.h"

namespace {

using Vantrel::Plugin::VantrelPlugin;

using Instance = std::shared_ptr<VantrelPlugin>;

const Instance& instanceAt(std::uintptr_t address) {
    return *reinterpret_cast<const Instance*>(address);
}

// A scratch file that goes when the test ends.
struct ScratchFile {
    std::filesystem::path path;
    explicit ScratchFile(const std::string& name, const std::string& content)
        : path(std::filesystem::temp_directory_path() / name) {
        std::ofstream(path) << content;
    }
    ~ScratchFile() { std::filesystem::remove(path); }
};

std::string refusalOf(const std::string& path) {
    try {
        PluginLibrary library(path);
    } catch (const PluginRefused& refused) {
        return refused.what();
    }
    return "";
}

}  // namespace

TEST(PluginRecord, ReadByTheHostFieldByField) {
    PluginLibrary library(SUNDOWN_PLUGIN_PATH);
    const auto* bytes = static_cast<const unsigned char*>(library.symbol("exports"));
    ASSERT_NE(bytes, nullptr);

    std::int32_t build = 0;
    std::memcpy(&build, bytes, 4);
    EXPECT_EQ(build, 95);
    const char* text[4] = {};
    std::memcpy(text, bytes + 8, sizeof text);
    EXPECT_TRUE(std::string(text[0]).find("Sundown") != std::string::npos) << text[0];
    EXPECT_STREQ(text[1], "Sundown");
    EXPECT_STREQ(text[2], "End your session while still unruffled");
    EXPECT_STREQ(text[3], "1.0.0.129");
    std::int32_t flags = 0;
    std::memcpy(&flags, bytes + 40, 4);
    EXPECT_EQ(flags, 1);
    for (const int padding : {4, 5, 6, 7, 44, 45, 46, 47}) {
        EXPECT_EQ(bytes[padding], 0) << "padding byte " << padding;
    }
    void* entries[2] = {};
    std::memcpy(entries, bytes + 48, sizeof entries);
    EXPECT_EQ(entries[0], library.symbol("getPlugin"));
    EXPECT_EQ(entries[1], library.symbol("deleteMe"));
}

namespace {

// The base class's members and table, as the C++ ABI in use names them in the export table.
#if defined(_MSC_VER)
constexpr const char* kOnLoad = "?onLoad@VantrelPlugin@Plugin@Vantrel@@UEAAXXZ";
constexpr const char* kOnUnload = "?onUnload@VantrelPlugin@Plugin@Vantrel@@UEAAXXZ";
constexpr const char* kTable = "??_7VantrelPlugin@Plugin@Vantrel@@6B@";
#else
constexpr const char* kOnLoad = "_ZN7Vantrel6Plugin13VantrelPlugin6onLoadEv";
constexpr const char* kOnUnload = "_ZN7Vantrel6Plugin13VantrelPlugin8onUnloadEv";
constexpr const char* kTable = "_ZTVN7Vantrel6Plugin13VantrelPluginE";
#endif

}  // namespace

TEST(PluginRecord, OnlyTheEntryPointsAndTheBaseClassAreExported) {
    PluginLibrary library(SUNDOWN_PLUGIN_PATH);
    EXPECT_NE(library.symbol("getPlugin"), nullptr);
    EXPECT_NE(library.symbol("deleteMe"), nullptr);
    // The plug-in's own Dear ImGui stays private: its current context is not the host's.
    EXPECT_EQ(library.symbol("GImGui"), nullptr);
    EXPECT_NE(library.symbol(kOnLoad), nullptr);
    EXPECT_NE(library.symbol(kTable), nullptr);
}

TEST(PluginRecord, TheTableHoldsOnLoadOnUnloadAndRenderOverlayInTheirSlots) {
    PluginHost host;
    VantrelPlugin* plugin = host.loaded->plugin();
    // The host calls through the plug-in part's table: onLoad, onUnload, renderOverlay.
    void* const* table = *reinterpret_cast<void* const* const*>(plugin);
    EXPECT_EQ(table[1], host.loaded->file().symbol(kOnUnload));
    EXPECT_NE(table[0], table[1]) << "onLoad is Sundown's own";
#if defined(__GNUC__)
    // The third slot draws the status line. A class with a copy constructor goes by hidden
    // reference, the caller keeping the copy.
    using Slot = void (*)(VantrelPlugin*, CanvasWrapper*);
    const auto thirdSlot = reinterpret_cast<Slot>(table[2]);
    host.world.canvas().addDrawable([&](CanvasWrapper canvas) { thirdSlot(plugin, &canvas); });
    host.sundown().overlayAlpha = 255;
    host.canvasFrame();
    const auto& drawn = host.world.canvas().lastFrame();
    ASSERT_EQ(drawn.size(), 2U) << "the plug-in's drawable, then the third slot";
    EXPECT_EQ(drawn[1].text, "Sundown Disabled");
    EXPECT_EQ(drawn[1].color.A, 255.0F);
    EXPECT_EQ(drawn[1].xScale, 4.0F);
#endif
}

#if defined(_MSC_VER) && !defined(__GNUC__)
TEST(PluginRecord, TheThirdSlotDrawsTheStatusLineUnderTheVisualCppAbi) {
    PluginHost host;
    VantrelPlugin* plugin = host.loaded->plugin();
    void* const* table = *reinterpret_cast<void* const* const*>(plugin);
    // A class with a copy constructor goes by hidden reference to a copy the caller makes, and
    // under this ABI the callee destroys it: the copy is made where only the callee ends it.
    using Slot = void (*)(VantrelPlugin*, CanvasWrapper*);
    const auto thirdSlot = reinterpret_cast<Slot>(table[2]);
    host.world.canvas().addDrawable([&](const CanvasWrapper& canvas) {
        alignas(CanvasWrapper) unsigned char room[sizeof(CanvasWrapper)];
        thirdSlot(plugin, new (room) CanvasWrapper(canvas));
    });
    host.sundown().overlayAlpha = 255;
    host.canvasFrame();
    const auto& drawn = host.world.canvas().lastFrame();
    ASSERT_EQ(drawn.size(), 2U) << "the plug-in's drawable, then the third slot";
    EXPECT_EQ(drawn[1].text, "Sundown Disabled");
    EXPECT_EQ(drawn[1].color.A, 255.0F);
    EXPECT_EQ(drawn[1].xScale, 4.0F);
}
#endif

TEST(PluginLifetime, OneObjectUntilDeleteMeAndAFreshOneAfter) {
    PluginLibrary library(SUNDOWN_PLUGIN_PATH);
    const PluginRecord& record = library.record();

    record.releaseEntry();  // before any object: nothing to do
    const std::uintptr_t first = record.createEntry();
    VantrelPlugin* object = instanceAt(first).get();
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(record.createEntry(), first);
    EXPECT_EQ(instanceAt(first).get(), object);
    EXPECT_EQ(instanceAt(first).use_count(), 1);

    auto& sundown = static_cast<Sundown&>(*object);
    sundown.numberOfGamesPlayed = 7;
    sundown.maxMinutes = 30;

    record.releaseEntry();
    EXPECT_EQ(instanceAt(first).get(), nullptr);
    record.releaseEntry();  // twice in a row: still nothing

    const std::uintptr_t again = record.createEntry();
    EXPECT_EQ(again, first);
    auto& fresh = static_cast<Sundown&>(*instanceAt(again));
    EXPECT_EQ(fresh.numberOfGamesPlayed, 0);
    EXPECT_EQ(fresh.maxMinutes, 1);
    EXPECT_EQ(fresh.maxNumberOfGamesStep, 1);
    record.releaseEntry();
}

TEST(PluginLifetime, NewObjectHoldsTheInitialValues) {
    PluginLibrary library(SUNDOWN_PLUGIN_PATH);
    const Instance& instance = instanceAt(library.record().createEntry());
    const auto& sundown = static_cast<const Sundown&>(*instance);

    EXPECT_FALSE(sundown.logEnabled);
    EXPECT_EQ(sundown.numberOfGamesPlayed, 0);
    EXPECT_EQ(sundown.numberOfWins, 0);
    EXPECT_EQ(sundown.numberOfLosses, 0);
    EXPECT_EQ(sundown.maxNumberOfGames, 0);
    EXPECT_EQ(sundown.maxNumberOfGamesStep, 1);
    EXPECT_EQ(sundown.selectedOption, 0);
    EXPECT_FALSE(sundown.enabled);
    EXPECT_FALSE(sundown.gameApproved);
    EXPECT_FALSE(sundown.exitPending);
    EXPECT_EQ(sundown.maxMinutes, 1);
    EXPECT_EQ(sundown.minutesElapsed, 0);
    EXPECT_EQ(sundown.secondsElapsed, 0);
    EXPECT_FALSE(sundown.timerRunning);
    EXPECT_FALSE(sundown.blinkPhase);
    EXPECT_EQ(sundown.overlayAlpha, 0);
    EXPECT_EQ(sundown.overlayColor.A, 0.0F);
    EXPECT_FALSE(sundown.cvarService);
    EXPECT_FALSE(sundown.gameService);
    // Blue, hue 4/7: 0.240, 0.446, 0.600.
    for (const ImVec4& color : {sundown.timerButtonColor, sundown.enableButtonColor}) {
        EXPECT_NEAR(color.x, 0.240, 0.0005);
        EXPECT_NEAR(color.y, 0.446, 0.0005);
        EXPECT_NEAR(color.z, 0.600, 0.0005);
        EXPECT_EQ(color.w, 1.0F);
    }
    library.record().releaseEntry();
}

TEST(PluginLifetime, AHostCopyKeepsTheObjectAliveAfterDeleteMe) {
    PluginHost host;
    std::weak_ptr<VantrelPlugin> watch = host.loaded->hostCopy();
    host.loaded->releaseEntry();
    ASSERT_FALSE(watch.expired());
    EXPECT_EQ(host.sundown().GetPageName(), "Sundown");
    host.loaded->dropHostCopy();
    EXPECT_TRUE(watch.expired());
}

TEST(PluginLifetime, LoadingFillsTheServicesAndUnloadingLetsGo) {
    auto host = std::make_unique<PluginHost>();
    EXPECT_TRUE(host->sundown().cvarService);
    EXPECT_TRUE(host->sundown().gameService);
    host->loaded->unload();
    EXPECT_FALSE(host->loaded->loaded());
    EXPECT_EQ(host->world.liveObjects(),
              static_cast<std::int64_t>(host->world.console().variableNames().size()))
        << "only the console variables stay";
}

#if !defined(_WIN32)
TEST(PluginLifetime, UnloadingReallyClosesTheLibrary) {
    {
        PluginHost host;
        host.drawPage();
    }
    // Nothing may pin the library: a reload must start from fresh library state.
    void* stillThere = dlopen(SUNDOWN_PLUGIN_PATH, RTLD_NOW | RTLD_NOLOAD);
    EXPECT_EQ(stillThere, nullptr);
    if (stillThere != nullptr) {
        dlclose(stillThere);
    }
}
#endif

TEST(PluginLifetime, TheLogHelperIsSilentWhileLoggingIsOff) {
    PluginHost host;
    host.sundown().enabled = true;
    host.playMatch(Result::Loss);
    EXPECT_EQ(host.sundown().numberOfGamesPlayed, 1);
    EXPECT_TRUE(host.logLines().empty());
}

TEST(PluginLoader, RefusesFilesItCannotUse) {
    EXPECT_EQ(refusalOf("/nonexistent/Sundown.so"),
              "plug-in '/nonexistent/Sundown.so' refused: no such file");

    const ScratchFile text("sundown-not-a-library.so", "this is not a library\n");
    EXPECT_NE(refusalOf(text.path.string()).find("refused: not a loadable library"),
              std::string::npos);

    // A real library without the record: the SDK library sits beside the plug-in.
    EXPECT_NE(refusalOf(SUNDOWN_SDK_PATH).find("refused: it does not export the record 'exports'"),
              std::string::npos);
}

TEST(PluginLoader, RefusesARecordItCannotUse) {
    EXPECT_EQ(refusalOf(OTHER_BUILD_PLUGIN_PATH),
              std::string("plug-in '") + OTHER_BUILD_PLUGIN_PATH +
                  "' refused: built for SDK build 94, this host is build 95");
    EXPECT_EQ(refusalOf(NO_ENTRY_PLUGIN_PATH),
              std::string("plug-in '") + NO_ENTRY_PLUGIN_PATH +
                  "' refused: it does not export its entry points");
}
