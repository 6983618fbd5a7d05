#include "Events.h"

#include <cstdlib>
#include <iterator>
#include <random>
#include <utility>

namespace randomPlay {

const char* const kClickable[] = {"Enable/Disable Quit after games count",
                                  "Game Count",
                                  "Lose Count",
                                  "Win-Lose Ratio",
                                  "Reset Games Count",
                                  "Set Bind",
                                  "Start/Stop",
                                  "Heads-up before quitting",
                                  "Keep the session after a restart"};
const std::size_t kClickableCount = std::size(kClickable);

const char* const kDayFields[3] = {"Day starts at hour", "Online matches a day",
                                   "Online minutes a day"};

const char* const kWeekdayLimits[kWeekdayTexts] = {
    "", "5,1,5,1,5,1,5", " 2, 2,2 ,2,2,0,0 ", "0,0,0,0,0,0,0", "1,2,3",         "300,1,1,1,1,1,1",
    "", "2,2,2,2,2,2,2", "0,3,0,3,0,3,0",     "9,9,9,9,9,9,x", "1,1,1,1,1,1,1", " "};

const char* const kBedtimes[kFixedBedtimes] = {"", "23:30", "1:00", "4:00", "nine", " 22:00 "};

std::string longBedtime(int value) {
    // 4 to 15 blanks before the time, 3 after it: never fewer than 16 characters.
    return std::string(static_cast<std::size_t>(value % 12 + 4), ' ') +
           (value < 12 ? "23:30" : "1:00") + "   ";
}

WeekLimitChoice weekLimitChoice(int value) {
    const int choice = value % 12;
    const bool matches = choice < 6;
    return {matches ? "weeklyMatches" : "weeklyMinutes",
            matches ? "Online matches a week" : "Online minutes a week",
            matches ? choice : (choice - 6) * 5, value >= 12};
}

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
        case Kind::TypeDay:
            return "type " + std::to_string(value / 3) + " into \"" + kDayFields[value % 3] + "\"";
        case Kind::SetVariable:
            return "console sets numOfGames " + std::to_string(value);
        case Kind::SavedVariable:
            return "host reads numOfGames " + std::to_string(value - 1) + " from its saved file";
        case Kind::HeadsUpChoice:
            return value == 0 ? "console sets enableHeadsUp 0" : "console sets enableHeadsUp 1";
        case Kind::StreakLimit:
            return "console sets lossStreakLimit " + std::to_string(value);
        case Kind::ClockJump:
            if (value % 20 == 3 || value % 20 == 13) {
                return std::string("the clock is set a month ") +
                       (value % 20 == 3 ? "forwards" : "back");
            }
            if (value % 10 == 1) {
                return "the clock is set " + std::to_string(value % 9 + 1) + " days forwards";
            }
            if (value % 3 == 0) {
                return "the clock is set to " + std::to_string(value % 30 + 1) +
                       " s before the day's start hour, " +
                       (value % 2 == 0 ? "the next one" : "the last one");
            }
            return "the clock is set " + std::to_string(std::abs(value - 720)) + " minutes " +
                   (value < 720 ? "back" : "forwards");
        case Kind::DayLimit:
            if (value >= kFirstLock) {
                return "lock the limits on the page, try " +
                       std::to_string(lockChangeCount(value - kFirstLock)) +
                       " changes of them, and let the day end";
            }
            if (value >= kFirstWeekLimit) {
                const WeekLimitChoice choice = weekLimitChoice(value - kFirstWeekLimit);
                return choice.onThePage ? std::string("type ") + std::to_string(choice.value) +
                                              " in \"" + choice.field + "\" on the page"
                                        : std::string("console sets ") + choice.variable + " " +
                                              std::to_string(choice.value);
            }
            if (value >= kFirstWeekdayText) {
                const int text = value - kFirstWeekdayText;
                return std::string("console sets ") +
                       (text < kWeekdayTexts / 2 ? "matchesByWeekday" : "minutesByWeekday") +
                       " \"" + kWeekdayLimits[text] + "\"";
            }
            return value < 5 ? "console sets dailyMatches " + std::to_string(value)
                             : "console sets dailyMinutes " + std::to_string(value - 5);
        case Kind::DayStart:
            return "console sets dayStartsAt " + std::to_string(value);
        case Kind::BedtimeChoice:
            return value < kFixedBedtimes
                       ? "console sets bedtime \"" + std::string(kBedtimes[value]) + "\""
                       : "console sets bedtime " + std::to_string(value - kFixedBedtimes + 1) +
                             " minutes from now";
        case Kind::HistoryChoice:
            return value == 0 ? "console sets keepHistory 0" : "console sets keepHistory 1";
        case Kind::Reset:
            return "console runs resetGamesCount";
        case Kind::Restart:
            return "the player starts the game again";
        case Kind::TimeRunsOut:
            return "the timer, one minute, runs out in an online match before its kick-off";
        case Kind::NightMatch:
            return value == 1 ? "bedtime a minute ago, an online match kicks off, bedtime cleared"
                              : "bedtime a minute ago, and an online match kicks off";
        case Kind::LongBedtime:
            return "the host reads the bedtime \"" + longBedtime(value) +
                   "\" from its saved file, and Enter is pressed in its field";
        case Kind::UnreadableClock:
            return std::string("the clock shows the year ") + (value % 2 == 0 ? "9999" : "0000") +
                   " through a whole online match of " + std::to_string(value / 2 + 1) + " minutes";
        case Kind::EditSaved:
            return "the player edits " + std::string(value < 4 ? "savedDay" : "savedHistory") +
                   " with the game closed (" + std::to_string(value) + "), and starts it again";
    }
    return "?";
}

int lockChangeCount(int choice) {
    return choice % 4 + 1;
}

// Steps of 5 through the changes, which are 13: a lock's changes are all different.
int lockChange(int choice, int index) {
    return (choice / 4 * 7 + index * 5) % kLockChanges;
}

std::vector<Event> randomEvents(std::uint64_t seed, int count) {
    std::mt19937_64 random(seed);
    const std::vector<std::pair<Kind, int>> weights = {
        {Kind::WholeMatch, 4},    {Kind::JoinOnline, 6},      {Kind::StartOffline, 2},
        {Kind::RoundStart, 8},    {Kind::MatchEnd, 6},        {Kind::Leave, 5},
        {Kind::Disconnect, 1},    {Kind::OddPlayer, 1},       {Kind::Notifier, 3},
        {Kind::PressKey, 2},      {Kind::Wait, 10},           {Kind::CanvasFrame, 3},
        {Kind::OpenPage, 2},      {Kind::ClosePage, 2},       {Kind::Click, 3},
        {Kind::StepButton, 1},    {Kind::TypeLimit, 1},       {Kind::TypeMinutes, 1},
        {Kind::SetVariable, 1},   {Kind::SavedVariable, 1},   {Kind::HeadsUpChoice, 1},
        {Kind::StreakLimit, 1},   {Kind::ClockJump, 1},       {Kind::DayLimit, 1},
        {Kind::DayStart, 1},      {Kind::Reset, 1},           {Kind::Restart, 1},
        {Kind::BedtimeChoice, 2}, {Kind::HistoryChoice, 1},   {Kind::TypeDay, 1},
        {Kind::EditSaved, 1},     {Kind::TimeRunsOut, 1},     {Kind::NightMatch, 1},
        {Kind::LongBedtime, 1},   {Kind::UnreadableClock, 1},
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
            case Kind::HistoryChoice:
                value %= 2;
                break;
            case Kind::BedtimeChoice:
                value %= kFixedBedtimes + 3;  // or 1 to 3 minutes from now
                break;
            case Kind::StepButton:
                value %= 4;
                break;
            case Kind::StreakLimit:
                value %= 5;  // 0, off, to 4 losses in a row
                break;
            case Kind::ClockJump:
                value %= 1441;  // 12 hours back to 12 hours forwards, or days forwards
                break;
            case Kind::DayLimit:
                value %= kFirstLock + kLockChoices;  // a daily, weekday or week's limit, a lock
                break;
            case Kind::DayStart:
                value %= 24;
                break;
            case Kind::Wait:
                value = random() % 4 == 0 ? static_cast<int>(random() % 90'000) : value;
                break;
            case Kind::Click:
                value %= static_cast<int>(kClickableCount);
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
            case Kind::TypeDay:
                value %= 72;  // a start hour, or 0 to 23 matches or minutes a day
                break;
            case Kind::EditSaved:
                value %= 8;
                break;
            case Kind::NightMatch:
                value %= 2;
                break;
            case Kind::LongBedtime:
                value %= 24;
                break;
            case Kind::UnreadableClock:
                value %= 6;
                break;
            default:
                break;
        }
        events.push_back({kind, value});
    }
    return events;
}

}  // namespace randomPlay
