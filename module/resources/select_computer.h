// Resource ids of the remote computer selection: its dialog, its wizard page and its messages.
#pragma once

#include "platform/com/types.h"

// The dialog and the page of the add wizard share their controls.
inline constexpr UINT IDD_SELECT_COMPUTER = 1057;
inline constexpr UINT IDD_SELECT_COMPUTER_PAGE = 2004;
inline constexpr UINT IDC_SELECT_COMPUTER_PROMPT = 4101;
inline constexpr UINT IDC_SELECT_COMPUTER_GROUP = 4102;
inline constexpr UINT IDC_LOCAL_COMPUTER = 4103;
inline constexpr UINT IDC_ANOTHER_COMPUTER = 4104;
inline constexpr UINT IDC_COMPUTER_NAME = 4105;
inline constexpr UINT IDC_BROWSE_COMPUTER = 4106;

inline constexpr UINT IDS_ENTER_COMPUTER_NAME = 289;
inline constexpr UINT IDS_COMPUTER_ACCESS_DENIED = 290;
inline constexpr UINT IDS_COMPUTER_INACCESSIBLE = 291;
inline constexpr UINT IDS_CONNECT_NOT_INSTALLED = 367;
inline constexpr UINT IDS_CONNECT_NOT_INSTALLED_NO_PREVIOUS = 368;
