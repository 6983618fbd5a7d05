// The standard library's throwers that msvcp140.dll exports but Wine's only stubs: a program
// that reached one would crash instead of throwing.
#include <xthreads.h>
#include <functional>
#include <system_error>

namespace std {
[[noreturn]] void __cdecl _Xbad_function_call() {
    throw bad_function_call();
}

// The error codes of <xthreads.h>'s _Throw_Cpp_error, in its order.
[[noreturn]] void __cdecl _Throw_Cpp_error(int code) {
    static constexpr errc kCodes[] = {
        errc::device_or_resource_busy,
        errc::invalid_argument,
        errc::no_such_process,
        errc::not_enough_memory,
        errc::operation_not_permitted,
        errc::resource_deadlock_would_occur,
        errc::resource_unavailable_try_again,
    };
    if (code < 0 || code >= static_cast<int>(sizeof(kCodes) / sizeof(kCodes[0]))) {
        abort();
    }
    throw system_error(make_error_code(kCodes[code]));
}

// A C threads result turned into the exception the library throws for it.
[[noreturn]] void __cdecl _Throw_C_error(int code) {
    switch (code) {
        case _Thrd_nomem:
        case _Thrd_timedout:
            _Throw_Cpp_error(_RESOURCE_UNAVAILABLE_TRY_AGAIN);
        case _Thrd_busy:
            _Throw_Cpp_error(_DEVICE_OR_RESOURCE_BUSY);
        case _Thrd_error:
            _Throw_Cpp_error(_INVALID_ARGUMENT);
        default:
            abort();
    }
}
}  // namespace std
