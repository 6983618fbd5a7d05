#include "Console.h"

#include <utility>

#include "HostWorld.h"
#include "PluginFault.h"
#include "Words.h"

Console::Console(HostWorld& world) : world(&world) {}

ObjectHandle Console::registerVariable(VariableRegistration registration) {
    const auto known = variables.find(registration.name);
    if (known != variables.end()) {
        return known->second;
    }
    const std::string name = registration.name;
    auto* created = new ConsoleVariable(*world, std::move(registration));
    ObjectHandle handle(created);
    if (const auto saved = savedValues.find(name); saved != savedValues.end()) {
        created->keepAsWritten(saved->second);
    }
    variables.emplace(name, handle);
    registrationOrder.push_back(name);
    world->record("register", "cvar", name, "plugin");
    return handle;
}

ObjectHandle Console::find(const std::string& name) const {
    const auto known = variables.find(name);
    return known == variables.end() ? ObjectHandle() : known->second;
}

const ConsoleVariable* Console::variable(const std::string& name) const {
    return static_cast<const ConsoleVariable*>(find(name).get());
}

std::vector<std::string> Console::variableNames() const {
    std::vector<std::string> names;
    for (const auto& name : registrationOrder) {
        if (variables.count(name) != 0) {
            names.push_back(name);
        }
    }
    return names;
}

bool Console::set(const std::string& name, const std::string& value, const std::string& by) {
    const auto known = variables.find(name);
    if (known == variables.end()) {
        return false;
    }
    auto* stored = static_cast<ConsoleVariable*>(known->second.get());
    const std::string& kept = stored->store(value);
    world->record("var", name, kept, by, kept == value ? std::string() : value);
    return true;
}

void Console::loadSaved(const std::string& name, const std::string& value) {
    savedValues[name] = value;
    const auto known = variables.find(name);
    if (known != variables.end()) {
        auto* stored = static_cast<ConsoleVariable*>(known->second.get());
        stored->keepAsWritten(value);
        world->record("var", name, value, "host");
    }
}

void Console::startAfresh() {
    for (const auto& [name, handle] : variables) {
        const auto* variable = static_cast<const ConsoleVariable*>(handle.get());
        if (variable->registration().persist) {
            savedValues[name] = variable->text();
        }
    }
    variables.clear();
    registrationOrder.clear();
    notifiers.clear();
}

void Console::registerNotifier(const std::string& name, NotifierRegistration registration) {
    notifiers[name] = std::move(registration);
    world->record("register", "notifier", name, "plugin");
}

const NotifierRegistration* Console::notifier(const std::string& name) const {
    const auto found = notifiers.find(name);
    return found == notifiers.end() ? nullptr : &found->second;
}

void Console::dropOwner(std::uint32_t owner) {
    for (auto entry = notifiers.begin(); entry != notifiers.end();) {
        entry = entry->second.owner == owner ? notifiers.erase(entry) : std::next(entry);
    }
}

void Console::bind(const std::string& key, const std::string& command, const std::string& by) {
    binds[key] = command;
    world->record("bind", key, command, by);
}

std::string Console::boundTo(const std::string& key) const {
    const auto bound = binds.find(key);
    return bound == binds.end() ? std::string() : bound->second;
}

bool Console::press(const std::string& key) {
    const std::string command = boundTo(key);
    if (command.empty()) {
        return false;
    }
    run(command, "key");
    return true;
}

void Console::run(const std::string& line, const std::string& by, bool logged) {
    world->record("command", line, logged ? "log" : "", by);
    const auto words = splitWords(line);
    if (!words || words->empty()) {
        return;
    }
    if (const NotifierRegistration* registered = notifier(words->front())) {
        // A copy: the notifier may register or drop notifiers while it runs.
        const Notifier callback = registered->callback;
        callPlugin("its notifier", words->front(), [&] { callback(*words); });
        // What the notifier handed the game happens once it has returned.
        world->game().carryOutQueued();
        return;
    }
    if (runConsoleVerb(*words, by)) {
        return;
    }
    if (by == "plugin") {
        // Only ever from inside one of the plug-in's callbacks: the game acts at its next tick.
        world->game().queueCommand(*words);
    } else {
        world->game().command(*words);
    }
}

bool Console::runConsoleVerb(const std::vector<std::string>& words, const std::string& by) {
    const std::string& verb = words.front();
    if (verb == "bind" && words.size() == 3) {
        bind(words[1], words[2], by);
        return true;
    }
    if (verb == "set" && words.size() == 3) {
        return set(words[1], words[2], by);
    }
    if (const ConsoleVariable* shown = variable(verb); shown != nullptr && words.size() == 1) {
        world->record("log", verb + " = " + shown->text(), "", "host");
        return true;
    }
    return false;
}
