// Wine's <eh.h>, whose functions the Universal CRT exports with C names: ucrtbase.dll has
// terminate, not the C++ name msvcrt.dll had.
#pragma once
#define set_terminate wine_set_terminate
#define set_unexpected wine_set_unexpected
#define set_se_translator wine_set_se_translator
#define terminate wine_terminate
#define unexpected wine_unexpected
#include_next <eh.h>
#undef set_terminate
#undef set_unexpected
#undef set_se_translator
#undef terminate
#undef unexpected

extern "C" {
_ACRTIMP terminate_handler __cdecl set_terminate(terminate_handler handler);
_ACRTIMP unexpected_handler __cdecl set_unexpected(unexpected_handler handler);
_ACRTIMP _se_translator_function __cdecl _set_se_translator(_se_translator_function translator);
_ACRTIMP __declspec(noreturn) void __cdecl terminate(void);
_ACRTIMP __declspec(noreturn) void __cdecl unexpected(void);
}
