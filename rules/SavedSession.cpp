#include "SavedSession.h"

#include <string_view>

#include "SavedNumber.h"

SavedSession decodeSession(const std::string& saved) {
    std::optional<long long> fields[6];
    std::string_view rest = saved;
    for (auto& field : fields) {
        const std::size_t comma = rest.find(',');
        field = wholeNumber(rest.substr(0, comma));
        if (comma == std::string_view::npos) {
            break;
        }
        rest.remove_prefix(comma + 1);
    }
    SavedSession session;
    if (fields[0] && (*fields[0] == 0 || *fields[0] == 1)) {
        session.enabled = *fields[0] == 1;
    }
    if (fields[1] && *fields[1] >= 0 && *fields[1] <= 2) {
        session.mode = static_cast<std::int32_t>(*fields[1]);
    }
    session.played = countFrom(fields[2]);
    session.wins = countFrom(fields[3]);
    session.losses = countFrom(fields[4]);
    session.streak = countFrom(fields[5]);
    session.hasStreak = fields[5].has_value();
    return session;
}

std::string encodeSession(const SessionSnapshot& session) {
    std::string saved = std::to_string(session.enabled ? 1 : 0) + "," +
                        std::to_string(session.mode) + "," + std::to_string(session.played) + "," +
                        std::to_string(session.wins) + "," + std::to_string(session.losses);
    if (session.streak) {
        saved += "," + std::to_string(*session.streak);
    }
    return saved;
}
