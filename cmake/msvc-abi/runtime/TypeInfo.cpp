// What type_info needs of each module: its destructor, its readable names (made on demand by
// vcruntime140.dll, kept on a list of the module's and freed when it ends), and its virtual
// table, which every type descriptor the compiler writes points to but clang never emits.
#include <stdlib.h>
#include <windows.h>
#include <typeinfo>

extern "C" void __cdecl __std_type_info_destroy_list(__type_info_node* root);

struct __type_info_node {
    SLIST_HEADER header;
};

namespace {
__type_info_node readableNames{};

struct ReadableNamesOwner {
    ~ReadableNamesOwner() { __std_type_info_destroy_list(&readableNames); }
} readableNamesOwner;
}  // namespace

type_info::~type_info() noexcept {}

const char* type_info::name() const noexcept {
    return __std_type_info_name(&_Data, &readableNames);
}

// The virtual table's one entry, the deleting destructor: bit 0 of flags asks for the memory.
// It answers with the object's address, as the compiler's own do; no caller reads through it.
extern "C" void* typeInfoDeletingDestructor(type_info* self, unsigned flags) {
    self->~type_info();
    if ((flags & 1U) != 0) {
        ::operator delete(self);
    }
    return self;  // NOLINT(clang-analyzer-cplusplus.NewDelete): the address only, never read
}

__asm__(
    ".section .rdata,\"dr\"\n"
    ".p2align 3\n"
    ".globl \"??_7type_info@@6B@\"\n"
    "\"??_7type_info@@6B@\":\n"
    "  .quad typeInfoDeletingDestructor\n"
    ".text\n");
