// What only the tests do to the host world: moves of the host and the game that a player or a
// script never makes. Defined here, in the tests, so that the host's classes are the same in the
// SDK library and in every program that uses it.
#pragma once

#if !defined(SUNDOWN_TESTING)
#error "HostTestAccess is for the tests alone"
#endif

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "Console.h"
#include "Game.h"
#include "SettingsWindow.h"

struct HostTestAccess {
    // Removes a variable, as when the host forgets an unsaved one.
    static void forget(Console& console, const std::string& name) {
        console.variables.erase(name);
    }
    // The winner as the game reports it, without the match ending: a case the game rarely has.
    static void setWinner(Game& game, std::optional<std::uint8_t> team) { game.winner = team; }
    // How many frames queued input takes yet. A click's last frame only settles: the one before
    // it is the drawing in which the click landed.
    static std::size_t framesLeft(const SettingsWindow& window) { return window.steps.size(); }
};
