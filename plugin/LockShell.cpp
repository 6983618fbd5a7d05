#include "LockShell.h"

#include <optional>

#include "CountRules.h"
#include "DayShell.h"
#include "PageLine.h"
#include "RuleServices.h"
#include "Settings.h"
#include "WeekShell.h"

#include <imgui.h>

namespace {

// The setting each held limit is put back in, in the order of LockedLimit.
constexpr const Setting* kHeldSettings[kLockedLimitCount] = {
    &setting::enableSundown, &setting::enableByNumOption,    &setting::numOfGames,
    &setting::numOfMinutes,  &setting::lossStreakLimit,      &setting::dailyMinutes,
    &setting::dailyMatches,  &setting::minutesByWeekday,     &setting::matchesByWeekday,
    &setting::weeklyMinutes, &setting::weeklyMatches,        &setting::bedtime,
    &setting::dayStartsAt,   &setting::keepSessionOnRestart,
};

// The text a held limit is put back as: what its variable holds once written.
std::string keptText(LockedLimit which, const LockedLimits& kept) {
    switch (which) {
        case LockedLimit::CountRules:
            return kept.countRulesOn ? "1" : "0";
        case LockedLimit::Mode:
            return optionLabels[static_cast<std::size_t>(kept.mode)];
        case LockedLimit::Games:
            return std::to_string(kept.games);
        case LockedLimit::Minutes:
            return std::to_string(kept.minutes);
        case LockedLimit::Streak:
            return std::to_string(kept.streak);
        case LockedLimit::DailyMinutes:
            return std::to_string(kept.daily.minutes);
        case LockedLimit::DailyMatches:
            return std::to_string(kept.daily.matches);
        case LockedLimit::MinutesByWeekday:
            return writeWeekdayNumbers(kept.minutesByWeekday);
        case LockedLimit::MatchesByWeekday:
            return writeWeekdayNumbers(kept.matchesByWeekday);
        case LockedLimit::WeeklyMinutes:
            return std::to_string(kept.week.minutes);
        case LockedLimit::WeeklyMatches:
            return std::to_string(kept.week.matches);
        case LockedLimit::Bedtime:
            return writeClockTime(kept.bedtime);
        case LockedLimit::StartHour:
            return std::to_string(kept.startHour);
        case LockedLimit::SessionKept:
            return kept.sessionKept ? "1" : "0";
    }
    return {};
}

}  // namespace

void LockShell::load() {
    if (loaded) {
        return;
    }
    loaded = true;
    savedText = services.text(setting::savedLock);
    lock.load(savedText);
    if (lock.held()) {
        nameLockedLine();
    }
    hold();
    // A text that could not be read, or a lock that has ended, is cleared.
    save();
}

LockedLimits LockShell::set() const {
    LockedLimits limits;
    limits.countRulesOn = holder.countRulesOn() && services.flag(setting::enableSundown);
    limits.mode =
        decodeLimitMode(services.text(setting::enableByNumOption)).value_or(holder.countMode());
    limits.games = services.held(setting::numOfGames);
    limits.minutes = services.held(setting::numOfMinutes);
    limits.streak = services.held(setting::lossStreakLimit);
    limits.daily.minutes = services.held(setting::dailyMinutes);
    limits.daily.matches = services.held(setting::dailyMatches);
    limits.minutesByWeekday = readWeekdayNumbers(services.text(setting::minutesByWeekday),
                                                 static_cast<int>(setting::dailyMinutes.maximum));
    limits.matchesByWeekday = readWeekdayNumbers(services.text(setting::matchesByWeekday),
                                                 static_cast<int>(setting::dailyMatches.maximum));
    limits.week = weekLimitsSet(services);
    limits.bedtime = parseClockTime(services.text(setting::bedtime));
    limits.startHour = services.held(setting::dayStartsAt);
    limits.sessionKept = services.flag(setting::keepSessionOnRestart);
    return limits;
}

// Asked at every frame of the page: the cheapest questions first, and no text parsed but a
// bedtime's five letters.
bool LockShell::limitInForce() const {
    if (holder.countRulesOn() || holder.timerRunning() ||
        services.held(setting::lossStreakLimit) > 0 || day.limitSet() ||
        weekLimitsSet(services).on()) {
        return true;
    }
    const std::optional<ClockTime> bedtime = parseClockTime(services.text(setting::bedtime));
    return bedtime && nightOf(bedtime, services.held(setting::dayStartsAt)).has_value();
}

void LockShell::hold() {
    if (!loaded) {
        load();
        return;
    }
    if (!lock.held()) {
        return;
    }
    // The lock's day ends by the start hour it holds, which cannot change under it.
    if (const std::optional<LocalTime> moment = services.now()) {
        if (lock.follow(*moment, lock.limits().startHour)) {
            save();
            return;
        }
    }
    const Holding held = lock.hold(set());
    if (held.any()) {
        putBack(held);
    }
    save();
}

bool LockShell::refuses() {
    if (!lock.held()) {
        return false;
    }
    holder.showLocked(lockedLine.data());
    return true;
}

void LockShell::take() {
    const std::optional<LocalTime> moment = services.now();
    if (!moment) {
        return;
    }
    const DailyBudget today = day.shown();
    if (!today.end()) {
        return;
    }
    lock.take(today.name(), *today.end(), set());
    nameLockedLine();
    save();
}

// Written in place: the status line may be showing the text while the lock is taken anew.
void LockShell::nameLockedLine() {
    const std::string line = "Sundown: locked until " + writeClockTime(clockOf(lock.end()));
    lockedLine.fill('\0');
    line.copy(lockedLine.data(), lockedLine.size() - 1);
}

void LockShell::putBack(const Holding& held) {
    bool countSettings = false;
    for (std::size_t index = 0; index < kLockedLimitCount; ++index) {
        const auto which = static_cast<LockedLimit>(index);
        if (!held.puts(which)) {
            continue;
        }
        putBackOne(which, held.kept);
        countSettings = countSettings || index <= static_cast<std::size_t>(LockedLimit::Minutes);
    }
    if (countSettings) {
        holder.countSettingsPutBack();
    }
    holder.showLocked(lockedLine.data());
}

void LockShell::putBackOne(LockedLimit which, const LockedLimits& kept) {
    const Setting& variable = *kHeldSettings[static_cast<std::size_t>(which)];
    const std::string value = keptText(which, kept);
    services.write(variable, value);
    tell(std::string(lockedLine.data()) + ", " + variable.name + " kept at " + value);
}

// A field on the page gives its number again at each frame while it is typed in: the same line
// is said once while the status line says the limits are locked.
void LockShell::tell(const std::string& line) {
    if (line == lastTold && holder.showingLocked()) {
        return;
    }
    lastTold = line;
    holder.tell(line);
}

void LockShell::save() {
    std::string text = lock.save();
    if (text != savedText) {
        savedText = text;
        services.write(setting::savedLock, std::move(text));
    }
}

void LockShell::drawRows() {
    if (lock.held()) {
        ImGui::Separator();
        const ClockTime until = clockOf(lock.end());
        (PageLine() << "Locked until " << TwoDigits{until.hour} << ":" << TwoDigits{until.minute}
                    << ": limits can be tightened, not loosened")
            .draw();
        return;
    }
    // Without a clock to read there is no telling when the day ends.
    if (!limitInForce() || !services.now()) {
        return;
    }
    const DailyBudget today = day.shown();
    if (!today.end()) {
        return;
    }
    ImGui::Separator();
    const ClockTime until = clockOf(*today.end());
    if ((PageLine() << "Lock my limits until " << TwoDigits{until.hour} << ":"
                    << TwoDigits{until.minute})
            .button()) {
        take();
    }
}
