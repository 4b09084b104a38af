// CMMCPropertyPage: page creation in the display language, one property-change notification
// per apply, and the node's notify handle freed when the page's window goes.
#include "module/snapin/mmc_property_page.h"

#include <algorithm>

#include "module/snapin/pwconfig_app.h"
#include "platform/win/resources.h"

CMMCPropertyPage::CMMCPropertyPage() { InstallCallback(); }

CMMCPropertyPage::CMMCPropertyPage(UINT template_id, UINT caption_id) {
  InstallCallback();
  ConstructPage(template_id, caption_id);
}

CMMCPropertyPage::~CMMCPropertyPage() {
  // The window must go while OnDestroy of this class still runs, so that the handle is freed.
  if (GetSafeHwnd() != nullptr) DestroyWindow();
}

void CMMCPropertyPage::InstallCallback() {
  // The snap-in's resources, not whichever module the platform was last pointed at.
  m_psp.hInstance = AfxGetResourceHandle();
  m_psp.dwFlags |= PSP_USECALLBACK;
  m_psp.pfnCallback = &CMMCPropertyPage::PageCallback;
}

void CMMCPropertyPage::ConstructPage(UINT template_id, UINT caption_id) {
  if (caption_id == 0) {
    Construct(template_id, 0u);
  } else {
    Construct(template_id, LoadModuleString(caption_id));
  }
  m_psp.hInstance = AfxGetResourceHandle();
}

UINT CMMCPropertyPage::PageCallback(HWND window, UINT message, PROPSHEETPAGE* page_description) {
  // The sheet may run on a thread of the console's own, which starts in the system language.
  if (message == PSPCB_CREATE) SetDisplayLanguage();
  return CPropertyPage::PropPageCallback(window, message, page_description);
}

BOOL CMMCPropertyPage::OnInitDialog() {
  const BOOL result = CPropertyPage::OnInitDialog();
  modified_ = FALSE;
  modified_extra_ = FALSE;
  return result;
}

BOOL CMMCPropertyPage::OnSetActive() {
  // Keeps the sheet's Apply button enabled for changes made before the page was left.
  if (modified_) SetModified(TRUE);
  return CPropertyPage::OnSetActive();
}

bool CMMCPropertyPage::LaterSiblingHasWindow() const {
  auto first = std::find(siblings_.begin(), siblings_.end(), this);
  first = first == siblings_.end() ? siblings_.begin() : first + 1;
  return std::any_of(first, siblings_.end(), [this](const CPropertyPage* page) {
    return page != nullptr && page != this && page->GetSafeHwnd() != nullptr;
  });
}

BOOL CMMCPropertyPage::OnApply() {
  WriteLog(L"CMMCPropertyPage::OnApply()");
  if (property_object_ != nullptr) {
    if (LaterSiblingHasWindow()) {
      const BOOL result = CPropertyPage::OnApply();
      modified_ = FALSE;
      return result;
    }
    const HRESULT hr = MMCPropertyChangeNotify(property_object_->GetNotifyHandle(),
                                               property_object_->GetNotifyParam());
    if (FAILED(hr)) return FALSE;
  }
  const BOOL result = CPropertyPage::OnApply();
  if (result) modified_ = FALSE;
  return result;
}

void CMMCPropertyPage::OnDestroy() {
  CPropertyPage::OnDestroy();
  if (property_object_ != nullptr && property_object_->GetNotifyHandle() != 0) {
    MMCFreeNotifyHandle(property_object_->GetNotifyHandle());
    property_object_->ClearNotifyHandle();
  }
}
