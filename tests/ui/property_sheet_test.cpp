// Tests of CPropertySheet and CPropertyPage: the notifications of tabs, OK, Apply and Cancel
// in their order, refusals, page creation and handles, modeless sheets and modal dialogs on
// top of them.
#include "platform/ui/property_sheet.h"

#include <gtest/gtest.h>

#include <memory>

#include "platform/ui/edit.h"
#include "platform/ui/property_page.h"
#include "platform/ui/sheet_input.h"
#include "platform/ui/ui_input.h"
#include "platform/win/message_queue.h"
#include "tests/ui/sheet_test_fixture.h"

namespace pw::test {
namespace {

using Log = std::vector<std::string>;
using PropertySheetTest = SheetTest;

// A page that puts its own function in front of the framework's page callback, as the
// snap-in's page base does to choose the thread's language before the template loads.
class LanguagePage : public RecordingPage {
 public:
  explicit LanguagePage(std::vector<std::string>* log)
      : RecordingPage("Options", IDD_PAGE_OPTIONS, log) {
    framework_callback_ = m_psp.pfnCallback;
    m_psp.pfnCallback = &LanguagePage::Callback;
  }

  std::vector<UINT> callbacks;
  bool refuse_creation = false;

 private:
  static UINT Callback(HWND window, UINT message, PROPSHEETPAGE* description) {
    auto* page = reinterpret_cast<LanguagePage*>(description->lParam);
    page->callbacks.push_back(message);
    if (message == PSPCB_CREATE) {
      SetThreadLocale(LOCALE_GERMAN);
      if (page->refuse_creation) return 0;
    }
    return page->framework_callback_(window, message, description);
  }

  LPFNPSPCALLBACK framework_callback_ = nullptr;
};

// OK asks the current page to leave, then applies every page that was shown, in page order
// and with lParam TRUE; a page never shown gets nothing, not even a window.
TEST_F(PropertySheetTest, OkAppliesEveryVisitedPageInPageOrder) {
  RecordingPage general("General", IDD_PAGE_GENERAL, &log_, IDS_GENERAL_TAB);
  RecordingPage options("Options", IDD_PAGE_OPTIONS, &log_);
  RecordingPage users("Users", IDD_PAGE_USERS, &log_);
  CPropertySheet sheet(L"Server");
  sheet.m_psh.dwFlags |= PSH_PROPTITLE;
  sheet.AddPage(&general);
  sheet.AddPage(&options);
  sheet.AddPage(&users);

  host_.ExpectDialog(L"Server Properties", [&](DialogDriver& driver) {
    EXPECT_EQ(TakeLog(), (Log{"General init", "General set-active"}));
    EXPECT_EQ(driver.FocusId(), static_cast<int>(IDC_PAGE_NAME));
    EXPECT_TRUE(pw::ui::SelectSheetTab(driver.window(), 2));
    EXPECT_EQ(TakeLog(), (Log{"General kill-active", "Users init", "Users set-active"}));
    EXPECT_EQ(driver.FocusId(), AFX_IDC_TAB_CONTROL);
    EXPECT_EQ(sheet.GetActiveIndex(), 2);
    EXPECT_EQ(sheet.GetActivePage(), &users);
    EXPECT_EQ(sheet.GetTabControl()->GetCurSel(), 2);
    EXPECT_TRUE(sheet.IsPageCreated(0));
    EXPECT_FALSE(sheet.IsPageCreated(1));
    EXPECT_FALSE(general.IsWindowVisible());
    EXPECT_TRUE(users.IsWindowVisible());
    EXPECT_EQ(general.GetParentSheet(), &sheet);
    EXPECT_TRUE(pw::ui::PressSheetOk(driver.window()));
  });
  EXPECT_EQ(sheet.DoModal(), IDOK);
  EXPECT_EQ(TakeLog(), (Log{"Users kill-active", "General apply ok", "Users apply ok",
                            "General destroy", "Users destroy"}));
  EXPECT_EQ(sheet.GetResult(), IDOK);
  EXPECT_EQ(general.GetSafeHwnd(), nullptr);
  EXPECT_EQ(options.GetSafeHwnd(), nullptr);
}

// What a front end shows: the tabs with the pages' titles (a caption string, else the
// template's caption), the buttons, the caption, all in the thread's language; the sheet
// is as large as its largest page.
TEST_F(PropertySheetTest, ShowsTabsButtonsAndCaptionInTheThreadLanguage) {
  RecordingPage general("General", IDD_PAGE_GENERAL, &log_, IDS_GENERAL_TAB);
  RecordingPage options("Options", IDD_PAGE_OPTIONS, &log_);
  RecordingPage users("Users", IDD_PAGE_USERS, &log_);
  CPropertySheet sheet(L"Server");
  sheet.SetTitle(L"Server", PSH_PROPTITLE);
  for (RecordingPage* page : {&general, &options, &users}) sheet.AddPage(page);
  ASSERT_TRUE(sheet.Create());

  EXPECT_EQ(sheet.GetWindowText(), L"Server Properties");
  EXPECT_EQ(TabTexts(sheet), (std::vector<std::wstring>{L"General", L"Options", L"Users"}));
  EXPECT_EQ(sheet.GetPageTitle(1), L"Options");
  EXPECT_EQ(DescribeButtons(sheet),
            (Log{"1 OK visible enabled default", "2 Cancel visible enabled",
                 "12321 &Apply visible disabled", "9 Help hidden enabled"}));
  RECT page_rect;
  general.GetWindowRect(&page_rect);
  EXPECT_EQ(page_rect.left, 11);
  EXPECT_EQ(page_rect.top, 25);
  EXPECT_EQ(page_rect.right, 11 + 260);   // the widest page
  EXPECT_EQ(page_rect.bottom, 25 + 188);  // the smallest height a sheet gives its pages
  EXPECT_EQ(general.GetStyle() & (WS_CHILD | WS_CAPTION | WS_DISABLED | WS_VISIBLE),
            WS_CHILD | WS_VISIBLE);
  EXPECT_TRUE(pw::ui::PressSheetCancel(sheet.GetSafeHwnd()));

  SetThreadLocale(LOCALE_GERMAN);
  RecordingPage german_general("General", IDD_PAGE_GENERAL, &log_, IDS_GENERAL_TAB);
  RecordingPage german_options("Options", IDD_PAGE_OPTIONS, &log_);
  CPropertySheet german(L"Server");
  german.m_psh.dwFlags |= PSH_PROPTITLE | PSH_NOAPPLYNOW;
  german.AddPage(&german_general);
  german.AddPage(&german_options);
  ASSERT_TRUE(german.Create());
  EXPECT_EQ(german.GetWindowText(), L"Eigenschaften von Server");
  EXPECT_EQ(TabTexts(german), (std::vector<std::wstring>{L"Allgemein", L"Optionen"}));
  EXPECT_EQ(DescribeButtons(german),
            (Log{"1 OK visible enabled default", "2 Abbrechen visible enabled",
                 "12321 Ü&bernehmen hidden disabled", "9 Hilfe hidden enabled"}));
  EXPECT_EQ(german_general.GetDlgItemText(IDC_PAGE_FLAG), L"&Aktiviert");
  EXPECT_FALSE(pw::ui::PressSheetApply(german.GetSafeHwnd()));
  EXPECT_EQ(pw::ui::LastRefusal(), "control 12321 is hidden");
  german.DestroyWindow();
}

// Apply is enabled exactly while some page has changes it has not applied; pressing it
// applies without closing and tells the current page it is active again.
TEST_F(PropertySheetTest, ApplyIsEnabledOnlyWhileAPageIsModified) {
  RecordingPage general("General", IDD_PAGE_GENERAL, &log_, IDS_GENERAL_TAB);
  RecordingPage options("Options", IDD_PAGE_OPTIONS, &log_);
  RecordingPage users("Users", IDD_PAGE_USERS, &log_);
  CPropertySheet sheet(L"Server");
  for (RecordingPage* page : {&general, &options, &users}) sheet.AddPage(page);
  ASSERT_TRUE(sheet.Create());
  const HWND window = sheet.GetSafeHwnd();
  CWnd* apply = sheet.GetDlgItem(ID_APPLY_NOW);
  TakeLog();

  EXPECT_FALSE(pw::ui::PressSheetApply(window));
  EXPECT_EQ(pw::ui::LastRefusal(), "control 12321 is disabled");
  EXPECT_TRUE(pw::ui::TypeText(general.Control(IDC_PAGE_NAME), L"FAXSRV"));
  EXPECT_TRUE(apply->IsWindowEnabled());
  EXPECT_TRUE(sheet.IsPageModified(0));
  EXPECT_TRUE(pw::ui::SelectSheetTab(window, 1));
  EXPECT_TRUE(pw::ui::TypeText(options.Control(IDC_PAGE_NAME), L"7"));
  general.SetModified(FALSE);
  EXPECT_TRUE(apply->IsWindowEnabled()) << "Options still has changes";
  options.SetModified(FALSE);
  EXPECT_FALSE(apply->IsWindowEnabled());
  EXPECT_TRUE(pw::ui::TypeText(options.Control(IDC_PAGE_NAME), L"8"));
  EXPECT_TRUE(apply->IsWindowEnabled());
  TakeLog();

  EXPECT_TRUE(pw::ui::PressSheetApply(window));
  EXPECT_EQ(TakeLog(), (Log{"Options kill-active", "General apply now", "Options apply now",
                            "Options set-active"}));
  EXPECT_TRUE(IsWindow(window));
  EXPECT_FALSE(apply->IsWindowEnabled());
  EXPECT_FALSE(sheet.IsPageModified(1));

  // A refused apply leaves Apply enabled and the sheet on its page.
  EXPECT_TRUE(pw::ui::TypeText(options.Control(IDC_PAGE_NAME), L"9"));
  options.apply_answer = FALSE;
  TakeLog();
  EXPECT_TRUE(pw::ui::PressSheetApply(window));
  EXPECT_EQ(TakeLog(), (Log{"Options kill-active", "General apply now", "Options apply now"}));
  EXPECT_TRUE(apply->IsWindowEnabled());
  EXPECT_EQ(sheet.GetActiveIndex(), 1);
  // PSM_APPLY does what the button does.
  EXPECT_FALSE(sheet.SendMessage(PSM_APPLY));
  options.apply_answer = TRUE;
  EXPECT_TRUE(sheet.SendMessage(PSM_APPLY));
  EXPECT_FALSE(apply->IsWindowEnabled());
  TakeLog();

  EXPECT_TRUE(pw::ui::PressSheetCancel(window));
  EXPECT_EQ(TakeLog(), (Log{"Options query-cancel", "General reset", "Options reset",
                            "General destroy", "Options destroy"}));
  EXPECT_FALSE(IsWindow(window));
}

// A page that refuses to be left keeps its tab, the sheet's OK and a change from code; once
// it lets go, everything goes on.
TEST_F(PropertySheetTest, KillActiveRefusalKeepsThePage) {
  RecordingPage general("General", IDD_PAGE_GENERAL, &log_, IDS_GENERAL_TAB);
  RecordingPage options("Options", IDD_PAGE_OPTIONS, &log_);
  RecordingPage users("Users", IDD_PAGE_USERS, &log_);
  CPropertySheet sheet(L"Server");
  for (RecordingPage* page : {&general, &options, &users}) sheet.AddPage(page);
  std::vector<int> results;
  sheet.SetClosedHandler([&results](int result) { results.push_back(result); });
  ASSERT_TRUE(sheet.Create());
  const HWND window = sheet.GetSafeHwnd();
  general.kill_active_answer = FALSE;
  TakeLog();

  EXPECT_FALSE(pw::ui::SelectSheetTab(window, 1));
  EXPECT_EQ(pw::ui::LastRefusal(), "the change of tab was refused");
  EXPECT_EQ(TakeLog(), (Log{"General kill-active"}));
  EXPECT_EQ(sheet.GetActiveIndex(), 0);
  EXPECT_EQ(sheet.GetTabControl()->GetCurSel(), 0);
  EXPECT_FALSE(sheet.IsPageCreated(1));
  EXPECT_FALSE(sheet.SetActivePage(2));
  EXPECT_EQ(TakeLog(), (Log{"General kill-active"}));
  EXPECT_TRUE(pw::ui::PressSheetOk(window));
  EXPECT_EQ(TakeLog(), (Log{"General kill-active"}));
  EXPECT_TRUE(IsWindow(window));

  general.kill_active_answer = TRUE;
  EXPECT_TRUE(sheet.SetActivePage(&users));
  EXPECT_EQ(TakeLog(), (Log{"General kill-active", "Users init", "Users set-active"}));
  EXPECT_EQ(sheet.GetTabControl()->GetCurSel(), 2);
  EXPECT_TRUE(pw::ui::PressSheetOk(window));
  EXPECT_EQ(TakeLog(), (Log{"Users kill-active", "General apply ok", "Users apply ok",
                            "General destroy", "Users destroy"}));
  EXPECT_TRUE(results.empty()) << "the closed handler runs from the queue";
  EXPECT_TRUE(host_.PumpUntil([&results] { return !results.empty(); }));
  EXPECT_EQ(results, (std::vector<int>{IDOK}));
}

// Cancel asks the current page first; then every page that was made is reset and destroyed,
// also through Escape and the close box.
TEST_F(PropertySheetTest, CancelResetsAndDestroysEveryCreatedPage) {
  RecordingPage general("General", IDD_PAGE_GENERAL, &log_, IDS_GENERAL_TAB);
  RecordingPage options("Options", IDD_PAGE_OPTIONS, &log_);
  RecordingPage users("Users", IDD_PAGE_USERS, &log_);
  CPropertySheet sheet(L"Server");
  for (RecordingPage* page : {&general, &options, &users}) sheet.AddPage(page);
  host_.ExpectDialog(L"Server", [&](DialogDriver& driver) {
    EXPECT_TRUE(pw::ui::SelectSheetTab(driver.window(), 2));
    users.query_cancel_answer = FALSE;
    TakeLog();
    EXPECT_TRUE(pw::ui::PressSheetCancel(driver.window()));
    EXPECT_EQ(TakeLog(), (Log{"Users query-cancel"}));
    EXPECT_TRUE(sheet.ContinueModal());
    users.query_cancel_answer = TRUE;
    EXPECT_TRUE(pw::ui::PressEscape(driver.window()));
  });
  EXPECT_EQ(sheet.DoModal(), IDCANCEL);
  EXPECT_EQ(TakeLog(), (Log{"Users query-cancel", "General reset", "Users reset", "General destroy",
                            "Users destroy"}));

  // The same sheet and pages serve again; the close box cancels too.
  ASSERT_TRUE(sheet.Create());
  EXPECT_EQ(TakeLog(), (Log{"General init", "General set-active"}));
  EXPECT_TRUE(pw::ui::CloseWindow(sheet.GetSafeHwnd()));
  EXPECT_EQ(TakeLog(), (Log{"General query-cancel", "General reset", "General destroy"}));
  EXPECT_EQ(sheet.GetSafeHwnd(), nullptr);
  EXPECT_EQ(sheet.GetResult(), IDCANCEL);
}

// PSNRET_INVALID stops the apply and shows the page that refused (without activating it);
// PSNRET_INVALID_NOCHANGEPAGE stops it on the current page.
TEST_F(PropertySheetTest, ApplyRefusalsStopTheApply) {
  RecordingPage general("General", IDD_PAGE_GENERAL, &log_, IDS_GENERAL_TAB);
  RecordingPage options("Options", IDD_PAGE_OPTIONS, &log_);
  RecordingPage users("Users", IDD_PAGE_USERS, &log_);
  CPropertySheet sheet(L"Server");
  for (RecordingPage* page : {&general, &options, &users}) sheet.AddPage(page);
  ASSERT_TRUE(sheet.Create());
  const HWND window = sheet.GetSafeHwnd();
  EXPECT_TRUE(pw::ui::SelectSheetTab(window, 2));
  EXPECT_TRUE(pw::ui::SelectSheetTab(window, 1));
  users.apply_result = PSNRET_INVALID;
  TakeLog();

  EXPECT_TRUE(pw::ui::PressSheetOk(window));
  EXPECT_EQ(TakeLog(),
            (Log{"Options kill-active", "General apply ok", "Options apply ok", "Users apply ok"}));
  EXPECT_TRUE(IsWindow(window));
  EXPECT_EQ(sheet.GetActiveIndex(), 2);
  EXPECT_EQ(sheet.GetTabControl()->GetCurSel(), 2);
  EXPECT_TRUE(users.IsWindowVisible());
  EXPECT_FALSE(options.IsWindowVisible());

  users.apply_result = PSNRET_INVALID_NOCHANGEPAGE;
  EXPECT_TRUE(pw::ui::SelectSheetTab(window, 0));
  TakeLog();
  EXPECT_TRUE(pw::ui::PressSheetOk(window));
  EXPECT_EQ(TakeLog(),
            (Log{"General kill-active", "General apply ok", "Options apply ok", "Users apply ok"}));
  EXPECT_EQ(sheet.GetActiveIndex(), 0);
  EXPECT_TRUE(general.IsWindowVisible());

  users.apply_result.reset();
  EXPECT_TRUE(pw::ui::PressSheetOk(window));
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(sheet.GetResult(), IDOK);
}

// Several modeless sheets are open at once, each with its own pages and buttons; each tells
// its owner when it closed, and the owner may delete it right then.
TEST_F(PropertySheetTest, ModelessSheetsStandSideBySide) {
  std::vector<std::string> first_log;
  std::vector<std::string> second_log;
  RecordingPage first_page("First", IDD_PAGE_GENERAL, &first_log, IDS_GENERAL_TAB);
  RecordingPage second_page("Second", IDD_PAGE_GENERAL, &second_log, IDS_GENERAL_TAB);
  auto first = std::make_unique<CPropertySheet>(L"FAXSRV");
  auto second = std::make_unique<CPropertySheet>(L"BACKUP");
  first->AddPage(&first_page);
  second->AddPage(&second_page);
  std::vector<std::string> closed;
  first->SetClosedHandler([&](int result) {
    closed.push_back("FAXSRV " + std::to_string(result));
    first.reset();
  });
  second->SetClosedHandler(
      [&](int result) { closed.push_back("BACKUP " + std::to_string(result)); });
  ASSERT_TRUE(first->Create());
  ASSERT_TRUE(second->Create());
  const HWND first_window = first->GetSafeHwnd();
  const HWND second_window = second->GetSafeHwnd();

  EXPECT_TRUE(pw::ui::TypeText(first_page.Control(IDC_PAGE_NAME), L"one"));
  EXPECT_TRUE(first->GetDlgItem(ID_APPLY_NOW)->IsWindowEnabled());
  EXPECT_FALSE(second->GetDlgItem(ID_APPLY_NOW)->IsWindowEnabled());
  EXPECT_EQ(first_page.GetDlgItemText(IDC_PAGE_NAME), L"one");
  EXPECT_EQ(second_page.GetDlgItemText(IDC_PAGE_NAME), L"");

  EXPECT_TRUE(pw::ui::PressSheetOk(first_window));
  EXPECT_TRUE(host_.PumpUntil([&closed] { return closed.size() == 1; }));
  EXPECT_EQ(closed, (std::vector<std::string>{"FAXSRV 1"}));
  EXPECT_EQ(first, nullptr);
  EXPECT_FALSE(IsWindow(first_window));
  EXPECT_TRUE(IsWindow(second_window));
  EXPECT_EQ(first_log, (Log{"First init", "First set-active", "First changed", "First kill-active",
                            "First apply ok", "First destroy"}));

  EXPECT_TRUE(pw::ui::PressSheetCancel(second_window));
  EXPECT_TRUE(host_.PumpUntil([&closed] { return closed.size() == 2; }));
  EXPECT_EQ(closed, (std::vector<std::string>{"FAXSRV 1", "BACKUP 2"}));
  EXPECT_EQ(second_log, (Log{"Second init", "Second set-active", "Second query-cancel",
                             "Second reset", "Second destroy"}));
}

// A page's button opens a modal dialog: the sheet cannot be used meanwhile, and is usable
// again once the dialog ended.
TEST_F(PropertySheetTest, ModalDialogOnTopOfAModelessSheet) {
  RecordingPage general("General", IDD_PAGE_GENERAL, &log_, IDS_GENERAL_TAB);
  RecordingPage options("Options", IDD_PAGE_OPTIONS, &log_);
  CPropertySheet sheet(L"Server");
  sheet.AddPage(&general);
  sheet.AddPage(&options);
  ASSERT_TRUE(sheet.Create());
  const HWND window = sheet.GetSafeHwnd();
  INT_PTR answer = 0;
  general.on_more = [&answer](RecordingPage& page) {
    CDialog ask(IDD_ASK_NAME, &page);
    answer = ask.DoModal();
  };
  host_.ExpectDialog(IDD_ASK_NAME, [&](DialogDriver& driver) {
    EXPECT_FALSE(sheet.IsWindowEnabled());
    EXPECT_FALSE(pw::ui::PressSheetOk(window));
    EXPECT_EQ(pw::ui::LastRefusal(), "its window is disabled");
    EXPECT_FALSE(pw::ui::SelectSheetTab(window, 1));
    EXPECT_EQ(pw::ui::LastRefusal(), "its window is disabled");
    EXPECT_FALSE(pw::ui::TypeText(general.Control(IDC_PAGE_NAME), L"x"));
    driver.Type(IDC_ASK_TEXT, L"hello");
    driver.Click(IDOK);
  });

  EXPECT_TRUE(pw::ui::ClickButton(general.Control(IDC_PAGE_MORE)));
  EXPECT_EQ(answer, IDOK);
  EXPECT_TRUE(sheet.IsWindowEnabled());
  EXPECT_EQ(general.GetDlgItemText(IDC_PAGE_NAME), L"");
  EXPECT_TRUE(pw::ui::SelectSheetTab(window, 1));
  EXPECT_TRUE(pw::ui::PressSheetOk(window));
  EXPECT_FALSE(IsWindow(window));
}

// The page callback hears of the handle, runs just before the page's window is made (so
// that the language it sets decides the template) and hears of the release; a page whose
// callback refuses is dropped and the sheet goes on with the next one.
TEST_F(PropertySheetTest, PageCallbackRunsBeforeTheTemplateLoads) {
  RecordingPage general("General", IDD_PAGE_GENERAL, &log_, IDS_GENERAL_TAB);
  LanguagePage language(&log_);
  RecordingPage users("Users", IDD_PAGE_USERS, &log_);
  CPropertySheet sheet(L"Server");
  for (RecordingPage* page : {&general, static_cast<RecordingPage*>(&language), &users}) {
    sheet.AddPage(page);
  }
  ASSERT_TRUE(sheet.Create());
  EXPECT_EQ(language.callbacks, (std::vector<UINT>{PSPCB_ADDREF}));
  EXPECT_EQ(sheet.GetDlgItemText(IDCANCEL), L"Cancel");
  EXPECT_TRUE(pw::ui::SelectSheetTab(sheet.GetSafeHwnd(), 1));
  EXPECT_EQ(language.callbacks, (std::vector<UINT>{PSPCB_ADDREF, PSPCB_CREATE}));
  EXPECT_EQ(language.GetDlgItemText(IDC_PAGE_LABEL), L"&Wert:");
  EXPECT_EQ(language.GetWindowText(), L"Optionen");
  EXPECT_TRUE(pw::ui::PressSheetCancel(sheet.GetSafeHwnd()));
  EXPECT_EQ(language.callbacks, (std::vector<UINT>{PSPCB_ADDREF, PSPCB_CREATE, PSPCB_RELEASE}));

  SetThreadLocale(LOCALE_ENGLISH_US);
  language.callbacks.clear();
  language.refuse_creation = true;
  ASSERT_TRUE(sheet.Create());
  TakeLog();
  EXPECT_TRUE(pw::ui::SelectSheetTab(sheet.GetSafeHwnd(), 1));
  EXPECT_EQ(language.callbacks, (std::vector<UINT>{PSPCB_ADDREF, PSPCB_CREATE, PSPCB_RELEASE}));
  EXPECT_EQ(TakeLog(), (Log{"General kill-active", "Users init", "Users set-active"}));
  EXPECT_EQ(sheet.GetPageCount(), 2);
  EXPECT_EQ(sheet.GetActivePage(), &users);
  EXPECT_EQ(TabTexts(sheet), (std::vector<std::wstring>{L"General", L"Users"}));
  EXPECT_EQ(sheet.GetTabControl()->GetCurSel(), 1);
  EXPECT_EQ(language.GetSafeHwnd(), nullptr);
  sheet.DestroyWindow();
}

// The console's way: pages come as handles, which the sheet owns and releases when it
// closes; pages can also come and go while the sheet is open.
TEST_F(PropertySheetTest, TakesPagesAsHandlesAndReleasesThemOnClose) {
  RecordingPage general("General", IDD_PAGE_GENERAL, &log_, IDS_GENERAL_TAB);
  RecordingPage options("Options", IDD_PAGE_OPTIONS, &log_);
  RecordingPage users("Users", IDD_PAGE_USERS, &log_);
  EXPECT_EQ(CreatePropertySheetPage(nullptr), nullptr);
  const HPROPSHEETPAGE general_handle = CreatePropertySheetPage(&general.m_psp);
  const HPROPSHEETPAGE options_handle = CreatePropertySheetPage(&options.m_psp);
  ASSERT_NE(general_handle, nullptr);
  EXPECT_EQ(pw::ui::PropSheetPageTitle(general_handle), L"General");
  EXPECT_EQ(pw::ui::PropSheetPageTitle(options_handle), L"");

  CPropertySheet sheet(L"Server");
  EXPECT_FALSE(sheet.AddPage(reinterpret_cast<HPROPSHEETPAGE>(&sheet)));
  EXPECT_TRUE(sheet.AddPage(general_handle));
  EXPECT_TRUE(sheet.AddPage(options_handle));
  ASSERT_TRUE(sheet.Create());
  const HWND window = sheet.GetSafeHwnd();
  EXPECT_EQ(TabTexts(sheet), (std::vector<std::wstring>{L"General", L"Options"}));
  EXPECT_EQ(sheet.SendMessage(PSM_GETCURRENTPAGEHWND),
            reinterpret_cast<LRESULT>(general.GetSafeHwnd()));

  const HPROPSHEETPAGE users_handle = CreatePropertySheetPage(&users.m_psp);
  EXPECT_TRUE(sheet.SendMessage(PSM_ADDPAGE, 0, reinterpret_cast<LPARAM>(users_handle)));
  EXPECT_EQ(TabTexts(sheet), (std::vector<std::wstring>{L"General", L"Options", L"Users"}));
  EXPECT_EQ(sheet.SendMessage(PSM_IDTOINDEX, 0, IDD_PAGE_USERS), 2);
  TakeLog();
  // Removing the active page shows the one that takes its place.
  sheet.RemovePage(0);
  EXPECT_EQ(TakeLog(), (Log{"General destroy", "Options init", "Options set-active"}));
  EXPECT_EQ(sheet.GetActivePage(), &options);
  EXPECT_FALSE(DestroyPropertySheetPage(general_handle)) << "the sheet released it";

  EXPECT_TRUE(pw::ui::PressSheetOk(window));
  EXPECT_EQ(sheet.GetPageCount(), 0);
  EXPECT_FALSE(DestroyPropertySheetPage(options_handle));
  EXPECT_FALSE(DestroyPropertySheetPage(users_handle));
  EXPECT_EQ(sheet.DoModal(), -1) << "no page is left to show";
}

// PSM_QUERYSIBLINGS goes to every page that has a window, in page order, until one answers.
TEST_F(PropertySheetTest, QuerySiblingsReachesEveryCreatedPage) {
  RecordingPage general("General", IDD_PAGE_GENERAL, &log_, IDS_GENERAL_TAB);
  RecordingPage options("Options", IDD_PAGE_OPTIONS, &log_);
  RecordingPage users("Users", IDD_PAGE_USERS, &log_);
  CPropertySheet sheet(L"Server");
  for (RecordingPage* page : {&general, &options, &users}) sheet.AddPage(page);
  ASSERT_TRUE(sheet.Create());
  EXPECT_TRUE(sheet.SetActivePage(2));
  TakeLog();

  EXPECT_EQ(users.QuerySiblings(7, 0), 0);
  EXPECT_EQ(TakeLog(), (Log{"General query-siblings 7", "Users query-siblings 7"}));
  users.siblings_answer = 5;
  EXPECT_EQ(general.QuerySiblings(8, 0), 5);
  EXPECT_EQ(TakeLog(), (Log{"General query-siblings 8", "Users query-siblings 8"}));
  general.siblings_answer = 3;
  EXPECT_EQ(users.QuerySiblings(9, 0), 3);
  EXPECT_EQ(TakeLog(), (Log{"General query-siblings 9"}));
  EXPECT_EQ(options.QuerySiblings(1, 0), 0) << "a page without a window asks nobody";
  sheet.DestroyWindow();
}

// After CancelToClose the changes cannot be undone: Cancel is disabled (Escape too) and OK
// reads Close.
TEST_F(PropertySheetTest, CancelToCloseLeavesOnlyClose) {
  RecordingPage general("General", IDD_PAGE_GENERAL, &log_, IDS_GENERAL_TAB);
  CPropertySheet sheet(L"Server");
  sheet.AddPage(&general);
  ASSERT_TRUE(sheet.Create());
  general.CancelToClose();
  EXPECT_EQ(DescribeButtons(sheet),
            (Log{"1 Close visible enabled default", "2 Cancel visible disabled",
                 "12321 &Apply visible disabled", "9 Help hidden enabled"}));
  EXPECT_FALSE(pw::ui::PressEscape(sheet.GetSafeHwnd()));
  EXPECT_TRUE(pw::ui::PressEnter(sheet.GetSafeHwnd()));
  EXPECT_EQ(sheet.GetSafeHwnd(), nullptr);
  EXPECT_EQ(sheet.GetResult(), IDOK);
}

// Pages that cannot be made leave no sheet (and no closed report); requests that name no
// page, button or message the sheet knows change nothing; the start page is shown first.
TEST_F(PropertySheetTest, RefusesBadRequests) {
  RecordingPage missing("Missing", 9999, &log_);
  CPropertySheet broken(L"Broken");
  broken.AddPage(static_cast<CPropertyPage*>(nullptr));
  broken.AddPage(&missing);
  broken.AddPage(&missing);
  EXPECT_EQ(broken.GetPageCount(), 1);
  bool closed = false;
  broken.SetClosedHandler([&closed](int) { closed = true; });
  EXPECT_FALSE(broken.Create());
  pw::MessageQueue::Current().DispatchPending();
  EXPECT_FALSE(closed);
  EXPECT_EQ(broken.GetSafeHwnd(), nullptr);
  EXPECT_EQ(broken.GetPageCount(), 0);
  EXPECT_EQ(broken.DoModal(), -1);
  EXPECT_TRUE(TakeLog().empty());

  RecordingPage general("General", IDD_PAGE_GENERAL, &log_, IDS_GENERAL_TAB);
  RecordingPage options("Options", IDD_PAGE_OPTIONS, &log_);
  CPropertySheet sheet(IDS_SHEET_TITLE, nullptr, 1);
  sheet.AddPage(&general);
  sheet.AddPage(&options);
  ASSERT_TRUE(sheet.Create());
  EXPECT_EQ(sheet.GetWindowText(), L"Server");
  EXPECT_EQ(TakeLog(), (Log{"Options init", "Options set-active"}));
  EXPECT_EQ(sheet.GetActiveIndex(), 1);
  EXPECT_FALSE(sheet.SetActivePage(5));
  EXPECT_FALSE(sheet.SendMessage(PSM_SETCURSELID, 0, 12345));
  EXPECT_FALSE(sheet.PressButton(PSBTN_BACK)) << "a property sheet has no Back";
  EXPECT_FALSE(sheet.PressButton(99));
  sheet.RemovePage(-1);
  sheet.RemovePage(&missing);
  EXPECT_FALSE(pw::ui::SelectSheetTab(sheet.GetSafeHwnd(), 2));
  EXPECT_EQ(pw::ui::LastRefusal(), "no tab 2");
  EXPECT_FALSE(pw::ui::PressSheetButton(sheet.GetSafeHwnd(), ID_WIZBACK));
  EXPECT_EQ(pw::ui::LastRefusal(), "the sheet has no such button");
  EXPECT_FALSE(pw::ui::PressSheetOk(general.GetSafeHwnd()));
  EXPECT_EQ(pw::ui::LastRefusal(), "the window is not a property sheet");
  EXPECT_EQ(TakeLog(), (Log{}));
  EXPECT_EQ(sheet.GetPageCount(), 2);
  sheet.DestroyWindow();
}

}  // namespace
}  // namespace pw::test

namespace pw::test {
namespace {

// Tab goes through the controls of the shown page as well as the sheet's own, and never into
// a page that is not shown.
TEST_F(PropertySheetTest, TabReachesTheShownPageOnly) {
  RecordingPage general("General", IDD_PAGE_GENERAL, &log_, IDS_GENERAL_TAB);
  RecordingPage options("Options", IDD_PAGE_OPTIONS, &log_);
  CPropertySheet sheet(L"Server");
  sheet.AddPage(&general);
  sheet.AddPage(&options);
  ASSERT_TRUE(sheet.Create());
  const HWND window = sheet.GetSafeHwnd();
  EXPECT_TRUE(pw::ui::SelectSheetTab(window, 1));
  EXPECT_TRUE(pw::ui::SelectSheetTab(window, 0));

  std::vector<HWND> visited;
  for (int i = 0; i < 12; ++i) {
    ASSERT_TRUE(pw::ui::PressTab(window));
    visited.push_back(sheet.GetFocusWithin()->GetSafeHwnd());
  }
  auto seen = [&visited](HWND control) {
    return std::find(visited.begin(), visited.end(), control) != visited.end();
  };
  EXPECT_TRUE(seen(general.Control(IDC_PAGE_NAME)));
  EXPECT_TRUE(seen(sheet.GetDlgItem(IDOK)->GetSafeHwnd()));
  EXPECT_FALSE(seen(options.Control(IDC_PAGE_NAME)));
  sheet.DestroyWindow();
}

}  // namespace
}  // namespace pw::test
