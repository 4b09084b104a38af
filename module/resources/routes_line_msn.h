// Resource ids of the line and MSN route lists, their items, the new-route dialogs and the
// value pages. The resource compiler reads this file too, so every id is declared on one line.
#pragma once

#include "platform/com/types.h"

inline constexpr UINT IDS_VALUE_ROUTE_NEW = 20500;
inline constexpr UINT IDS_LINE_NEW_STATUS = 20501;
inline constexpr UINT IDS_LINE_TOOLTIP = 20502;
inline constexpr UINT IDS_LINE_COLUMN = 20503;
inline constexpr UINT IDS_LINE_NOTHING_LEFT = 20504;
inline constexpr UINT IDS_LINE_ERROR = 20505;
inline constexpr UINT IDS_LINE_DELETE_SHEET_OPEN = 20506;
inline constexpr UINT IDS_LINE_DELETE_MULTI_SHEET = 20507;
inline constexpr UINT IDS_LINE_RENAME_SHEET_OPEN = 20508;
inline constexpr UINT IDS_LINE_DUPLICATE = 20509;
inline constexpr UINT IDS_LINE_EMPTY = 20510;
inline constexpr UINT IDS_LINE_USERS_TEXT = 20511;
inline constexpr UINT IDS_MSN_NEW_STATUS = 20520;
inline constexpr UINT IDS_MSN_TOOLTIP = 20521;
inline constexpr UINT IDS_MSN_COLUMN = 20522;
inline constexpr UINT IDS_MSN_NOTHING_LEFT = 20523;
inline constexpr UINT IDS_MSN_ERROR = 20524;
inline constexpr UINT IDS_MSN_NO_ISDN = 20525;
inline constexpr UINT IDS_MSN_DELETE_SHEET_OPEN = 20526;
inline constexpr UINT IDS_MSN_DELETE_MULTI_SHEET = 20527;
inline constexpr UINT IDS_MSN_RENAME_SHEET_OPEN = 20528;
inline constexpr UINT IDS_MSN_DUPLICATE = 20529;
inline constexpr UINT IDS_MSN_EMPTY = 20530;
inline constexpr UINT IDS_MSN_USERS_TEXT = 20531;
inline constexpr UINT IDD_NEW_LINE = 20550;
inline constexpr UINT IDD_NEW_MSN = 20551;
inline constexpr UINT IDC_NEW_VALUE_COMBO = 20552;
inline constexpr UINT IDD_PAGE_LINE = 20560;
inline constexpr UINT IDD_PAGE_MSN = 20561;
inline constexpr UINT IDC_PAGE_VALUE_ICON = 20562;
inline constexpr UINT IDC_PAGE_VALUE_HEADING = 20563;
inline constexpr UINT IDC_PAGE_VALUE_EDIT = 20564;
