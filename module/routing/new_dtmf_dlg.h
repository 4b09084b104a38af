// CNewDTMFDlg: the "New DTMF/DID Route(s)" dialog.
#pragma once

#include <vector>

#include "module/routing/dtmf_ranges.h"
#include "platform/ui/dialog.h"

// Asks for a list of DTMF/DID numbers and ranges and for the forced width of the numbers.
// OK is accepted only for a valid list, and for more than 100 numbers only once the
// administrator confirmed; the parsed entries and the format are kept for the caller, which
// creates the routes after the dialog closed (duplicates are the store's to find then).
// Lives on the stack of the "New" command.
class CNewDTMFDlg : public CDialog {
 public:
  CNewDTMFDlg();

  // The entries of the accepted list, in the order typed; empty until OK is accepted.
  const std::vector<pw::DtmfEntry>& entries() const { return entries_; }
  // The force flag and width chosen when OK was accepted.
  const pw::DtmfFormat& format() const { return format_; }

  void OnOK() override;

 protected:
  BOOL OnInitDialog() override;
  const pw::ui::MessageMap* GetMessageMap() const override;

 private:
  void OnForceClicked();
  void EnableWidth();

  std::vector<pw::DtmfEntry> entries_;
  pw::DtmfFormat format_;
};
