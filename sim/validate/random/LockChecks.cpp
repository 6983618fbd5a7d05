// The lock on the player's limits: offered while a limit is in force, taken with what the limits
// are, every loosening put back and said once, every tightening kept, the switch and the count's
// reset refused, a restart that finds a loosened saved value putting it back, and the lock gone
// once its day has ended.
#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "CountRules.h"
#include "Referee.h"

namespace randomPlay {

namespace {

// The limits the lock holds, by their console variables.
constexpr const char* kHeldVariables[] = {
    "numOfGames",    "numOfMinutes",  "lossStreakLimit", "dailyMinutes", "dailyMatches",
    "weeklyMinutes", "weeklyMatches", "bedtime",         "dayStartsAt",  "keepSessionOnRestart",
};

constexpr const char* kLockedLinesStart = "Sundown: locked until";

}  // namespace

// A number as the plug-in reads it: held within the limits its variable was registered with, as
// a hand-edited saved value may not be; a bedtime as written.
std::string Referee::heldText(const char* name) const {
    const ConsoleVariable& variable = *host.world.console().variable(name);
    if (std::string(name) == "bedtime") {
        return variable.text();
    }
    const VariableRegistration& registration = variable.registration();
    int value = variable.intValue();
    if (registration.useMin) {
        value = std::max(value, static_cast<int>(registration.minimum));
    }
    if (registration.useMax) {
        value = std::min(value, static_cast<int>(registration.maximum));
    }
    return std::to_string(value);
}

std::string Referee::lockButton() const {
    return "Lock my limits until " + clockText(dayLimits().startHour * 60);
}

// The lock ends with the day: at the next start hour, or at the end of the day the player's
// model counts, whichever the clock reaches first, so it holds surely until then.
std::int64_t Referee::lockHoldsFor() const {
    const std::int64_t wall = host.world.wallSeconds();
    const std::int64_t startOfHour = std::int64_t{dayLimits().startHour} * 3600;
    std::int64_t end = (wall - startOfHour) / 86'400 * 86'400 + startOfHour;
    while (end <= wall) {
        end += 86'400;
    }
    if (dayLimits().counted() && model.day.endsAt > wall) {
        end = std::min(end, model.day.endsAt);
    }
    return end - wall;
}

bool Referee::lockPutBackSince(std::size_t events) const {
    const std::vector<RecordedEvent> written = host.world.events().ofType("var", events);
    return std::any_of(written.begin(), written.end(), [](const RecordedEvent& event) {
        return event.by == "plugin" &&
               (event.first == "enableSundown" || event.first == "enableByNumOption" ||
                std::find_if(std::begin(kHeldVariables), std::end(kHeldVariables),
                             [&event](const char* name) { return event.first == name; }) !=
                    std::end(kHeldVariables));
    });
}

std::string Referee::drawnPage() {
    host.window.restMouse();
    host.window.captureText(true);
    host.drawPage();
    host.window.captureText(false);
    return host.window.pageText();
}

// While a limit is in force: the count rules on, the timer running, a limit on the streak, the
// day's or the week's, a bedtime; and the clock can be read, to know when the day ends.
bool Referee::lockOffered() {
    if (host.world.game().quit()) {
        return false;
    }
    const std::string page = drawnPage();
    const Sundown& sundown = *host.sundown();
    const DayModel::Limits limits = dayLimits();
    const bool inForce = sundown.enabled || sundown.timerRunning ||
                         variableValue("lossStreakLimit") > 0 || limits.on() || limits.weekOn() ||
                         night().has_value();
    const bool offered = inForce && clockReadable(host.world.wallSeconds());
    const bool shown = page.find(lockButton()) != std::string::npos;
    if (shown != offered) {
        noteBroken("the page " + std::string(shown ? "offers" : "does not offer") + " \"" +
                   lockButton() + "\" where the player's limits say otherwise");
    }
    return offered && shown;
}

void Referee::lockClicked() {
    if (!host.window.inputProblem().empty()) {
        noteBroken("the page lost the lock's button: " + host.window.inputProblem());
        return;
    }
    // A leave already asked for may quit the game before the click's frame comes.
    if (host.world.game().quit()) {
        return;
    }
    const Sundown& sundown = *host.sundown();
    std::map<std::string, std::string> held;
    for (const char* name : kHeldVariables) {
        held[name] = heldText(name);
    }
    held["enableSundown"] = sundown.enabled ? "1" : "0";
    held["enableByNumOption"] =
        optionLabels[static_cast<std::size_t>(std::clamp(sundown.selectedOption, 0, 2))];
    lock.take(std::move(held), dayLimits().startHour);
    if (host.world.console().variable("savedLock")->text().empty()) {
        noteBroken("the lock was clicked but nothing is saved in savedLock");
    }
    const std::string page = drawnPage();
    const std::string locked = "Locked until " + clockText(dayLimits().startHour * 60) +
                               ": limits can be tightened, not loosened";
    if (page.find(locked) == std::string::npos) {
        noteBroken("the page does not say \"" + locked + "\" once locked");
    }
}

void Referee::beforeLockChange() {
    eventsBeforeChange = host.world.events().size();
    const Sundown& sundown = *host.sundown();
    countsBeforeChange = {sundown.numberOfGamesPlayed, sundown.numberOfWins,
                          sundown.numberOfLosses};
    enabledBeforeChange = sundown.enabled;
    headsUpsBeforeChange = sundown.headsUp.shown();
}

// What the player set is the first value the console kept for it since the change began.
void Referee::lockChanged(const std::string& name) {
    for (const RecordedEvent& event : host.world.events().ofType("var", eventsBeforeChange)) {
        if (event.first == name && event.by == "validator") {
            lockTyped(name, event.second);
            return;
        }
    }
    noteBroken("the console never set " + name);
}

// A fresh load holds the count rules' switch off and the first mode unless a kept session brings
// them back: what the lock holds of them is put back too, and said.
void Referee::lockRestartedWith(const std::string& name, const std::string& edited) {
    std::vector<std::string> due;
    if (!lock.held()) {
        return;
    }
    if (!keepsSession && lock.kept("enableSundown") == "1") {
        due.push_back(lock.keptLine("enableSundown"));
    }
    if (!keepsSession && lock.kept("enableByNumOption") != optionLabels[0]) {
        due.push_back(lock.keptLine("enableByNumOption"));
    }
    lockTyped(name, edited, due);
}

void Referee::lockTyped(const std::string& name, const std::string& set,
                        std::vector<std::string> dueToo) {
    if (name == "lossStreakLimit") {
        streakLimitUnseen = host.world.game().quit();
    }
    if (name == "keepSessionOnRestart" && set == "1" && host.world.game().quit()) {
        keepingUnseen = true;
    }
    if (host.world.game().quit()) {
        return;  // the plug-in looks no more
    }
    const bool looser = lock.loosens(name, set);
    const std::string expected = looser ? lock.kept(name) : set;
    const std::string holds = host.world.console().variable(name)->text();
    if (holds != expected) {
        noteBroken(name + " holds \"" + holds + "\" after the player set \"" + set +
                   "\" under the lock, where \"" + expected + "\" was due");
    }
    if (looser) {
        dueToo.push_back(lock.keptLine(name));
    }
    checkLockLines(std::move(dueToo));
    if (looser) {
        checkLockedLineShown();
    }
    const Sundown& sundown = *host.sundown();
    if (name == "enableSundown" && looser && !sundown.enabled) {
        noteBroken("the count rules stay off after the lock put their switch back");
    }
    if (name == "numOfGames" && looser &&
        sundown.maxNumberOfGames > std::max(1, std::atoi(expected.c_str()))) {
        noteBroken("the count limit the plug-in uses is " +
                   std::to_string(sundown.maxNumberOfGames) + " where the lock holds " + expected);
    }
}

// The master switch's key and the count's reset, under the lock.
bool Referee::lockLetsTheSwitchFlip() {
    if (enabledBeforeChange) {
        return false;
    }
    static_cast<void>(lock.loosens("enableSundown", "1"));
    return true;
}

void Referee::lockRefusals() {
    if (host.world.game().quit()) {
        return;
    }
    const Sundown& sundown = *host.sundown();
    if (!sundown.enabled) {
        noteBroken("the count rules are off after the master switch's key under the lock");
    }
    const std::array<int, 3> counts = {sundown.numberOfGamesPlayed, sundown.numberOfWins,
                                       sundown.numberOfLosses};
    if (counts != countsBeforeChange) {
        noteBroken("the count was reset under the lock");
    }
    checkLockLines({});
    checkLockedLineShown();
}

void Referee::lockRestarted() {
    noteBroken(afterRestart());
    // A new plug-in object counts its heads-ups from nothing.
    headsUpsBeforeChange = 0;
    if (lock.held() && lock.kept("enableSundown") == "1" && !host.sundown()->enabled) {
        noteBroken("the count rules the lock holds on are off after a restart");
    }
}

void Referee::lockEnded() {
    lock.end();
    if (host.world.game().quit()) {
        return;
    }
    const std::string saved = host.world.console().variable("savedLock")->text();
    if (!saved.empty()) {
        noteBroken("savedLock still holds \"" + saved + "\" two days after the lock was taken");
    }
    if (drawnPage().find("Locked until") != std::string::npos) {
        noteBroken("the page still says it is locked two days after the lock was taken");
    }
}

// The lock's lines in the host console since the change began: exactly those due.
void Referee::checkLockLines(std::vector<std::string> due) {
    std::vector<std::string> said;
    for (const RecordedEvent& event : host.world.events().ofType("log", eventsBeforeChange)) {
        if (event.first.rfind(kLockedLinesStart, 0) == 0) {
            said.push_back(event.first);
        }
    }
    std::sort(said.begin(), said.end());
    std::sort(due.begin(), due.end());
    if (said != due) {
        noteBroken(std::to_string(said.size()) +
                   " lines of the lock in the console (the first: \"" +
                   (said.empty() ? std::string() : said.front()) + "\") where " +
                   std::to_string(due.size()) + " were due" +
                   (due.empty() ? std::string() : " (\"" + due.front() + "\")"));
    }
}

// Shown in the status line's place for two seconds, whatever the heads-up choice: shown since
// the change began, and while the player asked for no heads-ups nothing else took its place.
void Referee::checkLockedLineShown() {
    const Sundown& sundown = *host.sundown();
    if (sundown.headsUp.shown() == headsUpsBeforeChange) {
        noteBroken("the status line's place never said \"" + lock.line() + "\"");
        return;
    }
    const char* shown = sundown.headsUp.text();
    if (shown != nullptr && shown != lock.line() &&
        !host.world.console().variable("enableHeadsUp")->boolValue()) {
        noteBroken("the status line's place shows \"" + std::string(shown) + "\" where \"" +
                   lock.line() + "\" was due");
    }
}

}  // namespace randomPlay
