// Resource ids of the console host's texts. The resource compiler reads this file too, so
// every id is declared on one line as `inline constexpr UINT NAME = number;`; the ids follow
// the order of pw::mmc::HostString, starting at IDS_CONSOLE_TITLE.
#pragma once

#include "platform/com/types.h"

inline constexpr UINT IDS_CONSOLE_TITLE = 100;
inline constexpr UINT IDS_MENU_OPEN = 101;
inline constexpr UINT IDS_MENU_DELETE = 102;
inline constexpr UINT IDS_MENU_RENAME = 103;
inline constexpr UINT IDS_MENU_REFRESH = 104;
inline constexpr UINT IDS_MENU_PROPERTIES = 105;
inline constexpr UINT IDS_MENU_NEW_WINDOW = 106;
inline constexpr UINT IDS_SAVE_QUESTION = 107;
inline constexpr UINT IDS_UNTITLED_DOCUMENT = 108;
inline constexpr UINT IDS_SHEETS_OPEN = 109;
inline constexpr UINT IDS_DOCUMENT_NOT_OPENED = 110;
inline constexpr UINT IDS_REASON_NOT_A_DOCUMENT = 111;
inline constexpr UINT IDS_REASON_TOO_LARGE = 112;
inline constexpr UINT IDS_REASON_OTHER_VERSION = 113;
inline constexpr UINT IDS_REASON_CHECKSUM = 114;
inline constexpr UINT IDS_REASON_DAMAGED = 115;
inline constexpr UINT IDS_REASON_UNREADABLE = 116;
inline constexpr UINT IDS_DOCUMENT_NOT_SAVED = 117;
inline constexpr UINT IDS_SNAP_IN_NOT_REGISTERED = 118;
inline constexpr UINT IDS_SNAP_IN_NOT_CREATED = 119;
inline constexpr UINT IDS_SNAP_IN_NOT_INITIALIZED = 120;
inline constexpr UINT IDS_SNAP_IN_ADD_CANCELLED = 121;
inline constexpr UINT IDS_CONSOLE_NOT_EMPTY = 122;
inline constexpr UINT IDS_NO_SNAP_IN = 123;
inline constexpr UINT IDS_UNKNOWN_VIEW = 124;
inline constexpr UINT IDS_UNKNOWN_SCOPE_ITEM = 125;
inline constexpr UINT IDS_UNKNOWN_ROW = 126;
inline constexpr UINT IDS_VERB_NOT_AVAILABLE = 127;
inline constexpr UINT IDS_NO_SELECTION = 128;
inline constexpr UINT IDS_NOT_SORTABLE = 129;
inline constexpr UINT IDS_UNKNOWN_MENU_ITEM = 130;
inline constexpr UINT IDS_MENU_ITEM_DISABLED = 131;
inline constexpr UINT IDS_UNKNOWN_BUTTON = 132;
inline constexpr UINT IDS_BUTTON_DISABLED = 133;
inline constexpr UINT IDS_SNAP_IN_FAILED = 134;
inline constexpr UINT IDS_LAST_VIEW = 135;
inline constexpr UINT IDS_BUSY = 136;
