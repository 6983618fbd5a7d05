#include "Session.h"

#include <algorithm>
#include <cmath>

#include "Durations.h"
#include "Snapshot.h"
#include "Timeline.h"

namespace {

const std::string kRoundStart = "Function GameEvent_Soccar_TA.Active.StartRound";
const std::string kMatchEnded = "Function TAGame.GameEvent_Soccar_TA.EventMatchEnded";
const std::string kSoccarDestroyed = "Function TAGame.GameEvent_Soccar_TA.Destroyed";
const std::string kEventDestroyed = "Function TAGame.GameEvent_TA.Destroyed";

constexpr std::int64_t kPostMatchScreens = 10'000'000;
constexpr std::int64_t kDefaultMatchLength = 300'000'000;

std::string inQuotes(const std::string& text) {
    return "\"" + text + "\"";
}

}  // namespace

Session::Session(SessionOptions chosen) : options(std::move(chosen)) {
    world.setDisconnectHandler([this] { disconnected(); });
    loaded = std::make_unique<LoadedPlugin>(world, options.pluginPath);
    window = std::make_unique<SettingsWindow>();
    if (loaded->settings() != nullptr) {
        window->adopt(*loaded->settings());
    }
    const PluginRecord& record = loaded->record();
    story(std::string("plug-in loaded: ") + record.classLabel + " " + record.versionText + " (" +
          record.displayName + ")");
    report();
}

Session::~Session() {
    window.reset();
    loaded.reset();
}

void Session::play(const std::vector<ScriptLine>& lines) {
    for (const ScriptLine& line : lines) {
        run(line);
        report();
    }
}

void Session::run(const ScriptLine& line) {
    const std::string& verb = line.words.front();
    if (verb == "expect") {
        expect(line);
    } else if (verb == "show") {
        show(line);
    } else if (verb == "snapshot") {
        snapshot(line);
    } else if (world.game().quit()) {
        print(line.where() + ": refused, the game has quit: " + verb);
    } else {
        runGameLine(line);
    }
}

void Session::runGameLine(const ScriptLine& line) {
    const std::vector<std::string>& words = line.words;
    const std::string& verb = words.front();
    if (verb == "set") {
        if (!world.console().set(words[1], words[2], "script")) {
            throw ScriptError(line, "the console has no variable '" + words[1] + "'");
        }
    } else if (verb == "command") {
        world.console().run(words[1], "script");
    } else if (verb == "press") {
        story("you press " + words[1]);
        if (!world.console().press(words[1])) {
            story("key " + words[1] + " pressed: nothing is bound to it");
        }
    } else if (verb == "wait") {
        waitFor(*parseDuration(words[1]));
    } else if (verb == "online") {
        story("you join an online match");
        world.game().join(0);
    } else if (verb == "offline") {
        story("you are not in an online match");
        world.game().leave();
    } else if (verb == "round-start") {
        fireHook(kRoundStart);
    } else if (verb == "match-end") {
        endMatch(words[1]);
    } else if (verb == "destroy") {
        destroyMatch();
    } else if (verb == "match") {
        playMatch(line);
    } else if (verb == "settings") {
        settingsOpen = words[1] == "open";
        story(settingsOpen ? "settings window opened" : "settings window closed");
    } else if (verb == "click") {
        requirePageOpen(line);
        story("you click " + inQuotes(words[1]) + (words.size() == 3 ? " " + words[2] : ""));
        window->click(words[1], words.size() == 3 ? words[2][0] : '\0');
        playInput(line);
    } else if (verb == "type") {
        requirePageOpen(line);
        story("you type " + inQuotes(words[2]) + " into " + inQuotes(words[1]));
        window->type(words[1], words[2]);
        playInput(line);
    }
}

void Session::requirePageOpen(const ScriptLine& line) const {
    if (!settingsOpen) {
        throw ScriptError(line, "the settings window is closed: 'settings open' first");
    }
}

void Session::playInput(const ScriptLine& line) {
    while (window->busy() && !world.game().quit()) {
        advanceTo(HostWorld::frameTime(
            HostWorld::nextFrameIndex(world.clock().now(), options.framesPerSecond),
            options.framesPerSecond));
    }
    if (!window->inputProblem().empty()) {
        throw ScriptError(line, window->inputProblem());
    }
}

void Session::fireHook(const std::string& name) {
    world.record("hook", name);
    world.hooks().fire(name);
}

void Session::playMatch(const ScriptLine& line) {
    bool online = true;
    std::int64_t length = kDefaultMatchLength;
    for (std::size_t index = 2; index < line.words.size(); ++index) {
        if (line.words[index] == "online" || line.words[index] == "offline") {
            online = line.words[index] == "online";
        } else {
            length = *parseDuration(line.words[index]);
        }
    }
    if (online) {
        story("you join an online match");
        world.game().join(0);
    } else {
        story("you start an offline match");
    }
    matchGone = false;
    fireHook(kRoundStart);
    waitFor(length);
    if (matchGone || world.game().quit()) {
        return;
    }
    endMatch(line.words[1]);
    waitFor(kPostMatchScreens);
    if (matchGone || world.game().quit()) {
        return;
    }
    destroyMatch();
}

void Session::endMatch(const std::string& result) {
    OnlineGame& game = world.game();
    if (result == "win") {
        game.setWinner(game.playerTeam());
        story("match ended: you won");
    } else if (result == "loss") {
        game.setWinner(static_cast<std::uint8_t>(game.playerTeam() == 0 ? 1 : 0));
        story("match ended: you lost");
    } else {
        game.setWinner(std::nullopt);
        story("match ended: no winner");
    }
    fireHook(kMatchEnded);
}

void Session::destroyMatch() {
    story("the match is over: its game event is destroyed");
    fireHook(kSoccarDestroyed);
    fireHook(kEventDestroyed);
    if (world.game().online()) {
        world.game().leave();
    }
    story("back in the menus");
    matchGone = true;
}

void Session::disconnected() {
    // The game event goes at once, while its winner and players can still be asked for.
    story("you leave the online match: its game event is destroyed");
    fireHook(kSoccarDestroyed);
    fireHook(kEventDestroyed);
    story("back in the menus");
    matchGone = true;
}

void Session::advanceTo(std::int64_t target) {
    world.advanceTo(
        target, options.framesPerSecond,
        [this] {
            if (settingsOpen && loaded->settings() != nullptr) {
                window->frame(*loaded->settings(),
                              1.0F / static_cast<float>(options.framesPerSecond));
                pageDrawn = true;
            }
        },
        [this] {
            noteOverlay();
            report();
        });
}

void Session::noteOverlay() {
    const auto& drawn = world.canvas().lastFrame();
    if (drawn.empty()) {
        return;
    }
    const std::string alpha = std::to_string(std::lround(drawn.back().color.A));
    if (drawn.back().text != overlayText || alpha != overlayAlpha) {
        const bool firstFrame = overlayAlpha.empty();
        overlayText = drawn.back().text;
        overlayAlpha = alpha;
        if (!(firstFrame && alpha == "0")) {
            world.record("overlay", overlayText, overlayAlpha);
        }
    }
}

void Session::report() {
    const auto& events = world.events().events();
    for (; reported < events.size(); ++reported) {
        const RecordedEvent& event = events[reported];
        if (options.events != nullptr) {
            if (const auto json = toJson(event)) {
                *options.events << *json << '\n';
            }
        }
        if (!options.quiet && options.timeline != nullptr) {
            if (const auto line = describe(event)) {
                *options.timeline << formatTimestamp(event.microseconds) << ' ' << *line << '\n';
            }
        }
    }
}

void Session::print(const std::string& text) {
    if (!options.quiet && options.timeline != nullptr) {
        *options.timeline << formatTimestamp(world.clock().now()) << ' ' << text << '\n';
    }
}

void Session::check(const ScriptLine& line, bool held, const std::string& expected,
                    const std::string& seen) {
    if (held) {
        ++expectationsHeld;
        print("ok: " + expected);
        return;
    }
    ++expectationsFailed;
    if (options.timeline != nullptr) {
        *options.timeline << line.where() << ": FAILED: expected " << expected << ", saw " << seen
                          << '\n';
    }
}

void Session::expect(const ScriptLine& line) {
    const std::vector<std::string>& words = line.words;
    const std::string& what = words[1];
    if (what == "quit" || what == "running") {
        const bool quit = world.game().quit();
        check(line, quit == (what == "quit"),
              what == "quit" ? "the game to have quit" : "the game still running",
              quit ? "it has quit" : "it is running");
    } else if (what == "command" || what == "no-command") {
        expectCommand(line);
    } else if (what == "var") {
        const ConsoleVariable* variable = world.console().variable(words[2]);
        const std::string value = variable == nullptr ? "no such variable" : variable->text();
        check(line, variable != nullptr && value == words[3], words[2] + " = " + words[3], value);
    } else if (what == "bind") {
        const std::string bound = world.console().boundTo(words[2]);
        check(line, bound == words[3], "key " + words[2] + " bound to " + words[3],
              bound.empty() ? "nothing bound" : bound);
    } else if (what == "log") {
        const auto& events = world.events().events();
        const bool held = std::any_of(events.begin(), events.end(), [&](const RecordedEvent& e) {
            return e.type == "log" && e.first == words[2];
        });
        check(line, held, "log line " + inQuotes(words[2]), "no such line");
    } else if (what == "overlay") {
        expectOverlay(line);
    } else if (what == "page") {
        const std::string& page = window->pageText();
        check(line, pageDrawn && page.find(words[2]) != std::string::npos,
              "the page to show " + inQuotes(words[2]),
              pageDrawn ? "the page:\n" + page : "the page has not been drawn");
    }
}

void Session::expectCommand(const ScriptLine& line) {
    const std::vector<std::string>& words = line.words;
    std::vector<std::int64_t> times;
    for (const auto& event : world.events().events()) {
        if (event.type == "command" && event.second == "plugin" && event.first == words[2]) {
            times.push_back(event.microseconds);
        }
    }
    std::string seen = times.empty() ? "it never ran" : "it ran at";
    for (const std::int64_t t : times) {
        seen += " " + formatTimestamp(t);
    }
    if (words[1] == "no-command") {
        check(line, times.empty(), "no plug-in command " + inQuotes(words[2]), seen);
    } else if (words.size() == 5) {
        // Compared to the millisecond, as scripts write times.
        const std::int64_t at = *parseTimePoint(words[4]) / 1000;
        const bool held =
            std::any_of(times.begin(), times.end(), [&](std::int64_t t) { return t / 1000 == at; });
        check(line, held, "plug-in command " + inQuotes(words[2]) + " at " + words[4], seen);
    } else {
        check(line, !times.empty(), "plug-in command " + inQuotes(words[2]), seen);
    }
}

void Session::expectOverlay(const ScriptLine& line) {
    const std::vector<std::string>& words = line.words;
    const bool drawn = !overlayAlpha.empty();
    const bool visible = overlayAlpha != "0";
    bool held = drawn && overlayText == words[2];
    if (words.size() == 4) {
        held = held && visible == (words[3] == "visible");
    }
    check(line, held,
          "status line " + inQuotes(words[2]) + (words.size() == 4 ? " " + words[3] : ""),
          drawn ? inQuotes(overlayText) + (visible ? " visible" : " hidden") : "no canvas frame");
}

void Session::show(const ScriptLine& line) {
    const std::string& what = line.words[1];
    std::string text;
    if (what == "settings") {
        text = pageDrawn ? window->pageText() : "(the settings page has not been drawn)";
    } else if (what == "overlay") {
        text = overlayAlpha.empty()
                   ? "(no canvas frame yet)"
                   : "status line: " + overlayText + " (alpha " + overlayAlpha + ")";
    } else {
        for (const std::string& name : world.console().variableNames()) {
            text += name + " = " + world.console().variable(name)->text() + "\n";
        }
        if (!text.empty()) {
            text.pop_back();
        }
    }
    if (options.timeline != nullptr) {
        std::size_t start = 0;
        while (start <= text.size()) {
            const std::size_t end = std::min(text.find('\n', start), text.size());
            *options.timeline << "             | " << text.substr(start, end - start) << '\n';
            start = end + 1;
        }
    }
}

void Session::snapshot(const ScriptLine& line) {
    const std::string problem =
        writeSnapshot(line.words[1], *window, loaded->settings(), world.canvas().lastFrame());
    if (!problem.empty()) {
        throw ScriptError(line, problem);
    }
    print("snapshot written: " + line.words[1]);
}
