// Feeds arbitrary bytes to the script reader: it may refuse a script, never crash on one.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "Durations.h"
#include "Script.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::istringstream input(text);
    try {
        for (const ScriptLine& line : readScript(input, "fuzz")) {
            for (const std::string& word : line.words) {
                (void)parseDuration(word);
                (void)parseTimePoint(word);
            }
        }
    } catch (const ScriptError&) {
        // A refused script is a fine answer.
    }
    (void)formatTimestamp(static_cast<std::int64_t>(size) * 1'234'567);
    return 0;
}
