// Hooks on game functions: callables the host runs each time the named function runs.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "HostApi.h"

class VANTREL_SDK_API GameHooks {
  public:
    using Hook = std::function<void(std::string)>;

    // `owner` is the plug-in that hooked the function, so its hooks go when it is unloaded.
    void add(std::string functionName, Hook hook, std::uint32_t owner);
    // Runs every hook on `functionName`, in the order hooked; returns how many ran.
    int fire(const std::string& functionName);
    std::vector<std::string> hookedNames() const;
    void dropOwner(std::uint32_t owner);

  private:
    struct Entry {
        std::string functionName;
        Hook hook;
        std::uint32_t owner;
    };
    std::vector<Entry> hooks;
};
