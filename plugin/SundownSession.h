// The plug-in's session as the kept session takes and gives it back: the master switch, the
// limit mode, the counts and the losing streak, which are the plug-in object's own fields.
#pragma once

#include "KeptSessionShell.h"

class Sundown;

class SundownSession final : public SessionHolder {
  public:
    explicit SundownSession(Sundown& plugin) : plugin(plugin) {}
    SessionSnapshot session() const override;
    void resume(const SavedSession& kept) override;

  private:
    Sundown& plugin;
};
