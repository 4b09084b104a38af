// Resource ids of the snap-in module. The resource compiler reads this file too, so every id
// is declared on one line as `inline constexpr UINT NAME = number;`.
#pragma once

#include "platform/com/types.h"

// Strings.
inline constexpr UINT IDS_SNAPIN_PROGID = 1;
inline constexpr UINT IDS_ABOUT_PROGID = 2;
inline constexpr UINT IDS_SNAPIN_DESCRIPTION = 3;
inline constexpr UINT IDS_PROVIDER = 4;
inline constexpr UINT IDS_NO_VERSION_INFO = 5;
inline constexpr UINT IDS_APP_TITLE = 57344;

// The root node.
inline constexpr UINT IDS_COLUMN_OPTION = 23;
inline constexpr UINT IDS_COLUMN_DESCRIPTION = 24;
inline constexpr UINT IDS_CONNECT_COMPUTER = 231;
inline constexpr UINT IDS_CONNECT_COMPUTER_STATUS = 232;
inline constexpr UINT IDS_LOCAL = 233;

// The wait dialog of the computer lookup.
inline constexpr UINT IDD_PLEASE_WAIT = 4013;
inline constexpr UINT IDC_WAIT_ANIMATION = 4014;
inline constexpr UINT IDC_WAIT_TEXT = 4015;
// The animation: a strip of square frames.
inline constexpr UINT IDR_AVI_SEARCH = 1111;

// Bitmaps and icons of the About information.
inline constexpr UINT IDB_SNAPIN_LARGE = 1000;
inline constexpr UINT IDB_SNAPIN_SMALL = 1001;
inline constexpr UINT IDI_SNAPIN = 1003;
