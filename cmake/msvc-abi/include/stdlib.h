// Wine's <stdlib.h>, completed with what the Universal CRT's declares and Wine's lacks. atexit
// and _onexit belong to each module, not to a DLL (runtime/Startup.cpp): declared without
// dllimport, as the Universal CRT declares them.
#pragma once
#define atexit wine_atexit
#define _onexit wine_onexit
#include_next <stdlib.h>
#undef atexit
#undef _onexit
#include <errno.h>

#ifdef __cplusplus
extern "C" {
#endif
int __cdecl atexit(void(__cdecl*)(void));
_onexit_t __cdecl _onexit(_onexit_t);
int __cdecl at_quick_exit(void(__cdecl*)(void));
_ACRTIMP unsigned int __cdecl _set_abort_behavior(unsigned int flags, unsigned int mask);
__declspec(noreturn) void __cdecl quick_exit(int);
#ifdef __cplusplus
}
#endif
