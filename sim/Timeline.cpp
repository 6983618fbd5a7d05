#include "Timeline.h"

#include <cstdio>

namespace {

// The length of the well-formed UTF-8 sequence that starts `text` at `at`; 0 when it is not one.
std::size_t utf8Length(const std::string& text, std::size_t at) {
    const auto byte = [&](std::size_t index) {
        return index < text.size() ? static_cast<unsigned char>(text[index]) : 0U;
    };
    const unsigned lead = byte(at);
    const auto follows = [&](std::size_t index, unsigned low = 0x80, unsigned high = 0xBF) {
        return byte(index) >= low && byte(index) <= high;
    };
    if (lead < 0x80) {
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        return follows(at + 1) ? 2 : 0;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        // No overlong forms, no surrogates.
        const unsigned low = lead == 0xE0 ? 0xA0 : 0x80;
        const unsigned high = lead == 0xED ? 0x9F : 0xBF;
        return follows(at + 1, low, high) && follows(at + 2) ? 3 : 0;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        const unsigned low = lead == 0xF0 ? 0x90 : 0x80;
        const unsigned high = lead == 0xF4 ? 0x8F : 0xBF;
        return follows(at + 1, low, high) && follows(at + 2) && follows(at + 3) ? 4 : 0;
    }
    return 0;
}

// A JSON string for any bytes: UTF-8 is kept, every byte that is not part of it becomes the
// replacement character.
std::string quoted(const std::string& text) {
    std::string json = "\"";
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = utf8Length(text, at);
        const char c = text[at];
        if (length == 0) {
            json += "\\ufffd";
            ++at;
            continue;
        }
        if (length > 1) {
            json.append(text, at, length);
        } else if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (c == '\n') {
            json += "\\n";
        } else if (c == '\t') {
            json += "\\t";
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
            json += escaped;
        } else {
            json += c;
        }
        at += length;
    }
    return json + "\"";
}

std::string field(const char* name, const std::string& value) {
    return std::string(",\"") + name + "\":" + quoted(value);
}

std::string describeGame(const RecordedEvent& event) {
    const std::string& what = event.first;
    const std::string& detail = event.second;
    if (what == "online") {
        return "you join an online match";
    }
    if (what == "offline") {
        return "you start an offline match";
    }
    if (what == "ended") {
        return detail == "win"    ? "match ended: you won"
               : detail == "loss" ? "match ended: you lost"
                                  : "match ended: no winner";
    }
    if (what == "destroyed") {
        const char* road = detail == "walk out"        ? "you walk out of the match"
                           : detail == "disconnect"    ? "you leave the match"
                           : detail == "another match" ? "you leave the match for another"
                                                       : "the match is over";
        return std::string(road) + ": its game event is destroyed";
    }
    if (what == "restart") {
        return "the game starts again";
    }
    return "back in the menus";
}

}  // namespace

std::string withControlsShown(const std::string& text) {
    std::string shown;
    shown.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == 0) {
            shown += "\\0";
        } else if (c == '\n') {
            shown += "\\n";
        } else if (byte < 0x20 || byte == 0x7F) {
            constexpr char hex[] = "0123456789abcdef";
            shown += std::string("\\x") + hex[byte >> 4] + hex[byte & 0xF];
        } else {
            shown += c;
        }
    }
    return shown;
}

std::optional<std::string> describe(const RecordedEvent& event) {
    const std::string& type = event.type;
    if (type == "story") {
        return event.first;
    }
    if (type == "game") {
        return describeGame(event);
    }
    if (type == "command") {
        if (event.by == "plugin") {
            return "plug-in ran: " + event.first;
        }
        return (event.by == "key" ? "key ran: " : "console: ") + event.first;
    }
    if (type == "log") {
        return "log: " + event.first;
    }
    if (type == "var") {
        const std::string line = "variable " + event.first + " = " + event.second;
        if (event.by == "host") {
            return line + " (read back from the host's saved configuration)";
        }
        return event.detail.empty() ? line : line + " (written as " + event.detail + ")";
    }
    if (type == "bind") {
        return "key " + (event.first.empty() ? std::string("\"\"") : event.first) + " now runs " +
               event.second;
    }
    if (type == "overlay") {
        return event.second == "0" ? "status line hidden" : "status line shown: " + event.first;
    }
    if (type == "disconnect") {
        return std::string(event.first == "menus"
                               ? "the game disconnects: in the menus, there is no match to leave"
                               : "the game disconnects from the match");
    }
    if (type == "quit") {
        return std::string("the game quits");
    }
    if (type == "fault") {
        return "plug-in fault: " + event.first;
    }
    return std::nullopt;
}

std::string toJson(const RecordedEvent& event) {
    char time[32];
    std::snprintf(time, sizeof time, "%.6f", static_cast<double>(event.microseconds) / 1e6);
    std::string json =
        std::string("{\"t\":") + time + ",\"type\":" + quoted(event.type) + field("by", event.by);
    const std::string& type = event.type;
    if (type == "command") {
        json +=
            field("text", event.first) + ",\"log\":" + (event.second == "log" ? "true" : "false");
    } else if (type == "var") {
        json += field("name", event.first) + field("value", event.second);
        if (!event.detail.empty()) {
            json += field("written", event.detail);
        }
    } else if (type == "bind") {
        json += field("key", event.first) + field("command", event.second);
    } else if (type == "register") {
        json += field("what", event.first) + field("name", event.second);
    } else if (type == "hook") {
        json += field("name", event.first);
    } else if (type == "game") {
        json += field("what", event.first) + field("detail", event.second);
    } else if (type == "disconnect") {
        json += field("from", event.first);
    } else if (type == "overlay") {
        json += field("text", event.first) + ",\"alpha\":" + event.second;
    } else if (type != "quit") {
        json += field("text", event.first);  // story, log, fault
    }
    return json + "}";
}
