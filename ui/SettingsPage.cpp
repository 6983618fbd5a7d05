// The settings page in the host's settings window, drawn whole at every call from the plug-in
// object and the console variables: a flat list of row groups, top to bottom.
#include <algorithm>
#include <cfloat>
#include <cstring>
#include <string>

#include "CVarWrapper.h"
#include "LibraryState.h"
#include "PageLine.h"
#include "Settings.h"
#include "Sundown.h"
#include "WallClock.h"

namespace {

// A button drawn in `face` colour; hovered and pressed colours stay the host's.
bool colouredButton(const char* label, const ImVec4& face) {
    ImGui::PushStyleColor(ImGuiCol_Button, face);
    const bool clicked = ImGui::Button(label);
    ImGui::PopStyleColor();
    return clicked;
}

}  // namespace

void Sundown::DrawSettings() {
    ImGui::TextUnformatted("Sundown plugin settings");
    CVarWrapper enableVariable = variable(setting::enableSundown);
    CVarWrapper gamesVariable = variable(setting::numOfGames);
    CVarWrapper minutesVariable = variable(setting::numOfMinutes);
    CVarWrapper modeVariable = variable(setting::enableByNumOption);
    if (!enableVariable || !gamesVariable || !minutesVariable) {
        return;
    }
    restoreSession();
    const bool enabledBefore = enabled;
    const std::int32_t optionBefore = selectedOption;
    if (const auto mode = decodeLimitMode(modeVariable.getStringValue())) {
        selectedOption = *mode;
    }
    enabled = enableVariable.getBoolValue();
    // Set at the console, the switch or the mode changes here.
    if (enabled != enabledBefore || selectedOption != optionBefore) {
        saveSession();
    }
    if (!savedMinutesLoaded) {
        // The minute limit the page saved survives a reload.
        savedMinutesLoaded = true;
        const int savedMinutes = minutesVariable.getIntValue();
        if (savedMinutes >= 1) {
            maxMinutes = savedMinutes;
        }
    }
    drawCountRows(gamesVariable, modeVariable);
    drawTimerRows(minutesVariable);
    drawChoiceRows();
    drawLossStreakRows();
    drawDayRows();
    drawBedtimeRows();
    drawHistoryRows();
}

void Sundown::drawCountRows(CVarWrapper& gamesVariable, CVarWrapper& modeVariable) {
    if (colouredButton("Enable/Disable Quit after games count", enableButtonColor)) {
        toggleEnabled();
    }
    ImGui::SameLine();
    ImGui::TextUnformatted("Select option:");

    for (std::size_t index = 0; index < optionLabels.size(); ++index) {
        if (index > 0) {
            ImGui::SameLine();
        }
        const auto option = static_cast<std::int32_t>(index);
        if (ImGui::RadioButton(optionLabels[index], selectedOption == option)) {
            selectedOption = option;
            modeVariable.setValue(std::string(optionLabels[index]));
            saveSession();
        }
    }

    maxNumberOfGames = decodeGameLimit(gamesVariable.getIntValue());
    if (ImGui::InputScalar("Quit after # games", ImGuiDataType_U8, &maxNumberOfGames,
                           &maxNumberOfGamesStep, nullptr, "%u")) {
        gamesVariable.setValue(int{maxNumberOfGames});
    }

    if (ImGui::Button("Reset Games Count")) {
        gameService->Execute(whileAlive<GameWrapper*>([](Sundown& self, GameWrapper*) {
            self.cvarService->executeCommand("resetGamesCount", true);
        }));
    }
    ImGui::SameLine();
    (PageLine() << "Current Games played:" << int{numberOfGamesPlayed}
                << " Wins:" << int{numberOfWins} << " Losses:" << int{numberOfLosses})
        .draw();

    if (ImGui::Button("Set Bind")) {
        gameService->Execute(
            whileAlive<GameWrapper*>([](Sundown& self, GameWrapper*) { self.applyKeyBind(); }));
    }
    ImGui::SameLine();
    (PageLine() << "Current Status: " << (enabled ? "Enabled" : "Disabled")).draw();

    ImGui::InputText("##KeyBindInput", keyBindBuffer, kKeyBindCapacity);
}

void Sundown::drawTimerRows(CVarWrapper& minutesVariable) {
    ImGui::TextUnformatted("Enable Quit by time (minutes)");
    if (ImGui::SliderInt("Quit after # minutes", &maxMinutes, 1, 360, "%0d") && maxMinutes >= 1) {
        minutesVariable.setValue(maxMinutes);
    }
    if (colouredButton("Start/Stop", timerButtonColor)) {
        EnableByTime();
    }
    ImGui::SameLine();
    (PageLine() << "Elapsed time: " << minutesElapsed << ":" << secondsElapsed).draw();
}

// Choices beyond the count and the timer, each saved in a variable of its own.
void Sundown::drawChoiceRows() {
    ImGui::Separator();
    CVarWrapper headsUpVariable = variable(setting::enableHeadsUp);
    bool headsUps = headsUpVariable.getBoolValue();
    if (ImGui::Checkbox("Heads-up before quitting", &headsUps)) {
        headsUpVariable.setValue(headsUps ? 1 : 0);
    }
    CVarWrapper keepVariable = variable(setting::keepSessionOnRestart);
    bool keep = keepVariable.getBoolValue();
    if (keptSessionWantsSaving(keep)) {
        // Turned on, or a limit on the streak set, at the console since the plug-in last looked.
        saveSession();
    }
    if (ImGui::Checkbox("Keep the session after a restart", &keep)) {
        keepVariable.setValue(keep ? 1 : 0);
        // Turned on, it keeps the session as it stands now.
        saveSession();
    }
}

void Sundown::drawLossStreakRows() {
    CVarWrapper limitVariable = variable(setting::lossStreakLimit);
    auto limit =
        static_cast<std::uint8_t>(setting::lossStreakLimit.held(limitVariable.getIntValue()));
    constexpr std::uint8_t step = 1;
    if (ImGui::InputScalar("Quit after # losses in a row", ImGuiDataType_U8, &limit, &step, nullptr,
                           "%u")) {
        limitVariable.setValue(int{limit});
        // A limit set while the session is kept keeps the streak with it from now on.
        if (keptSessionWantsSaving(variable(setting::keepSessionOnRestart).getBoolValue())) {
            saveSession();
        }
    }
    (PageLine() << "Losses in a row: " << int{lossStreak.count()}).draw();
}

namespace {

// A number field for `which`: shows the variable, writes what was typed, held within the
// setting's limits. No step buttons: these limits are typed once, and the page is drawn at every
// frame while it is open. Whether a value was written.
template <typename Number, int DataType>
bool limitInput(const char* label, const Setting& which, CVarWrapper& variable) {
    auto value = static_cast<Number>(which.held(variable.getIntValue()));
    if (ImGui::InputScalar(label, DataType, &value, nullptr, nullptr, "%u")) {
        variable.setValue(which.held(static_cast<int>(value)));
        return true;
    }
    return false;
}

}  // namespace

void Sundown::drawDayRows() {
    CVarWrapper minutesVariable = variable(setting::dailyMinutes);
    CVarWrapper matchesVariable = variable(setting::dailyMatches);
    CVarWrapper startVariable = variable(setting::dayStartsAt);
    limitInput<std::uint16_t, ImGuiDataType_U16>("Online minutes a day", setting::dailyMinutes,
                                                 minutesVariable);
    limitInput<std::uint8_t, ImGuiDataType_U8>("Online matches a day", setting::dailyMatches,
                                               matchesVariable);
    const bool startHourTyped = limitInput<std::uint8_t, ImGuiDataType_U8>(
        "Day starts at hour", setting::dayStartsAt, startVariable);
    const int startHour = setting::dayStartsAt.held(startVariable.getIntValue());
    const int matchLimit = setting::dailyMatches.held(matchesVariable.getIntValue());
    const int minuteLimit = setting::dailyMinutes.held(minutesVariable.getIntValue());
    if (startHourTyped && (matchLimit > 0 || minuteLimit > 0)) {
        // The day in progress goes on under the hour typed, its counts kept.
        rollDayStartingAt(startHour);
    }
    // The day as it stands now, shown without changing it.
    loadDay();
    const DailyBudget today = day.at(localTimeNow(), startHour);
    PageLine line;
    line << "Today: matches " << int{today.matches()};
    if (matchLimit > 0) {
        line << " of " << matchLimit;
    }
    line << ", minutes " << today.seconds() / 60;
    if (minuteLimit > 0) {
        line << " of " << minuteLimit;
    }
    line.draw();
}

void Sundown::drawBedtimeRows() {
    CVarWrapper bedtimeVariable = variable(setting::bedtime);
    // The field shows what is saved; what is typed is written when Enter takes it.
    char typed[16] = {};
    const std::string saved = bedtimeVariable.getStringValue();
    std::memcpy(typed, saved.data(), std::min(saved.size(), sizeof typed - 1));
    if (ImGui::InputText("Bedtime (HH:MM)", typed, sizeof typed,
                         ImGuiInputTextFlags_EnterReturnsTrue)) {
        bedtimeVariable.setValue(std::string(typed));
    }
    if (const std::optional<Night> tonight = night()) {
        // Put together without a string of its own: the page is drawn at every frame.
        (PageLine() << "Bedtime: " << TwoDigits{tonight->from.hour} << ":"
                    << TwoDigits{tonight->from.minute} << " to " << TwoDigits{tonight->untilHour}
                    << ":00")
            .draw();
    } else {
        ImGui::TextUnformatted("Bedtime: none");
    }
}

void Sundown::drawHistoryRows() {
    CVarWrapper keepVariable = variable(setting::keepHistory);
    bool keep = keepVariable.getBoolValue();
    if (ImGui::Checkbox("Keep a history of online play", &keep)) {
        keepVariable.setValue(keep ? 1 : 0);
    }
    if (!keep) {
        return;
    }
    // Today as it stands, and the days before it as kept: the chart's numbers are kept between
    // frames, never read again from what is saved.
    loadDay();
    std::optional<SavedDay> ended;
    const DailyBudget today = day.at(localTimeNow(), heldValue(setting::dayStartsAt), &ended);
    const SavedDay played{today.name(), today.matches(), today.seconds()};
    loadHistory(today.name());
    // A day that has ended, though nothing has followed the clock since, is shown among the days
    // before today; it is kept when the day is next followed.
    History withEnded;
    if (ended) {
        withEnded = history;
        withEnded.add(*ended, today.name());
    }
    History& shown = ended ? withEnded : history;
    ImGui::PlotHistogram("Online minutes, last 14 days", shown.chart(played).data(), History::kDays,
                         0, nullptr, 0.0F, FLT_MAX, ImVec2(0.0F, 80.0F));
    const PlayTotals week = shown.week(played);
    (PageLine() << "Last 7 days: " << week.matches << " matches, " << week.seconds / 60
                << " minutes")
        .draw();
}
