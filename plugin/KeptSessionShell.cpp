#include "KeptSessionShell.h"

#include <optional>
#include <string>

#include "RuleServices.h"
#include "SettingRows.h"
#include "Settings.h"

void KeptSessionShell::lookFirst() {
    if (kept.looked() || !kept.firstLook(services.flag(setting::keepSessionOnRestart))) {
        return;
    }
    const std::string savedText = services.text(setting::savedSession);
    const SavedSession saved = decodeSession(savedText);
    kept.cameBack(saved, savedText.empty());
    holder.resume(saved);
}

void KeptSessionShell::notice() {
    lookFirst();
    // Read only while something may have changed: this runs at every kick-off and match end.
    if ((!kept.keptWhenSeen() || !kept.streakSaved()) &&
        wantsSaving(services.flag(setting::keepSessionOnRestart))) {
        save();
    }
}

// Keeping turned on at the console, or a limit on the streak set, since the session was saved.
bool KeptSessionShell::wantsSaving(bool keeping) const {
    return kept.wantsSaving(keeping, keeping && kept.keptWhenSeen() && !kept.streakSaved() &&
                                         services.held(setting::lossStreakLimit) > 0);
}

void KeptSessionShell::saveIfWanted() {
    if (wantsSaving(services.flag(setting::keepSessionOnRestart))) {
        save();
    }
}

// While the player keeps the session it is saved as it stands. While they do not, a change
// empties what an earlier session left, so that it never comes back; nothing else is written.
void KeptSessionShell::save() {
    const bool keeping = services.flag(setting::keepSessionOnRestart);
    if (auto text = kept.save(keeping, holder.session(), services.text(setting::savedSession))) {
        services.write(setting::savedSession, std::move(*text));
    }
}

void KeptSessionShell::drawRows() {
    bool keep = services.flag(setting::keepSessionOnRestart);
    if (wantsSaving(keep)) {
        // Turned on, or a limit on the streak set, at the console since the plug-in last looked.
        save();
    }
    if (checkboxRow(setting::keepSessionOnRestart, services, keep)) {
        // Turned on, it keeps the session as it stands now.
        save();
    }
}
