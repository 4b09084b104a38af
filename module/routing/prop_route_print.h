// CPropRoutePrint: the "Printers" page of a routing rule's sheet, which switches automatic
// printing of the rule's faxes on and picks the printer setting to use.
#pragma once

#include <string>
#include <vector>

#include "module/snapin/mmc_property_page.h"

// Offers the printer settings ("apsettings" rules) that name at least one printer. The route
// item hands it the rule's auto-print bit and "AP_Assign" before the sheet opens and reads the
// check box and the chosen setting's name back when it applies.
//
// Lifetime: embedded in its route item; it may serve several sheets one after the other.
class CPropRoutePrint : public CMMCPropertyPage {
 public:
  CPropRoutePrint();
  ~CPropRoutePrint() override;

  // Before the sheet opens: the heading text, the rule's auto-print bit and its "AP_Assign".
  void SetRouteState(std::wstring heading, bool enabled, std::wstring assigned);

  // Whether the page has a window in the current sheet (then its answers below count).
  bool was_shown() const { return shown_; }
  bool enabled() const { return enabled_; }
  // The selected setting's "ObjectDisplay"; empty when none is selected.
  const std::wstring& selected_name() const { return selected_name_; }

  BOOL OnApply() override;

 protected:
  BOOL OnInitDialog() override;
  void OnDestroy() override;
  const pw::ui::MessageMap* GetMessageMap() const override;

 private:
  struct Setting {
    std::wstring display;
    std::wstring value;
  };

  std::vector<Setting> LoadSettings() const;
  void UpdateControls();
  void OnEnableClicked();
  void OnPrinterChanged();
  void ReadControls();

  std::wstring heading_;
  bool enabled_ = false;
  std::wstring assigned_;
  bool shown_ = false;
  std::wstring selected_name_;
  bool has_settings_ = false;
};
