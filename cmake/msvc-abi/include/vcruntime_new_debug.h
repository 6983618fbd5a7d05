// Stand-in for the Visual C++ runtime's <vcruntime_new_debug.h>: the debug heap's forms of
// operator new are not part of a /MD release build.
#pragma once
#include <vcruntime_new.h>
