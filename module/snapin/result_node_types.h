// The node types of the result-list item classes, and which of them a multiple selection may
// delete.
#pragma once

#include <algorithm>
#include <vector>

#include "platform/com/guid.h"

// CAdministratorNode
inline constexpr GUID kNodeTypeAdministratorNode =
    pw::GuidLiteral("5C0B7B0E-1B8C-4B53-9B52-0E6C3B0B9A11");
// CCoverpageNode
inline constexpr GUID kNodeTypeCoverpageNode =
    pw::GuidLiteral("0E0F5F21-8D61-4B1A-A2B5-6E3C1A9D4C12");
// CCSIDNode
inline constexpr GUID kNodeTypeCSIDNode = pw::GuidLiteral("A7C0A4E3-3E8E-4C55-9D5B-2B8E6C0D7A13");
// CDTMFNode
inline constexpr GUID kNodeTypeDTMFNode = pw::GuidLiteral("61D7C8F2-0B4A-47E9-8F26-3C9A1E5B2D14");
// CLineNode
inline constexpr GUID kNodeTypeLineNode = pw::GuidLiteral("F3B1E9A0-6C2D-4F8B-B7E4-9A0C5D3E1F15");
// CMSNNode
inline constexpr GUID kNodeTypeMSNNode = pw::GuidLiteral("2D9E4B71-A5C3-4E06-8B1F-7C4D2A6E9B16");
// CFrontCovernoteNode
inline constexpr GUID kNodeTypeFrontCovernoteNode =
    pw::GuidLiteral("B8A2C5D4-7E1F-4A39-9C60-1D5E8F2A3B17");
// CSearchPhraseNode
inline constexpr GUID kNodeTypeSearchPhraseNode =
    pw::GuidLiteral("4E6F1A2B-C3D4-4E5F-A6B7-C8D9E0F1A218");
// CSingleUserNode
inline constexpr GUID kNodeTypeSingleUserNode =
    pw::GuidLiteral("9A1B2C3D-4E5F-4061-8273-94A5B6C7D819");
// CSMSNode
inline constexpr GUID kNodeTypeSMSNode = pw::GuidLiteral("C1D2E3F4-A5B6-4C7D-8E9F-0A1B2C3D4E1A");
// CSingleCallBlockNode
inline constexpr GUID kNodeTypeSingleCallBlockNode =
    pw::GuidLiteral("7F8E9D0C-1B2A-4394-A5B6-C7D8E9F0A11B");
// CAutoPrintSettingNode
inline constexpr GUID kNodeTypeAutoPrintSettingNode =
    pw::GuidLiteral("3A4B5C6D-7E8F-4901-A2B3-C4D5E6F7A81C");

// The kinds whose entries a multiple selection may delete: administrators, coverpages, CSID,
// DTMF/DID, line and MSN routes, front covernotes, OCR search phrases, users and SMS users.
inline constexpr GUID kDeletableNodeTypes[] = {
    kNodeTypeAdministratorNode,  kNodeTypeCoverpageNode,
    kNodeTypeCSIDNode,           kNodeTypeDTMFNode,
    kNodeTypeLineNode,           kNodeTypeMSNNode,
    kNodeTypeFrontCovernoteNode, kNodeTypeSearchPhraseNode,
    kNodeTypeSingleUserNode,     kNodeTypeSMSNode,
};

// Whether a multiple selection of these node types may be deleted: at least one type, and
// every one deletable.
inline bool SelectionIsDeletable(const std::vector<GUID>& types) {
  if (types.empty()) return false;
  return std::all_of(types.begin(), types.end(), [](const GUID& type) {
    return std::find(std::begin(kDeletableNodeTypes), std::end(kDeletableNodeTypes), type) !=
           std::end(kDeletableNodeTypes);
  });
}
