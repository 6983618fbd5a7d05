#include "ConsoleVariable.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <optional>
#include <utility>

namespace {

// A finite number written out in full, or nothing.
std::optional<double> parseNumber(const std::string& text) {
    if (text.empty()) {
        return std::nullopt;
    }
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    const double number = std::strtod(begin, &end);
    if (end == begin || *end != '\0' || std::isnan(number)) {
        return std::nullopt;
    }
    return number;
}

std::string formatNumber(double number) {
    if (std::isfinite(number) && number == std::floor(number) && std::fabs(number) < 1e15) {
        return std::to_string(static_cast<long long>(number));
    }
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%g", number);
    return buffer;
}

}  // namespace

ConsoleVariable::ConsoleVariable(HostWorld& world, VariableRegistration registration)
    : HostObject(world, kKind), setup(std::move(registration)) {
    store(setup.defaultValue);
}

const std::string& ConsoleVariable::store(const std::string& text) {
    const std::optional<double> written = parseNumber(text);
    if (!written) {
        hold(text);
        return value;
    }
    double kept = *written;
    if (setup.useMin && kept < setup.minimum) {
        kept = setup.minimum;
    }
    if (setup.useMax && kept > setup.maximum) {
        kept = setup.maximum;
    }
    hold(formatNumber(kept));
    return value;
}

void ConsoleVariable::keepAsWritten(const std::string& text) {
    hold(text);
}

void ConsoleVariable::hold(std::string text) {
    value = std::move(text);
    number = parseNumber(value);
}

int ConsoleVariable::intValue() const {
    if (!number) {
        return 0;
    }
    constexpr double lowest = std::numeric_limits<int>::min();
    constexpr double highest = std::numeric_limits<int>::max();
    if (*number <= lowest) {
        return std::numeric_limits<int>::min();
    }
    if (*number >= highest) {
        return std::numeric_limits<int>::max();
    }
    return static_cast<int>(*number);
}

float ConsoleVariable::floatValue() const {
    return number ? static_cast<float>(*number) : 0.0F;
}
