// Stand-in for the Visual C++ runtime's <vcruntime_typeinfo.h>: type_info laid out as the
// compiler's type descriptors are, its comparisons and names from vcruntime140.dll, and the
// exceptions of typeid and dynamic_cast.
#pragma once
#include <vcruntime.h>

#ifdef __cplusplus
extern "C" {
struct __std_type_info_data {
    const char* _UndecoratedName;
    const char _DecoratedName[1];
};
struct __type_info_node;
_VCRTIMP int __cdecl __std_type_info_compare(const __std_type_info_data* left,
                                             const __std_type_info_data* right);
_VCRTIMP size_t __cdecl __std_type_info_hash(const __std_type_info_data* data);
_VCRTIMP const char* __cdecl __std_type_info_name(__std_type_info_data* data,
                                                  __type_info_node* root);
}

extern "C++" class type_info {
  public:
    type_info(const type_info&) = delete;
    type_info& operator=(const type_info&) = delete;
    size_t hash_code() const noexcept { return __std_type_info_hash(&_Data); }
    bool operator==(const type_info& other) const noexcept {
        return __std_type_info_compare(&_Data, &other._Data) == 0;
    }
    bool operator!=(const type_info& other) const noexcept {
        return __std_type_info_compare(&_Data, &other._Data) != 0;
    }
    bool before(const type_info& other) const noexcept {
        return __std_type_info_compare(&_Data, &other._Data) < 0;
    }
    const char* name() const noexcept;
    const char* raw_name() const noexcept { return _Data._DecoratedName; }
    virtual ~type_info() noexcept;

  private:
    mutable __std_type_info_data _Data;
};

#include <vcruntime_exception.h>

namespace std {
using ::type_info;

class bad_cast : public exception {
  public:
    bad_cast() noexcept : exception("bad cast", 1) {}
    static bad_cast __construct_from_string_literal(const char* const message) noexcept {
        return bad_cast(message, 1);
    }

  private:
    bad_cast(const char* const message, int) noexcept : exception(message, 1) {}
};

class bad_typeid : public exception {
  public:
    bad_typeid() noexcept : exception("bad typeid", 1) {}
    static bad_typeid __construct_from_string_literal(const char* const message) noexcept {
        return bad_typeid(message, 1);
    }

  private:
    friend class __non_rtti_object;
    bad_typeid(const char* const message, int) noexcept : exception(message, 1) {}
};

class __non_rtti_object : public bad_typeid {
  public:
    static __non_rtti_object __construct_from_string_literal(const char* const message) noexcept {
        return __non_rtti_object(message, 1);
    }

  private:
    __non_rtti_object(const char* const message, int) noexcept : bad_typeid(message, 1) {}
};
}  // namespace std
#endif
