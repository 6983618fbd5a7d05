#include "HostObject.h"

#include "HostWorld.h"
#include "ObjectHandle.h"

HostObject::HostObject(HostWorld& world, Kind kind) : owner(&world), objectKind(kind) {
    owner->objectCreated();
}

HostObject::~HostObject() {
    owner->objectDestroyed();
}

void HostObject::release() {
    if (--references == 0) {
        delete this;
    }
}

ObjectHandle::ObjectHandle(HostObject* object) : object(object) {
    if (object != nullptr) {
        object->retain();
    }
}

ObjectHandle::ObjectHandle(const ObjectHandle& other) : ObjectHandle(other.object) {}

ObjectHandle& ObjectHandle::operator=(const ObjectHandle& other) {
    if (this == &other) {
        return *this;
    }
    if (other.object != nullptr) {
        other.object->retain();
    }
    if (object != nullptr) {
        object->release();
    }
    object = other.object;
    return *this;
}

ObjectHandle::~ObjectHandle() {
    if (object != nullptr) {
        object->release();
    }
}

ObjectHandle& ObjectHandle::operator=(ObjectHandle&& other) noexcept {
    if (this != &other) {
        if (object != nullptr) {
            object->release();
        }
        object = other.object;
        other.object = nullptr;
    }
    return *this;
}
