// A team of the running game.
#pragma once

#include "TeamInfoWrapper.h"

class VANTREL_SDK_API TeamWrapper : public TeamInfoWrapper {
  public:
    using TeamInfoWrapper::TeamInfoWrapper;
};
