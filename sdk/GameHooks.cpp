#include "GameHooks.h"

#include <algorithm>
#include <utility>

#include "PluginFault.h"

void GameHooks::add(std::string functionName, Hook hook, std::uint32_t owner) {
    hooks.push_back({std::move(functionName), std::move(hook), owner});
}

int GameHooks::fire(const std::string& functionName) {
    // Copies: a hook may hook more functions while it runs.
    std::vector<Hook> matching;
    for (const Entry& entry : hooks) {
        if (entry.functionName == functionName) {
            matching.push_back(entry.hook);
        }
    }
    for (const auto& hook : matching) {
        callPlugin("its hook on", functionName, [&] { hook(functionName); });
    }
    return static_cast<int>(matching.size());
}

std::vector<std::string> GameHooks::hookedNames() const {
    std::vector<std::string> names;
    names.reserve(hooks.size());
    for (const Entry& entry : hooks) {
        names.push_back(entry.functionName);
    }
    return names;
}

void GameHooks::dropOwner(std::uint32_t owner) {
    hooks.erase(std::remove_if(hooks.begin(), hooks.end(),
                               [owner](const Entry& entry) { return entry.owner == owner; }),
                hooks.end());
}
