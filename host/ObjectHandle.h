// The handle every wrapper holds: it keeps its host object referenced until the wrapper goes.
#pragma once

#include "HostApi.h"

class VANTREL_SDK_API ObjectHandle {
  public:
    explicit ObjectHandle(HostObject* object = nullptr);
    ObjectHandle(const ObjectHandle& other);
    ObjectHandle& operator=(const ObjectHandle& other);
    ~ObjectHandle();

    HostObject* get() const { return object; }
    bool empty() const { return object == nullptr; }

  private:
    HostObject* object;
};
