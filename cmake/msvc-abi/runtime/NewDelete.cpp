// Every form of operator new and delete, over the C runtime's heap, as each module of the Visual
// C++ build carries its own: a failed allocation asks the new handler, then throws.
#include <malloc.h>
#include <stdint.h>
#include <stdlib.h>
#include <new>

extern "C" int __cdecl _callnewh(size_t size);

namespace std {
const nothrow_t nothrow{};
}

namespace {
[[noreturn]] void throwBadAlloc(size_t size) {
    if (size == SIZE_MAX) {
        throw std::bad_array_new_length();
    }
    throw std::bad_alloc();
}

void* allocate(size_t size) {
    for (;;) {
        if (void* block = malloc(size == 0 ? 1 : size)) {
            return block;
        }
        if (_callnewh(size) == 0) {
            throwBadAlloc(size);
        }
    }
}

void* allocateAligned(size_t size, std::align_val_t alignment) {
    for (;;) {
        if (void* block = _aligned_malloc(size == 0 ? 1 : size, static_cast<size_t>(alignment))) {
            return block;
        }
        if (_callnewh(size) == 0) {
            throwBadAlloc(size);
        }
    }
}
}  // namespace

void* __cdecl operator new(size_t size) {
    return allocate(size);
}
void* __cdecl operator new[](size_t size) {
    return allocate(size);
}
void* __cdecl operator new(size_t size, const std::nothrow_t&) noexcept {
    try {
        return allocate(size);
    } catch (...) {
        return nullptr;
    }
}
void* __cdecl operator new[](size_t size, const std::nothrow_t& tag) noexcept {
    return operator new(size, tag);
}
void* __cdecl operator new(size_t size, std::align_val_t alignment) {
    return allocateAligned(size, alignment);
}
void* __cdecl operator new[](size_t size, std::align_val_t alignment) {
    return allocateAligned(size, alignment);
}
void* __cdecl operator new(size_t size, std::align_val_t alignment,
                           const std::nothrow_t&) noexcept {
    try {
        return allocateAligned(size, alignment);
    } catch (...) {
        return nullptr;
    }
}
void* __cdecl operator new[](size_t size, std::align_val_t alignment,
                             const std::nothrow_t& tag) noexcept {
    return operator new(size, alignment, tag);
}

void __cdecl operator delete(void* block) noexcept {
    free(block);
}
void __cdecl operator delete[](void* block) noexcept {
    free(block);
}
void __cdecl operator delete(void* block, size_t) noexcept {
    free(block);
}
void __cdecl operator delete[](void* block, size_t) noexcept {
    free(block);
}
void __cdecl operator delete(void* block, const std::nothrow_t&) noexcept {
    free(block);
}
void __cdecl operator delete[](void* block, const std::nothrow_t&) noexcept {
    free(block);
}
void __cdecl operator delete(void* block, std::align_val_t) noexcept {
    _aligned_free(block);
}
void __cdecl operator delete[](void* block, std::align_val_t) noexcept {
    _aligned_free(block);
}
void __cdecl operator delete(void* block, size_t, std::align_val_t) noexcept {
    _aligned_free(block);
}
void __cdecl operator delete[](void* block, size_t, std::align_val_t) noexcept {
    _aligned_free(block);
}
void __cdecl operator delete(void* block, std::align_val_t, const std::nothrow_t&) noexcept {
    _aligned_free(block);
}
void __cdecl operator delete[](void* block, std::align_val_t, const std::nothrow_t&) noexcept {
    _aligned_free(block);
}
