// The page: every widget the player reaches for is there, and its lines show the losing streak,
// the day, the week's budget, bedtime and the last seven days as the player played them.
#include "DayShell.h"
#include "Referee.h"

#include <cmath>

namespace randomPlay {

namespace {

// The line of the page that starts with `start`, if it is not `due`.
std::optional<std::string> lineShown(const std::string& page, const std::string& due,
                                     const std::string& start) {
    const std::size_t at = page.find("\n" + start);
    const std::string shown = at == std::string::npos
                                  ? "no such line"
                                  : page.substr(at + 1, page.find('\n', at + 1) - at - 1);
    if (shown == due) {
        return std::nullopt;
    }
    return "the page shows \"" + shown + "\" where the player's is \"" + due + "\"";
}

}  // namespace

// The page's lines of the rules beyond the text, read from one drawing of it.
std::optional<std::string> Referee::checkPageLine() {
    host.window.restMouse();
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
    const DayModel::Limits limits = dayLimits();
    const std::string today = model.day.todayLine(limits, host.world.wallSeconds());
    if (auto wrong = lineShown(page, today, "Today")) {
        return wrong;
    }
    if (auto wrong =
            lineShown(page,
                      limits.weekOn() ? model.day.thisWeekLine(limits, host.world.wallSeconds())
                                      : "no such line",
                      "This week:")) {
        return wrong;
    }
    const std::optional<NightTimes> tonight = night();
    if (auto wrong = lineShown(page, tonight ? tonight->line() : "Bedtime: none", "Bedtime: ")) {
        return wrong;
    }
    if (limits.history) {
        if (auto wrong = lineShown(page, model.day.weekLine(limits, host.world.wallSeconds()),
                                   "Last 7 days")) {
            return wrong;
        }
        return checkChart();
    }
    return std::nullopt;
}

// The chart's fourteen bars as the page just drew them, against the player's own history.
std::optional<std::string> Referee::checkChart() const {
    const std::array<float, 14>& shown = host.sundown()->day->history().lastChart();
    const std::array<int, 14> played = model.day.history.chart(model.day.day, model.day.seconds);
    for (std::size_t bar = 0; bar < played.size(); ++bar) {
        // Minutes summed as floats: a hundredth of a minute is far below a second.
        if (std::abs(shown[bar] - static_cast<float>(played[bar]) / 60.0F) > 0.01F) {
            return "the chart's bar " + std::to_string(bar + 1) + " of 14 shows " +
                   std::to_string(shown[bar]) + " min where the player played " +
                   std::to_string(played[bar]) + " s";
        }
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
