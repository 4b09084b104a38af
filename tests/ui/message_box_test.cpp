// Tests of message boxes: the window they are, the answers, the keys, the records the
// scripted host keeps, and what happens with no front end at all.
#include "platform/ui/message_box.h"

#include <gtest/gtest.h>

#include <functional>

#include "platform/ui/button.h"
#include "platform/ui/static_ctrl.h"
#include "platform/ui/ui_input.h"
#include "tests/ui/ui_test_fixture.h"

namespace pw::test {
namespace {

using MessageBoxTest = UiTest;

// A host that does one thing to the modal window, then gives up with 99 if it still runs.
class ActingHost : public pw::ui::UiHost {
 public:
  explicit ActingHost(std::function<void(CWnd&)> action) : action_(std::move(action)) {
    previous_ = pw::ui::SetUiHost(this);
  }
  ~ActingHost() override { pw::ui::SetUiHost(previous_); }
  void RunModalLoop(CWnd& window) override {
    action_(window);
    if (window.ContinueModal()) window.EndModalLoop(99);
  }

 private:
  std::function<void(CWnd&)> action_;
  pw::ui::UiHost* previous_;
};

// Every message box is recorded with its text, caption, icon, buttons and default; the
// answer comes back to the caller.
TEST_F(MessageBoxTest, RecordsAndAnswers) {
  host_.ExpectMessageBox(IDYES, L"Are you sure you want to proceed?");
  host_.ExpectMessageBox(IDOK);
  EXPECT_EQ(MessageBox(nullptr, L"Are you sure you want to proceed?", L"Pagewell Configuration",
                       MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2),
            IDYES);
  EXPECT_EQ(MessageBox(nullptr, L"Please enter a valid computer name.", L"", MB_ICONWARNING), IDOK);
  ASSERT_EQ(host_.message_boxes().size(), 2u);
  const MessageBoxRecord& first = host_.message_boxes()[0];
  EXPECT_EQ(first.text, L"Are you sure you want to proceed?");
  EXPECT_EQ(first.caption, L"Pagewell Configuration");
  EXPECT_EQ(first.icon, MB_ICONQUESTION);
  EXPECT_EQ(first.buttons, MB_YESNO);
  EXPECT_EQ(first.default_answer, IDNO);
  EXPECT_EQ(first.answer, IDYES);
  const MessageBoxRecord& second = host_.message_boxes()[1];
  EXPECT_EQ(second.caption, L"Error");  // Windows' caption when none is given
  EXPECT_EQ(second.icon, MB_ICONWARNING);
  EXPECT_EQ(second.buttons, MB_OK);
  EXPECT_EQ(second.default_answer, IDOK);
}

// The window of a message box is an ordinary dialog: the standard icon, the text, one
// button per answer labelled in the thread's language, the default button focused.
TEST_F(MessageBoxTest, IsAnOrdinaryWindow) {
  std::vector<std::wstring> labels;
  std::wstring text;
  UINT icon = 0;
  int focus = 0;
  bool close_box = true;
  SetThreadLocale(LOCALE_GERMAN);
  ActingHost acting([&](CWnd& window) {
    for (CWnd* child : window.GetChildren()) {
      if (auto* button = dynamic_cast<CButton*>(child)) labels.push_back(button->GetWindowText());
    }
    text = window.GetDlgItemText(CMessageBoxWnd::kTextId);
    icon = window.GetDlgItem<CStatic>(CMessageBoxWnd::kIconId)->GetIconId();
    focus = CWnd::GetFocus()->GetDlgCtrlID();
    close_box = (window.GetStyle() & WS_SYSMENU) != 0;
    pw::ui::ClickButton(window.GetDlgItem(IDNO)->GetSafeHwnd());
  });
  EXPECT_EQ(
      MessageBox(nullptr, L"Weiter?", L"Titel", MB_YESNOCANCEL | MB_ICONERROR | MB_DEFBUTTON3),
      IDNO);
  EXPECT_EQ(labels, (std::vector<std::wstring>{L"&Ja", L"&Nein", L"Abbrechen"}));
  EXPECT_EQ(text, L"Weiter?");
  EXPECT_EQ(icon, IDI_ERROR);
  EXPECT_EQ(focus, IDCANCEL);
  EXPECT_TRUE(close_box);
}

// Escape and the close box decline where Windows lets them: Cancel when there is one, OK for
// a lone OK button, nothing for Yes/No (no close box either).
TEST_F(MessageBoxTest, EscapeAndCloseBox) {
  auto escape = [](CWnd& window) { pw::ui::PressEscape(window.GetSafeHwnd()); };
  {
    ActingHost acting(escape);
    EXPECT_EQ(MessageBox(nullptr, L"t", L"c", MB_OKCANCEL), IDCANCEL);
    EXPECT_EQ(MessageBox(nullptr, L"t", L"c", MB_OK), IDOK);
    EXPECT_EQ(MessageBox(nullptr, L"t", L"c", MB_YESNO), 99);
  }
  bool closed = true;
  ActingHost acting([&](CWnd& window) { closed = pw::ui::CloseWindow(window.GetSafeHwnd()); });
  EXPECT_EQ(MessageBox(nullptr, L"t", L"c", MB_ABORTRETRYIGNORE), 99);
  EXPECT_FALSE(closed);
  EXPECT_EQ(MessageBox(nullptr, L"t", L"c", MB_RETRYCANCEL), IDCANCEL);
  EXPECT_TRUE(closed);
}

// The owner is disabled while its message box runs and enabled again afterwards.
TEST_F(MessageBoxTest, DisablesItsOwner) {
  std::unique_ptr<RecordingDialog> owner = ShowModeless(IDD_SMALL);
  bool owner_enabled_meanwhile = true;
  CWnd* box_owner = nullptr;
  ActingHost acting([&](CWnd& window) {
    owner_enabled_meanwhile = owner->IsWindowEnabled() != FALSE;
    box_owner = window.GetOwner();
    window.EndModalLoop(IDOK);
  });
  EXPECT_EQ(owner->MessageBox(L"text", L"caption", MB_OK), IDOK);
  EXPECT_FALSE(owner_enabled_meanwhile);
  EXPECT_EQ(box_owner, owner.get());
  EXPECT_TRUE(owner->IsWindowEnabled());
  owner->DestroyWindow();
}

// AfxMessageBox is titled with the application's name; the prompt may come from the string
// table of the resource module.
TEST_F(MessageBoxTest, AfxMessageBoxUsesTheApplicationName) {
  AfxSetAppName(L"Pagewell Configuration");
  host_.ExpectMessageBox(IDOK);
  EXPECT_EQ(AfxMessageBox(L"Please select a paper size.", MB_ICONWARNING), IDOK);
  AfxSetAppName(L"");
  ASSERT_EQ(host_.message_boxes().size(), 1u);
  EXPECT_EQ(host_.message_boxes()[0].caption, L"Pagewell Configuration");
  EXPECT_EQ(host_.message_boxes()[0].text, L"Please select a paper size.");
}

// With no front end at all, nothing waits: dialogs answer IDCANCEL, message boxes their
// declining answer, and their texts go to stderr.
TEST_F(MessageBoxTest, DefaultHostDeclinesAtOnce) {
  pw::ui::UiHost* scripted = pw::ui::SetUiHost(nullptr);
  testing::internal::CaptureStderr();
  EXPECT_EQ(MessageBox(nullptr, L"Delete the route?", L"Pagewell", MB_YESNO), IDNO);
  EXPECT_EQ(MessageBox(nullptr, L"Done.", L"Pagewell", MB_OK), IDOK);
  EXPECT_EQ(MessageBox(nullptr, L"Retry?", L"Pagewell", MB_YESNOCANCEL), IDCANCEL);
  EXPECT_EQ(MessageBox(nullptr, L"Failed.", L"Pagewell", MB_ABORTRETRYIGNORE), IDABORT);
  EXPECT_EQ(RecordingDialog(IDD_SMALL).DoModal(), IDCANCEL);
  const std::string errors = testing::internal::GetCapturedStderr();
  pw::ui::SetUiHost(scripted);
  EXPECT_NE(errors.find("\"Pagewell\" | Delete the route? | &Yes | &No; answered 7"),
            std::string::npos)
      << errors;
  EXPECT_NE(errors.find("\"Small\" | Enter a \"name\": | OK | Cancel; answered 2"),
            std::string::npos)
      << errors;
}

}  // namespace
}  // namespace pw::test
