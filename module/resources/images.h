// Resource ids of the icons of the snap-in's image strip (the snap-in icon itself is in
// resource.h). The resource compiler reads this file too, so every id is declared on one line.
#pragma once

#include "platform/com/types.h"

inline constexpr UINT IDI_GENERAL = 1012;
inline constexpr UINT IDI_DOCUMENT_CONVERSION = 1013;
inline constexpr UINT IDI_DIALLING = 1014;
inline constexpr UINT IDI_HEADER_FOOTER = 1016;
inline constexpr UINT IDI_JUNK_FILTER = 1121;
inline constexpr UINT IDI_LINES = 1018;
inline constexpr UINT IDI_DIGITAL_SENDER = 1019;
inline constexpr UINT IDI_MAIL_AGENT = 1021;
inline constexpr UINT IDI_TRANSFER_AGENT = 1022;
inline constexpr UINT IDI_REPORTS = 1120;
inline constexpr UINT IDI_ROUTING = 1031;
inline constexpr UINT IDI_ROUTES = 1122;
inline constexpr UINT IDI_COVERPAGES_FOLDER = 1029;
inline constexpr UINT IDI_ADMINISTRATORS = 1058;
inline constexpr UINT IDI_USERS = 1007;
inline constexpr UINT IDI_VERSION = 1141;
inline constexpr UINT IDI_FAX = 1009;
inline constexpr UINT IDI_CALL_BLOCKING = 1145;
inline constexpr UINT IDI_NETWORK_PRINTER = 1147;
inline constexpr UINT IDI_WEB_LINK = 1156;
inline constexpr UINT IDI_SMS = 1501;
inline constexpr UINT IDI_ADVANCED = 1163;
inline constexpr UINT IDI_STAMPING = 1162;
inline constexpr UINT IDI_TEXT_API = 1164;
inline constexpr UINT IDI_SENDING = 1165;
inline constexpr UINT IDI_RECEIVING = 1166;
inline constexpr UINT IDI_COVERPAGE = 1008;
inline constexpr UINT IDI_COVERPAGE_DEFAULT = 1063;
inline constexpr UINT IDI_MAILBOX_AGENT = 1105;
inline constexpr UINT IDI_USER = 1006;
inline constexpr UINT IDI_ROUTE_ITEM = 1139;
inline constexpr UINT IDI_LINE_ITEM = 1060;
inline constexpr UINT IDI_SEARCH_PHRASE = 1137;
inline constexpr UINT IDI_SMS_USERS = 1168;
inline constexpr UINT IDI_SMS_MESSAGE = 1502;
inline constexpr UINT IDI_LINE_ROUTES = 1171;
inline constexpr UINT IDI_OCR = 1170;
inline constexpr UINT IDI_PRINTER = 1174;
inline constexpr UINT IDI_SMS_GROUP = 1503;
inline constexpr UINT IDI_SMS_ROUTING = 1193;
