// The recording page and the fixture of the property sheet and common dialog tests.
#include "tests/ui/sheet_test_fixture.h"

#include <cstdlib>

#include "platform/com/strings.h"

namespace pw::test {

RecordingPage::RecordingPage(std::string page_name, UINT template_id, std::vector<std::string>* log,
                             UINT caption_id)
    : CPropertyPage(template_id, caption_id), name(std::move(page_name)), log_(log) {}

HWND RecordingPage::Control(int id) const {
  CWnd* control = GetDlgItem(id);
  return control != nullptr ? control->GetSafeHwnd() : nullptr;
}

BOOL RecordingPage::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  Log("init");
  return TRUE;
}

BOOL RecordingPage::OnSetActive() {
  Log("set-active");
  if (wizard_buttons != 0) {
    if (CPropertySheet* sheet = GetParentSheet()) sheet->SetWizardButtons(wizard_buttons);
  }
  return set_active_answer && CPropertyPage::OnSetActive();
}

BOOL RecordingPage::OnKillActive() {
  Log("kill-active");
  return kill_active_answer && CPropertyPage::OnKillActive();
}

BOOL RecordingPage::OnApply() {
  Log(applying_for_ok_ ? "apply ok" : "apply now");
  return apply_answer && CPropertyPage::OnApply();
}

void RecordingPage::OnReset() {
  Log("reset");
  CPropertyPage::OnReset();
}

BOOL RecordingPage::OnQueryCancel() {
  Log("query-cancel");
  return query_cancel_answer;
}

LRESULT RecordingPage::OnWizardBack() {
  Log("wizard-back");
  return back_answer;
}

LRESULT RecordingPage::OnWizardNext() {
  Log("wizard-next");
  return next_answer;
}

BOOL RecordingPage::OnWizardFinish() {
  Log("wizard-finish");
  return finish_answer;
}

void RecordingPage::OnDestroy() {
  Log("destroy");
  CPropertyPage::OnDestroy();
}

BOOL RecordingPage::OnNotify(WPARAM w_param, LPARAM l_param, LRESULT* result) {
  const auto* notification = reinterpret_cast<const PSHNOTIFY*>(l_param);
  if (notification != nullptr && notification->hdr.code == PSN_APPLY) {
    applying_for_ok_ = notification->lParam != FALSE;
    if (apply_result) {
      Log(applying_for_ok_ ? "apply ok" : "apply now");
      *result = *apply_result;
      return TRUE;
    }
  }
  return CPropertyPage::OnNotify(w_param, l_param, result);
}

void RecordingPage::OnNameChanged() {
  Log("changed");
  SetModified(TRUE);
}

void RecordingPage::OnMore() {
  if (on_more) on_more(*this);
}

LRESULT RecordingPage::OnQuerySiblings(WPARAM w_param, LPARAM /*l_param*/) {
  Log("query-siblings " + std::to_string(w_param));
  return siblings_answer;
}

const pw::ui::MessageMap* RecordingPage::GetMessageMap() const {
  static const pw::ui::MessageMap map(
      CPropertyPage::GetMessageMap(),
      {
          pw::ui::MapCommand(static_cast<int>(IDC_PAGE_NAME), EN_CHANGE,
                             &RecordingPage::OnNameChanged),
          pw::ui::MapCommand(static_cast<int>(IDC_PAGE_MORE), BN_CLICKED, &RecordingPage::OnMore),
          pw::ui::MapMessage(PSM_QUERYSIBLINGS, &RecordingPage::OnQuerySiblings),
      });
  return &map;
}

SheetTest::SheetTest() {
  previous_resources_ = AfxSetResourceHandle(kSheetTestResources.handle());
  SetThreadLocale(LOCALE_ENGLISH_US);
}

SheetTest::~SheetTest() {
  SetThreadLocale(LOCALE_ENGLISH_US);
  AfxSetResourceHandle(previous_resources_);
}

std::vector<std::string> SheetTest::TakeLog() {
  std::vector<std::string> taken = std::move(log_);
  log_.clear();
  return taken;
}

CPropertySheet& SheetOf(const DialogDriver& driver) {
  auto* sheet = dynamic_cast<CPropertySheet*>(&driver.wnd());
  if (sheet == nullptr) {
    ADD_FAILURE() << "the dialog is not a property sheet";
    std::abort();
  }
  return *sheet;
}

std::vector<std::string> DescribeButtons(const CPropertySheet& sheet) {
  std::vector<std::string> lines;
  for (const CPropertySheet::ButtonState& button : sheet.GetButtonStates()) {
    lines.push_back(std::to_string(button.id) + " " + pw::ToUtf8(button.text) +
                    (button.visible ? " visible" : " hidden") +
                    (button.enabled ? " enabled" : " disabled") +
                    (button.is_default ? " default" : ""));
  }
  return lines;
}

std::vector<std::wstring> TabTexts(const CPropertySheet& sheet) {
  std::vector<std::wstring> texts;
  const CTabCtrl* tab = sheet.GetTabControl();
  if (tab == nullptr) return texts;
  for (int i = 0; i < tab->GetItemCount(); ++i) texts.push_back(tab->GetItemText(i));
  return texts;
}

}  // namespace pw::test
