// Reading session scripts, durations and times, and the event log's JSON.
#include <cstdint>
#include <limits>
#include <sstream>

#include <gtest/gtest.h>

#include "Durations.h"
#include "Script.h"
#include "Timeline.h"

namespace {

std::string refusal(const std::string& script) {
    std::istringstream input(script);
    try {
        readScript(input, "story");
    } catch (const ScriptError& error) {
        return error.what();
    }
    return "";
}

}  // namespace

TEST(Durations, ReadEveryUnitAndRefuseTheRest) {
    EXPECT_EQ(parseDuration("250ms"), 250'000);
    EXPECT_EQ(parseDuration("2s"), 2'000'000);
    EXPECT_EQ(parseDuration("1.5s"), 1'500'000);
    EXPECT_EQ(parseDuration("10m"), 600'000'000);
    EXPECT_EQ(parseDuration("1h"), 3'600'000'000);
    for (const char* bad : {"", "s", "5", "-1s", "1e3s", "5 minutes", "1.2.3s", "nans"}) {
        EXPECT_FALSE(parseDuration(bad)) << bad;
    }
    // Longer than the clock counts is as long as it counts.
    EXPECT_EQ(parseDuration("99999999999999h"), std::numeric_limits<std::int64_t>::max());
}

TEST(Durations, TimePointsAndTimestamps) {
    EXPECT_EQ(parseTimePoint("61s"), 61'000'000);
    EXPECT_EQ(parseTimePoint("1:01"), 61'000'000);
    EXPECT_EQ(parseTimePoint("1:01.5"), 61'500'000);
    EXPECT_FALSE(parseTimePoint("1:1"));
    EXPECT_FALSE(parseTimePoint("1:60"));
    EXPECT_FALSE(parseTimePoint("1.5:00"));
    EXPECT_EQ(formatTimestamp(61'000'000), "[  1:01.000]");
    EXPECT_EQ(formatTimestamp(21'600'016'666), "[360:00.016]");
}

TEST(Scripts, WaitsAreRefusedBeyondTheLongestWithItsLength) {
    EXPECT_EQ(refusal("wait 24h\nmatch win 24h\n"), "");
    EXPECT_EQ(refusal("wait 888888h\n"), "story:1: '888888h' is longer than the longest wait, 24h");
    EXPECT_EQ(refusal("wait 86401s\n"), "story:1: '86401s' is longer than the longest wait, 24h");
    EXPECT_EQ(refusal("match loss 25h\n"), "story:1: '25h' is longer than the longest wait, 24h");
}

TEST(Scripts, AByteOrderMarkAndLongWordsAreHandledWithCare) {
    std::istringstream marked("\xEF\xBB\xBFwait 1s\n");
    EXPECT_EQ(readScript(marked, "story").front().words.front(), "wait");
    const std::string huge(5'000'000, 'x');
    const std::string reason = refusal(huge + "\n");
    EXPECT_LT(reason.size(), 120U) << reason.substr(0, 200);
    EXPECT_NE(reason.find("(5000000 characters)"), std::string::npos) << reason;
}

TEST(Scripts, CommentsQuotesAndBlankLines) {
    std::istringstream input(
        "# a comment\n\n  command \"SundownEnableDisable # not a comment\"  # a comment\n");
    const auto lines = readScript(input, "story");
    ASSERT_EQ(lines.size(), 1U);
    EXPECT_EQ(lines[0].number, 3);
    EXPECT_EQ(lines[0].words,
              (std::vector<std::string>{"command", "SundownEnableDisable # not a comment"}));
}

TEST(Scripts, BadLinesAreRefusedWithTheirPlaceAndReason) {
    EXPECT_EQ(refusal("wait 1s\nfly away\n"), "story:2: unknown verb 'fly'");
    EXPECT_EQ(refusal("match draw\n"), "story:1: a match ends in win, loss or none, not 'draw'");
    EXPECT_EQ(refusal("match win online 5 minutes\n"),
              "story:1: '5' is not a duration (250ms, 2s, 1.5s, 10m, 1h)");
    EXPECT_EQ(refusal("match win 5m goals\n"),
              "story:1: usage: match win|loss|none [online|offline] [DURATION] [goals N]");
    EXPECT_EQ(refusal("match win goals 101\n"),
              "story:1: goals takes a whole number from 0 to 100, not '101'");
    EXPECT_EQ(refusal("expect command exit at noon\n"),
              "story:1: 'noon' is not a time (61s, 1:01, 1:01.5)");
    EXPECT_EQ(refusal("expect overlay \"x\" faded\n"),
              "story:1: the status line is visible or hidden, not 'faded'");
    EXPECT_EQ(refusal("click Set Bind\n"), "story:1: a number field's step buttons are + and -");
    EXPECT_EQ(refusal("expect\n"),
              "story:1: usage: "
              "expect quit|running|command|no-command|var|bind|log|overlay|no-overlay|page");
    EXPECT_EQ(refusal("show everything\n"), "story:1: usage: show settings|overlay|vars");
}

TEST(EventLog, WritesEveryEventWithItsFieldsAndWhoCausedIt) {
    EXPECT_EQ(toJson({61'000'000, "command", "unreal_command exit", "log", "plugin"}),
              "{\"t\":61.000000,\"type\":\"command\",\"by\":\"plugin\","
              "\"text\":\"unreal_command exit\",\"log\":true}");
    EXPECT_EQ(toJson({0, "command", "SundownEnableDisable", "", "key"}),
              "{\"t\":0.000000,\"type\":\"command\",\"by\":\"key\","
              "\"text\":\"SundownEnableDisable\",\"log\":false}");
    EXPECT_EQ(toJson({500'000, "overlay", "say \"hi\"\\", "255", "plugin"}),
              "{\"t\":0.500000,\"type\":\"overlay\",\"by\":\"plugin\","
              "\"text\":\"say \\\"hi\\\"\\\\\",\"alpha\":255}");
    EXPECT_EQ(toJson({0, "var", "numOfGames", "1", "plugin", "0"}),
              "{\"t\":0.000000,\"type\":\"var\",\"by\":\"plugin\",\"name\":\"numOfGames\","
              "\"value\":\"1\",\"written\":\"0\"}");
    EXPECT_EQ(toJson({0, "story", "you press F5", "", "script"}),
              "{\"t\":0.000000,\"type\":\"story\",\"by\":\"script\",\"text\":\"you press F5\"}");
    EXPECT_EQ(toJson({0, "game", "ended", "win", "game"}),
              "{\"t\":0.000000,\"type\":\"game\",\"by\":\"game\",\"what\":\"ended\","
              "\"detail\":\"win\"}");
    EXPECT_EQ(toJson({0, "quit", "", "", "game"}),
              "{\"t\":0.000000,\"type\":\"quit\",\"by\":\"game\"}");
}

TEST(EventLog, AnyBytesMakeValidJson) {
    // UTF-8 is kept whole; stray bytes, cut sequences, overlong forms and surrogates are not.
    EXPECT_EQ(toJson({0, "log", "caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x8E\xAE", "", "plugin"}),
              "{\"t\":0.000000,\"type\":\"log\",\"by\":\"plugin\","
              "\"text\":\"caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x8E\xAE\"}");
    EXPECT_EQ(toJson({0, "log", "\xFF\xC3 \xC0\xAF \xED\xA0\x80 \xE2\x82", "", "plugin"}),
              "{\"t\":0.000000,\"type\":\"log\",\"by\":\"plugin\","
              "\"text\":\"\\ufffd\\ufffd \\ufffd\\ufffd \\ufffd\\ufffd\\ufffd \\ufffd\\ufffd\"}");
    EXPECT_EQ(toJson({0, "log", std::string("a\x01\n\tb\0c", 7), "", "plugin"}),
              "{\"t\":0.000000,\"type\":\"log\",\"by\":\"plugin\","
              "\"text\":\"a\\u0001\\n\\tb\\u0000c\"}");
}
