// The remote computer selection: the network check, the dialog's validation and messages, the
// add wizard's page, Load asking for a computer, and "Connect to another computer...".
#include "module/server/select_computer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "mmc/host/console_document.h"
#include "module/resources/resource.h"
#include "module/resources/select_computer.h"
#include "module/server/computer_lookup.h"
#include "module/server/select_computer_dlg.h"
#include "module/snapin/guids.h"
#include "platform/com/strings.h"
#include "platform/ui/edit.h"
#include "platform/ui/property_page.h"
#include "platform/ui/property_sheet.h"
#include "platform/ui/resources/ui_resource.h"
#include "platform/ui/sheet_input.h"
#include "platform/win/registry.h"
#include "platform/win/thread_locale.h"
#include "tests/support/snapin_console.h"

namespace pw::test {
namespace {

constexpr wchar_t kConfigKey[] = L"SOFTWARE\\Ardent Telecom\\Pagewell\\Config";
constexpr wchar_t kTitle[] = L"Pagewell Configuration";
constexpr wchar_t kEnterName[] = L"Please enter a valid computer name.";
constexpr wchar_t kNotInstalled[] =
    L"The connection has failed since the Pagewell server is not installed on the specified "
    L"machine.";

std::wstring Inaccessible(const std::wstring& name) {
  return name + L" is inaccessible.\n\nThe computer was not found on the network.";
}

std::wstring AccessDenied(const std::wstring& name) {
  return L"Access to " + name +
         L" is denied.\n\nPlease verify that you have the necessary permissions to access this "
         L"computer.";
}

// --- The network check ----------------------------------------------------------------------

// A machine of the UNC root, this computer and the hosts file as the check sees them.
class ComputerLookupTest : public ::testing::Test {
 protected:
  ComputerLookupTest()
      : unc_root_("PAGEWELL_UNC_ROOT", dir_.Sub("unc")),
        hosts_("PAGEWELL_HOSTS_FILE",
               dir_.WriteFile("hosts", "127.0.0.1 localhost\n10.0.0.7 printsrv.example.com\n")),
        computer_("PAGEWELL_COMPUTERNAME", "CONSOLEPC") {
    dir_.WriteFile("unc/FaxSrv/PWSERVER$/marker", "x");
    dir_.WriteFile("unc/NOTAFOLDER", "x");
  }

  TempDir dir_;
  ScopedEnv unc_root_;
  ScopedEnv hosts_;
  ScopedEnv computer_;
};

// Mounted hosts answer as NT servers, this computer as an NT workstation, hosts-file names
// as machines of unknown kind; unknown or impossible names fail with the system's numbers.
TEST_F(ComputerLookupTest, AnswersFromTheMountsThisComputerAndTheHostsFile) {
  const ComputerLookupResult mounted = LookUpComputer(L"FAXSRV");
  EXPECT_EQ(mounted.error, 0u);
  EXPECT_EQ(mounted.platform, 2);
  EXPECT_EQ(mounted.role, 2);
  EXPECT_EQ(mounted.comment, L"");
  EXPECT_EQ(LookUpComputer(L"\\\\faxsrv").error, 0u);

  const ComputerLookupResult own = LookUpComputer(L"consolepc");
  EXPECT_EQ(own.error, 0u);
  EXPECT_EQ(own.platform, 2);
  EXPECT_EQ(own.role, 1);

  const ComputerLookupResult known = LookUpComputer(L"PRINTSRV");
  EXPECT_EQ(known.error, 0u);
  EXPECT_EQ(known.platform, -1);
  EXPECT_EQ(known.role, -1);

  EXPECT_EQ(LookUpComputer(L"NOSUCHPC").error, static_cast<DWORD>(ERROR_BAD_NETPATH));
  EXPECT_EQ(LookUpComputer(L"LOCALHOST").error, static_cast<DWORD>(ERROR_BAD_NETPATH));
  EXPECT_EQ(LookUpComputer(L"NOTAFOLDER").error, static_cast<DWORD>(ERROR_BAD_NETPATH));
  EXPECT_EQ(LookUpComputer(L"FAX SRV").error, static_cast<DWORD>(ERROR_INVALID_NAME));
  EXPECT_EQ(LookUpComputer(L"..").error, static_cast<DWORD>(ERROR_INVALID_NAME));
  EXPECT_EQ(LookUpComputer(L"").error, static_cast<DWORD>(ERROR_INVALID_NAME));
  EXPECT_EQ(LookUpComputer(std::wstring(64, L'A')).error, static_cast<DWORD>(ERROR_INVALID_NAME));
}

// A mounted host whose folder cannot be read refuses access (not testable as root, where
// every folder can be read).
TEST_F(ComputerLookupTest, UnreadableMountIsAccessDenied) {
  if (geteuid() == 0) GTEST_SKIP() << "root reads every folder";
  const std::string folder = dir_.Sub("unc/LOCKED");
  std::filesystem::create_directories(folder);
  std::filesystem::permissions(folder, std::filesystem::perms::none);
  EXPECT_EQ(LookUpComputer(L"LOCKED").error, static_cast<DWORD>(ERROR_ACCESS_DENIED));
  std::filesystem::permissions(folder, std::filesystem::perms::owner_all);
}

// The server information gives platform and role only for Windows NT machines.
TEST(InterpretServerInfoTest, PlatformFromTheMajorVersionRoleFromTheTypeBits) {
  auto interpret = [](DWORD major, DWORD type) {
    ServerInfo info;
    info.version_major = major;
    info.type = type;
    info.comment = L"Fax";
    const ComputerLookupResult result = InterpretServerInfo(info);
    EXPECT_EQ(result.error, 0u);
    EXPECT_EQ(result.comment, L"Fax");
    return std::pair(result.platform, result.role);
  };
  EXPECT_EQ(interpret(5, SV_TYPE_SERVER_NT), std::pair(-1, -1)) << "without the NT bit";
  EXPECT_EQ(interpret(4, SV_TYPE_NT), std::pair(1, 1));
  EXPECT_EQ(interpret(5, SV_TYPE_NT | SV_TYPE_SERVER_NT), std::pair(2, 2));
  EXPECT_EQ(interpret(6, SV_TYPE_NT | SV_TYPE_SERVER_NT), std::pair(-1, 2));
  EXPECT_EQ(interpret(5, SV_TYPE_NT | SV_TYPE_SERVER_NT | SV_TYPE_DOMAIN_CTRL), std::pair(2, 3));
  EXPECT_EQ(interpret(4, SV_TYPE_NT | SV_TYPE_DOMAIN_BAKCTRL), std::pair(1, 3));
}

// Names are trimmed, lose two leading backslashes (only two) and become upper case.
TEST(CleanComputerNameTest, TrimsStripsTwoBackslashesAndUpperCases) {
  EXPECT_EQ(CleanComputerName(L"  \\\\faxsrv  "), L"FAXSRV");
  EXPECT_EQ(CleanComputerName(L"\\\\\\faxsrv"), L"\\FAXSRV");
  EXPECT_EQ(CleanComputerName(L"\\faxsrv"), L"\\FAXSRV");
  EXPECT_EQ(CleanComputerName(L" \t "), L"");
}

// --- The dialog on its own, with a scripted network check -----------------------------------

class SelectComputerDlgTest : public ::testing::Test {
 protected:
  SelectComputerDlgTest() {
    SetThreadLocale(LOCALE_ENGLISH_US);
    dialog_.SetLookup([this](const std::wstring& name) {
      looked_up_.push_back(name);
      ComputerLookupResult result;
      result.error = name == L"DENIED"   ? static_cast<DWORD>(ERROR_ACCESS_DENIED)
                     : name == L"FAXSRV" ? 0u
                                         : static_cast<DWORD>(ERROR_BAD_NETPATH);
      return result;
    });
  }

  // Types `text` over the whole name and presses OK.
  static void Enter(DialogDriver& driver, std::wstring_view text) {
    driver.Type(IDC_COMPUTER_NAME, text);
    driver.Click(IDOK);
  }

  ScriptedUiHost host_;
  CSelectComputerDlg dialog_;
  std::vector<std::wstring> looked_up_;
};

// The dialog opens with "Another computer" chosen, the local choice disabled and the focus in
// the name with all of it selected; the radio buttons enable the name and Browse.
TEST_F(SelectComputerDlgTest, OpensOnAnotherComputerWithTheNameSelected) {
  dialog_.SetComputerName(L"FAXSRV");
  host_.ExpectDialog(IDD_SELECT_COMPUTER, [](DialogDriver& driver) {
    EXPECT_EQ(driver.Caption(), L"Select Computer");
    EXPECT_EQ(driver.Text(IDC_SELECT_COMPUTER_PROMPT),
              L"Select the computer you want this Snap-in to manage.");
    EXPECT_EQ(driver.Text(IDC_SELECT_COMPUTER_GROUP), L"This snap-in will always manage:");
    EXPECT_EQ(driver.Text(IDC_LOCAL_COMPUTER),
              L"&Local computer:  (the computer this console is running on)");
    EXPECT_EQ(driver.Text(IDC_ANOTHER_COMPUTER), L"&Another computer:");
    EXPECT_EQ(driver.Text(IDC_BROWSE_COMPUTER), L"&Browse...");
    EXPECT_EQ(driver.Check(IDC_ANOTHER_COMPUTER), BST_CHECKED);
    EXPECT_EQ(driver.Check(IDC_LOCAL_COMPUTER), BST_UNCHECKED);
    EXPECT_FALSE(driver.IsEnabled(IDC_LOCAL_COMPUTER));
    EXPECT_TRUE(driver.IsEnabled(IDC_COMPUTER_NAME));
    EXPECT_TRUE(driver.IsEnabled(IDC_BROWSE_COMPUTER));
    EXPECT_EQ(driver.FocusId(), static_cast<int>(IDC_COMPUTER_NAME));
    int start = -1;
    int end = -1;
    driver.Control<CEdit>(IDC_COMPUTER_NAME).GetSel(start, end);
    EXPECT_EQ(std::pair(start, end), std::pair(0, 6));
    // The local choice, made from code as a person cannot, disables name and Browse.
    driver.wnd().CheckRadioButton(IDC_LOCAL_COMPUTER, IDC_ANOTHER_COMPUTER, IDC_LOCAL_COMPUTER);
    driver.wnd().SendMessage(WM_COMMAND, MAKEWPARAM(IDC_LOCAL_COMPUTER, BN_CLICKED), 0);
    EXPECT_FALSE(driver.IsEnabled(IDC_COMPUTER_NAME));
    EXPECT_FALSE(driver.IsEnabled(IDC_BROWSE_COMPUTER));
    driver.Click(IDC_ANOTHER_COMPUTER);
    EXPECT_TRUE(driver.IsEnabled(IDC_COMPUTER_NAME));
    EXPECT_TRUE(driver.IsEnabled(IDC_BROWSE_COMPUTER));
    driver.Click(IDCANCEL);
  });
  EXPECT_EQ(dialog_.DoModal(), IDCANCEL);
  EXPECT_TRUE(looked_up_.empty());
}

// Every validation message in turn: an empty name (warning, focus on the name), an unknown
// computer and a refusing one (error icon, name selected, dialog open); then backslashes,
// blanks and lower case are cleaned and the accepted name goes back into the field.
TEST_F(SelectComputerDlgTest, ValidationShowsEachMessageAndAcceptsTheCleanedName) {
  host_.ExpectDialog(IDD_SELECT_COMPUTER, [this](DialogDriver& driver) {
    Enter(driver, L"   ");
    EXPECT_EQ(driver.FocusId(), static_cast<int>(IDC_COMPUTER_NAME));
    Enter(driver, L"nosuchpc");
    int start = -1;
    int end = -1;
    driver.Control<CEdit>(IDC_COMPUTER_NAME).GetSel(start, end);
    EXPECT_EQ(std::pair(start, end), std::pair(0, 8)) << "the whole name is selected";
    EXPECT_EQ(driver.FocusId(), static_cast<int>(IDC_COMPUTER_NAME));
    Enter(driver, L"denied");
    EXPECT_TRUE(::IsWindow(driver.window()));
    Enter(driver, L"\\\\faxsrv  ");
    EXPECT_EQ(driver.Text(IDC_COMPUTER_NAME), L"FAXSRV");
  });
  host_.ExpectMessageBox(IDOK, kEnterName);
  host_.ExpectDialog(IDD_PLEASE_WAIT);
  host_.ExpectMessageBox(IDOK, Inaccessible(L"NOSUCHPC"));
  host_.ExpectDialog(IDD_PLEASE_WAIT);
  host_.ExpectMessageBox(IDOK, AccessDenied(L"DENIED"));
  host_.ExpectDialog(IDD_PLEASE_WAIT);
  EXPECT_EQ(dialog_.DoModal(), IDOK);
  EXPECT_EQ(dialog_.computer_name(), L"FAXSRV");
  EXPECT_EQ(looked_up_, (std::vector<std::wstring>{L"NOSUCHPC", L"DENIED", L"FAXSRV"}));
  ASSERT_EQ(host_.message_boxes().size(), 3u);
  EXPECT_EQ(host_.message_boxes()[0].icon, static_cast<UINT>(MB_ICONWARNING));
  EXPECT_EQ(host_.message_boxes()[1].icon, static_cast<UINT>(MB_ICONERROR));
  EXPECT_EQ(host_.message_boxes()[2].icon, static_cast<UINT>(MB_ICONERROR));
  for (const MessageBoxRecord& record : host_.message_boxes()) EXPECT_EQ(record.caption, kTitle);
}

// In change mode the current computer, in any spelling, changes nothing and is not looked up;
// another one is checked and accepted.
TEST_F(SelectComputerDlgTest, ChangeModeTreatsTheCurrentComputerAsNoChange) {
  dialog_.SetChangeMode(L"FAXSRV");
  host_.ExpectDialog(IDD_SELECT_COMPUTER, [](DialogDriver& driver) {
    EXPECT_EQ(driver.Text(IDC_COMPUTER_NAME), L"FAXSRV");
    Enter(driver, L" \\\\faxsrv ");
  });
  EXPECT_EQ(dialog_.DoModal(), IDCANCEL);
  EXPECT_TRUE(looked_up_.empty());

  CSelectComputerDlg other;
  other.SetChangeMode(L"OLDSRV");
  other.SetLookup([](const std::wstring&) { return ComputerLookupResult{}; });
  host_.ExpectDialog(IDD_SELECT_COMPUTER, [](DialogDriver& driver) { Enter(driver, L"faxsrv"); });
  host_.ExpectDialog(IDD_PLEASE_WAIT);
  EXPECT_EQ(other.DoModal(), IDOK);
  EXPECT_EQ(other.computer_name(), L"FAXSRV");
  EXPECT_TRUE(host_.message_boxes().empty());
}

// German display language: the dialog and its messages come from the German resources.
TEST_F(SelectComputerDlgTest, GermanTexts) {
  SetThreadLocale(LOCALE_GERMAN);
  host_.ExpectDialog(IDD_SELECT_COMPUTER, [](DialogDriver& driver) {
    EXPECT_EQ(driver.Caption(), L"Computer auswählen");
    EXPECT_EQ(driver.Text(IDC_ANOTHER_COMPUTER), L"&Anderen Computer:");
    Enter(driver, L"");
    driver.Click(IDCANCEL);
  });
  host_.ExpectMessageBox(IDOK, L"Bitte geben Sie einen gültigen Computernamen ein.");
  EXPECT_EQ(dialog_.DoModal(), IDCANCEL);
  SetThreadLocale(LOCALE_ENGLISH_US);
}

// --- Through the console --------------------------------------------------------------------

class SelectComputerConsoleTest : public SnapinConsoleTest {
 protected:
  SelectComputerConsoleTest() : computer_("PAGEWELL_COMPUTERNAME", "CONSOLEPC") {}

  // A remote console for any server (FAXSRV installed) with a hosts file that also knows
  // PRINTSRV, a computer without the server.
  void MakeAnyServerConsole(bool keep_machine = false) {
    MakeInstallation({.remote = 2});
    hosts_.emplace("PAGEWELL_HOSTS_FILE",
                   installation_->dir().WriteFile("hosts", "10.0.0.7 printsrv.example.com\n"));
    if (!keep_machine) {
      CRegKey config;
      ASSERT_EQ(config.Open(HKEY_LOCAL_MACHINE, kConfigKey, KEY_ALL_ACCESS), ERROR_SUCCESS);
      ASSERT_EQ(config.DeleteValue(L"MACHINE"), ERROR_SUCCESS);
    }
  }

  // A second server on the share of `computer`, with a registry of its own.
  void InstallServer(const std::string& computer) {
    const std::string folder = installation_->dir().Sub("unc/" + computer + "/PWSERVER$");
    const std::string command = "timeout 60 '" + installation_->program_folder() +
                                "/pwsetup' --registry '" +
                                installation_->dir().Sub(computer + ".reg") + "' --server '" +
                                folder + "' --usermode 3 >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
  }

  // Opens a console file that names `computer`.
  pw::mmc::OperationResult OpenSaved(const std::wstring& computer) {
    pw::mmc::ConsoleDocument document;
    document.snapin = CLSID_PagewellSnapin;
    document.snapin_stream = pw::ToUtf16Le(computer);
    document.snapin_stream.resize(522, '\0');
    installation_->dir().WriteFile("saved.pwc", pw::mmc::EncodeConsoleDocument(document));
    return session().OpenDocument(installation_->dir().Sub("saved.pwc"));
  }

  std::wstring RootName() {
    const pw::mmc::ConsoleState state = State();
    return state.tree.empty() ? L"" : state.tree.front().name;
  }

  std::vector<std::wstring> RootChildren() {
    const pw::mmc::ConsoleState state = State();
    std::vector<std::wstring> names;
    for (const pw::mmc::ScopeItemState& item : state.tree) {
      if (item.parent == state.tree.front().id) names.push_back(item.name);
    }
    return names;
  }

  // Runs the root's "Connect to another computer..." command.
  void ConnectToAnother() {
    std::vector<pw::mmc::MenuItem> items;
    ASSERT_TRUE(session().OpenContextMenu(kView, FindScopeItem({}), &items).ok());
    ASSERT_FALSE(items.empty());
    ASSERT_EQ(items[0].command_id, 1);
    ASSERT_TRUE(session().RunMenuItem(kView, 0).ok());
  }

  bool MachineValueExists() {
    CRegKey config;
    std::wstring machine;
    return config.Open(HKEY_LOCAL_MACHINE, kConfigKey) == ERROR_SUCCESS &&
           config.QueryStringValue(L"MACHINE", &machine) == ERROR_SUCCESS;
  }

  // What the wizard's sheet and its only page are while the handler runs.
  static CPropertySheet& Sheet(DialogDriver& driver) {
    return dynamic_cast<CPropertySheet&>(driver.wnd());
  }

  ScopedEnv computer_;
  std::optional<ScopedEnv> hosts_;
};

// Adding the snap-in to a console for any server shows the select-computer page as a wizard
// with only Finish; it starts with the installation's MACHINE, validates like the dialog, and
// Finish hands the name to the root and removes MACHINE before the snap-in connects.
TEST_F(SelectComputerConsoleTest, AddWizardPageChoosesTheComputer) {
  MakeAnyServerConsole(/*keep_machine=*/true);
  ui_.ExpectDialog(kTitle, [](DialogDriver& driver) {
    CPropertySheet& sheet = Sheet(driver);
    EXPECT_EQ(sheet.GetPageCount(), 1);
    EXPECT_EQ(sheet.GetWizardButtons(), static_cast<DWORD>(PSWIZB_FINISH));
    DialogDriver page(sheet.GetActivePage()->GetSafeHwnd());
    EXPECT_EQ(page.Text(IDC_COMPUTER_NAME), L"FAXSRV");
    EXPECT_EQ(page.Check(IDC_ANOTHER_COMPUTER), BST_CHECKED);
    EXPECT_FALSE(page.IsEnabled(IDC_LOCAL_COMPUTER));
    page.Type(IDC_COMPUTER_NAME, L"");
    EXPECT_TRUE(pw::ui::PressWizardFinish(driver.window()));
    EXPECT_TRUE(::IsWindow(driver.window())) << "an empty name keeps the wizard open";
    page.Type(IDC_COMPUTER_NAME, L"nosuchpc");
    EXPECT_TRUE(pw::ui::PressWizardFinish(driver.window()));
    EXPECT_TRUE(::IsWindow(driver.window())) << "an unknown computer keeps the wizard open";
    page.Type(IDC_COMPUTER_NAME, L"\\\\faxsrv ");
    EXPECT_TRUE(pw::ui::PressWizardFinish(driver.window()));
  });
  ui_.ExpectMessageBox(IDOK, kEnterName);
  ui_.ExpectDialog(IDD_PLEASE_WAIT);
  ui_.ExpectMessageBox(IDOK, Inaccessible(L"NOSUCHPC"));
  ui_.ExpectDialog(IDD_PLEASE_WAIT);
  ASSERT_TRUE(AddSnapIn().ok());
  EXPECT_EQ(RootName(), L"Pagewell Configuration (FAXSRV)");
  EXPECT_FALSE(MachineValueExists());
  EXPECT_EQ(RootChildren().size(), 12u);
  // The choice is what the console file keeps.
  ASSERT_TRUE(session().SaveDocument(installation_->dir().Sub("added.pwc")).ok());
  EXPECT_EQ(MessageTexts(), (std::vector<std::wstring>{kEnterName, Inaccessible(L"NOSUCHPC")}));
}

// Cancelling the add wizard adds nothing and leaves MACHINE in place; a local server's add
// shows no wizard at all.
TEST_F(SelectComputerConsoleTest, CancellingTheAddWizardAddsNothing) {
  MakeAnyServerConsole(/*keep_machine=*/true);
  ui_.ExpectDialog(
      kTitle, [](DialogDriver& driver) { EXPECT_TRUE(pw::ui::PressSheetCancel(driver.window())); });
  EXPECT_FALSE(AddSnapIn().ok());
  EXPECT_FALSE(State().has_snapin);
  EXPECT_TRUE(MachineValueExists());
  EXPECT_TRUE(ui_.message_boxes().empty());
}

// A console file with an all-zero name asks for the computer at once; "&Browse..." offers the
// computers the console reaches (a cancelled pick changes nothing) and the chosen computer is
// connected, named in the tree and makes the console dirty.
TEST_F(SelectComputerConsoleTest, LoadWithoutAComputerAsksForOne) {
  MakeAnyServerConsole();
  ui_.ExpectDialog(IDD_SELECT_COMPUTER, [](DialogDriver& driver) {
    EXPECT_EQ(driver.Text(IDC_COMPUTER_NAME), L"");
    driver.Type(IDC_COMPUTER_NAME, L"pc");
    driver.Click(IDC_BROWSE_COMPUTER);
    EXPECT_EQ(driver.Text(IDC_COMPUTER_NAME), L"pc");
    driver.Click(IDC_BROWSE_COMPUTER);
    EXPECT_EQ(driver.Text(IDC_COMPUTER_NAME), L"FAXSRV");
    driver.Click(IDOK);
  });
  ui_.ExpectDialog(IDD_PW_COMPUTER_PICKER, [](DialogDriver& picker) {
    EXPECT_EQ(picker.Text(IDC_CP_NAME), L"PC");
    picker.Click(IDCANCEL);
  });
  ui_.ExpectDialog(IDD_PW_COMPUTER_PICKER, [](DialogDriver& picker) {
    EXPECT_EQ(
        picker.ShowRows(IDC_CP_LIST, 0, 2),
        (std::vector<std::vector<std::wstring>>{
            {L"CONSOLEPC", L"This computer"}, {L"FAXSRV", L"Network"}, {L"PRINTSRV", L"Network"}}));
    picker.DoubleClickRow(IDC_CP_LIST, 1);
  });
  ui_.ExpectDialog(IDD_PLEASE_WAIT);
  ASSERT_TRUE(OpenSaved(L"").ok());
  EXPECT_EQ(RootName(), L"Pagewell Configuration (FAXSRV)");
  EXPECT_EQ(RootChildren().size(), 12u);
  EXPECT_EQ(session().Run([](pw::mmc::Console& console) { return console.IsDirty(); }).hr, S_OK);
  EXPECT_TRUE(ui_.message_boxes().empty());
}

// A saved computer without the server is reported, the dialog starts with its name, and a
// computer that answers but has no server either is reported again before FAXSRV connects.
TEST_F(SelectComputerConsoleTest, LoadFailingThenChoosingAnother) {
  MakeAnyServerConsole();
  const std::wstring reconnect_failed =
      std::wstring(kNotInstalled) + L"\n\nPlease select another machine.";
  ui_.ExpectMessageBox(IDOK, reconnect_failed);
  ui_.ExpectDialog(IDD_SELECT_COMPUTER, [](DialogDriver& driver) {
    EXPECT_EQ(driver.Text(IDC_COMPUTER_NAME), L"PRINTSRV");
    driver.Type(IDC_COMPUTER_NAME, L"consolepc");
    driver.Click(IDOK);
  });
  ui_.ExpectDialog(IDD_PLEASE_WAIT);
  ui_.ExpectMessageBox(IDOK, reconnect_failed);
  ui_.ExpectDialog(IDD_SELECT_COMPUTER, [](DialogDriver& driver) {
    EXPECT_EQ(driver.Text(IDC_COMPUTER_NAME), L"CONSOLEPC");
    driver.Type(IDC_COMPUTER_NAME, L"FAXSRV");
    driver.Click(IDOK);
  });
  ui_.ExpectDialog(IDD_PLEASE_WAIT);
  ASSERT_TRUE(OpenSaved(L"PRINTSRV").ok());
  EXPECT_EQ(RootName(), L"Pagewell Configuration (FAXSRV)");
  EXPECT_EQ(MessageTexts(), (std::vector<std::wstring>{reconnect_failed, reconnect_failed}));
  for (const MessageBoxRecord& record : ui_.message_boxes()) {
    EXPECT_EQ(record.caption, kTitle);
    EXPECT_EQ(record.icon, static_cast<UINT>(MB_ICONWARNING));
  }
}

// Cancelling the selection during Load reports that the snap-in did not initialise.
TEST_F(SelectComputerConsoleTest, LoadCancelledFails) {
  MakeAnyServerConsole();
  ui_.ExpectDialog(IDD_SELECT_COMPUTER, [](DialogDriver& driver) { driver.Click(IDCANCEL); });
  ui_.ExpectMessageBox(IDOK, L"The selected snap-in did not initialize properly.");
  EXPECT_EQ(OpenSaved(L"").hr, E_FAIL);
  EXPECT_EQ(ui_.message_boxes().size(), 1u);
}

// "Connect to another computer..." opens the dialog on the current computer, connects to the
// new one, renames the root and inserts the children again; the server's programs now run
// for the new computer.
TEST_F(SelectComputerConsoleTest, CommandSwitchesComputersAndRebuildsTheTree) {
  MakeAnyServerConsole();
  InstallServer("OTHERSRV");
  ASSERT_TRUE(OpenSaved(L"FAXSRV").ok());
  const HSCOPEITEM routing = FindScopeItem({L"Routing"});
  ASSERT_NE(routing, 0);
  ASSERT_NE(FindScopeItem({L"Routing", L"CSID"}), 0);
  const std::size_t items_before = State().tree.size();
  ui_.ExpectDialog(IDD_SELECT_COMPUTER, [](DialogDriver& driver) {
    EXPECT_EQ(driver.Text(IDC_COMPUTER_NAME), L"FAXSRV");
    driver.Type(IDC_COMPUTER_NAME, L"othersrv");
    driver.Click(IDOK);
  });
  ui_.ExpectDialog(IDD_PLEASE_WAIT);
  ConnectToAnother();
  EXPECT_EQ(RootName(), L"Pagewell Configuration (OTHERSRV)");
  const pw::mmc::ConsoleState state = State();
  EXPECT_EQ(state.tree.size(), 13u) << "the root and its children; Routing's are gone";
  EXPECT_EQ(items_before, 18u) << "the root, its children and Routing's five";
  EXPECT_TRUE(std::none_of(state.tree.begin(), state.tree.end(),
                           [routing](const auto& item) { return item.id == routing; }));
  EXPECT_EQ(RootChildren().front(), L"Lines/Devices");
  EXPECT_NE(FindScopeItem({L"Routing", L"CSID"}), 0);
  EXPECT_TRUE(ui_.message_boxes().empty());
  ASSERT_TRUE(session().SaveDocument(installation_->dir().Sub("other.pwc")).ok());
  ASSERT_TRUE(session().Close(pw::mmc::ClosePolicy::kDiscard).ok());
  EXPECT_EQ(installation_->ProgramRuns(), std::vector<std::string>{});
  EXPECT_NE(installation_->dir()
                .ReadFile("unc/OTHERSRV/PWSERVER$/programs.log")
                .find("pwgwconf.exe -close -remote:OTHERSRV"),
            std::string::npos);
}

// Re-entering the current computer (in any spelling) and Cancel both leave everything as it
// was: no lookup, no reconnection.
TEST_F(SelectComputerConsoleTest, CommandWithTheSameComputerOrCancelChangesNothing) {
  MakeAnyServerConsole();
  ASSERT_TRUE(OpenSaved(L"FAXSRV").ok());
  ASSERT_NE(FindScopeItem({L"Routing"}), 0);
  const std::size_t items = State().tree.size();
  ui_.ExpectDialog(IDD_SELECT_COMPUTER, [](DialogDriver& driver) {
    driver.Type(IDC_COMPUTER_NAME, L" \\\\faxsrv ");
    driver.Click(IDOK);
  });
  ConnectToAnother();
  ui_.ExpectDialog(IDD_SELECT_COMPUTER, [](DialogDriver& driver) { driver.Click(IDCANCEL); });
  ConnectToAnother();
  EXPECT_EQ(State().tree.size(), items);
  EXPECT_EQ(RootName(), L"Pagewell Configuration (FAXSRV)");
  EXPECT_TRUE(ui_.message_boxes().empty());
}

// A computer that answers but has no server is refused with string 367 and the previous
// computer stays; when the previous one cannot be reopened either, string 368.
TEST_F(SelectComputerConsoleTest, CommandToAComputerWithoutServerKeepsThePreviousOne) {
  MakeAnyServerConsole();
  ASSERT_TRUE(OpenSaved(L"FAXSRV").ok());
  ASSERT_NE(FindScopeItem({}), 0);
  ui_.ExpectDialog(IDD_SELECT_COMPUTER, [](DialogDriver& driver) {
    driver.Type(IDC_COMPUTER_NAME, L"printsrv");
    driver.Click(IDOK);
  });
  ui_.ExpectDialog(IDD_PLEASE_WAIT);
  ui_.ExpectMessageBox(IDOK, kNotInstalled);
  ConnectToAnother();
  EXPECT_EQ(RootName(), L"Pagewell Configuration (FAXSRV)");

  // The previous server's share goes away.
  std::filesystem::rename(installation_->server_folder(),
                          installation_->dir().Sub("unc/FAXSRV/gone"));
  const std::wstring both_failed =
      std::wstring(kNotInstalled) +
      L" There was also an error in connecting to the previous machine.\n\nPlease reopen the "
      L"Pagewell configuration.";
  ui_.ExpectDialog(IDD_SELECT_COMPUTER, [](DialogDriver& driver) {
    driver.Type(IDC_COMPUTER_NAME, L"printsrv");
    driver.Click(IDOK);
  });
  ui_.ExpectDialog(IDD_PLEASE_WAIT);
  ui_.ExpectMessageBox(IDOK, both_failed);
  ConnectToAnother();
  EXPECT_EQ(RootName(), L"Pagewell Configuration (FAXSRV)");
  ASSERT_EQ(ui_.message_boxes().size(), 2u);
  for (const MessageBoxRecord& record : ui_.message_boxes()) {
    EXPECT_EQ(record.caption, kTitle);
    EXPECT_EQ(record.icon, static_cast<UINT>(MB_ICONWARNING));
  }
  std::filesystem::rename(installation_->dir().Sub("unc/FAXSRV/gone"),
                          installation_->server_folder());
}

}  // namespace
}  // namespace pw::test
