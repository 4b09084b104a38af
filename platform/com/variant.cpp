// VARIANT values and their conversions.
#include "platform/com/variant.h"

#include <cassert>
#include <cerrno>
#include <cstdlib>
#include <cwchar>
#include <limits>

#include "platform/com/strings.h"

VARIANT VARIANT::FromBstr(std::wstring_view text) { return VARIANT(VT_BSTR, std::wstring(text)); }
VARIANT VARIANT::FromI4(LONG value) { return VARIANT(VT_I4, value); }
VARIANT VARIANT::FromUI4(ULONG value) { return VARIANT(VT_UI4, value); }
VARIANT VARIANT::FromBool(bool value) {
  return VARIANT(VT_BOOL, value ? VARIANT_TRUE : VARIANT_FALSE);
}
VARIANT VARIANT::FromArray(std::vector<VARIANT> items) {
  return VARIANT(VT_ARRAY | VT_VARIANT, std::make_shared<const Array_>(std::move(items)));
}
VARIANT VARIANT::FromPointer(void* block) { return VARIANT(VT_BYREF | VT_PTR, block); }

const std::wstring& VARIANT::bstrVal() const {
  assert(vt_ == VT_BSTR && "VARIANT does not hold a BSTR");
  return std::get<std::wstring>(value_);
}
LONG VARIANT::lVal() const {
  assert(vt_ == VT_I4 && "VARIANT does not hold a VT_I4");
  return std::get<LONG>(value_);
}
ULONG VARIANT::ulVal() const {
  assert(vt_ == VT_UI4 && "VARIANT does not hold a VT_UI4");
  return std::get<ULONG>(value_);
}
VARIANT_BOOL VARIANT::boolVal() const {
  assert(vt_ == VT_BOOL && "VARIANT does not hold a VT_BOOL");
  return std::get<VARIANT_BOOL>(value_);
}
const std::vector<VARIANT>& VARIANT::Array() const {
  assert(vt_ == (VT_ARRAY | VT_VARIANT) && "VARIANT does not hold an array");
  return *std::get<std::shared_ptr<const Array_>>(value_);
}
void* VARIANT::byref() const {
  assert(vt_ == (VT_BYREF | VT_PTR) && "VARIANT does not hold a pointer");
  return std::get<void*>(value_);
}

bool operator==(const VARIANT& a, const VARIANT& b) {
  if (a.vt_ != b.vt_) return false;
  if (a.vt_ == (VT_ARRAY | VT_VARIANT)) return a.Array() == b.Array();
  return a.value_ == b.value_;
}

namespace {

// Parses a whole number as automation does: surrounding blanks allowed, nothing else.
bool ParseInteger(std::wstring_view text, long long* value) {
  const std::wstring trimmed(pw::Trim(text));
  if (trimmed.empty()) return false;
  wchar_t* end = nullptr;
  errno = 0;
  const long long parsed = std::wcstoll(trimmed.c_str(), &end, 10);
  if (errno == ERANGE || end == nullptr || *end != L'\0') return false;
  *value = parsed;
  return true;
}

}  // namespace

HRESULT VARIANT::ChangeType(VARTYPE type, VARIANT* result, unsigned short flags) const {
  if (result == nullptr) return E_INVALIDARG;
  if (type == vt_) {
    *result = *this;
    return S_OK;
  }
  // The value as a 64-bit integer when it has a numeric meaning.
  long long number = 0;
  bool numeric = true;
  switch (vt_) {
    case VT_EMPTY:
      number = 0;
      break;
    case VT_I4:
      number = lVal();
      break;
    case VT_UI4:
      number = ulVal();
      break;
    case VT_BOOL:
      number = boolVal() != 0 ? -1 : 0;
      break;
    case VT_BSTR:
      numeric = false;
      break;
    default:
      return DISP_E_TYPEMISMATCH;
  }

  switch (type) {
    case VT_BSTR:
      if (vt_ == VT_BOOL && (flags & VARIANT_ALPHABOOL) != 0) {
        *result = FromBstr(boolVal() != 0 ? L"True" : L"False");
      } else if (vt_ == VT_EMPTY) {
        *result = FromBstr(L"");
      } else {
        *result = FromBstr(std::to_wstring(number));
      }
      return S_OK;
    case VT_I4:
    case VT_UI4:
    case VT_BOOL: {
      if (!numeric) {
        const std::wstring_view text = bstrVal();
        if (type == VT_BOOL && pw::EqualsIgnoreCase(pw::Trim(text), L"True")) {
          number = -1;
        } else if (type == VT_BOOL && pw::EqualsIgnoreCase(pw::Trim(text), L"False")) {
          number = 0;
        } else if (!ParseInteger(text, &number)) {
          return DISP_E_TYPEMISMATCH;
        }
      }
      if (type == VT_BOOL) {
        *result = FromBool(number != 0);
      } else if (type == VT_I4) {
        if (number < std::numeric_limits<LONG>::min() || number > std::numeric_limits<LONG>::max())
          return DISP_E_OVERFLOW;
        *result = FromI4(static_cast<LONG>(number));
      } else {
        if (number < 0 || number > std::numeric_limits<ULONG>::max()) return DISP_E_OVERFLOW;
        *result = FromUI4(static_cast<ULONG>(number));
      }
      return S_OK;
    }
    default:
      return DISP_E_BADVARTYPE;
  }
}

std::wstring VARIANT::ToString() const {
  VARIANT text;
  if (FAILED(ChangeType(VT_BSTR, &text))) return {};
  return text.bstrVal();
}
