// Stand-in for the Visual C++ runtime's <vcruntime_new.h>: every form of operator new and
// delete, which each module defines for itself (runtime/NewDelete.cpp), and placement new.
#pragma once
#include <vcruntime.h>

#ifdef __cplusplus
extern "C++" {
namespace std {
enum class align_val_t : size_t {};
struct nothrow_t {
    explicit nothrow_t() = default;
};
extern nothrow_t const nothrow;
}  // namespace std
#define __NOTHROW_T_DEFINED

[[nodiscard]] _VCRT_ALLOCATOR void* __cdecl operator new(size_t size);
[[nodiscard]] _VCRT_ALLOCATOR void* __cdecl operator new(size_t size,
                                                         std::nothrow_t const&) noexcept;
[[nodiscard]] _VCRT_ALLOCATOR void* __cdecl operator new[](size_t size);
[[nodiscard]] _VCRT_ALLOCATOR void* __cdecl operator new[](size_t size,
                                                           std::nothrow_t const&) noexcept;
void __cdecl operator delete(void* block) noexcept;
void __cdecl operator delete(void* block, std::nothrow_t const&) noexcept;
void __cdecl operator delete[](void* block) noexcept;
void __cdecl operator delete[](void* block, std::nothrow_t const&) noexcept;
void __cdecl operator delete(void* block, size_t size) noexcept;
void __cdecl operator delete[](void* block, size_t size) noexcept;

[[nodiscard]] _VCRT_ALLOCATOR void* __cdecl operator new(size_t size, std::align_val_t alignment);
[[nodiscard]] _VCRT_ALLOCATOR void* __cdecl operator new(size_t size, std::align_val_t alignment,
                                                         std::nothrow_t const&) noexcept;
[[nodiscard]] _VCRT_ALLOCATOR void* __cdecl operator new[](size_t size, std::align_val_t alignment);
[[nodiscard]] _VCRT_ALLOCATOR void* __cdecl operator new[](size_t size, std::align_val_t alignment,
                                                           std::nothrow_t const&) noexcept;
void __cdecl operator delete(void* block, std::align_val_t alignment) noexcept;
void __cdecl operator delete(void* block, std::align_val_t alignment,
                             std::nothrow_t const&) noexcept;
void __cdecl operator delete[](void* block, std::align_val_t alignment) noexcept;
void __cdecl operator delete[](void* block, std::align_val_t alignment,
                               std::nothrow_t const&) noexcept;
void __cdecl operator delete(void* block, size_t size, std::align_val_t alignment) noexcept;
void __cdecl operator delete[](void* block, size_t size, std::align_val_t alignment) noexcept;

#define __PLACEMENT_NEW_INLINE
[[nodiscard]] inline void* __cdecl operator new(size_t, void* where) noexcept {
    return where;
}
inline void __cdecl operator delete(void*, void*) noexcept {}
#define __PLACEMENT_VEC_NEW_INLINE
[[nodiscard]] inline void* __cdecl operator new[](size_t, void* where) noexcept {
    return where;
}
inline void __cdecl operator delete[](void*, void*) noexcept {}
}
#endif
