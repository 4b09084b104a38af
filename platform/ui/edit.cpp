// CEdit: text, selection, caret, limit, and the typing rules of edit fields.
#include "platform/ui/edit.h"

#include <algorithm>

#include "platform/com/strings.h"

namespace {

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

}  // namespace

BOOL CEdit::Create(DWORD style, const RECT& rect, CWnd* parent, int id) {
  return CreateWindowObject(kClassName, L"", style | WS_CHILD, 0, rect, parent, id);
}

void CEdit::SetSel(int start, int end, BOOL /*no_scroll*/) {
  const int length = GetWindowTextLength();
  if (start == -1) {
    sel_start_ = sel_end_ = caret_;
  } else {
    if (end < 0 || end > length) end = length;
    start = std::clamp(start, 0, length);
    sel_start_ = std::min(start, end);
    sel_end_ = std::max(start, end);
    caret_ = end;
  }
  NotifyChanged();
}

void CEdit::GetSel(int& start, int& end) const {
  start = sel_start_;
  end = sel_end_;
}

DWORD CEdit::GetSel() const {
  return static_cast<DWORD>(MAKELONG(static_cast<WORD>(sel_start_), static_cast<WORD>(sel_end_)));
}

bool CEdit::Insert(std::wstring text) {
  std::wstring content = GetWindowText();
  const int selected = sel_end_ - sel_start_;
  const std::size_t room = limit_ > content.size() - static_cast<std::size_t>(selected)
                               ? limit_ - (content.size() - static_cast<std::size_t>(selected))
                               : 0;
  const bool cut = text.size() > room;
  if (cut) text.resize(room);
  if (text.empty() && selected == 0) {
    if (cut) NotifyParentCommand(EN_MAXTEXT);
    return false;
  }
  content.replace(static_cast<std::size_t>(sel_start_), static_cast<std::size_t>(selected), text);
  SetTextSilently(std::move(content));
  sel_start_ = sel_end_ = caret_ = sel_start_ + static_cast<int>(text.size());
  NotifyChanged();
  const HWND self = GetSafeHwnd();
  NotifyParentCommand(EN_UPDATE);
  if (IsWindow(self)) NotifyParentCommand(EN_CHANGE);
  if (cut && IsWindow(self)) NotifyParentCommand(EN_MAXTEXT);
  return true;
}

void CEdit::ReplaceSel(std::wstring_view text, BOOL /*can_undo*/) { Insert(std::wstring(text)); }

void CEdit::SetLimitText(UINT max_chars) {
  limit_ = max_chars == 0 ? static_cast<UINT>(kDefaultLimit) : max_chars;
}

BOOL CEdit::SetReadOnly(BOOL read_only) {
  if (read_only) {
    ModifyStyle(0, ES_READONLY);
  } else {
    ModifyStyle(ES_READONLY, 0);
  }
  return TRUE;
}

int CEdit::GetLineCount() const {
  const std::wstring text = GetWindowText();
  if (!IsMultiLine()) return 1;
  return 1 + static_cast<int>(std::count(text.begin(), text.end(), L'\n'));
}

bool CEdit::TypeReplacingSelection(std::wstring_view typed) {
  if (IsReadOnly()) return false;
  std::wstring text(typed);
  if (!IsMultiLine()) {
    const std::size_t line_end = text.find_first_of(L"\r\n");
    if (line_end != std::wstring::npos) text.resize(line_end);
  }
  if ((GetStyle() & ES_NUMBER) != 0 && !std::all_of(text.begin(), text.end(), IsDigit)) {
    return false;
  }
  if ((GetStyle() & ES_UPPERCASE) != 0) text = pw::ToUpper(text);
  if ((GetStyle() & ES_LOWERCASE) != 0) text = pw::ToLower(text);
  // Pasting nothing over nothing changes nothing and is no refusal; a full field is one.
  return Insert(std::move(text)) || typed.empty();
}

bool CEdit::TypeKey(wchar_t key) {
  if (IsReadOnly()) return false;
  if (key == L'\b') {
    if (sel_start_ == sel_end_) {
      if (sel_start_ == 0) return false;
      sel_start_ -= 1;
    }
    return Insert(std::wstring());
  }
  if ((key == L'\r' || key == L'\n') && (!IsMultiLine() || (GetStyle() & ES_WANTRETURN) == 0)) {
    return false;
  }
  if (key == L'\n') key = L'\r';
  if ((GetStyle() & ES_NUMBER) != 0 && !IsDigit(key)) return false;
  std::wstring text(1, key);
  if (key == L'\r') text = L"\r\n";
  if ((GetStyle() & ES_UPPERCASE) != 0) text = pw::ToUpper(text);
  if ((GetStyle() & ES_LOWERCASE) != 0) text = pw::ToLower(text);
  return Insert(std::move(text));
}

LRESULT CEdit::WindowProc(UINT message, WPARAM w_param, LPARAM l_param) {
  if (message == WM_SETTEXT) {
    const auto* text = reinterpret_cast<const wchar_t*>(l_param);
    SetTextSilently(text != nullptr ? text : L"");
    sel_start_ = sel_end_ = caret_ = 0;
    NotifyChanged();
    // A multi-line edit does not report text set by its program.
    if (!IsMultiLine()) {
      const HWND self = GetSafeHwnd();
      NotifyParentCommand(EN_UPDATE);
      if (IsWindow(self)) NotifyParentCommand(EN_CHANGE);
    }
    return TRUE;
  }
  return CWnd::WindowProc(message, w_param, l_param);
}

void CEdit::OnSetFocus(CWnd* /*old_focus*/) { NotifyParentCommand(EN_SETFOCUS); }

void CEdit::OnKillFocus(CWnd* /*new_focus*/) { NotifyParentCommand(EN_KILLFOCUS); }
