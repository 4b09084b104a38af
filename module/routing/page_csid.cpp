// CPageCSID: the CSID text of a route, checked when the page is left and when it applies.
#include "module/routing/page_csid.h"

#include <cwctype>

#include "module/resources/routes.h"
#include "module/routing/route_node.h"
#include "module/routing/routing_delegation_base.h"
#include "module/snapin/component_data.h"
#include "module/snapin/pwconfig_app.h"
#include "platform/com/strings.h"
#include "platform/ui/edit.h"
#include "platform/ui/message_box.h"
#include "platform/ui/message_map.h"
#include "platform/ui/property_sheet.h"

namespace {

bool EqualNoCase(const std::wstring& a, const std::wstring& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t index = 0; index < a.size(); ++index) {
    if (std::towlower(a[index]) != std::towlower(b[index])) return false;
  }
  return true;
}

}  // namespace

CPageCSID::CPageCSID(CRouteNode* item) : CMMCPropertyPage(IDD_PAGE_CSID), item_(item) {}

CPageCSID::~CPageCSID() = default;

void CPageCSID::SetCSID(std::wstring csid) {
  csid_ = std::move(csid);
  shown_ = false;
}

const pw::ui::MessageMap* CPageCSID::GetMessageMap() const {
  static const pw::ui::MessageMap map(
      CMMCPropertyPage::GetMessageMap(),
      {pw::ui::MapCommand(IDC_PAGE_CSID_EDIT, EN_CHANGE, &CPageCSID::OnChange)});
  return &map;
}

BOOL CPageCSID::OnInitDialog() {
  CMMCPropertyPage::OnInitDialog();
  GetDlgItem<CEdit>(IDC_PAGE_CSID_EDIT)->SetWindowText(csid_);
  // Filling the field is no change of the administrator's.
  modified_ = FALSE;
  shown_ = true;
  return TRUE;
}

void CPageCSID::OnChange() {
  if (!shown_) return;
  modified_ = TRUE;
  SetModified(TRUE);
}

std::wstring CPageCSID::TrimmedText() {
  CEdit& edit = *GetDlgItem<CEdit>(IDC_PAGE_CSID_EDIT);
  std::wstring text = edit.GetWindowText();
  const std::size_t first = text.find_first_not_of(L' ');
  text = first == std::wstring::npos ? L""
                                     : text.substr(first, text.find_last_not_of(L' ') - first + 1);
  if (text != edit.GetWindowText()) edit.SetWindowText(text);
  return text;
}

BOOL CPageCSID::OnKillActive() {
  if (!shown_) return CMMCPropertyPage::OnKillActive();
  if (TrimmedText().empty()) {
    AfxMessageBox(LoadModuleString(IDS_CSID_EMPTY), MB_ICONEXCLAMATION);
    GotoDlgCtrl(GetDlgItem(IDC_PAGE_CSID_EDIT));
    return FALSE;
  }
  return CMMCPropertyPage::OnKillActive();
}

BOOL CPageCSID::OnApply() {
  if (shown_) {
    const std::wstring text = TrimmedText();
    CRoutingDelegationBase* list = item_->list();
    bool exists = false;
    if (!EqualNoCase(text, item_->value_text())) {
      try {
        exists = list->IsRuleInDB(text);
      } catch (const ComError& error) {
        AfxMessageBox(pw::FromUtf8(error.what()), MB_ICONERROR);
        return FALSE;
      }
    }
    if (exists) {
      if (CPropertySheet* sheet = GetParentSheet()) sheet->SetActivePage(this);
      list->OnRefresh(nullptr, component_data_ != nullptr ? component_data_->console() : nullptr);
      AfxMessageBox(LoadModuleString(IDS_CSID_DUPLICATE), MB_ICONEXCLAMATION);
      CEdit& edit = *GetDlgItem<CEdit>(IDC_PAGE_CSID_EDIT);
      GotoDlgCtrl(&edit);
      edit.SetSel(0, -1);
      return FALSE;
    }
    csid_ = text;
  }
  return CMMCPropertyPage::OnApply();
}
