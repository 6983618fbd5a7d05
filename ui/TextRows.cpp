#include "TextRows.h"

#include "PageLine.h"
#include "Widgets.h"

void drawCountRows(const TextRowsFields& fields, TextRowsActions& actions, ModeLabels modes) {
    if (ui::colouredButton("Enable/Disable Quit after games count", fields.enableButtonColor)) {
        actions.toggleEnabled();
    }
    ImGui::SameLine();
    ImGui::TextUnformatted("Select option:");

    for (std::size_t index = 0; index < modes.count; ++index) {
        if (index > 0) {
            ImGui::SameLine();
        }
        const auto option = static_cast<std::int32_t>(index);
        if (ImGui::RadioButton(modes.labels[index], fields.selectedOption == option)) {
            actions.chooseMode(option, modes.labels[index]);
        }
    }

    actions.loadGameLimit();
    if (ImGui::InputScalar("Quit after # games", ImGuiDataType_U8, &fields.maxNumberOfGames,
                           &fields.maxNumberOfGamesStep, nullptr, "%u")) {
        actions.gameLimitTyped();
    }

    if (ImGui::Button("Reset Games Count")) {
        actions.resetGamesCount();
    }
    ImGui::SameLine();
    (PageLine() << "Current Games played:" << int{fields.numberOfGamesPlayed}
                << " Wins:" << int{fields.numberOfWins} << " Losses:" << int{fields.numberOfLosses})
        .draw();

    if (ImGui::Button("Set Bind")) {
        actions.setBind();
    }
    ImGui::SameLine();
    (PageLine() << "Current Status: " << (fields.enabled ? "Enabled" : "Disabled")).draw();

    ImGui::InputText("##KeyBindInput", fields.keyBind,
                     static_cast<std::size_t>(fields.keyBindCapacity));
}

void drawTimerRows(const TextRowsFields& fields, TextRowsActions& actions) {
    ImGui::TextUnformatted("Enable Quit by time (minutes)");
    if (ImGui::SliderInt("Quit after # minutes", &fields.maxMinutes, 1, 360, "%0d") &&
        fields.maxMinutes >= 1) {
        actions.minuteLimitSet();
    }
    if (ui::colouredButton("Start/Stop", fields.timerButtonColor)) {
        actions.startOrStopTimer();
    }
    ImGui::SameLine();
    (PageLine() << "Elapsed time: " << fields.minutesElapsed << ":" << fields.secondsElapsed)
        .draw();
}
