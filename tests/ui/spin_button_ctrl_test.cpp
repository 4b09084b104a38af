// Tests of CSpinButtonCtrl: the delta notification refused and accepted, the buddy's text,
// ranges in both directions, wrapping and the thousands separator.
#include "platform/ui/spin_button_ctrl.h"

#include <gtest/gtest.h>

#include "platform/ui/edit.h"
#include "platform/ui/ui_input.h"
#include "tests/ui/ui_test_fixture.h"

namespace pw::test {
namespace {

using Events = std::vector<std::string>;

class SpinButtonCtrlTest : public UiTest {
 protected:
  void SetUp() override {
    dialog_ = ShowModeless(IDD_EVERYTHING);
    spin_ = dialog_->GetDlgItem<CSpinButtonCtrl>(IDC_NUMBER_SPIN);
    buddy_ = dialog_->GetDlgItem<CEdit>(IDC_NUMBER);
  }
  void TearDown() override { dialog_->DestroyWindow(); }

  bool Up() { return pw::ui::ClickSpin(spin_->GetSafeHwnd(), true); }
  bool Down() { return pw::ui::ClickSpin(spin_->GetSafeHwnd(), false); }

  std::unique_ptr<RecordingDialog> dialog_;
  CSpinButtonCtrl* spin_ = nullptr;
  CEdit* buddy_ = nullptr;
};

// The automatic buddy is the edit made just before; it showed the position before
// WM_INITDIALOG, as on Windows (a dialog sees EN_CHANGE before it initialises).
TEST_F(SpinButtonCtrlTest, AutoBuddyShowsThePositionFromTheStart) {
  RecordingDialog dialog(IDD_EVERYTHING);
  ASSERT_TRUE(dialog.Create());
  const Events events = dialog.Take();
  ASSERT_GE(events.size(), 3u);
  EXPECT_EQ((Events(events.begin(), events.begin() + 3)),
            (Events{"EN_UPDATE 1002", "EN_CHANGE 1002", "WM_INITDIALOG"}));
  EXPECT_EQ(dialog.GetDlgItemText(IDC_NUMBER), L"0");
  int lower = 0;
  int upper = 0;
  dialog.GetDlgItem<CSpinButtonCtrl>(IDC_NUMBER_SPIN)->GetRange32(lower, upper);
  // Windows' default range runs from 100 down to 0.
  EXPECT_EQ(lower, 100);
  EXPECT_EQ(upper, 0);
  dialog.DestroyWindow();
}

// An accepted click: UDN_DELTAPOS, the new position in the buddy (its EN_CHANGE), then
// WM_VSCROLL with SB_THUMBPOSITION and SB_ENDSCROLL. A refused click changes nothing, and
// the scroll messages come all the same.
TEST_F(SpinButtonCtrlTest, DeltaRefusedAndAccepted) {
  spin_->SetRange32(0, 10);
  spin_->SetPos(5);
  EXPECT_EQ(buddy_->GetWindowText(), L"5");
  dialog_->Take();

  EXPECT_TRUE(Up());
  EXPECT_EQ(dialog_->Take(),
            (Events{"UDN_DELTAPOS 1003 pos=5 delta=1", "EN_UPDATE 1002", "EN_CHANGE 1002",
                    "WM_VSCROLL 4 pos=6", "WM_VSCROLL 8 pos=6"}));
  EXPECT_EQ(spin_->GetPos(), 6);
  EXPECT_EQ(buddy_->GetWindowText(), L"6");

  dialog_->delta_answer = 1;
  EXPECT_TRUE(Down());
  EXPECT_EQ(dialog_->Take(), (Events{"UDN_DELTAPOS 1003 pos=6 delta=-1", "WM_VSCROLL 4 pos=6",
                                     "WM_VSCROLL 8 pos=6"}));
  EXPECT_EQ(spin_->GetPos(), 6);
  EXPECT_EQ(buddy_->GetWindowText(), L"6");

  // A disabled up-down control refuses the click without notifying.
  dialog_->delta_answer = 0;
  spin_->EnableWindow(FALSE);
  EXPECT_FALSE(Up());
  EXPECT_TRUE(dialog_->Take().empty());
}

// The position a person typed into the buddy is where the next click starts; at the end of
// the range the position stays (or wraps with UDS_WRAP); a range whose upper limit is lower
// turns the arrows round.
TEST_F(SpinButtonCtrlTest, RangeEndsAndDirections) {
  spin_->SetRange32(0, 10);
  EXPECT_TRUE(pw::ui::TypeText(buddy_->GetSafeHwnd(), L"10"));
  EXPECT_EQ(spin_->GetPos(), 10);
  dialog_->Take();
  EXPECT_TRUE(Up());
  EXPECT_EQ(dialog_->Take(), (Events{"UDN_DELTAPOS 1003 pos=10 delta=1", "WM_VSCROLL 4 pos=10",
                                     "WM_VSCROLL 8 pos=10"}));
  EXPECT_EQ(spin_->GetPos(), 10);

  spin_->ModifyStyle(0, UDS_WRAP);
  EXPECT_TRUE(Up());
  EXPECT_EQ(spin_->GetPos(), 0);
  EXPECT_TRUE(Down());
  EXPECT_EQ(spin_->GetPos(), 10);

  spin_->ModifyStyle(UDS_WRAP, 0);
  spin_->SetRange32(10, 0);
  spin_->SetPos(5);
  dialog_->Take();
  EXPECT_TRUE(Up());
  EXPECT_EQ(dialog_->Take().front(), "UDN_DELTAPOS 1003 pos=5 delta=-1");
  EXPECT_EQ(spin_->GetPos(), 4);

  // A buddy without a number of the range: an error, and the position stays.
  buddy_->SetWindowText(L"");
  BOOL error = FALSE;
  EXPECT_EQ(spin_->GetPos32(&error), 4);
  EXPECT_TRUE(error);
  // SetPos keeps within the range.
  EXPECT_EQ(spin_->SetPos(99), 4);
  EXPECT_EQ(spin_->GetPos(), 10);
}

// Positions of four digits show the thousands separator of the thread's language unless
// UDS_NOTHOUSANDS, and read back with it.
TEST_F(SpinButtonCtrlTest, ThousandsSeparatorFollowsTheLanguage) {
  spin_->SetRange32(-5000, 5000);
  spin_->SetPos(1234);
  EXPECT_EQ(buddy_->GetWindowText(), L"1,234");
  EXPECT_EQ(spin_->GetPos(), 1234);
  spin_->SetPos(-4321);
  EXPECT_EQ(buddy_->GetWindowText(), L"-4,321");
  SetThreadLocale(LOCALE_GERMAN);
  spin_->SetPos(2345);
  EXPECT_EQ(buddy_->GetWindowText(), L"2.345");
  EXPECT_EQ(spin_->GetPos(), 2345);
  spin_->ModifyStyle(0, UDS_NOTHOUSANDS);
  spin_->SetPos(3456);
  EXPECT_EQ(buddy_->GetWindowText(), L"3456");
}

}  // namespace
}  // namespace pw::test
