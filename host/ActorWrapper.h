// Base of every game-object wrapper: a value object that may stand for no object at all.
#pragma once

#include "ObjectHandle.h"

class VANTREL_SDK_API ActorWrapper {
  public:
    explicit ActorWrapper(ObjectHandle handle);
    virtual ~ActorWrapper();
    ActorWrapper(const ActorWrapper&) = default;
    ActorWrapper& operator=(const ActorWrapper&) = default;
    ActorWrapper(ActorWrapper&&) noexcept = default;
    ActorWrapper& operator=(ActorWrapper&&) noexcept = default;

    // True when no game object stands behind the wrapper.
    bool IsNull() const;

    const ObjectHandle& handle() const { return object; }

  private:
    ObjectHandle object;
};
