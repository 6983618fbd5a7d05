#include "BedtimeShell.h"

#include "HeadsUpTexts.h"
#include "PageLine.h"
#include "RuleServices.h"
#include "SettingRows.h"
#include "Settings.h"

std::optional<Night> BedtimeShell::tonight() const {
    return nightOf(parseClockTime(services.text(setting::bedtime)),
                   services.held(setting::dayStartsAt));
}

// An unreadable clock is no night.
bool BedtimeShell::inTheNight() const {
    const std::optional<Night> night = tonight();
    const std::optional<LocalTime> moment = night ? services.now() : std::nullopt;
    return moment && night->holds(*moment);
}

// In the night, the match is the last; before it, each look watches it for the night's
// beginning, with whatever bedtime is set by then.
void BedtimeShell::kickOff(KickOffOutlook& outlook) {
    watchRun = match.approve(inTheNight());
    outlook.bedtimeEndsWhatever = match.due();
}

void BedtimeShell::look() {
    if (match.tick(watchRun, inTheNight())) {
        // The match is played out; the quit waits for its end.
        services.showHeadsUp(headsUpText::kBedtime);
    }
}

// A bedtime cleared during the match lifts the night for it too.
bool BedtimeShell::matchEnded() {
    const bool leaves = match.end(inTheNight());
    return leaves && on();
}

void BedtimeShell::drawRows() {
    textRow(setting::bedtime, services);
    if (const std::optional<Night> night = tonight()) {
        // Put together without a string of its own: the page is drawn at every frame.
        (PageLine() << "Bedtime: " << TwoDigits{night->from.hour} << ":"
                    << TwoDigits{night->from.minute} << " to " << TwoDigits{night->untilHour}
                    << ":00")
            .draw();
    } else {
        ImGui::TextUnformatted("Bedtime: none");
    }
}
