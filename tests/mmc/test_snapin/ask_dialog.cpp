// AskDialog.
#include "tests/mmc/test_snapin/ask_dialog.h"

#include "platform/ui/combo_box.h"
#include "platform/ui/edit.h"
#include "platform/ui/message_box.h"
#include "platform/win/resources.h"
#include "tests/mmc/test_snapin/resources/test_snapin_resource.h"
#include "tests/mmc/test_snapin/snapin_objects.h"

extern const pw::ResourceModule kTestSnapinResources;

namespace test_snapin {

namespace {

constexpr wchar_t kCaption[] = L"Ask for a name";
constexpr const wchar_t* kColours[] = {L"Red", L"Green", L"Blue"};

}  // namespace

AskDialog::AskDialog() : CDialog(IDD_TEST_ASK, nullptr, kTestSnapinResources.handle()) {}

BOOL AskDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  auto* colours = GetDlgItem<CComboBox>(IDC_ASK_COLOUR);
  for (const wchar_t* colour : kColours) colours->AddString(colour);
  colours->SetCurSel(0);
  State().Log(L"Ask.Init");
  return TRUE;
}

void AskDialog::OnOK() {
  const std::wstring name = GetDlgItemText(IDC_ASK_NAME);
  auto* edit = GetDlgItem<CEdit>(IDC_ASK_NAME);
  if (name.empty()) {
    const int answer = MessageBox(L"Please enter a name.", kCaption, MB_OK | MB_ICONWARNING);
    State().Log(L"Ask.Empty answer=" + std::to_wstring(answer));
    GotoDlgCtrl(edit);
    return;
  }
  const bool remember = IsDlgButtonChecked(IDC_ASK_REMEMBER) == BST_CHECKED;
  if (remember) {
    const int answer = MessageBox(L"Remember the name \"" + name + L"\" for next time?", kCaption,
                                  MB_YESNO | MB_ICONQUESTION);
    State().Log(L"Ask.Remember answer=" + std::to_wstring(answer));
    if (answer != IDYES) return;
  }
  auto* colours = GetDlgItem<CComboBox>(IDC_ASK_COLOUR);
  name_ = name;
  colour_ = colours->GetLBText(colours->GetCurSel());
  remember_ = remember;
  EndDialog(IDOK);
}

}  // namespace test_snapin
