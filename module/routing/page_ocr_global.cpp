// CPageOCRGlobal: the OCR settings' controls, their range check and their apply.
#include "module/routing/page_ocr_global.h"

#include <cwctype>
#include <string>

#include "module/resources/routes_ocr.h"
#include "module/snapin/pwconfig_app.h"
#include "platform/com/strings.h"
#include "platform/ui/button.h"
#include "platform/ui/edit.h"
#include "platform/ui/message_box.h"
#include "platform/ui/message_map.h"
#include "platform/ui/spin_button_ctrl.h"
#include "platform/win/format.h"

namespace {

// A decimal number with an optional sign and nothing else; false for anything else, also for
// one too long to be a LONG.
bool ParseNumber(std::wstring_view text, LONG* value) {
  text = pw::Trim(text);
  bool negative = false;
  if (!text.empty() && (text.front() == L'-' || text.front() == L'+')) {
    negative = text.front() == L'-';
    text.remove_prefix(1);
  }
  if (text.empty() || text.size() > 9) return false;
  LONG number = 0;
  for (wchar_t c : text) {
    if (c < L'0' || c > L'9') return false;
    number = number * 10 + (c - L'0');
  }
  *value = negative ? -number : number;
  return true;
}

}  // namespace

CPageOCRGlobal::CPageOCRGlobal() : CMMCPropertyPage(IDD_PAGE_OCR_GLOBAL) {}

CPageOCRGlobal::~CPageOCRGlobal() = default;

const pw::ui::MessageMap* CPageOCRGlobal::GetMessageMap() const {
  static const pw::ui::MessageMap map(
      CMMCPropertyPage::GetMessageMap(),
      {
          pw::ui::MapCommand(IDC_OCR_RATIO, EN_CHANGE, &CPageOCRGlobal::OnChange),
          pw::ui::MapCommand(IDC_OCR_PAGES, EN_CHANGE, &CPageOCRGlobal::OnChange),
          pw::ui::MapCommand(IDC_OCR_BY_NAMES, BN_CLICKED, &CPageOCRGlobal::OnChange),
          pw::ui::MapCommand(IDC_OCR_ATTACH_TEXT, BN_CLICKED, &CPageOCRGlobal::OnChange),
          pw::ui::MapCommand(IDC_OCR_APPEND_TEXT, BN_CLICKED, &CPageOCRGlobal::OnChange),
      });
  return &map;
}

BOOL CPageOCRGlobal::OnInitDialog() {
  shown_ = false;
  CMMCPropertyPage::OnInitDialog();
  GetDlgItem<CEdit>(IDC_OCR_HEADING)->SetWindowText(LoadModuleString(IDS_OCR_GLOBAL_HEADING));
  const OcrSettings shown = settings_ != nullptr ? *settings_ : OcrSettings();
  CSpinButtonCtrl& spin = *GetDlgItem<CSpinButtonCtrl>(IDC_OCR_RATIO_SPIN);
  spin.SetRange32(kMinimum, kMaximum);
  spin.SetPos(shown.ratio);
  // The spin control keeps its position within the range; the stored value is shown as it is.
  GetDlgItem<CEdit>(IDC_OCR_RATIO)->SetWindowText(std::to_wstring(shown.ratio));
  GetDlgItem<CEdit>(IDC_OCR_PAGES)->SetWindowText(std::to_wstring(shown.pages));
  GetDlgItem<CButton>(IDC_OCR_BY_NAMES)->SetCheck(shown.route_by_names ? BST_CHECKED : 0);
  GetDlgItem<CButton>(IDC_OCR_ATTACH_TEXT)->SetCheck(shown.attach_text ? BST_CHECKED : 0);
  GetDlgItem<CButton>(IDC_OCR_APPEND_TEXT)->SetCheck(shown.append_text ? BST_CHECKED : 0);
  modified_ = FALSE;
  shown_ = true;
  return TRUE;
}

void CPageOCRGlobal::OnChange() {
  if (!shown_) return;
  modified_ = TRUE;
  SetModified(TRUE);
}

bool CPageOCRGlobal::ReadNumber(int id, LONG* value) {
  CEdit& edit = *GetDlgItem<CEdit>(id);
  if (ParseNumber(edit.GetWindowText(), value) && *value >= kMinimum && *value <= kMaximum) {
    return true;
  }
  AfxMessageBox(pw::FormatString(LoadModuleString(IDS_OCR_RANGE), kMinimum, kMaximum),
                MB_ICONEXCLAMATION);
  GotoDlgCtrl(&edit);
  edit.SetSel(0, -1);
  return false;
}

BOOL CPageOCRGlobal::OnKillActive() {
  if (shown_) {
    LONG number = 0;
    if (!ReadNumber(IDC_OCR_RATIO, &number) || !ReadNumber(IDC_OCR_PAGES, &number)) return FALSE;
  }
  return CMMCPropertyPage::OnKillActive();
}

BOOL CPageOCRGlobal::OnApply() {
  if (shown_ && settings_ != nullptr) {
    OcrSettings accepted;
    if (!ReadNumber(IDC_OCR_RATIO, &accepted.ratio) ||
        !ReadNumber(IDC_OCR_PAGES, &accepted.pages)) {
      return FALSE;
    }
    accepted.route_by_names = GetDlgItem<CButton>(IDC_OCR_BY_NAMES)->GetCheck() == BST_CHECKED;
    accepted.attach_text = GetDlgItem<CButton>(IDC_OCR_ATTACH_TEXT)->GetCheck() == BST_CHECKED;
    accepted.append_text = GetDlgItem<CButton>(IDC_OCR_APPEND_TEXT)->GetCheck() == BST_CHECKED;
    *settings_ = accepted;
  }
  return CMMCPropertyPage::OnApply();
}
