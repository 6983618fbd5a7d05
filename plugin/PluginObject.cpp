// The plug-in object's life and its small services: construction with its rules' shells, the log
// helper, timeouts, the wall clock, the count settings read from the console variables, and the
// settings page's name and Dear ImGui context.
#include <utility>

#include "BedtimeShell.h"
#include "CountRules.h"
#include "DayShell.h"
#include "KeptSessionShell.h"
#include "LockShell.h"
#include "Settings.h"
#include "Sundown.h"
#include "WeekShell.h"

#include "ClockFollow.h"
#include "SundownLock.h"
#include "SundownSession.h"
#include "WallClock.h"

namespace {

// The page draws into the host's Dear ImGui context: its style colours must be numbered as the
// host's are (22 for the button in the host's build, 21 in Debian's 1.86 that the tests use).
static_assert(ImGuiCol_Button == SUNDOWN_IMGUI_BUTTON_INDEX,
              "Sundown's Dear ImGui numbers the style colours otherwise than the build asked for "
              "(SUNDOWN_IMGUI_BUTTON_INDEX; the host's build has ImGuiCol_Button at 22)");
#if defined(SUNDOWN_IMGUI_VERSION)
constexpr bool sameText(const char* left, const char* right) {
    while (*left != '\0' && *left == *right) {
        ++left;
        ++right;
    }
    return *left == *right;
}

static_assert(
    sameText(IMGUI_VERSION, SUNDOWN_IMGUI_VERSION),
    "Sundown's Dear ImGui is not the version the build asked for (SUNDOWN_IMGUI_VERSION)");
#endif

// The resting colour of both buttons: blue, hue 4/7.
ImVec4 restingButtonColor() {
    return ImColor::HSV(4.0F / 7.0F, 0.6F, 0.6F, 1.0F);
}

}  // namespace

Sundown::Sundown()
    : timerButtonColor(restingButtonColor()),
      enableButtonColor(restingButtonColor()),
      day(std::make_unique<DayShell>(*this)),
      week(std::make_unique<WeekShell>(*this, *day)),
      bedtime(std::make_unique<BedtimeShell>(*this)),
      session(std::make_unique<SundownSession>(*this)),
      keptSession(std::make_unique<KeptSessionShell>(*this, *session)),
      lockHolder(std::make_unique<SundownLock>(*this)),
      lock(std::make_unique<LockShell>(*this, *lockHolder, *day)),
      matchRules{day.get(), week.get(), bedtime.get()},
      clock(std::make_unique<ClockFollow>(*this, matchRules, *keptSession, *lock)) {}

// Releases gameService, then cvarService; nothing the plug-in registered is unregistered.
Sundown::~Sundown() = default;

// Green while the switch is on, the resting blue while it is off.
void Sundown::colourEnableButton() {
    enableButtonColor = ImColor::HSV((enabled ? 2.0F : 4.0F) / 7.0F, 0.6F, 0.6F, 1.0F);
}

void Sundown::armTimeout(void (Sundown::*operation)(), float seconds) {
    gameService->SetTimeout(
        whileAlive<GameWrapper*>(
            [operation](Sundown& self, GameWrapper* /*game*/) { (self.*operation)(); }),
        seconds);
}

std::optional<LocalTime> Sundown::now(int secondsAgo) const {
    return localTimeNow(secondsAgo);
}

void Sundown::after(float seconds, std::function<void()> body) {
    gameService->SetTimeout(
        whileAlive<GameWrapper*>(
            [body = std::move(body)](Sundown& /*self*/, GameWrapper* /*game*/) { body(); }),
        seconds);
}

void Sundown::loadCountSettings() {
    const CVarWrapper limitMode = variable(setting::enableByNumOption);
    if (const auto mode = decodeLimitMode(limitMode.getStringValue())) {
        selectedOption = *mode;
    }
    const CVarWrapper gameLimit = variable(setting::numOfGames);
    if (gameLimit) {
        maxNumberOfGames = decodeGameLimit(gameLimit.getIntValue());
    }
}

void Sundown::writeLog(std::string message) {
    if (logEnabled) {
        cvarService->log(std::move(message));
    }
}

std::string Sundown::GetPageName() {
    return "Sundown";
}

void Sundown::AdoptImGuiContext(std::uintptr_t context) {
    ImGui::SetCurrentContext(reinterpret_cast<ImGuiContext*>(context));
}
