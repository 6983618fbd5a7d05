// A plug-in that throws out of any callable it handed the host: the host says where it came out,
// and stays usable, instead of ending abruptly.
#include <stdexcept>

#include <imgui.h>

#include <gtest/gtest.h>

#include "HostWorld.h"
#include "PluginFault.h"
#include "SettingsWindow.h"

namespace {

const auto throwing = [](auto&&...) { throw std::runtime_error("boom"); };

// What a PluginFault thrown by `call` says; empty when nothing was thrown.
template <typename Call>
std::string faultOf(Call&& call) {
    try {
        call();
    } catch (const PluginFault& fault) {
        return fault.what();
    }
    return "";
}

// A settings page that throws halfway through its drawing, with a colour still pushed.
class ThrowingPage : public Vantrel::Plugin::PluginSettingsWindow {
  public:
    void DrawSettings() override {
        ImGui::TextUnformatted("before");
        ImGui::PushStyleColor(ImGuiCol_Button, ImVec4(1, 0, 0, 1));
        if (throws) {
            throw std::runtime_error("page trouble");
        }
        ImGui::PopStyleColor();
    }
    std::string GetPageName() override { return "Thrower"; }
    void AdoptImGuiContext(std::uintptr_t context) override {
        ImGui::SetCurrentContext(reinterpret_cast<ImGuiContext*>(context));
    }
    bool throws = true;
};

}  // namespace

TEST(PluginFaults, EveryCallableTheHostRunsIsNamedWhenItThrows) {
    HostWorld world;
    world.hooks().add(gameFunction::kRoundStart, throwing, 1);
    world.game().joinOnline();
    EXPECT_EQ(faultOf([&] { world.game().startRound(); }),
              "the plug-in threw an exception out of its hook on '" + gameFunction::kRoundStart +
                  "': boom");

    world.clock().arm(throwing, 1.0F, 1);
    EXPECT_EQ(faultOf([&] { world.advanceTo(2'000'000); }),
              "the plug-in threw an exception out of a timeout it armed: boom");

    world.canvas().addDrawable(throwing, 1);
    EXPECT_EQ(faultOf([&] { world.canvas().frame(); }),
              "the plug-in threw an exception out of its drawable: boom");
    world.dropRegistrations(1);

    world.console().registerNotifier("Thrower", {throwing, "", 0, 1});
    EXPECT_EQ(faultOf([&] { world.console().run("Thrower now", "script"); }),
              "the plug-in threw an exception out of its notifier 'Thrower': boom");

    world.queueExecute([] { throw 42; }, 1);
    EXPECT_EQ(faultOf([&] { world.runExecutes(); }),
              "the plug-in threw an exception out of a callable it handed to Execute: something "
              "that is not a std::exception");
}

TEST(PluginFaults, APageThatThrowsLeavesTheHostsWindowWholeForTheNextFrame) {
    SettingsWindow window;
    ThrowingPage page;
    window.adopt(page);
    EXPECT_EQ(faultOf([&] { window.frame(page, 1.0F / 60.0F); }),
              "the plug-in threw an exception out of its settings page: page trouble");
    page.throws = false;
    window.frame(page, 1.0F / 60.0F);
    EXPECT_EQ(window.pageText(), "before");
}
