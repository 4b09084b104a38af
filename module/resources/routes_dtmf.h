// Resource ids of the DTMF/DID routes: the list's menu and messages, the "New" dialog and the
// route's options page. The resource compiler reads this file too, so every id is declared on
// one line.
#pragma once

#include "platform/com/types.h"

inline constexpr UINT IDS_DTMF_NEW = 20000;
inline constexpr UINT IDS_DTMF_NEW_STATUS = 20001;
inline constexpr UINT IDS_DTMF_IMPORT = 20002;
inline constexpr UINT IDS_DTMF_IMPORT_STATUS = 20003;
inline constexpr UINT IDS_DTMF_EXPORT = 20004;
inline constexpr UINT IDS_DTMF_EXPORT_STATUS = 20005;
inline constexpr UINT IDS_DTMF_TOOLTIP = 20006;
inline constexpr UINT IDS_DTMF_COLUMN = 20007;
inline constexpr UINT IDS_DTMF_DELETE_SHEET_OPEN = 20008;
inline constexpr UINT IDS_DTMF_DELETE_MULTI_SHEET = 20009;
inline constexpr UINT IDS_DTMF_RENAME_SHEET_OPEN = 20010;
inline constexpr UINT IDS_DTMF_DUPLICATE = 20011;
inline constexpr UINT IDS_DTMF_EMPTY = 20012;
inline constexpr UINT IDS_DTMF_USERS_TEXT = 20013;
inline constexpr UINT IDS_DTMF_INVALID_NUMBER = 20014;
inline constexpr UINT IDS_DTMF_INVALID_LIST = 20015;
inline constexpr UINT IDS_DTMF_CONFIRM_MANY = 20016;
inline constexpr UINT IDS_DTMF_NO_MEMORY = 20017;
inline constexpr UINT IDS_DTMF_ALREADY_ROUTED = 20018;
inline constexpr UINT IDS_DTMF_IMPORT_FAILED = 20019;
inline constexpr UINT IDS_DTMF_EXPORT_FAILED = 20020;
inline constexpr UINT IDD_NEW_DTMF = 20100;
inline constexpr UINT IDC_NEW_DTMF_EDIT = 20101;
inline constexpr UINT IDC_NEW_DTMF_FORCE = 20102;
inline constexpr UINT IDC_NEW_DTMF_WIDTH = 20103;
inline constexpr UINT IDC_NEW_DTMF_SPIN = 20104;
inline constexpr UINT IDC_NEW_DTMF_NOTE = 20105;
inline constexpr UINT IDD_PAGE_DTMF = 20110;
inline constexpr UINT IDC_PAGE_DTMF_ICON = 20111;
inline constexpr UINT IDC_PAGE_DTMF_HEADING = 20112;
inline constexpr UINT IDC_PAGE_DTMF_EDIT = 20113;
