// Resource ids of the console host tests' snap-in.
#pragma once

#include "platform/com/types.h"

inline constexpr UINT IDS_TEST_PAGE = 1;

inline constexpr UINT IDD_TEST_PAGE = 100;
inline constexpr UINT IDD_TEST_ASK = 101;

inline constexpr UINT IDB_TEST_STRIP = 200;
inline constexpr UINT IDI_TEST_FRAME = 201;

inline constexpr UINT IDC_TEST_TEXT = 1001;
inline constexpr UINT IDC_TEST_NAME = 1002;

inline constexpr UINT IDC_ASK_LABEL = 1010;
inline constexpr UINT IDC_ASK_NAME = 1011;
inline constexpr UINT IDC_ASK_REMEMBER = 1012;
inline constexpr UINT IDC_ASK_COLOUR_LABEL = 1013;
inline constexpr UINT IDC_ASK_COLOUR = 1014;
