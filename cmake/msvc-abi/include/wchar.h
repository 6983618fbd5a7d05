// Wine's <wchar.h>, completed with what the Universal CRT's declares and Wine's lacks; its
// mbstate_t is the runtime's _Mbstatet, as the standard library's headers expect.
#pragma once
#include <corecrt.h>
#define mbstate_t wine_mbstate_t
#include_next <wchar.h>
#undef mbstate_t
typedef _Mbstatet mbstate_t;
#include <stdio.h>

#ifdef __cplusplus
extern "C" {
#endif
int __cdecl fwide(FILE*, int);
int __cdecl mbsinit(const mbstate_t*);
int __cdecl vfwscanf(FILE*, const wchar_t*, va_list);
int __cdecl vswscanf(const wchar_t*, const wchar_t*, va_list);
int __cdecl vwscanf(const wchar_t*, va_list);
long double __cdecl wcstold(const wchar_t*, wchar_t**);
#ifdef __cplusplus
}
#endif
