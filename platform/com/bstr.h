// BSTR: length-prefixed wide strings as automation passes them, and _bstr_t, the owning value.
#pragma once

#include <string>
#include <string_view>

#include "platform/com/types.h"

using BSTR = wchar_t*;

// A null BSTR is the empty string, as in automation.
BSTR SysAllocString(LPCWSTR text);
BSTR SysAllocStringLen(LPCWSTR text, UINT length);
void SysFreeString(BSTR text);
UINT SysStringLen(BSTR text);

class _bstr_t {
 public:
  _bstr_t() = default;
  _bstr_t(LPCWSTR text) : text_(text != nullptr ? text : L"") {}
  _bstr_t(std::wstring text) : text_(std::move(text)) {}
  _bstr_t(std::wstring_view text) : text_(text) {}

  // A BSTR owned by the caller: free it with SysFreeString.
  BSTR copy() const { return SysAllocStringLen(text_.data(), static_cast<UINT>(text_.size())); }
  UINT length() const { return static_cast<UINT>(text_.size()); }
  const std::wstring& str() const { return text_; }
  operator std::wstring_view() const { return text_; }
  const wchar_t* c_str() const { return text_.c_str(); }

  friend bool operator==(const _bstr_t&, const _bstr_t&) = default;

 private:
  std::wstring text_;
};
