// CSelectComputerDlg: the dialog in which the administrator chooses the computer whose server
// this console administers.
#pragma once

#include <string>

#include "module/server/select_computer.h"
#include "platform/ui/dialog.h"

// One modal use: a local of whoever asks (the component data's Load, the root's "Connect to
// another computer..."). DoModal answers IDOK when a computer was accepted (its name is then
// computer_name(), empty for the local computer) and IDCANCEL when nothing changes.
class CSelectComputerDlg : public CDialog {
 public:
  explicit CSelectComputerDlg(CWnd* parent = nullptr);

  // The name the dialog starts with.
  void SetComputerName(std::wstring name) { selection_.computer_name = std::move(name); }
  // Opened to change the administered computer `current`: choosing it again changes nothing.
  void SetChangeMode(std::wstring current);
  // The network check run behind "Please wait"; LookUpComputer unless replaced.
  void SetLookup(ComputerLookup lookup) { lookup_ = std::move(lookup); }

  const ComputerSelection& selection() const { return selection_; }
  const std::wstring& computer_name() const { return selection_.computer_name; }

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  const pw::ui::MessageMap* GetMessageMap() const override;

 private:
  void OnChoiceClicked(UINT id);
  void OnBrowse();

  ComputerSelection selection_;
  ComputerLookup lookup_;
};
