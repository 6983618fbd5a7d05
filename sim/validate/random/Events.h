// The random player's events: every kind of host event a player, the console or the game can
// cause, and the seeded generator that makes a sequence of them. A seed always gives the same
// events.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace randomPlay {

// The page's widgets the player clicks, by index.
extern const char* const kClickable[];
extern const std::size_t kClickableCount;

// Bedtimes the console sets, by index: none, two nights, one at the start hour (none), one that
// is no time; past these, a bedtime a few minutes from the clock, so the night begins in a match.
constexpr int kFixedBedtimes = 6;
extern const char* const kBedtimes[kFixedBedtimes];

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
    TypeDay,
    SetVariable,
    SavedVariable,
    HeadsUpChoice,
    StreakLimit,
    ClockJump,
    DayLimit,
    DayStart,
    BedtimeChoice,
    HistoryChoice,
    Reset,
    Restart,
    EditSaved,
    TimeRunsOut,
    NightMatch,
    LongBedtime,
    UnreadableClock,
};

// A bedtime the host reads from its saved file for an event's value: a night with many blanks
// around it, longer than a short field holds.
std::string longBedtime(int value);

// A DayLimit event's value: below kDailyLimitChoices a daily limit (matches 0 to 4, or minutes 0
// to 4); then one of the limits by weekday the console sets, by index: matches' texts first,
// then minutes' (empty, some days limited, none, malformed); then a week's limit
// (weekLimitChoice); then a lock on the limits, with changes tried under it (lockChange).
constexpr int kDailyLimitChoices = 10;
constexpr int kWeekdayTexts = 12;
constexpr int kWeekLimitChoices = 24;
constexpr int kLockChoices = 24;
constexpr int kFirstWeekdayText = kDailyLimitChoices;
constexpr int kFirstWeekLimit = kFirstWeekdayText + kWeekdayTexts;
constexpr int kFirstLock = kFirstWeekLimit + kWeekLimitChoices;

// A lock's choice (0 to kLockChoices - 1): how many changes it tries under the lock (1 to 4),
// and which the `index`th is (0 to kLockChanges - 1).
constexpr int kLockChanges = 13;
int lockChangeCount(int choice);
int lockChange(int choice, int index);
extern const char* const kWeekdayLimits[kWeekdayTexts];

// The week's limit a choice (0 to kWeekLimitChoices - 1) sets, by the console or on the page:
// matches 0 to 5, or minutes 0 to 25 by fives.
struct WeekLimitChoice {
    const char* variable;
    const char* field;
    int value;
    bool onThePage;
};
WeekLimitChoice weekLimitChoice(int value);

// The day's fields the player types on the page, by index.
extern const char* const kDayFields[3];

struct Event {
    Kind kind;
    int value;  // a team, a winner, a key, a widget, a duration in ms, a typed number
    // What the event is, as a player reads it.
    std::string describe() const;
};

// `count` events from `seed`: matches are common, settings changes rarer, as in play.
std::vector<Event> randomEvents(std::uint64_t seed, int count);

}  // namespace randomPlay
