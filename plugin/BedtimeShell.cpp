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

bool BedtimeShell::inTheNight() const {
    const std::optional<Night> night = tonight();
    return night && night->holds(services.now());
}

// In the night, the match is the last; before it, the match is watched for the night's
// beginning while a bedtime is set.
void BedtimeShell::kickOff(KickOffOutlook& outlook) {
    const std::optional<Night> night = tonight();
    const bool nightNow = night && night->holds(services.now());
    watchRun = match.approve(nightNow);
    watching = night && !nightNow;
    outlook.bedtimeEndsWhatever = match.due();
}

void BedtimeShell::secondOfPlay() {
    const std::optional<Night> night = tonight();
    if (match.tick(watchRun, night && night->holds(services.now()))) {
        // The match is played out; the quit waits for its end.
        services.showHeadsUp(headsUpText::kBedtime);
        watching = false;
    } else if (!night || match.due()) {
        watching = false;
    }
}

bool BedtimeShell::matchEnded() {
    return match.end(inTheNight());
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
