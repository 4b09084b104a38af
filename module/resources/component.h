// Resource ids of the console-facing objects: their messages and the list toolbars' images.
#pragma once

#include "platform/com/types.h"

inline constexpr UINT IDS_MMC_TOO_OLD = 6;
inline constexpr UINT IDS_CONFIRM_REMOVE_ENTRIES = 54;
inline constexpr UINT IDS_DELETE_SHEETS_OPEN = 55;
inline constexpr UINT IDS_LAST_ADMINISTRATOR = 309;
inline constexpr UINT IDS_SNAPIN_NOT_INITIALIZED = 365;
inline constexpr UINT IDS_RECONNECT_FAILED = 366;
inline constexpr UINT IDS_UNREGISTER_LAST_USER = 404;
inline constexpr UINT IDS_UNREGISTER_LAST_GROUP = 405;
inline constexpr UINT IDS_UNREGISTER_SHEETS_LAST_USER = 406;
inline constexpr UINT IDS_UNREGISTER_SHEETS_LAST_GROUP = 407;
inline constexpr UINT IDS_DELETE_INTERNAL_ERROR = 417;

// One toolbar strip per list kind: the first (licensed users) has two images, the others one.
inline constexpr UINT IDB_TOOLBAR_USERS = 1300;
inline constexpr UINT IDB_TOOLBAR_ADMINISTRATORS = 1301;
inline constexpr UINT IDB_TOOLBAR_SMS_USERS = 1302;
inline constexpr UINT IDB_TOOLBAR_DTMF = 1303;
inline constexpr UINT IDB_TOOLBAR_OCR = 1304;
inline constexpr UINT IDB_TOOLBAR_CSID = 1305;
inline constexpr UINT IDB_TOOLBAR_LINE = 1306;
inline constexpr UINT IDB_TOOLBAR_MSN = 1307;
inline constexpr UINT IDB_TOOLBAR_COVERPAGES = 1308;
inline constexpr UINT IDB_TOOLBAR_COVERNOTES = 1309;
inline constexpr UINT IDB_TOOLBAR_CALL_BLOCKING = 1310;
inline constexpr UINT IDB_TOOLBAR_PRINTERS = 1311;
