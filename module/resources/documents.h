// Resource ids of the coverpage, printer, report and call blocking nodes. The resource
// compiler reads this file too, so every id is declared on one line.
#pragma once

#include "platform/com/types.h"

inline constexpr UINT IDS_COVERPAGES = 12;
inline constexpr UINT IDS_COVERPAGES_DESCRIPTION = 236;
inline constexpr UINT IDS_NPQ = 410;
inline constexpr UINT IDS_NPQ_DESCRIPTION = 411;
inline constexpr UINT IDS_PRINTERS = 512;
inline constexpr UINT IDS_PRINTERS_DESCRIPTION = 513;
inline constexpr UINT IDS_FRONT_COVERNOTES = 3030;
inline constexpr UINT IDS_FRONT_COVERNOTES_DESCRIPTION = 3031;
inline constexpr UINT IDS_REPORTS = 3032;
inline constexpr UINT IDS_REPORTS_DESCRIPTION = 3033;
inline constexpr UINT IDS_CALL_BLOCKING = 3034;
inline constexpr UINT IDS_CALL_BLOCKING_DESCRIPTION = 3035;
