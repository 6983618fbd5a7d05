// Wine's <io.h>, whose old POSIX names open and sopen are macros: Windows' own declares them as
// functions, so they are functions here too, and a member named open stays itself.
#pragma once
#include_next <io.h>
#undef open
#undef sopen

#ifdef __cplusplus
extern "C++" {
inline int __cdecl open(const char* path, int flags, int mode = 0) {
    return _open(path, flags, mode);
}
inline int __cdecl sopen(const char* path, int flags, int share, int mode = 0) {
    return _sopen(path, flags, share, mode);
}
}
#endif
