// A player's replicated information as the game's own player class sees it.
#pragma once

#include "PlayerReplicationInfoWrapper.h"

class VANTREL_SDK_API PriWrapper : public PlayerReplicationInfoWrapper {
  public:
    using PlayerReplicationInfoWrapper::PlayerReplicationInfoWrapper;
};
