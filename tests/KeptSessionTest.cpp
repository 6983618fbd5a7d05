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
    // The kept losses meet the limit already: a win ends the session as well as a loss.
    EXPECT_EQ(host.statusText(), "Sundown: last game");
    host.wait(60);
    host.endMatch(Result::Win);
    host.destroyMatch();
    host.wait(5);
    EXPECT_TRUE(host.world.game().quit()) << "two losses kept meet the limit of two again";
    EXPECT_EQ(counts(host.sundown()), "3 played, 1 won, 2 lost");
}

TEST(KeptSession, KeptLossesOneShortOfTheLimitWarnOfOneMoreLoss) {
    KeepingHost host("Lose Count", "2");
    host.set("enableHeadsUp", "1");
    host.playMatch(Result::Loss);

    host.restart();
    host.startOnlineMatch();  // the first thing after the restart
    host.canvasFrame();
    EXPECT_EQ(host.statusText(), "Sundown: one more loss ends the session");
    host.wait(60);
    host.endMatch(Result::Win);
    host.destroyMatch();
    host.wait(5);
    EXPECT_FALSE(host.world.game().quit()) << "a win leaves one loss kept of two";
    EXPECT_EQ(counts(host.sundown()), "2 played, 1 won, 1 lost");
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

TEST(KeptSession, TurnedOffWhatIsSavedStaysUntilAChangeButIsNotRead) {
    KeepingHost host("Game Count", "9");
    host.playMatch(Result::Win);
    host.drawPage();
    host.set("keepSessionOnRestart", "0");  // off at the console: nothing changes yet
    EXPECT_EQ(host.var("savedSession"), "1,0,1,1,0");
    host.restart();
    host.drawPage();
    EXPECT_EQ(counts(host.sundown()), "0 played, 0 won, 0 lost");
    EXPECT_EQ(host.var("savedSession"), "1,0,1,1,0");
}

TEST(KeptSession, TurnedOffAChangeEmptiesWhatWasSavedSoItNeverComesBack) {
    KeepingHost host("Game Count", "9");
    host.playMatch(Result::Win);
    host.drawPage();
    EXPECT_EQ(host.var("savedSession"), "1,0,1,1,0");
    host.clickOnPage("Keep the session after a restart");  // off
    host.playMatch(Result::Loss);
    EXPECT_EQ(host.var("savedSession"), "");
    host.restart();
    host.drawPage();
    EXPECT_EQ(counts(host.sundown()), "0 played, 0 won, 0 lost");

    host.clickOnPage("Keep the session after a restart");  // on: saved at once
    EXPECT_EQ(host.var("savedSession"), "0,0,0,0,0");
}

TEST(KeptSession, TurnedOnAtTheConsoleItSavesAtOnceAndAnOlderSessionNeverComesBack) {
    KeepingHost host("Lose Count", "9");
    host.playMatch(Result::Loss);
    host.playMatch(Result::Loss);
    EXPECT_EQ(host.var("savedSession"), "1,1,2,0,2");
    host.set("keepSessionOnRestart", "0");
    host.console("resetGamesCount");
    EXPECT_EQ(host.var("savedSession"), "") << "the older session is emptied";
    host.playMatch(Result::Loss);
    host.set("keepSessionOnRestart", "1");
    host.restart();
    host.drawPage();
    EXPECT_NE(host.pageText().find("Current Games played:0 Wins:0 Losses:0"), std::string::npos)
        << host.pageText();

    // Seen on within a second after it was off, at the next canvas frame of a new second of the
    // wall clock: the session as it stands is saved then.
    host.set("keepSessionOnRestart", "0");
    host.console("SundownEnableDisable");
    host.playMatch(Result::Loss);
    host.set("keepSessionOnRestart", "1");
    EXPECT_EQ(host.var("savedSession"), "") << "nothing has looked yet";
    host.canvasFrame();
    EXPECT_EQ(host.var("savedSession"), "1,0,1,0,1");
    host.startOnlineMatch();
    EXPECT_EQ(host.var("savedSession"), "1,0,1,0,1");
}

TEST(KeptSession, NeverTurnedOnNothingIsWritten) {
    PluginHost host;
    host.set("numOfGames", "9");
    host.console("SundownEnableDisable");
    host.playMatch(Result::Loss);
    host.console("resetGamesCount");
    host.drawPage();
    host.clickOnPage("Lose Count");
    for (const RecordedEvent& event : host.world.events().ofType("var")) {
        EXPECT_NE(event.first, "savedSession");
    }
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

TEST(KeptSession, WhiteSpaceAroundANumberIsIgnoredAndChoicesOutOfRangeAreLeftAsTheyAre) {
    struct Case {
        std::string saved;
        bool enabled;
        std::int32_t mode;
        const char* counts;
        int streak;
    };
    const Case cases[] = {
        {"1,1,3,1,2\r", true, 1, "3 played, 1 won, 2 lost", 0},
        {"1\t,\t1,3,1,2,2\r\n", true, 1, "3 played, 1 won, 2 lost", 2},
        {"1,1,3,1,2,\t4 ", true, 1, "3 played, 1 won, 2 lost", 4},
        {"2,3,5,1,4,9", false, 0, "5 played, 1 won, 4 lost", 9},
        {"1,2,1,0,1,300", true, 2, "1 played, 0 won, 1 lost", 255},
        {"1,2,1,0,1,x", true, 2, "1 played, 0 won, 1 lost", 0},
    };
    for (const Case& kept : cases) {
        PluginHost host;
        host.set("keepSessionOnRestart", "1");
        host.restartWithSaved("savedSession", kept.saved);
        host.drawPage();
        EXPECT_EQ(host.sundown().enabled, kept.enabled) << kept.saved;
        EXPECT_EQ(host.sundown().selectedOption, kept.mode) << kept.saved;
        EXPECT_EQ(counts(host.sundown()), kept.counts) << kept.saved;
        EXPECT_EQ(host.sundown().lossStreak.count(), kept.streak) << kept.saved;
        EXPECT_NE(host.pageText().find(std::string("(x) ") + (kept.mode == 0   ? "Game Count"
                                                              : kept.mode == 1 ? "Lose Count"
                                                                               : "Win-Lose Ratio")),
                  std::string::npos)
            << kept.saved;
    }
}

TEST(KeptSession, ASwitchOrModeSetAtTheConsoleIsSavedWhenThePageSeesIt) {
    KeepingHost host("Game Count", "9");
    host.drawPage();
    host.set("enableByNumOption", "Win-Lose Ratio");
    EXPECT_EQ(host.var("savedSession"), "1,0,0,0,0") << "not before the page has seen it";
    host.drawPage();
    EXPECT_EQ(host.var("savedSession"), "1,2,0,0,0");
    host.set("enableSundown", "0");
    host.drawPage();
    EXPECT_EQ(host.var("savedSession"), "0,2,0,0,0");
}

TEST(KeptSession, AToggleAsTheFirstThingAfterARestartTogglesTheRestoredSwitch) {
    KeepingHost host("Lose Count", "3");
    host.playMatch(Result::Loss);
    host.restart();
    host.console("SundownEnableDisable");  // before any frame, page or match
    EXPECT_FALSE(host.sundown().enabled) << "the restored switch was on";
    EXPECT_EQ(host.sundown().numberOfLosses, 1);
    EXPECT_EQ(host.var("savedSession"), "0,1,1,0,1");
}

TEST(KeptSession, ARestoredSwitchShowsOnTheEnableButtonAsAToggleWould) {
    KeepingHost host("Game Count", "9");
    host.restart();
    host.canvasFrame();
    const ImVec4 green = ImColor::HSV(2.0F / 7.0F, 0.6F, 0.6F, 1.0F);
    const ImVec4 shown = host.sundown().enableButtonColor;
    EXPECT_EQ(shown.x, green.x);
    EXPECT_EQ(shown.y, green.y);
    EXPECT_EQ(shown.z, green.z);

    host.console("SundownEnableDisable");
    host.restart();
    host.canvasFrame();
    const ImVec4 blue = ImColor::HSV(4.0F / 7.0F, 0.6F, 0.6F, 1.0F);
    EXPECT_EQ(host.sundown().enableButtonColor.z, blue.z);
}

TEST(KeptSession, AResetAsTheFirstThingAfterARestartKeepsTheRestoredSwitch) {
    KeepingHost host("Lose Count", "3");
    host.playMatch(Result::Loss);
    host.restart();
    host.console("resetGamesCount");  // before any frame, page or match
    EXPECT_TRUE(host.sundown().enabled) << "the restored switch was on";
    EXPECT_EQ(host.sundown().numberOfLosses, 0);
    EXPECT_EQ(host.var("savedSession"), "1,1,0,0,0");
}

TEST(KeptSession, KeptWithNothingSavedTheFirstLookWritesNothing) {
    PluginHost host;
    host.world.console().loadSaved("lossStreakLimit", "3");
    host.restartWithSaved("keepSessionOnRestart", "1");
    host.canvasFrame();
    host.wait(3);
    host.canvasFrame();
    EXPECT_EQ(host.var("savedSession"), "") << "no session of zeros";
}

TEST(KeptSession, AStreakLimitSetAtTheConsoleKeepsTheStreakAcrossARestartASecondLater) {
    KeepingHost host("Game Count", "9");
    host.playMatch(Result::Loss);
    host.playMatch(Result::Loss);
    host.set("lossStreakLimit", "3");
    host.canvasFrame();
    host.wait(1.5);
    host.restart();
    host.canvasFrame();
    EXPECT_EQ(host.sundown().lossStreak.count(), 2);
    host.playMatch(Result::Loss);
    host.wait(5);
    EXPECT_TRUE(host.world.game().quit()) << "the third loss in a row";
}
