// Resource ids of the pages and dialogs that the property sheet and common dialog tests use.
#pragma once

#include "platform/com/types.h"

// Strings.
inline constexpr UINT IDS_GENERAL_TAB = 1;
inline constexpr UINT IDS_SHEET_TITLE = 2;

// Property pages.
inline constexpr UINT IDD_PAGE_GENERAL = 200;
inline constexpr UINT IDD_PAGE_OPTIONS = 201;
inline constexpr UINT IDD_PAGE_USERS = 202;
// Wizard pages.
inline constexpr UINT IDD_WIZARD_WELCOME = 210;
inline constexpr UINT IDD_WIZARD_NAME = 211;
inline constexpr UINT IDD_WIZARD_DONE = 212;
// A modal dialog that a page opens.
inline constexpr UINT IDD_ASK_NAME = 220;

// Controls.
inline constexpr UINT IDC_PAGE_LABEL = 1101;
inline constexpr UINT IDC_PAGE_NAME = 1102;
inline constexpr UINT IDC_PAGE_MORE = 1103;
inline constexpr UINT IDC_PAGE_FLAG = 1104;
inline constexpr UINT IDC_ASK_TEXT = 1110;
