// What onLoad connects to the host, in its order, and what it leaves alone.
#include <gtest/gtest.h>

#include "HostFixture.h"

TEST(StartupWiring, RegistersEverythingInItsOrder) {
    PluginHost host;
    std::vector<std::string> order;
    for (const auto& event : host.world.events().ofType("register")) {
        order.push_back(event.first + " " + event.second);
    }
    const std::vector<std::string> expected = {
        "drawable ",
        "cvar enableSundown",
        "cvar enableByNumOption",
        "cvar numOfGames",
        "cvar enableByMinutes",
        "cvar numOfMinutes",
        "cvar enableHeadsUp",
        "cvar keepSessionOnRestart",
        "cvar savedSession",
        "cvar lossStreakLimit",
        "cvar dailyMinutes",
        "cvar dailyMatches",
        "cvar dayStartsAt",
        "cvar savedDay",
        "cvar bedtime",
        "cvar keepHistory",
        "cvar savedHistory",
        "cvar minutesByWeekday",
        "cvar matchesByWeekday",
        "cvar weeklyMinutes",
        "cvar weeklyMatches",
        "cvar savedLock",
        "hook Function GameEvent_Soccar_TA.Active.StartRound",
        "hook Function TAGame.GameEvent_Soccar_TA.EventMatchEnded",
        "hook Function TAGame.GameEvent_Soccar_TA.Destroyed",
        "hook Function TAGame.GameEvent_TA.Destroyed",
        "notifier SundownEnableDisable",
        "notifier resetGamesCount",
    };
    EXPECT_EQ(order, expected);
    EXPECT_EQ(host.world.clock().pending(), 0U);
    EXPECT_EQ(host.world.events().ofType("var").size(), 0U);
}

TEST(StartupWiring, RegistersTheVariablesWithTheirLimits) {
    PluginHost host;
    struct Expected {
        const char* name;
        const char* value;
        const char* description;
        bool listed;
        bool useMin;
        float minimum;
        bool useMax;
        float maximum;
        bool persist;
    };
    const Expected expected[] = {
        {"enableSundown", "0", "enableSundownByCount", true, true, 0.0F, true, 1.0F, false},
        {"enableByNumOption", "0", "enableByNumOption", true, true, 0.0F, true, 2.0F, false},
        {"numOfGames", "1", "How many games before quitting", true, true, 1.0F, false, 50.0F, true},
        {"enableByMinutes", "0", "enableSundownByMinutes", true, true, 0.0F, true, 1.0F, false},
        {"numOfMinutes", "1", "How many minutes before quitting", true, true, 1.0F, false, 360.0F,
         true},
        {"enableHeadsUp", "0", "Show a heads-up before quitting", true, true, 0.0F, true, 1.0F,
         true},
        {"keepSessionOnRestart", "0", "Keep the session after a restart", true, true, 0.0F, true,
         1.0F, true},
        {"savedSession", "", "Session kept across restarts", false, false, 0.0F, false, 0.0F, true},
        {"lossStreakLimit", "0", "Quit after # losses in a row (0: off)", true, true, 0.0F, true,
         255.0F, true},
        {"dailyMinutes", "0", "Online minutes a day (0: no limit)", true, true, 0.0F, true, 1440.0F,
         true},
        {"dailyMatches", "0", "Online matches a day (0: no limit)", true, true, 0.0F, true, 255.0F,
         true},
        {"dayStartsAt", "4", "Hour the day starts", true, true, 0.0F, true, 23.0F, true},
        {"savedDay", "", "Today's online play", false, false, 0.0F, false, 0.0F, true},
        {"bedtime", "", "Bedtime, HH:MM (empty: none)", true, false, 0.0F, false, 0.0F, true},
        {"keepHistory", "0", "Keep a history of online play", true, true, 0.0F, true, 1.0F, true},
        {"savedHistory", "", "Online play by day", false, false, 0.0F, false, 0.0F, true},
        {"minutesByWeekday", "", "Online minutes a day, Monday to Sunday", true, false, 0.0F, false,
         0.0F, true},
        {"matchesByWeekday", "", "Online matches a day, Monday to Sunday", true, false, 0.0F, false,
         0.0F, true},
        {"weeklyMinutes", "0", "Online minutes a week (0: no limit)", true, true, 0.0F, true,
         10080.0F, true},
        {"weeklyMatches", "0", "Online matches a week (0: no limit)", true, true, 0.0F, true,
         2000.0F, true},
        {"savedLock", "", "Limits locked until the day ends", false, false, 0.0F, false, 0.0F,
         true},
    };
    for (const Expected& want : expected) {
        const ConsoleVariable* variable = host.world.console().variable(want.name);
        ASSERT_NE(variable, nullptr) << want.name;
        const VariableRegistration& got = variable->registration();
        EXPECT_EQ(got.defaultValue, want.value) << want.name;
        EXPECT_EQ(got.description, want.description) << want.name;
        EXPECT_EQ(got.listed, want.listed) << want.name;
        EXPECT_EQ(got.useMin, want.useMin) << want.name;
        EXPECT_EQ(got.minimum, want.minimum) << want.name;
        EXPECT_EQ(got.useMax, want.useMax) << want.name;
        EXPECT_EQ(got.maximum, want.maximum) << want.name;
        EXPECT_EQ(got.persist, want.persist) << want.name;
    }
}

TEST(StartupWiring, ASavedSwitchDoesNotCountUntilThePageOrTheToggleRuns) {
    PluginHost host;
    host.set("enableSundown", "1");
    host.playMatch(Result::Loss);
    EXPECT_EQ(host.sundown().numberOfGamesPlayed, 0);
    EXPECT_TRUE(host.pluginCommands().empty());
}

TEST(StartupWiring, BothDestroyedHooksReachTheMatchHandler) {
    for (const std::string& hook :
         {gameFunction::kSoccarDestroyed, gameFunction::kEventDestroyed}) {
        PluginHost host;
        host.sundown().enabled = true;
        host.sundown().maxNumberOfGames = 9;
        host.startOnlineMatch();
        host.world.fireHook(hook);
        EXPECT_EQ(host.sundown().numberOfGamesPlayed, 1) << hook;
    }
}

TEST(StartupWiring, TheResetCommandSetsTheCountsToZero) {
    PluginHost host;
    host.sundown().enabled = true;
    host.sundown().maxNumberOfGames = 9;
    host.playMatch(Result::Win);
    host.playMatch(Result::Loss);
    host.console("resetGamesCount");
    EXPECT_EQ(host.sundown().numberOfGamesPlayed, 0);
    EXPECT_EQ(host.sundown().numberOfWins, 0);
    EXPECT_EQ(host.sundown().numberOfLosses, 0);
    EXPECT_TRUE(host.sundown().enabled);
}
