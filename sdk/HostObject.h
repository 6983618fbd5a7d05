// What stands behind a wrapper: a host object kept alive by the handles that refer to it.
#pragma once

class HostWorld;

class HostObject {
  public:
    explicit HostObject(HostWorld& world);
    virtual ~HostObject();
    HostObject(const HostObject&) = delete;
    HostObject& operator=(const HostObject&) = delete;

    void retain() { ++references; }
    // Deletes the object when the last handle lets go.
    void release();

    HostWorld& world() const { return *owner; }

  private:
    HostWorld* owner;
    int references = 0;
};
