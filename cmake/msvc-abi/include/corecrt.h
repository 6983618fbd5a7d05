// Wine's <corecrt.h>, completed with what the Universal CRT's declares and Wine's lacks.
#pragma once
#include_next <corecrt.h>

#ifndef _MBSTATET_DEFINED
#define _MBSTATET_DEFINED
typedef struct _Mbstatet {
    unsigned long _Wchar;
    unsigned short _Byte, _State;
} _Mbstatet;
#endif

#ifdef __cplusplus
extern "C" {
#endif
__declspec(noreturn) void __cdecl _invalid_parameter_noinfo_noreturn(void);
__declspec(noreturn) void __cdecl _invoke_watson(wchar_t const*, wchar_t const*, wchar_t const*,
                                                 unsigned int, uintptr_t);
#ifdef __cplusplus
}
#endif
#ifndef _CRT_SECURE_INVALID_PARAMETER
#define _CRT_SECURE_INVALID_PARAMETER(expression) _invalid_parameter_noinfo_noreturn()
#endif
