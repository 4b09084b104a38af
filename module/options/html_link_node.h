// CHTMLLinkNode: a web page of the maker shown in the result pane, under "General".
#pragma once

#include <string>

#include "module/snapin/delegation_base.h"
#include "module/snapin/node_texts.h"

// Made by "General" with the static tree and destroyed with it.
class CHTMLLinkNode : public CDelegationBase {
 public:
  // The web addresses of the two links.
  static constexpr wchar_t kMailshieldAddress[] = L"http://www.ardenttelecom.example/mailshield/";
  static constexpr wchar_t kSupportAddress[] =
      L"http://www.ardenttelecom.example/support.asp?pii=14&lcode=";

  CHTMLLinkNode(CDelegationBase* owner, UINT name_id, UINT description_id, const GUID& node_type,
                std::wstring address);

  std::wstring GetDisplayName(int column) override;
  GUID GetNodeType() override;
  int GetBitmapIndex(BOOL for_result_pane) override;

  const std::wstring& address() const { return address_; }

 private:
  pw::NodeTexts texts_;
  GUID node_type_;
  // At most 260 characters: the console gets it in a buffer of that size.
  std::wstring address_;
};
