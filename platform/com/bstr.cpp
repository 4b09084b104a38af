// BSTR allocation: the character count lives in the four bytes before the text.
#include "platform/com/bstr.h"

#include <cstdlib>
#include <cstring>
#include <cwchar>

namespace {
constexpr std::size_t kPrefix = alignof(std::max_align_t);
}

BSTR SysAllocStringLen(LPCWSTR text, UINT length) {
  auto* block =
      static_cast<char*>(std::malloc(kPrefix + (std::size_t{length} + 1) * sizeof(wchar_t)));
  if (block == nullptr) return nullptr;
  std::memcpy(block + kPrefix - sizeof(UINT), &length, sizeof(UINT));
  auto* chars = reinterpret_cast<wchar_t*>(block + kPrefix);
  if (text != nullptr) {
    std::wmemcpy(chars, text, length);
  } else {
    std::wmemset(chars, L'\0', length);
  }
  chars[length] = L'\0';
  return chars;
}

BSTR SysAllocString(LPCWSTR text) {
  if (text == nullptr) return nullptr;
  return SysAllocStringLen(text, static_cast<UINT>(std::wcslen(text)));
}

void SysFreeString(BSTR text) {
  if (text != nullptr) std::free(reinterpret_cast<char*>(text) - kPrefix);
}

UINT SysStringLen(BSTR text) {
  if (text == nullptr) return 0;
  UINT length = 0;
  std::memcpy(&length, reinterpret_cast<char*>(text) - sizeof(UINT), sizeof(UINT));
  return length;
}
