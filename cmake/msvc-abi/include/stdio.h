// Wine's <stdio.h>, completed with what the Universal CRT's declares and Wine's lacks.
#pragma once
#include <corecrt.h>
#include_next <stdio.h>

#ifdef __cplusplus
extern "C" {
#endif
errno_t __cdecl _get_stream_buffer_pointers(FILE*, char***, char***, int**);
int __cdecl vfscanf(FILE*, const char*, va_list);
int __cdecl vscanf(const char*, va_list);
int __cdecl vsscanf(const char*, const char*, va_list);
#ifdef __cplusplus
}
#endif
