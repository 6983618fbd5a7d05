// The settings page's small widgets, each drawing one Dear ImGui control the same way wherever
// the page uses it. They know nothing of the plug-in: each takes its label and value.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include <imgui.h>

namespace ui {

// A button drawn in `face` colour; hovered and pressed colours stay the host's. Whether clicked.
bool colouredButton(const char* label, const ImVec4& face);

// A number field with no step buttons: these limits are typed once, and the page is drawn at
// every frame while it is open. Whether a number was typed into `value`.
bool numberField(const char* label, std::uint8_t& value);
bool numberField(const char* label, std::uint16_t& value);
// A number field with step buttons of one.
bool steppedNumberField(const char* label, std::uint8_t& value);

// A text field showing `shown` (its first 15 characters); the text typed, when Enter takes it.
std::optional<std::string> shortTextField(const char* label, const std::string& shown);

}  // namespace ui
