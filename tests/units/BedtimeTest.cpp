// Bedtime, driven directly: the times it reads, the night's edges, and its part in one match.
#include <gtest/gtest.h>

#include <string>

#include "Bedtime.h"

namespace {

std::string nightText(const std::optional<Night>& night) {
    return night ? std::to_string(night->from.hour) + ":" + std::to_string(night->from.minute) +
                       " to " + std::to_string(night->untilHour)
                 : "none";
}

std::string read(const char* text) {
    const std::optional<ClockTime> time = parseClockTime(text);
    return time ? std::to_string(time->hour) + ":" + std::to_string(time->minute) : "none";
}

LocalTime at(int hour, int minute) {
    return {2026, 12, 8, hour, minute};
}

}  // namespace

TEST(Bedtime, ReadsHMMAndHHMMFromMidnightToOneMinuteBefore) {
    EXPECT_EQ(read("23:30"), "23:30");
    EXPECT_EQ(read("1:05"), "1:5");
    EXPECT_EQ(read("01:05"), "1:5");
    EXPECT_EQ(read("00:00"), "0:0");
    EXPECT_EQ(read("23:59"), "23:59");
    EXPECT_EQ(read(" \t22:15\r\n"), "22:15");
    for (const char* other :
         {"", "   ", "24:00", "23:60", "2330", "23:3", "23:300", "123:00", ":30", "23:", "-1:00",
          "+1:00", "1 :00", "23:30 pm", "a1:00", "1:0a", "23.30", "23:30:00"}) {
        EXPECT_EQ(read(other), "none") << "'" << other << "'";
    }
}

TEST(Bedtime, TheNightRunsFromBedtimeToTheStartHourOverMidnightOrNot) {
    const std::optional<Night> lateNight = nightOf(ClockTime{23, 30}, 4);
    ASSERT_TRUE(lateNight.has_value());
    EXPECT_EQ(nightText(lateNight), "23:30 to 4");
    EXPECT_FALSE(lateNight->holds(at(23, 29)));
    EXPECT_TRUE(lateNight->holds(at(23, 30)));
    EXPECT_TRUE(lateNight->holds(at(0, 0)));
    EXPECT_TRUE(lateNight->holds(at(3, 59)));
    EXPECT_FALSE(lateNight->holds(at(4, 0)));
    EXPECT_FALSE(lateNight->holds(at(12, 0)));

    const std::optional<Night> smallHours = nightOf(ClockTime{1, 0}, 4);
    ASSERT_TRUE(smallHours.has_value());
    EXPECT_EQ(nightText(smallHours), "1:0 to 4");
    EXPECT_FALSE(smallHours->holds(at(0, 59)));
    EXPECT_TRUE(smallHours->holds(at(1, 0)));
    EXPECT_FALSE(smallHours->holds(at(4, 0)));
    EXPECT_FALSE(smallHours->holds(at(23, 30)));

    // A bedtime at the start hour sets none; a minute after it, a night of all but a minute.
    EXPECT_FALSE(nightOf(ClockTime{4, 0}, 4).has_value());
    EXPECT_FALSE(nightOf(std::nullopt, 4).has_value());
    const std::optional<Night> longNight = nightOf(ClockTime{4, 1}, 4);
    ASSERT_TRUE(longNight.has_value());
    EXPECT_TRUE(longNight->holds(at(3, 59)));
    EXPECT_FALSE(longNight->holds(at(4, 0)));
    EXPECT_EQ(nightOf(ClockTime{0, 0}, 0), std::nullopt);
    EXPECT_EQ(nightText(nightOf(ClockTime{22, 0}, 23)), "22:0 to 23");
}

TEST(Bedtime, AMatchApprovedInTheNightOrOneTheNightBeginsInIsTheLast) {
    MatchNight bedtime;
    bedtime.approve(true);
    EXPECT_TRUE(bedtime.due());
    EXPECT_TRUE(bedtime.end(false)) << "approved in the night: the last, whenever it ends";
    EXPECT_FALSE(bedtime.due());

    const std::uint32_t run = bedtime.approve(false);
    EXPECT_FALSE(bedtime.tick(run, false));
    EXPECT_TRUE(bedtime.tick(run, true)) << "the night begins in the match";
    EXPECT_FALSE(bedtime.tick(run, true)) << "said once";
    EXPECT_TRUE(bedtime.end(false));

    const std::uint32_t evening = bedtime.approve(false);
    EXPECT_FALSE(bedtime.end(false));
    EXPECT_FALSE(bedtime.watching(evening)) << "the watch of an ended match watches nothing";
    EXPECT_FALSE(bedtime.tick(evening, true));
    bedtime.approve(false);
    EXPECT_TRUE(bedtime.end(true)) << "in the night at its end, though no tick saw it begin";
    EXPECT_FALSE(bedtime.end(true)) << "no match: nothing to end";
}
