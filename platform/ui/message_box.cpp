// Message boxes as dialogs built in code, and the application-title helpers.
#include "platform/ui/message_box.h"

#include <algorithm>
#include <mutex>

#include "platform/ui/static_ctrl.h"
#include "platform/ui/window_internal.h"
#include "platform/win/resources.h"
#include "platform/win/thread_locale.h"

namespace {

constexpr UINT kAfxIdsAppTitle = 0xE000;

// Layout in dialog units: an average character is 4 wide and a line 8 high.
constexpr int kMargin = 7;
constexpr int kIconSize = 21;
constexpr int kCharWidth = 4;
constexpr int kLineHeight = 8;
constexpr int kMaxTextWidth = 240;
constexpr int kButtonWidth = 50;
constexpr int kButtonHeight = 14;
constexpr int kButtonGap = 4;

std::vector<int> AnswersOf(UINT type) {
  switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
      return {IDOK, IDCANCEL};
    case MB_ABORTRETRYIGNORE:
      return {IDABORT, IDRETRY, IDIGNORE};
    case MB_YESNOCANCEL:
      return {IDYES, IDNO, IDCANCEL};
    case MB_YESNO:
      return {IDYES, IDNO};
    case MB_RETRYCANCEL:
      return {IDRETRY, IDCANCEL};
    case MB_CANCELTRYCONTINUE:
      return {IDCANCEL, IDTRYAGAIN, IDCONTINUE};
    default:
      return {IDOK};
  }
}

UINT StandardIcon(UINT type) {
  switch (type & MB_ICONMASK) {
    case MB_ICONHAND:
      return IDI_HAND;
    case MB_ICONQUESTION:
      return IDI_QUESTION;
    case MB_ICONEXCLAMATION:
      return IDI_EXCLAMATION;
    case MB_ICONASTERISK:
      return IDI_ASTERISK;
    default:
      return 0;
  }
}

bool German() { return LANGIDFROMLCID(GetThreadLocale()) == LANGIDFROMLCID(LOCALE_GERMAN); }

std::mutex app_name_mutex;
std::wstring app_name;

}  // namespace

CMessageBoxWnd::CMessageBoxWnd(std::wstring text, std::wstring caption, UINT type, CWnd* owner)
    : text_(std::move(text)),
      caption_(caption.empty() ? (German() ? L"Fehler" : L"Error") : std::move(caption)),
      type_(type),
      answers_(AnswersOf(type)) {
  InitModalIndirect(BuildTemplate(), owner);
}

std::wstring CMessageBoxWnd::ButtonText(int answer) {
  const bool german = German();
  switch (answer) {
    case IDOK:
      return L"OK";
    case IDCANCEL:
      return german ? L"Abbrechen" : L"Cancel";
    case IDABORT:
      return german ? L"&Abbrechen" : L"&Abort";
    case IDRETRY:
      return german ? L"&Wiederholen" : L"&Retry";
    case IDIGNORE:
      return german ? L"&Ignorieren" : L"&Ignore";
    case IDYES:
      return german ? L"&Ja" : L"&Yes";
    case IDNO:
      return german ? L"&Nein" : L"&No";
    case IDTRYAGAIN:
      return german ? L"&Wiederholen" : L"&Try Again";
    case IDCONTINUE:
      return german ? L"&Weiter" : L"&Continue";
    default:
      return L"";
  }
}

int CMessageBoxWnd::default_answer() const {
  const std::size_t index = (type_ & MB_DEFMASK) >> 8;
  return index < answers_.size() ? answers_[index] : answers_.front();
}

int CMessageBoxWnd::escape_answer() const {
  if (std::find(answers_.begin(), answers_.end(), IDCANCEL) != answers_.end()) return IDCANCEL;
  return (type_ & MB_TYPEMASK) == MB_OK ? IDOK : 0;
}

int CMessageBoxWnd::cancel_like_answer() const {
  for (int answer : {IDCANCEL, IDNO, IDABORT}) {
    if (std::find(answers_.begin(), answers_.end(), answer) != answers_.end()) return answer;
  }
  return IDOK;
}

pw::ui::DialogTemplate CMessageBoxWnd::BuildTemplate() const {
  pw::ui::DialogTemplate result;
  result.caption = caption_;
  result.font_name = L"MS Shell Dlg";
  result.font_size = 8;
  result.style = WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_CENTER;
  // Without a way to decline, the caption has no close box.
  if (escape_answer() != 0) result.style |= WS_SYSMENU;

  // The text's lines, wrapped where they are longer than the widest line allowed.
  int widest = 0;
  int lines = 0;
  std::size_t start = 0;
  while (start <= text_.size()) {
    std::size_t end = text_.find(L'\n', start);
    if (end == std::wstring::npos) end = text_.size();
    const int width = static_cast<int>(end - start) * kCharWidth;
    widest = std::max(widest, std::min(width, kMaxTextWidth));
    lines += std::max(1, (width + kMaxTextWidth - 1) / kMaxTextWidth);
    start = end + 1;
  }
  const bool icon = StandardIcon(type_) != 0;
  const int text_left = icon ? kMargin + kIconSize + 10 : kMargin;
  const int text_height = lines * kLineHeight;
  const int content_bottom = kMargin + std::max(text_height, icon ? kIconSize : 0);
  const int buttons = static_cast<int>(answers_.size());
  const int buttons_width = buttons * kButtonWidth + (buttons - 1) * kButtonGap;
  const int width = std::max(text_left + widest + kMargin, buttons_width + 2 * kMargin);
  const int buttons_top = content_bottom + 10;
  result.rect = RECT{0, 0, width, buttons_top + kButtonHeight + kMargin};

  if (icon) {
    pw::ui::DialogControlTemplate item;
    item.window_class = L"STATIC";
    item.id = kIconId;
    item.resource_id = StandardIcon(type_);
    item.rect = RECT{kMargin, kMargin, kMargin + kIconSize, kMargin + kIconSize};
    item.style = WS_CHILD | WS_VISIBLE | SS_ICON;
    result.controls.push_back(std::move(item));
  }
  pw::ui::DialogControlTemplate text;
  text.window_class = L"STATIC";
  text.id = kTextId;
  text.text = text_;
  text.rect = RECT{text_left, kMargin, text_left + widest, kMargin + text_height};
  text.style = WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX | WS_GROUP;
  result.controls.push_back(std::move(text));

  int left = (width - buttons_width) / 2;
  const int default_id = default_answer();
  for (int answer : answers_) {
    pw::ui::DialogControlTemplate button;
    button.window_class = L"BUTTON";
    button.id = answer;
    button.text = ButtonText(answer);
    button.rect = RECT{left, buttons_top, left + kButtonWidth, buttons_top + kButtonHeight};
    button.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP |
                   (answer == default_id ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    if (answer == answers_.front()) button.style |= WS_GROUP;
    result.controls.push_back(std::move(button));
    left += kButtonWidth + kButtonGap;
  }
  return result;
}

BOOL CMessageBoxWnd::OnInitDialog() {
  CDialog::OnInitDialog();
  // The standard icons are not resources of any module; the front end knows them by id.
  if (auto* icon = dynamic_cast<CStatic*>(GetDlgItem(kIconId))) {
    icon->SetStandardIcon(StandardIcon(type_));
  }
  SetDefID(static_cast<UINT>(default_answer()));
  GotoDlgCtrl(GetDlgItem(default_answer()));
  return FALSE;
}

BOOL CMessageBoxWnd::OnCommand(WPARAM w_param, LPARAM /*l_param*/) {
  const int id = LOWORD(w_param);
  if (std::find(answers_.begin(), answers_.end(), id) != answers_.end()) {
    EndDialog(id);
  } else if (id == IDCANCEL && escape_answer() != 0) {
    EndDialog(escape_answer());
  }
  return TRUE;
}

LRESULT CMessageBoxWnd::WindowProc(UINT message, WPARAM w_param, LPARAM l_param) {
  // Without a way to decline, the close box does nothing.
  if (message == WM_CLOSE && escape_answer() == 0) return 0;
  return CDialog::WindowProc(message, w_param, l_param);
}

int MessageBox(HWND owner, std::wstring_view text, std::wstring_view caption, UINT type) {
  CMessageBoxWnd box{std::wstring(text), std::wstring(caption), type, CWnd::FromHandle(owner)};
  const INT_PTR result = box.DoModal();
  return result < 0 ? 0 : static_cast<int>(result);
}

void AfxSetAppName(std::wstring_view name) {
  std::lock_guard lock(app_name_mutex);
  app_name = std::wstring(name);
}

std::wstring AfxGetAppName() {
  {
    std::lock_guard lock(app_name_mutex);
    if (!app_name.empty()) return app_name;
  }
  return pw::LoadStringResource(AfxGetResourceHandle(), kAfxIdsAppTitle);
}

int AfxMessageBox(std::wstring_view text, UINT type, UINT /*help_id*/) {
  return MessageBox(pw::ui::internal::CurrentThreadState().active, text, AfxGetAppName(), type);
}

int AfxMessageBox(UINT prompt_id, UINT type, UINT help_id) {
  return AfxMessageBox(pw::LoadStringResource(AfxGetResourceHandle(), prompt_id), type, help_id);
}
