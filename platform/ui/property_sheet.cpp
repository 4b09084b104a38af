// CPropertySheet: pages and tabs, page activation, apply, cancel and the wizard's navigation.
#include "platform/ui/property_sheet.h"

#include <algorithm>
#include <array>

#include "platform/ui/button.h"
#include "platform/ui/property_page.h"
#include "platform/ui/resources/ui_resource.h"
#include "platform/ui/sheet_frame.h"
#include "platform/ui/ui_resources.h"
#include "platform/win/format.h"
#include "platform/win/message_queue.h"

namespace {

UINT TemplateIdOf(const PROPSHEETPAGE& description) {
  if (description.pszTemplate == nullptr || !IS_INTRESOURCE(description.pszTemplate)) return 0;
  return static_cast<UINT>(reinterpret_cast<ULONG_PTR>(description.pszTemplate));
}

const pw::DialogResource* TemplateOf(const PROPSHEETPAGE& description) {
  const UINT id = TemplateIdOf(description);
  if (id == 0) return nullptr;
  const HINSTANCE instance =
      description.hInstance != nullptr ? description.hInstance : AfxGetResourceHandle();
  return pw::LoadDialogResource(instance, id);
}

}  // namespace

CPropertySheet::CPropertySheet() { CommonConstruct(nullptr, 0); }

CPropertySheet::CPropertySheet(UINT caption_id, CWnd* parent, UINT select_page) {
  CommonConstruct(parent, select_page);
  title_ = pw::LoadStringResource(AfxGetResourceHandle(), caption_id);
}

CPropertySheet::CPropertySheet(std::wstring_view caption, CWnd* parent, UINT select_page)
    : title_(caption) {
  CommonConstruct(parent, select_page);
}

CPropertySheet::~CPropertySheet() {
  // Nobody is left to tell, and the pages must see this class's handling while they go.
  closed_handler_ = nullptr;
  if (GetSafeHwnd() != nullptr) DestroyWindow();
  ReleaseHandles();
}

void CPropertySheet::CommonConstruct(CWnd* parent, UINT select_page) {
  SetParentWindow(parent);
  m_psh.nStartPage = select_page;
}

// Pages.

void CPropertySheet::AddPage(CPropertyPage* page) {
  if (page == nullptr || GetPageIndex(page) >= 0) return;
  Page entry;
  entry.object = page;
  entry.title = (page->m_psp.dwFlags & PSP_USETITLE) != 0 && page->m_psp.pszTitle != nullptr &&
                        !IS_INTRESOURCE(page->m_psp.pszTitle)
                    ? std::wstring(page->m_psp.pszTitle)
                    : TitleFromTemplate(page->m_psp);
  pages_.push_back(std::move(entry));
  if (GetSafeHwnd() == nullptr) return;
  if (!PrepareHandle(pages_.back())) {
    pages_.pop_back();
    return;
  }
  InsertTab(GetPageCount() - 1);
}

BOOL CPropertySheet::AddPage(HPROPSHEETPAGE page) {
  const PROPSHEETPAGE* description = pw::ui::PropSheetPageData(page);
  if (description == nullptr || IndexOfHandle(page) >= 0) return FALSE;
  Page entry;
  entry.object = description->page;
  entry.handle = page;
  entry.added_as_handle = true;
  pages_.push_back(std::move(entry));
  PrepareHandle(pages_.back());
  if (GetSafeHwnd() != nullptr) InsertTab(GetPageCount() - 1);
  return TRUE;
}

void CPropertySheet::RemovePage(CPropertyPage* page) { RemovePage(GetPageIndex(page)); }

void CPropertySheet::RemovePage(int index) {
  if (index < 0 || index >= GetPageCount()) return;
  const bool was_active = index == active_;
  DropPage(index);
  if (GetSafeHwnd() == nullptr) return;
  if (was_active && !pages_.empty()) ShowPageFrom(std::min(index, GetPageCount() - 1), 1);
  UpdateApplyButton();
}

CPropertyPage* CPropertySheet::GetPage(int index) const {
  if (index < 0 || index >= GetPageCount()) return nullptr;
  return pages_[static_cast<std::size_t>(index)].object;
}

int CPropertySheet::GetPageIndex(const CPropertyPage* page) const {
  for (int i = 0; i < GetPageCount(); ++i) {
    if (pages_[static_cast<std::size_t>(i)].object == page) return i;
  }
  return -1;
}

std::wstring CPropertySheet::GetPageTitle(int index) const {
  if (index < 0 || index >= GetPageCount()) return {};
  return pages_[static_cast<std::size_t>(index)].title;
}

bool CPropertySheet::IsPageCreated(int index) const {
  return index >= 0 && index < GetPageCount() && pages_[static_cast<std::size_t>(index)].created;
}

bool CPropertySheet::IsPageModified(int index) const {
  return index >= 0 && index < GetPageCount() && pages_[static_cast<std::size_t>(index)].modified;
}

CPropertyPage* CPropertySheet::GetActivePage() const { return GetPage(active_); }

BOOL CPropertySheet::SetActivePage(int index) {
  if (index < 0 || index >= GetPageCount()) return FALSE;
  if (GetSafeHwnd() == nullptr) {
    m_psh.nStartPage = static_cast<UINT>(index);
    return TRUE;
  }
  if (!KillActivePage()) return FALSE;
  return ShowPageFrom(index, 1) ? TRUE : FALSE;
}

BOOL CPropertySheet::SetActivePage(CPropertyPage* page) {
  return SetActivePage(GetPageIndex(page));
}

bool CPropertySheet::PrepareHandle(Page& page) {
  if (page.handle == nullptr) {
    if (page.object == nullptr) return false;
    page.handle = CreatePropertySheetPage(&page.object->m_psp);
    if (page.handle == nullptr) return false;
  }
  const PROPSHEETPAGE* description = pw::ui::PropSheetPageData(page.handle);
  if (description == nullptr) return false;
  page.object = description->page;
  page.title = pw::ui::PropSheetPageTitle(page.handle);
  if (page.title.empty()) page.title = TitleFromTemplate(*description);
  return true;
}

std::wstring CPropertySheet::TitleFromTemplate(const PROPSHEETPAGE& description) const {
  const pw::DialogResource* resource = TemplateOf(description);
  return resource != nullptr ? std::wstring(resource->caption) : std::wstring();
}

void CPropertySheet::DropPage(int index) {
  Page& page = pages_[static_cast<std::size_t>(index)];
  if (page.created && page.object != nullptr && page.object->GetSafeHwnd() != nullptr) {
    page.object->DestroyWindow();
  }
  if (page.handle != nullptr) DestroyPropertySheetPage(page.handle);
  pages_.erase(pages_.begin() + index);
  if (tab_ != nullptr && tab_->GetSafeHwnd() != nullptr) tab_->DeleteItem(index);
  if (active_ == index) {
    active_ = -1;
  } else if (active_ > index) {
    --active_;
  }
}

void CPropertySheet::InsertTab(int index) {
  if (tab_ == nullptr || tab_->GetSafeHwnd() == nullptr) return;
  tab_->InsertItem(index, pages_[static_cast<std::size_t>(index)].title);
}

// Caption and wizard buttons.

void CPropertySheet::SetTitle(std::wstring_view title, UINT style) {
  title_ = std::wstring(title);
  title_style_ = style;
  if (GetSafeHwnd() != nullptr) SetWindowText(CaptionText());
}

std::wstring CPropertySheet::CaptionText() const {
  if (((title_style_ | m_psh.dwFlags) & PSH_PROPTITLE) == 0) return title_;
  return pw::FormatString(pw::ui::LoadUiString(IDS_PSH_PROPTITLE), title_);
}

void CPropertySheet::SetWizardButtons(DWORD flags) {
  wizard_buttons_ = flags;
  if (GetSafeHwnd() == nullptr || !IsWizardMode()) return;
  CWnd* back = GetDlgItem(ID_WIZBACK);
  CWnd* next = GetDlgItem(ID_WIZNEXT);
  CWnd* finish = GetDlgItem(ID_WIZFINISH);
  if (back == nullptr || next == nullptr || finish == nullptr) return;
  const pw::ui::WizardButtons state =
      pw::ui::WizardButtonsFor(flags, (m_psh.dwFlags & PSH_WIZARDHASFINISH) != 0);
  back->ShowWindow(SW_SHOW);
  back->EnableWindow(state.back_enabled);
  next->ShowWindow(state.next_shown ? SW_SHOW : SW_HIDE);
  next->EnableWindow(state.next_enabled);
  finish->ShowWindow(state.finish_shown ? SW_SHOW : SW_HIDE);
  finish->EnableWindow(state.finish_enabled);
  const int default_id = state.default_id;
  SetDefID(static_cast<UINT>(default_id));
  // A button that just went away may not keep the focus (Enter would press it).
  KeepFocusUsable(GetDlgItem(default_id));
}

void CPropertySheet::SetFinishText(std::wstring_view text) {
  finish_text_ = std::wstring(text);
  if (GetSafeHwnd() == nullptr || !IsWizardMode()) return;
  CWnd* finish = GetDlgItem(ID_WIZFINISH);
  if (finish == nullptr) return;
  finish->SetWindowText(finish_text_);
  finish->ShowWindow(SW_SHOW);
  finish->EnableWindow(TRUE);
  for (int id : {ID_WIZBACK, ID_WIZNEXT}) {
    if (CWnd* button = GetDlgItem(id)) button->ShowWindow(SW_HIDE);
  }
  SetDefID(ID_WIZFINISH);
  KeepFocusUsable(finish);
}

BOOL CPropertySheet::PressButton(int button) {
  if (GetSafeHwnd() == nullptr) return FALSE;
  const bool wizard = IsWizardMode();
  switch (button) {
    case PSBTN_BACK:
      if (!wizard) return FALSE;
      DoWizardBack();
      return TRUE;
    case PSBTN_NEXT:
      if (!wizard) return FALSE;
      DoWizardNext();
      return TRUE;
    case PSBTN_FINISH:
      if (!wizard) return FALSE;
      DoWizardFinish();
      return TRUE;
    case PSBTN_OK:
      if (wizard) return FALSE;
      DoOk();
      return TRUE;
    case PSBTN_APPLYNOW:
      if (wizard) return FALSE;
      DoApplyNow();
      return TRUE;
    case PSBTN_CANCEL:
      DoCancel();
      return TRUE;
    case PSBTN_HELP:
      if (active_ >= 0) Notify(pages_[static_cast<std::size_t>(active_)], PSN_HELP);
      return TRUE;
    default:
      return FALSE;
  }
}

void CPropertySheet::CancelToClose() {
  cancel_to_close_ = true;
  if (GetSafeHwnd() == nullptr) return;
  if (CWnd* cancel = GetDlgItem(IDCANCEL)) cancel->EnableWindow(FALSE);
  KeepFocusUsable(GetDlgItem(IDOK));
  if (!IsWizardMode()) {
    if (CWnd* ok = GetDlgItem(IDOK)) ok->SetWindowText(pw::ui::LoadUiString(IDS_PSH_CLOSE));
  }
}

std::vector<CPropertySheet::ButtonState> CPropertySheet::GetButtonStates() const {
  static constexpr std::array kPropertyButtons{IDOK, IDCANCEL, ID_APPLY_NOW, IDHELP};
  static constexpr std::array kWizardButtons{ID_WIZBACK, ID_WIZNEXT, ID_WIZFINISH, IDCANCEL,
                                             IDHELP};
  std::vector<ButtonState> states;
  auto add = [this, &states](int id) {
    const auto* button = dynamic_cast<const CButton*>(GetDlgItem(id));
    if (button == nullptr) return;
    states.push_back(ButtonState{id, button->GetWindowText(),
                                 (button->GetStyle() & WS_VISIBLE) != 0,
                                 button->IsWindowEnabled() != FALSE, button->IsDefault()});
  };
  if (IsWizardMode()) {
    for (int id : kWizardButtons) add(id);
  } else {
    for (int id : kPropertyButtons) add(id);
  }
  return states;
}

// The window.

SIZE CPropertySheet::PageSize() const {
  SIZE size{0, 0};
  for (const Page& page : pages_) {
    const PROPSHEETPAGE* description = pw::ui::PropSheetPageData(page.handle);
    const pw::DialogResource* resource =
        description != nullptr ? TemplateOf(*description) : nullptr;
    if (resource == nullptr) continue;
    size.cx = std::max<LONG>(size.cx, resource->cx);
    size.cy = std::max<LONG>(size.cy, resource->cy);
  }
  return size;
}

pw::ui::DialogTemplate CPropertySheet::BuildTemplate() {
  pw::ui::SheetFrameOptions options;
  options.caption = CaptionText();
  options.page_size = PageSize();
  options.wizard = IsWizardMode();
  options.apply = (m_psh.dwFlags & PSH_NOAPPLYNOW) == 0;
  options.help = (m_psh.dwFlags & PSH_HASHELP) != 0;
  options.wizard_has_finish = (m_psh.dwFlags & PSH_WIZARDHASFINISH) != 0;
  pw::ui::SheetFrame layout = pw::ui::LayOutSheetFrame(options);
  page_rect_ = layout.page;
  tab_rect_ = layout.tabs;
  return std::move(layout.frame);
}

bool CPropertySheet::PrepareToCreate() {
  for (std::size_t i = 0; i < pages_.size();) {
    if (PrepareHandle(pages_[i])) {
      ++i;
      continue;
    }
    if (pages_[i].handle != nullptr) DestroyPropertySheetPage(pages_[i].handle);
    pages_.erase(pages_.begin() + static_cast<std::ptrdiff_t>(i));
  }
  for (Page& page : pages_) {
    page.created = false;
    page.modified = false;
  }
  active_ = -1;
  closing_ = false;
  cancel_to_close_ = false;
  result_ = 0;
  return !pages_.empty();
}

INT_PTR CPropertySheet::DoModal() {
  if (GetSafeHwnd() != nullptr || !PrepareToCreate()) return -1;
  modeless_ = false;
  InitModalIndirect(BuildTemplate(), GetParentWindow());
  const INT_PTR answer = CDialog::DoModal();
  ReleaseHandles();
  return answer;
}

BOOL CPropertySheet::Create(CWnd* parent, DWORD style, DWORD ex_style) {
  if (GetSafeHwnd() != nullptr) return FALSE;
  if (parent != nullptr) SetParentWindow(parent);
  if (!PrepareToCreate()) return FALSE;
  modeless_ = true;
  pw::ui::DialogTemplate frame = BuildTemplate();
  if (style != static_cast<DWORD>(-1)) frame.style = (style & ~WS_CHILD) | WS_POPUP;
  frame.style |= WS_VISIBLE;
  frame.ex_style |= ex_style;
  creating_ = true;
  const BOOL created = CreateIndirect(frame, GetParentWindow());
  creating_ = false;
  if (!created) {
    ReleaseHandles();
    return FALSE;
  }
  return TRUE;
}

void CPropertySheet::SetClosedHandler(std::function<void(int result)> handler) {
  closed_handler_ = std::move(handler);
}

BOOL CPropertySheet::OnInitDialog() {
  CDialog::OnInitDialog();
  const HWND self = GetSafeHwnd();
  // A tab control of an earlier window may still be on the stack of the code that closed
  // it; it is replaced only now.
  tab_ = std::make_unique<CTabCtrl>();
  const DWORD tab_style = WS_TABSTOP | WS_GROUP | (IsWizardMode() ? 0 : WS_VISIBLE);
  tab_->Create(tab_style, tab_rect_, this, AFX_IDC_TAB_CONTROL);
  for (int i = 0; i < GetPageCount(); ++i) InsertTab(i);
  if (IsWizardMode()) {
    SetWizardButtons(wizard_buttons_);
    if (!finish_text_.empty()) SetFinishText(finish_text_);
  }
  if (pages_.empty() ||
      !ShowPageFrom(std::clamp(static_cast<int>(m_psh.nStartPage), 0, GetPageCount() - 1), 1)) {
    if (IsWindow(self)) Close(-1);
    return FALSE;
  }
  return FALSE;
}

void CPropertySheet::OnDestroy() {
  // Pages go in page order, before the sheet's other controls.
  for (std::size_t i = 0; i < pages_.size(); ++i) {
    CPropertyPage* object = pages_[i].object;
    if (pages_[i].created && object != nullptr && object->GetSafeHwnd() != nullptr) {
      object->DestroyWindow();
    }
  }
  CDialog::OnDestroy();
}

void CPropertySheet::PostNcDestroy() {
  for (Page& page : pages_) {
    page.created = false;
    page.modified = false;
  }
  active_ = -1;
  ReleaseHandles();
  // A sheet that could not be made was never open, so nobody hears of its end.
  if (modeless_ && !creating_ && closed_handler_) {
    pw::MessageQueue::Current().PostTask(
        [handler = closed_handler_, result = result_] { handler(result); });
  }
  CDialog::PostNcDestroy();
}

void CPropertySheet::ReleaseHandles() {
  for (std::size_t i = 0; i < pages_.size();) {
    Page& page = pages_[i];
    if (page.handle != nullptr) {
      DestroyPropertySheetPage(page.handle);
      page.handle = nullptr;
    }
    if (page.added_as_handle) {
      pages_.erase(pages_.begin() + static_cast<std::ptrdiff_t>(i));
    } else {
      ++i;
    }
  }
}

// Activation.

LRESULT CPropertySheet::Notify(const Page& page, UINT code, LPARAM l_param) {
  CPropertyPage* object = page.object;
  if (!page.created || object == nullptr || object->GetSafeHwnd() == nullptr) return 0;
  PSHNOTIFY notification;
  notification.hdr.hwndFrom = GetSafeHwnd();
  notification.hdr.idFrom = 0;
  notification.hdr.code = code;
  notification.lParam = l_param;
  return object->SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&notification));
}

bool CPropertySheet::KillActivePage() {
  if (active_ < 0 || active_ >= GetPageCount()) return true;
  return Notify(pages_[static_cast<std::size_t>(active_)], PSN_KILLACTIVE) == 0;
}

bool CPropertySheet::EnsurePageWindow(int index) {
  const HWND self = GetSafeHwnd();
  Page& page = pages_[static_cast<std::size_t>(index)];
  if (page.created && page.object != nullptr && page.object->GetSafeHwnd() != nullptr) {
    return true;
  }
  const HPROPSHEETPAGE handle = page.handle;
  PROPSHEETPAGE* description = pw::ui::PropSheetPageData(handle);
  bool made = false;
  if (description != nullptr && description->page != nullptr &&
      description->page->GetSafeHwnd() == nullptr) {
    const bool allowed = (description->dwFlags & PSP_USECALLBACK) == 0 ||
                         description->pfnCallback == nullptr ||
                         description->pfnCallback(nullptr, PSPCB_CREATE, description) != 0;
    made = allowed && description->page->CreatePageWindow(*this, *description, page_rect_);
  }
  if (!IsWindow(self)) return false;
  // The page's own initialisation may have changed the list of pages.
  const auto found = std::find_if(pages_.begin(), pages_.end(),
                                  [handle](const Page& entry) { return entry.handle == handle; });
  if (found == pages_.end()) return false;
  const int position = static_cast<int>(found - pages_.begin());
  if (!made) {
    // Windows drops a page that cannot be made.
    DropPage(position);
    return false;
  }
  found->created = true;
  return true;
}

bool CPropertySheet::ShowPageFrom(int index, int direction) {
  const HWND self = GetSafeHwnd();
  int target = index;
  // A page that names another page that names it back must not keep the sheet busy.
  const int attempts = 2 * GetPageCount() + 2;
  for (int attempt = 0; attempt < attempts; ++attempt) {
    if (pages_.empty()) return false;
    target = std::clamp(target, 0, GetPageCount() - 1);
    if (!EnsurePageWindow(target)) {
      if (!IsWindow(self)) return false;
      continue;
    }
    const HPROPSHEETPAGE handle = pages_[static_cast<std::size_t>(target)].handle;
    const LRESULT answer = Notify(pages_[static_cast<std::size_t>(target)], PSN_SETACTIVE);
    if (!IsWindow(self)) return false;
    const int now = IndexOfHandle(handle);
    if (now < 0) continue;
    target = now;
    if (answer == 0) break;
    if (answer == -1) {
      const int next = target + direction;
      if (next < 0 || next >= GetPageCount()) break;
      target = next;
      continue;
    }
    const int named = FindPageByTemplate(answer);
    if (named < 0) break;
    target = named;
  }
  if (pages_.empty()) return false;
  target = std::clamp(target, 0, GetPageCount() - 1);
  if (!pages_[static_cast<std::size_t>(target)].created) return false;
  ShowOnly(target);
  return true;
}

void CPropertySheet::ShowOnly(int index) {
  active_ = index;
  CPropertyPage* shown = pages_[static_cast<std::size_t>(index)].object;
  for (const Page& page : pages_) {
    if (page.created && page.object != shown && page.object->GetSafeHwnd() != nullptr) {
      page.object->ShowWindow(SW_HIDE);
    }
  }
  shown->ShowWindow(SW_SHOW);
  if (tab_ != nullptr && tab_->GetSafeHwnd() != nullptr) tab_->SetCurSel(index);
  CWnd* first = shown->GetNextDlgTabItem(nullptr);
  if (first == nullptr && tab_ != nullptr && IsUsableInSheet(tab_.get())) first = tab_.get();
  KeepFocusUsable(first);
  NotifyChanged();
}

bool CPropertySheet::IsUsableInSheet(const CWnd* control) const {
  if (control == nullptr) return false;
  // The sheet itself may not be shown yet; what counts is the way from the control to it.
  for (const CWnd* step = control; step != this; step = step->GetParent()) {
    if (step == nullptr || step->IsTopLevel()) return false;
    if ((step->GetStyle() & WS_VISIBLE) == 0 || (step->GetStyle() & WS_DISABLED) != 0) {
      return false;
    }
  }
  return true;
}

void CPropertySheet::KeepFocusUsable(CWnd* fallback) {
  if (IsUsableInSheet(GetFocusWithin())) return;
  if (!IsUsableInSheet(fallback)) fallback = GetDlgItem(LOWORD(GetDefID()));
  if (IsUsableInSheet(fallback)) GotoDlgCtrl(fallback);
}

int CPropertySheet::FindPageByTemplate(LRESULT template_id) const {
  for (int i = 0; i < GetPageCount(); ++i) {
    const PROPSHEETPAGE* description =
        pw::ui::PropSheetPageData(pages_[static_cast<std::size_t>(i)].handle);
    if (description != nullptr && static_cast<LRESULT>(TemplateIdOf(*description)) == template_id) {
      return i;
    }
  }
  return -1;
}

int CPropertySheet::IndexOfWindow(HWND page_window) const {
  if (page_window == nullptr) return -1;
  for (int i = 0; i < GetPageCount(); ++i) {
    const CPropertyPage* object = pages_[static_cast<std::size_t>(i)].object;
    if (object != nullptr && object->GetSafeHwnd() == page_window) return i;
  }
  return -1;
}

int CPropertySheet::IndexOfHandle(HPROPSHEETPAGE handle) const {
  for (int i = 0; i < GetPageCount(); ++i) {
    if (pages_[static_cast<std::size_t>(i)].handle == handle) return i;
  }
  return -1;
}

// Buttons.

bool CPropertySheet::Apply(bool closing) {
  const HWND self = GetSafeHwnd();
  if (!KillActivePage() || !IsWindow(self)) return false;
  for (std::size_t i = 0; i < pages_.size(); ++i) {
    if (!pages_[i].created) continue;
    const HPROPSHEETPAGE handle = pages_[i].handle;
    const LRESULT answer = Notify(pages_[i], PSN_APPLY, closing ? TRUE : FALSE);
    if (!IsWindow(self)) return false;
    if (answer == PSNRET_INVALID) {
      // The page that refused is shown, as it is; it has just been told to apply, not to
      // become active.
      const int refusing = IndexOfHandle(handle);
      if (refusing >= 0) ShowOnly(refusing);
      return false;
    }
    if (answer == PSNRET_INVALID_NOCHANGEPAGE) return false;
  }
  return true;
}

void CPropertySheet::DoOk() {
  if (closing_) return;
  if (Apply(true)) Close(IDOK);
}

bool CPropertySheet::DoApplyNow() {
  if (closing_) return false;
  const HWND self = GetSafeHwnd();
  if (!Apply(false)) return false;
  for (Page& page : pages_) page.modified = false;
  UpdateApplyButton();
  // The current page was told to leave before the apply; it stays, so it is told so.
  if (active_ >= 0 && IsWindow(self)) {
    Notify(pages_[static_cast<std::size_t>(active_)], PSN_SETACTIVE);
  }
  return true;
}

void CPropertySheet::DoCancel() {
  if (closing_) return;
  const HWND self = GetSafeHwnd();
  if (active_ >= 0 && Notify(pages_[static_cast<std::size_t>(active_)], PSN_QUERYCANCEL) != 0) {
    return;
  }
  for (std::size_t i = 0; i < pages_.size() && IsWindow(self); ++i) {
    if (pages_[i].created) Notify(pages_[i], PSN_RESET);
  }
  if (IsWindow(self)) Close(IDCANCEL);
}

void CPropertySheet::DoWizardBack() { MoveInWizard(PSN_WIZBACK, -1); }

void CPropertySheet::DoWizardNext() { MoveInWizard(PSN_WIZNEXT, 1); }

void CPropertySheet::MoveInWizard(UINT code, int direction) {
  if (closing_ || active_ < 0) return;
  const HWND self = GetSafeHwnd();
  const LRESULT answer = Notify(pages_[static_cast<std::size_t>(active_)], code);
  if (!IsWindow(self) || answer == -1 || active_ < 0) return;
  const int target = answer == 0 ? active_ + direction : FindPageByTemplate(answer);
  if (target < 0 || target >= GetPageCount()) return;
  if (!KillActivePage() || !IsWindow(self)) return;
  ShowPageFrom(target, direction);
}

void CPropertySheet::DoWizardFinish() {
  if (closing_ || active_ < 0) return;
  const HWND self = GetSafeHwnd();
  const LRESULT answer = Notify(pages_[static_cast<std::size_t>(active_)], PSN_WIZFINISH);
  if (IsWindow(self) && answer == 0) Close(ID_WIZFINISH);
}

void CPropertySheet::Close(int result) {
  if (closing_) return;
  closing_ = true;
  result_ = result;
  if (IsInModalLoop()) {
    EndDialog(result);
  } else {
    DestroyWindow();
  }
}

void CPropertySheet::UpdateApplyButton() {
  CWnd* apply = GetDlgItem(ID_APPLY_NOW);
  if (apply == nullptr) return;
  const bool any =
      std::any_of(pages_.begin(), pages_.end(), [](const Page& page) { return page.modified; });
  apply->EnableWindow(any ? TRUE : FALSE);
}

void CPropertySheet::OnOK() {
  if (!IsWizardMode()) DoOk();
}

void CPropertySheet::OnCancel() { DoCancel(); }

BOOL CPropertySheet::OnCommand(WPARAM w_param, LPARAM l_param) {
  const int id = LOWORD(w_param);
  if (HIWORD(w_param) == BN_CLICKED) {
    switch (id) {
      case ID_APPLY_NOW:
        DoApplyNow();
        return TRUE;
      case ID_WIZBACK:
        DoWizardBack();
        return TRUE;
      case ID_WIZNEXT:
        DoWizardNext();
        return TRUE;
      case ID_WIZFINISH:
        DoWizardFinish();
        return TRUE;
      case IDHELP:
        PressButton(PSBTN_HELP);
        return TRUE;
      default:
        break;
    }
  }
  if (CDialog::OnCommand(w_param, l_param)) return TRUE;
  // Commands that come from no control (menus, accelerators) belong to the page shown.
  if (CPropertyPage* page = GetActivePage();
      l_param == 0 && page != nullptr && page->GetSafeHwnd() != nullptr) {
    page->SendMessage(WM_COMMAND, w_param, l_param);
    return TRUE;
  }
  return FALSE;
}

BOOL CPropertySheet::OnNotify(WPARAM w_param, LPARAM l_param, LRESULT* result) {
  const auto* header = reinterpret_cast<const NMHDR*>(l_param);
  if (header != nullptr && tab_ != nullptr && header->hwndFrom == tab_->GetSafeHwnd()) {
    if (header->code == TCN_SELCHANGING) {
      if (result != nullptr) *result = KillActivePage() ? FALSE : TRUE;
      return TRUE;
    }
    if (header->code == TCN_SELCHANGE) {
      ShowPageFrom(tab_->GetCurSel(), 1);
      return TRUE;
    }
  }
  return CDialog::OnNotify(w_param, l_param, result);
}

LRESULT CPropertySheet::WindowProc(UINT message, WPARAM w_param, LPARAM l_param) {
  switch (message) {
    case PSM_SETCURSEL: {
      const auto handle = reinterpret_cast<HPROPSHEETPAGE>(l_param);
      const int index = handle != nullptr ? IndexOfHandle(handle) : static_cast<int>(w_param);
      return SetActivePage(index);
    }
    case PSM_SETCURSELID:
      return SetActivePage(FindPageByTemplate(l_param));
    case PSM_REMOVEPAGE: {
      const auto handle = reinterpret_cast<HPROPSHEETPAGE>(l_param);
      RemovePage(handle != nullptr ? IndexOfHandle(handle) : static_cast<int>(w_param));
      return 0;
    }
    case PSM_ADDPAGE:
      return AddPage(reinterpret_cast<HPROPSHEETPAGE>(l_param));
    case PSM_CHANGED:
    case PSM_UNCHANGED: {
      const int index = IndexOfWindow(reinterpret_cast<HWND>(w_param));
      if (index >= 0) {
        pages_[static_cast<std::size_t>(index)].modified = message == PSM_CHANGED;
        UpdateApplyButton();
      }
      return 0;
    }
    case PSM_CANCELTOCLOSE:
      CancelToClose();
      return 0;
    case PSM_QUERYSIBLINGS: {
      const HWND self = GetSafeHwnd();
      for (std::size_t i = 0; i < pages_.size() && IsWindow(self); ++i) {
        if (!pages_[i].created || pages_[i].object == nullptr) continue;
        const LRESULT answer = pages_[i].object->SendMessage(PSM_QUERYSIBLINGS, w_param, l_param);
        if (answer != 0) return answer;
      }
      return 0;
    }
    case PSM_APPLY:
      return !IsWizardMode() && DoApplyNow() ? TRUE : FALSE;
    case PSM_SETWIZBUTTONS:
      SetWizardButtons(static_cast<DWORD>(l_param));
      return 0;
    case PSM_PRESSBUTTON:
      return PressButton(static_cast<int>(w_param));
    case PSM_SETTITLE: {
      const auto* text = reinterpret_cast<const wchar_t*>(l_param);
      SetTitle(text != nullptr ? text : L"", static_cast<UINT>(w_param));
      return 0;
    }
    case PSM_SETFINISHTEXT: {
      const auto* text = reinterpret_cast<const wchar_t*>(l_param);
      SetFinishText(text != nullptr ? text : L"");
      return 0;
    }
    case PSM_GETTABCONTROL:
      return reinterpret_cast<LRESULT>(tab_ != nullptr ? tab_->GetSafeHwnd() : nullptr);
    case PSM_GETCURRENTPAGEHWND: {
      const CPropertyPage* page = closing_ ? nullptr : GetActivePage();
      return reinterpret_cast<LRESULT>(page != nullptr ? page->GetSafeHwnd() : nullptr);
    }
    case PSM_IDTOINDEX:
      return FindPageByTemplate(l_param);
    default:
      return CDialog::WindowProc(message, w_param, l_param);
  }
}
