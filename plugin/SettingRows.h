// Rows of the settings page drawn from a row of the settings table: the setting's label, its
// value read through the services and held within its limits, and what is typed written back.
#pragma once

#include <cstdint>

#include "RuleServices.h"
#include "Settings.h"
#include "Widgets.h"

// A checkbox showing `value`, read before the row is drawn; the click writes it. Whether clicked.
inline bool checkboxRow(const Setting& which, RuleServices& services, bool& value) {
    if (ImGui::Checkbox(which.label, &value)) {
        services.write(which, value ? 1 : 0);
        return true;
    }
    return false;
}

// What a number row shows once drawn, and whether it was typed in this drawing.
struct NumberShown {
    int value;
    bool typed;
};

// A number field of `Number` (one or two bytes), with no step buttons.
template <typename Number>
NumberShown numberRow(const Setting& which, RuleServices& services) {
    auto value = static_cast<Number>(services.held(which));
    if (ui::numberField(which.label, value)) {
        const int written = which.held(static_cast<int>(value));
        services.write(which, written);
        return {written, true};
    }
    return {static_cast<int>(value), false};
}

// A byte's number field with step buttons. Whether a number was written.
inline bool steppedNumberRow(const Setting& which, RuleServices& services) {
    auto value = static_cast<std::uint8_t>(services.held(which));
    if (ui::steppedNumberField(which.label, value)) {
        services.write(which, int{value});
        return true;
    }
    return false;
}

// A short text field; what is typed is written when Enter takes it.
inline void textRow(const Setting& which, RuleServices& services) {
    if (auto typed = ui::shortTextField(which.label, services.text(which))) {
        services.write(which, std::move(*typed));
    }
}
