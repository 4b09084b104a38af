// Resource ids of the server option nodes: the launchers of the server's configuration
// programs, "Advanced", "General", version information and the web links. The resource
// compiler reads this file too, so every id is declared on one line.
#pragma once

#include "platform/com/types.h"

inline constexpr UINT IDS_GENERAL = 25;
inline constexpr UINT IDS_GENERAL_DESCRIPTION = 26;
inline constexpr UINT IDS_DOCUMENT_CONVERSION = 29;
inline constexpr UINT IDS_DOCUMENT_CONVERSION_DESCRIPTION = 30;
inline constexpr UINT IDS_DIALLING = 31;
inline constexpr UINT IDS_DIALLING_DESCRIPTION = 32;
inline constexpr UINT IDS_HEADER_FOOTER = 33;
inline constexpr UINT IDS_HEADER_FOOTER_DESCRIPTION = 34;
inline constexpr UINT IDS_ADVANCED = 35;
inline constexpr UINT IDS_ADVANCED_DESCRIPTION = 36;
inline constexpr UINT IDS_LINES = 37;
inline constexpr UINT IDS_LINES_DESCRIPTION = 38;
inline constexpr UINT IDS_MAIL_GATEWAY = 43;
inline constexpr UINT IDS_MAIL_GATEWAY_DESCRIPTION = 44;
inline constexpr UINT IDS_TRANSFER_AGENT = 45;
inline constexpr UINT IDS_TRANSFER_AGENT_DESCRIPTION = 46;
inline constexpr UINT IDS_ADVANCED_TITLE = 200;
inline constexpr UINT IDS_ADVANCED_BODY = 201;
inline constexpr UINT IDS_DIALLING_TITLE = 202;
inline constexpr UINT IDS_DIALLING_BODY = 203;
inline constexpr UINT IDS_DOCUMENT_CONVERSION_TITLE = 204;
inline constexpr UINT IDS_DOCUMENT_CONVERSION_BODY = 205;
inline constexpr UINT IDS_MAIL_GATEWAY_TITLE = 206;
inline constexpr UINT IDS_MAIL_GATEWAY_BODY = 207;
inline constexpr UINT IDS_GENERAL_TITLE = 208;
inline constexpr UINT IDS_GENERAL_BODY = 209;
inline constexpr UINT IDS_HEADER_FOOTER_TITLE = 210;
inline constexpr UINT IDS_HEADER_FOOTER_BODY = 211;
inline constexpr UINT IDS_LINES_TITLE = 214;
inline constexpr UINT IDS_LINES_BODY = 215;
inline constexpr UINT IDS_TRANSFER_AGENT_TITLE = 216;
inline constexpr UINT IDS_TRANSFER_AGENT_BODY = 217;
inline constexpr UINT IDS_JUNK_FAX_FILTER = 312;
inline constexpr UINT IDS_JUNK_FAX_FILTER_DESCRIPTION = 313;
inline constexpr UINT IDS_JUNK_FAX_FILTER_TITLE = 314;
inline constexpr UINT IDS_JUNK_FAX_FILTER_BODY = 315;
inline constexpr UINT IDS_HPDS_SAP = 333;
inline constexpr UINT IDS_HPDS_SAP_DESCRIPTION = 334;
inline constexpr UINT IDS_HPDS_SAP_TITLE = 335;
inline constexpr UINT IDS_HPDS_SAP_BODY = 336;
inline constexpr UINT IDS_VERSION_INFORMATION = 346;
inline constexpr UINT IDS_VERSION_INFORMATION_DESCRIPTION = 360;
inline constexpr UINT IDS_POP3_AGENT = 454;
inline constexpr UINT IDS_POP3_AGENT_DESCRIPTION = 458;
inline constexpr UINT IDS_POP3_AGENT_TITLE = 459;
inline constexpr UINT IDS_POP3_AGENT_BODY = 460;
inline constexpr UINT IDS_MAILSHIELD_LINK = 461;
inline constexpr UINT IDS_MAILSHIELD_LINK_DESCRIPTION = 462;
inline constexpr UINT IDS_SUPPORT_LINK = 463;
inline constexpr UINT IDS_SUPPORT_LINK_DESCRIPTION = 464;
inline constexpr UINT IDS_STAMPING = 465;
inline constexpr UINT IDS_STAMPING_DESCRIPTION = 466;
inline constexpr UINT IDS_STAMPING_TITLE = 467;
inline constexpr UINT IDS_STAMPING_BODY = 468;
inline constexpr UINT IDS_TEXT_API = 479;
inline constexpr UINT IDS_TEXT_API_DESCRIPTION = 480;
inline constexpr UINT IDS_TEXT_API_TITLE = 481;
inline constexpr UINT IDS_TEXT_API_BODY = 482;
inline constexpr UINT IDS_SENDING_OPTIONS = 483;
inline constexpr UINT IDS_RECEIVING_OPTIONS = 484;
inline constexpr UINT IDS_SENDING_OPTIONS_DESCRIPTION = 485;
inline constexpr UINT IDS_RECEIVING_OPTIONS_DESCRIPTION = 486;
inline constexpr UINT IDS_SENDING_OPTIONS_TITLE = 487;
inline constexpr UINT IDS_RECEIVING_OPTIONS_TITLE = 488;
inline constexpr UINT IDS_SENDING_OPTIONS_BODY = 489;
inline constexpr UINT IDS_RECEIVING_OPTIONS_BODY = 490;
