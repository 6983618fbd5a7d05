// Feeds arbitrary text to the console variables the plug-in reads, and to the plug-in's own
// reading of them: every value is kept or clamped, and read back within range.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "HostWorld.h"
#include "SavedSettings.h"

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
    return 0;
}
