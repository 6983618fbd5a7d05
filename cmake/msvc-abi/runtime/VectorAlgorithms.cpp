// The standard library's helpers for algorithms over plain values (find, count, reverse, min and
// max element), which Microsoft's library ships hand-vectorised in its static part. Here plain
// loops: the same results, which is what the tests prove. The library's own algorithms are taken
// in their plain form here, or they would call these helpers back.
#define _USE_STD_VECTOR_ALGORITHMS 0
#include <stddef.h>
#include <stdint.h>
#include <algorithm>
#include <type_traits>

// The library's MinAndMax, which it declares only while the helpers are in use.
struct MinAndMax {
    const void* least;
    const void* greatest;
};

namespace {
template <class T>
const void* findValue(const void* first, const void* last, T value) {
    const T* at = static_cast<const T*>(first);
    const T* const end = static_cast<const T*>(last);
    while (at != end && *at != value) {
        ++at;
    }
    return at;
}

template <class T>
const void* findUnsized(const void* first, T value) {
    const T* at = static_cast<const T*>(first);
    while (*at != value) {
        ++at;
    }
    return at;
}

template <class T>
size_t countValue(const void* first, const void* last, T value) {
    return static_cast<size_t>(
        std::count(static_cast<const T*>(first), static_cast<const T*>(last), value));
}

template <class T>
void reverseValues(void* first, void* last) {
    std::reverse(static_cast<T*>(first), static_cast<T*>(last));
}

template <class T>
void reverseCopy(const void* first, const void* last, void* destination) {
    std::reverse_copy(static_cast<const T*>(first), static_cast<const T*>(last),
                      static_cast<T*>(destination));
}

template <class T>
const T* begin(const void* first) {
    return static_cast<const T*>(first);
}

template <class T>
const T* end(const void* last) {
    return static_cast<const T*>(last);
}

// The least (the first of equals) and the greatest (the first of equals for max_element, the last
// for minmax_element), of the values read as signed or unsigned.
template <class Unsigned>
const void* least(const void* first, const void* last, bool isSigned) {
    using Signed = std::make_signed_t<Unsigned>;
    return isSigned
               ? static_cast<const void*>(std::min_element(begin<Signed>(first), end<Signed>(last)))
               : std::min_element(begin<Unsigned>(first), end<Unsigned>(last));
}

template <class Unsigned>
const void* greatest(const void* first, const void* last, bool isSigned) {
    using Signed = std::make_signed_t<Unsigned>;
    return isSigned
               ? static_cast<const void*>(std::max_element(begin<Signed>(first), end<Signed>(last)))
               : std::max_element(begin<Unsigned>(first), end<Unsigned>(last));
}

template <class Unsigned>
MinAndMax leastAndGreatest(const void* first, const void* last, bool isSigned) {
    using Signed = std::make_signed_t<Unsigned>;
    if (isSigned) {
        const auto range = std::minmax_element(begin<Signed>(first), end<Signed>(last));
        return {range.first, range.second};
    }
    const auto range = std::minmax_element(begin<Unsigned>(first), end<Unsigned>(last));
    return {range.first, range.second};
}
}  // namespace

extern "C" {
#define SUNDOWN_FOR_EACH_WIDTH(X) X(1, uint8_t) X(2, uint16_t) X(4, uint32_t) X(8, uint64_t)

#define SUNDOWN_DEFINE_HELPERS(width, Unsigned)                                                \
    const void* __stdcall __std_find_trivial_##width(const void* first, const void* last,      \
                                                     Unsigned value) noexcept {                \
        return findValue(first, last, value);                                                  \
    }                                                                                          \
    const void* __stdcall __std_find_trivial_unsized_##width(const void* first,                \
                                                             Unsigned value) noexcept {        \
        return findUnsized(first, value);                                                      \
    }                                                                                          \
    size_t __stdcall __std_count_trivial_##width(const void* first, const void* last,          \
                                                 Unsigned value) noexcept {                    \
        return countValue(first, last, value);                                                 \
    }                                                                                          \
    void __cdecl __std_reverse_trivially_swappable_##width(void* first, void* last) noexcept { \
        reverseValues<Unsigned>(first, last);                                                  \
    }                                                                                          \
    void __cdecl __std_reverse_copy_trivially_copyable_##width(                                \
        const void* first, const void* last, void* destination) noexcept {                     \
        reverseCopy<Unsigned>(first, last, destination);                                       \
    }                                                                                          \
    const void* __stdcall __std_min_element_##width(const void* first, const void* last,       \
                                                    bool isSigned) noexcept {                  \
        return least<Unsigned>(first, last, isSigned);                                         \
    }                                                                                          \
    const void* __stdcall __std_max_element_##width(const void* first, const void* last,       \
                                                    bool isSigned) noexcept {                  \
        return greatest<Unsigned>(first, last, isSigned);                                      \
    }                                                                                          \
    MinAndMax __stdcall __std_minmax_element_##width(const void* first, const void* last,      \
                                                     bool isSigned) noexcept {                 \
        return leastAndGreatest<Unsigned>(first, last, isSigned);                              \
    }
SUNDOWN_FOR_EACH_WIDTH(SUNDOWN_DEFINE_HELPERS)
#undef SUNDOWN_DEFINE_HELPERS
#undef SUNDOWN_FOR_EACH_WIDTH

void __cdecl __std_swap_ranges_trivially_swappable_noalias(void* first1, void* last1,
                                                           void* first2) noexcept {
    auto* a = static_cast<unsigned char*>(first1);
    auto* const end = static_cast<unsigned char*>(last1);
    auto* b = static_cast<unsigned char*>(first2);
    for (; a != end; ++a, ++b) {
        std::swap(*a, *b);
    }
}
}
