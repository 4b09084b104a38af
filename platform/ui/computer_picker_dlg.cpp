// CComputerPickerDlg: this computer and the hosts under the UNC root, listed and picked.
#include "platform/ui/computer_picker_dlg.h"

#include <algorithm>

#include "platform/com/strings.h"
#include "platform/ui/edit.h"
#include "platform/ui/list_ctrl.h"
#include "platform/ui/resources/ui_resource.h"
#include "platform/ui/ui_resources.h"
#include "platform/win/files.h"
#include "platform/win/host_names.h"
#include "platform/win/paths.h"

namespace {

// A name as a person may type it: "\\faxsrv " stands for FAXSRV's name "faxsrv".
std::wstring CleanName(std::wstring_view text) {
  std::wstring_view name = pw::Trim(text);
  while (!name.empty() && (name.front() == L'\\' || name.front() == L'/')) name.remove_prefix(1);
  return std::wstring(pw::Trim(name));
}

}  // namespace

CComputerPickerDlg::CComputerPickerDlg(CWnd* parent)
    : CDialog(IDD_PW_COMPUTER_PICKER, parent, pw::ui::PlatformUiInstance()) {}

std::vector<CComputerPickerDlg::Computer> CComputerPickerDlg::ListComputers() {
  std::vector<Computer> computers;
  std::wstring local;
  if (GetComputerName(&local) && !local.empty()) computers.push_back(Computer{local, true});
  std::vector<Computer> hosts;
  const auto add_host = [&computers, &hosts](std::wstring name) {
    const auto same = [&name](const Computer& known) {
      return pw::EqualsIgnoreCase(known.name, name);
    };
    if (std::any_of(computers.begin(), computers.end(), same) ||
        std::any_of(hosts.begin(), hosts.end(), same)) {
      return;
    }
    hosts.push_back(Computer{std::move(name), false});
  };
  const std::wstring root = pw::FromUtf8(pw::UncRoot());
  for (const WIN32_FIND_DATA& found : pw::FindFiles(root + L"/*")) {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) continue;
    if (found.cFileName.empty() || found.cFileName.front() == L'.') continue;
    add_host(pw::ToUpper(found.cFileName));
  }
  for (std::wstring& name : pw::ResolverHostNames()) add_host(std::move(name));
  std::sort(hosts.begin(), hosts.end(), [](const Computer& a, const Computer& b) {
    return pw::CompareIgnoreCase(a.name, b.name) < 0;
  });
  computers.insert(computers.end(), hosts.begin(), hosts.end());
  return computers;
}

BOOL CComputerPickerDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  computers_ = ListComputers();
  auto* list = GetDlgItem<CListCtrl>(IDC_CP_LIST);
  list->SetExtendedStyle(LVS_EX_FULLROWSELECT);
  list->InsertColumn(0, pw::ui::LoadUiString(IDS_CP_COLUMN_NAME), LVCFMT_LEFT, 180);
  list->InsertColumn(1, pw::ui::LoadUiString(IDS_CP_COLUMN_LOCATION), LVCFMT_LEFT, 150);
  for (std::size_t i = 0; i < computers_.size(); ++i) {
    const int row = list->InsertItem(static_cast<int>(i), computers_[i].name);
    if (row < 0) continue;
    list->SetItemText(
        row, 1, pw::ui::LoadUiString(computers_[i].local ? IDS_CP_THIS_COMPUTER : IDS_CP_NETWORK));
  }
  SetDlgItemText(IDC_CP_NAME, name_);
  OnNameChanged();
  GotoDlgCtrl(GetDlgItem(IDC_CP_LIST));
  return FALSE;
}

void CComputerPickerDlg::OnOK() {
  const std::wstring name = CleanName(GetDlgItemText(IDC_CP_NAME));
  if (name.empty()) return;
  name_ = name;
  EndDialog(IDOK);
}

void CComputerPickerDlg::OnNameChanged() {
  if (CWnd* ok = GetDlgItem(IDOK)) {
    ok->EnableWindow(CleanName(GetDlgItemText(IDC_CP_NAME)).empty() ? FALSE : TRUE);
  }
}

void CComputerPickerDlg::OnItemChanged(NMHDR* header, LRESULT* /*result*/) {
  const auto* change = reinterpret_cast<const NMLISTVIEW*>(header);
  const bool selected = (change->uChanged & LVIF_STATE) != 0 &&
                        (change->uNewState & LVIS_SELECTED) != 0 &&
                        (change->uOldState & LVIS_SELECTED) == 0;
  if (!selected || change->iItem < 0 || change->iItem >= static_cast<int>(computers_.size())) {
    return;
  }
  SetDlgItemText(IDC_CP_NAME, computers_[static_cast<std::size_t>(change->iItem)].name);
}

void CComputerPickerDlg::OnItemActivate(NMHDR* header, LRESULT* /*result*/) {
  const auto* activation = reinterpret_cast<const NMITEMACTIVATE*>(header);
  if (activation->iItem < 0 || activation->iItem >= static_cast<int>(computers_.size())) return;
  name_ = computers_[static_cast<std::size_t>(activation->iItem)].name;
  EndDialog(IDOK);
}

const pw::ui::MessageMap* CComputerPickerDlg::GetMessageMap() const {
  static const pw::ui::MessageMap map(
      CDialog::GetMessageMap(),
      {
          pw::ui::MapCommand(static_cast<int>(IDC_CP_NAME), EN_CHANGE,
                             &CComputerPickerDlg::OnNameChanged),
          pw::ui::MapNotify(static_cast<int>(IDC_CP_LIST), LVN_ITEMCHANGED,
                            &CComputerPickerDlg::OnItemChanged),
          pw::ui::MapNotify(static_cast<int>(IDC_CP_LIST), LVN_ITEMACTIVATE,
                            &CComputerPickerDlg::OnItemActivate),
      });
  return &map;
}
