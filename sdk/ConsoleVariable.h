// One host console variable: its registration and its value, held as text. Numbers are
// kept within the registered limits; any other text is kept as it is.
#pragma once

#include <optional>
#include <string>

#include "HostApi.h"
#include "HostObject.h"

struct VariableRegistration {
    std::string name;
    std::string defaultValue;
    std::string description;
    bool listed = false;
    bool useMin = false;
    float minimum = 0.0F;
    bool useMax = false;
    float maximum = 0.0F;
    bool persist = false;
};

class VANTREL_SDK_API ConsoleVariable : public HostObject {
  public:
    static constexpr Kind kKind = Kind::Variable;
    ConsoleVariable(HostWorld& world, VariableRegistration registration);

    const VariableRegistration& registration() const { return setup; }
    const std::string& text() const { return value; }

    // Stores `text` as the host console would; returns what was stored.
    const std::string& store(const std::string& text);
    // Keeps `text` exactly as written, limits or not, as a host does with a value it reads
    // back from a hand-edited saved configuration.
    void keepAsWritten(const std::string& text);

    bool boolValue() const { return intValue() != 0; }
    int intValue() const;
    float floatValue() const;

  private:
    void hold(std::string text);

    VariableRegistration setup;
    std::string value;
    // The value read as a number once, when it is stored: pages read variables every frame.
    std::optional<double> number;
};
