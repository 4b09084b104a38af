// Message boxes: ordinary modal windows of the model (caption, icon, text, buttons), so a
// front end shows them as it shows any dialog.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/ui/dialog.h"

// The window of one message box, made by MessageBox and alive while it runs. Its controls
// are a static icon (id 20, the standard IDI_ icon of the type), the text (a static, id
// 0xFFFF) and one push button per answer with the answer as id (IDOK, IDYES…), labelled in
// the thread's language. Escape and the close box answer IDCANCEL when there is a Cancel
// button, IDOK for a lone OK button, and do nothing otherwise, as Windows behaves.
class CMessageBoxWnd : public CDialog {
 public:
  static constexpr int kIconId = 20;
  static constexpr int kTextId = 0xFFFF;

  // `owner` null: the thread's active window owns it.
  CMessageBoxWnd(std::wstring text, std::wstring caption, UINT type, CWnd* owner = nullptr);

  const std::wstring& text() const { return text_; }
  const std::wstring& caption() const { return caption_; }
  UINT type() const { return type_; }
  UINT buttons_kind() const { return type_ & MB_TYPEMASK; }  // MB_OK, MB_YESNO…
  UINT icon_kind() const { return type_ & MB_ICONMASK; }     // MB_ICONERROR…
  // The answers offered, in the order shown.
  const std::vector<int>& answers() const { return answers_; }
  int default_answer() const;
  // What Escape and the close box answer; 0 when they are refused.
  int escape_answer() const;
  // The answer that declines: Cancel when offered, else No, Abort or OK.
  int cancel_like_answer() const;

  // The standard buttons' labels (OK, Cancel, &Yes…) in the thread's language.
  static std::wstring ButtonText(int answer);

 protected:
  BOOL OnInitDialog() override;
  BOOL OnCommand(WPARAM w_param, LPARAM l_param) override;
  LRESULT WindowProc(UINT message, WPARAM w_param, LPARAM l_param) override;

 private:
  pw::ui::DialogTemplate BuildTemplate() const;

  std::wstring text_;
  std::wstring caption_;
  UINT type_;
  std::vector<int> answers_;
};

// Shows a message box owned by `owner` (disabled meanwhile) and answers the button chosen
// (IDOK, IDCANCEL, IDYES, IDNO…). An empty caption shows "Error", as Windows does.
int MessageBox(HWND owner, std::wstring_view text, std::wstring_view caption, UINT type);

// The application's title, caption of AfxMessageBox; without one set, string 0xE000
// (AFX_IDS_APP_TITLE) of the resource module.
void AfxSetAppName(std::wstring_view name);
std::wstring AfxGetAppName();
// A message box titled with the application's name, owned by the thread's active window.
int AfxMessageBox(std::wstring_view text, UINT type = MB_OK, UINT help_id = 0);
// The text is string `prompt_id` of the resource module.
int AfxMessageBox(UINT prompt_id, UINT type = MB_OK, UINT help_id = UINT(-1));
