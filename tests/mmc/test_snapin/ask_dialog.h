// AskDialog: the modal dialog of the test snap-in's "Ask for a name" command.
#pragma once

#include <string>

#include "platform/ui/dialog.h"

namespace test_snapin {

// Lives on the stack of the command that runs it. OK with an empty name warns and stays open;
// OK with "Remember" checked asks first and stays open on No.
class AskDialog final : public CDialog {
 public:
  AskDialog();

  // What the person chose, once DoModal answered IDOK.
  const std::wstring& name() const { return name_; }
  const std::wstring& colour() const { return colour_; }
  bool remember() const { return remember_; }

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;

 private:
  std::wstring name_;
  std::wstring colour_;
  bool remember_ = false;
};

}  // namespace test_snapin
