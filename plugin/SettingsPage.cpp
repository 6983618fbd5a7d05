// The settings page in the host's settings window, drawn whole at every call from the plug-in
// object and the console variables: the text's rows first, then the project's own row groups,
// top to bottom.
#include <string>

#include "BedtimeShell.h"
#include "CVarWrapper.h"
#include "CountRules.h"
#include "DayShell.h"
#include "KeptSessionShell.h"
#include "LibraryState.h"
#include "LockShell.h"
#include "PageLine.h"
#include "SettingRows.h"
#include "Settings.h"
#include "Sundown.h"
#include "TextRows.h"
#include "WeekShell.h"

// What the text's rows do to the plug-in, for one drawing of the page.
class SundownPage final : public TextRowsActions {
  public:
    SundownPage(Sundown& plugin, CVarWrapper& games, CVarWrapper& minutes, CVarWrapper& mode)
        : plugin(plugin), games(games), minutes(minutes), mode(mode) {}

    TextRowsFields fields() {
        return {plugin.enableButtonColor,
                plugin.selectedOption,
                plugin.maxNumberOfGames,
                plugin.maxNumberOfGamesStep,
                plugin.numberOfGamesPlayed,
                plugin.numberOfWins,
                plugin.numberOfLosses,
                plugin.enabled,
                keyBindBuffer,
                kKeyBindCapacity,
                plugin.maxMinutes,
                plugin.timerButtonColor,
                plugin.minutesElapsed,
                plugin.secondsElapsed};
    }

    void toggleEnabled() override { plugin.toggleEnabled(); }
    void chooseMode(std::int32_t option, const char* label) override {
        plugin.selectedOption = option;
        mode.setValue(std::string(label));
        plugin.keptSession->save();
    }
    void loadGameLimit() override {
        plugin.maxNumberOfGames = decodeGameLimit(games.getIntValue());
    }
    void gameLimitTyped() override { games.setValue(int{plugin.maxNumberOfGames}); }
    void resetGamesCount() override {
        plugin.gameService->Execute(
            plugin.whileAlive<GameWrapper*>([](Sundown& self, GameWrapper* /*game*/) {
                self.cvarService->executeCommand("resetGamesCount", true);
            }));
    }
    void setBind() override {
        plugin.gameService->Execute(plugin.whileAlive<GameWrapper*>(
            [](Sundown& self, GameWrapper* /*game*/) { self.applyKeyBind(); }));
    }
    void minuteLimitSet() override { minutes.setValue(plugin.maxMinutes); }
    void startOrStopTimer() override { plugin.EnableByTime(); }

    // The choices beyond the count and the timer, each saved in a variable of its own.
    void drawChoiceRows() {
        ImGui::Separator();
        bool headsUps = plugin.flag(setting::enableHeadsUp);
        checkboxRow(setting::enableHeadsUp, plugin, headsUps);
        plugin.keptSession->drawRows();
    }

    void drawLossStreakRows() {
        if (steppedNumberRow(setting::lossStreakLimit, plugin)) {
            // A limit set while the session is kept keeps the streak with it from now on.
            plugin.keptSession->saveIfWanted();
        }
        (PageLine() << "Losses in a row: " << int{plugin.lossStreak.count()}).draw();
    }

  private:
    Sundown& plugin;
    CVarWrapper& games;
    CVarWrapper& minutes;
    CVarWrapper& mode;
};

void Sundown::DrawSettings() {
    ImGui::TextUnformatted("Sundown plugin settings");
    CVarWrapper enableVariable = variable(setting::enableSundown);
    CVarWrapper gamesVariable = variable(setting::numOfGames);
    CVarWrapper minutesVariable = variable(setting::numOfMinutes);
    CVarWrapper modeVariable = variable(setting::enableByNumOption);
    if (!enableVariable || !gamesVariable || !minutesVariable) {
        return;
    }
    keptSession->lookFirst();
    // What the console loosened under a lock is put back before the page reads it.
    lock->hold();
    const bool enabledBefore = enabled;
    const std::int32_t optionBefore = selectedOption;
    if (const auto mode = decodeLimitMode(modeVariable.getStringValue())) {
        selectedOption = *mode;
    }
    enabled = enableVariable.getBoolValue();
    // Set at the console, the switch or the mode changes here.
    if (enabled != enabledBefore || selectedOption != optionBefore) {
        keptSession->save();
    }
    if (!savedMinutesLoaded) {
        // The minute limit the page saved survives a reload.
        savedMinutesLoaded = true;
        const int savedMinutes = minutesVariable.getIntValue();
        if (savedMinutes >= 1) {
            maxMinutes = savedMinutes;
        }
    }
    SundownPage page(*this, gamesVariable, minutesVariable, modeVariable);
    drawRows(page);
    // What the page's rows loosened under a lock is put back before any rule reads it.
    lock->hold();
}

void Sundown::drawRows(SundownPage& page) {
    // Nothing but the page's own rows changes a setting while it is drawn.
    struct HeldForDrawing {
        DayShell& day;
        explicit HeldForDrawing(DayShell& held) : day(held) { day.holdForDrawing(true); }
        ~HeldForDrawing() { day.holdForDrawing(false); }
        HeldForDrawing(const HeldForDrawing&) = delete;
        HeldForDrawing& operator=(const HeldForDrawing&) = delete;
    } held(*day);
    const TextRowsFields fields = page.fields();
    drawCountRows(fields, page, {optionLabels.data(), optionLabels.size()});
    drawTimerRows(fields, page);
    page.drawChoiceRows();
    page.drawLossStreakRows();
    day->drawRows();
    week->drawRows();
    bedtime->drawRows();
    day->historyPage().drawRows();
    lock->drawRows();
}
