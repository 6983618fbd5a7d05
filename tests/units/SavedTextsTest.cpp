// The texts Sundown saves, read from anything a hand-edited file may hold: read as far as they
// go, never failing, and written back so that they read again the same.
#include <gtest/gtest.h>

#include <string>

#include "SavedDay.h"
#include "SavedSession.h"

TEST(SavedSession, ReadAsFarAsItGoes) {
    const SavedSession whole = decodeSession("1,1,3,1,2");
    EXPECT_EQ(whole.enabled, true);
    EXPECT_EQ(whole.mode, 1);
    EXPECT_EQ(whole.played, 3);
    EXPECT_EQ(whole.wins, 1);
    EXPECT_EQ(whole.losses, 2);
    EXPECT_EQ(whole.streak, 0);

    const SavedSession cut = decodeSession("0,2");
    EXPECT_EQ(cut.enabled, false);
    EXPECT_EQ(cut.mode, 2);
    EXPECT_EQ(cut.played, 0);

    const SavedSession empty = decodeSession("");
    EXPECT_FALSE(empty.enabled.has_value());
    EXPECT_FALSE(empty.mode.has_value());

    // Blanks, tabs and line ends around a number are ignored; anything else is unreadable.
    const SavedSession spaced = decodeSession(" 1 ,\t2,\r\n7 , x,+3,4\r\n");
    EXPECT_EQ(spaced.enabled, true);
    EXPECT_EQ(spaced.mode, 2);
    EXPECT_EQ(spaced.played, 7);
    EXPECT_EQ(spaced.wins, 0);
    EXPECT_EQ(spaced.losses, 0);
    EXPECT_EQ(spaced.streak, 4);
}

TEST(SavedSession, ChoicesOutOfRangeAreLeftOutAndCountsAreHeldToAByte) {
    const SavedSession odd = decodeSession("2,3,-5,300,99999999999999999999999,1e3");
    EXPECT_FALSE(odd.enabled.has_value());
    EXPECT_FALSE(odd.mode.has_value());
    EXPECT_EQ(odd.played, 0);
    EXPECT_EQ(odd.wins, 255);
    EXPECT_EQ(odd.losses, 255);
    EXPECT_EQ(odd.streak, 0);
    const SavedSession huge = decodeSession(std::string(10'000, '9'));
    EXPECT_FALSE(huge.enabled.has_value());
}

TEST(SavedSession, TheStreakIsASixthNumberOnlyWhenThereIsOneToKeep) {
    EXPECT_EQ(encodeSession({true, 1, 3, 1, 2, std::nullopt}), "1,1,3,1,2");
    EXPECT_EQ(encodeSession({false, 0, 0, 0, 0, 2}), "0,0,0,0,0,2");
    const SavedSession again = decodeSession(encodeSession({true, 2, 255, 0, 255, 255}));
    EXPECT_EQ(again.enabled, true);
    EXPECT_EQ(again.mode, 2);
    EXPECT_EQ(again.played, 255);
    EXPECT_EQ(again.losses, 255);
    EXPECT_EQ(again.streak, 255);
}

TEST(SavedDay, ReadAsFarAsItGoesAndAnUnreadableDateStartsAfresh) {
    struct Case {
        std::string saved;
        std::string day;
        int matches;
        int seconds;
    };
    const Case cases[] = {
        {"2026-06-01,4,1830", "2026-06-01", 4, 1830},
        {"2026-06-01", "2026-06-01", 0, 0},
        {"2026-06-01,7", "2026-06-01", 7, 0},
        {"abc,5,600", "", 5, 600},
        {"2026-02-30,5,600", "", 5, 600},
        {"2026-06-01,-3,-60", "2026-06-01", 0, 0},
        {"2026-06-01,300,90000", "2026-06-01", 255, kSecondsInADay},
        {"2026-06-01,2,120,extra,fields", "2026-06-01", 2, 120},
        {" 2026-06-01 ,\t2 , 120\r\n", "2026-06-01", 2, 120},
        {"", "", 0, 0},
        {std::string(10'000, '7'), "", 0, 0},
    };
    for (const Case& each : cases) {
        const SavedDay day = decodeDay(each.saved);
        EXPECT_EQ(day.day, each.day) << each.saved.substr(0, 40);
        EXPECT_EQ(day.matches, each.matches) << each.saved.substr(0, 40);
        EXPECT_EQ(day.seconds, each.seconds) << each.saved.substr(0, 40);
    }
    EXPECT_EQ(encodeDay({"2026-12-08", 4, 1830}), "2026-12-08,4,1830");
}
