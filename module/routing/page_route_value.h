// CPageRouteValue and its two kinds, CPageLine and CPageMSN: the "Options" page that shows the
// value a line or MSN route was made for.
#pragma once

#include <string>

#include "module/snapin/mmc_property_page.h"

// Shows the route's value in a read-only field: such a route keeps its value for life, so the
// page changes nothing and its apply only passes the sheet's other changes on.
//
// Lifetime: owned by its route item, made on the item's first sheet and kept.
//
// Deriving: pass a template with IDC_PAGE_VALUE_EDIT (read-only) and its heading and label.
class CPageRouteValue : public CMMCPropertyPage {
 public:
  ~CPageRouteValue() override;

  // Before the sheet opens.
  void SetValue(std::wstring value) { value_ = std::move(value); }
  const std::wstring& value() const { return value_; }

 protected:
  explicit CPageRouteValue(UINT template_id);

  BOOL OnInitDialog() override;

 private:
  std::wstring value_;
};

// "Line Route Properties" with the line number.
class CPageLine final : public CPageRouteValue {
 public:
  CPageLine();
};

// "MSN Route Properties" with the MSN.
class CPageMSN final : public CPageRouteValue {
 public:
  CPageMSN();
};
