// CWnd: handles, the window tree, text and state, focus, destruction and message dispatch.
#include "platform/ui/wnd.h"

#include <algorithm>

#include "platform/com/strings.h"
#include "platform/ui/edit.h"
#include "platform/ui/message_box.h"
#include "platform/ui/window_internal.h"
#include "platform/win/message_queue.h"

using pw::ui::internal::CurrentThreadState;
using pw::ui::internal::DispatchScope;
using pw::ui::internal::LookUpWindow;

CWnd::CWnd() = default;

CWnd::~CWnd() {
  if (hwnd_ != nullptr) DestroyWindow();
}

CWnd* CWnd::FromHandle(HWND window) { return LookUpWindow(window); }

BOOL CWnd::CreateWindowObject(std::wstring_view class_name, std::wstring_view text, DWORD style,
                              DWORD ex_style, const RECT& rect, CWnd* parent, int id) {
  return CreateCommon(class_name, text, style, ex_style, rect, parent, id);
}

BOOL CWnd::CreateAttached(std::wstring_view class_name, std::wstring_view text, DWORD style,
                          DWORD ex_style, const RECT& rect, CWnd* parent, int id) {
  return CreateCommon(class_name, text, style, ex_style, rect, parent, id);
}

BOOL CWnd::CreateCommon(std::wstring_view class_name, std::wstring_view text, DWORD style,
                        DWORD ex_style, const RECT& rect, CWnd* parent, int id) {
  PW_UI_CHECK(hwnd_ == nullptr, "CWnd::Create: the object already has a window");
  if ((style & WS_CHILD) != 0 && (parent == nullptr || parent->hwnd_ == nullptr)) return FALSE;
  class_name_ = std::wstring(class_name);
  text_ = std::wstring(text);
  style_ = style;
  ex_style_ = ex_style;
  rect_ = rect;
  id_ = id;
  parent_ = parent;
  hwnd_ = pw::ui::internal::RegisterWindow(this);
  if (IsTopLevel()) {
    CurrentThreadState().top_levels.push_back(hwnd_);
  } else {
    parent->children_.push_back(this);
    if (instance_ == nullptr) instance_ = parent->instance_;
  }
  return TRUE;
}

CWnd* CWnd::AdoptChild(std::unique_ptr<CWnd> child) {
  CWnd* raw = child.get();
  owned_children_.push_back(std::move(child));
  return raw;
}

BOOL CWnd::DestroyWindow() {
  if (hwnd_ == nullptr || destroying_) return FALSE;
  DispatchScope scope;
  destroying_ = true;
  const HWND self = hwnd_;
  auto& state = CurrentThreadState();

  // Windows this one owns go first.
  if (IsTopLevel()) {
    const std::vector<HWND> top_levels = state.top_levels;
    for (HWND handle : top_levels) {
      CWnd* owned = LookUpWindow(handle);
      if (owned == nullptr || owned == this || owned->parent_ != this) continue;
      if (owned->IsInModalLoop()) {
        owned->EndModalLoop(IDCANCEL);
        owned->parent_ = nullptr;
      } else {
        owned->DestroyWindow();
      }
    }
    if ((style_ & WS_VISIBLE) != 0) {
      style_ &= ~WS_VISIBLE;
      pw::ui::internal::ActivateNext(this);
    } else if (state.active == self) {
      pw::ui::internal::ActivateNext(this);
    }
    pw::ui::internal::ReportDestroyed(*this);
  } else if (CWnd* top = GetTopLevelParent(); top != nullptr && top->focus_ == self) {
    top->focus_ = nullptr;
  }
  if (in_modal_loop_) continue_modal_ = false;

  SendMessage(WM_DESTROY);
  DestroyChildren();
  SendMessage(WM_NCDESTROY);

  DetachFromParent();
  std::erase(state.top_levels, self);
  std::erase(state.changed, self);
  if (state.active == self) state.active = nullptr;
  pw::ui::internal::UnregisterWindow(self);
  hwnd_ = nullptr;
  destroying_ = false;
  PostNcDestroy();
  return TRUE;
}

void CWnd::DestroyChildren() {
  const std::vector<CWnd*> children = children_;
  for (CWnd* child : children) child->DestroyWindow();
}

void CWnd::DetachFromParent() {
  if (parent_ == nullptr) return;
  CWnd* parent = parent_;
  if (!IsTopLevel()) {
    std::erase(parent->children_, this);
    auto owned =
        std::find_if(parent->owned_children_.begin(), parent->owned_children_.end(),
                     [this](const std::unique_ptr<CWnd>& child) { return child.get() == this; });
    if (owned != parent->owned_children_.end()) {
      CurrentThreadState().graveyard.push_back(std::move(*owned));
      parent->owned_children_.erase(owned);
    }
  }
  parent_ = nullptr;
}

CWnd* CWnd::GetParent() const { return parent_; }

CWnd* CWnd::GetOwner() const { return IsTopLevel() ? parent_ : nullptr; }

CWnd* CWnd::GetTopLevelParent() const {
  const CWnd* window = this;
  while (!window->IsTopLevel() && window->parent_ != nullptr) window = window->parent_;
  return const_cast<CWnd*>(window);
}

void CWnd::SetDlgCtrlID(int id) { id_ = id; }

CWnd* CWnd::GetDlgItem(int id) const {
  for (CWnd* child : children_) {
    if (pw::ui::SameCommandId(child->id_, id)) return child;
  }
  return nullptr;
}

std::string CWnd::DescribeMissingControl(int id) const {
  return "GetDlgItem: window \"" + pw::ToUtf8(GetTopLevelParent()->text_) +
         "\" has no control with id " + std::to_string(id);
}

std::string CWnd::DescribeWrongKind(const CWnd& child, std::wstring_view wanted) {
  return "GetDlgItem: control " + std::to_string(child.id_) + " is a \"" +
         pw::ToUtf8(child.class_name_) + "\", not a \"" + pw::ToUtf8(wanted) + "\"";
}

void CWnd::SetWindowText(std::wstring_view text) {
  const std::wstring copy(text);
  SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(copy.c_str()));
}

std::wstring CWnd::GetWindowText() const { return text_; }

int CWnd::GetWindowTextLength() const { return static_cast<int>(text_.size()); }

void CWnd::SetDlgItemText(int id, std::wstring_view text) {
  if (CWnd* child = GetDlgItem(id)) child->SetWindowText(text);
}

std::wstring CWnd::GetDlgItemText(int id) const {
  const CWnd* child = GetDlgItem(id);
  return child != nullptr ? child->GetWindowText() : std::wstring();
}

void CWnd::SetDlgItemInt(int id, UINT value, BOOL is_signed) {
  const std::wstring text =
      is_signed ? std::to_wstring(static_cast<int>(value)) : std::to_wstring(value);
  SetDlgItemText(id, text);
}

UINT CWnd::GetDlgItemInt(int id, BOOL* translated, BOOL is_signed) const {
  if (translated != nullptr) *translated = FALSE;
  const CWnd* child = GetDlgItem(id);
  if (child == nullptr) return 0;
  const std::wstring_view text = pw::Trim(child->text_);
  std::size_t at = 0;
  bool negative = false;
  if (is_signed && at < text.size() && (text[at] == L'-' || text[at] == L'+')) {
    negative = text[at] == L'-';
    ++at;
  }
  if (at == text.size()) return 0;
  std::int64_t value = 0;
  for (; at < text.size(); ++at) {
    if (text[at] < L'0' || text[at] > L'9') return 0;
    value = value * 10 + (text[at] - L'0');
    if (value > 0xFFFFFFFFLL) return 0;
  }
  if (negative) value = -value;
  if (is_signed && (value > 0x7FFFFFFFLL || value < -0x80000000LL)) return 0;
  if (translated != nullptr) *translated = TRUE;
  return static_cast<UINT>(value);
}

BOOL CWnd::EnableWindow(BOOL enable) {
  const BOOL was_disabled = (style_ & WS_DISABLED) != 0 ? TRUE : FALSE;
  if ((enable != FALSE) == (was_disabled == FALSE)) return was_disabled;
  if (enable) {
    style_ &= ~WS_DISABLED;
  } else {
    style_ |= WS_DISABLED;
  }
  SendMessage(WM_ENABLE, enable ? TRUE : FALSE);
  NotifyChanged();
  return was_disabled;
}

BOOL CWnd::IsWindowEnabled() const { return (style_ & WS_DISABLED) == 0 ? TRUE : FALSE; }

BOOL CWnd::ShowWindow(int command) {
  const BOOL was_visible = (style_ & WS_VISIBLE) != 0 ? TRUE : FALSE;
  const bool show = command != SW_HIDE;
  if (show == (was_visible != FALSE)) return was_visible;
  if (show) {
    style_ |= WS_VISIBLE;
  } else {
    style_ &= ~WS_VISIBLE;
  }
  SendMessage(WM_SHOWWINDOW, show ? TRUE : FALSE);
  NotifyChanged();
  if (IsTopLevel() && hwnd_ != nullptr) {
    if (show && command != SW_SHOWNA) {
      pw::ui::internal::Activate(this);
    } else if (!show) {
      pw::ui::internal::ActivateNext(this);
    }
  }
  return was_visible;
}

BOOL CWnd::IsWindowVisible() const {
  for (const CWnd* window = this; window != nullptr;
       window = window->IsTopLevel() ? nullptr : window->parent_) {
    if ((window->style_ & WS_VISIBLE) == 0) return FALSE;
  }
  return TRUE;
}

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add) {
  const DWORD style = (style_ & ~remove) | add;
  if (style == style_) return FALSE;
  style_ = style;
  NotifyChanged();
  return TRUE;
}

BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add) {
  const DWORD style = (ex_style_ & ~remove) | add;
  if (style == ex_style_) return FALSE;
  ex_style_ = style;
  NotifyChanged();
  return TRUE;
}

void CWnd::GetWindowRect(RECT* rect) const {
  if (rect != nullptr) *rect = rect_;
}

void CWnd::GetClientRect(RECT* rect) const {
  if (rect != nullptr) *rect = RECT{0, 0, RectWidth(rect_), RectHeight(rect_)};
}

void CWnd::MoveWindow(int x, int y, int width, int height, BOOL /*repaint*/) {
  const bool resized = width != RectWidth(rect_) || height != RectHeight(rect_);
  rect_ = RECT{x, y, x + width, y + height};
  NotifyChanged();
  if (resized) {
    SendMessage(WM_SIZE, SIZE_RESTORED,
                MAKELPARAM(static_cast<WORD>(width), static_cast<WORD>(height)));
  }
}

void CWnd::MoveWindow(const RECT& rect, BOOL repaint) {
  MoveWindow(rect.left, rect.top, RectWidth(rect), RectHeight(rect), repaint);
}

CWnd* CWnd::GetFocusWithin() const {
  const CWnd* top = GetTopLevelParent();
  CWnd* focus = LookUpWindow(top->focus_);
  if (focus == nullptr || focus->GetTopLevelParent() != top) return nullptr;
  return focus;
}

CWnd* CWnd::GetFocus() {
  CWnd* active = LookUpWindow(CurrentThreadState().active);
  return active != nullptr ? active->GetFocusWithin() : nullptr;
}

CWnd* CWnd::SetFocus() {
  CWnd* old_focus = GetFocus();
  if (hwnd_ == nullptr) return old_focus;
  CWnd* top = GetTopLevelParent();
  if (CurrentThreadState().active != top->hwnd_) {
    // Not the active window: the control gets the focus when its window is activated.
    top->focus_ = hwnd_;
    return old_focus;
  }
  if (old_focus == this) return old_focus;
  const HWND self = hwnd_;
  const HWND old_handle = old_focus != nullptr ? old_focus->hwnd_ : nullptr;
  top->focus_ = self;
  top->NotifyChanged();
  if (old_focus != nullptr) old_focus->SendMessage(WM_KILLFOCUS, reinterpret_cast<WPARAM>(self));
  if (IsWindow(self)) SendMessage(WM_SETFOCUS, reinterpret_cast<WPARAM>(old_handle));
  return old_focus;
}

void CWnd::SetFocusFromNavigation(CWnd* control) {
  if (control == nullptr) return;
  control->SetFocus();
  if (auto* edit = dynamic_cast<CEdit*>(control); edit != nullptr && edit->GetSafeHwnd()) {
    edit->SetSel(0, -1);
  }
}

LRESULT CWnd::SendMessage(UINT message, WPARAM w_param, LPARAM l_param) {
  if (hwnd_ == nullptr) return 0;
  PW_UI_CHECK(pw::ui::internal::WindowThread(hwnd_) == GetCurrentThreadId(),
              "SendMessage to a window of another thread; use PostMessage");
  DispatchScope scope;
  return WindowProc(message, w_param, l_param);
}

BOOL CWnd::PostMessage(UINT message, WPARAM w_param, LPARAM l_param) {
  return ::PostMessage(hwnd_, message, w_param, l_param);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM w_param, LPARAM l_param) {
  if (const pw::ui::MessageMap* map = GetMessageMap()) {
    if (const pw::ui::MessageMap::Entry* entry = map->FindMessage(message)) {
      return entry->handler(*this, w_param, l_param);
    }
  }
  switch (message) {
    case WM_COMMAND:
      if (OnCommand(w_param, l_param)) return 0;
      break;
    case WM_NOTIFY: {
      LRESULT result = 0;
      if (OnNotify(w_param, l_param, &result)) return result;
      break;
    }
    case WM_SETFOCUS:
      OnSetFocus(FromHandle(reinterpret_cast<HWND>(w_param)));
      return 0;
    case WM_KILLFOCUS:
      OnKillFocus(FromHandle(reinterpret_cast<HWND>(w_param)));
      return 0;
    case WM_DESTROY:
      OnDestroy();
      return 0;
    default:
      break;
  }
  return DefWindowProc(message, w_param, l_param);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM w_param, LPARAM l_param) {
  switch (message) {
    case WM_SETTEXT: {
      const auto* text = reinterpret_cast<const wchar_t*>(l_param);
      text_ = text != nullptr ? text : L"";
      NotifyChanged();
      return TRUE;
    }
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(text_.size());
    case WM_CLOSE:
      DestroyWindow();
      return 0;
    case WM_CONTEXTMENU:
      // Unhandled, the request goes up to the parent, as Windows' default does.
      if (!IsTopLevel() && parent_ != nullptr) {
        return parent_->SendMessage(WM_CONTEXTMENU, w_param, l_param);
      }
      return 0;
    default:
      return 0;
  }
}

BOOL CWnd::OnCommand(WPARAM w_param, LPARAM l_param) {
  const pw::ui::MessageMap* map = GetMessageMap();
  if (map == nullptr) return FALSE;
  const pw::ui::MessageMap::Entry* entry = map->FindCommand(LOWORD(w_param), HIWORD(w_param));
  if (entry == nullptr) return FALSE;
  entry->handler(*this, w_param, l_param);
  return TRUE;
}

BOOL CWnd::OnNotify(WPARAM /*w_param*/, LPARAM l_param, LRESULT* result) {
  const pw::ui::MessageMap* map = GetMessageMap();
  const auto* header = reinterpret_cast<const NMHDR*>(l_param);
  if (map == nullptr || header == nullptr) return FALSE;
  const pw::ui::MessageMap::Entry* entry =
      map->FindNotify(static_cast<int>(header->idFrom), header->code);
  if (entry == nullptr) return FALSE;
  const LRESULT answer = entry->handler(*this, static_cast<WPARAM>(header->idFrom), l_param);
  if (result != nullptr) *result = answer;
  return TRUE;
}

LRESULT CWnd::NotifyParentCommand(UINT code) {
  if (IsTopLevel() || parent_ == nullptr) return 0;
  return parent_->SendMessage(WM_COMMAND,
                              MAKEWPARAM(static_cast<WORD>(id_), static_cast<WORD>(code)),
                              reinterpret_cast<LPARAM>(hwnd_));
}

LRESULT CWnd::NotifyParent(UINT code, NMHDR* header) {
  if (IsTopLevel() || parent_ == nullptr || header == nullptr) return 0;
  header->hwndFrom = hwnd_;
  header->idFrom = static_cast<UINT_PTR>(static_cast<INT_PTR>(id_));
  header->code = code;
  return parent_->SendMessage(WM_NOTIFY, header->idFrom, reinterpret_cast<LPARAM>(header));
}

void CWnd::CheckDlgButton(int id, UINT check) {
  CWnd* child = GetDlgItem(id);
  if (child != nullptr) child->SendMessage(BM_SETCHECK, check);
}

UINT CWnd::IsDlgButtonChecked(int id) const {
  CWnd* child = GetDlgItem(id);
  return child != nullptr ? static_cast<UINT>(child->SendMessage(BM_GETCHECK)) : 0;
}

void CWnd::CheckRadioButton(int first, int last, int check) {
  for (CWnd* child : children_) {
    if (child->id_ >= first && child->id_ <= last) {
      child->SendMessage(BM_SETCHECK, child->id_ == check ? BST_CHECKED : BST_UNCHECKED);
    }
  }
}

int CWnd::GetCheckedRadioButton(int first, int last) const {
  for (CWnd* child : children_) {
    if (child->id_ >= first && child->id_ <= last &&
        child->SendMessage(BM_GETCHECK) == BST_CHECKED) {
      return child->id_;
    }
  }
  return 0;
}

namespace {

// The controls of `parent` in tab order, entering children that hold controls of their own
// (WS_EX_CONTROLPARENT, as a sheet's pages do) in place of the child itself. `all` gets every
// control in that order, `stops` the ones Tab may land on.
void CollectTabOrder(const CWnd& parent, std::vector<CWnd*>* all, std::vector<CWnd*>* stops) {
  for (CWnd* child : parent.GetChildren()) {
    const DWORD style = child->GetStyle();
    const bool usable = (style & (WS_VISIBLE | WS_DISABLED)) == WS_VISIBLE;
    if ((child->GetExStyle() & WS_EX_CONTROLPARENT) != 0) {
      if (usable) CollectTabOrder(*child, all, stops);
      continue;
    }
    all->push_back(child);
    // The control's own state counts, so that a dialog not shown yet finds its first stop.
    if (usable && (style & WS_TABSTOP) != 0) stops->push_back(child);
  }
}

}  // namespace

CWnd* CWnd::GetNextDlgTabItem(CWnd* control, BOOL previous) const {
  std::vector<CWnd*> all;
  std::vector<CWnd*> stops;
  CollectTabOrder(*this, &all, &stops);
  if (stops.empty()) return nullptr;
  const auto at = std::find(stops.begin(), stops.end(), control);
  if (at == stops.end()) {
    if (control == nullptr) return previous ? stops.back() : stops.front();
    // Not a tab stop itself: the stops around its place among the controls.
    const auto place = std::find(all.begin(), all.end(), control);
    if (place == all.end()) return previous ? stops.back() : stops.front();
    auto is_stop = [&stops](CWnd* candidate) {
      return std::find(stops.begin(), stops.end(), candidate) != stops.end();
    };
    if (!previous) {
      const auto next = std::find_if(place + 1, all.end(), is_stop);
      return next != all.end() ? *next : stops.front();
    }
    const auto before = std::find_if(std::make_reverse_iterator(place), all.rend(), is_stop);
    return before != all.rend() ? *before : stops.back();
  }
  const std::size_t index = static_cast<std::size_t>(at - stops.begin());
  if (previous) return stops[(index + stops.size() - 1) % stops.size()];
  return stops[(index + 1) % stops.size()];
}

std::vector<CWnd*> CWnd::GetDlgGroup(CWnd* control) const {
  const auto place = std::find(children_.begin(), children_.end(), control);
  if (place == children_.end()) return {};
  auto begin = place;
  while (begin != children_.begin() && ((*begin)->style_ & WS_GROUP) == 0) --begin;
  auto end = place + 1;
  while (end != children_.end() && ((*end)->style_ & WS_GROUP) == 0) ++end;
  return std::vector<CWnd*>(begin, end);
}

CWnd* CWnd::GetNextDlgGroupItem(CWnd* control, BOOL previous) const {
  const std::vector<CWnd*> run = GetDlgGroup(control);
  if (run.empty()) return nullptr;
  const std::size_t index =
      static_cast<std::size_t>(std::find(run.begin(), run.end(), control) - run.begin());
  for (std::size_t step = 1; step <= run.size(); ++step) {
    const std::size_t next =
        previous ? (index + run.size() * 2 - step) % run.size() : (index + step) % run.size();
    CWnd* candidate = run[next];
    if ((candidate->style_ & (WS_VISIBLE | WS_DISABLED)) == WS_VISIBLE) return candidate;
  }
  return control;
}

int CWnd::MessageBox(std::wstring_view text, std::wstring_view caption, UINT type) {
  const std::wstring title = caption.empty() ? AfxGetAppName() : std::wstring(caption);
  return ::MessageBox(hwnd_, text, title, type);
}

void CWnd::BeginModalState() {
  in_modal_loop_ = true;
  continue_modal_ = true;
  modal_result_ = -1;
}

void CWnd::EndModalLoop(int result) {
  if (!in_modal_loop_ || !continue_modal_) return;
  modal_result_ = result;
  continue_modal_ = false;
  // Wakes a loop that waits for its next message.
  if (hwnd_ != nullptr) PostMessage(WM_NULL);
}

void CWnd::EndModalState() {
  in_modal_loop_ = false;
  continue_modal_ = false;
}

void CWnd::NotifyChanged() {
  if (hwnd_ == nullptr) return;
  CWnd* top = GetTopLevelParent();
  if (top != nullptr && top->reported_) pw::ui::internal::MarkChanged(*top);
}

BOOL IsWindow(HWND window) { return pw::ui::internal::WindowThread(window) != 0 ? TRUE : FALSE; }

LRESULT SendMessage(HWND window, UINT message, WPARAM w_param, LPARAM l_param) {
  CWnd* object = CWnd::FromHandle(window);
  return object != nullptr ? object->SendMessage(message, w_param, l_param) : 0;
}

BOOL DestroyWindow(HWND window) {
  CWnd* object = CWnd::FromHandle(window);
  return object != nullptr ? object->DestroyWindow() : FALSE;
}

BOOL EnableWindow(HWND window, BOOL enable) {
  CWnd* object = CWnd::FromHandle(window);
  return object != nullptr ? object->EnableWindow(enable) : FALSE;
}

BOOL IsWindowEnabled(HWND window) {
  CWnd* object = CWnd::FromHandle(window);
  return object != nullptr ? object->IsWindowEnabled() : FALSE;
}

BOOL IsWindowVisible(HWND window) {
  CWnd* object = CWnd::FromHandle(window);
  return object != nullptr ? object->IsWindowVisible() : FALSE;
}

HWND GetParent(HWND window) {
  CWnd* object = CWnd::FromHandle(window);
  CWnd* parent = object != nullptr ? object->GetParent() : nullptr;
  return parent != nullptr ? parent->GetSafeHwnd() : nullptr;
}

HWND GetDlgItem(HWND dialog, int id) {
  CWnd* object = CWnd::FromHandle(dialog);
  CWnd* child = object != nullptr ? object->GetDlgItem(id) : nullptr;
  return child != nullptr ? child->GetSafeHwnd() : nullptr;
}

int GetDlgCtrlID(HWND window) {
  CWnd* object = CWnd::FromHandle(window);
  return object != nullptr ? object->GetDlgCtrlID() : 0;
}

HWND SetFocus(HWND window) {
  CWnd* object = CWnd::FromHandle(window);
  CWnd* previous = object != nullptr ? object->SetFocus() : nullptr;
  return previous != nullptr ? previous->GetSafeHwnd() : nullptr;
}

HWND GetFocus() {
  CWnd* focus = CWnd::GetFocus();
  return focus != nullptr ? focus->GetSafeHwnd() : nullptr;
}
