// Splits a console or script line into words: blanks separate them, double quotes group them.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "HostApi.h"

// Empty when a quote is left open.
VANTREL_SDK_API std::optional<std::vector<std::string>> splitWords(const std::string& line);
