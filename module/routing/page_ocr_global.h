// CPageOCRGlobal: the "General" page of the OCR list's own sheet, with the server-wide OCR
// settings.
#pragma once

#include "module/snapin/mmc_property_page.h"
#include "platform/com/types.h"

// The server-wide OCR settings as the sheet edits them.
struct OcrSettings {
  LONG ratio = 0;               // "IPW_OcrRatio": matching ratio in percent, 1 to 100
  LONG pages = 0;               // "IPW_OCR_ScnPgs": pages converted at most, 1 to 100
  bool route_by_names = false;  // "IPW_Flags" 0x20
  bool attach_text = false;     // "IPW_Flags" 0x10
  bool append_text = false;     // "IPW_Flags" 0x2000
};

// Shows the settings its list read and, on apply, writes the accepted values back into them
// before the list is told. Both numbers must lie between 1 and 100 before the page can be
// left; the ratio also has a spin control with that range.
//
// Lifetime: embedded in CRoutesOCR; it serves each of the list's sheets in turn.
class CPageOCRGlobal final : public CMMCPropertyPage {
 public:
  static constexpr LONG kMinimum = 1;
  static constexpr LONG kMaximum = 100;

  CPageOCRGlobal();
  ~CPageOCRGlobal() override;

  // Before the sheet opens: the values to show and to update on apply (borrowed).
  void SetSettings(OcrSettings* settings) { settings_ = settings; }

  BOOL OnKillActive() override;
  BOOL OnApply() override;

 protected:
  BOOL OnInitDialog() override;
  const pw::ui::MessageMap* GetMessageMap() const override;

 private:
  void OnChange();
  // The number in edit box `id` when it lies in the range; otherwise reports, selects the
  // box's text and answers false.
  bool ReadNumber(int id, LONG* value);

  OcrSettings* settings_ = nullptr;
  bool shown_ = false;
};
