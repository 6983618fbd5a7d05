// Thread-local storage and thread-safe initialisation of function statics, as the compiler's code
// expects them: the module's TLS directory (the loader gives each thread a copy of the .tls
// section), and the guards of statics, each of which moves from 0 (not yet) through -1 (being
// made, others wait) to an epoch number (made).
#include <limits.h>
#include <windows.h>

extern "C" {
#pragma section(".tls", read, write)
#pragma section(".tls$ZZZ", read, write)
#pragma section(".CRT$XLA", long, read)
#pragma section(".CRT$XLZ", long, read)
#pragma section(".rdata$T", long, read)
// The linker sorts the sections by name: the compiler's thread-locals lie between these ends,
// and no TLS callback between the two empty entries.
__declspec(allocate(".tls")) char _tls_start = 0;
__declspec(allocate(".tls$ZZZ")) char _tls_end = 0;
__declspec(allocate(".CRT$XLA")) PIMAGE_TLS_CALLBACK __xl_a = nullptr;
__declspec(allocate(".CRT$XLZ")) PIMAGE_TLS_CALLBACK __xl_z = nullptr;
ULONG _tls_index = 0;
// The loader finds it by its name in the image's directory.
extern const __declspec(allocate(".rdata$T")) IMAGE_TLS_DIRECTORY64 _tls_used = {
    reinterpret_cast<ULONGLONG>(&_tls_start),
    reinterpret_cast<ULONGLONG>(&_tls_end),
    reinterpret_cast<ULONGLONG>(&_tls_index),
    reinterpret_cast<ULONGLONG>(&__xl_a + 1),
    0,
    0,
};
}
#pragma comment(linker, "/include:_tls_used")

namespace {
constexpr int kNotYet = 0;
constexpr int kBeingMade = -1;
SRWLOCK guardLock = SRWLOCK_INIT;
CONDITION_VARIABLE guardChanged = CONDITION_VARIABLE_INIT;
}  // namespace

extern "C" {
int _Init_global_epoch = INT_MIN;
__declspec(thread) int _Init_thread_epoch = INT_MIN;

// Called when the guard is newer than this thread has seen: either this thread makes the static
// (the guard is then -1 on return), or it waits until another has made it.
void __cdecl _Init_thread_header(int* guard) {
    AcquireSRWLockExclusive(&guardLock);
    if (*guard == kNotYet) {
        *guard = kBeingMade;
    } else {
        while (*guard == kBeingMade) {
            SleepConditionVariableSRW(&guardChanged, &guardLock, INFINITE, 0);
            if (*guard == kNotYet) {
                // The one making it threw: this thread tries in its place.
                *guard = kBeingMade;
                ReleaseSRWLockExclusive(&guardLock);
                return;
            }
        }
        _Init_thread_epoch = _Init_global_epoch;
    }
    ReleaseSRWLockExclusive(&guardLock);
}

void __cdecl _Init_thread_footer(int* guard) {
    AcquireSRWLockExclusive(&guardLock);
    ++_Init_global_epoch;
    *guard = _Init_global_epoch;
    _Init_thread_epoch = _Init_global_epoch;
    ReleaseSRWLockExclusive(&guardLock);
    WakeAllConditionVariable(&guardChanged);
}

void __cdecl _Init_thread_abort(int* guard) {
    AcquireSRWLockExclusive(&guardLock);
    *guard = kNotYet;
    ReleaseSRWLockExclusive(&guardLock);
    WakeAllConditionVariable(&guardChanged);
}
}
