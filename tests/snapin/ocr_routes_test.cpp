// OCR search phrases through the console: the engine check and its message view, the new
// phrase dialog, the phrase page and rename, and the sheet of the server-wide OCR settings.
#include <gtest/gtest.h>

#include <filesystem>

#include "module/resources/routes_ocr.h"
#include "platform/ui/button.h"
#include "platform/ui/edit.h"
#include "platform/ui/spin_button_ctrl.h"
#include "tests/snapin/route_kind_fixture.h"

namespace pw::test {
namespace {

using Table = std::vector<std::vector<std::wstring>>;
using Stored = std::vector<std::pair<std::wstring, std::size_t>>;

constexpr wchar_t kEngineMissing[] =
    L"The Pagewell OCR engine is not installed. The OCR engine can be downloaded from the Ardent "
    L"website at <www.ardent.example>.";
constexpr wchar_t kDuplicate[] = L"This phrase already exists. Please specify a different name.";
constexpr wchar_t kEmpty[] = L"You must type in a search phrase.";
constexpr wchar_t kRange[] = L"Please enter an integer between 1 and 100.";

class OcrRoutesTest : public RouteKindTest {
 protected:
  // Puts the engine file into `folder`/OCR (the server folder when empty).
  void InstallEngine(std::string folder = {}) {
    if (folder.empty()) folder = installation_->server_folder();
    std::filesystem::create_directories(folder + "/OCR");
    installation_->dir().WriteFile(
        std::filesystem::relative(folder + "/OCR/faxtotxt.dll", installation_->dir().path()),
        "engine");
  }

  // Leaves the OCR list and selects it again, so that the engine is looked for anew.
  HSCOPEITEM ReselectOcr() {
    ShowList(L"Line");
    return ShowList(L"OCR");
  }

  void ExpectEngineMessage(HSCOPEITEM item) {
    const pw::mmc::ConsoleState state = State();
    const pw::mmc::ViewState& view = state.views.front();
    EXPECT_EQ(view.kind, pw::mmc::ResultPaneKind::kMessageView);
    EXPECT_EQ(view.message_view.title, L"OCR");
    EXPECT_EQ(view.message_view.body, kEngineMissing);
    EXPECT_EQ(view.message_view.icon, Icon_Information);
    EXPECT_EQ(view.description_bar, L"");
    EXPECT_EQ(OwnMenu(item), Menu{});
    EXPECT_TRUE(AttachedButtons().empty());
    EXPECT_TRUE(VerbEnabled(MMC_VERB_PROPERTIES));
  }

  void ExpectPhraseList(HSCOPEITEM item) {
    EXPECT_EQ(State().views.front().kind, pw::mmc::ResultPaneKind::kVirtualList);
    EXPECT_EQ(ColumnTitles(), (std::vector<std::wstring>{L"Search Phrase", L"Users/Groups"}));
    EXPECT_EQ(OwnMenu(item), (Menu{{L"&New...", L"Adds a new search phrase to match by OCR."}}));
    EXPECT_EQ(AttachedButtons(),
              (std::vector<std::pair<int, std::wstring>>{{32777, L"New phrase"}}));
  }

  // Opens the OCR list's own sheet; its window, or null.
  HWND OpenSettings() {
    ShowList(L"OCR");
    EXPECT_TRUE(session().RunVerb(kView, MMC_VERB_PROPERTIES).ok());
    return watcher_.sheets().empty() ? nullptr : watcher_.sheets().back();
  }
};

// Without the engine file the list is a message view with no New command; with it the list
// appears after the next selection, and goes again when the file is removed.
TEST_F(OcrRoutesTest, EngineDecidesBetweenMessageAndList) {
  Start();
  HSCOPEITEM item = ShowList(L"OCR");
  ExpectEngineMessage(item);

  InstallEngine();
  item = ReselectOcr();
  ExpectPhraseList(item);
  EXPECT_EQ(Description(), L"0 routing rule(s)");

  std::filesystem::remove(installation_->server_folder() + "/OCR/faxtotxt.dll");
  item = ReselectOcr();
  ExpectEngineMessage(item);
  EXPECT_TRUE(ui_.message_boxes().empty());
}

// A remote console looks for the engine on the server's share, not in its own installation
// folder.
TEST_F(OcrRoutesTest, RemoteConsoleLooksOnTheServerShare) {
  MakeInstallation({.remote = 1});
  ASSERT_TRUE(AddSnapIn().ok());
  InstallEngine(installation_->program_folder());
  HSCOPEITEM item = ShowList(L"OCR");
  ExpectEngineMessage(item);

  InstallEngine();
  item = ReselectOcr();
  ExpectPhraseList(item);
}

// OK stays disabled while the phrase is blank; an existing phrase in other letter case is
// refused with the text selected; a new one is stored trimmed and its sheet opened.
TEST_F(OcrRoutesTest, NewPhraseNeedsTextAndRefusesDuplicates) {
  Start();
  InstallEngine();
  AddRoute(L"Invoice", {}, L"ocr");
  const HSCOPEITEM item = ShowList(L"OCR");
  ui_.ExpectDialog(IDD_NEW_PHRASE, [](DialogDriver& dialog) {
    EXPECT_EQ(dialog.Caption(), L"New search phrase");
    EXPECT_FALSE(dialog.IsEnabled(IDOK));
    dialog.Type(IDC_NEW_PHRASE_EDIT, L"   ");
    EXPECT_FALSE(dialog.IsEnabled(IDOK));
    dialog.Type(IDC_NEW_PHRASE_EDIT, L" INVOICE ");
    EXPECT_TRUE(dialog.IsEnabled(IDOK));
    dialog.Click(IDOK);
    EXPECT_EQ(dialog.FocusId(), static_cast<int>(IDC_NEW_PHRASE_EDIT));
    int start = -1;
    int end = -1;
    dialog.Control<CEdit>(IDC_NEW_PHRASE_EDIT).GetSel(start, end);
    EXPECT_EQ(dialog.Text(IDC_NEW_PHRASE_EDIT), L"INVOICE");
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, 7);
    dialog.Type(IDC_NEW_PHRASE_EDIT, L"  Order confirmation  ");
    dialog.Click(IDOK);
  });
  ui_.ExpectMessageBox(IDOK, kDuplicate);
  RunMenu(item, L"&New...");
  EXPECT_EQ(ui_.pending_expectations(), 0u);
  EXPECT_EQ(StoredRoutes(L"ocr"), (Stored{{L"Invoice", 0}, {L"Order confirmation", 0}}));
  EXPECT_EQ(FieldOf(L"Order confirmation", L"ObjectDisplay", L"ocr"), L"Order confirmation");
  EXPECT_EQ(Rows(), (Table{{L"Invoice", L""}, {L"Order confirmation", L""}}));
  const pw::mmc::ConsoleState state = State();
  ASSERT_EQ(state.sheets.size(), 1u);
  EXPECT_EQ(state.sheets[0].title, L"Order confirmation");
}

// Rename and the phrase page refuse an empty phrase and one another route has, and store a
// new phrase trimmed; the page comes between the users and printers pages.
TEST_F(OcrRoutesTest, PhraseChangesAreChecked) {
  Start();
  InstallEngine();
  AddRoute(L"Invoice", {}, L"ocr");
  AddRoute(L"Order", {}, L"ocr");
  ShowList(L"OCR");
  ASSERT_TRUE(session().SelectRows(kView, {0}).ok());
  EXPECT_TRUE(VerbEnabled(MMC_VERB_RENAME));
  ui_.ExpectMessageBox(IDOK, kDuplicate);
  session().RunVerb(kView, MMC_VERB_RENAME, L"order");
  ui_.ExpectMessageBox(IDOK, kEmpty);
  session().RunVerb(kView, MMC_VERB_RENAME, L"  ");
  EXPECT_TRUE(session().RunVerb(kView, MMC_VERB_RENAME, L" Bill ").ok());
  EXPECT_EQ(StoredRoutes(L"ocr"), (Stored{{L"Bill", 0}, {L"Order", 0}}));

  const HWND sheet = OpenSheet(0);
  OnSheet(sheet, [&](CPropertySheet& window) {
    ASSERT_EQ(window.GetPageCount(), 3);
    EXPECT_EQ(CWnd::FromHandle(PageControl(window, 0, IDC_USERS_TEXT))->GetWindowText(),
              L"Please select the users to assign to this OCR route.");
    EXPECT_EQ(CWnd::FromHandle(PageControl(window, 1, IDC_PAGE_OCR_HEADING))->GetWindowText(),
              L"Phrase options");
    const HWND edit = PageControl(window, 1, IDC_PAGE_OCR_EDIT);
    EXPECT_EQ(CWnd::FromHandle(edit)->GetWindowText(), L"Bill");
    EXPECT_TRUE(pw::ui::TypeText(edit, L"   "));
    ui_.ExpectMessageBox(IDOK, kEmpty);
    EXPECT_TRUE(pw::ui::PressSheetOk(window.GetSafeHwnd()));
    EXPECT_TRUE(pw::ui::TypeText(edit, L"ORDER"));
    ui_.ExpectMessageBox(IDOK, kDuplicate);
    EXPECT_TRUE(pw::ui::PressSheetOk(window.GetSafeHwnd()));
    EXPECT_EQ(watcher_.sheets().size(), 1u);
    EXPECT_TRUE(pw::ui::TypeText(edit, L" Receipt "));
    EXPECT_TRUE(pw::ui::PressSheetOk(window.GetSafeHwnd()));
  });
  EXPECT_TRUE(watcher_.sheets().empty());
  EXPECT_EQ(StoredRoutes(L"ocr"), (Stored{{L"Receipt", 0}, {L"Order", 0}}));
  EXPECT_EQ(FieldOf(L"Receipt", L"ObjectDisplay", L"ocr"), L"Receipt");
  EXPECT_EQ(Rows(), (Table{{L"Receipt", L""}, {L"Order", L""}}));
  EXPECT_EQ(ui_.pending_expectations(), 0u);
}

// The settings sheet shows the stored values, refuses numbers outside 1 to 100 (the sheet
// stays and nothing is stored), and applies the three flags without touching the other bits
// of "IPW_Flags".
TEST_F(OcrRoutesTest, SettingsSheetChecksRangesAndKeepsOtherFlags) {
  Start();
  WithSettings([](IPagewell& settings, IArdentDBSetup&) {
    settings.PutValue(L"IPW_Flags", VARIANT::FromI4(0x4031));
    settings.PutValue(L"IPW_OcrRatio", VARIANT::FromI4(65));
    settings.PutValue(L"IPW_OCR_ScnPgs", VARIANT::FromI4(2));
    settings.SaveValues();
  });
  const HWND sheet = OpenSettings();
  OnSheet(sheet, [&](CPropertySheet& window) {
    ASSERT_EQ(window.GetPageCount(), 1);
    EXPECT_EQ(window.GetPage(0)->GetWindowText(), L"General");
    const auto control = [&](int id) { return CWnd::FromHandle(PageControl(window, 0, id)); };
    EXPECT_EQ(control(IDC_OCR_HEADING)->GetWindowText(), L"General OCR Configuration");
    EXPECT_EQ(control(IDC_OCR_RATIO)->GetWindowText(), L"65");
    EXPECT_EQ(control(IDC_OCR_PAGES)->GetWindowText(), L"2");
    EXPECT_EQ(dynamic_cast<CButton*>(control(IDC_OCR_BY_NAMES))->GetCheck(), BST_CHECKED);
    EXPECT_EQ(dynamic_cast<CButton*>(control(IDC_OCR_ATTACH_TEXT))->GetCheck(), BST_CHECKED);
    EXPECT_EQ(dynamic_cast<CButton*>(control(IDC_OCR_APPEND_TEXT))->GetCheck(), 0);
    int lower = 0;
    int upper = 0;
    dynamic_cast<CSpinButtonCtrl*>(control(IDC_OCR_RATIO_SPIN))->GetRange32(lower, upper);
    EXPECT_EQ(std::make_pair(lower, upper), std::make_pair(1, 100));

    const HWND ratio = PageControl(window, 0, IDC_OCR_RATIO);
    const HWND pages = PageControl(window, 0, IDC_OCR_PAGES);
    for (const auto& [edit, text] : std::vector<std::pair<HWND, std::wstring>>{
             {ratio, L"0"}, {ratio, L"101"}, {pages, L"0"}, {pages, L"101"}}) {
      EXPECT_TRUE(pw::ui::TypeText(ratio, L"80"));
      EXPECT_TRUE(pw::ui::TypeText(pages, L"5"));
      EXPECT_TRUE(pw::ui::TypeText(edit, text));
      ui_.ExpectMessageBox(IDOK, kRange);
      EXPECT_TRUE(pw::ui::PressSheetOk(window.GetSafeHwnd()));
      EXPECT_EQ(watcher_.sheets().size(), 1u) << pw::ToUtf8(text);
    }
  });
  EXPECT_EQ(StoredSetting(L"IPW_OcrRatio"), 65);
  EXPECT_EQ(StoredSetting(L"IPW_Flags"), 0x4031);

  OnSheet(sheet, [&](CPropertySheet& window) {
    const HWND ratio = PageControl(window, 0, IDC_OCR_RATIO);
    const HWND pages = PageControl(window, 0, IDC_OCR_PAGES);
    EXPECT_TRUE(pw::ui::TypeText(ratio, L"99"));
    EXPECT_TRUE(pw::ui::ClickSpin(PageControl(window, 0, IDC_OCR_RATIO_SPIN), true));
    EXPECT_TRUE(pw::ui::TypeText(pages, L"3"));
    EXPECT_TRUE(pw::ui::ClickButton(PageControl(window, 0, IDC_OCR_BY_NAMES)));
    EXPECT_TRUE(pw::ui::ClickButton(PageControl(window, 0, IDC_OCR_APPEND_TEXT)));
    EXPECT_TRUE(pw::ui::PressSheetOk(window.GetSafeHwnd()));
  });
  EXPECT_TRUE(watcher_.sheets().empty());
  EXPECT_EQ(StoredSetting(L"IPW_OcrRatio"), 100);
  EXPECT_EQ(StoredSetting(L"IPW_OCR_ScnPgs"), 3);
  EXPECT_EQ(StoredSetting(L"IPW_Flags"), 0x6011);
  EXPECT_EQ(ui_.pending_expectations(), 0u);
  EXPECT_EQ(MessageTexts(), (std::vector<std::wstring>(4, kRange)));
}

}  // namespace
}  // namespace pw::test
