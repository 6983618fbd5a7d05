// The day's budget: the player's own model of the day agrees with the plug-in's day, with
// "savedDay" after every counted match and every wait, and with the leave and the heads-ups.
#include <algorithm>

#include "BedtimeShell.h"
#include "DayShell.h"
#include "Referee.h"

namespace randomPlay {

DayModel::Limits Referee::dayLimits() const {
    const auto value = [this](const char* name, int most) {
        return std::clamp(host.world.console().variable(name)->intValue(), 0, most);
    };
    DayModel::Limits limits;
    limits.matches = value("dailyMatches", 255);
    limits.minutes = value("dailyMinutes", 1440);
    limits.startHour = value("dayStartsAt", 23);
    limits.history = host.world.console().variable("keepHistory")->boolValue();
    const std::string matchesText = host.world.console().variable("matchesByWeekday")->text();
    const std::string minutesText = host.world.console().variable("minutesByWeekday")->text();
    limits.matchesByWeekday = weekdayNumbers(matchesText, 255);
    limits.minutesByWeekday = weekdayNumbers(minutesText, 1440);
    limits.weekdaysSet = !matchesText.empty() || !minutesText.empty();
    limits.weekMatches = value("weeklyMatches", 2000);
    limits.weekMinutes = value("weeklyMinutes", 10080);
    return limits;
}

// Sundown looks at the clock once a second while the day is counted, in the menus too: by the
// end of an event that let time pass, or changed a setting, it has looked; once the game has
// quit, it looks no more. Right after a page frame, the seconds due by it were counted before
// the page was drawn, under the settings seen before what was typed in it.
void Referee::catchUpTheDay(bool pageJustDrawn) {
    noticeQuit();
    const DayModel::Limits limits = dayLimits();
    model.day.catchUp(host.world.clock().now(), wallAtZero(), pageJustDrawn ? limitsSeen : limits);
    limitsSeen = limits;
    if (limits.counted() && !host.world.game().quit()) {
        model.day.look(host.world.wallSeconds(), limits);
    }
    model.night.catchUp(host.world.clock().now(), wallAtZero(), night());
}

void Referee::beforeClockChange() {
    catchUpTheDay();
}

void Referee::clockRuleSet() {
    limitsSeen = dayLimits();
}

// The page shows the day's line as it stands; drawing it changes no day. It looks at the kept
// session.
void Referee::pageDrawn() {
    catchUpTheDay(true);
    streakLimitUnseen = false;
}

// Sundown looks at the clock once a second until the game quits. What changed in the last second
// before the quit (the clock set, a day's end come round) may have been seen or not: the model
// takes whichever of the two the plug-in saved.
void Referee::noticeQuit() {
    if (quitSeen || !host.world.game().quit()) {
        return;
    }
    quitSeen = true;
    std::int64_t quitAt = host.world.clock().now();
    const auto& events = host.world.events().events();
    for (auto event = events.rbegin(); event != events.rend(); ++event) {
        if (event->type == "quit") {
            quitAt = event->microseconds;
            break;
        }
    }
    // A second of play, or a look, due at the very moment of the quit may have come first.
    const DayModel::Limits limits = dayLimits();
    DayModel looked = model.day;
    model.day.catchUp(quitAt - 1, wallAtZero(), limits);
    looked.catchUp(quitAt, wallAtZero(), limits);
    if (limits.counted()) {
        looked.look(wallAtZero() + quitAt / 1'000'000, limits);
    }
    const std::string saved = host.world.console().variable("savedDay")->text();
    if (saved == looked.saved()) {
        model.day = looked;
    }
    model.day.gameQuit();
    // The same for bedtime's look at that moment.
    model.night.catchUp(quitAt - 1, wallAtZero(), night());
    NightModel ticked = model.night;
    ticked.catchUp(quitAt, wallAtZero(), night());
    if (ticked.due() == host.sundown()->bedtime->matchNight().due()) {
        model.night = ticked;
    }
    model.night.gameQuit();
}

// The plug-in's day, and what it saved, as the player's model has them.
std::optional<std::string> Referee::checkDay(const std::string& when) const {
    const Sundown& sundown = *host.sundown();
    const std::string saved = host.world.console().variable("savedDay")->text();
    // Until the plug-in reads its saved day, only what is saved can be compared.
    const bool read = sundown.day->today().loaded();
    if ((read && sundown.day->today().name() != model.day.day) ||
        (!read && saved != model.day.saved())) {
        return "the day saved is \"" + saved + "\" where the player's is \"" + model.day.saved() +
               "\", " + when;
    }
    if (read &&
        (sundown.day->today().name() != model.day.day ||
         sundown.day->today().matches() != model.day.matches ||
         sundown.day->today().seconds() != model.day.seconds || saved != model.day.saved())) {
        return "the day is " + sundown.day->today().name() + " with " +
               std::to_string(sundown.day->today().matches()) + " matches and " +
               std::to_string(sundown.day->today().seconds()) + " s, saved as \"" + saved +
               "\", where the player played " + model.day.day + " with " +
               std::to_string(model.day.matches) + " matches and " +
               std::to_string(model.day.seconds) + " s, to be saved as \"" + model.day.saved() +
               "\", " + when;
    }
    return std::nullopt;
}

// Saved at least once a minute of play, exactly as the player counts it.
std::optional<std::string> Referee::checkSavedAsPlayed() {
    catchUpTheDay();
    const std::string saved = host.world.console().variable("savedDay")->text();
    if (saved != model.day.saved()) {
        return "\"" + saved + "\" is saved where the player played \"" + model.day.saved() + "\"";
    }
    return std::nullopt;
}

}  // namespace randomPlay
