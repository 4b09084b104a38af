// Tests of CEdit and typing: notification sequences, digits-only fields, limits, read-only
// and disabled fields, selection and caret.
#include "platform/ui/edit.h"

#include <gtest/gtest.h>

#include "platform/ui/ui_input.h"
#include "tests/ui/ui_test_fixture.h"

namespace pw::test {
namespace {

using Events = std::vector<std::string>;

class EditTest : public UiTest {
 protected:
  void SetUp() override { dialog_ = ShowModeless(IDD_EVERYTHING); }
  void TearDown() override { dialog_->DestroyWindow(); }

  HWND Handle(UINT id) { return dialog_->GetDlgItem(id)->GetSafeHwnd(); }
  CEdit& Edit(UINT id) { return *dialog_->GetDlgItem<CEdit>(id); }

  std::unique_ptr<RecordingDialog> dialog_;
};

// Typing into a field: the focus moves there first (kill-focus of the old control before
// set-focus of the new one), then one EN_UPDATE/EN_CHANGE pair per change.
TEST_F(EditTest, TypingRaisesWindowsSequence) {
  EXPECT_TRUE(pw::ui::TypeText(Handle(IDC_NUMBER), L"12"));
  EXPECT_EQ(dialog_->Take(),
            (Events{"EN_KILLFOCUS 1001", "EN_SETFOCUS 1002", "EN_UPDATE 1002", "EN_CHANGE 1002"}));
  EXPECT_EQ(Edit(IDC_NUMBER).GetWindowText(), L"12");

  // Typing again into the same field: no focus change, the whole text replaced once.
  EXPECT_TRUE(pw::ui::TypeText(Handle(IDC_NUMBER), L"345"));
  EXPECT_EQ(dialog_->Take(), (Events{"EN_UPDATE 1002", "EN_CHANGE 1002"}));
  EXPECT_EQ(Edit(IDC_NUMBER).GetWindowText(), L"345");

  // Keys one by one: one change per key; the caret follows.
  EXPECT_TRUE(pw::ui::TypeKeys(Handle(IDC_NUMBER), L"67"));
  EXPECT_EQ(dialog_->Take(),
            (Events{"EN_UPDATE 1002", "EN_CHANGE 1002", "EN_UPDATE 1002", "EN_CHANGE 1002"}));
  EXPECT_EQ(Edit(IDC_NUMBER).GetWindowText(), L"34567");
  EXPECT_EQ(Edit(IDC_NUMBER).GetCaretPos(), 5);

  // Backspace deletes before the caret.
  EXPECT_TRUE(pw::ui::TypeKeys(Handle(IDC_NUMBER), L"\b"));
  EXPECT_EQ(Edit(IDC_NUMBER).GetWindowText(), L"3456");
}

// ES_NUMBER refuses non-digits: a paste containing one changes nothing; keys that are no
// digits are dropped while the digits go in.
TEST_F(EditTest, NumberFieldRefusesNonDigits) {
  EXPECT_TRUE(pw::ui::TypeText(Handle(IDC_NUMBER), L"42"));
  dialog_->Take();
  EXPECT_FALSE(pw::ui::TypeText(Handle(IDC_NUMBER), L"4a2"));
  EXPECT_EQ(pw::ui::LastRefusal(), "control 1002 takes digits only");
  EXPECT_EQ(Edit(IDC_NUMBER).GetWindowText(), L"42");
  EXPECT_TRUE(dialog_->Take().empty());

  EXPECT_TRUE(pw::ui::TypeKeys(Handle(IDC_NUMBER), L"x7-"));
  EXPECT_EQ(Edit(IDC_NUMBER).GetWindowText(), L"427");
  EXPECT_EQ(dialog_->Take(), (Events{"EN_UPDATE 1002", "EN_CHANGE 1002"}));
  EXPECT_FALSE(pw::ui::TypeKeys(Handle(IDC_NUMBER), L"abc"));

  // The program itself may put any text there, as SetWindowText may on Windows.
  Edit(IDC_NUMBER).SetWindowText(L"n/a");
  EXPECT_EQ(Edit(IDC_NUMBER).GetWindowText(), L"n/a");
}

// The text limit cuts a paste and refuses keys beyond it with EN_MAXTEXT; SetWindowText is
// not limited. ES_UPPERCASE turns typed letters into capitals.
TEST_F(EditTest, LimitAndCase) {
  CEdit& edit = Edit(IDC_LIMITED);
  edit.SetLimitText(4);
  EXPECT_EQ(edit.GetLimitText(), 4u);
  EXPECT_TRUE(pw::ui::TypeText(Handle(IDC_LIMITED), L"abcdef"));
  EXPECT_EQ(edit.GetWindowText(), L"ABCD");
  Events events = dialog_->Take();
  ASSERT_GE(events.size(), 3u);
  EXPECT_EQ((Events(events.end() - 3, events.end())),
            (Events{"EN_UPDATE 1023", "EN_CHANGE 1023", "EN_MAXTEXT 1023"}));

  EXPECT_FALSE(pw::ui::TypeKeys(Handle(IDC_LIMITED), L"x"));
  EXPECT_EQ(dialog_->Take(), (Events{"EN_MAXTEXT 1023"}));
  EXPECT_EQ(edit.GetWindowText(), L"ABCD");

  edit.SetWindowText(L"longer than four");
  EXPECT_EQ(edit.GetWindowText(), L"longer than four");
  edit.LimitText(0);
  EXPECT_EQ(edit.GetLimitText(), static_cast<UINT>(CEdit::kDefaultLimit));
}

// Read-only, disabled and hidden fields refuse typing and nothing is sent.
TEST_F(EditTest, RefusesReadOnlyDisabledHidden) {
  EXPECT_FALSE(pw::ui::TypeText(Handle(IDC_READONLY), L"x"));
  EXPECT_EQ(pw::ui::LastRefusal(), "control 1005 is read-only");
  EXPECT_FALSE(pw::ui::TypeText(Handle(IDC_DISABLED), L"x"));
  EXPECT_EQ(pw::ui::LastRefusal(), "control 1024 is disabled");
  Edit(IDC_NAME).ShowWindow(SW_HIDE);
  EXPECT_FALSE(pw::ui::TypeText(Handle(IDC_NAME), L"x"));
  EXPECT_EQ(pw::ui::LastRefusal(), "control 1001 is hidden");
  EXPECT_TRUE(dialog_->Take().empty());

  // Made writable by its program, the field takes text.
  Edit(IDC_READONLY).SetReadOnly(FALSE);
  EXPECT_TRUE(pw::ui::TypeText(Handle(IDC_READONLY), L"x"));
  // A disabled dialog refuses input to all its controls.
  dialog_->EnableWindow(FALSE);
  EXPECT_FALSE(pw::ui::TypeText(Handle(IDC_NUMBER), L"1"));
  EXPECT_EQ(pw::ui::LastRefusal(), "its window is disabled");
}

// SetWindowText notifies from a single-line edit but not from a multi-line one, as
// WM_SETTEXT does; a multi-line edit with ES_WANTRETURN takes Enter as a line break.
TEST_F(EditTest, SetTextAndLineBreaks) {
  Edit(IDC_NAME).SetWindowText(L"a");
  EXPECT_EQ(dialog_->Take(), (Events{"EN_UPDATE 1001", "EN_CHANGE 1001"}));
  Edit(IDC_NOTES).SetWindowText(L"line");
  EXPECT_TRUE(dialog_->Take().empty());

  EXPECT_TRUE(pw::ui::ClickToFocus(Handle(IDC_NOTES)));
  Edit(IDC_NOTES).SetSel(4, 4);
  EXPECT_TRUE(pw::ui::PressEnter(dialog_->GetSafeHwnd()));
  EXPECT_TRUE(pw::ui::TypeKeys(Handle(IDC_NOTES), L"x"));
  EXPECT_EQ(Edit(IDC_NOTES).GetWindowText(), L"line\r\nx");
  EXPECT_EQ(Edit(IDC_NOTES).GetLineCount(), 2);
  // A single-line field keeps only the first line of a paste.
  EXPECT_TRUE(pw::ui::TypeText(Handle(IDC_NAME), L"first\r\nsecond"));
  EXPECT_EQ(Edit(IDC_NAME).GetWindowText(), L"first");
}

// Selection and caret: SetSel orders and clips the range, -1 selects to the end or removes
// the selection; ReplaceSel puts the caret after the new text and notifies.
TEST_F(EditTest, SelectionAndReplace) {
  CEdit& edit = Edit(IDC_NAME);
  edit.SetWindowText(L"Pagewell");
  dialog_->Take();
  int start = -1;
  int end = -1;
  edit.GetSel(start, end);
  EXPECT_EQ(start, 0);
  EXPECT_EQ(end, 0);
  edit.SetSel(6, 2);
  edit.GetSel(start, end);
  EXPECT_EQ(start, 2);
  EXPECT_EQ(end, 6);
  EXPECT_EQ(edit.GetCaretPos(), 2);
  edit.SetSel(3, -1);
  EXPECT_EQ(edit.GetSel(), static_cast<DWORD>(MAKELONG(3, 8)));
  edit.SetSel(-1, 0);
  EXPECT_EQ(edit.GetSel(), static_cast<DWORD>(MAKELONG(8, 8)));
  edit.SetSel(0, 100);
  EXPECT_EQ(edit.GetSel(), static_cast<DWORD>(MAKELONG(0, 8)));

  edit.SetSel(4, 8);
  edit.ReplaceSel(L"ful");
  EXPECT_EQ(edit.GetWindowText(), L"Pageful");
  EXPECT_EQ(edit.GetCaretPos(), 7);
  EXPECT_EQ(dialog_->Take(), (Events{"EN_UPDATE 1001", "EN_CHANGE 1001"}));

  // A person's selection by mouse notifies nothing but moves the focus.
  EXPECT_TRUE(pw::ui::SelectEditText(Handle(IDC_NAME), 0, 4));
  EXPECT_EQ(edit.GetSel(), static_cast<DWORD>(MAKELONG(0, 4)));
}

}  // namespace
}  // namespace pw::test
