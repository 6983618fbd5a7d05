// Heads-ups and the status line: a heads-up exactly when the next match or loss meets a rule,
// with the text the rule calls for, and the status line shown for exactly two seconds after the
// first of a burst of toggles.
#include "Referee.h"

namespace randomPlay {

void Referee::toggled() {
    model.toggled(now());
    // The switch looks at the kept session first.
    streakLimitUnseen = false;
}

void Referee::afterFrame() {
    noticeQuit();
    catchUpTheTimer();
    noteBroken(checkStatusLine());
}

void Referee::afterPageFrame() {
    catchUpTheTimer(true);
    timerClicked();
    if (toggleClick && host.sundown()->enabled != enabledInFrame) {
        enabledInFrame = host.sundown()->enabled;
        toggled();
    }
    noteBroken(checkStatusLine());
}

// At the round start that approves an online match, a heads-up exactly when counting it would
// meet the rule (the last game, or one more loss), or one more loss would end the losing streak.
std::optional<std::string> Referee::checkRoundStart() const {
    const Sundown& sundown = *host.sundown();
    const bool approving = !before.approved && host.world.game().online();
    const std::int32_t option = sundown.selectedOption;
    const auto more = [](int count) { return static_cast<std::uint8_t>(count + 1); };
    const bool lastWithALoss = countRuleMet(option, more(before.played), before.wins,
                                            more(before.losses), sundown.maxNumberOfGames);
    const bool lastWithAWin = countRuleMet(option, more(before.played), more(before.wins),
                                           before.losses, sundown.maxNumberOfGames);
    const int streakLimit = variableValue("lossStreakLimit");
    const bool streakWithALoss = streakLimit > 0 && model.lossStreak + 1 >= streakLimit;
    const DayModel::Limits limits = dayLimits();
    const bool lastToday = limits.forDay(model.day.day).on() && model.day.spent(limits, true);
    const bool lastThisWeek = limits.weekOn() && model.day.weekSpent(limits, true);
    // A rule that ends the session whatever the result speaks first; the count rules and the
    // streak count only while the switch is on.
    const char* due = nullptr;
    if (model.night.due()) {
        due = "Sundown: past bedtime, last game";
    } else if (lastToday) {
        due = "Sundown: last game today";
    } else if (lastThisWeek) {
        due = "Sundown: last game this week";
    } else if (before.timedQuitWaits || (before.enabled && lastWithALoss && lastWithAWin)) {
        // A quit the timer left to this match's end: the last, whatever the result.
        due = "Sundown: last game";
    } else if (before.enabled && lastWithALoss) {
        due = "Sundown: one more loss ends the session";
    } else if (before.enabled && streakWithALoss) {
        due = "Sundown: one more loss in a row ends the session";
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

std::optional<std::string> Referee::checkStatusLine() {
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

}  // namespace randomPlay
