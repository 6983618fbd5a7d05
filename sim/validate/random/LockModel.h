// The random player's own model of the lock on its limits, from the README: which way each
// limit may move while locked, what is put back and what the lock holds from then on. Written
// apart from the plug-in's code.
#pragma once

#include <map>
#include <string>

namespace randomPlay {

class LockModel {
  public:
    // The player locks the limits as the console variables hold them now (the count rules'
    // switch and mode as the page shows them), until the day ends at `startHour`.
    void take(std::map<std::string, std::string> limits, int startHour);
    // The day ended: the lock with it.
    void end() { locked = false; }
    bool held() const { return locked; }

    // The player set `name` to `value` (as its variable holds it): whether that loosens the
    // limit the lock holds, to be put back. When it does not, the lock holds `value` from now on.
    bool loosens(const std::string& name, const std::string& value);
    // The text the variable holds once put back: a bedtime as HH:MM.
    std::string kept(const std::string& name) const;
    // "Sundown: locked until HH:00".
    std::string line() const;
    // The console's line of a limit put back.
    std::string keptLine(const std::string& name) const {
        return line() + ", " + name + " kept at " + kept(name);
    }

  private:
    std::map<std::string, std::string> limits;
    int startHour = 4;
    bool locked = false;
};

}  // namespace randomPlay
