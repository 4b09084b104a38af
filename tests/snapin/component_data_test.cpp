// CComponentData through the real console host: one instance per process, the console file's
// 522 bytes, reconnecting a saved remote console, and the server programs run at shutdown.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "installation/interfaces/ardent_db.h"
#include "mmc/host/console_document.h"
#include "module/resources/resource.h"
#include "module/resources/select_computer.h"
#include "module/snapin/guids.h"
#include "platform/com/class_loader.h"
#include "platform/com/strings.h"
#include "platform/ui/sheet_input.h"
#include "platform/win/registry.h"
#include "tests/support/snapin_console.h"

namespace pw::test {
namespace {

constexpr wchar_t kConfigKey[] = L"SOFTWARE\\Ardent Telecom\\Pagewell\\Config";
constexpr wchar_t kTitle[] = L"Pagewell Configuration";

std::string ReadFileBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

pw::mmc::ConsoleDocument SavedDocument(const std::string& path) {
  pw::mmc::ConsoleDocument document;
  EXPECT_EQ(pw::mmc::DecodeConsoleDocument(ReadFileBytes(path), &document),
            pw::mmc::DocumentProblem::kNone);
  return document;
}

void DeleteMachineValue() {
  CRegKey config;
  ASSERT_EQ(config.Open(HKEY_LOCAL_MACHINE, kConfigKey, KEY_ALL_ACCESS), ERROR_SUCCESS);
  ASSERT_EQ(config.DeleteValue(L"MACHINE"), ERROR_SUCCESS);
}

class ComponentDataTest : public SnapinConsoleTest {};

// A second snap-in instance in the same console process refuses to initialise.
TEST_F(ComponentDataTest, SecondInstanceInTheProcessFailsWithEFail) {
  MakeInstallation();
  ASSERT_TRUE(AddSnapIn().ok());
  pw::mmc::ConsoleSession::Options options;
  options.timeout_ms = 30000;
  auto second = pw::mmc::ConsoleSession::Start(options);
  const pw::mmc::OperationResult added = second->AddSnapIn(CLSID_PagewellSnapin);
  EXPECT_EQ(added.hr, E_FAIL);
  pw::mmc::ConsoleState state;
  ASSERT_TRUE(second->ReadState(&state).ok());
  EXPECT_FALSE(state.has_snapin);
  EXPECT_TRUE(ui_.message_boxes().empty());
}

// The console file holds exactly the 522-byte computer name; IsDirty follows the chosen flag.
TEST_F(ComponentDataTest, PersistsTheComputerNameIn522BytesAndTracksDirtiness) {
  MakeInstallation({.remote = 2});
  // The add wizard's page starts with the installation's MACHINE; Finish takes it.
  ui_.ExpectDialog(kTitle, [](DialogDriver& driver) {
    EXPECT_TRUE(pw::ui::PressWizardFinish(driver.window()));
  });
  ui_.ExpectDialog(IDD_PLEASE_WAIT);
  ASSERT_TRUE(AddSnapIn().ok());
  // The page decided the computer in this run: the file is dirty.
  const std::string path = installation_->dir().Sub("remote.pwc");
  ASSERT_TRUE(session().SaveDocument(path).ok());
  const pw::mmc::ConsoleDocument document = SavedDocument(path);
  EXPECT_EQ(document.snapin, CLSID_PagewellSnapin);
  ASSERT_EQ(document.snapin_stream.size(), 522u);
  EXPECT_EQ(document.snapin_stream.substr(0, 14), pw::ToUtf16Le(L"FAXSRV") + std::string(2, '\0'));
  EXPECT_EQ(std::count(document.snapin_stream.begin(), document.snapin_stream.end(), '\0'),
            522 - 6);
  // MACHINE is a one-time hand-over: it is gone after the first start.
  CRegKey config;
  ASSERT_EQ(config.Open(HKEY_LOCAL_MACHINE, kConfigKey), ERROR_SUCCESS);
  std::wstring machine;
  EXPECT_NE(config.QueryStringValue(L"MACHINE", &machine), ERROR_SUCCESS);
  // Saving cleared the flag: closing with "ask" asks nothing.
  EXPECT_TRUE(session().Close(pw::mmc::ClosePolicy::kAsk).ok());
  EXPECT_TRUE(ui_.message_boxes().empty());
}

// A local installation's Load reads nothing: a console file of another length still opens.
TEST_F(ComponentDataTest, LoadOnALocalServerReadsNothing) {
  MakeInstallation();
  pw::mmc::ConsoleDocument document;
  document.snapin = CLSID_PagewellSnapin;
  document.snapin_stream = pw::ToUtf16Le(L"OTHERPC");  // not even 522 bytes
  const std::string path = installation_->dir().Sub("local.pwc");
  installation_->dir().WriteFile("local.pwc", pw::mmc::EncodeConsoleDocument(document));
  ASSERT_TRUE(session().OpenDocument(path).ok());
  const pw::mmc::ConsoleState state = State();
  ASSERT_FALSE(state.tree.empty());
  EXPECT_EQ(state.tree.front().name, L"Pagewell Configuration (Local)");
  EXPECT_TRUE(ui_.message_boxes().empty());
}

// An all-zero console file on a console for any server asks for the computer; cancelling
// reports string 365 and fails the load.
TEST_F(ComponentDataTest, AllZeroComputerNameAsksForTheComputerAndFailsWhenCancelled) {
  MakeInstallation({.remote = 2});
  DeleteMachineValue();
  pw::mmc::ConsoleDocument document;
  document.snapin = CLSID_PagewellSnapin;
  document.snapin_stream.assign(522, '\0');
  installation_->dir().WriteFile("zero.pwc", pw::mmc::EncodeConsoleDocument(document));
  ui_.ExpectDialog(IDD_SELECT_COMPUTER, [](DialogDriver& driver) { driver.Click(IDCANCEL); });
  ui_.ExpectMessageBox(IDOK, L"The selected snap-in did not initialize properly.");
  const pw::mmc::OperationResult opened =
      session().OpenDocument(installation_->dir().Sub("zero.pwc"));
  EXPECT_EQ(opened.hr, E_FAIL);
  ASSERT_EQ(ui_.message_boxes().size(), 1u);
  EXPECT_EQ(ui_.message_boxes()[0].caption, kTitle);
  EXPECT_EQ(ui_.message_boxes()[0].icon, MB_ICONWARNING);
}

// A saved computer whose server is not installed is reported with string 366 before the
// selection is asked for, then the load fails with string 365.
TEST_F(ComponentDataTest, SavedComputerWithoutServerReportsBothMessages) {
  MakeInstallation({.remote = 2});
  DeleteMachineValue();
  pw::mmc::ConsoleDocument document;
  document.snapin = CLSID_PagewellSnapin;
  document.snapin_stream = pw::ToUtf16Le(L"NOSERVER");
  document.snapin_stream.resize(522, '\0');
  installation_->dir().WriteFile("gone.pwc", pw::mmc::EncodeConsoleDocument(document));
  ui_.ExpectMessageBox(IDOK,
                       L"The connection has failed since the Pagewell server is not installed on "
                       L"the specified machine.\n\nPlease select another machine.");
  ui_.ExpectDialog(IDD_SELECT_COMPUTER, [](DialogDriver& driver) {
    EXPECT_EQ(driver.Text(IDC_COMPUTER_NAME), L"NOSERVER");
    driver.Click(IDCANCEL);
  });
  ui_.ExpectMessageBox(IDOK, L"The selected snap-in did not initialize properly.");
  EXPECT_EQ(session().OpenDocument(installation_->dir().Sub("gone.pwc")).hr, E_FAIL);
  EXPECT_EQ(ui_.message_boxes().size(), 2u);
}

// A saved computer whose server is there reconnects without a message.
TEST_F(ComponentDataTest, SavedComputerReconnects) {
  MakeInstallation({.remote = 2});
  DeleteMachineValue();
  pw::mmc::ConsoleDocument document;
  document.snapin = CLSID_PagewellSnapin;
  document.snapin_stream = pw::ToUtf16Le(L"FAXSRV");
  document.snapin_stream.resize(522, '\0');
  installation_->dir().WriteFile("saved.pwc", pw::mmc::EncodeConsoleDocument(document));
  ASSERT_TRUE(session().OpenDocument(installation_->dir().Sub("saved.pwc")).ok());
  EXPECT_EQ(State().tree.front().name, L"Pagewell Configuration (FAXSRV)");
  EXPECT_TRUE(ui_.message_boxes().empty());
}

// Destroy closes the server's programs and starts one restart even when both the restart
// setting and the store ask for it; a remote console names the computer.
TEST_F(ComponentDataTest, DestroyRunsTheProgramsAndOneServerRestart) {
  MakeInstallation();
  ASSERT_TRUE(AddSnapIn().ok());
  ASSERT_TRUE(session().Close(pw::mmc::ClosePolicy::kDiscard).ok());
  EXPECT_EQ(installation_->ProgramRuns(),
            (std::vector<std::string>{"pwgwconf.exe -close", "pwgwinet.exe -setup:close"}));
}

// A restart that the store has pending runs " -serverrestart" exactly once, from the share.
TEST_F(ComponentDataTest, PendingRestartRunsServerRestartOnceOnTheShare) {
  MakeInstallation({.remote = 1});
  ASSERT_TRUE(AddSnapIn().ok());
  // A setting the server reads only at start marks the restart as pending in the store.
  ASSERT_TRUE(session()
                  .Run([](pw::mmc::Console&) -> HRESULT {
                    IArdentDBPtr store;
                    HRESULT hr = pw::CreateInstance(CLSID_ArdentDB, &store);
                    if (FAILED(hr)) return hr;
                    try {
                      store->Open(0, L"\\\\FAXSRV\\PWSERVER$");
                      IPagewellPtr settings = store.As<IPagewell>();
                      settings->PutValue(L"IPW_OcrRatio", VARIANT::FromI4(7));
                      settings->SaveValues();
                      store->Close();
                    } catch (const ComError& error) {
                      return error.Error();
                    }
                    return S_OK;
                  })
                  .ok());
  ASSERT_TRUE(session().Close(pw::mmc::ClosePolicy::kDiscard).ok());
  EXPECT_EQ(installation_->ProgramRuns(),
            (std::vector<std::string>{"pwgwconf.exe -close -remote:FAXSRV",
                                      "pwgwinet.exe -setup:close -remote:FAXSRV",
                                      "pwgwconf.exe -serverrestart -remote:FAXSRV"}));
}

}  // namespace
}  // namespace pw::test
