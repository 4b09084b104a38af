// CDialog: templates, controls, the modal loop, default button and dialog navigation.
#include "platform/ui/dialog.h"

#include <atomic>
#include <cstdio>

#include "platform/com/strings.h"
#include "platform/ui/animate_ctrl.h"
#include "platform/ui/button.h"
#include "platform/ui/combo_box_ex.h"
#include "platform/ui/edit.h"
#include "platform/ui/list_ctrl.h"
#include "platform/ui/scroll_bar.h"
#include "platform/ui/spin_button_ctrl.h"
#include "platform/ui/static_ctrl.h"
#include "platform/ui/ui_host.h"
#include "platform/ui/window_internal.h"
#include "platform/win/resources.h"

namespace {

std::atomic<HINSTANCE> resource_handle{nullptr};

// The object for a control of window class `name`, as the Windows classes are known.
std::unique_ptr<CWnd> MakeControl(std::wstring_view name) {
  if (pw::EqualsIgnoreCase(name, CButton::kClassName)) return std::make_unique<CButton>();
  if (pw::EqualsIgnoreCase(name, CEdit::kClassName)) return std::make_unique<CEdit>();
  if (pw::EqualsIgnoreCase(name, CStatic::kClassName)) return std::make_unique<CStatic>();
  if (pw::EqualsIgnoreCase(name, CComboBox::kClassName)) return std::make_unique<CComboBox>();
  if (pw::EqualsIgnoreCase(name, CComboBoxEx::kClassName)) return std::make_unique<CComboBoxEx>();
  if (pw::EqualsIgnoreCase(name, CListCtrl::kClassName)) return std::make_unique<CListCtrl>();
  if (pw::EqualsIgnoreCase(name, CSpinButtonCtrl::kClassName)) {
    return std::make_unique<CSpinButtonCtrl>();
  }
  if (pw::EqualsIgnoreCase(name, CAnimateCtrl::kClassName)) return std::make_unique<CAnimateCtrl>();
  if (pw::EqualsIgnoreCase(name, CScrollBar::kClassName)) return std::make_unique<CScrollBar>();
  return std::make_unique<CWnd>();
}

}  // namespace

HINSTANCE AfxSetResourceHandle(HINSTANCE instance) { return resource_handle.exchange(instance); }

HINSTANCE AfxGetResourceHandle() { return resource_handle.load(); }

CDialog::CDialog(UINT template_id, CWnd* parent)
    : template_id_(template_id), parent_window_(parent) {}

CDialog::CDialog(UINT template_id, CWnd* parent, HINSTANCE instance)
    : template_id_(template_id), instance_override_(instance), parent_window_(parent) {}

CDialog::~CDialog() {
  if (GetSafeHwnd() != nullptr) DestroyWindow();
}

HINSTANCE CDialog::GetTemplateInstance() const {
  return instance_override_ != nullptr ? instance_override_ : AfxGetResourceHandle();
}

std::optional<pw::ui::DialogTemplate> CDialog::LoadTemplate(UINT template_id) const {
  const pw::DialogResource* resource = pw::LoadDialogResource(GetTemplateInstance(), template_id);
  if (resource == nullptr) {
    std::fprintf(stderr, "pw: dialog template %u does not exist in the resource module\n",
                 template_id);
    return std::nullopt;
  }
  return pw::ui::DialogTemplate::FromResource(*resource);
}

void CDialog::InitModalIndirect(pw::ui::DialogTemplate dialog_template, CWnd* parent) {
  template_id_ = dialog_template.id;
  indirect_template_ = std::move(dialog_template);
  if (parent != nullptr) parent_window_ = parent;
}

BOOL CDialog::CreateFromTemplate(const pw::ui::DialogTemplate& dialog_template, CWnd* parent) {
  SetResourceInstance(GetTemplateInstance());
  font_name_ = dialog_template.font_name;
  font_size_ = dialog_template.font_size;
  template_id_ = dialog_template.id;
  const int id = (dialog_template.style & WS_CHILD) != 0 ? static_cast<int>(dialog_template.id) : 0;
  if (!CreateAttached(kClassName, dialog_template.caption, dialog_template.style,
                      dialog_template.ex_style, dialog_template.rect, parent, id)) {
    return FALSE;
  }
  CreateControls(dialog_template);
  return GetSafeHwnd() != nullptr;
}

void CDialog::CreateControls(const pw::ui::DialogTemplate& dialog_template) {
  default_id_ = 0;
  for (const pw::ui::DialogControlTemplate& item : dialog_template.controls) {
    std::unique_ptr<CWnd> control = MakeControl(item.window_class);
    CWnd* raw = control.get();
    std::wstring text = item.text;
    if (dynamic_cast<CComboBox*>(raw) != nullptr || dynamic_cast<CListCtrl*>(raw) != nullptr) {
      text.clear();
    }
    if (!raw->CreateWindowObject(item.window_class, text, item.style | WS_CHILD, item.ex_style,
                                 item.rect, this, item.id)) {
      continue;
    }
    AdoptChild(std::move(control));
    if (auto* button = dynamic_cast<CButton*>(raw)) {
      if (button->IsDefault() && default_id_ == 0) default_id_ = item.id;
    } else if (auto* label = dynamic_cast<CStatic*>(raw)) {
      if (label->IsIcon() && item.resource_id != 0) {
        label->SetTextSilently(L"");
        label->LoadTemplateIcon(GetResourceInstance(), item.resource_id);
      }
    } else if (auto* spin = dynamic_cast<CSpinButtonCtrl*>(raw)) {
      // The buddy is the control made just before; the buddy may answer with EN_CHANGE
      // before WM_INITDIALOG, as on Windows.
      if ((item.style & UDS_AUTOBUDDY) != 0) {
        const auto siblings = GetChildren();
        if (siblings.size() >= 2) spin->AttachAutoBuddy(siblings[siblings.size() - 2]);
      }
    } else if (auto* animation = dynamic_cast<CAnimateCtrl*>(raw)) {
      if (item.resource_id != 0) animation->Open(item.resource_id);
    }
    if (GetSafeHwnd() == nullptr) return;
  }
}

void CDialog::SetInitialFocus() {
  SetFocusFromNavigation(CButton::NavigationTarget(GetNextDlgTabItem(nullptr)));
}

INT_PTR CDialog::DoModal() {
  PW_UI_CHECK(GetSafeHwnd() == nullptr, "CDialog::DoModal: the dialog already has a window");
  std::optional<pw::ui::DialogTemplate> loaded =
      indirect_template_ ? indirect_template_ : LoadTemplate(template_id_);
  if (!loaded) return -1;
  // A modal dialog is a top-level window, shown once initialised.
  loaded->style &= ~(WS_CHILD | WS_VISIBLE);
  loaded->style |= WS_POPUP;
  CWnd* owner = parent_window_ != nullptr ? parent_window_->GetTopLevelParent() : nullptr;
  if (owner == nullptr) {
    owner = CWnd::FromHandle(pw::ui::internal::CurrentThreadState().active);
  }
  const HWND owner_handle = owner != nullptr ? owner->GetSafeHwnd() : nullptr;
  const bool disable_owner = owner != nullptr && owner->IsWindowEnabled();

  BeginModalState();
  if (!CreateFromTemplate(*loaded, owner)) {
    EndModalState();
    return -1;
  }
  const HWND self = GetSafeHwnd();
  if (disable_owner) owner->EnableWindow(FALSE);

  const LRESULT set_focus = SendMessage(WM_INITDIALOG);
  if (IsWindow(self) && set_focus) SetInitialFocus();
  if (IsWindow(self) && ContinueModal()) {
    ShowWindow(SW_SHOW);
    pw::ui::internal::ReportCreated(*this);
    pw::ui::GetUiHost().RunModalLoop(*this);
  }
  // A loop that returned without an answer (WM_QUIT, a host that gave up) cancels.
  if (ContinueModal()) EndModalLoop(IDCANCEL);
  const int result = modal_result();

  if (disable_owner) {
    if (CWnd* still_there = CWnd::FromHandle(owner_handle)) still_there->EnableWindow(TRUE);
  }
  if (IsWindow(self)) {
    ShowWindow(SW_HIDE);
    DestroyWindow();
  }
  EndModalState();
  return result;
}

BOOL CDialog::Create(UINT template_id, CWnd* parent) {
  if (template_id != 0) template_id_ = template_id;
  if (parent != nullptr) parent_window_ = parent;
  std::optional<pw::ui::DialogTemplate> loaded = LoadTemplate(template_id_);
  if (!loaded) return FALSE;
  return CreateIndirect(*loaded, parent_window_);
}

BOOL CDialog::CreateIndirect(const pw::ui::DialogTemplate& dialog_template, CWnd* parent) {
  PW_UI_CHECK(GetSafeHwnd() == nullptr, "CDialog::Create: the dialog already has a window");
  pw::ui::DialogTemplate copy = dialog_template;
  const bool visible = (copy.style & WS_VISIBLE) != 0;
  copy.style &= ~WS_VISIBLE;
  const bool child = (copy.style & WS_CHILD) != 0;
  if (child && parent == nullptr) return FALSE;
  parent_window_ = parent;
  CWnd* owner = child ? parent : (parent != nullptr ? parent->GetTopLevelParent() : nullptr);
  if (!CreateFromTemplate(copy, owner)) return FALSE;
  const HWND self = GetSafeHwnd();
  const LRESULT set_focus = SendMessage(WM_INITDIALOG);
  if (!IsWindow(self)) return FALSE;
  // A hidden control dialog (DS_CONTROL, as a sheet makes its pages) leaves the focus where
  // it is until it is shown.
  if (set_focus && ((copy.style & DS_CONTROL) == 0 || visible)) SetInitialFocus();
  if (visible && IsWindow(self)) ShowWindow(SW_SHOW);
  if (!IsWindow(self)) return FALSE;
  if (IsTopLevel()) pw::ui::internal::ReportCreated(*this);
  return TRUE;
}

void CDialog::EndDialog(int result) {
  if (IsInModalLoop()) {
    EndModalLoop(result);
  } else if (GetSafeHwnd() != nullptr) {
    ShowWindow(SW_HIDE);
  }
}

void CDialog::EndModalLoop(int result) { CWnd::EndModalLoop(result); }

BOOL CDialog::OnInitDialog() { return TRUE; }

void CDialog::OnOK() { EndDialog(IDOK); }

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::SetDefID(UINT id) {
  if (auto* previous = dynamic_cast<CButton*>(GetDlgItem(default_id_));
      previous != nullptr && previous->IsDefault()) {
    previous->SetButtonStyle(BS_PUSHBUTTON);
  }
  default_id_ = static_cast<int>(id);
  if (auto* button = dynamic_cast<CButton*>(GetDlgItem(default_id_));
      button != nullptr && button->IsPushButton()) {
    button->SetButtonStyle(BS_DEFPUSHBUTTON);
  }
}

DWORD CDialog::GetDefID() const {
  if (default_id_ == 0) return 0;
  return static_cast<DWORD>(MAKELONG(static_cast<WORD>(default_id_), DC_HASDEFID));
}

void CDialog::GotoDlgCtrl(CWnd* control) { SetFocusFromNavigation(control); }

void CDialog::NextDlgCtrl() { SetFocusFromNavigation(GetNextDlgTabItem(GetFocusWithin())); }

void CDialog::PrevDlgCtrl() { SetFocusFromNavigation(GetNextDlgTabItem(GetFocusWithin(), TRUE)); }

void CDialog::MapDialogRect(RECT* rect) const {
  if (rect == nullptr) return;
  rect->left = rect->left * 6 / 4;
  rect->right = rect->right * 6 / 4;
  rect->top = rect->top * 13 / 8;
  rect->bottom = rect->bottom * 13 / 8;
}

LRESULT CDialog::WindowProc(UINT message, WPARAM w_param, LPARAM l_param) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog();
    case DM_GETDEFID:
      return GetDefID();
    case DM_SETDEFID:
      SetDefID(static_cast<UINT>(w_param));
      return TRUE;
    case WM_CLOSE: {
      // The close box is the Cancel button.
      CWnd* cancel = GetDlgItem(IDCANCEL);
      SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(IDCANCEL), BN_CLICKED),
                  reinterpret_cast<LPARAM>(cancel != nullptr ? cancel->GetSafeHwnd() : nullptr));
      return 0;
    }
    case WM_NEXTDLGCTL:
      if (l_param != 0) {
        GotoDlgCtrl(CWnd::FromHandle(reinterpret_cast<HWND>(w_param)));
      } else if (w_param != 0) {
        PrevDlgCtrl();
      } else {
        NextDlgCtrl();
      }
      return 0;
    default:
      return CWnd::WindowProc(message, w_param, l_param);
  }
}

const pw::ui::MessageMap* CDialog::GetMessageMap() const {
  static const pw::ui::MessageMap map(
      nullptr, {
                   pw::ui::MapCommand(IDOK, BN_CLICKED, &CDialog::OnOK),
                   pw::ui::MapCommand(IDCANCEL, BN_CLICKED, &CDialog::OnCancel),
               });
  return &map;
}
