// The status line on the game canvas: drawn on every frame, seen only while opaque.
#include <charconv>
#include <cstring>
#include <string>
#include <string_view>

#include "ClockFollow.h"
#include "CountRules.h"
#include "DayShell.h"
#include "KeptSessionShell.h"
#include "LockShell.h"
#include "Sundown.h"

namespace {

// The colour of the line; only its alpha changes.
constexpr float kRed = 3.0F;
constexpr float kGreen = 150.0F;
constexpr float kBlue = 58.0F;

// A heads-up's colour: amber, fully opaque.
constexpr LinearColor kHeadsUpColor{255.0F, 170.0F, 0.0F, 255.0F};

std::string_view modePiece(std::int32_t selectedOption) {
    switch (static_cast<LimitMode>(selectedOption)) {
        case LimitMode::Games:
            return " Game count ";
        case LimitMode::Losses:
            return " Loss count ";
        case LimitMode::Ratio:
            return " Ratio (Loses-Wins) count ";
        default:
            return "";
    }
}

}  // namespace

void Sundown::renderOverlay(CanvasWrapper canvas) {
    // The line shows the kept session from the first frame; the saved day is read then too.
    if (!firstFrameDrawn) {
        keptSession->lookFirst();
        // Before the day is read: a start hour edited under a lock is put back first.
        lock->hold();
        day->load();
        firstFrameDrawn = true;
    }
    clock->frame();
    if (const char* text = headsUp.text()) {
        overlayColor = kHeadsUpColor;
        canvas.SetColor(overlayColor);
        canvas.DrawString(text, 4.0F, 4.0F, false, false);
        return;
    }
    overlayColor = LinearColor{kRed, kGreen, kBlue, static_cast<float>(overlayAlpha)};
    canvas.SetColor(overlayColor);
    canvas.DrawString(overlayText(), 4.0F, 4.0F, false, false);
}

std::string Sundown::overlayText() const {
    if (!enabled) {
        return "Sundown Disabled";
    }
    // Built on the stack and allocated once: the line is drawn on every frame.
    constexpr std::string_view lead = "Sundown Enabled By:";
    const std::string_view piece = modePiece(selectedOption);
    char text[64];
    std::memcpy(text, lead.data(), lead.size());
    std::memcpy(text + lead.size(), piece.data(), piece.size());
    char* const numberStart = text + lead.size() + piece.size();
    char* const end = std::to_chars(numberStart, text + sizeof text, int{maxNumberOfGames}).ptr;
    return std::string(text, static_cast<std::size_t>(end - text));
}
