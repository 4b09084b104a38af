// Resource ids of the user list nodes. The resource compiler reads this file too, so every id
// is declared on one line.
#pragma once

#include "platform/com/types.h"

inline constexpr UINT IDS_LICENSED_USERS = 13;
inline constexpr UINT IDS_LICENSED_USERS_DESCRIPTION = 235;
inline constexpr UINT IDS_ADMINISTRATORS = 3000;
inline constexpr UINT IDS_ADMINISTRATORS_DESCRIPTION = 3001;
