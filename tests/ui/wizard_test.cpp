// Tests of property sheets in wizard mode: the Back, Next and Finish buttons as the pages set
// them, navigation with the pages' answers, Finish and Cancel.
#include <gtest/gtest.h>

#include "platform/ui/property_page.h"
#include "platform/ui/property_sheet.h"
#include "platform/ui/sheet_input.h"
#include "platform/ui/ui_input.h"
#include "tests/ui/sheet_test_fixture.h"

namespace pw::test {
namespace {

using Log = std::vector<std::string>;

// A three-page wizard whose pages set the buttons a wizard usually shows.
class WizardTest : public SheetTest {
 protected:
  WizardTest()
      : welcome_("Welcome", IDD_WIZARD_WELCOME, &log_),
        name_("Name", IDD_WIZARD_NAME, &log_),
        done_("Done", IDD_WIZARD_DONE, &log_),
        wizard_(L"New Server") {
    welcome_.wizard_buttons = PSWIZB_NEXT;
    name_.wizard_buttons = PSWIZB_BACK | PSWIZB_NEXT;
    done_.wizard_buttons = PSWIZB_BACK | PSWIZB_FINISH;
    wizard_.AddPage(&welcome_);
    wizard_.AddPage(&name_);
    wizard_.AddPage(&done_);
    wizard_.SetWizardMode();
  }

  HWND window() const { return wizard_.GetSafeHwnd(); }

  RecordingPage welcome_;
  RecordingPage name_;
  RecordingPage done_;
  CPropertySheet wizard_;
};

// Next and Back go to the neighbour, to the page whose template id a page answers, or
// nowhere with -1; Finish ends the wizard with ID_WIZFINISH. Every move asks the current
// page to leave after its wizard notification.
TEST_F(WizardTest, NavigatesByThePagesAnswers) {
  welcome_.next_answer = IDD_WIZARD_DONE;
  host_.ExpectDialog(L"New Server", [&](DialogDriver& driver) {
    EXPECT_EQ(TakeLog(), (Log{"Welcome init", "Welcome set-active"}));
    EXPECT_FALSE(pw::ui::PressWizardBack(driver.window()));
    EXPECT_EQ(pw::ui::LastRefusal(), "control 12323 is disabled");

    EXPECT_TRUE(pw::ui::PressWizardNext(driver.window()));
    EXPECT_EQ(TakeLog(),
              (Log{"Welcome wizard-next", "Welcome kill-active", "Done init", "Done set-active"}));
    EXPECT_FALSE(wizard_.IsPageCreated(1)) << "the jump passed the Name page by";

    EXPECT_TRUE(pw::ui::PressWizardBack(driver.window()));
    EXPECT_EQ(TakeLog(),
              (Log{"Done wizard-back", "Done kill-active", "Name init", "Name set-active"}));
    EXPECT_EQ(wizard_.GetActiveIndex(), 1);

    name_.next_answer = -1;
    EXPECT_TRUE(pw::ui::PressWizardNext(driver.window()));
    EXPECT_EQ(TakeLog(), (Log{"Name wizard-next"}));
    EXPECT_EQ(wizard_.GetActiveIndex(), 1);
    name_.next_answer = 0;
    name_.kill_active_answer = FALSE;
    EXPECT_TRUE(pw::ui::PressWizardNext(driver.window()));
    EXPECT_EQ(TakeLog(), (Log{"Name wizard-next", "Name kill-active"}));
    EXPECT_EQ(wizard_.GetActiveIndex(), 1);
    name_.kill_active_answer = TRUE;
    EXPECT_TRUE(pw::ui::PressWizardNext(driver.window()));
    EXPECT_EQ(TakeLog(), (Log{"Name wizard-next", "Name kill-active", "Done set-active"}));
    EXPECT_TRUE(pw::ui::PressWizardFinish(driver.window()));
  });
  EXPECT_EQ(wizard_.DoModal(), ID_WIZFINISH);
  EXPECT_EQ(TakeLog(),
            (Log{"Done wizard-finish", "Welcome destroy", "Name destroy", "Done destroy"}));
}

// The buttons follow SetWizardButtons: Back and Next enabled by their flags, Finish in
// Next's place with PSWIZB_FINISH (disabled with PSWIZB_DISABLEDFINISH), the default button
// an enabled one; the tabs are hidden.
TEST_F(WizardTest, ShowsTheButtonsThePagesSet) {
  ASSERT_TRUE(wizard_.Create());
  EXPECT_EQ(
      DescribeButtons(wizard_),
      (Log{"12323 < &Back visible disabled", "12324 &Next > visible enabled default",
           "12325 Finish hidden disabled", "2 Cancel visible enabled", "9 Help hidden enabled"}));
  EXPECT_FALSE(wizard_.GetTabControl()->IsWindowVisible());
  EXPECT_FALSE(pw::ui::SelectSheetTab(window(), 1));
  EXPECT_EQ(pw::ui::LastRefusal(), "control 12320 is hidden");

  EXPECT_TRUE(pw::ui::ClickToFocus(wizard_.GetDlgItem(ID_WIZNEXT)->GetSafeHwnd()));
  wizard_.SetWizardButtons(PSWIZB_BACK | PSWIZB_DISABLEDFINISH);
  ASSERT_NE(CWnd::GetFocus(), nullptr);
  EXPECT_EQ(CWnd::GetFocus()->GetDlgCtrlID(), ID_WIZBACK) << "the hidden Next lost the focus";
  EXPECT_EQ(
      DescribeButtons(wizard_),
      (Log{"12323 < &Back visible enabled default", "12324 &Next > hidden disabled",
           "12325 Finish visible disabled", "2 Cancel visible enabled", "9 Help hidden enabled"}));
  EXPECT_FALSE(pw::ui::PressWizardFinish(window()));
  EXPECT_EQ(pw::ui::LastRefusal(), "control 12325 is disabled");
  EXPECT_FALSE(pw::ui::PressWizardNext(window()));

  wizard_.SetWizardButtons(PSWIZB_FINISH);
  EXPECT_EQ(DescribeButtons(wizard_),
            (Log{"12323 < &Back visible disabled", "12324 &Next > hidden disabled",
                 "12325 Finish visible enabled default", "2 Cancel visible enabled",
                 "9 Help hidden enabled"}));
  wizard_.SetWizardButtons(0);
  EXPECT_EQ(DescribeButtons(wizard_),
            (Log{"12323 < &Back visible disabled", "12324 &Next > visible disabled",
                 "12325 Finish hidden disabled", "2 Cancel visible enabled default",
                 "9 Help hidden enabled"}));
  EXPECT_EQ(CWnd::GetFocus()->GetDlgCtrlID(), IDCANCEL) << "the disabled Back lost the focus";
  wizard_.SetFinishText(L"Done");
  EXPECT_EQ(DescribeButtons(wizard_),
            (Log{"12323 < &Back hidden disabled", "12324 &Next > hidden disabled",
                 "12325 Done visible enabled default", "2 Cancel visible enabled",
                 "9 Help hidden enabled"}));
  TakeLog();
  EXPECT_TRUE(pw::ui::PressWizardFinish(window()));
  EXPECT_EQ(TakeLog(), (Log{"Welcome wizard-finish", "Welcome destroy"}));
  EXPECT_EQ(wizard_.GetResult(), ID_WIZFINISH);
}

// With PSH_WIZARDHASFINISH the Finish button has a place of its own beside Next.
TEST_F(WizardTest, HasFinishShowsFinishBesideNext) {
  wizard_.m_psh.dwFlags |= PSH_WIZARDHASFINISH;
  ASSERT_TRUE(wizard_.Create());
  EXPECT_EQ(DescribeButtons(wizard_),
            (Log{"12323 < &Back visible disabled", "12324 &Next > visible enabled",
                 "12325 Finish visible enabled default", "2 Cancel visible enabled",
                 "9 Help hidden enabled"}));
  RECT next;
  RECT finish;
  wizard_.GetDlgItem(ID_WIZNEXT)->GetWindowRect(&next);
  wizard_.GetDlgItem(ID_WIZFINISH)->GetWindowRect(&finish);
  EXPECT_LT(next.right, finish.left);
  wizard_.DestroyWindow();
}

// A page refusing to be activated is passed by in the direction of the move.
TEST_F(WizardTest, SkipsPagesThatRefuseActivation) {
  name_.set_active_answer = FALSE;
  ASSERT_TRUE(wizard_.Create());
  TakeLog();
  EXPECT_TRUE(pw::ui::PressWizardNext(window()));
  EXPECT_EQ(TakeLog(), (Log{"Welcome wizard-next", "Welcome kill-active", "Name init",
                            "Name set-active", "Done init", "Done set-active"}));
  EXPECT_EQ(wizard_.GetActivePage(), &done_);
  EXPECT_FALSE(name_.IsWindowVisible());
  EXPECT_TRUE(pw::ui::PressWizardBack(window()));
  EXPECT_EQ(TakeLog(),
            (Log{"Done wizard-back", "Done kill-active", "Name set-active", "Welcome set-active"}));
  EXPECT_EQ(wizard_.GetActivePage(), &welcome_);
  wizard_.DestroyWindow();
}

// A refused Finish keeps the wizard open; Cancel asks the current page, then resets and
// destroys every page that was made.
TEST_F(WizardTest, FinishRefusalAndCancel) {
  done_.finish_answer = FALSE;
  welcome_.next_answer = IDD_WIZARD_DONE;
  host_.ExpectDialog(L"New Server", [&](DialogDriver& driver) {
    EXPECT_TRUE(pw::ui::PressWizardNext(driver.window()));
    TakeLog();
    EXPECT_TRUE(pw::ui::PressWizardFinish(driver.window()));
    EXPECT_EQ(TakeLog(), (Log{"Done wizard-finish"}));
    EXPECT_TRUE(wizard_.ContinueModal());
    EXPECT_TRUE(pw::ui::PressSheetCancel(driver.window()));
  });
  EXPECT_EQ(wizard_.DoModal(), IDCANCEL);
  EXPECT_EQ(TakeLog(), (Log{"Done query-cancel", "Welcome reset", "Done reset", "Welcome destroy",
                            "Done destroy"}));
}

}  // namespace
}  // namespace pw::test
