// Resource ids of the routing node: its result columns and its default routers and receive-all
// pages. The resource compiler reads this file too, so every id is declared on one line.
#pragma once

#include "platform/com/types.h"

inline constexpr UINT IDS_ROUTING_COLUMN_TYPE = 21000;
inline constexpr UINT IDS_ROUTING_COLUMN_DESCRIPTION = 21001;
inline constexpr UINT IDS_DEFAULT_ROUTERS_TITLE = 21002;
inline constexpr UINT IDS_DEFAULT_ROUTERS_TEXT = 21003;
inline constexpr UINT IDS_RECEIVE_ALL_TITLE = 21004;
inline constexpr UINT IDS_RECEIVE_ALL_TEXT = 21005;
