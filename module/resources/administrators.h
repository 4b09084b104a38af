// Resource ids of the fax administrators list and its entries. The resource compiler reads this
// file too, so every id is declared on one line.
#pragma once

#include "platform/com/types.h"

inline constexpr UINT IDS_ADMIN_NEW = 21100;
inline constexpr UINT IDS_ADMIN_NEW_STATUS = 21101;
inline constexpr UINT IDS_ADMIN_TOOLTIP = 21102;
inline constexpr UINT IDS_ADMIN_USER_EXISTS = 21103;
inline constexpr UINT IDS_ADMIN_GROUP_EXISTS = 21104;
inline constexpr UINT IDS_ADMIN_USER_IN_GROUPS = 21105;
inline constexpr UINT IDS_ADMIN_GROUP_IN_GROUPS = 21106;
inline constexpr UINT IDS_ADMIN_PICKER_CAPTION = 21107;
inline constexpr UINT IDS_ADMIN_PICKER_PROMPT = 21108;
inline constexpr UINT IDS_ADMIN_INTERNAL_ERROR = 21109;
inline constexpr UINT IDS_ADMIN_SHEET_OPEN = 21110;
inline constexpr UINT IDS_ADMIN_GROUP_SHEET_OPEN = 21111;
inline constexpr UINT IDS_ADMIN_KEEP_ONE = 21112;
inline constexpr UINT IDS_ADMIN_CONFIRM_REMOVE = 21113;
inline constexpr UINT IDS_ADMIN_CONFIRM_REMOVE_GROUP = 21114;
