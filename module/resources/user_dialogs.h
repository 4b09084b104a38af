// Resource ids of the user picker, the add-user dialog, the import questions and the user
// property pages. The resource compiler reads this file too, so every id is on one line.
#pragma once

#include "platform/com/types.h"

// Dialog templates.
inline constexpr UINT IDD_SELECT_USERS = 1024;
inline constexpr UINT IDD_ADD_USER = 136;
inline constexpr UINT IDD_DUP_FAX_ADDR = 206;
inline constexpr UINT IDD_INVALID_EMAIL = 207;
inline constexpr UINT IDD_PROPPAGE_USER_GENERAL = 102;
inline constexpr UINT IDD_PROPPAGE_USER_ADDRESS = 1126;
inline constexpr UINT IDD_PROPPAGE_USER_PHONES = 1124;
inline constexpr UINT IDD_PROPPAGE_USER_ORGANIZATION = 1123;
inline constexpr UINT IDD_PROPPAGE_GROUP_GENERAL = 1127;
inline constexpr UINT IDD_PROPPAGE_MTA_GENERAL = 1128;
inline constexpr UINT IDD_PROPPAGE_USER_SMTP = 1152;

// The picker's controls.
inline constexpr UINT IDC_SU_CHOSEN = 1001;
inline constexpr UINT IDC_SU_AVAILABLE = 1010;
inline constexpr UINT IDC_SU_ADD = 1011;
inline constexpr UINT IDC_SU_REMOVE = 1012;
inline constexpr UINT IDC_SU_PROMPT = 1050;
inline constexpr UINT IDC_SU_GRIP = 8900;
// The picker's list context menu item (Ctrl+A).
inline constexpr UINT ID_SU_SELECT_ALL = 8901;

// The add-user dialog's controls.
inline constexpr UINT IDC_AU_FIRST_NAME = 1002;
inline constexpr UINT IDC_AU_LAST_NAME = 1003;
inline constexpr UINT IDC_AU_COMPANY = 1004;
inline constexpr UINT IDC_AU_EMAIL = 1005;
inline constexpr UINT IDC_AU_FULL_NAME = 1009;
inline constexpr UINT IDC_AU_LOGIN = 1018;
inline constexpr UINT IDC_AU_DEPARTMENT = 1020;
inline constexpr UINT IDC_AU_FAX = 1021;
inline constexpr UINT IDC_AU_VOICE = 1022;
inline constexpr UINT IDC_AU_MORE = 1026;
inline constexpr UINT IDC_AU_SEPARATOR_SHORT = 1027;
inline constexpr UINT IDC_AU_SEPARATOR_FULL = 1028;
inline constexpr UINT IDC_AU_NETWORKS = 1116;
inline constexpr UINT IDC_AU_SMTP = 1117;
inline constexpr UINT IDC_AU_INTERNET_EMAIL = 1118;
inline constexpr UINT IDC_AU_PERSONAL_GROUP = 8902;
inline constexpr UINT IDC_AU_PROMPT = 8903;

// The import questions' controls; the answer buttons' ids are their results.
inline constexpr UINT IDC_IQ_MESSAGE = 1031;
inline constexpr UINT IDC_IQ_ICON = 8904;
inline constexpr UINT IDC_YES_TO_ALL = 207;
inline constexpr UINT IDC_NO_TO_ALL = 208;

// The own-database page's controls.
inline constexpr UINT IDC_UP_HEADER = 8905;
inline constexpr UINT IDC_UP_EMAIL = 1001;
inline constexpr UINT IDC_UP_FIRST_NAME = 1002;
inline constexpr UINT IDC_UP_LAST_NAME = 1003;
inline constexpr UINT IDC_UP_COMPANY = 1004;
inline constexpr UINT IDC_UP_DEPARTMENT = 1005;
inline constexpr UINT IDC_UP_FULL_NAME = 1071;
inline constexpr UINT IDC_UP_FAX = 1100;
inline constexpr UINT IDC_UP_LOGIN = 1109;
inline constexpr UINT IDC_UP_VOICE = 1114;
inline constexpr UINT IDC_UP_NETWORKS = 1116;
inline constexpr UINT IDC_UP_SMTP = 1117;
inline constexpr UINT IDC_UP_INTERNET_EMAIL = 1118;

// The directory pages' controls (read-only).
inline constexpr UINT IDC_DP_ICON = 8910;
inline constexpr UINT IDC_DP_HEADER = 8911;
inline constexpr UINT IDC_DP_FIRST_NAME = 8912;
inline constexpr UINT IDC_DP_INITIALS = 8913;
inline constexpr UINT IDC_DP_LAST_NAME = 8914;
inline constexpr UINT IDC_DP_DISPLAY_NAME = 8915;
inline constexpr UINT IDC_DP_DESCRIPTION = 8916;
inline constexpr UINT IDC_DP_OFFICE = 8917;
inline constexpr UINT IDC_DP_TELEPHONE = 8918;
inline constexpr UINT IDC_DP_EMAIL = 8919;
inline constexpr UINT IDC_DP_WEB_PAGE = 8920;
inline constexpr UINT IDC_DP_STREET = 8921;
inline constexpr UINT IDC_DP_PO_BOX = 8922;
inline constexpr UINT IDC_DP_CITY = 8923;
inline constexpr UINT IDC_DP_STATE = 8924;
inline constexpr UINT IDC_DP_POSTAL_CODE = 8925;
inline constexpr UINT IDC_DP_COUNTRY = 8926;
inline constexpr UINT IDC_DP_HOME = 8927;
inline constexpr UINT IDC_DP_PAGER = 8928;
inline constexpr UINT IDC_DP_MOBILE = 8929;
inline constexpr UINT IDC_DP_FAX = 8930;
inline constexpr UINT IDC_DP_IP_PHONE = 8931;
inline constexpr UINT IDC_DP_NOTES = 8932;
inline constexpr UINT IDC_DP_TITLE = 8933;
inline constexpr UINT IDC_DP_DEPARTMENT = 8934;
inline constexpr UINT IDC_DP_COMPANY = 8935;
inline constexpr UINT IDC_DP_MANAGER = 8936;
inline constexpr UINT IDC_DP_ADDRESSES = 8937;
inline constexpr UINT IDC_DP_COMPUTER_NAME = 8938;

// Strings.
inline constexpr UINT IDS_SU_COLUMN_NAME = 8800;
inline constexpr UINT IDS_SU_COLUMN_LOGIN = 8801;
inline constexpr UINT IDS_SU_COLUMN_EMAIL = 8802;
inline constexpr UINT IDS_SU_NONE_CONFIGURED = 8803;
inline constexpr UINT IDS_SU_NONE_CONFIGURED_USERS = 8804;
inline constexpr UINT IDS_SU_NONE_AVAILABLE = 8805;
inline constexpr UINT IDS_SU_NONE_AVAILABLE_USERS = 8806;
inline constexpr UINT IDS_SU_SELECT_ALL = 8807;
inline constexpr UINT IDS_AU_PERSONAL = 8808;
inline constexpr UINT IDS_AU_EDIT_CAPTION = 8809;
inline constexpr UINT IDS_DUPLICATE_LOGIN = 8810;
inline constexpr UINT IDS_DUPLICATE_ADDRESS = 8811;
inline constexpr UINT IDS_INVALID_LOGIN = 8812;
inline constexpr UINT IDS_NO_DISPLAY_NAME = 8813;
inline constexpr UINT IDS_INVALID_EMAIL = 8814;
inline constexpr UINT IDS_PAGE_GENERAL = 8815;
inline constexpr UINT IDS_PAGE_ADDRESS = 8816;
inline constexpr UINT IDS_PAGE_TELEPHONES = 8817;
inline constexpr UINT IDS_PAGE_ORGANIZATION = 8818;
inline constexpr UINT IDS_DP_COLUMN_TYPE = 8819;
inline constexpr UINT IDS_DP_COLUMN_ADDRESS = 8820;
inline constexpr UINT IDS_SELECT_USERS_CAPTION = 8821;
