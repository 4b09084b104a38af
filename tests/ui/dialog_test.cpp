// Tests of CDialog: templates by language, modal results, nesting, the owner, worker
// messages, modeless and child dialogs, the default button and dialog keys.
#include "platform/ui/dialog.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "platform/com/strings.h"
#include "platform/ui/animate_ctrl.h"
#include "platform/ui/button.h"
#include "platform/ui/combo_box_ex.h"
#include "platform/ui/edit.h"
#include "platform/ui/list_ctrl.h"
#include "platform/ui/scroll_bar.h"
#include "platform/ui/spin_button_ctrl.h"
#include "platform/ui/static_ctrl.h"
#include "platform/ui/ui_input.h"
#include "platform/win/message_queue.h"
#include "tests/ui/ui_test_fixture.h"

namespace pw::test {
namespace {

using DialogTest = UiTest;

// The template's controls become objects of the right classes with the styles the resource
// compiler recorded, in template order; the caption and font come along.
TEST_F(DialogTest, BuildsControlsFromTheTemplate) {
  std::unique_ptr<RecordingDialog> dialog = ShowModeless(IDD_EVERYTHING);
  EXPECT_EQ(dialog->GetWindowText(), L"Every Control");
  EXPECT_EQ(dialog->GetFontName(), L"MS Shell Dlg");
  EXPECT_EQ(dialog->GetFontSize(), 8);
  EXPECT_EQ(dialog->GetClassName(), L"#32770");
  EXPECT_EQ(dialog->GetStyle() & (WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | DS_SETFONT),
            WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | DS_SETFONT);
  EXPECT_EQ(dialog->GetExStyle(), WS_EX_CONTROLPARENT);

  EXPECT_EQ(dialog->GetDlgItem<CEdit>(IDC_NAME)->GetStyle(),
            WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL);
  EXPECT_EQ(dialog->GetDlgItem<CEdit>(IDC_READONLY)->GetStyle(),
            WS_CHILD | WS_VISIBLE | WS_BORDER | ES_READONLY);
  EXPECT_TRUE(dialog->GetDlgItem<CButton>(IDC_NETWORKS)->IsRadioButton());
  EXPECT_EQ(dialog->GetDlgItem<CButton>(IDOK)->GetStyle(),
            WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON);
  EXPECT_EQ(dialog->GetDlgItem<CButton>(IDOK)->GetWindowText(), L"OK");
  EXPECT_TRUE(dialog->GetDlgItem<CListCtrl>(IDC_USERS)->IsOwnerData());
  EXPECT_TRUE(dialog->GetDlgItem<CListCtrl>(IDC_ROWS)->IsSingleSelection());
  EXPECT_TRUE(dialog->GetDlgItem<CStatic>(IDC_SEPARATOR)->IsSeparator());
  EXPECT_TRUE(dialog->GetDlgItem<CScrollBar>(IDC_GRIP)->IsSizeGrip());
  EXPECT_EQ(dialog->GetDlgItem<CComboBoxEx>(IDC_TYPES)->GetClassName(), L"ComboBoxEx32");
  EXPECT_EQ(dialog->GetDlgItem<CSpinButtonCtrl>(IDC_NUMBER_SPIN)->GetBuddy(),
            dialog->GetDlgItem(IDC_NUMBER));

  CStatic* icon = dialog->GetDlgItem<CStatic>(IDC_ICON);
  EXPECT_TRUE(icon->IsIcon());
  EXPECT_EQ(icon->GetIconId(), IDI_DOCUMENT);
  ASSERT_NE(icon->GetIcon(), nullptr);
  EXPECT_EQ(pw::IconPixels(icon->GetIcon())->width, 4);

  RECT rect;
  dialog->GetDlgItem(IDC_NAME)->GetWindowRect(&rect);
  EXPECT_EQ(rect.left, 50);
  EXPECT_EQ(rect.top, 7);
  EXPECT_EQ(rect.right, 150);
  EXPECT_EQ(rect.bottom, 21);
  // Children in template order: the first three are the label, the edit and the next label.
  ASSERT_GE(dialog->GetChildren().size(), 3u);
  EXPECT_EQ(dialog->GetChildren()[0]->GetDlgCtrlID(), IDC_STATIC);
  EXPECT_EQ(dialog->GetChildren()[1]->GetDlgCtrlID(), static_cast<int>(IDC_NAME));
  dialog->DestroyWindow();
}

// The thread's language picks the template; every control keeps its id in both languages.
TEST_F(DialogTest, ChoosesTheTemplateByThreadLanguage) {
  SetThreadLocale(LOCALE_GERMAN);
  std::unique_ptr<RecordingDialog> german = ShowModeless(IDD_SMALL);
  EXPECT_EQ(german->GetWindowText(), L"Klein");
  EXPECT_EQ(german->GetDlgItemText(IDC_MESSAGE), L"Einen \"Namen\" eingeben:");
  EXPECT_EQ(german->GetDlgItemText(IDCANCEL), L"Abbrechen");
  german->DestroyWindow();

  SetThreadLocale(LOCALE_ENGLISH_US);
  std::unique_ptr<RecordingDialog> english = ShowModeless(IDD_SMALL);
  EXPECT_EQ(english->GetWindowText(), L"Small");
  EXPECT_EQ(english->GetDlgItemText(IDC_MESSAGE), L"Enter a \"name\":");
  EXPECT_EQ(english->GetDlgItemText(IDCANCEL), L"Cancel");
  english->DestroyWindow();

  // Another thread keeps its own language.
  SetThreadLocale(LOCALE_GERMAN);
  std::wstring caption_elsewhere;
  std::thread other([&] {
    RecordingDialog dialog(IDD_SMALL);
    ASSERT_TRUE(dialog.Create());
    caption_elsewhere = dialog.GetWindowText();
    dialog.DestroyWindow();
  });
  other.join();
  EXPECT_EQ(caption_elsewhere, L"Small");
}

// DoModal answers the code of the button that ended the dialog, after the window is gone;
// the host saw it created and destroyed.
TEST_F(DialogTest, DoModalAnswersTheEndCode) {
  host_.ExpectDialog(IDD_SMALL, [](DialogDriver& d) {
    EXPECT_EQ(d.Caption(), L"Small");
    d.Type(IDC_NAME, L"FAXSRV");
    d.Click(IDOK);
  });
  RecordingDialog dialog(IDD_SMALL);
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.GetSafeHwnd(), nullptr);
  EXPECT_TRUE(dialog.destroyed);
  EXPECT_EQ(host_.window_log().front(), L"created Small");
  EXPECT_EQ(host_.window_log().back(), L"destroyed Small");

  host_.ExpectDialog(L"Small", [](DialogDriver& d) { d.Click(IDCANCEL); });
  RecordingDialog cancelled(IDD_SMALL);
  EXPECT_EQ(cancelled.DoModal(), IDCANCEL);

  // A template that does not exist answers -1 without a window.
  RecordingDialog missing(4242);
  EXPECT_EQ(missing.DoModal(), -1);
  EXPECT_EQ(host_.modal_windows().size(), 2u);
}

// A dialog that ends itself in OnInitDialog is never shown: the host runs no loop for it and
// is not told about it; DoModal answers the code.
TEST_F(DialogTest, EndDialogFromOnInitDialogNeverShows) {
  RecordingDialog dialog(IDD_SMALL);
  dialog.on_init = [](RecordingDialog& self) {
    self.EndDialog(IDNO);
    return TRUE;
  };
  EXPECT_EQ(dialog.DoModal(), IDNO);
  EXPECT_TRUE(host_.modal_windows().empty());
  EXPECT_TRUE(host_.window_log().empty());
  EXPECT_EQ(dialog.events, (std::vector<std::string>{"WM_INITDIALOG", "WM_DESTROY"}));
}

// A modal dialog opened from a modal dialog disables its owner meanwhile; input to the owner
// is refused until the nested dialog ends, and the results arrive in order.
TEST_F(DialogTest, NestedModalDialogsDisableTheirOwner) {
  RecordingDialog outer(IDD_EVERYTHING);
  INT_PTR inner_result = 0;
  bool owner_disabled_meanwhile = false;
  bool owner_input_refused = false;
  outer.on_command = [&](RecordingDialog& self, int id, UINT code) {
    if (id != static_cast<int>(IDC_NESTED) || code != BN_CLICKED) return;
    RecordingDialog inner(IDD_SMALL, &self);
    inner.on_init = [&](RecordingDialog& nested) {
      owner_disabled_meanwhile = !self.IsWindowEnabled();
      owner_input_refused = !pw::ui::ClickButton(self.GetDlgItem(IDOK)->GetSafeHwnd());
      EXPECT_EQ(nested.GetOwner(), &self);
      return TRUE;
    };
    inner_result = inner.DoModal();
  };
  host_.ExpectDialog(IDD_EVERYTHING, [](DialogDriver& d) {
    d.Click(IDC_NESTED);
    EXPECT_TRUE(d.wnd().IsWindowEnabled());
    d.Click(IDOK);
  });
  host_.ExpectDialog(IDD_SMALL, [](DialogDriver& d) { d.Click(IDCANCEL); });
  EXPECT_EQ(outer.DoModal(), IDOK);
  EXPECT_EQ(inner_result, IDCANCEL);
  EXPECT_TRUE(owner_disabled_meanwhile);
  EXPECT_TRUE(owner_input_refused);
  EXPECT_EQ(host_.modal_windows(), (std::vector<std::wstring>{L"Every Control", L"Small"}));
}

// The CPleaseWait pattern: OnInitDialog starts a worker thread, which posts WM_USER + 100 to
// the dialog; the message arrives on the dialog's own thread and ends it.
TEST_F(DialogTest, WorkerThreadPostEndsTheDialog) {
  const DWORD dialog_thread = GetCurrentThreadId();
  std::atomic<DWORD> handled_on{0};
  std::atomic<int> lookup_result{0};
  std::thread worker;
  HWND target = nullptr;
  RecordingDialog dialog(IDD_WAIT);
  dialog.on_init = [&](RecordingDialog& self) {
    self.GetDlgItem<CAnimateCtrl>(IDC_ANIMATION)->Play(0, 0xFFFF, static_cast<UINT>(-1));
    target = self.GetSafeHwnd();
    worker = pw::MessageQueue::Current().StartWorker([target = target, &lookup_result] {
      lookup_result = 5;
      EXPECT_TRUE(::PostMessage(target, WM_USER + 100, 0, 0));
    });
    return TRUE;
  };
  dialog.on_message = [&](RecordingDialog& self, UINT message, WPARAM, LPARAM) -> LRESULT {
    if (message == WM_USER + 100) {
      handled_on = GetCurrentThreadId();
      self.EndDialog(IDOK);
    }
    return 0;
  };
  host_.ExpectDialog(IDD_WAIT);
  EXPECT_EQ(dialog.DoModal(), IDOK);
  worker.join();
  EXPECT_EQ(handled_on.load(), dialog_thread);
  EXPECT_EQ(lookup_result.load(), 5);
  // After the dialog is gone, a post to its handle fails cleanly.
  EXPECT_FALSE(::PostMessage(target, WM_USER + 100, 0, 0));
}

// Enter presses the default button, Escape is Cancel, the close box is Cancel; a disabled
// default or Cancel button refuses the key.
TEST_F(DialogTest, DialogKeysEndThroughTheButtons) {
  host_.ExpectDialog(IDD_SMALL, [](DialogDriver& d) { d.Enter(); });
  EXPECT_EQ(RecordingDialog(IDD_SMALL).DoModal(), IDOK);
  host_.ExpectDialog(IDD_SMALL, [](DialogDriver& d) { d.Escape(); });
  EXPECT_EQ(RecordingDialog(IDD_SMALL).DoModal(), IDCANCEL);
  host_.ExpectDialog(IDD_SMALL, [](DialogDriver& d) { d.Close(); });
  EXPECT_EQ(RecordingDialog(IDD_SMALL).DoModal(), IDCANCEL);

  host_.ExpectDialog(IDD_SMALL, [](DialogDriver& d) {
    d.wnd().GetDlgItem(IDOK)->EnableWindow(FALSE);
    EXPECT_FALSE(pw::ui::PressEnter(d.window()));
    EXPECT_EQ(pw::ui::LastRefusal(), "the default button is disabled");
    d.wnd().GetDlgItem(IDCANCEL)->EnableWindow(FALSE);
    EXPECT_FALSE(pw::ui::PressEscape(d.window()));
    // Enter on a focused push button presses that button, whatever the default is.
    d.wnd().GetDlgItem(IDCANCEL)->EnableWindow(TRUE);
    d.wnd().GetDlgItem(IDCANCEL)->SetFocus();
    d.Enter();
  });
  EXPECT_EQ(RecordingDialog(IDD_SMALL).DoModal(), IDCANCEL);
}

// SetDefID moves the default button and its look; Enter follows it.
TEST_F(DialogTest, DefaultButtonMoves) {
  std::unique_ptr<RecordingDialog> dialog = ShowModeless(IDD_SMALL);
  EXPECT_EQ(dialog->GetDefID(), static_cast<DWORD>(MAKELONG(IDOK, DC_HASDEFID)));
  dialog->SetDefID(IDCANCEL);
  EXPECT_EQ(LOWORD(dialog->SendMessage(DM_GETDEFID)), IDCANCEL);
  EXPECT_FALSE(dialog->GetDlgItem<CButton>(IDOK)->IsDefault());
  EXPECT_TRUE(dialog->GetDlgItem<CButton>(IDCANCEL)->IsDefault());
  dialog->GetDlgItem(IDC_NAME)->SetFocus();
  dialog->Take();
  EXPECT_TRUE(pw::ui::PressEnter(dialog->GetSafeHwnd()));
  // Cancel hides the modeless dialog, which takes the focus away from its control.
  EXPECT_EQ(dialog->Take(), (std::vector<std::string>{"BN_CLICKED 2", "EN_KILLFOCUS 1001"}));
  dialog->DestroyWindow();
}

// The initial focus is the first tab stop, an edit with its text selected; Tab and Shift+Tab
// walk the tab stops with kill-focus before set-focus, skipping disabled and read-only-
// without-tabstop controls, and enter a radio group at its checked button.
TEST_F(DialogTest, FocusStartsAtTheFirstTabStopAndTabWalks) {
  std::unique_ptr<RecordingDialog> dialog = std::make_unique<RecordingDialog>(IDD_EVERYTHING);
  dialog->on_init = [](RecordingDialog& self) {
    self.SetDlgItemText(IDC_NAME, L"FAXSRV");
    self.CheckRadioButton(IDC_NETWORKS, IDC_OTHER, IDC_SMTP);
    return TRUE;
  };
  ASSERT_TRUE(dialog->Create());
  dialog->ShowWindow(SW_SHOW);
  const HWND window = dialog->GetSafeHwnd();
  EXPECT_EQ(CWnd::GetFocus(), dialog->GetDlgItem(IDC_NAME));
  int start = 0;
  int end = 0;
  dialog->GetDlgItem<CEdit>(IDC_NAME)->GetSel(start, end);
  EXPECT_EQ(start, 0);
  EXPECT_EQ(end, 6);
  dialog->Take();

  EXPECT_TRUE(pw::ui::PressTab(window));
  EXPECT_EQ(CWnd::GetFocus()->GetDlgCtrlID(), static_cast<int>(IDC_NUMBER));
  EXPECT_EQ(dialog->Take(), (std::vector<std::string>{"EN_KILLFOCUS 1001", "EN_SETFOCUS 1002"}));
  EXPECT_TRUE(pw::ui::PressTab(window));  // the spin control is no tab stop
  EXPECT_EQ(CWnd::GetFocus()->GetDlgCtrlID(), static_cast<int>(IDC_NOTES));
  EXPECT_TRUE(pw::ui::PressTab(window));  // read-only without WS_TABSTOP, disabled: skipped
  EXPECT_EQ(CWnd::GetFocus()->GetDlgCtrlID(), static_cast<int>(IDC_LIMITED));
  EXPECT_TRUE(pw::ui::PressTab(window));
  EXPECT_EQ(CWnd::GetFocus()->GetDlgCtrlID(), static_cast<int>(IDC_SMTP));
  EXPECT_TRUE(pw::ui::PressTab(window, true));
  EXPECT_EQ(CWnd::GetFocus()->GetDlgCtrlID(), static_cast<int>(IDC_LIMITED));
  dialog->DestroyWindow();
}

// A template with WS_CHILD becomes a child dialog inside its parent, as a property page
// lives inside its sheet: found by id, destroyed with the parent, the object left alive.
TEST_F(DialogTest, ChildDialogLivesInsideItsParent) {
  std::unique_ptr<RecordingDialog> parent = ShowModeless(IDD_EVERYTHING);
  RecordingDialog page(IDD_PAGE);
  ASSERT_TRUE(page.Create(IDD_PAGE, parent.get()));
  EXPECT_FALSE(page.IsTopLevel());
  EXPECT_EQ(page.GetParent(), parent.get());
  EXPECT_EQ(parent->GetDlgItem(IDD_PAGE), &page);
  EXPECT_EQ(page.GetTopLevelParent(), parent.get());
  EXPECT_EQ(page.GetWindowText(), L"General");
  EXPECT_FALSE(page.IsWindowVisible());  // the sheet shows the page it activates
  page.ShowWindow(SW_SHOW);
  EXPECT_TRUE(pw::ui::TypeText(page.GetDlgItem(IDC_NAME)->GetSafeHwnd(), L"x"));
  EXPECT_EQ(page.Take(), (std::vector<std::string>{"WM_INITDIALOG", "EN_SETFOCUS 1001",
                                                   "EN_UPDATE 1001", "EN_CHANGE 1001"}));
  // The page's window goes with the parent's, after the parent's WM_DESTROY.
  parent->DestroyWindow();
  EXPECT_TRUE(page.destroyed);
  EXPECT_EQ(page.GetSafeHwnd(), nullptr);
  EXPECT_EQ(parent->events.back(), "WM_DESTROY");
}

// A handler table routes commands and notifications to member functions; the derived
// class's entries come before its base's, and IDOK/IDCANCEL reach OnOK/OnCancel otherwise.
class TableDialog : public CDialog {
 public:
  TableDialog() : CDialog(IDD_SMALL) {}
  std::vector<std::string> calls;

 protected:
  const pw::ui::MessageMap* GetMessageMap() const override {
    static const pw::ui::MessageMap map(
        CDialog::GetMessageMap(),
        {
            pw::ui::MapCommand(IDC_NAME, EN_CHANGE, &TableDialog::OnNameChanged),
            pw::ui::MapCommand(IDCANCEL, BN_CLICKED, &TableDialog::OnCancelClicked),
            pw::ui::MapMessage(WM_USER + 7, &TableDialog::OnPrivate),
        });
    return &map;
  }
  void OnOK() override {
    calls.push_back("OnOK");
    CDialog::OnOK();
  }

 private:
  void OnNameChanged() { calls.push_back("name " + pw::ToUtf8(GetDlgItemText(IDC_NAME))); }
  void OnCancelClicked() { calls.push_back("cancel refused"); }
  LRESULT OnPrivate(WPARAM w_param, LPARAM) {
    calls.push_back("private " + std::to_string(w_param));
    return 77;
  }
};

// See TableDialog.
TEST_F(DialogTest, MessageMapRoutesToMembers) {
  host_.ExpectDialog(IDD_SMALL, [](DialogDriver& d) {
    d.Type(IDC_NAME, L"ab");
    d.Click(IDCANCEL);  // handled by the table: the dialog stays
    EXPECT_EQ(d.wnd().SendMessage(WM_USER + 7, 3), 77);
    d.Click(IDOK);
  });
  TableDialog dialog;
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.calls,
            (std::vector<std::string>{"name ab", "cancel refused", "private 3", "OnOK"}));
}

// A dialog destroyed by its own handler (a modeless dialog closing itself) is deleted only
// after the handling is over, and posts to it then fail.
TEST_F(DialogTest, ModelessDialogDestroyedByItsHandler) {
  auto dialog = ShowModeless(IDD_SMALL);
  const HWND window = dialog->GetSafeHwnd();
  const HWND edit = dialog->GetDlgItem(IDC_NAME)->GetSafeHwnd();
  dialog->on_command = [](RecordingDialog& self, int id, UINT code) {
    if (id == IDOK && code == BN_CLICKED) self.DestroyWindow();
  };
  EXPECT_TRUE(pw::ui::ClickButton(dialog->GetDlgItem(IDOK)->GetSafeHwnd()));
  EXPECT_FALSE(IsWindow(window));
  EXPECT_FALSE(IsWindow(edit));
  EXPECT_EQ(CWnd::FromHandle(edit), nullptr);
  EXPECT_TRUE(dialog->destroyed);
  EXPECT_FALSE(pw::ui::ClickButton(edit));
  EXPECT_EQ(pw::ui::LastRefusal(), "the window does not exist");
  EXPECT_EQ(host_.window_log().back(), L"destroyed Small");
}

}  // namespace
}  // namespace pw::test
