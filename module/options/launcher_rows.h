// The launcher rows of the static tree: which configuration program, with which arguments,
// each settings group of the server starts, and how its node looks.
#pragma once

#include "module/resources/options.h"
#include "module/snapin/node_types.h"

// One settings group that the server's own configuration programs edit. The arguments begin
// with a blank because the launcher appends them to nothing but the program's path.
struct LauncherRow {
  int image;
  UINT name_id;
  UINT description_id;
  const wchar_t* program;
  const wchar_t* arguments;
  UINT message_title_id;
  UINT message_body_id;
  GUID node_type;
};

inline constexpr wchar_t kServerConfigProgram[] = L"pwgwconf.exe";
inline constexpr wchar_t kGatewayConfigProgram[] = L"pwgwinet.exe";

// Under the root.
inline constexpr LauncherRow kLinesLauncher = {6,
                                               IDS_LINES,
                                               IDS_LINES_DESCRIPTION,
                                               kServerConfigProgram,
                                               L" -notaskbaricon -mmc -mul -pages:lines",
                                               IDS_LINES_TITLE,
                                               IDS_LINES_BODY,
                                               kNodeTypeLines};
inline constexpr LauncherRow kDocumentConversionLauncher = {
    2,
    IDS_DOCUMENT_CONVERSION,
    IDS_DOCUMENT_CONVERSION_DESCRIPTION,
    kServerConfigProgram,
    L" -notaskbaricon -mmc -mul -pages:doccvt",
    IDS_DOCUMENT_CONVERSION_TITLE,
    IDS_DOCUMENT_CONVERSION_BODY,
    kNodeTypeDocumentConversion};
inline constexpr LauncherRow kSendingOptionsLauncher = {25,
                                                        IDS_SENDING_OPTIONS,
                                                        IDS_SENDING_OPTIONS_DESCRIPTION,
                                                        kServerConfigProgram,
                                                        L" -notaskbaricon -mmc -mul -pages:sending",
                                                        IDS_SENDING_OPTIONS_TITLE,
                                                        IDS_SENDING_OPTIONS_BODY,
                                                        kNodeTypeSendingOptions};
inline constexpr LauncherRow kReceivingOptionsLauncher = {
    26,
    IDS_RECEIVING_OPTIONS,
    IDS_RECEIVING_OPTIONS_DESCRIPTION,
    kServerConfigProgram,
    L" -notaskbaricon -mmc -mul -pages:receiving",
    IDS_RECEIVING_OPTIONS_TITLE,
    IDS_RECEIVING_OPTIONS_BODY,
    kNodeTypeReceivingOptions};

// Under "Advanced".
inline constexpr LauncherRow kDiallingLauncher = {3,
                                                  IDS_DIALLING,
                                                  IDS_DIALLING_DESCRIPTION,
                                                  kServerConfigProgram,
                                                  L" -notaskbaricon -mmc -mul -pages:dialling",
                                                  IDS_DIALLING_TITLE,
                                                  IDS_DIALLING_BODY,
                                                  kNodeTypeDialling};
inline constexpr LauncherRow kHeaderFooterLauncher = {4,
                                                      IDS_HEADER_FOOTER,
                                                      IDS_HEADER_FOOTER_DESCRIPTION,
                                                      kServerConfigProgram,
                                                      L" -notaskbaricon -mmc -mul -pages:headers",
                                                      IDS_HEADER_FOOTER_TITLE,
                                                      IDS_HEADER_FOOTER_BODY,
                                                      kNodeTypeHeaderFooter};
inline constexpr LauncherRow kStampingLauncher = {23,
                                                  IDS_STAMPING,
                                                  IDS_STAMPING_DESCRIPTION,
                                                  kServerConfigProgram,
                                                  L" -notaskbaricon -mmc -mul -pages:stamping",
                                                  IDS_STAMPING_TITLE,
                                                  IDS_STAMPING_BODY,
                                                  kNodeTypeStamping};
inline constexpr LauncherRow kPop3AgentLauncher = {8,
                                                   IDS_POP3_AGENT,
                                                   IDS_POP3_AGENT_DESCRIPTION,
                                                   kGatewayConfigProgram,
                                                   L" -setup:mba",
                                                   IDS_POP3_AGENT_TITLE,
                                                   IDS_POP3_AGENT_BODY,
                                                   kNodeTypePop3ClientAgent};
inline constexpr LauncherRow kTransferAgentLauncher = {9,
                                                       IDS_TRANSFER_AGENT,
                                                       IDS_TRANSFER_AGENT_DESCRIPTION,
                                                       kGatewayConfigProgram,
                                                       L" -setup:networks",
                                                       IDS_TRANSFER_AGENT_TITLE,
                                                       IDS_TRANSFER_AGENT_BODY,
                                                       kNodeTypeMessageTransferAgent};
inline constexpr LauncherRow kMailGatewayLauncher = {8,
                                                     IDS_MAIL_GATEWAY,
                                                     IDS_MAIL_GATEWAY_DESCRIPTION,
                                                     kGatewayConfigProgram,
                                                     L" -setup:e2fg",
                                                     IDS_MAIL_GATEWAY_TITLE,
                                                     IDS_MAIL_GATEWAY_BODY,
                                                     kNodeTypeMailGateway};
inline constexpr LauncherRow kJunkFaxFilterLauncher = {5,
                                                       IDS_JUNK_FAX_FILTER,
                                                       IDS_JUNK_FAX_FILTER_DESCRIPTION,
                                                       kServerConfigProgram,
                                                       L" -notaskbaricon -mmc -mul -pages:junkfax",
                                                       IDS_JUNK_FAX_FILTER_TITLE,
                                                       IDS_JUNK_FAX_FILTER_BODY,
                                                       kNodeTypeJunkFaxFilter};
inline constexpr LauncherRow kHpdsSapLauncher = {7,
                                                 IDS_HPDS_SAP,
                                                 IDS_HPDS_SAP_DESCRIPTION,
                                                 kServerConfigProgram,
                                                 L" -notaskbaricon -mmc -mul -pages:hpds,sap",
                                                 IDS_HPDS_SAP_TITLE,
                                                 IDS_HPDS_SAP_BODY,
                                                 kNodeTypeHpdsSap};
inline constexpr LauncherRow kTextApiLauncher = {24,
                                                 IDS_TEXT_API,
                                                 IDS_TEXT_API_DESCRIPTION,
                                                 kServerConfigProgram,
                                                 L" -notaskbaricon -mmc -mul -pages:textapi",
                                                 IDS_TEXT_API_TITLE,
                                                 IDS_TEXT_API_BODY,
                                                 kNodeTypeTextApi};

// The containers' own groups; kept with them, though they show the standard list instead.
inline constexpr LauncherRow kAdvancedLauncher = {22,
                                                  IDS_ADVANCED,
                                                  IDS_ADVANCED_DESCRIPTION,
                                                  kServerConfigProgram,
                                                  L" -notaskbaricon -mmc -mul -pages:advanced",
                                                  IDS_ADVANCED_TITLE,
                                                  IDS_ADVANCED_BODY,
                                                  kNodeTypeAdvancedNode};
inline constexpr LauncherRow kGeneralLauncher = {1,
                                                 IDS_GENERAL,
                                                 IDS_GENERAL_DESCRIPTION,
                                                 kServerConfigProgram,
                                                 L" -notaskbaricon -mmc -mul -pages:general",
                                                 IDS_GENERAL_TITLE,
                                                 IDS_GENERAL_BODY,
                                                 kNodeTypeGeneralAdvanced};
