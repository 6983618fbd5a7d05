// Wine's <math.h>, completed with what the Universal CRT's declares and Wine's lacks. Long double
// is double under Visual C++, so its functions forward to double's, as the runtime's own do.
#pragma once
#include_next <math.h>

#ifdef __cplusplus
extern "C" {
#endif
typedef float float_t;
typedef double double_t;
double __cdecl erfc(double);
float __cdecl erfcf(float);
double __cdecl fma(double, double, double);
float __cdecl fmaf(float, float, float);
double __cdecl nan(const char*);
float __cdecl nanf(const char*);
double __cdecl nexttoward(double, long double);
float __cdecl nexttowardf(float, long double);

#define _SUNDOWN_LD1(name)                                       \
    static __inline long double __cdecl name##l(long double x) { \
        return name((double)x);                                  \
    }
#define _SUNDOWN_LD2(name)                                                      \
    static __inline long double __cdecl name##l(long double x, long double y) { \
        return name((double)x, (double)y);                                      \
    }
// clang-format off
_SUNDOWN_LD1(acos) _SUNDOWN_LD1(asin) _SUNDOWN_LD1(atan) _SUNDOWN_LD1(cos) _SUNDOWN_LD1(sin)
_SUNDOWN_LD1(tan) _SUNDOWN_LD1(cosh) _SUNDOWN_LD1(sinh) _SUNDOWN_LD1(tanh) _SUNDOWN_LD1(acosh)
_SUNDOWN_LD1(asinh) _SUNDOWN_LD1(atanh) _SUNDOWN_LD1(exp) _SUNDOWN_LD1(exp2) _SUNDOWN_LD1(expm1)
_SUNDOWN_LD1(log) _SUNDOWN_LD1(log10) _SUNDOWN_LD1(log1p) _SUNDOWN_LD1(log2) _SUNDOWN_LD1(logb)
_SUNDOWN_LD1(sqrt) _SUNDOWN_LD1(cbrt) _SUNDOWN_LD1(ceil) _SUNDOWN_LD1(floor) _SUNDOWN_LD1(trunc)
_SUNDOWN_LD1(round) _SUNDOWN_LD1(rint) _SUNDOWN_LD1(nearbyint) _SUNDOWN_LD1(fabs)
_SUNDOWN_LD1(erf) _SUNDOWN_LD1(erfc) _SUNDOWN_LD1(tgamma) _SUNDOWN_LD1(lgamma)
_SUNDOWN_LD2(atan2) _SUNDOWN_LD2(pow) _SUNDOWN_LD2(fmod) _SUNDOWN_LD2(hypot)
_SUNDOWN_LD2(copysign) _SUNDOWN_LD2(fdim) _SUNDOWN_LD2(fmax) _SUNDOWN_LD2(fmin)
_SUNDOWN_LD2(nextafter) _SUNDOWN_LD2(remainder)
// clang-format on
#undef _SUNDOWN_LD1
#undef _SUNDOWN_LD2
                                                static __inline long double __cdecl frexpl(
                                                    long double x, int* e) {
    return frexp((double)x, e);
}
static __inline long double __cdecl ldexpl(long double x, int e) {
    return ldexp((double)x, e);
}
static __inline long double __cdecl modfl(long double x, long double* whole) {
    double w;
    double fraction = modf((double)x, &w);
    *whole = w;
    return fraction;
}
static __inline int __cdecl ilogbl(long double x) {
    return ilogb((double)x);
}
static __inline long long __cdecl llrintl(long double x) {
    return llrint((double)x);
}
static __inline long long __cdecl llroundl(long double x) {
    return llround((double)x);
}
static __inline long __cdecl lrintl(long double x) {
    return lrint((double)x);
}
static __inline long __cdecl lroundl(long double x) {
    return lround((double)x);
}
static __inline long double __cdecl scalbnl(long double x, int e) {
    return scalbn((double)x, e);
}
static __inline long double __cdecl scalblnl(long double x, long e) {
    return scalbln((double)x, e);
}
static __inline long double __cdecl remquol(long double x, long double y, int* quotient) {
    return remquo((double)x, (double)y, quotient);
}
static __inline long double __cdecl fmal(long double x, long double y, long double z) {
    return fma((double)x, (double)y, (double)z);
}
static __inline long double __cdecl nanl(const char* tag) {
    return nan(tag);
}
static __inline long double __cdecl nexttowardl(long double x, long double y) {
    return nexttoward((double)x, y);
}
#ifdef __cplusplus
}
#endif

#ifdef __cplusplus
// C++ has the classification and comparison macros as functions, one per floating type.
#undef fpclassify
#undef signbit
#undef isinf
#undef isnan
#undef isnormal
#undef isfinite
#undef isgreater
#undef isgreaterequal
#undef isless
#undef islessequal
#undef islessgreater
#undef isunordered
extern "C++" {
inline int fpclassify(float x) noexcept {
    return _fdclass(x);
}
inline int fpclassify(double x) noexcept {
    return _dclass(x);
}
inline int fpclassify(long double x) noexcept {
    return _dclass(static_cast<double>(x));
}
inline bool signbit(float x) noexcept {
    return _fdsign(x) != 0;
}
inline bool signbit(double x) noexcept {
    return _dsign(x) != 0;
}
inline bool signbit(long double x) noexcept {
    return _dsign(static_cast<double>(x)) != 0;
}
template <class T>
inline bool isinf(T x) noexcept {
    return fpclassify(x) == FP_INFINITE;
}
template <class T>
inline bool isnan(T x) noexcept {
    return fpclassify(x) == FP_NAN;
}
template <class T>
inline bool isnormal(T x) noexcept {
    return fpclassify(x) == FP_NORMAL;
}
template <class T>
inline bool isfinite(T x) noexcept {
    const int kind = fpclassify(x);
    return kind != FP_INFINITE && kind != FP_NAN;
}
template <class T>
inline bool isunordered(T x, T y) noexcept {
    return isnan(x) || isnan(y);
}
template <class T>
inline bool isgreater(T x, T y) noexcept {
    return !isunordered(x, y) && x > y;
}
template <class T>
inline bool isgreaterequal(T x, T y) noexcept {
    return !isunordered(x, y) && x >= y;
}
template <class T>
inline bool isless(T x, T y) noexcept {
    return !isunordered(x, y) && x < y;
}
template <class T>
inline bool islessequal(T x, T y) noexcept {
    return !isunordered(x, y) && x <= y;
}
template <class T>
inline bool islessgreater(T x, T y) noexcept {
    return !isunordered(x, y) && x != y;
}
}
#endif
