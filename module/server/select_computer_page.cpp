// CSelectComputerPage: the wizard's Finish button, the controls shared with the dialog, and
// the hand-over of the choice to the root.
#include "module/server/select_computer_page.h"

#include <utility>

#include "module/resources/select_computer.h"
#include "module/server/computer_lookup.h"
#include "module/snapin/pwconfig_app.h"
#include "module/snapin/registry_keys.h"
#include "module/snapin/static_node.h"
#include "platform/ui/message_map.h"
#include "platform/ui/property_sheet.h"
#include "platform/win/registry.h"

namespace {

// The remote console kind that may administer any server.
constexpr DWORD kRemoteAnyServer = 2;

}  // namespace

CSelectComputerPage::CSelectComputerPage()
    : CMMCPropertyPage(IDD_SELECT_COMPUTER_PAGE), lookup_(LookUpComputer) {}

void CSelectComputerPage::SetRoot(CStaticNode* root, DWORD remote_kind) {
  root_ = root;
  remote_kind_ = remote_kind;
}

const pw::ui::MessageMap* CSelectComputerPage::GetMessageMap() const {
  static const pw::ui::MessageMap map(
      CMMCPropertyPage::GetMessageMap(),
      {
          pw::ui::MapCommandRange(IDC_LOCAL_COMPUTER, IDC_ANOTHER_COMPUTER, BN_CLICKED,
                                  &CSelectComputerPage::OnChoiceClicked),
          pw::ui::MapCommand(IDC_BROWSE_COMPUTER, BN_CLICKED, &CSelectComputerPage::OnBrowse),
          pw::ui::MapCommand(IDC_COMPUTER_NAME, EN_CHANGE, &CSelectComputerPage::OnNameChanged),
      });
  return &map;
}

BOOL CSelectComputerPage::OnInitDialog() {
  CMMCPropertyPage::OnInitDialog();
  filling_ = true;
  InitSelectComputerControls(*this, &selection_);
  filling_ = false;
  return FALSE;
}

BOOL CSelectComputerPage::OnSetActive() {
  if (CPropertySheet* sheet = GetParentSheet(); sheet != nullptr) {
    sheet->SetWizardButtons(PSWIZB_FINISH);
  }
  return CMMCPropertyPage::OnSetActive();
}

void CSelectComputerPage::OnChoiceClicked(UINT) { EnableComputerNameControls(*this); }

void CSelectComputerPage::OnBrowse() { BrowseForComputer(*this); }

void CSelectComputerPage::OnNameChanged() {
  if (filling_) return;
  modified_ = TRUE;
  SetModified(TRUE);
}

BOOL CSelectComputerPage::OnWizardFinish() {
  if (ValidateComputerSelection(*this, &selection_, lookup_) == SelectionVerdict::kStayOpen) {
    return FALSE;
  }
  HandOverToRoot();
  return TRUE;
}

void CSelectComputerPage::HandOverToRoot() {
  if (root_ == nullptr) return;
  root_->set_computer_name(selection_.computer_name);
  root_->set_computer_chosen(true);
  if (remote_kind_ != kRemoteAnyServer) return;
  CRegKey config;
  if (config.Open(HKEY_LOCAL_MACHINE, kPagewellConfigKey, KEY_READ | KEY_WRITE) == ERROR_SUCCESS) {
    config.DeleteValue(L"MACHINE");
  }
  WriteLog(L"Computer chosen on the wizard page: %s", selection_.computer_name);
}
