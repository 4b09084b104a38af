// Resource ids of the module that the resource loading tests compile with pwrc.
#pragma once

#include "platform/com/types.h"

inline constexpr UINT IDS_GREETING = 1;
inline constexpr UINT IDS_ESCAPES = 2;
inline constexpr UINT IDS_JOINED = 3;
inline constexpr UINT IDS_HEX_THEN_DIGIT = 4;
inline constexpr UINT IDS_BEYOND_BMP = 5;
#define IDS_FROM_DEFINE 0x10
inline constexpr UINT IDS_LAST = 65535;

inline constexpr UINT IDB_SWATCH = 100;
inline constexpr UINT IDI_TARGET = 200;
