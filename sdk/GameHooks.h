// Hooks on game functions: callables the host runs each time the named function runs.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "HostApi.h"

class VANTREL_SDK_API GameHooks {
  public:
    using Hook = std::function<void(std::string)>;

    void add(std::string functionName, Hook hook);
    // Runs every hook on `functionName`, in the order hooked; returns how many ran.
    int fire(const std::string& functionName);
    std::vector<std::string> hookedNames() const;
    void dropAll() { hooks.clear(); }

  private:
    std::vector<std::pair<std::string, Hook>> hooks;
};
