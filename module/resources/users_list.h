// Resource ids of the user lists, the directory connection and unregistering. The resource
// compiler reads this file too, so every id is declared on one line.
#pragma once

#include "platform/com/types.h"

// The "Exchange DSA" dialog and the connection wait box.
inline constexpr UINT IDD_SELECT_DSA = 1064;
inline constexpr UINT IDD_CONNECTING_DIRECTORY = 1135;
inline constexpr UINT IDC_DSA_BROWSE = 1046;
inline constexpr UINT IDC_DSA_NAME = 1047;
inline constexpr UINT IDC_DSA_GROUP = 5190;
inline constexpr UINT IDC_DSA_PROMPT = 5191;
inline constexpr UINT IDC_DSA_LABEL = 5192;
inline constexpr UINT IDC_CONNECTING_TEXT = 5193;

// The list nodes' menus, toolbar and columns.
inline constexpr UINT IDS_NEW_LICENSED_USER = 5100;
inline constexpr UINT IDS_NEW_LICENSED_USER_STATUS = 5101;
inline constexpr UINT IDS_CONNECT_DSA = 5102;
inline constexpr UINT IDS_CONNECT_DSA_STATUS = 5103;
inline constexpr UINT IDS_DISCONNECT_DSA = 5104;
inline constexpr UINT IDS_DISCONNECT_DSA_STATUS = 5105;
inline constexpr UINT IDS_CONNECT_AD = 5106;
inline constexpr UINT IDS_CONNECT_AD_STATUS = 5107;
inline constexpr UINT IDS_IMPORT_USERS = 5108;
inline constexpr UINT IDS_IMPORT_USERS_STATUS = 5109;
inline constexpr UINT IDS_IMPORT_USERS_FILE = 5110;
inline constexpr UINT IDS_IMPORT_USERS_FILE_STATUS = 5111;
inline constexpr UINT IDS_NEW_USER_TOOLTIP = 5112;
inline constexpr UINT IDS_CONNECT_TOOLTIP = 5113;
inline constexpr UINT IDS_DISCONNECT_TOOLTIP = 5114;
inline constexpr UINT IDS_COLUMN_NAME = 5115;
inline constexpr UINT IDS_COLUMN_LOGIN = 5116;
inline constexpr UINT IDS_COLUMN_EMAIL = 5117;

// The list nodes' result pane while not connected, and their refresh.
inline constexpr UINT IDS_LICENSED_USERS_TITLE = 5120;
inline constexpr UINT IDS_ADMINISTRATORS_TITLE = 5121;
inline constexpr UINT IDS_CONNECT_ERROR_AD = 5122;
inline constexpr UINT IDS_CONNECT_ERROR_EX55 = 5123;
inline constexpr UINT IDS_NO_DSA_SERVER = 5124;
inline constexpr UINT IDS_INTERNAL_ERROR = 5125;
inline constexpr UINT IDS_RETRIEVING_USERS = 5126;
inline constexpr UINT IDS_REFRESH_SHEETS_OPEN = 5127;

// Registering.
inline constexpr UINT IDS_USER_EXISTS = 5130;
inline constexpr UINT IDS_GROUP_EXISTS = 5131;
inline constexpr UINT IDS_NOT_ADDED_LIST = 5132;
inline constexpr UINT IDS_USER_IN_GROUPS = 5133;
inline constexpr UINT IDS_GROUP_IN_GROUPS = 5134;
inline constexpr UINT IDS_NOT_ADDED_NO_ADDRESS = 5135;
inline constexpr UINT IDS_USER_NO_ADDRESS = 5136;
inline constexpr UINT IDS_GROUP_NO_ADDRESS = 5137;
inline constexpr UINT IDS_ADDRESS_UNKNOWN = 5138;

// The directory connection.
inline constexpr UINT IDS_CONNECTING_DIRECTORY = 5150;
inline constexpr UINT IDS_CONFIRM_DISCONNECT_DSA = 5151;
inline constexpr UINT IDS_DSA_CONNECT_FAILED = 5152;

// Unregistering.
inline constexpr UINT IDS_USER_SHEET_OPEN = 5160;
inline constexpr UINT IDS_GROUP_SHEET_OPEN = 5161;
inline constexpr UINT IDS_USER_ONLY_DEFAULT_ROUTER = 5162;
inline constexpr UINT IDS_GROUP_ONLY_DEFAULT_ROUTER = 5163;
inline constexpr UINT IDS_USER_ONLY_ADMINISTRATOR = 5164;
inline constexpr UINT IDS_GROUP_ONLY_ADMINISTRATOR = 5165;
inline constexpr UINT IDS_USER_IN_RULES = 5166;
inline constexpr UINT IDS_GROUP_IN_RULES = 5167;
inline constexpr UINT IDS_CONFIRM_UNREGISTER_USER = 5168;
inline constexpr UINT IDS_CONFIRM_UNREGISTER_GROUP = 5169;
