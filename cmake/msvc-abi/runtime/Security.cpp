// What the compiler's code expects of every module beside the DLLs' exports: the /GS cookie and
// its check, the stack probe for frames larger than a page, and the marker of floating point.
#include <intrin.h>
#include <stdint.h>
#include <windows.h>

namespace {
// The value before initialisation, as the compiler's own runtime has it: a cookie still equal to
// it after start-up would be guessable.
constexpr uintptr_t kUnsetCookie = 0x00002B992DDFA232ULL;
}  // namespace

extern "C" {
int _fltused = 0x9875;
uintptr_t __security_cookie = kUnsetCookie;
uintptr_t __security_cookie_complement = ~kUnsetCookie;

// Without a cookie check of its own: it changes the cookie its frame would be checked against.
__attribute__((no_stack_protector)) void __cdecl __security_init_cookie() {
    if (__security_cookie != kUnsetCookie) {
        return;
    }
    FILETIME now{};
    GetSystemTimePreciseAsFileTime(&now);
    LARGE_INTEGER counter{};
    QueryPerformanceCounter(&counter);
    uintptr_t cookie = (static_cast<uintptr_t>(now.dwHighDateTime) << 32) ^ now.dwLowDateTime;
    cookie ^= GetCurrentThreadId();
    cookie ^= GetCurrentProcessId();
    cookie ^= (static_cast<uintptr_t>(counter.LowPart) << 32) ^ counter.QuadPart;
    cookie ^= reinterpret_cast<uintptr_t>(&cookie);
    // The top 16 bits are zero, so that a string copy cannot write a whole cookie.
    cookie &= 0x0000FFFFFFFFFFFFULL;
    if (cookie == kUnsetCookie) {
        ++cookie;
    }
    __security_cookie = cookie;
    __security_cookie_complement = ~cookie;
}

void __cdecl __security_check_cookie(uintptr_t cookie) {
    if (cookie != __security_cookie) {
        __fastfail(FAST_FAIL_STACK_COOKIE_CHECK_FAILURE);
    }
}
}

// __chkstk: RAX holds the size of the frame about to be made. Touches each of its pages from the
// top down, so that the stack's guard page grows it one page at a time. All registers are kept.
__asm__(
    ".text\n"
    ".globl __chkstk\n"
    ".def __chkstk; .scl 2; .type 32; .endef\n"
    ".seh_proc __chkstk\n"
    "__chkstk:\n"
    "  pushq %rcx\n"
    "  .seh_pushreg %rcx\n"
    "  pushq %rax\n"
    "  .seh_pushreg %rax\n"
    "  .seh_endprologue\n"
    "  leaq 24(%rsp), %rcx\n"
    "  cmpq $0x1000, %rax\n"
    "  jb 2f\n"
    "1:\n"
    "  subq $0x1000, %rcx\n"
    "  testq %rcx, (%rcx)\n"
    "  subq $0x1000, %rax\n"
    "  cmpq $0x1000, %rax\n"
    "  ja 1b\n"
    "2:\n"
    "  subq %rax, %rcx\n"
    "  testq %rcx, (%rcx)\n"
    "  popq %rax\n"
    "  popq %rcx\n"
    "  retq\n"
    ".seh_endproc\n");
