// Wine's <time.h>, completed with what the Universal CRT's declares and Wine's lacks.
#pragma once
#include_next <time.h>

#ifdef __cplusplus
extern "C" {
#endif
#ifndef _TIMESPEC_DEFINED
#define _TIMESPEC_DEFINED
struct timespec {
    time_t tv_sec;
    long tv_nsec;
};
#endif
#define TIME_UTC 1
int __cdecl _timespec64_get(struct timespec*, int);
errno_t __cdecl _gmtime64_s(struct tm*, const __time64_t*);
static __inline int __cdecl timespec_get(struct timespec* when, int base) {
    return _timespec64_get(when, base);
}
static __inline errno_t __cdecl localtime_s(struct tm* local, const time_t* when) {
    return _localtime64_s(local, when);
}
static __inline errno_t __cdecl gmtime_s(struct tm* universal, const time_t* when) {
    return _gmtime64_s(universal, when);
}
#ifdef __cplusplus
}
#endif
