// The online game the player is in.
#pragma once

#include "GameEventWrapper.h"
#include "TeamWrapper.h"

class VANTREL_SDK_API ServerWrapper : public GameEventWrapper {
  public:
    using GameEventWrapper::GameEventWrapper;

    // The team that won the match; a null wrapper while there is no winner.
    TeamWrapper GetGameWinner() const;
};
