// Resource ids of the address book's dialog and texts. The resource compiler reads this file
// too, so every id is on one line.
#pragma once

#include "platform/com/types.h"

inline constexpr UINT IDD_ADDRESS_BOOK = 23000;

inline constexpr UINT IDC_AB_SEARCH_LABEL = 23001;
inline constexpr UINT IDC_AB_SEARCH = 23002;
inline constexpr UINT IDC_AB_LIST = 23003;
inline constexpr UINT IDC_AB_PROMPT = 23004;

inline constexpr UINT IDS_AB_COLUMN_NAME = 23010;
inline constexpr UINT IDS_AB_COLUMN_ADDRESS = 23011;
inline constexpr UINT IDS_AB_COLUMN_TYPE = 23012;
inline constexpr UINT IDS_AB_TYPE_USER = 23013;
inline constexpr UINT IDS_AB_TYPE_GROUP = 23014;
inline constexpr UINT IDS_AB_TYPE_MAILBOXAGENT = 23015;
inline constexpr UINT IDS_AB_PROMPT_SEVERAL = 23016;
inline constexpr UINT IDS_AB_PROMPT_ONE = 23017;
