// Feeds arbitrary text to the console variables the plug-in reads, and to the plug-in's own
// reading of them: every value is kept or clamped, and read back within range; a kept session
// and a saved day read back as ones that save and read again unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "Calendar.h"
#include "CountRules.h"
#include "HostWorld.h"
#include "SavedDay.h"
#include "SavedSession.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static HostWorld world;
    static ObjectHandle games = world.console().registerVariable(
        {"numOfGames", "1", "", true, true, 1.0F, false, 50.0F, true});
    static ObjectHandle mode = world.console().registerVariable(
        {"enableByNumOption", "0", "", true, true, 0.0F, true, 2.0F, false});
    const std::string text(reinterpret_cast<const char*>(data), size);

    auto* limit = static_cast<ConsoleVariable*>(games.get());
    limit->store(text);
    const int saved = limit->intValue();
    if (saved < 1 && limit->text() == std::to_string(saved)) {
        std::abort();  // a number below the minimum was kept
    }
    (void)decodeGameLimit(saved);

    auto* option = static_cast<ConsoleVariable*>(mode.get());
    const std::string& kept = option->store(text);
    if (const auto decoded = decodeLimitMode(kept); decoded && (*decoded < 0 || *decoded > 2)) {
        std::abort();
    }

    // A kept session of any text reads back as one that saves and reads again unchanged.
    const SavedSession session = decodeSession(text);
    if (session.mode && (*session.mode < 0 || *session.mode > 2)) {
        std::abort();
    }
    const std::string written =
        encodeSession({session.enabled.value_or(false), session.mode.value_or(0), session.played,
                       session.wins, session.losses, session.streak});
    const SavedSession again = decodeSession(written);
    if (again.enabled != session.enabled.value_or(false) ||
        again.mode != session.mode.value_or(0) || again.played != session.played ||
        again.wins != session.wins || again.losses != session.losses ||
        again.streak != session.streak) {
        std::abort();
    }

    const SavedDay day = decodeDay(text);
    if (day.seconds < 0 || day.seconds > kSecondsInADay ||
        (!day.day.empty() && !isDayName(day.day))) {
        std::abort();
    }
    const SavedDay dayAgain = decodeDay(encodeDay(day));
    if (dayAgain.day != day.day || dayAgain.matches != day.matches ||
        (!day.day.empty() && dayAgain.seconds != day.seconds)) {
        std::abort();
    }
    return 0;
}
