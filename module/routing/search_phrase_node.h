// CSearchPhraseNode: one search phrase in the "OCR" list.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "module/routing/page_ocr.h"
#include "module/routing/prop_route_print.h"
#include "module/routing/route_node.h"

// A stored "ocr" rule: faxes in which the OCR engine finds the phrase go to its users. The
// phrase is free text, renamed from the console or changed on its "Options" page. Made and
// destroyed by its list (CRoutesOCR).
class CSearchPhraseNode final : public CRouteNodeEx {
 public:
  CSearchPhraseNode(CRoutingDelegationBase* list, std::wstring display, std::wstring value,
                    IArdentRulePtr rule);
  ~CSearchPhraseNode() override;

  GUID GetNodeType() override;
  int GetBitmapIndex(BOOL for_result_pane) override;

  void SaveTypeFields(IArdentRule& rule) override;

  void SetParentList(CRoutingDelegationBase* list) { parent_list_ = list; }
  CRoutingDelegationBase* GetParentList() const { return parent_list_; }

 protected:
  HRESULT AddTypePages(IPropertySheetCallback* callback,
                       std::vector<CPropertyPage*>* pages) override;

 private:
  std::unique_ptr<CPageOCR> page_ocr_;
  CRoutingDelegationBase* parent_list_;
};
