// The plug-in's cost per frame and per match, measured through our host with the real built
// library. Each benchmark reports heap allocations per iteration.
#include <benchmark/benchmark.h>

#include <initializer_list>
#include <memory>
#include <sstream>
#include <string>
#include <utility>

#include "AllocationCounter.h"
#include "Checks.h"
#include "HostWorld.h"
#include "LoadedPlugin.h"
#include "Script.h"
#include "Session.h"
#include "SettingsWindow.h"
#include "Sundown.h"

namespace {

// A host with the plug-in loaded, one per benchmark run.
struct BenchHost {
    HostWorld world;
    LoadedPlugin loaded{world, SUNDOWN_PLUGIN_PATH};

    Sundown& sundown() { return static_cast<Sundown&>(*loaded.plugin()); }
};

// Runs `body` for every iteration and reports the allocations it made per iteration.
template <typename Body>
void measure(benchmark::State& state, Body body) {
    const std::uint64_t before = allocationsSoFar();
    for (auto _ : state) {
        body();
    }
    state.counters["allocs/iter"] = benchmark::Counter(
        static_cast<double>(allocationsSoFar() - before) / static_cast<double>(state.iterations()));
}

enum class Overlay { Disabled, Enabled, HeadsUp };

void BM_RenderOverlay(benchmark::State& state, Overlay shown) {
    BenchHost host;
    host.world.console().set("numOfGames", "255", "bench");
    host.world.console().set("enableByNumOption", "Win-Lose Ratio", "bench");
    if (shown != Overlay::Disabled) {
        host.world.console().run("SundownEnableDisable", "bench");
    }
    if (shown == Overlay::HeadsUp) {
        // The kick-off of the match that may be the last: its heads-up stays, as no time passes.
        host.world.console().set("enableHeadsUp", "1", "bench");
        host.world.console().set("numOfGames", "1", "bench");
        host.world.console().run("SundownEnableDisable", "bench");
        host.world.console().run("SundownEnableDisable", "bench");
        host.world.game().joinOnline(0);
        host.world.game().startRound();
    }
    host.world.canvas().frame();
    if (shown == Overlay::HeadsUp && host.world.canvas().lastFrame().back().color.A != 255.0F) {
        state.SkipWithError("no heads-up is shown");
    }
    measure(state, [&] { host.world.canvas().frame(); });
    benchmark::DoNotOptimize(host.world.canvas().lastFrame().data());
}
BENCHMARK_CAPTURE(BM_RenderOverlay, disabled, Overlay::Disabled);
BENCHMARK_CAPTURE(BM_RenderOverlay, enabled, Overlay::Enabled);
BENCHMARK_CAPTURE(BM_RenderOverlay, headsUp, Overlay::HeadsUp);

// The same frame with the text built through a string stream, the way the status line's text
// could be built, to compare against.
void BM_RenderOverlayStreamText(benchmark::State& state) {
    BenchHost host;
    host.world.console().set("numOfGames", "255", "bench");
    host.world.console().set("enableByNumOption", "Win-Lose Ratio", "bench");
    host.world.console().run("SundownEnableDisable", "bench");
    const Sundown& sundown = host.sundown();
    HostWorld baseline;
    baseline.canvas().addDrawable([&sundown](CanvasWrapper canvas) {
        canvas.SetColor(LinearColor{3.0F, 150.0F, 58.0F, static_cast<float>(sundown.overlayAlpha)});
        std::ostringstream text;
        if (sundown.enabled) {
            text << "Sundown Enabled By:";
            static const char* const pieces[] = {" Game count ", " Loss count ",
                                                 " Ratio (Loses-Wins) count "};
            text << pieces[sundown.selectedOption] << int{sundown.maxNumberOfGames};
        } else {
            text << "Sundown Disabled";
        }
        canvas.DrawString(text.str(), 4.0F, 4.0F, false, false);
    });
    baseline.canvas().frame();
    measure(state, [&] { baseline.canvas().frame(); });
}
BENCHMARK(BM_RenderOverlayStreamText);

void BM_DrawSettings(benchmark::State& state) {
    BenchHost host;
    SettingsWindow window;
    window.captureText(false);  // a game host draws the page; it does not read it back as text
    window.adopt(*host.loaded.settings());
    window.frame(*host.loaded.settings(), 1.0F / 240.0F);
    measure(state, [&] { window.frame(*host.loaded.settings(), 1.0F / 240.0F); });
}
BENCHMARK(BM_DrawSettings);

// Frames of the whole page in a window `height` tall, with a bedtime set, two weeks of history
// kept and `more` settings saved.
void drawWholePage(benchmark::State& state, float height,
                   std::initializer_list<std::pair<const char*, const char*>> more) {
    HostWorld world;
    world.console().loadSaved("bedtime", "23:30");
    world.console().loadSaved("keepHistory", "1");
    world.console().loadSaved("savedHistory",
                              "2026-05-19,3,2400;2026-05-20,2,1500;2026-05-22,4,3300;"
                              "2026-05-23,5,4100;2026-05-25,2,1400;2026-05-27,6,4800;"
                              "2026-05-28,4,3000;2026-05-30,2,1300;2026-05-31,3,2100");
    for (const auto& [name, value] : more) {
        world.console().loadSaved(name, value);
    }
    LoadedPlugin loaded(world, SUNDOWN_PLUGIN_PATH);
    SettingsWindow window(1400.0F, height);
    window.captureText(false);
    window.adopt(*loaded.settings());
    window.frame(*loaded.settings(), 1.0F / 240.0F);
    measure(state, [&] { window.frame(*loaded.settings(), 1.0F / 240.0F); });
}

// The whole page, in a window tall enough to show every row, with a bedtime set and two weeks of
// history kept: what a player who uses both sees at every frame. A build without them draws its
// own whole page.
void BM_DrawWholePage(benchmark::State& state) {
    drawWholePage(state, 600.0F, {});
}
BENCHMARK(BM_DrawWholePage);

// The same with limits by weekday and a week's budget set too: the weekday table, the week's
// line and the chart's marks, in a window tall enough for them all.
void BM_DrawWholePageWithTheWeek(benchmark::State& state) {
    drawWholePage(state, 900.0F,
                  {{"minutesByWeekday", "45,45,45,45,90,180,180"},
                   {"matchesByWeekday", "2,2,2,2,4,6,6"},
                   {"weeklyMinutes", "300"},
                   {"weeklyMatches", "20"}});
}
BENCHMARK(BM_DrawWholePageWithTheWeek);

void BM_MatchEnd(benchmark::State& state) {
    BenchHost host;
    Sundown& sundown = host.sundown();
    sundown.enabled = true;
    sundown.selectedOption = 1;  // losses, and every match is won: the game never quits
    sundown.maxNumberOfGames = 255;
    Game& game = host.world.game();
    measure(state, [&] {
        game.joinOnline(0);
        game.startRound();
        game.endMatch(0);
        game.leaveMatch();
        // The host's record of the match is the host's memory, not the plug-in's.
        host.world.events().clear();
    });
}
BENCHMARK(BM_MatchEnd);

// Six hours at 240 frames a second: the timer runs the whole evening and twenty matches are
// played, the simulator playing the script as it would for a player.
std::string eveningScript() {
    std::string script =
        "set numOfGames 50\n"
        "command SundownEnableDisable\n"
        "settings open\n"
        "type \"Quit after # minutes\" 360\n"
        "click Start/Stop\n"
        "settings close\n";
    for (int match = 0; match < 20; ++match) {
        script += match % 3 == 0 ? "match loss 16m\n" : "match win 16m\n";
    }
    script += "wait 36m\n";
    return script;
}

void BM_Evening(benchmark::State& state) {
    std::istringstream input(eveningScript());
    const std::vector<ScriptLine> lines = readScript(input, "evening");
    bool quit = false;
    measure(state, [&] {
        SessionOptions options;
        options.pluginPath = SUNDOWN_PLUGIN_PATH;
        options.framesPerSecond = 240;
        Session session(options);
        session.play(lines);
        quit = session.failed() == 0;
    });
    benchmark::DoNotOptimize(quit);
}
BENCHMARK(BM_Evening)->Unit(benchmark::kMillisecond)->Iterations(3);

// The validator's random player: one seeded sequence of host events per iteration, every promise
// checked, the page drawn as a host without a screen draws it. Reports host events a second.
void BM_RandomPlayer(benchmark::State& state) {
    CheckSettings settings;
    settings.pluginPath = SUNDOWN_PLUGIN_PATH;
    settings.iterations = static_cast<int>(state.range(0));
    std::ostringstream report;
    int sequence = 0;
    bool held = true;
    int played = 0;
    for (auto _ : state) {
        held = playRandomSequence(settings, sequence++ % kRandomSequences, report, &played) && held;
    }
    state.SetItemsProcessed(played);
    if (!held) {
        state.SkipWithError("a promise broke: run sundown-validate");
    }
}
BENCHMARK(BM_RandomPlayer)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(8);

}  // namespace

BENCHMARK_MAIN();
