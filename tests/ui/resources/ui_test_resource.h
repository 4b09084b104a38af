// Resource ids of the dialogs that the window model's tests compile with pwrc.
#pragma once

#include "platform/com/types.h"

// Dialogs.
inline constexpr UINT IDD_EVERYTHING = 100;
inline constexpr UINT IDD_SMALL = 101;
inline constexpr UINT IDD_WAIT = 102;
inline constexpr UINT IDD_PAGE = 103;

// Controls.
inline constexpr UINT IDC_NAME = 1001;
inline constexpr UINT IDC_NUMBER = 1002;
inline constexpr UINT IDC_NUMBER_SPIN = 1003;
inline constexpr UINT IDC_NOTES = 1004;
inline constexpr UINT IDC_READONLY = 1005;
inline constexpr UINT IDC_NETWORKS = 1006;
inline constexpr UINT IDC_SMTP = 1007;
inline constexpr UINT IDC_OTHER = 1008;
inline constexpr UINT IDC_SECOND_A = 1009;
inline constexpr UINT IDC_SECOND_B = 1010;
inline constexpr UINT IDC_FORCE = 1011;
inline constexpr UINT IDC_MAYBE = 1012;
inline constexpr UINT IDC_PAPER = 1013;
inline constexpr UINT IDC_SORTED = 1014;
inline constexpr UINT IDC_USERS = 1015;
inline constexpr UINT IDC_ROWS = 1016;
inline constexpr UINT IDC_ANIMATION = 1017;
inline constexpr UINT IDC_ICON = 1018;
inline constexpr UINT IDC_SEPARATOR = 1019;
inline constexpr UINT IDC_GRIP = 1020;
inline constexpr UINT IDC_TYPES = 1021;
inline constexpr UINT IDC_NESTED = 1022;
inline constexpr UINT IDC_LIMITED = 1023;
inline constexpr UINT IDC_DISABLED = 1024;
inline constexpr UINT IDC_MESSAGE = 1025;

// Images.
inline constexpr UINT IDB_FRAMES = 200;
inline constexpr UINT IDB_STRIP = 201;
inline constexpr UINT IDI_DOCUMENT = 210;
