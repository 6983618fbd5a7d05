// The master switch through its notifier, and the status line on the canvas.
#include <gtest/gtest.h>

#include "HostFixture.h"

TEST(StatusLine, DrawnInvisibleOnEveryFrameBeforeAnyToggle) {
    PluginHost host;
    host.wait(1);
    EXPECT_EQ(host.world.canvas().frames(), 60U);
    EXPECT_EQ(host.statusText(), "Sundown Disabled");
    EXPECT_EQ(host.statusAlpha(), 0.0F);
    const CanvasText& drawn = host.world.canvas().lastFrame().back();
    EXPECT_EQ(drawn.color.R, 3.0F);
    EXPECT_EQ(drawn.color.G, 150.0F);
    EXPECT_EQ(drawn.color.B, 58.0F);
    EXPECT_EQ(drawn.xScale, 4.0F);
    EXPECT_EQ(drawn.yScale, 4.0F);
    EXPECT_FALSE(drawn.dropShadow);
    EXPECT_FALSE(drawn.wrapText);
}

TEST(StatusLine, AToggleShowsTheLineForTwoSeconds) {
    PluginHost host;
    host.console("SundownEnableDisable");
    host.canvasFrame();
    EXPECT_EQ(host.statusText(), "Sundown Enabled By: Game count 1");
    EXPECT_EQ(host.statusAlpha(), 255.0F);
    host.wait(1.99);
    EXPECT_EQ(host.statusAlpha(), 255.0F);
    host.wait(0.02);
    EXPECT_EQ(host.statusAlpha(), 0.0F);
}

TEST(StatusLine, TwoTogglesASecondApartHideTwoSecondsAfterTheFirst) {
    PluginHost host;
    host.console("SundownEnableDisable");
    host.wait(1);
    host.console("SundownEnableDisable");
    host.canvasFrame();
    EXPECT_EQ(host.statusText(), "Sundown Disabled");
    EXPECT_EQ(host.statusAlpha(), 255.0F);
    host.wait(1.01);
    EXPECT_EQ(host.statusAlpha(), 0.0F);
    host.wait(1.5);
    EXPECT_EQ(host.statusAlpha(), 0.0F);
}

TEST(StatusLine, TextFollowsTheModeAndShowsTheLimitAsDigits) {
    PluginHost host;
    host.set("numOfGames", "65");
    host.set("enableByNumOption", "Lose Count");
    host.console("SundownEnableDisable");
    host.canvasFrame();
    EXPECT_EQ(host.statusText(), "Sundown Enabled By: Loss count 65");
    host.set("enableByNumOption", "Win-Lose Ratio");
    host.sundown().selectedOption = 2;
    host.canvasFrame();
    EXPECT_EQ(host.statusText(), "Sundown Enabled By: Ratio (Loses-Wins) count 65");
}

TEST(EnableToggle, FlipsSavesAndRecoloursWhateverTheArguments) {
    PluginHost host;
    host.console("SundownEnableDisable");
    EXPECT_TRUE(host.sundown().enabled);
    EXPECT_EQ(host.var("enableSundown"), "1");
    // Green, hue 2/7: 0.343, 0.600, 0.240.
    EXPECT_NEAR(host.sundown().enableButtonColor.x, 0.343, 0.0005);
    EXPECT_NEAR(host.sundown().enableButtonColor.y, 0.600, 0.0005);
    EXPECT_NEAR(host.sundown().enableButtonColor.z, 0.240, 0.0005);

    host.console("SundownEnableDisable on \"and more\" 3");
    EXPECT_FALSE(host.sundown().enabled);
    EXPECT_EQ(host.var("enableSundown"), "0");
    EXPECT_NEAR(host.sundown().enableButtonColor.z, 0.600, 0.0005);
}

TEST(EnableToggle, ABoundKeyTogglesThroughTheConsole) {
    PluginHost host;
    host.console("bind F7 SundownEnableDisable");
    EXPECT_TRUE(host.world.console().press("F7"));
    EXPECT_TRUE(host.sundown().enabled);
}

TEST(EnableToggle, AFirstToggleBeforeThePageDrawsUsesTheSavedLimit) {
    PluginHost host;
    host.set("numOfGames", "5");
    host.console("SundownEnableDisable");
    EXPECT_EQ(host.sundown().maxNumberOfGames, 5);
    for (int match = 0; match < 4; ++match) {
        host.playMatch(Result::Win);
    }
    EXPECT_EQ(host.world.clock().pending(), 1U) << "only the hide timeout";
    host.playMatch(Result::Win);
    host.wait(5);
    EXPECT_TRUE(host.world.game().quit());
}

TEST(EnableToggle, ASavedLimitOutsideAByteSaturates) {
    PluginHost host;
    host.set("numOfGames", "300");
    host.console("SundownEnableDisable");
    EXPECT_EQ(host.sundown().maxNumberOfGames, 255);
    host.set("numOfGames", "-4");  // the variable's minimum of 1 applies first
    host.console("SundownEnableDisable");
    EXPECT_EQ(host.sundown().maxNumberOfGames, 1);
}
