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
    explicit CVarManagerWrapper(HostWorld& world);

    CVarWrapper registerCvar(std::string name, std::string defaultValue, std::string description,
                             bool listed, bool useMin, float minimum, bool useMax, float maximum,
                             bool persist);
    // The host runs `callback` with the command line's words whenever the command `name` runs.
    void registerNotifier(std::string name, std::function<void(std::vector<std::string>)> callback,
                          std::string description, std::uint8_t accessLevel);
    CVarWrapper getCvar(std::string name);
    void executeCommand(std::string command, bool log);
    void log(std::string text);
    void setBind(std::string key, std::string command);

  private:
    HostWorld* world;
};
