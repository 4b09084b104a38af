// CSelectComputerPage: the page of the console's "add snap-in" wizard on which a console for
// any server is told which computer to administer.
#pragma once

#include <string>

#include "module/server/select_computer.h"
#include "module/snapin/mmc_property_page.h"

class CStaticNode;

// Owned by the root node, which makes it when the console asks for the add wizard's pages and
// keeps it for its own lifetime (the wizard's window goes first). Finish validates the choice
// as the dialog's OK does and, on success, hands the computer to the root.
class CSelectComputerPage : public CMMCPropertyPage {
 public:
  CSelectComputerPage();

  // The root that receives the choice, and the installation's remote kind ("REMOTE").
  void SetRoot(CStaticNode* root, DWORD remote_kind);
  // The name the page starts with ("MACHINE" left by the installation).
  void SetComputerName(std::wstring name) { selection_.computer_name = std::move(name); }
  // The network check run behind "Please wait"; LookUpComputer unless replaced.
  void SetLookup(ComputerLookup lookup) { lookup_ = std::move(lookup); }
  const ComputerSelection& selection() const { return selection_; }

  BOOL OnSetActive() override;
  BOOL OnWizardFinish() override;

 protected:
  BOOL OnInitDialog() override;
  const pw::ui::MessageMap* GetMessageMap() const override;

 private:
  void OnChoiceClicked(UINT id);
  void OnBrowse();
  void OnNameChanged();
  // The choice becomes the root's; the installation's hand-over value must not override it.
  void HandOverToRoot();

  CStaticNode* root_ = nullptr;
  DWORD remote_kind_ = 0;
  // Set while the page fills its own controls, which is no change of the administrator's.
  bool filling_ = false;
  ComputerSelection selection_;
  ComputerLookup lookup_;
};
