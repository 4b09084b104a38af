// VARIANT: a value type that keeps the automation type tag, so that callers can tell a text
// "5" from a signed 5 from an unsigned 5.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/com/bstr.h"
#include "platform/com/hresult.h"

enum VARENUM : VARTYPE {
  VT_EMPTY = 0,
  VT_NULL = 1,
  VT_I4 = 3,
  VT_BSTR = 8,
  VT_BOOL = 11,
  VT_VARIANT = 12,
  VT_UI4 = 19,
  VT_PTR = 26,
  VT_ARRAY = 0x2000,
  VT_BYREF = 0x4000,
};

inline constexpr unsigned short VARIANT_ALPHABOOL = 0x2;

class VARIANT {
 public:
  VARIANT() = default;
  // Constructors name the tag they give, as the automation helpers do.
  static VARIANT FromBstr(std::wstring_view text);
  static VARIANT FromI4(LONG value);
  static VARIANT FromUI4(ULONG value);
  static VARIANT FromBool(bool value);
  static VARIANT FromArray(std::vector<VARIANT> items);
  // VT_BYREF|VT_PTR: a borrowed pointer to a block the caller keeps alive.
  static VARIANT FromPointer(void* block);

  VARTYPE vt() const { return vt_; }
  bool IsEmpty() const { return vt_ == VT_EMPTY; }

  // The value of the tag the variant has; asking for another tag is a programming error.
  const std::wstring& bstrVal() const;
  LONG lVal() const;
  ULONG ulVal() const;
  VARIANT_BOOL boolVal() const;
  const std::vector<VARIANT>& Array() const;
  void* byref() const;

  // VariantChangeType: the value converted to `type` (VT_BSTR, VT_I4, VT_UI4, VT_BOOL), or
  // DISP_E_TYPEMISMATCH / DISP_E_OVERFLOW. Booleans become "-1"/"0", or "True"/"False" with
  // VARIANT_ALPHABOOL.
  HRESULT ChangeType(VARTYPE type, VARIANT* result, unsigned short flags = 0) const;
  // The text form, as _bstr_t(variant) gives it; empty for values that have none.
  std::wstring ToString() const;

  void Clear() { *this = VARIANT(); }

  // Same tag and same value; arrays compare item by item, pointers by address.
  friend bool operator==(const VARIANT& a, const VARIANT& b);

 private:
  using Array_ = std::vector<VARIANT>;
  using Value = std::variant<std::monostate, std::wstring, LONG, ULONG, VARIANT_BOOL,
                             std::shared_ptr<const Array_>, void*>;
  VARIANT(VARTYPE vt, Value value) : vt_(vt), value_(std::move(value)) {}

  VARTYPE vt_ = VT_EMPTY;
  Value value_;
};

using _variant_t = VARIANT;
