#include "Session.h"

#include <algorithm>
#include <cmath>

#include "Durations.h"
#include "Snapshot.h"
#include "Timeline.h"
#include "WallTime.h"

namespace {

constexpr std::int64_t kPostMatchScreens = 10'000'000;
constexpr std::int64_t kDefaultMatchLength = 300'000'000;
constexpr int kDefaultGoals = 3;
constexpr float kWindowWidth = 1400.0F;
constexpr float kWindowHeight = 900.0F;

std::string inQuotes(const std::string& text) {
    return "\"" + text + "\"";
}

}  // namespace

Session::Session(SessionOptions chosen) : options(std::move(chosen)) {
    loadPlugin();
    report();
}

void Session::loadPlugin() {
    // Loaded again at a restart: the script's line says which.
    tell("loading the plug-in '" + options.pluginPath + "'" +
         (playing.empty() ? std::string() : ", " + playing));
    loaded = std::make_unique<LoadedPlugin>(world, options.pluginPath);
    // Tall enough to show the whole page, as the host's settings window does when it is opened.
    window = std::make_unique<SettingsWindow>(kWindowWidth, kWindowHeight);
    if (loaded->settings() != nullptr) {
        window->adopt(*loaded->settings());
    }
    const PluginRecord& record = loaded->record();
    story(std::string("plug-in loaded: ") + record.classLabel + " " + record.versionText + " (" +
              record.displayName + ")",
          "host");
    story("plug-in file: " + loaded->file().path(), "host");
}

void Session::tell(const std::string& what) const {
    if (options.nowDoing != nullptr) {
        options.nowDoing(what);
    }
}

void Session::restart() {
    // The old game's window and plug-in go first; the new game loads the plug-in from disk.
    window.reset();
    loaded.reset();
    world.restartGame();
    settingsOpen = false;
    pageDrawn = false;
    overlayText.clear();
    overlayAlpha.clear();
    loadPlugin();
}

Session::~Session() {
    window.reset();
    loaded.reset();
}

void Session::play(const std::vector<ScriptLine>& lines) {
    for (const ScriptLine& line : lines) {
        std::string words;
        for (const std::string& word : line.words) {
            words += (words.empty() ? "" : " ") + word;
        }
        playing = "playing " + line.where() + " '" + shown(words) + "'";
        tell(playing);
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
    } else if (verb == "restart") {
        restart();
    } else if (world.game().quit()) {
        print(line.where() + ": refused, the game has quit: " + shown(verb));
    } else {
        runGameLine(line);
    }
}

void Session::runGameLine(const ScriptLine& line) {
    const std::vector<std::string>& words = line.words;
    const std::string& verb = words.front();
    if (verb == "set" || verb == "saved") {
        if (world.console().variable(words[1]) == nullptr) {
            throw ScriptError(line, "the console has no variable '" + shown(words[1]) + "'");
        }
        if (verb == "set") {
            world.console().set(words[1], words[2], "script");
        } else {
            world.console().loadSaved(words[1], words[2]);
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
    } else if (verb == "clock") {
        world.setWallClock(*parseWallTime(words[1], words[2]));
        story("the clock says " + formatWallTime(world.wallSeconds()));
    } else if (verb == "online") {
        world.game().joinOnline(0);
    } else if (verb == "offline") {
        if (!world.game().leaveMatch(Leaving::WalkOut)) {
            story("you are in the menus already");
        }
    } else if (verb == "round-start") {
        requireMatch(line);
        world.game().startRound();
    } else if (verb == "match-end") {
        requireMatch(line);
        world.game().endMatch(winnerFor(words[1]));
    } else if (verb == "destroy") {
        if (!world.game().inMatch()) {
            throw ScriptError(line, "you are in the menus: there is no game event to destroy");
        }
        world.game().leaveMatch(world.game().matchOver() ? Leaving::MatchOver : Leaving::WalkOut);
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

void Session::requireMatch(const ScriptLine& line) const {
    if (!world.game().inMatch() || world.game().matchOver()) {
        throw ScriptError(line, "no match is being played: 'online' first");
    }
}

std::optional<std::uint8_t> Session::winnerFor(const std::string& result) {
    const std::uint8_t player = world.game().playerTeam();
    if (result == "win") {
        return player;
    }
    if (result == "loss") {
        return static_cast<std::uint8_t>(player == 0 ? 1 : 0);
    }
    return std::nullopt;
}

bool Session::stillIn(std::uint64_t match) const {
    return !world.game().quit() && world.game().inMatch() && world.game().matchNumber() == match;
}

void Session::playMatch(const ScriptLine& line) {
    bool online = true;
    std::int64_t length = kDefaultMatchLength;
    int goals = kDefaultGoals;
    for (std::size_t index = 2; index < line.words.size(); ++index) {
        const std::string& word = line.words[index];
        if (word == "online" || word == "offline") {
            online = word == "online";
        } else if (word == "goals") {
            goals = std::stoi(line.words[++index]);
        } else {
            length = *parseDuration(word);
        }
    }
    Game& game = world.game();
    if (online) {
        game.joinOnline(0);
    } else {
        game.startOffline();
    }
    const std::uint64_t match = game.matchNumber();
    const std::int64_t kickOff = world.clock().now();
    // The line ends the moment the match does, by whatever road: a disconnect ends it at once.
    const auto left = [this, match] { return !stillIn(match); };
    game.startRound();
    // A round starts again after every goal; the goals fall evenly through the match.
    for (int goal = 1; goal <= goals; ++goal) {
        advanceTo(kickOff + length * goal / (goals + 1), left);
        if (left()) {
            return;
        }
        game.startRound();
    }
    advanceTo(kickOff + length, left);
    if (left()) {
        return;
    }
    game.endMatch(winnerFor(line.words[1]));
    advanceTo(world.clock().now() + kPostMatchScreens, left);
    if (left()) {
        return;
    }
    game.leaveMatch(Leaving::MatchOver);
}

void Session::advanceTo(std::int64_t target, const std::function<bool()>& until) {
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
        },
        until);
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
            world.record("overlay", overlayText, overlayAlpha, "plugin");
        }
    }
}

void Session::report() {
    const auto& events = world.events().events();
    const std::size_t from = reported;
    for (; reported < events.size(); ++reported) {
        const RecordedEvent& event = events[reported];
        if (options.events != nullptr) {
            *options.events << toJson(event) << '\n';
        }
        if (!options.quiet && options.timeline != nullptr) {
            if (const auto line = describe(event)) {
                *options.timeline << formatTimestamp(event.microseconds) << ' '
                                  << withControlsShown(*line) << '\n';
            }
        }
    }
    if (options.events != nullptr && reported != from && !*options.events) {
        throw OutputError("cannot write the event log");
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
        print("ok: " + withControlsShown(expected));
        return;
    }
    ++expectationsFailed;
    if (options.timeline != nullptr) {
        *options.timeline << line.where() << ": FAILED: expected " << withControlsShown(expected)
                          << ", saw " << withControlsShown(seen) << '\n';
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
    } else if (what == "no-overlay") {
        const auto& events = world.events().events();
        const bool shown = std::any_of(events.begin(), events.end(), [&](const RecordedEvent& e) {
            return e.type == "overlay" && e.first == words[2] && e.second != "0";
        });
        check(line, !shown, "the status line never to have shown " + inQuotes(words[2]),
              "it was shown");
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
        if (event.type == "command" && event.by == "plugin" && event.first == words[2]) {
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
    if (!options.quiet && options.timeline != nullptr) {
        std::size_t start = 0;
        while (start <= text.size()) {
            const std::size_t end = std::min(text.find('\n', start), text.size());
            *options.timeline << "             | " << text.substr(start, end - start) << '\n';
            start = end + 1;
        }
    }
}

namespace {

// Whether `path` lies in `folder` or below it, both full and resolved.
bool liesIn(const std::filesystem::path& path, const std::filesystem::path& folder) {
    if (folder.empty()) {
        return false;
    }
    const auto parts = std::mismatch(folder.begin(), folder.end(), path.begin(), path.end());
    return parts.first == folder.end();
}

}  // namespace

void Session::snapshot(const ScriptLine& line) {
    const std::filesystem::path written = options.scriptFolder / line.words[1];
    const std::filesystem::path resolved = options.scriptFolderResolved.empty()
                                               ? written
                                               : options.scriptFolderResolved / line.words[1];
    // A script may come from anyone: its pictures stay in its folder, through no link out of it,
    // unless the user named another folder for them.
    std::error_code unknown;
    const std::filesystem::path landsIn = std::filesystem::weakly_canonical(
        std::filesystem::absolute(resolved, unknown).parent_path(), unknown);
    const std::filesystem::path folder = std::filesystem::weakly_canonical(
        options.scriptFolderResolved.empty() ? std::filesystem::current_path(unknown)
                                             : options.scriptFolderResolved,
        unknown);
    if (unknown || (!liesIn(landsIn, folder) && !liesIn(landsIn, options.picturesAlsoIn))) {
        throw ScriptError(line, "the picture '" + shown(line.words[1]) +
                                    "' would land outside the script's folder: a script's "
                                    "pictures stay in it unless --pictures names the folder");
    }
    const SnapshotResult result =
        writeSnapshot(resolved.string(), *window, loaded->settings(), world.canvas().lastFrame());
    if (result == SnapshotResult::NoPictures) {
        throw ScriptError(line,
                          "this build of sundown-sim takes no pictures: it was built "
                          "without an off-screen OpenGL (OSMesa)");
    }
    if (result == SnapshotResult::NotWritten) {
        throw OutputError(line.where() + ": cannot write the picture '" + written.string() + "'");
    }
    print("snapshot written: " + written.string());
}
