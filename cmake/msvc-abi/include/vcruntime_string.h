// Stand-in for the Visual C++ runtime's <vcruntime_string.h>: the memory functions, which Wine's
// <string.h> declares.
#pragma once
#include <string.h>
