// Geometry types and the structures that travel with window messages and control
// notifications, laid out field for field as Windows declares them (wide variants).
#pragma once

#include "platform/com/types.h"

using DWORD_PTR = ULONG_PTR;

struct POINT {
  LONG x = 0;
  LONG y = 0;
};

struct SIZE {
  LONG cx = 0;
  LONG cy = 0;
};

// Rectangles of the window model are in dialog units unless a comment says otherwise.
struct RECT {
  LONG left = 0;
  LONG top = 0;
  LONG right = 0;
  LONG bottom = 0;
};
using LPRECT = RECT*;

constexpr LONG RectWidth(const RECT& rect) { return rect.right - rect.left; }
constexpr LONG RectHeight(const RECT& rect) { return rect.bottom - rect.top; }

struct MINMAXINFO {
  POINT ptReserved;
  POINT ptMaxSize;
  POINT ptMaxPosition;
  POINT ptMinTrackSize;
  POINT ptMaxTrackSize;
};

constexpr WPARAM MAKEWPARAM(WORD low, WORD high) {
  return static_cast<WPARAM>(static_cast<DWORD>(low) | (static_cast<DWORD>(high) << 16));
}
constexpr LPARAM MAKELPARAM(WORD low, WORD high) {
  return static_cast<LPARAM>(static_cast<DWORD>(low) | (static_cast<DWORD>(high) << 16));
}

// The header of every WM_NOTIFY; lParam points to it (or to a structure that starts with it).
struct NMHDR {
  HWND hwndFrom = nullptr;
  UINT_PTR idFrom = 0;
  UINT code = 0;
};

struct LVITEM {
  UINT mask = 0;
  int iItem = 0;
  int iSubItem = 0;
  UINT state = 0;
  UINT stateMask = 0;
  LPWSTR pszText = nullptr;
  int cchTextMax = 0;
  int iImage = 0;
  LPARAM lParam = 0;
  int iIndent = 0;
};

struct LVCOLUMN {
  UINT mask = 0;
  int fmt = 0;
  int cx = 0;
  LPWSTR pszText = nullptr;
  int cchTextMax = 0;
  int iSubItem = 0;
  int iImage = 0;
  int iOrder = 0;
};

struct LVFINDINFO {
  UINT flags = 0;
  LPCWSTR psz = nullptr;
  LPARAM lParam = 0;
  POINT pt;
  UINT vkDirection = 0;
};

// LVN_ITEMCHANGING, LVN_ITEMCHANGED, LVN_INSERTITEM, LVN_DELETEITEM, LVN_COLUMNCLICK.
struct NMLISTVIEW {
  NMHDR hdr;
  int iItem = 0;
  int iSubItem = 0;
  UINT uNewState = 0;
  UINT uOldState = 0;
  UINT uChanged = 0;
  POINT ptAction;
  LPARAM lParam = 0;
};

// NM_CLICK, NM_DBLCLK, NM_RCLICK and LVN_ITEMACTIVATE of a list view.
struct NMITEMACTIVATE {
  NMHDR hdr;
  int iItem = 0;
  int iSubItem = 0;
  UINT uNewState = 0;
  UINT uOldState = 0;
  UINT uChanged = 0;
  POINT ptAction;
  LPARAM lParam = 0;
  UINT uKeyFlags = 0;
};

inline constexpr UINT LVKF_ALT = 0x0001;
inline constexpr UINT LVKF_CONTROL = 0x0002;
inline constexpr UINT LVKF_SHIFT = 0x0004;

// LVN_GETDISPINFO: item.pszText points to the list's own buffer of item.cchTextMax
// characters; the parent copies its text there, or points pszText at text of its own that
// lives until the notification returns.
struct NMLVDISPINFO {
  NMHDR hdr;
  LVITEM item;
};

struct NMLVCACHEHINT {
  NMHDR hdr;
  int iFrom = 0;
  int iTo = 0;
};

// LVN_ODFINDITEM: the parent answers the row found (or -1) through the notify result.
struct NMLVFINDITEM {
  NMHDR hdr;
  int iStart = 0;
  LVFINDINFO lvfi;
};

struct NMLVODSTATECHANGE {
  NMHDR hdr;
  int iFrom = 0;
  int iTo = 0;
  UINT uNewState = 0;
  UINT uOldState = 0;
};

// UDN_DELTAPOS: a nonzero notify result refuses the change.
struct NMUPDOWN {
  NMHDR hdr;
  int iPos = 0;
  int iDelta = 0;
};

struct COMBOBOXEXITEM {
  UINT mask = 0;
  INT_PTR iItem = 0;
  LPWSTR pszText = nullptr;
  int cchTextMax = 0;
  int iImage = 0;
  int iSelectedImage = 0;
  int iOverlay = 0;
  int iIndent = 0;
  LPARAM lParam = 0;
};
