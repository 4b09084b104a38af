// Resource ids of the call blocking list, its entries, the new entry dialog and the entry's
// page. The resource compiler reads this file too, so every id is declared on one line.
#pragma once

#include "platform/com/types.h"

inline constexpr UINT IDS_CALL_BLOCK_COUNT = 22000;
inline constexpr UINT IDS_CALL_BLOCK_COLUMN = 22001;
inline constexpr UINT IDS_CALL_BLOCK_NEW = 22002;
inline constexpr UINT IDS_CALL_BLOCK_NEW_STATUS = 22003;
inline constexpr UINT IDS_CALL_BLOCK_TOOLTIP = 22004;
inline constexpr UINT IDS_CALL_BLOCK_DELETE_SHEET_OPEN = 22005;
inline constexpr UINT IDS_CALL_BLOCK_DELETE_MULTI_SHEET = 22006;
inline constexpr UINT IDS_CALL_BLOCK_RENAME_SHEET_OPEN = 22007;
inline constexpr UINT IDS_CALL_BLOCK_DUPLICATE = 22008;
inline constexpr UINT IDS_CALL_BLOCK_EMPTY = 22009;
inline constexpr UINT IDS_CALL_BLOCK_EMPTY_NEW = 22010;
inline constexpr UINT IDS_CALL_BLOCK_INVALID = 22011;
inline constexpr UINT IDS_CALL_BLOCK_USERS_TEXT = 22012;
inline constexpr UINT IDS_CALL_BLOCK_PICKER_PROMPT = 22013;
inline constexpr UINT IDS_CALL_BLOCK_PICKER_CAPTION = 22014;
inline constexpr UINT IDD_NEW_CALL_BLOCK = 22020;
inline constexpr UINT IDC_NEW_CALL_BLOCK_EDIT = 22021;
inline constexpr UINT IDD_PAGE_CALL_BLOCK = 22025;
inline constexpr UINT IDC_PAGE_CALL_BLOCK_ICON = 22026;
inline constexpr UINT IDC_PAGE_CALL_BLOCK_HEADING = 22027;
inline constexpr UINT IDC_PAGE_CALL_BLOCK_EDIT = 22028;
