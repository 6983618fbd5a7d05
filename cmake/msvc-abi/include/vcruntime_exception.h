// Stand-in for the Visual C++ runtime's <vcruntime_exception.h>: std::exception and its first
// kin, laid out as vcruntime140.dll's own, whose functions copy and free the message.
#pragma once
#include <eh.h>
#include <vcruntime.h>

#ifdef __cplusplus
extern "C" {
struct __std_exception_data {
    char const* _What;
    bool _DoFree;
};
_VCRTIMP void __cdecl __std_exception_copy(__std_exception_data const* from,
                                           __std_exception_data* to);
_VCRTIMP void __cdecl __std_exception_destroy(__std_exception_data* data);
terminate_handler __cdecl _get_terminate(void);
unexpected_handler __cdecl _get_unexpected(void);
}

namespace std {
class exception {
  public:
    exception() noexcept : _Data() {}
    explicit exception(char const* const message) noexcept : _Data() {
        __std_exception_data copied = {message, true};
        __std_exception_copy(&copied, &_Data);
    }
    // A message that lives as long as the program: kept, never copied.
    exception(char const* const message, int) noexcept : _Data() { _Data._What = message; }
    exception(exception const& other) noexcept : _Data() {
        __std_exception_copy(&other._Data, &_Data);
    }
    exception& operator=(exception const& other) noexcept {
        if (this != &other) {
            __std_exception_destroy(&_Data);
            __std_exception_copy(&other._Data, &_Data);
        }
        return *this;
    }
    virtual ~exception() noexcept { __std_exception_destroy(&_Data); }
    [[nodiscard]] virtual char const* what() const {
        return _Data._What ? _Data._What : "Unknown exception";
    }

  private:
    __std_exception_data _Data;
};

class bad_exception : public exception {
  public:
    bad_exception() noexcept : exception("bad exception", 1) {}
};

class bad_alloc : public exception {
  public:
    bad_alloc() noexcept : exception("bad allocation", 1) {}

  private:
    friend class bad_array_new_length;
    bad_alloc(char const* const message) noexcept : exception(message, 1) {}
};

class bad_array_new_length : public bad_alloc {
  public:
    bad_array_new_length() noexcept : bad_alloc("bad array new length") {}
};
}  // namespace std
#endif
