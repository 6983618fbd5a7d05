// The status line on the game canvas: drawn on every frame, seen only while opaque.
#include <string>

#include "Sundown.h"

namespace {

// The colour of the line; only its alpha changes.
constexpr float kRed = 3.0F;
constexpr float kGreen = 150.0F;
constexpr float kBlue = 58.0F;

const char* modePiece(std::int32_t selectedOption) {
    switch (selectedOption) {
        case 0:
            return " Game count ";
        case 1:
            return " Loss count ";
        case 2:
            return " Ratio (Loses-Wins) count ";
        default:
            return "";
    }
}

}  // namespace

void Sundown::renderOverlay(CanvasWrapper canvas) {
    overlayColor = LinearColor{kRed, kGreen, kBlue, static_cast<float>(overlayAlpha)};
    canvas.SetColor(overlayColor);
    canvas.DrawString(overlayText(), 4.0F, 4.0F, false, false);
}

std::string Sundown::overlayText() const {
    if (!enabled) {
        return "Sundown Disabled";
    }
    // Room for the longest line, so the text is allocated once.
    std::string text;
    text.reserve(48);
    text += "Sundown Enabled By:";
    text += modePiece(selectedOption);
    text += std::to_string(int{maxNumberOfGames});
    return text;
}
