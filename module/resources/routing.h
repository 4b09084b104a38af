// Resource ids of the routing and SMS nodes. The resource compiler reads this file too, so
// every id is declared on one line.
#pragma once

#include "platform/com/types.h"

inline constexpr UINT IDS_ROUTING = 7;
inline constexpr UINT IDS_ROUTING_DESCRIPTION = 386;
inline constexpr UINT IDS_SMS = 469;
inline constexpr UINT IDS_SMS_DESCRIPTION = 470;
inline constexpr UINT IDS_SMS_TITLE = 472;
inline constexpr UINT IDS_SMS_BODY = 473;
inline constexpr UINT IDS_ROUTES_CSID = 3010;
inline constexpr UINT IDS_ROUTES_CSID_DESCRIPTION = 3011;
inline constexpr UINT IDS_ROUTES_DTMF = 3012;
inline constexpr UINT IDS_ROUTES_DTMF_DESCRIPTION = 3013;
inline constexpr UINT IDS_ROUTES_OCR = 3014;
inline constexpr UINT IDS_ROUTES_OCR_DESCRIPTION = 3015;
inline constexpr UINT IDS_ROUTES_LINE = 3016;
inline constexpr UINT IDS_ROUTES_LINE_DESCRIPTION = 3017;
inline constexpr UINT IDS_ROUTES_MSN = 3018;
inline constexpr UINT IDS_ROUTES_MSN_DESCRIPTION = 3019;
inline constexpr UINT IDS_SMS_ROUTING = 3020;
inline constexpr UINT IDS_SMS_ROUTING_DESCRIPTION = 3021;
inline constexpr UINT IDS_SMS_USERS = 3022;
inline constexpr UINT IDS_SMS_USERS_DESCRIPTION = 3023;
