// The handle every wrapper holds: it keeps its host object referenced until the wrapper goes.
#pragma once

#include "HostApi.h"

class VANTREL_SDK_API ObjectHandle {
  public:
    explicit ObjectHandle(HostObject* object = nullptr);
    ObjectHandle(const ObjectHandle& other);
    ObjectHandle& operator=(const ObjectHandle& other);
    // A moved handle takes the reference over; the one it leaves is empty.
    ObjectHandle(ObjectHandle&& other) noexcept : object(other.object) { other.object = nullptr; }
    ObjectHandle& operator=(ObjectHandle&& other) noexcept;
    ~ObjectHandle();

    HostObject* get() const { return object; }
    bool empty() const { return object == nullptr; }

  private:
    HostObject* object;
};
