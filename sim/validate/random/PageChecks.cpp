// The page: every widget the player reaches for is there, and its lines show the losing streak
// and the day as the player played them.
#include "Referee.h"

namespace randomPlay {

// The page's losing-streak line, read from one drawing of it.
std::optional<std::string> Referee::checkPageLine() {
    host.window.captureText(true);
    host.drawPage();
    host.window.captureText(false);
    const std::string& page = host.window.pageText();
    const std::string label = "Losses in a row: ";
    const std::size_t start = page.find(label);
    const std::string shown = start == std::string::npos
                                  ? "no such line"
                                  : page.substr(start, page.find('\n', start) - start);
    if (shown != label + std::to_string(model.lossStreak)) {
        return "the page shows \"" + shown + "\" where " + std::to_string(model.lossStreak) +
               " losses in a row were counted";
    }
    const std::string today = model.day.todayLine(dayLimits(), host.world.wallSeconds());
    if (page.find(today) == std::string::npos) {
        const std::size_t line = page.find("Today:");
        return "the page shows \"" +
               (line == std::string::npos ? std::string("no such line") : page.substr(line)) +
               "\" where the player played \"" + today + "\"";
    }
    return std::nullopt;
}

void Referee::checkPageInput(const Event& event) {
    const std::string& problem = host.window.inputProblem();
    if (!problem.empty()) {
        broken = "the page lost a widget: " + problem;
        return;
    }
    // The reset runs in the frame after the click, unless the game quit before that frame came.
    if (!broken && event.kind == Kind::Click &&
        std::string(kClickable[event.value]) == "Reset Games Count" && !host.window.busy()) {
        model.lossStreak = 0;
    }
}

}  // namespace randomPlay
