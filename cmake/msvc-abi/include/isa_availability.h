// Stand-in for the Visual C++ runtime's <isa_availability.h>: the levels of instruction set the
// runtime detects, which the standard library's vector algorithms test against.
#pragma once
enum ISA_AVAILABILITY {
    __ISA_AVAILABLE_X86 = 0,
    __ISA_AVAILABLE_SSE2 = 1,
    __ISA_AVAILABLE_SSE42 = 2,
    __ISA_AVAILABLE_AVX = 3,
    __ISA_AVAILABLE_ENFSTRG = 4,
    __ISA_AVAILABLE_AVX2 = 5,
    __ISA_AVAILABLE_AVX512 = 6,
};
#ifdef __cplusplus
extern "C"
#endif
    int __isa_available;
