// CPropRoutePrint: the printer settings offered to a routing rule, the check box that enables
// the choice, and the refusal of an enabled choice without a printer.
#include "module/routing/prop_route_print.h"

#include <cstring>

#include "installation/interfaces/ardent_db.h"
#include "module/resources/routes.h"
#include "module/snapin/component_data.h"
#include "module/snapin/pwconfig_app.h"
#include "platform/ui/button.h"
#include "platform/ui/combo_box.h"
#include "platform/ui/edit.h"
#include "platform/ui/message_box.h"
#include "platform/ui/message_map.h"
#include "platform/ui/static_ctrl.h"

namespace {

constexpr wchar_t kSettingsType[] = L"apsettings";
constexpr const wchar_t* kPrinterFields[] = {L"AP_PrintA4", L"AP_PrntLtr", L"AP_PrntLgl"};
// The device name of a printer record: 128 bytes from offset 136, zero-terminated.
constexpr std::size_t kDeviceNameOffset = 136;
constexpr std::size_t kDeviceNameSize = 128;

// Whether the record field `name` of `rule` names a printer.
bool NamesPrinter(IArdentRule& rule, const wchar_t* name) {
  const VARIANT record = rule.GetField(name);
  if (record.vt() != (VT_BYREF | VT_PTR) || record.byref() == nullptr) return false;
  const auto* bytes = static_cast<const char*>(record.byref()) + kDeviceNameOffset;
  return ::strnlen(bytes, kDeviceNameSize) > 0;
}

}  // namespace

CPropRoutePrint::CPropRoutePrint() { ConstructPage(IDD_PROP_ROUTE_PRINT); }

CPropRoutePrint::~CPropRoutePrint() = default;

void CPropRoutePrint::SetRouteState(std::wstring heading, bool enabled, std::wstring assigned) {
  heading_ = std::move(heading);
  enabled_ = enabled;
  assigned_ = std::move(assigned);
  selected_name_.clear();
  shown_ = false;
}

const pw::ui::MessageMap* CPropRoutePrint::GetMessageMap() const {
  static const pw::ui::MessageMap map(
      CMMCPropertyPage::GetMessageMap(),
      {
          pw::ui::MapCommand(IDC_ROUTE_PRINT_ENABLE, BN_CLICKED, &CPropRoutePrint::OnEnableClicked),
          pw::ui::MapCommand(IDC_ROUTE_PRINT_PRINTER, CBN_SELCHANGE,
                             &CPropRoutePrint::OnPrinterChanged),
      });
  return &map;
}

std::vector<CPropRoutePrint::Setting> CPropRoutePrint::LoadSettings() const {
  std::vector<Setting> settings;
  IArdentRULEDB* rules = component_data_ != nullptr ? component_data_->rule_store() : nullptr;
  if (rules == nullptr) return settings;
  try {
    IArdentRuleEnumPtr found = rules->EnumRules(L"", kSettingsType);
    if (!found) return settings;
    found->Reset();
    IArdentRulePtr rule;
    while (found->Next(&rule) == S_OK && rule) {
      bool any_printer = false;
      for (const wchar_t* field : kPrinterFields)
        any_printer = any_printer || NamesPrinter(*rule, field);
      if (!any_printer) continue;
      settings.push_back(
          {rule->GetField(L"ObjectDisplay").ToString(), rule->GetField(L"ObjectValue").ToString()});
    }
  } catch (const ComError& error) {
    WriteLog(L"Reading the printer settings failed: 0x%08X", static_cast<DWORD>(error.Error()));
  }
  return settings;
}

BOOL CPropRoutePrint::OnInitDialog() {
  CMMCPropertyPage::OnInitDialog();
  shown_ = true;
  GetDlgItem<CEdit>(IDC_ROUTE_PRINT_HEADING)->SetWindowText(heading_);
  CComboBox& printers = *GetDlgItem<CComboBox>(IDC_ROUTE_PRINT_PRINTER);
  int remembered = -1;
  for (const Setting& setting : LoadSettings()) {
    const int index = printers.AddString(setting.display);
    if (enabled_ && setting.value == assigned_) remembered = index;
  }
  has_settings_ = printers.GetCount() > 0;
  CButton& enable = *GetDlgItem<CButton>(IDC_ROUTE_PRINT_ENABLE);
  CStatic& note = *GetDlgItem<CStatic>(IDC_ROUTE_PRINT_NOTE);
  GetDlgItem(IDC_ROUTE_PRINT_NONE_ICON)->ShowWindow(has_settings_ ? SW_HIDE : SW_SHOW);
  GetDlgItem(IDC_ROUTE_PRINT_NOTE_ICON)->ShowWindow(has_settings_ ? SW_SHOW : SW_HIDE);
  if (!has_settings_) {
    note.SetWindowText(LoadModuleString(IDS_ROUTE_PRINT_NO_PRINTERS));
    enable.EnableWindow(FALSE);
    GetDlgItem(IDC_ROUTE_PRINT_LABEL)->EnableWindow(FALSE);
    printers.EnableWindow(FALSE);
    ReadControls();
    return TRUE;
  }
  note.SetWindowText(LoadModuleString(IDS_ROUTE_PRINT_CONFIGURE));
  enable.SetCheck(enabled_ ? BST_CHECKED : BST_UNCHECKED);
  if (remembered >= 0) {
    printers.SetCurSel(remembered);
    WriteLog(L"Selecting list entry: %d", remembered);
  }
  UpdateControls();
  ReadControls();
  return TRUE;
}

void CPropRoutePrint::UpdateControls() {
  const BOOL checked = GetDlgItem<CButton>(IDC_ROUTE_PRINT_ENABLE)->GetCheck() == BST_CHECKED;
  GetDlgItem(IDC_ROUTE_PRINT_LABEL)->EnableWindow(checked);
  GetDlgItem(IDC_ROUTE_PRINT_PRINTER)->EnableWindow(checked);
}

void CPropRoutePrint::ReadControls() {
  if (GetSafeHwnd() == nullptr) return;
  enabled_ = GetDlgItem<CButton>(IDC_ROUTE_PRINT_ENABLE)->GetCheck() == BST_CHECKED;
  const CComboBox& printers = *GetDlgItem<CComboBox>(IDC_ROUTE_PRINT_PRINTER);
  selected_name_ = printers.GetCurSel() >= 0 ? printers.GetLBText(printers.GetCurSel()) : L"";
}

void CPropRoutePrint::OnEnableClicked() {
  UpdateControls();
  if (GetDlgItem<CButton>(IDC_ROUTE_PRINT_ENABLE)->GetCheck() == BST_CHECKED) {
    GotoDlgCtrl(GetDlgItem(IDC_ROUTE_PRINT_PRINTER));
  }
  modified_ = TRUE;
  SetModified(TRUE);
}

void CPropRoutePrint::OnPrinterChanged() {
  modified_ = TRUE;
  SetModified(TRUE);
}

BOOL CPropRoutePrint::OnApply() {
  ReadControls();
  if (enabled_ && selected_name_.empty() && has_settings_) {
    AfxMessageBox(LoadModuleString(IDS_ROUTE_PRINT_CHOOSE), MB_OK);
    return FALSE;
  }
  return CMMCPropertyPage::OnApply();
}

void CPropRoutePrint::OnDestroy() {
  // The route reads the answers after the sheet closed (the change notification comes later).
  ReadControls();
  CMMCPropertyPage::OnDestroy();
}
