// The settings page, driven through the host's Dear ImGui with a player's mouse and keys.
#include <imgui.h>
#include <imgui_internal.h>

#include <gtest/gtest.h>

#include "HostFixture.h"
#include "HostTestAccess.h"

namespace {

bool shows(PluginHost& host, const std::string& text) {
    return host.pageText().find(text) != std::string::npos;
}

// What the plug-in itself wrote into `variable`, in order.
std::vector<std::string> writesOf(const PluginHost& host, const std::string& variable) {
    std::vector<std::string> values;
    for (const auto& event : host.world.events().ofType("var")) {
        if (event.first == variable && event.by == "plugin") {
            values.push_back(event.second);
        }
    }
    return values;
}

}  // namespace

TEST(SettingsPage, DrawsEveryRowInItsPlace) {
    PluginHost host;
    host.drawPage();
    EXPECT_EQ(host.pageText(),
              "Sundown plugin settings\n"
              "[ Enable/Disable Quit after games count ] Select option:\n"
              "(x) Game Count ( ) Lose Count ( ) Win-Lose Ratio\n"
              "{ 1 } [ - ] [ + ] Quit after # games\n"
              "[ Reset Games Count ] Current Games played:0 Wins:0 Losses:0\n"
              "[ Set Bind ] Current Status: Disabled\n"
              "{ F5 }\n"
              "Enable Quit by time (minutes)\n"
              "{ 1 } Quit after # minutes\n"
              "[ Start/Stop ] Elapsed time: 0:0\n"
              "--------------------------------\n"
              "\n"
              "[ ] Heads-up before quitting\n"
              "[ ] Keep the session after a restart\n"
              "{ 0 } [ - ] [ + ] Quit after # losses in a row\n"
              "Losses in a row: 0\n"
              "{ 0 } Online minutes a day\n"
              "{ 0 } Online matches a day\n"
              "{ 4 } Day starts at hour\n"
              "Today: matches 0, minutes 0\n"
              "{ } Bedtime (HH:MM)\n"
              "Bedtime: none\n"
              "[ ] Keep a history of online play");
    EXPECT_EQ(host.world.liveObjects(),
              static_cast<std::int64_t>(host.world.console().variableNames().size()))
        << "the page keeps no variable wrapper";
}

TEST(SettingsPage, AMissingVariableLeavesTheTitleAloneAndTouchesNothing) {
    PluginHost host;
    host.set("enableSundown", "1");
    HostTestAccess::forget(host.world.console(), "numOfMinutes");
    host.drawPage(3);
    EXPECT_EQ(host.pageText(), "Sundown plugin settings");
    EXPECT_FALSE(host.sundown().enabled);
    EXPECT_EQ(host.sundown().maxNumberOfGames, 0);
}

TEST(SettingsPage, ConsoleVariablesFlowIntoThePluginAtEveryDrawing) {
    PluginHost host;
    host.set("enableSundown", "1");
    host.set("numOfGames", "7");
    host.set("enableByNumOption", "Lose Count");
    host.drawPage();
    EXPECT_TRUE(host.sundown().enabled);
    EXPECT_EQ(host.sundown().maxNumberOfGames, 7);
    EXPECT_EQ(host.sundown().selectedOption, 1);
    EXPECT_TRUE(shows(host, "( ) Game Count (x) Lose Count ( ) Win-Lose Ratio"));
    EXPECT_TRUE(shows(host, "Current Status: Enabled"));
    // The button's colour changes only through the toggle: still blue.
    EXPECT_NEAR(host.sundown().enableButtonColor.z, 0.600, 0.0005);

    host.set("enableByNumOption", "lose count");
    host.sundown().selectedOption = 2;
    host.drawPage();
    EXPECT_EQ(host.sundown().selectedOption, 2) << "a label in another case changes nothing";
    host.set("enableByNumOption", "0");
    host.drawPage();
    EXPECT_EQ(host.sundown().selectedOption, 2);
}

TEST(SettingsPage, AGameLimitOutsideAByteSaturates) {
    PluginHost host;
    host.set("numOfGames", "300");
    host.drawPage();
    EXPECT_EQ(host.sundown().maxNumberOfGames, 255);
    EXPECT_TRUE(shows(host, "{ 255 } [ - ] [ + ] Quit after # games"));
}

TEST(SettingsPage, StepButtonsHoldTheLimitWithinAByteAndAlwaysSave) {
    PluginHost host;
    host.set("numOfGames", "255");
    host.drawPage();
    host.clickOnPage("Quit after # games", '+');
    EXPECT_EQ(writesOf(host, "numOfGames"), std::vector<std::string>{"255"});
    host.clickOnPage("Quit after # games", '-');
    host.clickOnPage("Quit after # games", '-');
    EXPECT_EQ(writesOf(host, "numOfGames"), (std::vector<std::string>{"255", "254", "253"}));
    EXPECT_EQ(host.var("numOfGames"), "253");

    host.set("numOfGames", "1");
    host.drawPage();
    host.clickOnPage("Quit after # games", '-');
    // The page saves 0; the variable's own minimum keeps 1.
    EXPECT_EQ(host.var("numOfGames"), "1");
    EXPECT_TRUE(shows(host, "{ 1 } [ - ] [ + ]"));
}

TEST(SettingsPage, ATypedGameLimitIsSaved) {
    PluginHost host;
    host.drawPage();
    host.typeOnPage("Quit after # games", "12");
    EXPECT_EQ(host.var("numOfGames"), "12");
    EXPECT_EQ(host.sundown().maxNumberOfGames, 12);
    host.typeOnPage("Quit after # games", "999");
    EXPECT_EQ(host.var("numOfGames"), "255");
}

TEST(SettingsPage, RadioButtonsSaveTheirLabelEvenWhenAlreadyChosen) {
    PluginHost host;
    host.drawPage();
    host.clickOnPage("Win-Lose Ratio");
    EXPECT_EQ(host.sundown().selectedOption, 2);
    EXPECT_EQ(host.var("enableByNumOption"), "Win-Lose Ratio");
    host.clickOnPage("Win-Lose Ratio");
    EXPECT_EQ(writesOf(host, "enableByNumOption").size(), 2U);
    host.clickOnPage("Game Count");
    EXPECT_TRUE(shows(host, "(x) Game Count ( ) Lose Count ( ) Win-Lose Ratio"));
}

TEST(SettingsPage, TheEnableButtonTogglesAndTheStatusFollowsInTheSameDrawing) {
    PluginHost host;
    host.drawPage();
    const std::string drawing =
        host.clickAndReadThatDrawing("Enable/Disable Quit after games count");
    EXPECT_NE(drawing.find("Current Status: Enabled"), std::string::npos) << drawing;
    EXPECT_TRUE(host.sundown().enabled);
    EXPECT_EQ(host.var("enableSundown"), "1");
    EXPECT_NEAR(host.sundown().enableButtonColor.x, 0.343, 0.0005);
    host.canvasFrame();
    EXPECT_EQ(host.statusText(), "Sundown Enabled By: Game count 1");
    EXPECT_EQ(host.statusAlpha(), 255.0F);

    const std::string again = host.clickAndReadThatDrawing("Enable/Disable Quit after games count");
    EXPECT_NE(again.find("Current Status: Disabled"), std::string::npos) << again;
}

TEST(SettingsPage, StartStopShowsTheElapsedTimeInTheSameDrawing) {
    PluginHost host;
    host.set("numOfMinutes", "5");
    host.drawPage();
    host.sundown().secondsElapsed = 42;  // what a stopped timer would never show
    const std::string started = host.clickAndReadThatDrawing("Start/Stop");
    EXPECT_NE(started.find("Elapsed time: 0:0"), std::string::npos) << started;
    EXPECT_TRUE(host.sundown().timerRunning);
    host.wait(75);
    EXPECT_TRUE(shows(host, "Elapsed time: 1:15"));

    const std::string stopped = host.clickAndReadThatDrawing("Start/Stop");
    EXPECT_NE(stopped.find("Elapsed time: 0:0"), std::string::npos) << stopped;
    EXPECT_FALSE(host.sundown().timerRunning);
    host.wait(10);
    EXPECT_TRUE(shows(host, "Elapsed time: 0:0"));
    EXPECT_FALSE(host.world.game().quit());
}

TEST(SettingsPage, AOneMinuteLimitQuitsOnThe61stSecond) {
    PluginHost host;
    host.drawPage();
    host.pressStartStop();
    host.wait(60);
    EXPECT_TRUE(shows(host, "Elapsed time: 1:0"));
    EXPECT_FALSE(host.world.game().quit());
    host.wait(1);
    EXPECT_TRUE(host.world.game().quit());
}

TEST(SettingsPage, TheMinuteSliderSavesLimitsOfOneOrMore) {
    PluginHost host;
    host.drawPage();
    host.typeOnPage("Quit after # minutes", "45");
    EXPECT_EQ(host.sundown().maxMinutes, 45);
    EXPECT_EQ(host.var("numOfMinutes"), "45");
    host.typeOnPage("Quit after # minutes", "0");
    EXPECT_EQ(host.sundown().maxMinutes, 0);
    EXPECT_EQ(host.var("numOfMinutes"), "45");
    EXPECT_TRUE(shows(host, "{ 0 } Quit after # minutes"));
}

TEST(SettingsPage, TheSavedMinuteLimitSurvivesAReload) {
    PluginHost host;
    host.set("numOfMinutes", "30");
    EXPECT_EQ(host.sundown().maxMinutes, 1);
    host.drawPage();
    EXPECT_EQ(host.sundown().maxMinutes, 30);
    host.set("numOfMinutes", "50");
    host.drawPage();
    EXPECT_EQ(host.sundown().maxMinutes, 30) << "only the first drawing reads it";
}

TEST(SettingsPage, ResetGamesCountAsksTheHostAndTheCountsGoToZero) {
    PluginHost host;
    host.set("enableSundown", "1");
    host.set("numOfGames", "50");
    host.drawPage();
    host.playMatch(Result::Win);
    host.playMatch(Result::Loss);
    host.drawPage();
    EXPECT_TRUE(shows(host, "Current Games played:2 Wins:1 Losses:1"));
    host.clickOnPage("Reset Games Count");
    host.drawPage();
    EXPECT_EQ(host.pluginCommands(), std::vector<std::string>{"resetGamesCount"});
    EXPECT_TRUE(shows(host, "Current Games played:0 Wins:0 Losses:0"));
}

TEST(KeyBinding, SetBindBindsTheTypedKeyAndSaysSoEachTime) {
    PluginHost host;
    host.drawPage();
    host.clickOnPage("Set Bind");
    EXPECT_EQ(host.pluginCommands().size(), 0U);
    host.drawPage();  // the host runs what the page handed it on its next frame
    EXPECT_EQ(host.world.console().boundTo("F5"), "SundownEnableDisable");
    host.clickOnPage("Set Bind");
    host.drawPage();
    const auto lines = host.logLines();
    ASSERT_EQ(lines.size(), 2U);
    EXPECT_EQ(lines[0], "New key bind set : F5 -> SundownEnableDisable");
    EXPECT_EQ(lines[1], lines[0]);
    EXPECT_EQ(host.world.events().ofType("bind").size(), 2U);

    host.world.console().press("F5");
    EXPECT_TRUE(host.sundown().enabled);
}

TEST(KeyBinding, AnEmptyKeyNameIsBoundAsIs) {
    PluginHost host;
    host.drawPage();
    host.typeOnPage("##KeyBindInput", "");
    EXPECT_TRUE(shows(host, "\n{ }\n")) << host.pageText();
    host.clickOnPage("Set Bind");
    host.drawPage();
    EXPECT_EQ(host.logLines(),
              std::vector<std::string>{"New key bind set :  -> SundownEnableDisable"});
    EXPECT_EQ(host.world.events().ofType("bind").back().first, "");
}

TEST(KeyBinding, TheFieldHoldsAtMost199Characters) {
    PluginHost host;
    host.drawPage();
    const std::string longest(199, 'K');
    host.typeOnPage("##KeyBindInput", longest + "overflow");
    host.clickOnPage("Set Bind");
    host.drawPage();
    EXPECT_EQ(host.world.events().ofType("bind").back().first, longest);

    host.typeOnPage("##KeyBindInput", "F9");
    host.clickOnPage("Set Bind");
    host.drawPage();
    EXPECT_EQ(host.world.console().boundTo("F9"), "SundownEnableDisable");
}

TEST(KeyBinding, AReloadStartsAgainFromF5) {
    {
        PluginHost host;
        host.drawPage();
        host.typeOnPage("##KeyBindInput", "F9");
        EXPECT_TRUE(shows(host, "{ F9 }"));
    }
    PluginHost reloaded;
    reloaded.drawPage();
    EXPECT_TRUE(shows(reloaded, "{ F5 }"));
}

TEST(ImGuiContexts, ThePageDrawsIntoTheHostContextThroughItsOwnCurrentContext) {
    PluginHost host;
    host.drawPage();
    ImGuiContext* hostContext = host.settings().context();
    ImGuiContext* elsewhere = ImGui::CreateContext();

    ImGui::SetCurrentContext(hostContext);
    ImGui::NewFrame();
    ImGui::Begin("probe");
    ImGui::LogToBuffer();
    // The host's own copy of Dear ImGui now points elsewhere; the plug-in's does not follow.
    ImGui::SetCurrentContext(elsewhere);
    host.loaded->settings()->DrawSettings();
    ImGui::SetCurrentContext(hostContext);
    const std::string drawn(hostContext->LogBuffer.begin(), hostContext->LogBuffer.end());
    ImGui::LogFinish();
    ImGui::End();
    ImGui::Render();
    ImGui::DestroyContext(elsewhere);

    EXPECT_NE(drawn.find("Sundown plugin settings"), std::string::npos);
    EXPECT_NE(drawn.find("[ Start/Stop ] Elapsed time: 0:0"), std::string::npos);
}

TEST(ImGuiContexts, AReplacedOrResizedContextStillDrawsThePage) {
    PluginHost host;
    host.drawPage();
    host.settings().resize(320.0F, 200.0F);
    host.drawPage();
    host.settings().replaceContext(*host.loaded->settings());
    host.drawPage();
    host.clickOnPage("Lose Count");
    EXPECT_EQ(host.sundown().selectedOption, 1);
}

// The validator's window is never seen: it must place and work the page exactly as a seen one,
// while making nothing that only a screen would show. One host at a time: the plug-in's library,
// loaded once, follows the context it was last handed.
TEST(ImGuiContexts, AWindowDrawnForNoScreenWorksThePageAsASeenOneDoes) {
    struct Played {
        std::string text;
        ImVec2 contentSize;
        int shownVertices;  // of a colour a screen would show, other than the page's own buttons
    };
    const auto play = [](PluginHost& host) {
        host.clickOnPage("Lose Count");
        host.clickOnPage("Quit after # games", '+');
        host.typeOnPage("Quit after # minutes", "5");
        host.clickOnPage("Enable/Disable Quit after games count");
        host.clickOnPage("Heads-up before quitting");
        ImGui::SetCurrentContext(host.settings().context());
        const ImGuiWindow* window = ImGui::FindWindowByName("Plugins##settings");
        const ImU32 pageColors[] = {ImGui::GetColorU32(host.sundown().enableButtonColor),
                                    ImGui::GetColorU32(host.sundown().timerButtonColor)};
        int shown = 0;
        for (const ImDrawVert& vertex : window->DrawList->VtxBuffer) {
            shown += (vertex.col & IM_COL32_A_MASK) != 0 && vertex.col != pageColors[0] &&
                     vertex.col != pageColors[1];
        }
        return Played{host.pageText(), window->ContentSize, shown};
    };
    Played seen;
    {
        PluginHost host;
        seen = play(host);
    }
    PluginHost host;
    host.settings().drawForNoScreen();
    const Played unseen = play(host);

    EXPECT_EQ(unseen.text, seen.text);
    EXPECT_EQ(host.sundown().selectedOption, 1);
    EXPECT_EQ(host.sundown().maxNumberOfGames, 2);
    EXPECT_EQ(host.sundown().maxMinutes, 5);
    EXPECT_TRUE(host.sundown().enabled);
    EXPECT_EQ(host.var("enableHeadsUp"), "1");
    EXPECT_EQ(unseen.contentSize.x, seen.contentSize.x);
    EXPECT_EQ(unseen.contentSize.y, seen.contentSize.y);
    EXPECT_GT(seen.shownVertices, 0);
    EXPECT_EQ(unseen.shownVertices, 0);

    // A context the host rebuilds is drawn for no screen too.
    host.settings().replaceContext(*host.loaded->settings());
    host.clickOnPage("Win-Lose Ratio");
    EXPECT_EQ(host.sundown().selectedOption, 2);
    EXPECT_EQ(play(host).shownVertices, 0);
}
