// Resource ids of the window model's own resources: the texts of property sheets and the
// templates and texts of the common dialogs.
#pragma once

#include "platform/com/types.h"

// Property sheet buttons and caption.
inline constexpr UINT IDS_PSH_OK = 30001;
inline constexpr UINT IDS_PSH_CANCEL = 30002;
inline constexpr UINT IDS_PSH_APPLY = 30003;
inline constexpr UINT IDS_PSH_HELP = 30004;
inline constexpr UINT IDS_PSH_BACK = 30005;
inline constexpr UINT IDS_PSH_NEXT = 30006;
inline constexpr UINT IDS_PSH_FINISH = 30007;
inline constexpr UINT IDS_PSH_CLOSE = 30008;
inline constexpr UINT IDS_PSH_PROPTITLE = 30009;

// File dialog.
inline constexpr UINT IDS_FD_OPEN_TITLE = 30100;
inline constexpr UINT IDS_FD_SAVE_TITLE = 30101;
inline constexpr UINT IDS_FD_OPEN_BUTTON = 30102;
inline constexpr UINT IDS_FD_SAVE_BUTTON = 30103;
inline constexpr UINT IDS_FD_FILE_NOT_FOUND = 30104;
inline constexpr UINT IDS_FD_PATH_NOT_FOUND = 30105;
inline constexpr UINT IDS_FD_REPLACE = 30106;
inline constexpr UINT IDS_FD_INVALID_NAME = 30107;
inline constexpr UINT IDS_FD_COLUMN_NAME = 30108;
inline constexpr UINT IDS_FD_COLUMN_SIZE = 30109;
inline constexpr UINT IDS_FD_COLUMN_TYPE = 30110;
inline constexpr UINT IDS_FD_FOLDER_TYPE = 30111;
inline constexpr UINT IDS_FD_FILE_TYPE = 30112;
inline constexpr UINT IDS_FD_PLAIN_FILE_TYPE = 30113;
inline constexpr UINT IDS_FD_SIZE_KB = 30114;

// Computer picker.
inline constexpr UINT IDS_CP_COLUMN_NAME = 30200;
inline constexpr UINT IDS_CP_COLUMN_LOCATION = 30201;
inline constexpr UINT IDS_CP_THIS_COMPUTER = 30202;
inline constexpr UINT IDS_CP_NETWORK = 30203;

// Dialog templates.
inline constexpr UINT IDD_PW_FILE_DIALOG = 30500;
inline constexpr UINT IDD_PW_COMPUTER_PICKER = 30501;

// Controls of the file dialog, numbered as the Windows file dialog numbers its own.
inline constexpr UINT IDC_FD_READ_ONLY = 1040;
inline constexpr UINT IDC_FD_LIST = 1120;
inline constexpr UINT IDC_FD_TYPE = 1136;
inline constexpr UINT IDC_FD_FOLDER = 1137;
inline constexpr UINT IDC_FD_TYPE_LABEL = 1089;
inline constexpr UINT IDC_FD_NAME_LABEL = 1090;
inline constexpr UINT IDC_FD_FOLDER_LABEL = 1091;
inline constexpr UINT IDC_FD_NAME = 1152;
inline constexpr UINT IDC_FD_UP = 1161;

// Controls of the computer picker.
inline constexpr UINT IDC_CP_PROMPT = 1200;
inline constexpr UINT IDC_CP_LIST = 1201;
inline constexpr UINT IDC_CP_NAME = 1202;
