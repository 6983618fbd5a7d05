// A player's replicated information.
#pragma once

#include <cstdint>

#include "ActorWrapper.h"

class VANTREL_SDK_API PlayerReplicationInfoWrapper : public ActorWrapper {
  public:
    using ActorWrapper::ActorWrapper;

    // The number of the player's team; 0 on a null wrapper.
    std::uint8_t GetTeamNum() const;
};
