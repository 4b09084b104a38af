// Task and global memory.
#include "platform/com/memory.h"

#include <cassert>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <new>

LPVOID CoTaskMemAlloc(SIZE_T bytes) { return std::malloc(bytes == 0 ? 1 : bytes); }
LPVOID CoTaskMemRealloc(LPVOID block, SIZE_T bytes) {
  return std::realloc(block, bytes == 0 ? 1 : bytes);
}
void CoTaskMemFree(LPVOID block) { std::free(block); }

namespace pw {
LPWSTR CoTaskMemDupString(std::wstring_view text) {
  auto* copy = static_cast<LPWSTR>(CoTaskMemAlloc((text.size() + 1) * sizeof(wchar_t)));
  if (copy == nullptr) return nullptr;
  std::wmemcpy(copy, text.data(), text.size());
  copy[text.size()] = L'\0';
  return copy;
}
}  // namespace pw

// The block behind an HGLOBAL handle.
struct HGLOBAL__ {
  unsigned char* bytes = nullptr;
  SIZE_T size = 0;
  UINT flags = 0;
  int locks = 0;
};

HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes) {
  auto* block = new (std::nothrow) HGLOBAL__;
  if (block == nullptr) return nullptr;
  block->bytes = static_cast<unsigned char*>((flags & GMEM_ZEROINIT) != 0
                                                 ? std::calloc(bytes == 0 ? 1 : bytes, 1)
                                                 : std::malloc(bytes == 0 ? 1 : bytes));
  if (block->bytes == nullptr) {
    delete block;
    return nullptr;
  }
  block->size = bytes;
  block->flags = flags;
  return block;
}

HGLOBAL GlobalReAlloc(HGLOBAL block, SIZE_T bytes, UINT flags) {
  if (block == nullptr) return nullptr;
  // A locked fixed block cannot move; a moveable one may, since callers relock it.
  if (block->locks > 0 && (block->flags & GMEM_MOVEABLE) == 0) return nullptr;
  auto* grown = static_cast<unsigned char*>(std::realloc(block->bytes, bytes == 0 ? 1 : bytes));
  if (grown == nullptr) return nullptr;
  if ((flags & GMEM_ZEROINIT) != 0 && bytes > block->size) {
    std::memset(grown + block->size, 0, bytes - block->size);
  }
  block->bytes = grown;
  block->size = bytes;
  return block;
}

LPVOID GlobalLock(HGLOBAL block) {
  if (block == nullptr) return nullptr;
  ++block->locks;
  return block->bytes;
}

BOOL GlobalUnlock(HGLOBAL block) {
  if (block == nullptr || block->locks == 0) return FALSE;
  return --block->locks > 0 ? TRUE : FALSE;
}

SIZE_T GlobalSize(HGLOBAL block) { return block != nullptr ? block->size : 0; }

HGLOBAL GlobalFree(HGLOBAL block) {
  if (block == nullptr) return nullptr;
  std::free(block->bytes);
  delete block;
  return nullptr;
}
