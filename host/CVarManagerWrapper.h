// The host console: variables, commands, notifiers, key bindings and the console log.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "CVarWrapper.h"
#include "HostApi.h"

class HostWorld;

class VANTREL_SDK_API CVarManagerWrapper {
  public:
    // Made by the host for each plug-in it loads, `owner` being the host's number for it; the
    // plug-in shares it, the host keeps it until it unloads the plug-in.
    CVarManagerWrapper(HostWorld& world, std::uint32_t owner);

    // Registers a variable (registering a known name again keeps it); the caller owns the
    // returned wrapper, and the host keeps the variable.
    CVarWrapper registerCvar(std::string name, std::string defaultValue, std::string description,
                             bool listed, bool useMin, float minimum, bool useMax, float maximum,
                             bool persist);
    // The host keeps `callback` and runs it with the command line's words, the command's name
    // first, whenever the command `name` runs.
    void registerNotifier(std::string name, std::function<void(std::vector<std::string>)> callback,
                          std::string description, std::uint8_t accessLevel);
    // The caller owns the returned wrapper; it is invalid for a name the console does not know.
    CVarWrapper getCvar(std::string name);
    // Runs the console line at once, as if typed at the console.
    void executeCommand(std::string command, bool log);
    // Writes one line to the host console.
    void log(std::string text);
    // Makes pressing `key` run `command`; the host keeps the binding.
    void setBind(std::string key, std::string command);

  private:
    HostWorld* world;
    std::uint32_t owner;
};
