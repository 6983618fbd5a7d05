// The random player: long seeded sequences of every host event, with the plug-in's promises
// checked around every game function the game runs and after every event. A failing sequence is
// cut down to the shortest that still fails.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <deque>
#include <fstream>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "Checks.h"
#include "ChildProcess.h"
#include "PlayerModel.h"
#include "Timeline.h"
#include "ValidationHost.h"
#include "WallTime.h"

namespace {

const char* const kClickable[] = {"Enable/Disable Quit after games count",
                                  "Game Count",
                                  "Lose Count",
                                  "Win-Lose Ratio",
                                  "Reset Games Count",
                                  "Set Bind",
                                  "Start/Stop",
                                  "Heads-up before quitting",
                                  "Keep the session after a restart"};

enum class Kind {
    WholeMatch,
    JoinOnline,
    StartOffline,
    RoundStart,
    MatchEnd,
    Leave,
    Disconnect,
    OddPlayer,
    Notifier,
    PressKey,
    Wait,
    CanvasFrame,
    OpenPage,
    ClosePage,
    Click,
    StepButton,
    TypeLimit,
    TypeMinutes,
    SetVariable,
    SavedVariable,
    HeadsUpChoice,
    StreakLimit,
    ClockJump,
    DayLimit,
    DayStart,
    Reset,
    Restart,
};

struct Event {
    Kind kind;
    int value;  // a team, a winner, a key, a widget, a duration in ms, a typed number
    std::string describe() const;
};

std::string Event::describe() const {
    switch (kind) {
        case Kind::WholeMatch:
            return std::string("a whole online match: ") + (value == 0   ? "win"
                                                            : value == 1 ? "loss"
                                                                         : "no winner");
        case Kind::JoinOnline:
            return "join an online match on team " + std::to_string(value % 2);
        case Kind::StartOffline:
            return "start an offline match";
        case Kind::RoundStart:
            return "a round starts (kick-off or a goal)";
        case Kind::MatchEnd:
            return value == 0   ? "match ends: win"
                   : value == 1 ? "match ends: loss"
                                : "match ends: no winner";
        case Kind::Leave:
            return "leave the match (back to the menus, or walk out)";
        case Kind::Disconnect:
            return "console runs unreal_command disconnect";
        case Kind::OddPlayer:
            return value == 0   ? "the game loses the local player"
                   : value == 1 ? "the game loses the player's replication info"
                                : "the game has its player again";
        case Kind::Notifier:
            return "SundownEnableDisable with " + std::to_string(value) + " words";
        case Kind::PressKey:
            return value == 0 ? "press F5" : "press F6 (unbound)";
        case Kind::Wait:
            return "wait " + std::to_string(value) + " ms";
        case Kind::CanvasFrame:
            return "canvas frame";
        case Kind::OpenPage:
            return "open the settings page";
        case Kind::ClosePage:
            return "close the settings page";
        case Kind::Click:
            return std::string("click \"") + kClickable[value] + "\"";
        case Kind::StepButton:
            return std::string("click ") + (value < 2 ? "games " : "losses in a row ") +
                   (value % 2 == 0 ? "-" : "+");
        case Kind::TypeLimit:
            return "type " + std::to_string(value) + " as the games limit";
        case Kind::TypeMinutes:
            return "type " + std::to_string(value) + " as the minutes limit";
        case Kind::SetVariable:
            return "console sets numOfGames " + std::to_string(value);
        case Kind::SavedVariable:
            return "host reads numOfGames " + std::to_string(value - 1) + " from its saved file";
        case Kind::HeadsUpChoice:
            return value == 0 ? "console sets enableHeadsUp 0" : "console sets enableHeadsUp 1";
        case Kind::StreakLimit:
            return "console sets lossStreakLimit " + std::to_string(value);
        case Kind::ClockJump:
            if (value % 3 == 0) {
                return "the clock is set to " + std::to_string(value % 30 + 1) +
                       " s before the day's start hour, " +
                       (value % 2 == 0 ? "the next one" : "the last one");
            }
            return "the clock is set " + std::to_string(std::abs(value - 720)) + " minutes " +
                   (value < 720 ? "back" : "forwards");
        case Kind::DayLimit:
            return value < 5 ? "console sets dailyMatches " + std::to_string(value)
                             : "console sets dailyMinutes " + std::to_string(value - 5);
        case Kind::DayStart:
            return "console sets dayStartsAt " + std::to_string(value);
        case Kind::Reset:
            return "console runs resetGamesCount";
        case Kind::Restart:
            return "the player starts the game again";
    }
    return "?";
}

std::vector<Event> randomEvents(std::uint64_t seed, int count) {
    std::mt19937_64 random(seed);
    // Matches are common, settings changes rarer, as in play.
    const std::vector<std::pair<Kind, int>> weights = {
        {Kind::WholeMatch, 4},  {Kind::JoinOnline, 6},    {Kind::StartOffline, 2},
        {Kind::RoundStart, 8},  {Kind::MatchEnd, 6},      {Kind::Leave, 5},
        {Kind::Disconnect, 1},  {Kind::OddPlayer, 1},     {Kind::Notifier, 3},
        {Kind::PressKey, 2},    {Kind::Wait, 10},         {Kind::CanvasFrame, 3},
        {Kind::OpenPage, 2},    {Kind::ClosePage, 2},     {Kind::Click, 3},
        {Kind::StepButton, 1},  {Kind::TypeLimit, 1},     {Kind::TypeMinutes, 1},
        {Kind::SetVariable, 1}, {Kind::SavedVariable, 1}, {Kind::HeadsUpChoice, 1},
        {Kind::StreakLimit, 1}, {Kind::ClockJump, 1},     {Kind::DayLimit, 1},
        {Kind::DayStart, 1},    {Kind::Reset, 1},         {Kind::Restart, 1},
    };
    int total = 0;
    for (const auto& weight : weights) {
        total += weight.second;
    }
    std::vector<Event> events;
    for (int index = 0; index < count; ++index) {
        int pick = static_cast<int>(random() % static_cast<unsigned>(total));
        Kind kind = Kind::Wait;
        for (const auto& [candidate, weight] : weights) {
            if (pick < weight) {
                kind = candidate;
                break;
            }
            pick -= weight;
        }
        int value = static_cast<int>(random() % 1000);
        switch (kind) {
            case Kind::WholeMatch:
                // Losses first: streaks of them are what the losing-streak rule is about.
                value = value % 5 < 3 ? 1 : value % 5 == 3 ? 0 : 2;
                break;
            case Kind::MatchEnd:
            case Kind::OddPlayer:
                value %= 3;
                break;
            case Kind::Notifier:
                value %= 4;
                break;
            case Kind::PressKey:
            case Kind::HeadsUpChoice:
                value %= 2;
                break;
            case Kind::StepButton:
                value %= 4;
                break;
            case Kind::StreakLimit:
                value %= 5;  // 0, off, to 4 losses in a row
                break;
            case Kind::ClockJump:
                value %= 1441;  // 12 hours back to 12 hours forwards
                break;
            case Kind::DayLimit:
                value %= 10;  // matches 0 to 4, or minutes 0 to 4
                break;
            case Kind::DayStart:
                value %= 24;
                break;
            case Kind::Wait:
                value = random() % 4 == 0 ? static_cast<int>(random() % 90'000) : value;
                break;
            case Kind::Click:
                value %= static_cast<int>(std::size(kClickable));
                break;
            case Kind::TypeLimit:
            case Kind::SetVariable:
                value %= 12;
                break;
            case Kind::SavedVariable:
                value %= 302;  // -1 to 300, outside the limits too
                break;
            case Kind::TypeMinutes:
                value %= 4;
                break;
            default:
                break;
        }
        events.push_back({kind, value});
    }
    return events;
}

// What the player has done that the plug-in's promises depend on.
struct Model {
    bool approved = false;
    DayModel day;
    // Counted losses since the last counted win, held at 255; a reset or a fresh session ends it.
    int lossStreak = 0;
    // Toggles of the master switch, in virtual seconds, from the last one back to two seconds
    // before it: only these can still hide the status line.
    std::deque<double> toggles;
};

// The plug-in and the game as they stood before a game function's hooks ran.
struct BeforeHook {
    int played;
    int wins;
    int losses;
    std::size_t pending;
    bool approved;
    bool exitPending;
    bool enabled;
    bool teamsKnown;
    bool won;       // the local player's team won, when teams are known
    bool headsUps;  // the player asked for heads-ups
    std::uint32_t headsUpsShown;
};

class Run {
  public:
    explicit Run(const CheckSettings& settings, std::ostream* trace = nullptr)
        : host(settings.pluginPath), trace(trace) {
        host.world.console().run("bind F5 SundownEnableDisable", "validator");
        host.afterPageDrawn = [this] { pageDrawn(); };
        host.world.watchHooks([this](const std::string&) { beforeHook(); },
                              [this](const std::string& name) { afterHook(name); });
    }

    // The first broken promise, with the index of the event that broke it.
    std::optional<std::pair<std::size_t, std::string>> play(const std::vector<Event>& events) {
        for (std::size_t index = 0; index < events.size(); ++index) {
            if (auto broken = apply(events[index])) {
                return std::make_pair(index, *broken);
            }
            if (auto fault = checkFaults()) {
                return std::make_pair(index, *fault);
            }
            if (host.world.game().quit()) {
                ++quits;
                if (auto broken = restartGame()) {
                    return std::make_pair(index, *broken);
                }
            }
            traceEvent(index, events[index]);
        }
        return std::nullopt;
    }

    int quits = 0;

  private:
    double now() const { return static_cast<double>(host.world.clock().now()) / 1e6; }

    std::optional<std::string> apply(const Event& event);
    std::optional<std::string> playOnPage(const Event& event);
    void beforeHook();
    void afterHook(const std::string& name);
    std::optional<std::string> checkEndHook(const std::string& name, bool dayMet);
    // The day's budget as the console holds it, and the wall clock at virtual time 0.
    DayModel::Limits dayLimits() const;
    std::int64_t jumpedClock(int value) const;
    std::int64_t wallAtZero() const {
        return host.world.wallSeconds() - host.world.clock().now() / 1'000'000;
    }
    // The page draws the day's line: it starts a day that has changed.
    void pageDrawn();
    std::optional<std::string> checkDay(const std::string& when) const;
    std::optional<std::string> checkRoundStart() const;
    // A console variable's number as the plug-in reads it, held to a byte.
    int variableValue(const char* name) const {
        return std::clamp(host.world.console().variable(name)->intValue(), 0, 255);
    }
    std::optional<std::string> checkPageLine();
    std::optional<std::string> checkFaults();
    std::optional<std::string> checkStatusLine();
    std::optional<std::string> restartGame();
    std::optional<std::string> checkKeptSession() const;
    bool ruleMet(const Sundown& sundown) const;
    void toggled();
    // Keeps the first promise broken inside the game's functions for apply to report.
    void broke(std::optional<std::string> why) {
        if (!brokenInHook && why) {
            brokenInHook = std::move(why);
        }
    }

    // What the event did: the world's record since the last event, and the plug-in's state.
    void traceEvent(std::size_t index, const Event& event);

    ValidationHost host;
    std::ostream* trace;
    std::size_t traced = 0;
    Model model;
    BeforeHook before{};
    std::optional<std::string> brokenInHook;
    std::size_t faultsChecked = 0;
    // Time passes: what happens comes from the timeouts falling due, and frames.
    bool timePassing = false;
};

// The plug-in's state as a line of JSON, every field the promises read.
std::string stateOf(const Sundown& sundown) {
    const auto number = [](const char* name, long long value) {
        return std::string(",\"") + name + "\":" + std::to_string(value);
    };
    std::string line = "{\"state\":\"plug-in\"";
    line +=
        number("played", sundown.numberOfGamesPlayed) + number("wins", sundown.numberOfWins) +
        number("losses", sundown.numberOfLosses) + number("maxGames", sundown.maxNumberOfGames) +
        number("option", sundown.selectedOption) + number("enabled", sundown.enabled) +
        number("approved", sundown.gameApproved) + number("exitPending", sundown.exitPending) +
        number("maxMinutes", sundown.maxMinutes) + number("minutes", sundown.minutesElapsed) +
        number("seconds", sundown.secondsElapsed) + number("timer", sundown.timerRunning) +
        number("blink", sundown.blinkPhase) + number("alpha", sundown.overlayAlpha) +
        number("streak", sundown.lossStreak.count()) + number("dayMatches", sundown.day.matches()) +
        number("daySeconds", sundown.day.seconds()) + number("headsUps", sundown.headsUp.shown());
    line += ",\"day\":\"" + sundown.day.name() + "\",\"headsUp\":\"" +
            (sundown.headsUp.text() != nullptr ? sundown.headsUp.text() : "") + "\"}";
    return line;
}

void Run::traceEvent(std::size_t index, const Event& event) {
    if (trace == nullptr) {
        return;
    }
    std::string what;
    for (const char c : event.describe()) {
        what += c == '"' ? std::string("\\\"") : std::string(1, c);
    }
    *trace << "{\"event\":" << index << ",\"what\":\"" << what << "\"}\n";
    const auto& recorded = host.world.events().events();
    for (; traced < recorded.size(); ++traced) {
        *trace << toJson(recorded[traced]) << '\n';
    }
    if (const Sundown* sundown = host.sundown()) {
        *trace << stateOf(*sundown) << '\n';
    }
}

bool Run::ruleMet(const Sundown& sundown) const {
    return countRuleMet(sundown.selectedOption, sundown.numberOfGamesPlayed, sundown.numberOfWins,
                        sundown.numberOfLosses, sundown.maxNumberOfGames);
}

void Run::beforeHook() {
    const Sundown& sundown = *host.sundown();
    const Game& game = host.world.game();
    before = {sundown.numberOfGamesPlayed,
              sundown.numberOfWins,
              sundown.numberOfLosses,
              host.world.clock().pending(),
              model.approved,
              sundown.exitPending,
              sundown.enabled,
              game.online() && game.winningTeam().has_value() && game.localPlayerPresent() &&
                  game.replicationInfoPresent(),
              game.winningTeam() == game.playerTeam(),
              host.world.console().variable("enableHeadsUp")->boolValue(),
              sundown.headsUp.shown()};
}

void Run::afterHook(const std::string& name) {
    const DayModel::Limits limits = dayLimits();
    if (name == gameFunction::kRoundStart) {
        if (!before.approved && host.world.game().online()) {
            model.day.catchUp(host.world.clock().now(), wallAtZero(), limits.startHour);
            model.day.approve(host.world.clock().now(), wallAtZero(), limits);
        }
        broke(checkRoundStart());
        model.approved = model.approved || host.world.game().online();
    } else {
        const bool dayMet =
            before.approved &&
            model.day.countMatch(host.world.clock().now(), wallAtZero(), limits, timePassing);
        broke(checkEndHook(name, dayMet));
        if (before.approved) {
            broke(checkDay("after " + name));
        }
        model.approved = false;
    }
    if (host.sundown()->gameApproved != model.approved) {
        broke("the plug-in's approval differs from the player's rounds after " + name);
    }
}

std::optional<std::string> Run::checkEndHook(const std::string& name, bool dayMet) {
    const Sundown& sundown = *host.sundown();
    const int counted = (sundown.numberOfGamesPlayed - before.played + 256) % 256;
    const bool countsPlayed = before.approved && before.enabled &&
                              (name != gameFunction::kMatchEnded || before.teamsKnown);
    if (counted != (countsPlayed ? 1 : 0)) {
        return "the played count moved by " + std::to_string(counted) + " for one " + name;
    }
    const bool ruleApplies = before.approved && before.enabled && before.teamsKnown;
    if (ruleApplies) {
        model.lossStreak = before.won ? 0 : std::min(model.lossStreak + 1, 255);
    }
    if (sundown.lossStreak.count() != model.lossStreak) {
        return "the losing streak is " + std::to_string(sundown.lossStreak.count()) + " where " +
               std::to_string(model.lossStreak) + " losses in a row were counted, after " + name;
    }
    const int streakLimit = variableValue("lossStreakLimit");
    const bool streakMet = streakLimit > 0 && model.lossStreak >= streakLimit;
    // The day's budget leaves with a rule's leave of the same match, or on its own.
    const bool timedQuit = before.approved && before.exitPending;
    const bool rulesLeave = ruleApplies && (ruleMet(sundown) || streakMet);
    const std::size_t pairs = (timedQuit ? 1U : 0U) + (rulesLeave ? 1U : 0U) +
                              (dayMet && !timedQuit && !rulesLeave ? 1U : 0U);
    // Each leave arms its pair, and announces itself when the player asked for heads-ups.
    const std::size_t headsUps = before.headsUps ? pairs : 0U;
    const std::size_t armed = host.world.clock().pending() - before.pending;
    if (armed != 2 * pairs + headsUps ||
        sundown.headsUp.shown() - before.headsUpsShown != headsUps) {
        return std::to_string(armed) + " timeouts armed and " +
               std::to_string(sundown.headsUp.shown() - before.headsUpsShown) +
               " heads-ups shown where " + std::to_string(pairs) + " leaves were due, in " + name;
    }
    return std::nullopt;
}

// Where a clock jump sets the wall clock: minutes back or forwards, or a few seconds before the
// day's start hour, so that matches run across it.
std::int64_t Run::jumpedClock(int value) const {
    const std::int64_t now = host.world.wallSeconds();
    if (value % 3 != 0) {
        return now + std::int64_t{value - 720} * 60;
    }
    const std::int64_t startOfHour = std::int64_t{dayLimits().startHour} * 3600;
    const std::int64_t dayStart = (now - startOfHour) / 86'400 * 86'400 + startOfHour;
    const std::int64_t next = value % 2 == 0 ? dayStart + 86'400 : dayStart;
    return next - (value % 30 + 1);
}

DayModel::Limits Run::dayLimits() const {
    const auto value = [this](const char* name, int most) {
        return std::clamp(host.world.console().variable(name)->intValue(), 0, most);
    };
    DayModel::Limits limits;
    limits.matches = value("dailyMatches", 255);
    limits.minutes = value("dailyMinutes", 1440);
    limits.startHour = value("dayStartsAt", 23);
    return limits;
}

void Run::pageDrawn() {
    const int startHour = dayLimits().startHour;
    model.day.catchUp(host.world.clock().now(), wallAtZero(), startHour);
    model.day.roll(host.world.wallSeconds(), startHour);
}

// The plug-in's day, and what it saved, as the player's model has them.
std::optional<std::string> Run::checkDay(const std::string& when) const {
    const Sundown& sundown = *host.sundown();
    const std::string saved = host.world.console().variable("savedDay")->text();
    // Until the plug-in reads its saved day, only what is saved can be compared.
    const bool read = sundown.day.loaded();
    if ((read && sundown.day.name() != model.day.day) || (!read && saved != model.day.saved())) {
        return "the day saved is \"" + saved + "\" where the player's is \"" + model.day.saved() +
               "\", " + when;
    }
    if (read &&
        (sundown.day.name() != model.day.day || sundown.day.matches() != model.day.matches ||
         sundown.day.seconds() != model.day.seconds || saved != model.day.saved())) {
        return "the day is " + sundown.day.name() + " with " +
               std::to_string(sundown.day.matches()) + " matches and " +
               std::to_string(sundown.day.seconds()) + " s, saved as \"" + saved +
               "\", where the player played " + model.day.day + " with " +
               std::to_string(model.day.matches) + " matches and " +
               std::to_string(model.day.seconds) + " s, to be saved as \"" + model.day.saved() +
               "\", " + when;
    }
    return std::nullopt;
}

// At the round start that approves an online match, a heads-up exactly when counting it would
// meet the rule (the last game, or one more loss), or one more loss would end the losing streak.
std::optional<std::string> Run::checkRoundStart() const {
    const Sundown& sundown = *host.sundown();
    const bool approving = !before.approved && host.world.game().online();
    const std::int32_t option = sundown.selectedOption;
    const auto more = [](int count) { return static_cast<std::uint8_t>(count + 1); };
    const bool lastWithALoss = countRuleMet(option, more(before.played), before.wins,
                                            more(before.losses), sundown.maxNumberOfGames);
    const bool lastWithAWin = countRuleMet(option, more(before.played), more(before.wins),
                                           before.losses, sundown.maxNumberOfGames);
    const int streakLimit = variableValue("lossStreakLimit");
    const char* due = nullptr;
    if (lastWithALoss) {
        due = lastWithAWin ? "Sundown: last game" : "Sundown: one more loss ends the session";
    } else if (streakLimit > 0 && model.lossStreak + 1 >= streakLimit) {
        due = "Sundown: one more loss in a row ends the session";
    }
    if (!before.enabled) {
        due = nullptr;
    }
    const DayModel::Limits limits = dayLimits();
    if (due == nullptr && limits.on() && model.day.spent(limits, true)) {
        due = "Sundown: last game today";
    }
    const bool warns = approving && before.headsUps && due != nullptr;
    const std::uint32_t shown = sundown.headsUp.shown() - before.headsUpsShown;
    if (shown != (warns ? 1U : 0U)) {
        return std::to_string(shown) + " heads-ups at a round start where " +
               (warns ? "one was" : "none was") + " due";
    }
    if (warns && std::string(sundown.headsUp.text()) != due) {
        return "the heads-up \"" + std::string(sundown.headsUp.text()) + "\" where \"" + due +
               "\" was due";
    }
    return std::nullopt;
}

// The page's losing-streak line, read from one drawing of it.
std::optional<std::string> Run::checkPageLine() {
    host.window.captureText(true);
    host.drawPage();
    host.window.captureText(false);
    const std::string& page = host.window.pageText();
    const std::string label = "Losses in a row: ";
    const std::size_t start = page.find(label);
    const std::string shown = start == std::string::npos
                                  ? "no such line"
                                  : page.substr(start, page.find('\n', start) - start);
    if (shown != label + std::to_string(model.lossStreak)) {
        return "the page shows \"" + shown + "\" where " + std::to_string(model.lossStreak) +
               " losses in a row were counted";
    }
    const std::string today = model.day.todayLine(dayLimits());
    if (page.find(today) == std::string::npos) {
        const std::size_t line = page.find("Today:");
        return "the page shows \"" +
               (line == std::string::npos ? std::string("no such line") : page.substr(line)) +
               "\" where the player played \"" + today + "\"";
    }
    return std::nullopt;
}

void Run::toggled() {
    const double t = now();
    while (!model.toggles.empty() && model.toggles.front() + 2.0 <= t + 1e-9) {
        model.toggles.pop_front();
    }
    model.toggles.push_back(t);
}

// The session as the plug-in keeps it in "savedSession", without the losing streak.
std::string sessionOf(const Sundown& sundown) {
    return std::to_string(sundown.enabled ? 1 : 0) + "," + std::to_string(sundown.selectedOption) +
           "," + std::to_string(sundown.numberOfGamesPlayed) + "," +
           std::to_string(sundown.numberOfWins) + "," + std::to_string(sundown.numberOfLosses);
}

// The losing streak a saved session brings back: its sixth number, written only while a limit on
// the streak is set; 0 without one.
int streakKeptIn(const std::string& saved) {
    std::size_t at = 0;
    for (int comma = 0; comma < 5; ++comma) {
        at = saved.find(',', at);
        if (at == std::string::npos) {
            return 0;
        }
        ++at;
    }
    return std::atoi(saved.c_str() + at);
}

// While the player keeps the session, what is saved is the session as it stands.
std::optional<std::string> Run::checkKeptSession() const {
    const Sundown& sundown = *host.sundown();
    const ConsoleVariable* keep = host.world.console().variable("keepSessionOnRestart");
    const ConsoleVariable* saved = host.world.console().variable("savedSession");
    const std::string session = sessionOf(sundown);
    const std::string withStreak = session + "," + std::to_string(sundown.lossStreak.count());
    // The streak is saved while a limit on it is set; the limit may have changed since the save.
    if (!keep->boolValue() || !sundown.keptSession.restored() || saved->text() == session ||
        saved->text() == withStreak) {
        return std::nullopt;
    }
    return "the session is " + withStreak + " but \"" + saved->text() + "\" is kept";
}

// The game quits, if it has not, and starts again; at its first frame a kept session is back.
std::optional<std::string> Run::restartGame() {
    const bool keep = host.world.console().variable("keepSessionOnRestart")->boolValue();
    const std::string before = sessionOf(*host.sundown());
    const int lossStreak =
        keep ? streakKeptIn(host.world.console().variable("savedSession")->text()) : 0;
    // What was played up to the restart, and saved of it, is what comes back.
    model.day.catchUp(host.world.clock().now(), wallAtZero(), dayLimits().startHour);
    DayModel day = model.day;
    host.restart();
    model = Model{};
    model.lossStreak = lossStreak;
    day.restart();
    model.day = day;
    host.world.canvas().frame();
    const std::string after = sessionOf(*host.sundown());
    if (keep && after != before) {
        return "the session " + before + " came back as " + after + " after a restart";
    }
    return std::nullopt;
}

std::optional<std::string> Run::checkStatusLine() {
    const auto& drawn = host.world.canvas().lastFrame();
    if (drawn.empty()) {
        return std::nullopt;
    }
    // A heads-up takes the status line's place, fully opaque.
    if (const char* headsUp = host.sundown()->headsUp.text()) {
        if (drawn.back().text != headsUp || drawn.back().color.A != 255.0F) {
            return "the heads-up \"" + std::string(headsUp) + "\" is not what the canvas shows";
        }
        return std::nullopt;
    }
    if (model.toggles.empty()) {
        return std::nullopt;
    }
    // Shown from the last toggle until the first two-second hide that falls after it.
    const double t = now();
    const bool hidden = model.toggles.front() + 2.0 <= t + 1e-9;
    const bool visible = drawn.back().color.A > 0.0F;
    if (visible == hidden) {
        return std::string("the status line is ") + (visible ? "shown" : "hidden") + " at " +
               std::to_string(t) + " s, last toggle at " + std::to_string(model.toggles.back()) +
               " s";
    }
    return std::nullopt;
}

std::optional<std::string> Run::playOnPage(const Event& event) {
    if (!host.pageOpen) {
        return std::nullopt;
    }
    if (event.kind == Kind::Click) {
        host.window.click(kClickable[event.value]);
    } else if (event.kind == Kind::StepButton) {
        host.window.click(event.value < 2 ? "Quit after # games" : "Quit after # losses in a row",
                          event.value % 2 == 0 ? '-' : '+');
    } else if (event.kind == Kind::TypeLimit) {
        host.window.type("Quit after # games", std::to_string(event.value));
    } else {
        host.window.type("Quit after # minutes", std::to_string(event.value));
    }
    // The switch flips in the frame the click lands in; the status line counts from there.
    std::optional<std::string> broken;
    bool enabled = host.sundown()->enabled;
    const bool toggleClick = event.kind == Kind::Click && event.value == 0;
    timePassing = true;
    const bool played = host.playInput([&] {
        if (toggleClick && host.sundown()->enabled != enabled) {
            enabled = host.sundown()->enabled;
            toggled();
        }
        if (!broken) {
            broken = checkStatusLine();
        }
    });
    timePassing = false;
    if (!played) {
        return "the page lost a widget: " + host.window.inputProblem();
    }
    if (broken) {
        return broken;
    }
    // The reset runs in the frame after the click, unless the game quit before that frame came.
    if (event.kind == Kind::Click && std::string(kClickable[event.value]) == "Reset Games Count" &&
        !host.window.busy()) {
        model.lossStreak = 0;
    }
    return std::nullopt;
}

// A fault of the plug-in's that the host recorded since the last look, as a timeout with a delay
// the game cannot keep.
std::optional<std::string> Run::checkFaults() {
    const auto& events = host.world.events().events();
    for (; faultsChecked < events.size(); ++faultsChecked) {
        if (events[faultsChecked].type == "fault") {
            return "the plug-in asked for " + events[faultsChecked++].first;
        }
    }
    return std::nullopt;
}

std::optional<std::string> Run::apply(const Event& event) {
    timePassing = false;
    Sundown& sundown = *host.sundown();
    Game& game = host.world.game();
    const int playedBefore = sundown.numberOfGamesPlayed;
    const std::int64_t timeBefore = host.world.clock().now();
    brokenInHook.reset();
    std::optional<std::string> broken;
    switch (event.kind) {
        case Kind::WholeMatch: {
            game.joinOnline(0);
            game.startRound();
            game.endMatch(event.value == 2 ? std::nullopt
                                           : std::optional<std::uint8_t>(event.value == 0 ? 0 : 1));
            game.leaveMatch();
            break;
        }
        case Kind::JoinOnline:
            game.joinOnline(static_cast<std::uint8_t>(event.value % 2));
            break;
        case Kind::StartOffline:
            game.startOffline();
            break;
        case Kind::RoundStart:
            game.startRound();
            break;
        case Kind::MatchEnd: {
            const std::uint8_t player = game.playerTeam();
            game.endMatch(event.value == 2 ? std::nullopt
                                           : std::optional<std::uint8_t>(
                                                 event.value == 0 ? player : 1 - player));
            break;
        }
        case Kind::Leave:
            game.leaveMatch(game.matchOver() ? Leaving::MatchOver : Leaving::WalkOut);
            break;
        case Kind::Disconnect:
            host.world.console().run("unreal_command disconnect", "validator");
            break;
        case Kind::OddPlayer:
            game.setLocalPlayer(event.value != 0);
            game.setReplicationInfo(event.value != 1);
            break;
        case Kind::Notifier: {
            std::string line = "SundownEnableDisable";
            for (int word = 0; word < event.value; ++word) {
                line += " word" + std::to_string(word);
            }
            host.world.console().run(line, "validator");
            toggled();
            break;
        }
        case Kind::PressKey:
            if (host.world.console().press(event.value == 0 ? "F5" : "F6")) {
                toggled();
            }
            break;
        case Kind::Wait: {
            // Saved at least once a minute of play, exactly as the player counts it.
            const auto savedAsPlayed = [this]() -> std::optional<std::string> {
                model.day.catchUp(host.world.clock().now(), wallAtZero(), dayLimits().startHour);
                const std::string saved = host.world.console().variable("savedDay")->text();
                if (saved != model.day.saved()) {
                    return "\"" + saved + "\" is saved where the player played \"" +
                           model.day.saved() + "\"";
                }
                return std::nullopt;
            };
            const int timerBefore = sundown.minutesElapsed * 60 + sundown.secondsElapsed;
            const bool running = sundown.timerRunning;
            timePassing = true;
            host.advance(std::int64_t{event.value} * 1000, [&] {
                if (!broken) {
                    broken = checkStatusLine();
                }
            });
            timePassing = false;
            if (!broken && !host.world.game().quit()) {
                broken = savedAsPlayed();
            }
            const int timerAfter = sundown.minutesElapsed * 60 + sundown.secondsElapsed;
            if (!broken && running && timerAfter - timerBefore > event.value / 1000 + 1) {
                broken = "the timer advanced " + std::to_string(timerAfter - timerBefore) +
                         " s in " + std::to_string(event.value) + " ms";
            }
            break;
        }
        case Kind::CanvasFrame:
            host.world.canvas().frame();
            broken = checkStatusLine();
            break;
        case Kind::OpenPage:
            host.pageOpen = true;
            broken = checkPageLine();
            break;
        case Kind::ClosePage:
            host.pageOpen = false;
            break;
        case Kind::Click:
        case Kind::StepButton:
        case Kind::TypeLimit:
        case Kind::TypeMinutes:
            broken = playOnPage(event);
            break;
        case Kind::SetVariable:
            host.world.console().set("numOfGames", std::to_string(event.value), "validator");
            break;
        case Kind::SavedVariable:
            host.world.console().loadSaved("numOfGames", std::to_string(event.value - 1));
            break;
        case Kind::HeadsUpChoice:
            host.world.console().set("enableHeadsUp", std::to_string(event.value), "validator");
            break;
        case Kind::StreakLimit:
            host.world.console().set("lossStreakLimit", std::to_string(event.value), "validator");
            break;
        case Kind::ClockJump:
            model.day.catchUp(host.world.clock().now(), wallAtZero(), dayLimits().startHour);
            host.world.setWallClock(jumpedClock(event.value));
            break;
        case Kind::DayLimit:
            host.world.console().set(event.value < 5 ? "dailyMatches" : "dailyMinutes",
                                     std::to_string(event.value % 5), "validator");
            break;
        case Kind::DayStart:
            model.day.catchUp(host.world.clock().now(), wallAtZero(), dayLimits().startHour);
            host.world.console().set("dayStartsAt", std::to_string(event.value), "validator");
            break;
        case Kind::Reset:
            host.world.console().run("resetGamesCount", "validator");
            model.lossStreak = 0;
            return brokenInHook ? brokenInHook : checkKeptSession();
        case Kind::Restart:
            return restartGame();
    }
    if (brokenInHook) {
        return brokenInHook;
    }
    if (broken) {
        return broken;
    }
    if (host.sundown()->gameApproved != model.approved) {
        return std::string("the plug-in's approval differs from the player's rounds");
    }
    if (auto kept = checkKeptSession()) {
        return kept;
    }
    const bool reset =
        event.kind == Kind::Click && std::string(kClickable[event.value]) == "Reset Games Count";
    // Time passes while the player's hand moves on the page, and a leave may fall due then.
    const bool gameRan = host.world.clock().now() != timeBefore || event.kind == Kind::WholeMatch ||
                         event.kind == Kind::JoinOnline || event.kind == Kind::StartOffline ||
                         event.kind == Kind::MatchEnd || event.kind == Kind::Leave ||
                         event.kind == Kind::Disconnect;
    if (!reset && !gameRan && host.sundown()->numberOfGamesPlayed != playedBefore) {
        return std::string("the played count changed without a match end");
    }
    return std::nullopt;
}

std::optional<std::pair<std::size_t, std::string>> replay(const CheckSettings& settings,
                                                          const std::vector<Event>& events,
                                                          int* quits = nullptr,
                                                          std::ostream* trace = nullptr) {
    Run run(settings, trace);
    auto broken = run.play(events);
    if (quits != nullptr) {
        *quits = run.quits;
    }
    return broken;
}

// Drops ever smaller blocks of events while the sequence still breaks a promise.
std::vector<Event> shortestFailing(const CheckSettings& settings, std::vector<Event> events) {
    for (std::size_t block = events.size() / 2; block >= 1; block /= 2) {
        for (std::size_t start = 0; start + block <= events.size();) {
            std::vector<Event> shorter = events;
            shorter.erase(shorter.begin() + static_cast<std::ptrdiff_t>(start),
                          shorter.begin() + static_cast<std::ptrdiff_t>(start + block));
            if (replay(settings, shorter)) {
                events = shorter;
            } else {
                start += block;
            }
        }
    }
    return events;
}

}  // namespace

int randomSequenceLength(const CheckSettings& settings) {
    return std::max(settings.iterations, 50);
}

std::uint64_t randomSequenceSeed(std::uint64_t seed, int sequence) {
    return seed * 1000 + static_cast<std::uint64_t>(sequence);
}

bool playRandomSequence(const CheckSettings& settings, int sequence, std::ostream& report,
                        int* played) {
    const std::uint64_t seed = randomSequenceSeed(settings.seed, sequence);
    std::vector<Event> events = randomEvents(seed, randomSequenceLength(settings));
    const auto start = std::chrono::steady_clock::now();
    int left = 0;
    std::ofstream trace;
    if (!settings.eventsPath.empty()) {
        trace.open(settings.eventsPath, std::ios::binary | std::ios::trunc);
        if (!trace) {
            report << "  cannot write the events to " << settings.eventsPath << "\n";
            return false;
        }
    }
    const auto broken = replay(settings, events, &left, trace.is_open() ? &trace : nullptr);
    if (trace.is_open() && !trace.flush()) {
        report << "  the events could not be written to " << settings.eventsPath << "\n";
        return false;
    }
    // Played up to the broken promise: the shortening below plays more, but only to explain.
    if (played != nullptr) {
        *played += broken ? static_cast<int>(broken->first) + 1 : static_cast<int>(events.size());
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    report << "  sequence " << sequence << " (events from seed " << seed << "): ";
    if (!broken) {
        report << events.size() << " events, the game left "
               << (left == 1 ? std::string("once") : std::to_string(left) + " times")
               << ", every promise held; "
               << std::lround(static_cast<double>(events.size()) / seconds) << " events a second\n";
        return true;
    }
    report << broken->second << " at event " << broken->first + 1 << "\n";
    events.resize(broken->first + 1);
    const std::vector<Event> shortest = shortestFailing(settings, events);
    const auto again = replay(settings, shortest);
    report << "  shortest sequence (" << shortest.size() << " events) that still fails"
           << (again ? ": " + again->second : std::string()) << ":\n";
    for (const Event& event : shortest) {
        report << "    " << event.describe() << "\n";
    }
    report << "  this sequence alone: "
           << commandLine({settings.program, "--plugin", settings.pluginPath, "--check",
                           "random-player", "--seed", std::to_string(settings.seed), "--iterations",
                           std::to_string(settings.iterations), "--part", std::to_string(sequence)})
           << "\n";
    return false;
}

bool randomPlayer(const CheckSettings& settings, std::ostream& report) {
    bool held = true;
    int played = 0;
    for (int sequence = 0; sequence < kRandomSequences; ++sequence) {
        if (settings.part < 0 || settings.part == sequence) {
            held = playRandomSequence(settings, sequence, report, &played) && held;
        }
    }
    reportPlayed(report, played);
    if (played == 0) {
        report << "  no sequence was played\n";
        return false;
    }
    return held;
}
