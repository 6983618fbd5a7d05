// What an opt-in rule's shell may ask of the plug-in, and nothing more: its settings, the wall
// clock, a timeout and a heads-up. The plug-in object offers them; a test may offer its own.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "Calendar.h"
#include "Settings.h"

class RuleServices {
  public:
    // A setting's number, held within the limits it was registered with.
    virtual int held(const Setting& which) const = 0;
    // A setting read as the console reads a switch: any number but 0 is on.
    virtual bool flag(const Setting& which) const = 0;
    virtual std::string text(const Setting& which) const = 0;
    virtual void write(const Setting& which, int value) = 0;
    virtual void write(const Setting& which, std::string value) = 0;
    // The local date and time, `secondsAgo` before now; none when the system cannot tell, or
    // tells a date the calendar cannot name.
    virtual std::optional<LocalTime> now(int secondsAgo = 0) const = 0;
    // Runs `body` once after `seconds` on the game's clock, unless the plug-in object has gone.
    virtual void after(float seconds, std::function<void()> body) = 0;
    // Shows `text` in the status line's place for a while, when the player asked for heads-ups.
    virtual void showHeadsUp(const char* text) = 0;

  protected:
    RuleServices() = default;
    RuleServices(const RuleServices&) = default;
    RuleServices& operator=(const RuleServices&) = default;
    ~RuleServices() = default;
};
