// A game event: one match of the game.
#pragma once

#include "ActorWrapper.h"
#include "PlayerControllerWrapper.h"

class VANTREL_SDK_API GameEventWrapper : public ActorWrapper {
  public:
    using ActorWrapper::ActorWrapper;

    // The player at this machine; a null wrapper when there is none.
    PlayerControllerWrapper GetLocalPrimaryPlayer() const;
};
