// The random player: long seeded sequences of every host event, with the plug-in's promises
// checked after each. A failing sequence is cut down to the shortest that still fails.
#include <algorithm>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "Checks.h"
#include "ValidationHost.h"

namespace {

const std::string kRoundStart = "Function GameEvent_Soccar_TA.Active.StartRound";
const std::string kMatchEnded = "Function TAGame.GameEvent_Soccar_TA.EventMatchEnded";
const std::string kDestroyed[] = {"Function TAGame.GameEvent_Soccar_TA.Destroyed",
                                  "Function TAGame.GameEvent_TA.Destroyed"};
const char* const kClickable[] = {"Enable/Disable Quit after games count",
                                  "Game Count",
                                  "Lose Count",
                                  "Win-Lose Ratio",
                                  "Reset Games Count",
                                  "Set Bind",
                                  "Start/Stop"};

enum class Kind {
    Join,
    Leave,
    RoundStart,
    MatchEnd,
    Destroyed,
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
    Reset,
};

struct Event {
    Kind kind;
    int value;  // the winner, a key, a widget, a duration in ms, a typed number
    std::string describe() const;
};

std::string Event::describe() const {
    switch (kind) {
        case Kind::Join:
            return "join an online game";
        case Kind::Leave:
            return "leave the online game";
        case Kind::RoundStart:
            return "round start";
        case Kind::MatchEnd:
            return value == 0   ? "match end: win"
                   : value == 1 ? "match end: loss"
                                : "match end: none";
        case Kind::Destroyed:
            return "destroyed hook " + std::to_string(value % 2 + 1);
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
            return value == 0 ? "click games -" : "click games +";
        case Kind::TypeLimit:
            return "type " + std::to_string(value) + " as the games limit";
        case Kind::TypeMinutes:
            return "type " + std::to_string(value) + " as the minutes limit";
        case Kind::SetVariable:
            return "console sets numOfGames " + std::to_string(value);
        case Kind::Reset:
            return "console runs resetGamesCount";
    }
    return "?";
}

std::vector<Event> randomEvents(std::uint64_t seed, int count) {
    std::mt19937_64 random(seed);
    // Matches are common, settings changes rarer, as in play.
    const std::vector<std::pair<Kind, int>> weights = {
        {Kind::Join, 6},        {Kind::Leave, 2},     {Kind::RoundStart, 8},
        {Kind::MatchEnd, 6},    {Kind::Destroyed, 6}, {Kind::Notifier, 3},
        {Kind::PressKey, 2},    {Kind::Wait, 10},     {Kind::CanvasFrame, 3},
        {Kind::OpenPage, 2},    {Kind::ClosePage, 2}, {Kind::Click, 3},
        {Kind::StepButton, 1},  {Kind::TypeLimit, 1}, {Kind::TypeMinutes, 1},
        {Kind::SetVariable, 1}, {Kind::Reset, 1},
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
            case Kind::MatchEnd:
                value %= 3;
                break;
            case Kind::Notifier:
                value %= 4;
                break;
            case Kind::PressKey:
            case Kind::StepButton:
                value %= 2;
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
    std::vector<double> toggles;  // virtual seconds of every toggle
};

class Run {
  public:
    Run(const CheckSettings& settings) : host(settings.pluginPath) {
        host.world.console().run("bind F5 SundownEnableDisable", "validator");
    }

    // The first broken promise, with the index of the event that broke it.
    std::optional<std::pair<std::size_t, std::string>> play(const std::vector<Event>& events) {
        for (std::size_t index = 0; index < events.size(); ++index) {
            if (auto broken = apply(events[index])) {
                return std::make_pair(index, *broken);
            }
            if (host.world.game().quit()) {
                ++quits;
                host.world.game().restart();
                host.world.clock().dropTimeouts();
                host.reload();
                model = Model{};
            }
        }
        return std::nullopt;
    }

    int quits = 0;

  private:
    double now() const { return static_cast<double>(host.world.clock().now()) / 1e6; }

    std::optional<std::string> apply(const Event& event);
    std::optional<std::string> endHook(const std::string& hook);
    std::optional<std::string> checkStatusLine();
    bool ruleMet(const Sundown& sundown) const;
    void toggled() { model.toggles.push_back(now()); }

    ValidationHost host;
    Model model;
};

bool Run::ruleMet(const Sundown& sundown) const {
    switch (sundown.selectedOption) {
        case 0:
            return sundown.numberOfGamesPlayed >= sundown.maxNumberOfGames;
        case 1:
            return sundown.numberOfLosses >= sundown.maxNumberOfGames;
        case 2:
            return int{sundown.numberOfLosses} - int{sundown.numberOfWins} >=
                   int{sundown.maxNumberOfGames};
        default:
            return false;
    }
}

std::optional<std::string> Run::endHook(const std::string& hook) {
    Sundown& sundown = *host.sundown();
    const int playedBefore = sundown.numberOfGamesPlayed;
    const std::size_t pendingBefore = host.world.clock().pending();
    const bool wasApproved = model.approved;
    const bool pending = sundown.exitPending;
    const bool enabled = sundown.enabled;
    const bool winner = host.world.game().online() && host.world.game().winningTeam().has_value();
    host.world.hooks().fire(hook);
    model.approved = false;
    if (sundown.gameApproved) {
        return std::string("a match end left the match approved");
    }

    const int counted = (sundown.numberOfGamesPlayed - playedBefore + 256) % 256;
    const bool countsPlayed = wasApproved && enabled && (hook != kMatchEnded || winner);
    if (counted != (countsPlayed ? 1 : 0)) {
        return "the played count moved by " + std::to_string(counted) + " for one match end";
    }
    const bool ruleApplies = wasApproved && enabled && winner;
    const std::size_t pairs =
        (wasApproved && pending ? 1U : 0U) + (ruleApplies && ruleMet(sundown) ? 1U : 0U);
    const std::size_t armed = host.world.clock().pending() - pendingBefore;
    if (armed != 2 * pairs) {
        return std::to_string(armed) + " timeouts armed where " + std::to_string(2 * pairs) +
               " leave timeouts were due";
    }
    return std::nullopt;
}

std::optional<std::string> Run::checkStatusLine() {
    const auto& drawn = host.world.canvas().lastFrame();
    if (drawn.empty() || model.toggles.empty()) {
        return std::nullopt;
    }
    // Shown from the last toggle until the first two-second hide that falls after it.
    const double t = now();
    const double last = model.toggles.back();
    const bool hidden = std::any_of(model.toggles.begin(), model.toggles.end(), [&](double s) {
        return s + 2.0 > last + 1e-9 && s + 2.0 <= t + 1e-9;
    });
    const bool visible = drawn.back().color.A > 0.0F;
    if (visible == hidden) {
        return std::string("the status line is ") + (visible ? "shown" : "hidden") + " at " +
               std::to_string(t) + " s, last toggle at " + std::to_string(last) + " s";
    }
    return std::nullopt;
}

std::optional<std::string> Run::apply(const Event& event) {
    Sundown& sundown = *host.sundown();
    OnlineGame& game = host.world.game();
    const int playedBefore = sundown.numberOfGamesPlayed;
    switch (event.kind) {
        case Kind::Join:
            game.join(static_cast<std::uint8_t>(event.value % 2));
            break;
        case Kind::Leave:
            game.leave();
            break;
        case Kind::RoundStart:
            host.world.hooks().fire(kRoundStart);
            model.approved = model.approved || game.online();
            break;
        case Kind::MatchEnd:
            game.setWinner(event.value == 2
                               ? std::nullopt
                               : std::optional<std::uint8_t>(
                                     event.value == 0 ? game.playerTeam() : 1 - game.playerTeam()));
            return endHook(kMatchEnded);
        case Kind::Destroyed:
            return endHook(kDestroyed[event.value % 2]);
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
            const int timerBefore = sundown.minutesElapsed * 60 + sundown.secondsElapsed;
            const bool running = sundown.timerRunning;
            std::optional<std::string> broken;
            host.advance(std::int64_t{event.value} * 1000, [&] {
                if (!broken) {
                    broken = checkStatusLine();
                }
            });
            if (broken) {
                return broken;
            }
            const int timerAfter = sundown.minutesElapsed * 60 + sundown.secondsElapsed;
            if (running && timerAfter - timerBefore > event.value / 1000 + 1) {
                return "the timer advanced " + std::to_string(timerAfter - timerBefore) + " s in " +
                       std::to_string(event.value) + " ms";
            }
            break;
        }
        case Kind::CanvasFrame:
            host.world.canvas().frame();
            return checkStatusLine();
        case Kind::OpenPage:
            host.pageOpen = true;
            break;
        case Kind::ClosePage:
            host.pageOpen = false;
            break;
        case Kind::Click:
        case Kind::StepButton:
        case Kind::TypeLimit:
        case Kind::TypeMinutes:
            if (host.pageOpen) {
                if (event.kind == Kind::Click) {
                    host.window.click(kClickable[event.value]);
                } else if (event.kind == Kind::StepButton) {
                    host.window.click("Quit after # games", event.value == 0 ? '-' : '+');
                } else if (event.kind == Kind::TypeLimit) {
                    host.window.type("Quit after # games", std::to_string(event.value));
                } else {
                    host.window.type("Quit after # minutes", std::to_string(event.value));
                }
                if (!host.playInput()) {
                    return "the page lost a widget: " + host.window.inputProblem();
                }
                if (event.kind == Kind::Click && event.value == 0) {
                    toggled();
                }
            }
            break;
        case Kind::SetVariable:
            host.world.console().set("numOfGames", std::to_string(event.value), "validator");
            break;
        case Kind::Reset:
            host.world.console().run("resetGamesCount", "validator");
            return std::nullopt;
    }
    if (host.sundown()->gameApproved != model.approved) {
        return "the plug-in's approval differs from the player's rounds";
    }
    const bool reset =
        event.kind == Kind::Click && std::string(kClickable[event.value]) == "Reset Games Count";
    if (!reset && host.sundown()->numberOfGamesPlayed != playedBefore && event.kind != Kind::Wait) {
        return "the played count changed without a match end";
    }
    return std::nullopt;
}

std::optional<std::pair<std::size_t, std::string>> replay(const CheckSettings& settings,
                                                          const std::vector<Event>& events,
                                                          int* quits = nullptr) {
    Run run(settings);
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

bool randomPlayer(const CheckSettings& settings, std::ostream& report) {
    const int runs = 8;
    const int length = std::max(settings.iterations, 50);
    int fired = 0;
    int quits = 0;
    for (int run = 0; run < runs; ++run) {
        const std::uint64_t seed = settings.seed * 1000 + static_cast<std::uint64_t>(run);
        std::vector<Event> events = randomEvents(seed, length);
        int runQuits = 0;
        const auto broken = replay(settings, events, &runQuits);
        quits += runQuits;
        if (broken) {
            events.resize(broken->first + 1);
            const std::vector<Event> shortest = shortestFailing(settings, events);
            const auto again = replay(settings, shortest);
            report << "  seed " << seed << ": " << broken->second << "\n  shortest sequence ("
                   << shortest.size() << " events) that still fails"
                   << (again ? ": " + again->second : std::string()) << ":\n";
            for (const Event& event : shortest) {
                report << "    " << event.describe() << "\n";
            }
            return false;
        }
        fired += length;
    }
    report << "  " << runs << " sequences of " << length << " events (" << fired
           << " events, the game left " << quits << " times), every promise held\n";
    return true;
}
