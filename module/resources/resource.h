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

// Bitmaps and icons of the About information.
inline constexpr UINT IDB_SNAPIN_LARGE = 1000;
inline constexpr UINT IDB_SNAPIN_SMALL = 1001;
inline constexpr UINT IDI_SNAPIN = 1003;
