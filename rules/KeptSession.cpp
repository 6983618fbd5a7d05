#include "KeptSession.h"

std::optional<std::string> KeptSession::save(bool keeping, const SessionSnapshot& session,
                                             const std::string& savedNow) {
    keptWhenLastSeen = keeping;
    streakInSaved = keeping && session.streak.has_value();
    if (keeping) {
        return encodeSession(session);
    }
    if (!savedNow.empty()) {
        return std::string();
    }
    return std::nullopt;
}
