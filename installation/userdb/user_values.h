// Values that both kinds of user object hand to their callers.
#pragma once

#include <string>
#include <vector>

#include "platform/com/bstr.h"
#include "platform/com/variant.h"

namespace pw::userdb {

// A caller-owned copy of `text`.
inline HRESULT HandOutText(const std::wstring& text, BSTR* out) {
  if (out == nullptr) return E_POINTER;
  *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

// The identities as a VT_ARRAY|VT_VARIANT of texts; VT_EMPTY for none.
inline VARIANT IdentityArray(const std::vector<std::wstring>& identities) {
  if (identities.empty()) return VARIANT();
  std::vector<VARIANT> items;
  for (const std::wstring& identity : identities) items.push_back(VARIANT::FromBstr(identity));
  return VARIANT::FromArray(std::move(items));
}

}  // namespace pw::userdb
