// Wine's <excpt.h>, with the names of the compiler's structured exception intrinsics that
// Windows' own declares for Visual C++.
#pragma once
#include_next <excpt.h>

#ifndef GetExceptionCode
#define GetExceptionCode _exception_code
#define GetExceptionInformation (struct _EXCEPTION_POINTERS*)_exception_info
#define AbnormalTermination _abnormal_termination
#ifdef __cplusplus
extern "C" {
#endif
unsigned long __cdecl _exception_code(void);
void* __cdecl _exception_info(void);
int __cdecl _abnormal_termination(void);
#ifdef __cplusplus
}
#endif
#endif
