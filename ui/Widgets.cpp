#include "Widgets.h"

namespace ui {

bool colouredButton(const char* label, const ImVec4& face) {
    ImGui::PushStyleColor(ImGuiCol_Button, face);
    const bool clicked = ImGui::Button(label);
    ImGui::PopStyleColor();
    return clicked;
}

bool numberField(const char* label, std::uint8_t& value) {
    return ImGui::InputScalar(label, ImGuiDataType_U8, &value, nullptr, nullptr, "%u");
}

bool numberField(const char* label, std::uint16_t& value) {
    return ImGui::InputScalar(label, ImGuiDataType_U16, &value, nullptr, nullptr, "%u");
}

bool steppedNumberField(const char* label, std::uint8_t& value) {
    constexpr std::uint8_t step = 1;
    return ImGui::InputScalar(label, ImGuiDataType_U8, &value, &step, nullptr, "%u");
}

std::optional<std::string> shortTextField(const char* label, const std::string& shown) {
    // Zeroed first, and one byte short of full: the text typed always ends.
    char typed[16] = {};
    shown.copy(typed, sizeof typed - 1);
    if (ImGui::InputText(label, typed, sizeof typed, ImGuiInputTextFlags_EnterReturnsTrue)) {
        return std::string(typed);
    }
    return std::nullopt;
}

}  // namespace ui
