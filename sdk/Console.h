// The host console: variables, notifiers, key bindings, and the command lines that run them.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "ConsoleVariable.h"
#include "HostApi.h"
#include "ObjectHandle.h"

using Notifier = std::function<void(std::vector<std::string>)>;

// A notifier as the plug-in registered it.
struct NotifierRegistration {
    Notifier callback;
    std::string description;
    std::uint8_t accessLevel = 0;
    std::uint32_t owner = 0;  // the plug-in that registered it
};

class VANTREL_SDK_API Console {
  public:
    explicit Console(HostWorld& world);

    // Registering a name again keeps the variable and its value, as the host console does.
    ObjectHandle registerVariable(VariableRegistration registration);
    // An empty handle for a name the console does not know.
    ObjectHandle find(const std::string& name) const;
    const ConsoleVariable* variable(const std::string& name) const;
    std::vector<std::string> variableNames() const;
    // Sets a variable as typed at the console; false when there is no such variable.
    bool set(const std::string& name, const std::string& value, const std::string& by);
    // The host reads `value` for `name` back from its saved configuration, hand-edited perhaps:
    // it is kept as written, outside the variable's limits. A variable registered later takes
    // it at its registration.
    void loadSaved(const std::string& name, const std::string& value);

    // Registering a name again replaces its notifier.
    void registerNotifier(const std::string& name, NotifierRegistration registration);
    // The notifier registered as `name`; null when there is none.
    const NotifierRegistration* notifier(const std::string& name) const;
    bool hasNotifier(const std::string& name) const {
        return notifier(name) != nullptr;
    }
    void dropOwner(std::uint32_t owner);

    // The host ends and starts again: it keeps what it saves, the values of the variables
    // registered to persist and the key bindings, and forgets every other variable and notifier.
    // Saved values go back to their variables when they are registered again.
    void startAfresh();

    void bind(const std::string& key, const std::string& command, const std::string& by);
    // The command bound to `key`, or empty text.
    std::string boundTo(const std::string& key) const;
    // Runs what is bound to `key`; false when nothing is.
    bool press(const std::string& key);

    // Runs one console line: a notifier with its words, "bind KEY COMMAND", "set NAME VALUE",
    // a variable's name to print it, or a command for the game. `by` says who ran it; `logged`
    // whether its caller asked the console to log it.
    void run(const std::string& line, const std::string& by, bool logged = false);

  private:
    // The tests' one way into what the host world keeps to itself: declared alike wherever the
    // class is compiled, so that nothing of it depends on how the other side was built.
    friend struct HostTestAccess;
    bool runConsoleVerb(const std::vector<std::string>& words, const std::string& by);

    HostWorld* world;
    std::map<std::string, ObjectHandle> variables;
    std::vector<std::string> registrationOrder;
    std::map<std::string, std::string> savedValues;
    std::map<std::string, NotifierRegistration> notifiers;
    std::map<std::string, std::string> binds;
};
