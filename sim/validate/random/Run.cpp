#include "Run.h"

#include "WallTime.h"

#include <algorithm>
#include <cstdint>

namespace randomPlay {

Run::Run(const CheckSettings& settings, std::ostream* trace)
    : host(settings.pluginPath), referee(host), trace(trace) {
    host.world.console().run("bind F5 SundownEnableDisable", "validator");
    host.afterPageDrawn = [this] { referee.pageDrawn(); };
    host.world.watchHooks([this](const std::string&) { referee.beforeHook(); },
                          [this](const std::string& name) { referee.afterHook(name); });
}

std::optional<std::pair<std::size_t, std::string>> Run::play(const std::vector<Event>& events) {
    for (std::size_t index = 0; index < events.size(); ++index) {
        referee.startEvent(events[index]);
        perform(events[index]);
        if (auto broken = referee.finishEvent(events[index])) {
            return std::make_pair(index, *broken);
        }
        if (auto fault = referee.checkFaults()) {
            return std::make_pair(index, *fault);
        }
        if (host.world.game().quit()) {
            ++quits;
            restartGame();
            if (auto broken = referee.afterRestart()) {
                return std::make_pair(index, *broken);
            }
        }
        trace.event(index, events[index], host.world, host.sundown());
    }
    return std::nullopt;
}

// Time passes, frames drawn, and never stops in the first second of a minute of the wall clock:
// by the end Sundown has looked at the clock since anything it shows last changed (a day's end,
// a night's beginning), as it does once a second.
void Run::letTimePass(std::int64_t milliseconds) {
    referee.timePasses(true);
    host.advance(milliseconds * 1000, [this] { referee.afterFrame(); });
    if (host.world.wallSeconds() % 60 == 0) {
        host.advance(1'100'000, [this] { referee.afterFrame(); });
    }
    referee.timePasses(false);
}

// Sundown sees a change at the console within a second; the player's hand takes longer.
void Run::settle() {
    letTimePass(1500);
}

// A setting of a rule of the clock, at the console. Not in the last seconds before a full hour,
// where "within a second" would let a day's end and the change come in either order.
void Run::setClockRule(const char* name, const std::string& value) {
    beforeClockRule();
    host.world.console().set(name, value, "validator");
    referee.clockRuleSet();
    settle();
}

void Run::beforeClockRule() {
    const std::int64_t intoTheHour = host.world.wallSeconds() % 3600;
    if (intoTheHour >= 3597) {
        letTimePass((3601 - intoTheHour) * 1000);
    }
    referee.beforeClockChange();
}

// A bedtime longer than a short field, read from the saved file; then Enter in its field on the
// page, which writes back what the field holds.
void Run::enterLongBedtime(int value) {
    const std::string bedtime = longBedtime(value);
    beforeClockRule();
    host.world.console().loadSaved("bedtime", bedtime);
    settle();
    referee.bedtimeRead(bedtime);
    const bool wasOpen = host.pageOpen;
    host.pageOpen = true;
    host.window.enter("Bedtime (HH:MM)");
    referee.timePasses(true);
    host.playInput([this] { referee.afterPageFrame(); });
    referee.timePasses(false);
    host.pageOpen = wasOpen;
}

// The clock set to the same time of day in a year no calendar of Sundown names (9999 or 0000)
// through a whole online match, then back to where it would have been.
void Run::playWithAnUnreadableClock(int value) {
    constexpr std::int64_t kJune9999 = 253'385'020'800;  // 9999-06-15 00:00:00 UTC
    constexpr std::int64_t kJune0000 = -62'152'876'800;  // 0000-06-15 00:00:00 UTC
    const std::int64_t wallBefore = host.world.wallSeconds();
    const std::int64_t virtualBefore = host.world.clock().now();
    referee.beforeClockChange();
    host.world.setWallClock((value % 2 == 0 ? kJune9999 : kJune0000) + wallBefore % 86'400);
    settle();
    Game& game = host.world.game();
    game.joinOnline(0);
    game.startRound();
    letTimePass(std::int64_t{value / 2 + 1} * 60'000 - 5'000);
    game.endMatch(value % 3 == 0 ? std::optional<std::uint8_t>(0) : std::optional<std::uint8_t>(1));
    game.leaveMatch();
    referee.beforeClockChange();
    host.world.setWallClock(wallBefore + (host.world.clock().now() - virtualBefore) / 1'000'000);
    settle();
}

// A one-minute timer started on the page, an online match joined, and the minute let pass
// before any kick-off: the quit then waits for that match.
void Run::runTimerOut() {
    const bool wasOpen = host.pageOpen;
    host.pageOpen = true;
    referee.timePasses(true);
    if (host.sundown()->timerRunning) {
        // A run already going is stopped first, so that the new one starts from nothing.
        host.window.click("Start/Stop");
        host.playInput([this] { referee.afterPageFrame(); });
    }
    host.window.type("Quit after # minutes", "1");
    host.window.click("Start/Stop");
    host.playInput([this] { referee.afterPageFrame(); });
    referee.timePasses(false);
    host.pageOpen = wasOpen;
    host.world.game().joinOnline(0);
    letTimePass(62'000);
}

// The game quits, if it has not, and starts again; its first frame is drawn.
void Run::restartGame(const char* edited, const std::string& text) {
    referee.beforeRestart();
    if (edited != nullptr) {
        // Edited in the saved configuration while the game is closed.
        host.world.console().loadSaved(edited, text);
        referee.savedEdited(edited, text);
    }
    host.restart();
    host.world.canvas().frame();
}

// What the player writes into "savedDay" or "savedHistory" by hand, about today: a day ahead,
// a month ahead with its end, today's counts alone, a day ending at another hour, nothing; a
// history with a day written twice past 255 matches, one too old, one dated today and one
// after it.
std::string Run::editedText(int value) const {
    const int startHour =
        std::clamp(host.world.console().variable("dayStartsAt")->intValue(), 0, 23);
    const std::int64_t now = host.world.wallSeconds();
    const auto day = [&](int offset) {
        return formatWallTime(now - std::int64_t{startHour} * 3600 + offset * 86'400LL)
            .substr(0, 10);
    };
    switch (value) {
        case 0:
            return day(2) + ",1,60";
        case 1:
            return day(30) + ",2,120," + day(31) + " 04:00";
        case 2:
            return day(0) + ",3,900";
        case 3:
            return day(-1) + ",1,60," + day(0) + " 00:00";
        case 4:
            return day(-3) + ",200,60;" + day(-3) + ",100,60";
        case 5:
            return day(-20) + ",1,60;" + day(-2) + ",2,120";
        case 6:
            return day(0) + ",1,60;" + day(3) + ",1,60";
        default:
            return "";
    }
}

// Minutes back or forwards, days forwards, or a few seconds before the day's start hour, so that
// matches run across it.
std::int64_t Run::jumpedClock(int value) const {
    const std::int64_t now = host.world.wallSeconds();
    if (value % 20 == 3 || value % 20 == 13) {
        return now + (value % 20 == 3 ? 31 : -31) * std::int64_t{86'400};
    }
    if (value % 10 == 1) {
        return now + std::int64_t{value % 9 + 1} * 86'400;
    }
    if (value % 3 != 0) {
        return now + std::int64_t{value - 720} * 60;
    }
    const int startHour =
        std::clamp(host.world.console().variable("dayStartsAt")->intValue(), 0, 23);
    const std::int64_t startOfHour = std::int64_t{startHour} * 3600;
    const std::int64_t dayStart = (now - startOfHour) / 86'400 * 86'400 + startOfHour;
    const std::int64_t next = value % 2 == 0 ? dayStart + 86'400 : dayStart;
    return next - (value % 30 + 1);
}

// One of the fixed bedtimes, or the clock's time a few minutes from now, "HH:MM".
std::string Run::bedtimeFor(int value) const {
    if (value < kFixedBedtimes) {
        return kBedtimes[value];
    }
    return clockTimeIn(value - kFixedBedtimes + 1);
}

// The clock's time `minutes` from now (before it when negative), "HH:MM".
std::string Run::clockTimeIn(int minutes) const {
    const std::int64_t then = host.world.wallSeconds() + std::int64_t{minutes} * 60;
    return clockText(static_cast<int>(then % 86'400 / 60));
}

void Run::playOnPage(const Event& event) {
    if (!host.pageOpen) {
        return;
    }
    if (event.kind == Kind::Click) {
        host.window.click(kClickable[event.value]);
    } else if (event.kind == Kind::StepButton) {
        host.window.click(event.value < 2 ? "Quit after # games" : "Quit after # losses in a row",
                          event.value % 2 == 0 ? '-' : '+');
    } else if (event.kind == Kind::TypeDay) {
        host.window.type(kDayFields[event.value % 3], std::to_string(event.value / 3));
    } else if (event.kind == Kind::DayLimit) {
        const WeekLimitChoice choice = weekLimitChoice(event.value - kFirstWeekLimit);
        host.window.type(choice.field, std::to_string(choice.value));
    } else if (event.kind == Kind::TypeLimit) {
        host.window.type("Quit after # games", std::to_string(event.value));
    } else {
        host.window.type("Quit after # minutes", std::to_string(event.value));
    }
    referee.timePasses(true);
    host.playInput([this] { referee.afterPageFrame(); });
    referee.timePasses(false);
}

// A week's limit, on the page where its fields are shown (once the day is counted), else at the
// console.
void Run::setWeekLimit(const Event& event) {
    const WeekLimitChoice choice = weekLimitChoice(event.value - kFirstWeekLimit);
    if (choice.onThePage && referee.weekFieldsShown()) {
        playOnPage(event);
    } else {
        setClockRule(choice.variable, std::to_string(choice.value));
    }
}

void Run::perform(const Event& event) {
    Game& game = host.world.game();
    switch (event.kind) {
        case Kind::WholeMatch:
            game.joinOnline(0);
            game.startRound();
            game.endMatch(event.value == 2 ? std::nullopt
                                           : std::optional<std::uint8_t>(event.value == 0 ? 0 : 1));
            game.leaveMatch();
            break;
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
            referee.toggled();
            break;
        }
        case Kind::PressKey:
            if (host.world.console().press(event.value == 0 ? "F5" : "F6")) {
                referee.toggled();
            }
            break;
        case Kind::Wait:
            letTimePass(event.value);
            break;
        case Kind::CanvasFrame:
            host.world.canvas().frame();
            break;
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
        case Kind::TypeDay:
            playOnPage(event);
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
            // A kept session looks within a second too.
            setClockRule("lossStreakLimit", std::to_string(event.value));
            break;
        case Kind::ClockJump: {
            referee.beforeClockChange();
            // Not in the last seconds before a full hour, where Sundown's look within a second
            // may come before the hour or after it.
            std::int64_t jumped = jumpedClock(event.value);
            if (jumped % 3600 >= 3598) {
                jumped -= 3;
            }
            host.world.setWallClock(jumped);
            settle();
            break;
        }
        case Kind::DayLimit:
            if (event.value >= kFirstLock) {
                lockLimits(event.value - kFirstLock);
            } else if (event.value >= kFirstWeekLimit) {
                setWeekLimit(event);
            } else if (event.value >= kFirstWeekdayText) {
                const int text = event.value - kFirstWeekdayText;
                setClockRule(text < kWeekdayTexts / 2 ? "matchesByWeekday" : "minutesByWeekday",
                             kWeekdayLimits[text]);
            } else {
                setClockRule(event.value < 5 ? "dailyMatches" : "dailyMinutes",
                             std::to_string(event.value % 5));
            }
            break;
        case Kind::DayStart:
            setClockRule("dayStartsAt", std::to_string(event.value));
            break;
        case Kind::BedtimeChoice:
            setClockRule("bedtime", bedtimeFor(event.value));
            break;
        case Kind::HistoryChoice:
            setClockRule("keepHistory", std::to_string(event.value));
            break;
        case Kind::Reset:
            host.world.console().run("resetGamesCount", "validator");
            referee.countsReset();
            break;
        case Kind::TimeRunsOut:
            runTimerOut();
            break;
        case Kind::NightMatch:
            setClockRule("bedtime", clockTimeIn(-1));
            game.joinOnline(0);
            game.startRound();
            if (event.value == 1) {
                // And cleared again during that match.
                setClockRule("bedtime", "");
            }
            break;
        case Kind::LongBedtime:
            enterLongBedtime(event.value);
            break;
        case Kind::UnreadableClock:
            playWithAnUnreadableClock(event.value);
            break;
        case Kind::EditSaved:
            restartGame(event.value < 4 || event.value == 7 ? "savedDay" : "savedHistory",
                        editedText(event.value));
            break;
        case Kind::Restart:
            restartGame();
            break;
    }
}

}  // namespace randomPlay
