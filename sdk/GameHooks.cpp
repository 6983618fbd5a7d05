#include "GameHooks.h"

void GameHooks::add(std::string functionName, Hook hook) {
    hooks.emplace_back(std::move(functionName), std::move(hook));
}

int GameHooks::fire(const std::string& functionName) {
    // Copies: a hook may hook more functions while it runs.
    std::vector<Hook> matching;
    for (const auto& [name, hook] : hooks) {
        if (name == functionName) {
            matching.push_back(hook);
        }
    }
    for (const auto& hook : matching) {
        hook(functionName);
    }
    return static_cast<int>(matching.size());
}

std::vector<std::string> GameHooks::hookedNames() const {
    std::vector<std::string> names;
    names.reserve(hooks.size());
    for (const auto& entry : hooks) {
        names.push_back(entry.first);
    }
    return names;
}
