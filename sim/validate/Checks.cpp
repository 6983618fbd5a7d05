#include "Checks.h"

#include <algorithm>
#include <fstream>
#include <random>

#include "ValidationHost.h"

#if defined(__linux__)
#include <unistd.h>
#endif

namespace {

const std::string kHooks[] = {
    "Function GameEvent_Soccar_TA.Active.StartRound",
    "Function TAGame.GameEvent_Soccar_TA.EventMatchEnded",
    "Function TAGame.GameEvent_Soccar_TA.Destroyed",
    "Function TAGame.GameEvent_TA.Destroyed",
};

#if defined(__SANITIZE_ADDRESS__)
#define SUNDOWN_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define SUNDOWN_ADDRESS_SANITIZER 1
#endif
#endif

// Resident memory in bytes, where the system tells it and nothing holds freed memory back;
// 0 elsewhere. AddressSanitizer keeps freed memory in quarantine, and finds leaks itself.
long long residentBytes() {
#if defined(__linux__) && !defined(SUNDOWN_ADDRESS_SANITIZER)
    std::ifstream statm("/proc/self/statm");
    long long pages = 0;
    long long resident = 0;
    statm >> pages >> resident;
    return resident * sysconf(_SC_PAGESIZE);
#else
    return 0;
#endif
}

// Events the plug-in caused in the record from `from` on: commands it ran, lines it logged,
// variables or binds it set, status lines it drew.
std::vector<std::string> pluginActivity(const HostWorld& world, std::size_t from) {
    std::vector<std::string> seen;
    const auto& events = world.events().events();
    for (std::size_t index = from; index < events.size(); ++index) {
        const RecordedEvent& event = events[index];
        if (event.second == "plugin" || event.type == "var" || event.type == "bind") {
            seen.push_back(event.type + " " + event.first);
        }
    }
    return seen;
}

}  // namespace

bool loadAndUnload(const CheckSettings& settings, std::ostream& report) {
    HostWorld world;
    SettingsWindow window;
    const int loads = std::max(settings.iterations, 10);
    long long settled = 0;
    for (int load = 1; load <= loads; ++load) {
        LoadedPlugin plugin(world, settings.pluginPath);
        window.adopt(*plugin.settings());
        window.frame(*plugin.settings(), 1.0F / 60.0F);
        world.canvas().frame();
        plugin.unload();
        world.events().clear();  // the host's own record is not the plug-in's memory
        if (load == loads / 5) {
            settled = residentBytes();
        }
    }
    const long long growth = residentBytes() - settled;
    report << "  " << loads << " loads and unloads; ";
    if (settled == 0) {
        report << "resident memory is not measured in this build\n";
    } else {
        report << "resident memory grew by " << growth / 1024 << " KiB over the last "
               << loads - loads / 5 << "\n";
    }
    if (growth > 1024LL * 1024LL) {
        report << "  memory grows with every load\n";
        return false;
    }
    return true;
}

bool callbacksAfterRelease(const CheckSettings& settings, std::ostream& report) {
    ValidationHost host(settings.pluginPath);
    host.world.console().set("numOfGames", "1", "validator");
    host.world.console().run("SundownEnableDisable", "validator");  // arms hideOverlay
    host.pageOpen = true;
    host.window.click("Start/Stop");  // arms a tick
    host.playInput();
    host.window.click("Set Bind");  // leaves a pending Execute: no host frame runs it yet
    while (host.window.busy()) {
        host.drawPage();
    }
    host.world.game().join();
    host.world.hooks().fire(kHooks[0]);
    host.world.game().setWinner(1);
    host.world.hooks().fire(kHooks[1]);  // arms the leave pair
    const std::size_t armed = host.world.clock().pending();
    const std::size_t executes = host.world.pendingExecutes();

    host.plugin().releaseEntry();
    host.plugin().dropHostCopy();
    host.pageOpen = false;
    const std::size_t from = host.world.events().size();
    int fired = 0;
    for (const std::string& hook : kHooks) {
        fired += host.world.hooks().fire(hook);
    }
    host.world.console().run("SundownEnableDisable 1 2", "validator");
    host.world.console().run("resetGamesCount", "validator");
    host.advance(30'000'000);
    host.world.runExecutes();
    const auto activity = pluginActivity(host.world, from);
    report << "  " << armed << " timeouts, " << executes << " pending Execute callables and "
           << fired << " hook callables fired after deleteMe\n";
    for (const auto& what : activity) {
        report << "  ran on a released object: " << what << "\n";
    }
    const bool drewAfterRelease = !host.world.canvas().lastFrame().empty();
    if (drewAfterRelease) {
        report << "  the drawable drew for a released object\n";
    }

    host.plugin().unload();
    const bool dropped = host.world.hooks().hookedNames().empty() &&
                         host.world.clock().pending() == 0 && host.world.canvas().drawables() == 0;
    if (!dropped) {
        report << "  the host kept plug-in callables after the unload\n";
    }
    return activity.empty() && !drewAfterRelease && dropped && armed >= 4 && executes == 1;
}

bool hostileConsoleValues(const CheckSettings& settings, std::ostream& report) {
    ValidationHost host(settings.pluginPath);
    const std::vector<std::string> names = {"enableSundown", "enableByNumOption", "numOfGames",
                                            "enableByMinutes", "numOfMinutes"};
    const std::vector<std::string> values = {"",
                                             "0",
                                             "1",
                                             "-1",
                                             "300",
                                             "256",
                                             "255",
                                             "2.7",
                                             "-2147483649",
                                             "99999999999999999999",
                                             "1e40",
                                             "-1e40",
                                             "nan",
                                             "inf",
                                             "abc",
                                             "Game Count",
                                             "Lose Count",
                                             "Win-Lose Ratio",
                                             "LOSE COUNT",
                                             "lose count",
                                             "Lose Count ",
                                             std::string(10'000, '7'),
                                             std::string(10'000, 'x'),
                                             "\"quoted\"",
                                             "bind F5 resetGamesCount"};
    int tried = 0;
    bool held = true;
    for (const std::string& name : names) {
        for (const std::string& value : values) {
            Sundown& sundown = *host.sundown();
            const std::int32_t optionBefore = sundown.selectedOption;
            host.world.console().set(name, value, "validator");
            host.drawPage();
            host.world.canvas().frame();
            ++tried;
            const ConsoleVariable* games = host.world.console().variable("numOfGames");
            const ConsoleVariable* mode = host.world.console().variable("enableByNumOption");
            const auto expectedLimit =
                static_cast<std::uint8_t>(std::clamp(games->intValue(), 0, 255));
            const auto& labels =
                std::vector<std::string>{"Game Count", "Lose Count", "Win-Lose Ratio"};
            const auto label = std::find(labels.begin(), labels.end(), mode->text());
            const std::int32_t expectedOption =
                label == labels.end() ? optionBefore
                                      : static_cast<std::int32_t>(label - labels.begin());
            if (sundown.maxNumberOfGames != expectedLimit ||
                sundown.selectedOption != expectedOption ||
                sundown.enabled != host.world.console().variable("enableSundown")->boolValue()) {
                report << "  " << name << " = '" << value.substr(0, 40)
                       << "' was read wrongly: limit " << int{sundown.maxNumberOfGames} << ", mode "
                       << sundown.selectedOption << "\n";
                held = false;
            }
            host.world.console().run("SundownEnableDisable", "validator");
        }
    }
    // Key names: the longest the field holds, and a longer paste that it cuts.
    host.pageOpen = true;
    for (const std::size_t length : {std::size_t{199}, std::size_t{5000}}) {
        const std::string key(length, 'K');
        host.window.type("##KeyBindInput", key);
        host.window.click("Set Bind");
        host.playInput();
        host.drawPage();
        ++tried;
        const auto binds = host.world.events().ofType("bind");
        if (binds.empty() || binds.back().first != std::string(199, 'K')) {
            report << "  a " << length << "-character key name was not bound as its first 199\n";
            held = false;
        }
    }
    report << "  " << tried << " values tried\n";
    return held;
}

bool contextChanges(const CheckSettings& settings, std::ostream& report) {
    ValidationHost host(settings.pluginPath);
    std::mt19937_64 random(settings.seed);
    host.pageOpen = true;
    int changes = 0;
    bool held = true;
    for (int round = 0; round < std::max(settings.iterations / 10, 20); ++round) {
        switch (random() % 3) {
            case 0:
                host.window.replaceContext(*host.plugin().settings());
                break;
            case 1:
                host.window.resize(static_cast<float>(random() % 2000),
                                   static_cast<float>(random() % 1200));
                break;
            default:
                break;
        }
        ++changes;
        host.drawPage();
        host.drawPage();
        host.window.resize(1400.0F, 300.0F);
        const bool lose = random() % 2 == 0;
        host.window.click(lose ? "Lose Count" : "Game Count");
        if (!host.playInput() || host.sundown()->selectedOption != (lose ? 1 : 0)) {
            report << "  the page stopped answering after change " << changes << "\n";
            held = false;
            break;
        }
    }
    report << "  " << changes << " context replacements and resizes\n";
    return held;
}

const std::vector<Check>& allChecks() {
    static const std::vector<Check> checks = {
        {"load-and-unload", &loadAndUnload},  {"callbacks-after-release", &callbacksAfterRelease},
        {"random-player", &randomPlayer},     {"hostile-console-values", &hostileConsoleValues},
        {"context-changes", &contextChanges},
    };
    return checks;
}
