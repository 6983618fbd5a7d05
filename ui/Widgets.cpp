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
    // Zeroed first, and room for all of the text shown and more typed: a text kept whole is
    // never cut, and Enter writes back what was shown. A longer text than usual takes the heap.
    constexpr std::size_t kUsual = 32;
    char usual[kUsual] = {};
    std::string longer;
    char* typed = usual;
    std::size_t size = kUsual;
    if (shown.size() + 16 > kUsual) {
        longer.assign(shown.size() + 16, '\0');
        typed = longer.data();
        size = longer.size();
    }
    shown.copy(typed, size - 1);
    if (ImGui::InputText(label, typed, size, ImGuiInputTextFlags_EnterReturnsTrue)) {
        return std::string(typed);
    }
    return std::nullopt;
}

}  // namespace ui
