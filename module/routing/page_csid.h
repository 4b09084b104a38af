// CPageCSID: the "Options" page of a CSID route, which changes its CSID text.
#pragma once

#include <string>

#include "module/snapin/mmc_property_page.h"

class CRouteNode;

// Refuses an empty CSID when left and a CSID another route has when applied (the check asks
// the store, and runs only when the text changed other than in letter case).
//
// Lifetime: owned by its route item, made on the item's first sheet and kept.
class CPageCSID : public CMMCPropertyPage {
 public:
  explicit CPageCSID(CRouteNode* item);
  ~CPageCSID() override;

  // Before the sheet opens: the item's current CSID.
  void SetCSID(std::wstring csid);
  // The CSID the last apply accepted.
  const std::wstring& csid() const { return csid_; }

  BOOL OnKillActive() override;
  BOOL OnApply() override;

 protected:
  BOOL OnInitDialog() override;
  const pw::ui::MessageMap* GetMessageMap() const override;

 private:
  std::wstring TrimmedText();
  void OnChange();

  CRouteNode* item_;
  std::wstring csid_;
  bool shown_ = false;
};
