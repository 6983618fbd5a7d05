// Wine's <windows.h>, made to read as Windows' own does under Visual C++:
// - its inline function of the name of clang's builtin _InterlockedCompareExchange128 would
//   redefine the builtin, so it is compiled under another name and the builtin kept;
// - its macro for the keyword inline, which Windows' lacks, would rewrite the standard library's
//   inline variables.
#pragma once
#include <intrin.h>
#define _InterlockedCompareExchange128 wine_InterlockedCompareExchange128
#include_next <windows.h>
#undef _InterlockedCompareExchange128
#undef InterlockedCompareExchange128
#define InterlockedCompareExchange128 _InterlockedCompareExchange128
#undef inline
