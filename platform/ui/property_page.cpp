// CPropertyPage: the page description, the page's window inside its sheet and the
// notifications of the sheet turned into the page's hooks.
#include "platform/ui/property_page.h"

#include "platform/ui/property_sheet.h"
#include "platform/win/resources.h"

namespace {

// Windows turns a page template into a control of its sheet: never a frame of its own,
// never shown or disabled before the sheet decides.
constexpr DWORD kFrameStyles = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_DISABLED |
                               WS_VISIBLE | DS_MODALFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;

}  // namespace

CPropertyPage::CPropertyPage() { CommonConstruct(); }

CPropertyPage::CPropertyPage(UINT template_id, UINT caption_id) {
  CommonConstruct();
  Construct(template_id, caption_id);
}

CPropertyPage::CPropertyPage(UINT template_id, std::wstring_view caption) {
  CommonConstruct();
  Construct(template_id, caption);
}

CPropertyPage::~CPropertyPage() {
  // The window must go while this object's overrides still exist (OnDestroy).
  if (GetSafeHwnd() != nullptr) DestroyWindow();
}

void CPropertyPage::CommonConstruct() {
  m_psp.dwFlags = PSP_USECALLBACK;
  m_psp.hInstance = AfxGetResourceHandle();
  m_psp.page = this;
  m_psp.lParam = reinterpret_cast<LPARAM>(this);
  m_psp.pfnCallback = &CPropertyPage::PropPageCallback;
}

void CPropertyPage::Construct(UINT template_id, UINT caption_id) {
  std::wstring caption;
  if (caption_id != 0) caption = pw::LoadStringResource(AfxGetResourceHandle(), caption_id);
  Construct(template_id, caption);
  if (caption_id == 0) {
    m_psp.dwFlags &= ~PSP_USETITLE;
    m_psp.pszTitle = nullptr;
  }
}

void CPropertyPage::Construct(UINT template_id, std::wstring_view caption) {
  SetTemplateId(template_id);
  m_psp.pszTemplate = MAKEINTRESOURCE(template_id);
  caption_ = std::wstring(caption);
  m_psp.dwFlags |= PSP_USETITLE;
  m_psp.pszTitle = caption_.c_str();
}

UINT CPropertyPage::PropPageCallback(HWND /*window*/, UINT /*message*/,
                                     PROPSHEETPAGE* /*page_description*/) {
  return TRUE;
}

CPropertySheet* CPropertyPage::GetParentSheet() const {
  return GetSafeHwnd() != nullptr ? dynamic_cast<CPropertySheet*>(GetParent()) : nullptr;
}

void CPropertyPage::SetModified(BOOL changed) {
  CWnd* sheet = GetParent();
  if (GetSafeHwnd() == nullptr || sheet == nullptr) return;
  sheet->SendMessage(changed ? PSM_CHANGED : PSM_UNCHANGED,
                     reinterpret_cast<WPARAM>(GetSafeHwnd()));
}

LRESULT CPropertyPage::QuerySiblings(WPARAM w_param, LPARAM l_param) {
  CWnd* sheet = GetParent();
  if (GetSafeHwnd() == nullptr || sheet == nullptr) return 0;
  return sheet->SendMessage(PSM_QUERYSIBLINGS, w_param, l_param);
}

void CPropertyPage::CancelToClose() {
  CWnd* sheet = GetParent();
  if (GetSafeHwnd() != nullptr && sheet != nullptr) sheet->SendMessage(PSM_CANCELTOCLOSE);
}

BOOL CPropertyPage::OnSetActive() { return TRUE; }

BOOL CPropertyPage::OnKillActive() { return TRUE; }

BOOL CPropertyPage::OnApply() {
  OnOK();
  return TRUE;
}

void CPropertyPage::OnReset() { OnCancel(); }

void CPropertyPage::OnOK() {}

void CPropertyPage::OnCancel() {}

BOOL CPropertyPage::OnQueryCancel() { return TRUE; }

LRESULT CPropertyPage::OnWizardBack() { return 0; }

LRESULT CPropertyPage::OnWizardNext() { return 0; }

BOOL CPropertyPage::OnWizardFinish() { return TRUE; }

void CPropertyPage::OnDestroy() { CDialog::OnDestroy(); }

BOOL CPropertyPage::OnNotify(WPARAM w_param, LPARAM l_param, LRESULT* result) {
  const auto* header = reinterpret_cast<const NMHDR*>(l_param);
  const CWnd* sheet = GetParent();
  const bool from_sheet = header != nullptr && sheet != nullptr &&
                          header->hwndFrom == sheet->GetSafeHwnd() && header->code <= PSN_FIRST &&
                          header->code >= PSN_LAST;
  if (!from_sheet) return CDialog::OnNotify(w_param, l_param, result);
  LRESULT answer = 0;
  switch (header->code) {
    case PSN_SETACTIVE:
      answer = OnSetActive() ? 0 : -1;
      break;
    case PSN_KILLACTIVE:
      answer = OnKillActive() ? FALSE : TRUE;
      break;
    case PSN_APPLY:
      answer = OnApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE;
      break;
    case PSN_RESET:
      OnReset();
      break;
    case PSN_QUERYCANCEL:
      answer = OnQueryCancel() ? FALSE : TRUE;
      break;
    case PSN_WIZBACK:
      answer = OnWizardBack();
      break;
    case PSN_WIZNEXT:
      answer = OnWizardNext();
      break;
    case PSN_WIZFINISH:
      answer = OnWizardFinish() ? FALSE : TRUE;
      break;
    case PSN_HELP:
      OnHelp();
      break;
    default:
      return CDialog::OnNotify(w_param, l_param, result);
  }
  if (result != nullptr) *result = answer;
  return TRUE;
}

BOOL CPropertyPage::CreatePageWindow(CPropertySheet& sheet, const PROPSHEETPAGE& description,
                                     const RECT& rect) {
  if (description.pszTemplate == nullptr || !IS_INTRESOURCE(description.pszTemplate)) {
    return FALSE;
  }
  const auto template_id = static_cast<UINT>(reinterpret_cast<ULONG_PTR>(description.pszTemplate));
  const HINSTANCE instance =
      description.hInstance != nullptr ? description.hInstance : AfxGetResourceHandle();
  const pw::DialogResource* resource = pw::LoadDialogResource(instance, template_id);
  if (resource == nullptr) return FALSE;
  pw::ui::DialogTemplate page_template = pw::ui::DialogTemplate::FromResource(*resource);
  page_template.style &= ~kFrameStyles;
  page_template.style |= WS_CHILD | WS_TABSTOP | DS_CONTROL;
  page_template.ex_style |= WS_EX_CONTROLPARENT;
  page_template.rect = rect;
  SetTemplateId(template_id);
  return CreateIndirect(page_template, &sheet);
}
