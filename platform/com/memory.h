// Task memory (CoTaskMemAlloc) and global memory blocks (GlobalAlloc), the two allocators
// that COM callers and console hosts hand memory across with.
#pragma once

#include <string_view>

#include "platform/com/types.h"

LPVOID CoTaskMemAlloc(SIZE_T bytes);
LPVOID CoTaskMemRealloc(LPVOID block, SIZE_T bytes);
void CoTaskMemFree(LPVOID block);

namespace pw {
// A copy of `text` with its terminator in task memory, as console interfaces return strings.
LPWSTR CoTaskMemDupString(std::wstring_view text);
}  // namespace pw

inline constexpr UINT GMEM_FIXED = 0x0000;
inline constexpr UINT GMEM_MOVEABLE = 0x0002;
inline constexpr UINT GMEM_ZEROINIT = 0x0040;
inline constexpr UINT GMEM_SHARE = 0x2000;
inline constexpr UINT GHND = GMEM_MOVEABLE | GMEM_ZEROINIT;

// A global block is a handle; its bytes are reached by locking it. Locks nest and are
// counted; a block may be reallocated while it is not locked.
HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes);
HGLOBAL GlobalReAlloc(HGLOBAL block, SIZE_T bytes, UINT flags);
LPVOID GlobalLock(HGLOBAL block);
BOOL GlobalUnlock(HGLOBAL block);
SIZE_T GlobalSize(HGLOBAL block);
// Returns null on success and the handle itself when it could not be freed (still locked).
HGLOBAL GlobalFree(HGLOBAL block);
