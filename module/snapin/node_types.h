// The node types of the static tree: one GUID per node class, and one per launcher row, since
// each launcher is a settings group of its own. The console and the data objects tell the kinds
// of items apart by these.
#pragma once

#include "platform/com/guid.h"

// The root
inline constexpr GUID kNodeTypeStaticNode = pw::GuidLiteral("2A65DE29-4CE3-4DF9-AA50-C4422D73B5B4");
// "Lines/Devices" launcher
inline constexpr GUID kNodeTypeLines = pw::GuidLiteral("EE45070B-A749-4BCB-8F24-A29A3D9D3248");
// "Document conversion" launcher
inline constexpr GUID kNodeTypeDocumentConversion =
    pw::GuidLiteral("5AECBC9E-67C5-41B1-AB99-408F8C8BB80C");
// "Sending Options" launcher
inline constexpr GUID kNodeTypeSendingOptions =
    pw::GuidLiteral("B0E1B814-D039-4FD8-9D91-49FE25CA77F7");
// "Receiving Options" launcher
inline constexpr GUID kNodeTypeReceivingOptions =
    pw::GuidLiteral("D743B71B-1001-49C2-B5B1-223086871FA7");
// "Dialling" launcher
inline constexpr GUID kNodeTypeDialling = pw::GuidLiteral("DEDDAD4A-C508-4B5E-AD0D-DB9C760EB26D");
// "Header/Footer" launcher
inline constexpr GUID kNodeTypeHeaderFooter =
    pw::GuidLiteral("7B53C9D0-E787-409D-89AF-C51786AC4B2E");
// "Stamping" launcher
inline constexpr GUID kNodeTypeStamping = pw::GuidLiteral("A8D0E98D-739A-4A9A-912B-5EF061CC5E94");
// "POP3 Client Agent" launcher
inline constexpr GUID kNodeTypePop3ClientAgent =
    pw::GuidLiteral("B961A43F-9EEF-4F1A-8684-26F47585971A");
// "Message Transfer Agent" launcher
inline constexpr GUID kNodeTypeMessageTransferAgent =
    pw::GuidLiteral("C84BCC39-CB4E-40D8-AEEC-4F9D34F534AB");
// The mail gateway launcher
inline constexpr GUID kNodeTypeMailGateway =
    pw::GuidLiteral("2BD25650-2C7F-42E3-86C7-4023D3AFF424");
// "Junk fax filter" launcher
inline constexpr GUID kNodeTypeJunkFaxFilter =
    pw::GuidLiteral("81CF3B6D-A100-4CCD-8802-81F8548AFC43");
// "HPDS/SAP" launcher
inline constexpr GUID kNodeTypeHpdsSap = pw::GuidLiteral("FA31535D-A6D8-45E4-8A8E-C6C746F1711B");
// "Text-API" launcher
inline constexpr GUID kNodeTypeTextApi = pw::GuidLiteral("8CDE6FCB-F2D4-4B86-83E8-15010C721D00");
// CAdvancedNode
inline constexpr GUID kNodeTypeAdvancedNode =
    pw::GuidLiteral("FB2D6095-56DD-46FE-A943-5FAD96374ED7");
// GeneralAdvanced
inline constexpr GUID kNodeTypeGeneralAdvanced =
    pw::GuidLiteral("FFAE5B6B-B2E7-4A18-9BB2-B48D737B4BD3");
// CAutoUpdateNode
inline constexpr GUID kNodeTypeAutoUpdateNode =
    pw::GuidLiteral("9272C4C5-CA88-4BFC-A19F-523FF0D19D0F");
// The first web link
inline constexpr GUID kNodeTypeMailshieldLink =
    pw::GuidLiteral("30D3B554-E1D2-487A-9BFE-28C3B402C628");
// The support web link
inline constexpr GUID kNodeTypeSupportLink =
    pw::GuidLiteral("1D8701BB-94B0-46DD-BD66-C81B2713E2A8");
// CLicencedUsers
inline constexpr GUID kNodeTypeLicencedUsers =
    pw::GuidLiteral("7BDEA77F-5A7B-45D7-A7FE-CDD9ABA4C009");
// CAdministrators
inline constexpr GUID kNodeTypeAdministrators =
    pw::GuidLiteral("C52B69CA-020F-4C6C-8333-688918D69DA8");
// CRoutingNode
inline constexpr GUID kNodeTypeRoutingNode =
    pw::GuidLiteral("6B4DD944-4D50-48E0-ABF0-FE20D8139FB0");
// CRoutesCSID
inline constexpr GUID kNodeTypeRoutesCSID = pw::GuidLiteral("78FCCA68-94DF-4552-B623-EA62CDDB4EFA");
// CRoutesDTMF
inline constexpr GUID kNodeTypeRoutesDTMF = pw::GuidLiteral("3F05ED71-A652-48D3-BA58-41E1FD18946B");
// CRoutesOCR
inline constexpr GUID kNodeTypeRoutesOCR = pw::GuidLiteral("AC9180CB-9004-4D6C-8BF1-09F63786CF6D");
// CRoutesLine
inline constexpr GUID kNodeTypeRoutesLine = pw::GuidLiteral("DF7C95CC-80E0-4B5D-AA72-496F0E42AC22");
// CRoutingMSN
inline constexpr GUID kNodeTypeRoutingMSN = pw::GuidLiteral("1820AA05-F36E-4C66-A99A-D34621D27C92");
// CSMSOptions
inline constexpr GUID kNodeTypeSMSOptions = pw::GuidLiteral("8B7A3759-CA56-4E50-9A98-7FE107B3B032");
// CSMSRouting
inline constexpr GUID kNodeTypeSMSRouting = pw::GuidLiteral("966A7BB3-BA74-439D-8402-EDDC229F2E40");
// CSMSUsers
inline constexpr GUID kNodeTypeSMSUsers = pw::GuidLiteral("475F362B-3416-4289-A723-B18DC5356E95");
// CCPagesParentNode
inline constexpr GUID kNodeTypeCPagesParentNode =
    pw::GuidLiteral("B96F09C6-BB8B-4C0E-8B59-5FD79D197616");
// CCoverpagesNode
inline constexpr GUID kNodeTypeCoverpagesNode =
    pw::GuidLiteral("8103D44D-D786-49B8-A2B7-54620CAC9FD6");
// CFrontCovernotesNode
inline constexpr GUID kNodeTypeFrontCovernotesNode =
    pw::GuidLiteral("7AD5B987-AD39-4EAC-AD30-15C81A1369EC");
// CNPQNode
inline constexpr GUID kNodeTypeNPQNode = pw::GuidLiteral("8A5D7B38-5CA0-47B1-B687-08DFF8321921");
// CAutoPrintSettings
inline constexpr GUID kNodeTypeAutoPrintSettings =
    pw::GuidLiteral("3B4A0510-BF3D-49AC-AEB6-F31B6D23BD40");
// CReportNode
inline constexpr GUID kNodeTypeReportNode = pw::GuidLiteral("D0C517CF-78AE-4E74-A527-39C0CFEE10EE");
// CCallBlockingNode
inline constexpr GUID kNodeTypeCallBlockingNode =
    pw::GuidLiteral("539563B0-4652-4D54-9EF0-01AD9F388F39");
