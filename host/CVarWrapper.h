// One console variable. An invalid wrapper stands for a name the console does not know;
// every operation on it is harmless.
#pragma once

#include <string>

#include "ObjectHandle.h"

class VANTREL_SDK_API CVarWrapper {
  public:
    explicit CVarWrapper(ObjectHandle handle);
    CVarWrapper(const CVarWrapper&) = default;
    CVarWrapper& operator=(const CVarWrapper&) = default;
    CVarWrapper(CVarWrapper&&) noexcept = default;
    CVarWrapper& operator=(CVarWrapper&&) noexcept = default;
    ~CVarWrapper() = default;

    explicit operator bool() const;

    bool getBoolValue() const;
    int getIntValue() const;
    float getFloatValue() const;
    std::string getStringValue() const;

    void setValue(int value);
    void setValue(std::string value);

  private:
    ObjectHandle variable;
};
