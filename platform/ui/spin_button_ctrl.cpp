// CSpinButtonCtrl: range, position, buddy text and the click sequence of up-down controls.
#include "platform/ui/spin_button_ctrl.h"

#include <algorithm>
#include <optional>

#include "platform/com/strings.h"
#include "platform/win/thread_locale.h"

namespace {

wchar_t ThousandsSeparator() {
  return LANGIDFROMLCID(GetThreadLocale()) == LANGIDFROMLCID(LOCALE_GERMAN) ? L'.' : L',';
}

std::wstring FormatPosition(int position, bool thousands) {
  std::wstring digits = std::to_wstring(position < 0 ? -static_cast<long long>(position)
                                                     : static_cast<long long>(position));
  if (thousands) {
    const wchar_t separator = ThousandsSeparator();
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) {
      digits.insert(static_cast<std::size_t>(at), 1, separator);
    }
  }
  return position < 0 ? L"-" + digits : digits;
}

std::optional<long long> ParsePosition(std::wstring_view text) {
  text = pw::Trim(text);
  const wchar_t separator = ThousandsSeparator();
  bool negative = false;
  if (!text.empty() && (text.front() == L'-' || text.front() == L'+')) {
    negative = text.front() == L'-';
    text.remove_prefix(1);
  }
  long long value = 0;
  bool any = false;
  for (wchar_t c : text) {
    if (c == separator) continue;
    if (c < L'0' || c > L'9') return std::nullopt;
    value = value * 10 + (c - L'0');
    if (value > 0x7FFFFFFFLL) return std::nullopt;
    any = true;
  }
  if (!any) return std::nullopt;
  return negative ? -value : value;
}

}  // namespace

BOOL CSpinButtonCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, int id) {
  if (!CreateWindowObject(kClassName, L"", style | WS_CHILD, 0, rect, parent, id)) return FALSE;
  if ((style & UDS_AUTOBUDDY) != 0 && parent != nullptr) {
    const auto siblings = parent->GetChildren();
    if (siblings.size() >= 2) AttachAutoBuddy(siblings[siblings.size() - 2]);
  }
  return TRUE;
}

void CSpinButtonCtrl::SetRange32(int lower, int upper) {
  lower_ = lower;
  upper_ = upper;
  NotifyChanged();
}

void CSpinButtonCtrl::GetRange32(int& lower, int& upper) const {
  lower = lower_;
  upper = upper_;
}

int CSpinButtonCtrl::SetPos(int position) {
  const int previous = position_;
  position_ = std::clamp(position, std::min(lower_, upper_), std::max(lower_, upper_));
  NotifyChanged();
  ShowPositionInBuddy();
  return previous;
}

int CSpinButtonCtrl::GetPos32(BOOL* error) const {
  if (error != nullptr) *error = FALSE;
  CWnd* buddy = GetBuddy();
  if ((GetStyle() & UDS_SETBUDDYINT) == 0 || buddy == nullptr) return position_;
  const std::optional<long long> value = ParsePosition(buddy->GetWindowText());
  if (!value || *value < std::min(lower_, upper_) || *value > std::max(lower_, upper_)) {
    if (error != nullptr) *error = TRUE;
    return position_;
  }
  const_cast<CSpinButtonCtrl*>(this)->position_ = static_cast<int>(*value);
  return position_;
}

CWnd* CSpinButtonCtrl::SetBuddy(CWnd* buddy) {
  CWnd* previous = GetBuddy();
  buddy_ = buddy != nullptr ? buddy->GetSafeHwnd() : nullptr;
  NotifyChanged();
  ShowPositionInBuddy();
  return previous;
}

CWnd* CSpinButtonCtrl::GetBuddy() const { return CWnd::FromHandle(buddy_); }

void CSpinButtonCtrl::AttachAutoBuddy(CWnd* previous_sibling) {
  if (previous_sibling == nullptr || previous_sibling == this) return;
  SetBuddy(previous_sibling);
}

void CSpinButtonCtrl::ShowPositionInBuddy() {
  CWnd* buddy = GetBuddy();
  if (buddy == nullptr || (GetStyle() & UDS_SETBUDDYINT) == 0) return;
  buddy->SetWindowText(FormatPosition(position_, (GetStyle() & UDS_NOTHOUSANDS) == 0));
}

bool CSpinButtonCtrl::Click(bool up) {
  const HWND self = GetSafeHwnd();
  // The buddy's text is the position a person sees.
  GetPos32(nullptr);
  const int direction = upper_ >= lower_ ? 1 : -1;
  NMUPDOWN change;
  change.iPos = position_;
  change.iDelta = up ? direction : -direction;
  const bool refused = NotifyParent(UDN_DELTAPOS, &change.hdr) != 0;
  if (!IsWindow(self)) return false;
  if (!refused) {
    // The parent may have changed the delta, or the position itself, meanwhile.
    const long long low = std::min(lower_, upper_);
    const long long high = std::max(lower_, upper_);
    long long value = static_cast<long long>(position_) + change.iDelta;
    if (value < low || value > high) {
      if ((GetStyle() & UDS_WRAP) != 0) {
        value = value < low ? high : low;
      } else {
        value = std::clamp(value, low, high);
      }
    }
    if (value != position_) {
      position_ = static_cast<int>(value);
      NotifyChanged();
      ShowPositionInBuddy();
      if (!IsWindow(self)) return false;
    }
  }
  // The parent hears of the click in any case, refused or not.
  CWnd* parent = GetParent();
  const UINT scroll = (GetStyle() & UDS_HORZ) != 0 ? WM_HSCROLL : WM_VSCROLL;
  if (parent != nullptr) {
    parent->SendMessage(
        scroll, MAKEWPARAM(static_cast<WORD>(SB_THUMBPOSITION), static_cast<WORD>(position_)),
        reinterpret_cast<LPARAM>(self));
  }
  parent = IsWindow(self) ? GetParent() : nullptr;
  if (parent != nullptr) {
    parent->SendMessage(scroll,
                        MAKEWPARAM(static_cast<WORD>(SB_ENDSCROLL), static_cast<WORD>(position_)),
                        reinterpret_cast<LPARAM>(self));
  }
  return !refused;
}
