// A team's replicated information.
#pragma once

#include <cstdint>

#include "ActorWrapper.h"

class VANTREL_SDK_API TeamInfoWrapper : public ActorWrapper {
  public:
    using ActorWrapper::ActorWrapper;

    // The team number; 0 on a null wrapper.
    std::uint8_t GetTeamNum() const;
};
