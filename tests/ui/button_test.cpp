// Tests of CButton and clicks: radio groups, check boxes of two and three states, and the
// notifications a click raises.
#include "platform/ui/button.h"

#include <gtest/gtest.h>

#include "platform/ui/ui_input.h"
#include "tests/ui/ui_test_fixture.h"

namespace pw::test {
namespace {

using Events = std::vector<std::string>;

class ButtonTest : public UiTest {
 protected:
  void SetUp() override { dialog_ = ShowModeless(IDD_EVERYTHING); }
  void TearDown() override { dialog_->DestroyWindow(); }

  bool Click(UINT id) { return pw::ui::ClickButton(dialog_->GetDlgItem(id)->GetSafeHwnd()); }
  int Check(UINT id) { return dialog_->GetDlgItem<CButton>(id)->GetCheck(); }

  std::unique_ptr<RecordingDialog> dialog_;
};

// Checking one automatic radio button unchecks the others of its WS_GROUP run and only
// those; the click moves the focus, then sends BN_CLICKED (nothing for the unchecked ones).
TEST_F(ButtonTest, RadioButtonsOfOneGroup) {
  dialog_->CheckRadioButton(IDC_SECOND_A, IDC_SECOND_B, IDC_SECOND_B);
  dialog_->CheckRadioButton(IDC_NETWORKS, IDC_OTHER, IDC_NETWORKS);
  EXPECT_EQ(dialog_->GetCheckedRadioButton(IDC_NETWORKS, IDC_OTHER),
            static_cast<int>(IDC_NETWORKS));

  EXPECT_TRUE(Click(IDC_OTHER));
  EXPECT_EQ(dialog_->Take(), (Events{"EN_KILLFOCUS 1001", "BN_CLICKED 1008"}));
  EXPECT_EQ(Check(IDC_NETWORKS), BST_UNCHECKED);
  EXPECT_EQ(Check(IDC_SMTP), BST_UNCHECKED);
  EXPECT_EQ(Check(IDC_OTHER), BST_CHECKED);
  // The next group is untouched.
  EXPECT_EQ(Check(IDC_SECOND_B), BST_CHECKED);

  // A disabled member of the group still loses its check.
  dialog_->CheckDlgButton(IDC_SMTP, BST_CHECKED);
  dialog_->GetDlgItem(IDC_SMTP)->EnableWindow(FALSE);
  EXPECT_TRUE(Click(IDC_NETWORKS));
  EXPECT_EQ(Check(IDC_SMTP), BST_UNCHECKED);
  EXPECT_EQ(Check(IDC_OTHER), BST_UNCHECKED);
  EXPECT_EQ(Check(IDC_NETWORKS), BST_CHECKED);
  // ...and cannot be clicked.
  EXPECT_FALSE(Click(IDC_SMTP));
  EXPECT_EQ(Check(IDC_NETWORKS), BST_CHECKED);

  EXPECT_TRUE(Click(IDC_SECOND_A));
  EXPECT_EQ(Check(IDC_SECOND_A), BST_CHECKED);
  EXPECT_EQ(Check(IDC_SECOND_B), BST_UNCHECKED);
  EXPECT_EQ(Check(IDC_NETWORKS), BST_CHECKED);
}

// An automatic check box toggles; a three-state one cycles unchecked, checked,
// indeterminate; BN_CLICKED follows each change; SetCheck from code notifies nothing.
TEST_F(ButtonTest, CheckBoxesToggleAndCycle) {
  EXPECT_TRUE(Click(IDC_FORCE));
  EXPECT_EQ(Check(IDC_FORCE), BST_CHECKED);
  EXPECT_TRUE(Click(IDC_FORCE));
  EXPECT_EQ(Check(IDC_FORCE), BST_UNCHECKED);
  EXPECT_EQ(dialog_->Take(), (Events{"EN_KILLFOCUS 1001", "BN_CLICKED 1011", "BN_CLICKED 1011"}));

  std::vector<int> states;
  for (int i = 0; i < 4; ++i) {
    EXPECT_TRUE(Click(IDC_MAYBE));
    states.push_back(Check(IDC_MAYBE));
  }
  EXPECT_EQ(states, (std::vector<int>{BST_CHECKED, BST_INDETERMINATE, BST_UNCHECKED, BST_CHECKED}));

  dialog_->Take();
  dialog_->GetDlgItem<CButton>(IDC_FORCE)->SetCheck(BST_CHECKED);
  // Two-state boxes take "indeterminate" as checked.
  dialog_->GetDlgItem<CButton>(IDC_FORCE)->SetCheck(BST_INDETERMINATE);
  EXPECT_EQ(Check(IDC_FORCE), BST_CHECKED);
  EXPECT_EQ(dialog_->IsDlgButtonChecked(IDC_FORCE), static_cast<UINT>(BST_CHECKED));
  EXPECT_TRUE(dialog_->Take().empty());
}

// A group box and a static are not clickable; a hidden button refuses the click.
TEST_F(ButtonTest, WhatCannotBeClicked) {
  CWnd* group_box = nullptr;
  for (CWnd* child : dialog_->GetChildren()) {
    auto* button = dynamic_cast<CButton*>(child);
    if (button != nullptr && button->IsGroupBox()) group_box = child;
  }
  ASSERT_NE(group_box, nullptr);
  EXPECT_FALSE(pw::ui::ClickButton(group_box->GetSafeHwnd()));
  EXPECT_EQ(pw::ui::LastRefusal(), "control -1 is a group box");
  EXPECT_FALSE(pw::ui::ClickButton(dialog_->GetDlgItem(IDC_ICON)->GetSafeHwnd()));
  EXPECT_EQ(pw::ui::LastRefusal(), "control 1018 is not a button");
  dialog_->GetDlgItem(IDC_FORCE)->ShowWindow(SW_HIDE);
  EXPECT_FALSE(Click(IDC_FORCE));
  EXPECT_EQ(Check(IDC_FORCE), BST_UNCHECKED);
  EXPECT_TRUE(dialog_->Take().empty());
}

}  // namespace
}  // namespace pw::test
