#include "Checks.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <random>
#include <vector>

#include "ValidationHost.h"

#if defined(__linux__)
#include <unistd.h>
#endif

namespace {

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
// variables or binds it set.
std::vector<std::string> pluginActivity(const HostWorld& world, std::size_t from) {
    std::vector<std::string> seen;
    const auto& events = world.events().events();
    for (std::size_t index = from; index < events.size(); ++index) {
        const RecordedEvent& event = events[index];
        if (event.by == "plugin") {
            seen.push_back(event.type + " " + event.first);
        }
    }
    return seen;
}

// A minute of play with every kind of callable the plug-in may have left with the host: game
// functions, the notifiers, timeouts falling due, canvas frames and Execute callables.
void playAMinute(ValidationHost& host) {
    Game& game = host.world.game();
    game.joinOnline(0);
    game.startRound();
    game.startRound();
    game.endMatch(1);
    game.leaveMatch();
    game.joinOnline(1);
    game.startRound();
    host.world.console().run("SundownEnableDisable 1 2", "validator");
    host.world.console().run("resetGamesCount", "validator");
    host.advance(30'000'000);
    game.startOffline();
    game.startRound();
    host.advance(30'000'000);
    host.world.runExecutes();
}

// Bytes a load over the samples, by least squares: a steady leak is a steady slope, however
// small each step, where the pages the system counts in make single steps jump.
double slopePerLoad(const std::vector<long long>& samples) {
    const auto count = static_cast<double>(samples.size());
    if (samples.size() < 2) {
        return 0.0;
    }
    double meanX = (count - 1.0) / 2.0;
    double meanY = 0.0;
    for (const long long sample : samples) {
        meanY += static_cast<double>(sample) / count;
    }
    double covariance = 0.0;
    double variance = 0.0;
    for (std::size_t index = 0; index < samples.size(); ++index) {
        const double x = static_cast<double>(index) - meanX;
        covariance += x * (static_cast<double>(samples[index]) - meanY);
        variance += x * x;
    }
    return covariance / variance;
}

// How many loads left more memory behind than the one before them.
int risesIn(const std::vector<long long>& samples) {
    int rises = 0;
    for (std::size_t index = 1; index < samples.size(); ++index) {
        rises += samples[index] > samples[index - 1] ? 1 : 0;
    }
    return rises;
}

// A leak: a megabyte over the loads measured, or a steady half a kilobyte a load that adds up to
// 128 KiB, risen in many loads (the allocator taking a larger piece at once is one rise).
constexpr long long kMostGrowth = 1024LL * 1024LL;
constexpr double kMostBytesALoad = 512.0;
constexpr long long kLeastSteadyGrowth = 128LL * 1024LL;
constexpr int kLeastSteadyRises = 16;

}  // namespace

bool loadAndUnload(const CheckSettings& settings, std::ostream& report, long long& /*played*/) {
    HostWorld world;
    SettingsWindow window;
    const int loads = std::max(settings.iterations, 10);
    long long settled = 0;
    std::vector<long long> samples;
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
        if (load >= loads / 5) {
            samples.push_back(residentBytes());
        }
    }
    const long long growth = residentBytes() - settled;
    const double perLoad = slopePerLoad(samples);
    report << "  " << loads << " loads and unloads; ";
    if (settled == 0) {
        report << "resident memory is not measured in this build\n";
        return true;
    }
    report << "resident memory grew by " << growth / 1024 << " KiB over the last "
           << loads - loads / 5 << " (" << std::lround(perLoad) << " bytes a load)\n";
    const bool steady = perLoad >= kMostBytesALoad && growth >= kLeastSteadyGrowth &&
                        risesIn(samples) >= kLeastSteadyRises;
    if (growth > kMostGrowth || steady) {
        report << "  memory grows with every load\n";
        return false;
    }
    return true;
}

bool callbacksAfterRelease(const CheckSettings& settings, std::ostream& report,
                           long long& /*played*/) {
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
    Game& game = host.world.game();
    game.joinOnline(0);
    game.startRound();
    game.endMatch(1);  // arms the leave pair
    const std::size_t armed = host.world.clock().pending();
    const std::size_t executes = host.world.pendingExecutes();

    // The library stays loaded: the host goes on running all of it.
    host.plugin().release();
    host.pageOpen = false;
    const std::size_t from = host.world.events().size();
    const std::size_t hooks = host.world.hooks().hookedNames().size();
    playAMinute(host);
    const auto activity = pluginActivity(host.world, from);
    report << "  " << armed << " timeouts, " << executes << " pending Execute callable and "
           << hooks << " hooks kept and run for a minute after deleteMe\n";
    for (const auto& what : activity) {
        report << "  ran on a released object: " << what << "\n";
    }
    const bool drewAfterRelease = !host.world.canvas().lastFrame().empty();
    if (drewAfterRelease) {
        report << "  the drawable drew for a released object\n";
    }

    // A new object from the same library works beside what the old one left behind.
    game.restart();
    host.plugin().create();
    host.world.console().run("SundownEnableDisable", "validator");
    game.joinOnline(0);
    game.startRound();
    game.endMatch(1);
    host.advance(5'000'000);
    const bool newOneWorks = game.quit();
    if (!newOneWorks) {
        report << "  a new object from the same library did not leave at its limit\n";
    }

    host.plugin().unload();
    const bool dropped = host.world.hooks().hookedNames().empty() &&
                         host.world.clock().pending() == 0 && host.world.canvas().drawables() == 0;
    if (!dropped) {
        report << "  the host kept plug-in callables after the unload\n";
    }
    return activity.empty() && !drewAfterRelease && newOneWorks && dropped && armed >= 4 &&
           executes == 1;
}

namespace {

// Sets `name` to `value`, draws the page and a canvas frame, and tells whether the plug-in read
// the limit, the mode and the switch back as the console holds them. Toggles afterwards.
bool readBackRight(ValidationHost& host, const std::string& name, const std::string& value,
                   bool saved, std::ostream& report) {
    Sundown& sundown = *host.sundown();
    const std::int32_t optionBefore = sundown.selectedOption;
    if (saved) {
        host.world.console().loadSaved(name, value);
    } else {
        host.world.console().set(name, value, "validator");
    }
    host.drawPage();
    host.world.canvas().frame();
    const ConsoleVariable* games = host.world.console().variable("numOfGames");
    const ConsoleVariable* mode = host.world.console().variable("enableByNumOption");
    const auto expectedLimit = static_cast<std::uint8_t>(std::clamp(games->intValue(), 0, 255));
    const std::vector<std::string> labels = {"Game Count", "Lose Count", "Win-Lose Ratio"};
    const auto label = std::find(labels.begin(), labels.end(), mode->text());
    const std::int32_t expectedOption =
        label == labels.end() ? optionBefore : static_cast<std::int32_t>(label - labels.begin());
    const bool held =
        sundown.maxNumberOfGames == expectedLimit && sundown.selectedOption == expectedOption &&
        sundown.enabled == host.world.console().variable("enableSundown")->boolValue();
    if (!held) {
        report << "  " << name << " = '" << value.substr(0, 40) << "'"
               << (saved ? " from the saved file" : "") << " was read wrongly: limit "
               << int{sundown.maxNumberOfGames} << ", mode " << sundown.selectedOption << "\n";
    }
    host.world.console().run("SundownEnableDisable", "validator");
    return held;
}

// Restarts the game with `value` kept as the session, and tells whether the plug-in read it back
// into a session it can save again.
bool keptSessionReadBack(ValidationHost& host, const std::string& value, std::ostream& report) {
    host.world.console().loadSaved("savedSession", value);
    host.restart();
    host.world.canvas().frame();
    host.drawPage();
    host.world.console().run("SundownEnableDisable", "validator");
    const Sundown& sundown = *host.sundown();
    const std::string saved = host.world.console().variable("savedSession")->text();
    const bool held =
        sundown.selectedOption >= 0 && sundown.selectedOption <= 2 &&
        sundown.enabled == host.world.console().variable("enableSundown")->boolValue() &&
        std::count(saved.begin(), saved.end(), ',') == 4 && saved.size() <= 19;
    if (!held) {
        report << "  a kept session of '" << value.substr(0, 40) << "' came back as mode "
               << sundown.selectedOption << " and was saved again as '" << saved.substr(0, 40)
               << "'\n";
    }
    return held;
}

}  // namespace

bool hostileConsoleValues(const CheckSettings& settings, std::ostream& report,
                          long long& /*played*/) {
    ValidationHost host(settings.pluginPath);
    const std::vector<std::string> names = {
        "enableSundown", "enableByNumOption",    "numOfGames",  "enableByMinutes",
        "numOfMinutes",  "keepSessionOnRestart", "savedSession"};
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
                                             "bind F5 resetGamesCount",
                                             "1,1,3,1,2",
                                             "-1,5",
                                             "1,7,300,0,0",
                                             ",,,,,,",
                                             std::string(10'000, ',')};
    int tried = 0;
    bool held = true;
    for (const std::string& name : names) {
        for (const std::string& value : values) {
            // Through the console, which keeps to the limits, and as a hand-edited saved file
            // holds it, outside them.
            for (const bool saved : {false, true}) {
                held = readBackRight(host, name, value, saved, report) && held;
                ++tried;
            }
        }
    }
    // A kept session of any text, read back after a restart.
    host.world.console().set("keepSessionOnRestart", "1", "validator");
    for (const std::string& value : values) {
        held = keptSessionReadBack(host, value, report) && held;
        ++tried;
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

bool contextChanges(const CheckSettings& settings, std::ostream& report, long long& /*played*/) {
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
        {"load-and-unload", &loadAndUnload},
        {"callbacks-after-release", &callbacksAfterRelease},
        {"random-player", &randomPlayer, kRandomSequences, &randomSequenceLength},
        {"hostile-console-values", &hostileConsoleValues},
        {"context-changes", &contextChanges},
    };
    return checks;
}
