// What stands behind a wrapper: a host object kept alive by the handles that refer to it.
#pragma once

class HostWorld;

class HostObject {
  public:
    // What stands behind a handle; wrappers check it before they use the object.
    enum class Kind { Variable, Canvas, TeamMember, GameObject };

    HostObject(HostWorld& world, Kind kind);
    virtual ~HostObject();
    HostObject(const HostObject&) = delete;
    HostObject& operator=(const HostObject&) = delete;

    void retain() { ++references; }
    // Deletes the object when the last handle lets go.
    void release();

    HostWorld& world() const { return *owner; }
    Kind kind() const { return objectKind; }

  private:
    HostWorld* owner;
    Kind objectKind;
    int references = 0;
};

// The object behind a handle as `Object`, or null when it is another kind or there is none.
template <typename Object>
Object* objectAs(HostObject* object) {
    return object != nullptr && object->kind() == Object::kKind ? static_cast<Object*>(object)
                                                                : nullptr;
}
