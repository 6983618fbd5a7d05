// A session kept across a restart of the game, for the player who asks for it: the switch, the
// limit mode and the counts come back, so the limit is not one restart away.
#include <gtest/gtest.h>

#include "HostFixture.h"

namespace {

const std::string kExit = "unreal_command exit";

std::string counts(const Sundown& sundown) {
    return std::to_string(sundown.numberOfGamesPlayed) + " played, " +
           std::to_string(sundown.numberOfWins) + " won, " +
           std::to_string(sundown.numberOfLosses) + " lost";
}

// A host whose player keeps the session, with a mode and a limit, and the switch on.
struct KeepingHost : PluginHost {
    KeepingHost(const char* mode, const char* limit) {
        set("keepSessionOnRestart", "1");
        set("enableByNumOption", mode);
        set("numOfGames", limit);
        console("SundownEnableDisable");
    }
};

}  // namespace

TEST(KeptSession, TheSwitchTheModeAndTheCountsComeBackAfterARestart) {
    PluginHost host;
    host.set("numOfGames", "3");
    host.drawPage();
    host.clickOnPage("Keep the session after a restart");
    host.clickOnPage("Lose Count");
    host.clickOnPage("Enable/Disable Quit after games count");
    host.playMatch(Result::Win);
    host.playMatch(Result::Loss);
    host.playMatch(Result::Loss);
    EXPECT_EQ(host.var("savedSession"), "1,1,3,1,2");

    host.restart();
    host.canvasFrame();  // before any page, toggle or match
    EXPECT_EQ(host.statusText(), "Sundown Enabled By: Loss count 3");
    EXPECT_EQ(counts(host.sundown()), "3 played, 1 won, 2 lost");
    EXPECT_EQ(host.var("enableSundown"), "1");
    EXPECT_EQ(host.var("enableByNumOption"), "Lose Count");
    host.drawPage();
    EXPECT_NE(host.pageText().find("Current Games played:3 Wins:1 Losses:2"), std::string::npos);
    EXPECT_NE(host.pageText().find("(x) Lose Count"), std::string::npos);
    EXPECT_NE(host.pageText().find("Current Status: Enabled"), std::string::npos);
}

TEST(KeptSession, OffByDefaultARestartStartsFromNothingWithTheSwitchOff) {
    PluginHost host;
    host.set("numOfGames", "3");
    host.set("enableByNumOption", "Lose Count");
    host.console("SundownEnableDisable");
    host.playMatch(Result::Loss);
    host.playMatch(Result::Loss);
    host.restart();
    host.drawPage();
    EXPECT_EQ(counts(host.sundown()), "0 played, 0 won, 0 lost");
    EXPECT_FALSE(host.sundown().enabled);
    EXPECT_EQ(host.var("savedSession"), "") << "nothing is written while it is off";
    EXPECT_EQ(host.var("numOfGames"), "3") << "what the host saves anyway";
}

TEST(KeptSession, ALimitMetBeforeTheRestartIsMetAgainByTheNextCountedMatch) {
    KeepingHost host("Lose Count", "2");
    host.set("enableHeadsUp", "1");
    host.playMatch(Result::Loss);
    host.playMatch(Result::Loss);
    host.wait(5);
    ASSERT_TRUE(host.world.game().quit());

    host.restart();
    host.startOnlineMatch();  // the first thing after the restart
    host.canvasFrame();
    EXPECT_EQ(host.statusText(), "Sundown: one more loss ends the session");
    host.wait(60);
    host.endMatch(Result::Win);
    host.destroyMatch();
    host.wait(5);
    EXPECT_TRUE(host.world.game().quit()) << "two losses kept meet the limit of two again";
    EXPECT_EQ(counts(host.sundown()), "3 played, 1 won, 2 lost");
}

TEST(KeptSession, AResetClearsTheCountsKept) {
    KeepingHost host("Game Count", "9");
    host.playMatch(Result::Loss);
    host.clickOnPage("Reset Games Count");
    host.drawPage();
    EXPECT_EQ(host.var("savedSession"), "1,0,0,0,0");
    host.restart();
    host.drawPage();
    EXPECT_EQ(counts(host.sundown()), "0 played, 0 won, 0 lost");
    EXPECT_TRUE(host.sundown().enabled);
}

TEST(KeptSession, TurnedOffWhatIsSavedStaysButIsNeitherReadNorWritten) {
    KeepingHost host("Game Count", "9");
    host.playMatch(Result::Win);
    host.drawPage();
    host.clickOnPage("Keep the session after a restart");  // off
    host.playMatch(Result::Loss);
    EXPECT_EQ(host.var("savedSession"), "1,0,1,1,0");
    host.restart();
    host.drawPage();
    EXPECT_EQ(counts(host.sundown()), "0 played, 0 won, 0 lost");
    EXPECT_EQ(host.var("savedSession"), "1,0,1,1,0");

    host.clickOnPage("Keep the session after a restart");  // on: saved at once
    EXPECT_EQ(host.var("savedSession"), "0,0,0,0,0");
}

TEST(KeptSession, AnySavedTextIsReadAsFarAsItGoesAndRewrittenAtTheNextChange) {
    struct Case {
        std::string saved;
        bool enabled;       // the switch before the restore is off
        std::int32_t mode;  // the mode before it is Game Count
        const char* counts;
    };
    const Case cases[] = {
        {"", false, 0, "0 played, 0 won, 0 lost"},
        {"abc", false, 0, "0 played, 0 won, 0 lost"},
        {"-1,5", false, 0, "0 played, 0 won, 0 lost"},
        {"1,7,300,0,0", true, 0, "255 played, 0 won, 0 lost"},
        {"1,2,3", true, 2, "3 played, 0 won, 0 lost"},
        {" 1 , 1 , 4 , x , 2 ", true, 1, "4 played, 0 won, 2 lost"},
        {"0,1,-5,99999999999999999999999,7,extra", false, 1, "0 played, 255 won, 7 lost"},
        {std::string(10'000, '7'), false, 0, "0 played, 0 won, 0 lost"},
        {std::string(5'000, ',') + "1", false, 0, "0 played, 0 won, 0 lost"},
    };
    for (const Case& kept : cases) {
        PluginHost host;
        host.set("keepSessionOnRestart", "1");
        host.world.console().loadSaved("savedSession", kept.saved);
        host.restart();
        host.drawPage();
        const std::string shown = kept.saved.substr(0, 40);
        EXPECT_EQ(host.sundown().enabled, kept.enabled) << shown;
        EXPECT_EQ(host.sundown().selectedOption, kept.mode) << shown;
        EXPECT_EQ(counts(host.sundown()), kept.counts) << shown;
        EXPECT_EQ(host.var("enableSundown"), kept.enabled ? "1" : "0") << shown;

        host.console("SundownEnableDisable");
        EXPECT_EQ(host.var("savedSession"), std::string(kept.enabled ? "0" : "1") + "," +
                                                std::to_string(host.sundown().selectedOption) +
                                                "," +
                                                std::to_string(host.sundown().numberOfGamesPlayed) +
                                                "," + std::to_string(host.sundown().numberOfWins) +
                                                "," + std::to_string(host.sundown().numberOfLosses))
            << shown;
    }
}

TEST(KeptSession, TheMinuteLimitTheHostSavedSurvivesARestart) {
    PluginHost host;
    host.drawPage();
    host.typeOnPage("Quit after # minutes", "30");
    host.restart();
    EXPECT_EQ(host.sundown().maxMinutes, 1);
    host.drawPage();
    EXPECT_EQ(host.sundown().maxMinutes, 30);
    EXPECT_NE(host.pageText().find("{ 30 } Quit after # minutes"), std::string::npos);
}

TEST(KeptSession, AKeptSwitchCountsAgainstTheSavedLimitFromTheFirstMatch) {
    KeepingHost host("Lose Count", "3");
    host.playMatch(Result::Loss);
    host.restart();
    host.playMatch(Result::Win);  // no page drawn, no toggle: the limit is the saved one
    host.wait(5);
    EXPECT_FALSE(host.world.game().quit()) << "one loss of three, not of an empty limit";
    EXPECT_EQ(host.sundown().maxNumberOfGames, 3);
}
