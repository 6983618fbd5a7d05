// A player's controller.
#pragma once

#include "ActorWrapper.h"
#include "PriWrapper.h"

class VANTREL_SDK_API PlayerControllerWrapper : public ActorWrapper {
  public:
    using ActorWrapper::ActorWrapper;

    // The player's replicated information; a null wrapper when there is none.
    PriWrapper GetPRI() const;
};
