// Stand-in for the Visual C++ runtime's <vcruntime.h>: the macros and types the standard library
// headers expect of it, for a /MD build against vcruntime140.dll. Not Microsoft's header.
#pragma once
#define _VCRUNTIME_H
#include <sal.h>
#include <vadefs.h>

#define _VCRT_COMPILER_PREPROCESSOR 1
#define _CRT_PACKING 8
#ifdef __cplusplus
#define _CRT_BEGIN_C_HEADER __pragma(pack(push, _CRT_PACKING)) extern "C" {
#define _CRT_END_C_HEADER \
    }                     \
    __pragma(pack(pop))
#else
#define _CRT_BEGIN_C_HEADER __pragma(pack(push, _CRT_PACKING))
#define _CRT_END_C_HEADER __pragma(pack(pop))
#endif

// Everything of the runtime is imported from its DLLs.
#define _VCRTIMP __declspec(dllimport)
#ifndef _CRTIMP
#define _CRTIMP __declspec(dllimport)
#endif
#define _VCRT_NOALIAS __declspec(noalias)
#define _VCRT_RESTRICT __declspec(restrict)
#define _VCRT_ALLOCATOR __declspec(allocator)
#define _VCRT_JIT_INTRINSIC
#define _CRT_GUARDOVERFLOW
#define _CRT_HYBRIDPATCHABLE
#define _CRT_ALIGN(x) __declspec(align(x))
#define _CRT_DEPRECATE_TEXT(text) __declspec(deprecated(text))
#define _CRT_INSECURE_DEPRECATE(replacement)
#define _CRT_INSECURE_DEPRECATE_MEMORY(replacement)
#define _VCRUNTIME_DISABLED_WARNINGS 4514 4820
#define _VCRUNTIME_EXTRA_DISABLED_WARNINGS

#define _CRT_STRINGIZE_(x) #x
#define _CRT_STRINGIZE(x) _CRT_STRINGIZE_(x)
#define _CRT_WIDE_(s) L##s
#define _CRT_WIDE(s) _CRT_WIDE_(s)
#define _CRT_CONCATENATE_(a, b) a##b
#define _CRT_CONCATENATE(a, b) _CRT_CONCATENATE_(a, b)
#define _CRT_UNPARENTHESIZE_(...) __VA_ARGS__
#define _CRT_UNPARENTHESIZE(...) _CRT_UNPARENTHESIZE_ __VA_ARGS__
#define __crt_countof(array) (sizeof(array) / sizeof(array[0]))

#define __CLR_OR_THIS_CALL
#define __CLRCALL_OR_CDECL __cdecl
#define __CLRCALL_PURE_OR_CDECL __cdecl
#define __CLRCALL_PURE_OR_STDCALL __stdcall
#define __CRTDECL __CLRCALL_PURE_OR_CDECL

#ifndef _HAS_EXCEPTIONS
#define _HAS_EXCEPTIONS 1
#endif
#ifndef _HAS_NODISCARD
#define _HAS_NODISCARD 1
#endif
#if _HAS_NODISCARD
#define _NODISCARD [[nodiscard]]
#else
#define _NODISCARD
#endif
#if defined(_MSVC_LANG) && _MSVC_LANG > 201402L
#define _CRT_HAS_CXX17 1
#else
#define _CRT_HAS_CXX17 0
#endif
#ifndef _HAS_CXX17
#define _HAS_CXX17 _CRT_HAS_CXX17
#endif
#ifndef _HAS_CXX20
#if defined(_MSVC_LANG) && _MSVC_LANG > 201703L
#define _HAS_CXX20 1
#else
#define _HAS_CXX20 0
#endif
#endif
#ifndef _HAS_CXX23
#if defined(_MSVC_LANG) && _MSVC_LANG > 202002L
#define _HAS_CXX23 1
#else
#define _HAS_CXX23 0
#endif
#endif

#ifndef _SIZE_T_DEFINED
#define _SIZE_T_DEFINED
typedef unsigned __int64 size_t;
#endif
#ifndef _PTRDIFF_T_DEFINED
#define _PTRDIFF_T_DEFINED
typedef __int64 ptrdiff_t;
#endif
#ifndef _INTPTR_T_DEFINED
#define _INTPTR_T_DEFINED
typedef __int64 intptr_t;
#endif
#ifndef _UINTPTR_T_DEFINED
#define _UINTPTR_T_DEFINED
typedef unsigned __int64 uintptr_t;
#endif
#ifdef __cplusplus
typedef bool __vcrt_bool;
#endif
#ifndef NULL
#ifdef __cplusplus
#define NULL 0
#else
#define NULL ((void*)0)
#endif
#endif

// The /GS cookie: defined by each module's own runtime stand-in, not by a DLL.
#ifdef __cplusplus
extern "C" {
#endif
void __cdecl __security_init_cookie(void);
extern uintptr_t __security_cookie;
#ifdef __cplusplus
}
#endif

// The standard library's import markers: its DLL parts are declared through its own headers.
#ifndef _CRTIMP2
#define _CRTIMP2
#endif
#ifndef _CRTIMP_PURE
#define _CRTIMP_PURE
#endif
#ifndef _MRTIMP2
#define _MRTIMP2
#endif
#ifndef _MRTIMP2_NCEEPURE
#define _MRTIMP2_NCEEPURE
#endif
#ifndef _PGLOBAL
#define _PGLOBAL
#endif
#ifndef _AGLOBAL
#define _AGLOBAL
#endif
#ifndef _CRT_SATELLITE_1
#define _CRT_SATELLITE_1
#endif
#ifndef _CRT_SATELLITE_2
#define _CRT_SATELLITE_2
#endif
#ifndef _CRT_SATELLITE_CODECVT_IDS
#define _CRT_SATELLITE_CODECVT_IDS
#endif
#ifndef _CRT_SATELLITE_CODECVT_IDS_NOIMPORT
#define _CRT_SATELLITE_CODECVT_IDS_NOIMPORT
#endif
