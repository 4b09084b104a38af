// GUID text forms and random GUID creation.
#include "platform/com/guid.h"

#include <sys/random.h>

#include <cstdio>
#include <cstring>

namespace pw {

std::string GuidToNarrowString(REFGUID guid) {
  char buffer[40];
  std::snprintf(buffer, sizeof(buffer), "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                guid.Data1, guid.Data2, guid.Data3, guid.Data4[0], guid.Data4[1], guid.Data4[2],
                guid.Data4[3], guid.Data4[4], guid.Data4[5], guid.Data4[6], guid.Data4[7]);
  return buffer;
}

std::wstring GuidToString(REFGUID guid) {
  const std::string narrow = GuidToNarrowString(guid);
  return std::wstring(narrow.begin(), narrow.end());
}

}  // namespace pw

int StringFromGUID2(REFGUID guid, LPWSTR buffer, int buffer_chars) {
  const std::wstring text = pw::GuidToString(guid);
  if (buffer == nullptr || buffer_chars < static_cast<int>(text.size()) + 1) return 0;
  std::wmemcpy(buffer, text.c_str(), text.size() + 1);
  return static_cast<int>(text.size()) + 1;
}

HRESULT CLSIDFromString(LPCWSTR text, CLSID* clsid) {
  if (text == nullptr || clsid == nullptr) return E_INVALIDARG;
  const std::wstring_view view(text);
  if (view.size() != 38) return MakeHresult(0x800401F3);  // CO_E_CLASSSTRING
  const auto parsed = pw::ParseGuid(view);
  if (!parsed) return MakeHresult(0x800401F3);
  *clsid = *parsed;
  return S_OK;
}

HRESULT CoCreateGuid(GUID* guid) {
  if (guid == nullptr) return E_INVALIDARG;
  BYTE bytes[16];
  std::size_t filled = 0;
  while (filled < sizeof(bytes)) {
    const ssize_t got = getrandom(bytes + filled, sizeof(bytes) - filled, 0);
    if (got < 0) return E_FAIL;
    filled += static_cast<std::size_t>(got);
  }
  bytes[6] = static_cast<BYTE>((bytes[6] & 0x0F) | 0x40);  // version 4
  bytes[8] = static_cast<BYTE>((bytes[8] & 0x3F) | 0x80);  // RFC 4122 variant
  guid->Data1 =
      (DWORD{bytes[0]} << 24) | (DWORD{bytes[1]} << 16) | (DWORD{bytes[2]} << 8) | bytes[3];
  guid->Data2 = static_cast<WORD>((bytes[4] << 8) | bytes[5]);
  guid->Data3 = static_cast<WORD>((bytes[6] << 8) | bytes[7]);
  std::memcpy(guid->Data4.data(), bytes + 8, 8);
  return S_OK;
}

std::size_t std::hash<GUID>::operator()(const GUID& guid) const noexcept {
  std::uint64_t a =
      (std::uint64_t{guid.Data1} << 32) | (std::uint64_t{guid.Data2} << 16) | guid.Data3;
  std::uint64_t b = 0;
  std::memcpy(&b, guid.Data4.data(), 8);
  return std::hash<std::uint64_t>()(a * 0x9E3779B97F4A7C15ull ^ b);
}
