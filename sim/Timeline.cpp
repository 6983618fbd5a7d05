#include "Timeline.h"

#include <cstdio>

namespace {

std::string quoted(const std::string& text) {
    std::string json = "\"";
    for (const char c : text) {
        switch (c) {
            case '"':
                json += "\\\"";
                break;
            case '\\':
                json += "\\\\";
                break;
            case '\n':
                json += "\\n";
                break;
            case '\t':
                json += "\\t";
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                    json += escaped;
                } else {
                    json += c;
                }
        }
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
    return "back in the menus";
}

}  // namespace

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
    return std::nullopt;
}

std::optional<std::string> toJson(const RecordedEvent& event) {
    char time[32];
    std::snprintf(time, sizeof time, "%.6f", static_cast<double>(event.microseconds) / 1e6);
    std::string json = std::string("{\"t\":") + time + ",\"type\":" + quoted(event.type);
    const std::string& type = event.type;
    if (type == "command") {
        json += field("text", event.first) + field("by", event.by);
    } else if (type == "log") {
        json += field("text", event.first);
    } else if (type == "var") {
        json += field("name", event.first) + field("value", event.second);
    } else if (type == "bind") {
        json += field("key", event.first) + field("command", event.second);
    } else if (type == "hook") {
        json += field("name", event.first);
    } else if (type == "overlay") {
        json += field("text", event.first) + ",\"alpha\":" + event.second;
    } else if (type != "disconnect" && type != "quit") {
        return std::nullopt;
    }
    return json + "}";
}
