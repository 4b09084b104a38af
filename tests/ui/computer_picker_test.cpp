// Tests of CComputerPickerDlg: the computers listed from this computer's name and the UNC
// root, and the name picked by click, double click or typing.
#include "platform/ui/computer_picker_dlg.h"

#include <gtest/gtest.h>

#include "platform/com/strings.h"
#include "platform/ui/list_ctrl.h"
#include "platform/ui/resources/ui_resource.h"
#include "platform/ui/ui_input.h"
#include "tests/ui/sheet_test_fixture.h"

namespace pw::test {
namespace {

using Rows = std::vector<std::vector<std::wstring>>;
constexpr int kList = static_cast<int>(IDC_CP_LIST);

// This computer is MYPC; the UNC root holds two hosts, this computer's own folder, a hidden
// folder and a file.
class ComputerPickerTest : public SheetTest {
 protected:
  ComputerPickerTest()
      : computer_name_("PAGEWELL_COMPUTERNAME", "mypc"),
        unc_root_("PAGEWELL_UNC_ROOT", root_.path()),
        hosts_file_("PAGEWELL_HOSTS_FILE", "") {
    root_.WriteFile("faxsrv/PWSERVER$/pwdb.db", "d");
    root_.WriteFile("Backup/PWSERVER$/pwdb.db", "d");
    root_.WriteFile("MyPc/C$/x", "x");
    root_.WriteFile(".cache/x", "x");
    root_.WriteFile("notes.txt", "n");
  }

  TempDir root_;
  ScopedEnv computer_name_;
  ScopedEnv unc_root_;
  ScopedEnv hosts_file_;
};

// This computer first, then every host folder under the UNC root once, in capitals and by
// name; hidden folders and files are no computers.
TEST_F(ComputerPickerTest, ListsThisComputerAndTheHostsUnderTheUncRoot) {
  const std::vector<CComputerPickerDlg::Computer> computers = CComputerPickerDlg::ListComputers();
  ASSERT_EQ(computers.size(), 3u);
  EXPECT_EQ(computers[0].name, L"MYPC");
  EXPECT_TRUE(computers[0].local);
  EXPECT_EQ(computers[1].name, L"BACKUP");
  EXPECT_FALSE(computers[1].local);
  EXPECT_EQ(computers[2].name, L"FAXSRV");

  CComputerPickerDlg dialog;
  host_.ExpectDialog(IDD_PW_COMPUTER_PICKER, [](DialogDriver& driver) {
    EXPECT_EQ(driver.Caption(), L"Select Computer");
    EXPECT_EQ(
        driver.ShowRows(kList, 0, 2),
        (Rows{{L"MYPC", L"This computer"}, {L"BACKUP", L"Network"}, {L"FAXSRV", L"Network"}}));
    EXPECT_FALSE(driver.IsEnabled(IDOK));
    driver.Escape();
  });
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);

  // The resolver's hosts join the list by name, each once; local-only entries do not.
  {
    TempDir etc;
    ScopedEnv hosts("PAGEWELL_HOSTS_FILE",
                    etc.WriteFile("hosts",
                                  "127.0.0.1 localhost mypc\n::1 ip6-localhost ip6-loopback\n"
                                  "# the office\n10.0.0.5 archive.office.example archive\n"
                                  "10.0.0.6 faxsrv.office.example  # mounted too\n"));
    std::vector<std::wstring> names;
    for (const auto& computer : CComputerPickerDlg::ListComputers()) {
      names.push_back(computer.name);
    }
    EXPECT_EQ(names, (std::vector<std::wstring>{L"MYPC", L"ARCHIVE", L"BACKUP", L"FAXSRV"}));
  }

  // Without a UNC root only this computer is known.
  ScopedEnv missing_root("PAGEWELL_UNC_ROOT", root_.Sub("nothing-here"));
  const std::vector<CComputerPickerDlg::Computer> alone = CComputerPickerDlg::ListComputers();
  ASSERT_EQ(alone.size(), 1u);
  EXPECT_EQ(alone[0].name, L"MYPC");
}

// A click fills the name field and enables OK, a double click picks at once, a typed name
// is taken without backslashes and blanks; an empty name cannot be confirmed.
TEST_F(ComputerPickerTest, PicksByClickDoubleClickOrTypedName) {
  auto pick = [this](const ScriptedUiHost::Handler& handler) {
    CComputerPickerDlg dialog;
    host_.ExpectDialog(IDD_PW_COMPUTER_PICKER, handler);
    const INT_PTR answer = dialog.DoModal();
    return answer == IDOK ? dialog.GetSelectedComputer() : L"(cancelled)";
  };
  EXPECT_EQ(pick([](DialogDriver& driver) {
              EXPECT_TRUE(driver.ClickRow(kList, 2));
              EXPECT_EQ(driver.Text(IDC_CP_NAME), L"FAXSRV");
              EXPECT_TRUE(driver.IsEnabled(IDOK));
              driver.Click(IDOK);
            }),
            L"FAXSRV");
  EXPECT_EQ(pick([](DialogDriver& driver) { driver.DoubleClickRow(kList, 1); }), L"BACKUP");
  EXPECT_EQ(pick([](DialogDriver& driver) {
              driver.Type(IDC_CP_NAME, L"  \\\\other  ");
              driver.Enter();
            }),
            L"other");
  EXPECT_EQ(pick([](DialogDriver& driver) {
              EXPECT_TRUE(driver.ClickRow(kList, 0));
              driver.Type(IDC_CP_NAME, L" \\\\ ");
              EXPECT_FALSE(driver.IsEnabled(IDOK));
              EXPECT_FALSE(pw::ui::ClickButton(driver.Hwnd(IDOK)));
              EXPECT_FALSE(pw::ui::PressEnter(driver.window()));
              EXPECT_EQ(pw::ui::LastRefusal(), "the default button is disabled");
              driver.Click(IDCANCEL);
            }),
            L"(cancelled)");

  CComputerPickerDlg preset;
  preset.SetInitialName(L"FAXSRV");
  host_.ExpectDialog(IDD_PW_COMPUTER_PICKER, [](DialogDriver& driver) {
    EXPECT_EQ(driver.Text(IDC_CP_NAME), L"FAXSRV");
    EXPECT_TRUE(driver.IsEnabled(IDOK));
    driver.Enter();
  });
  EXPECT_EQ(preset.DoModal(), IDOK);
  EXPECT_EQ(preset.GetSelectedComputer(), L"FAXSRV");
}

}  // namespace
}  // namespace pw::test
