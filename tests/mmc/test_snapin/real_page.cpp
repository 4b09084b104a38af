// RealPage.
#include "tests/mmc/test_snapin/real_page.h"

#include "platform/ui/property_sheet.h"
#include "platform/win/resources.h"
#include "tests/mmc/test_snapin/resources/test_snapin_resource.h"
#include "tests/mmc/test_snapin/snapin_objects.h"

extern const pw::ResourceModule kTestSnapinResources;

namespace test_snapin {

RealPage::RealPage(std::wstring title, LONG_PTR handle, LPARAM param, bool wizard)
    : CPropertyPage(IDD_TEST_PAGE, title),
      title_(std::move(title)),
      handle_(handle),
      param_(param),
      wizard_(wizard) {
  m_psp.hInstance = kTestSnapinResources.handle();
  m_psp.dwFlags |= PSP_USECALLBACK;
  m_psp.pfnCallback = &RealPage::Callback;
}

HPROPSHEETPAGE RealPage::CreateHandle() { return CreatePropertySheetPage(&m_psp); }

UINT RealPage::Callback(HWND window, UINT message, PROPSHEETPAGE* description) {
  const UINT answer = CPropertyPage::PropPageCallback(window, message, description);
  if (message == PSPCB_RELEASE) delete reinterpret_cast<RealPage*>(description->lParam);
  return answer;
}

void RealPage::Notify(const wchar_t* what) {
  State().Log(std::wstring(L"RealPage.") + what + L" " + title_);
  const HRESULT hr = MMCPropertyChangeNotify(handle_, param_);
  State().Log(L"RealPage.Notified " + title_ + L" notify=" + std::to_wstring(hr));
}

BOOL RealPage::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  State().Log(L"RealPage.Init " + title_);
  SetModified(TRUE);
  return TRUE;
}

BOOL RealPage::OnSetActive() {
  if (wizard_) GetParentSheet()->SetWizardButtons(PSWIZB_FINISH);
  return CPropertyPage::OnSetActive();
}

BOOL RealPage::OnApply() {
  Notify(L"Apply");
  return CPropertyPage::OnApply();
}

BOOL RealPage::OnWizardFinish() {
  Notify(L"Finish");
  return TRUE;
}

void RealPage::OnDestroy() {
  CPropertyPage::OnDestroy();
  const HRESULT hr = MMCFreeNotifyHandle(handle_);
  State().Log(L"RealPage.Destroy " + title_ + L" free=" + std::to_wstring(hr));
}

HPROPSHEETPAGE MakeRealPage(const std::wstring& title, LONG_PTR handle, LPARAM param, bool wizard) {
  auto* page = new RealPage(title, handle, param, wizard);
  HPROPSHEETPAGE made = page->CreateHandle();
  // Without a handle nobody else will ever delete the page.
  if (made == nullptr) delete page;
  return made;
}

}  // namespace test_snapin
