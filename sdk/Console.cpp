#include "Console.h"

#include <utility>

#include "HostWorld.h"
#include "Words.h"

Console::Console(HostWorld& world) : world(&world) {}

ObjectHandle Console::registerVariable(VariableRegistration registration) {
    const auto known = variables.find(registration.name);
    if (known != variables.end()) {
        return known->second;
    }
    const std::string name = registration.name;
    ObjectHandle handle(new ConsoleVariable(*world, std::move(registration)));
    variables.emplace(name, handle);
    registrationOrder.push_back(name);
    world->record("register", "cvar", name);
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

bool Console::set(const std::string& name, const std::string& value, const std::string& /*by*/) {
    const auto known = variables.find(name);
    if (known == variables.end()) {
        return false;
    }
    auto* stored = static_cast<ConsoleVariable*>(known->second.get());
    world->record("var", name, stored->store(value));
    return true;
}

void Console::registerNotifier(const std::string& name, Notifier callback) {
    notifiers[name] = std::move(callback);
    world->record("register", "notifier", name);
}

bool Console::hasNotifier(const std::string& name) const {
    return notifiers.count(name) != 0;
}

void Console::dropNotifiers() {
    notifiers.clear();
}

void Console::bind(const std::string& key, const std::string& command) {
    binds[key] = command;
    world->record("bind", key, command);
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

void Console::run(const std::string& line, const std::string& by) {
    world->record("command", line, by);
    const auto words = splitWords(line);
    if (!words || words->empty()) {
        return;
    }
    const auto notifier = notifiers.find(words->front());
    if (notifier != notifiers.end()) {
        // A copy: the notifier may register or drop notifiers while it runs.
        const Notifier callback = notifier->second;
        callback(*words);
        return;
    }
    if (!runConsoleVerb(*words, by)) {
        world->game().command(*words);
    }
}

bool Console::runConsoleVerb(const std::vector<std::string>& words, const std::string& by) {
    const std::string& verb = words.front();
    if (verb == "bind" && words.size() == 3) {
        bind(words[1], words[2]);
        return true;
    }
    if (verb == "set" && words.size() == 3) {
        return set(words[1], words[2], by);
    }
    if (const ConsoleVariable* shown = variable(verb); shown != nullptr && words.size() == 1) {
        world->record("log", verb + " = " + shown->text(), "host");
        return true;
    }
    return false;
}
