// The plug-in's own state as the lock reads and puts it back: the master switch, the limit mode,
// the count and timer limits the plug-in holds in its fields, and the lines it shows the player.
#pragma once

#include <cstdint>
#include <string>

#include "LockShell.h"

class Sundown;

class SundownLock final : public LockHolder {
  public:
    explicit SundownLock(Sundown& plugin) : plugin(plugin) {}
    bool countRulesOn() const override;
    bool timerRunning() const override;
    int countMode() const override;
    void countSettingsPutBack() override;
    void tell(const std::string& line) override;
    void showLocked(const char* text) override;
    bool showingLocked() const override;

  private:
    Sundown& plugin;
    std::uint32_t lastShown = 0;
};
