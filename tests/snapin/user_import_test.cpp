// Importing users through the console: the file command with its two passes and questions,
// and the command that runs the server's import program.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "module/resources/user_dialogs.h"
#include "platform/ui/resources/ui_resource.h"
#include "tests/snapin/user_list_fixture.h"

namespace pw::test {
namespace {

constexpr long kImportProgramCommand = 4;
constexpr long kImportFileCommand = 5;

const wchar_t* const kAttributes[] = {L"cn",
                                      L"givenName",
                                      L"sn",
                                      L"company",
                                      L"department",
                                      L"facsimileTelephoneNumber",
                                      L"mail",
                                      L"telephoneNumber",
                                      L"ardentWindowsAccount",
                                      L"ardentInternetMail",
                                      L"ardentCustomFlags"};

std::string Utf8Bom(const std::string& text) { return "\xEF\xBB\xBF" + text; }

std::string Utf16BigEndian(const std::wstring& text) {
  std::string bytes = "\xFE\xFF";
  for (const wchar_t c : text) {
    bytes.push_back(static_cast<char>((c >> 8) & 0xFF));
    bytes.push_back(static_cast<char>(c & 0xFF));
  }
  return bytes;
}

class UserImportTest : public UserListTest {
 protected:
  void Start(const std::string& options_ini = {}) {
    MakeInstallation();
    if (!options_ini.empty()) {
      std::ofstream(installation_->server_folder() + "/options.ini") << options_ini;
    }
    ASSERT_TRUE(AddSnapIn().ok());
    item_ = ShowLicensedUsers();
  }

  // Runs a command of the node; the windows the command opens after its file dialog are
  // expected from then on.
  void RunCommand(long command) {
    for (const auto& expect : later_) expect();
    later_.clear();
    std::vector<pw::mmc::MenuItem> items;
    ASSERT_TRUE(session().OpenContextMenu(kView, item_, &items).ok());
    for (std::size_t i = 0; i < items.size(); ++i) {
      if (!items[i].console_item && items[i].command_id == command) {
        session().RunMenuItem(kView, static_cast<int>(i));
        return;
      }
    }
    ADD_FAILURE() << "no command " << command;
  }

  // Writes `bytes` to a file and chooses it in "I&mport users from file...".
  void ImportBytes(const std::string& bytes, const std::string& name = "users.csv") {
    const std::string file = installation_->dir().WriteFile(name, bytes);
    ui_.ExpectDialog(L"Import users from file", [file](DialogDriver& dialog) {
      dialog.Type(IDC_FD_NAME, pw::FromUtf8(file));
      dialog.Click(IDOK);
    });
    RunCommand(kImportFileCommand);
  }

  // A question of the next import: its text must be `text`; `button` answers it. The
  // existing-user question has no Cancel button: IDCANCEL there is its close box.
  void ExpectQuestion(UINT template_id, const std::wstring& text, int button) {
    later_.push_back([this, template_id, text, button] {
      ui_.ExpectDialog(template_id, [template_id, text, button](DialogDriver& dialog) {
        EXPECT_EQ(dialog.Text(IDC_IQ_MESSAGE), text);
        if (button == IDCANCEL && template_id == IDD_DUP_FAX_ADDR) {
          dialog.Close();
        } else {
          dialog.Click(button);
        }
      });
    });
  }
  // A message box of the next import, answered with OK.
  void ExpectMessage(const std::wstring& text) {
    later_.push_back([this, text] { ui_.ExpectMessageBox(IDOK, text); });
  }

  // The attributes of the user with address `mail`, in kAttributes order; empty when none.
  std::vector<std::wstring> Attributes(const std::wstring& mail) {
    std::vector<std::wstring> values;
    WithStores([&](IArdentRULEDB&, IArdentUserLocator& users) {
      IArdentUserPtr user;
      if (users.FindUser(udbSearchMail, mail, &user) != S_OK || !user) return;
      for (const wchar_t* name : kAttributes) values.push_back(user->GetAttribute(name).ToString());
    });
    return values;
  }

  // Every object of the user database with its attributes.
  std::map<std::wstring, std::vector<std::wstring>> Database() {
    std::map<std::wstring, std::vector<std::wstring>> objects;
    WithStores([&](IArdentRULEDB&, IArdentUserLocator& users) {
      const IArdentTextEnumPtr identities = users.EnumObjects();
      _bstr_t identity;
      while (identities->Next(&identity) == S_OK) {
        IArdentUserPtr user;
        users.FindUser(udbSearchDefault, identity.str(), &user);
        std::vector<std::wstring>& values = objects[identity.str()];
        for (const wchar_t* name : kAttributes) {
          values.push_back(user->GetAttribute(name).ToString());
        }
      }
    });
    return objects;
  }

  std::wstring IdentityOf(const std::wstring& mail) {
    std::wstring identity;
    WithStores([&](IArdentRULEDB&, IArdentUserLocator& users) {
      IArdentUserPtr user;
      if (users.FindUser(udbSearchMail, mail, &user) == S_OK && user) {
        identity = user->GetIdentity();
      }
    });
    return identity;
  }

  std::vector<int> SelectedRows() { return State().views.front().selected_rows; }

  HSCOPEITEM item_ = 0;
  std::vector<std::function<void()>> later_;
};

std::wstring CommaExpected(int line) {
  return L"Error (line " + std::to_wstring(line) +
         L"): A comma was expected in the import file.\n\nDo you wish to ignore this error and "
         L"continue?";
}

std::wstring AddressExists(int line, const std::wstring& address) {
  return L"Warning (line " + std::to_wstring(line) + L"): The Pagewell address '" + address +
         L"' is already present in the list of users.\n\nDo you wish to overwrite the "
         L"information of this user with the information in the Import file?";
}

// A UTF-8 file with its mark and a UTF-16 big-endian file with the same content give the
// same users: the second import finds every address and overwrites with equal values.
TEST_F(UserImportTest, Utf8AndUtf16BigEndianImportTheSameUsers) {
  Start();
  const std::wstring content =
      L"J\u00FCrgen,M\u00FCller,\u20AC Bank,Einkauf,+49 30 1,+49 30 2,jm@Pagewell,jmueller,"
      L"j.mueller@example.com\r\n\"Zo\u00EB\",\"O'Brien, Jr.\",,,,,zo@Pagewell,,\r\n";
  ImportBytes(Utf8Bom(pw::ToUtf8(content)), "users_utf8.csv");
  const std::vector<std::wstring> juergen = Attributes(L"jm@Pagewell");
  const std::vector<std::wstring> zoe = Attributes(L"zo@Pagewell");
  EXPECT_EQ(juergen,
            (std::vector<std::wstring>{L"J\u00FCrgen M\u00FCller", L"J\u00FCrgen", L"M\u00FCller",
                                       L"\u20AC Bank", L"Einkauf", L"+49 30 1", L"jm@Pagewell",
                                       L"+49 30 2", L"jmueller", L"j.mueller@example.com", L"0"}));
  EXPECT_EQ(zoe,
            (std::vector<std::wstring>{L"Zo\u00EB O'Brien, Jr.", L"Zo\u00EB", L"O'Brien, Jr.", L"",
                                       L"", L"", L"zo@Pagewell", L"", L"zo@Pagewell", L"", L"0"}));
  const std::size_t objects = Database().size();

  ExpectQuestion(IDD_DUP_FAX_ADDR, AddressExists(1, L"jm@Pagewell"), IDC_YES_TO_ALL);
  ImportBytes(Utf16BigEndian(content), "users_utf16be.csv");
  EXPECT_EQ(Attributes(L"jm@Pagewell"), juergen);
  EXPECT_EQ(Attributes(L"zo@Pagewell"), zoe);
  EXPECT_EQ(Database().size(), objects);
  EXPECT_EQ(ui_.pending_expectations(), 0u);
}

// Eight fields import; seven fields report a missing comma with the line number counted over
// the empty lines before it; after "Yes" the other records import, are registered and are the
// rows selected afterwards.
TEST_F(UserImportTest, EightFieldsImportSevenReportMissingComma) {
  Start();
  ExpectQuestion(IDD_INVALID_EMAIL, CommaExpected(4), IDYES);
  ImportBytes(
      "Anna,Berger,Acme,Sales,+1,+2,anna@Pagewell,aberger\r\n"
      "\r\n"
      "\n"
      "Bob,Stone,Acme,Sales,+1,+2,bob@Pagewell\r\n"
      "Carl,Diem,,,,,carl@Pagewell,cdiem,carl@example.com\r\n");
  EXPECT_EQ(Attributes(L"bob@Pagewell"), std::vector<std::wstring>{});
  ASSERT_FALSE(Attributes(L"anna@Pagewell").empty());
  EXPECT_EQ(Attributes(L"anna@Pagewell")[8], L"aberger");
  EXPECT_EQ(Attributes(L"anna@Pagewell")[9], L"");
  EXPECT_EQ(Attributes(L"carl@Pagewell")[9], L"carl@example.com");
  EXPECT_TRUE(Lists(L"faxusers", IdentityOf(L"anna@Pagewell")));
  EXPECT_TRUE(Lists(L"faxusers", IdentityOf(L"carl@Pagewell")));

  const std::vector<std::wstring> names = Names();
  ASSERT_EQ(names.size(), 3u) << "the administrator and the two new users";
  const int anna = RowOf(L"Anna Berger");
  const int carl = RowOf(L"Carl Diem");
  ASSERT_NE(anna, -1);
  ASSERT_NE(carl, -1);
  std::vector<int> expected{anna, carl};
  std::sort(expected.begin(), expected.end());
  std::vector<int> selected = SelectedRows();
  std::sort(selected.begin(), selected.end());
  EXPECT_EQ(selected, expected);
  EXPECT_EQ(ui_.pending_expectations(), 0u);
}

// Quoted fields keep their commas; an empty login becomes the address, and with empty names
// the full name too; the mail system flag comes from options.ini, where SMTP wins.
TEST_F(UserImportTest, QuotedCommasEmptyLoginAndMailSystem) {
  Start("[MailSystems]\r\nNetworks=*\r\nSMTP=*\r\n");
  ImportBytes(
      "\"Doe, John\",\"Smith, Jr.\",\"Acme, Inc.\",R&D,,,jdoe@Pagewell,,\n"
      ",,,,,,nobody@Pagewell,,\n");
  EXPECT_EQ(Attributes(L"jdoe@Pagewell"),
            (std::vector<std::wstring>{L"Doe, John Smith, Jr.", L"Doe, John", L"Smith, Jr.",
                                       L"Acme, Inc.", L"R&D", L"", L"jdoe@Pagewell", L"",
                                       L"jdoe@Pagewell", L"", L"1"}));
  EXPECT_EQ(Attributes(L"nobody@Pagewell"),
            (std::vector<std::wstring>{L"nobody@Pagewell", L"", L"", L"", L"", L"",
                                       L"nobody@Pagewell", L"", L"nobody@Pagewell", L"", L"1"}));
  EXPECT_NE(RowOf(L"nobody@Pagewell"), -1);
}

// "No to all" is asked once: no existing user is overwritten afterwards, new users still
// come in.
TEST_F(UserImportTest, NoToAllAsksOnceAndKeepsExistingUsers) {
  Start("[MailSystems]\r\nNetworks=*\r\n");
  AddObject(L"user", L"Old A", L"a@Pagewell", L"a");
  AddObject(L"user", L"Old B", L"b@Pagewell", L"b");
  AddObject(L"user", L"Old C", L"c@Pagewell", L"c");
  ExpectQuestion(IDD_DUP_FAX_ADDR, AddressExists(2, L"a@Pagewell"), IDC_NO_TO_ALL);
  ImportBytes(
      "\r\nNew,A,,,,,a@Pagewell,a\r\nNew,D,,,,,d@Pagewell,d\r\nNew,B,,,,,b@Pagewell,b\r\n"
      "New,C,,,,,c@Pagewell,c\r\n");
  EXPECT_EQ(Attributes(L"a@Pagewell")[0], L"Old A");
  EXPECT_EQ(Attributes(L"b@Pagewell")[0], L"Old B");
  EXPECT_EQ(Attributes(L"c@Pagewell")[0], L"Old C");
  ASSERT_FALSE(Attributes(L"d@Pagewell").empty());
  EXPECT_EQ(Attributes(L"d@Pagewell")[0], L"New D");
  EXPECT_EQ(Attributes(L"d@Pagewell")[10], L"0");
  EXPECT_TRUE(Lists(L"faxusers", IdentityOf(L"d@Pagewell")));
  EXPECT_EQ(ui_.modal_windows().size(), 2u) << "the file dialog and one question";
  EXPECT_EQ(ui_.pending_expectations(), 0u);
}

// "&Yes" overwrites one user, the close box skips one, "Yes to all" overwrites the rest without
// asking; overwritten users keep their list membership as it was.
TEST_F(UserImportTest, OverwriteAnswers) {
  Start();
  for (const wchar_t* name : {L"a", L"b", L"c", L"d"}) {
    AddObject(L"user", std::wstring(L"Old ") + name, std::wstring(name) + L"@Pagewell", name);
  }
  ExpectQuestion(IDD_DUP_FAX_ADDR, AddressExists(1, L"a@Pagewell"), IDYES);
  ExpectQuestion(IDD_DUP_FAX_ADDR, AddressExists(2, L"b@Pagewell"), IDCANCEL);
  ExpectQuestion(IDD_DUP_FAX_ADDR, AddressExists(3, L"c@Pagewell"), IDC_YES_TO_ALL);
  ImportBytes(
      "New,A,Acme,,,,a@Pagewell,a2\nNew,B,,,,,b@Pagewell,b2\nNew,C,,,,,c@Pagewell,c2\n"
      "New,D,,,,,d@Pagewell,d2,d@example.com\n");
  EXPECT_EQ(Attributes(L"a@Pagewell"),
            (std::vector<std::wstring>{L"New A", L"New", L"A", L"Acme", L"", L"", L"a@Pagewell",
                                       L"", L"a2", L"", L"0"}));
  EXPECT_EQ(Attributes(L"b@Pagewell")[0], L"Old b");
  EXPECT_EQ(Attributes(L"b@Pagewell")[8], L"b");
  EXPECT_EQ(Attributes(L"c@Pagewell")[8], L"c2");
  EXPECT_EQ(Attributes(L"d@Pagewell")[9], L"d@example.com");
  EXPECT_FALSE(Lists(L"faxusers", IdentityOf(L"a@Pagewell")));
  EXPECT_EQ(ui_.pending_expectations(), 0u);
}

// Cancel in the validation pass writes nothing: the user database and the store are as
// before, although valid records came first.
TEST_F(UserImportTest, CancelInValidationChangesNothing) {
  Start();
  const std::wstring old = AddObject(L"user", L"Old A", L"a@Pagewell", L"a");
  AddToList(L"faxusers", {old});
  const auto database = Database();
  const std::vector<std::wstring> registered = UsersOf(L"faxusers");
  const std::vector<std::wstring> rows = Names();
  ExpectQuestion(IDD_INVALID_EMAIL,
                 L"Error (line 2): There is an invalid Internet address specified in this entry "
                 L"(nowhere).\n\nDo you wish to ignore this error and continue?",
                 IDYES);
  ExpectQuestion(IDD_INVALID_EMAIL,
                 L"Error (line 3): There is an invalid Pagewell address specified in this entry "
                 L"(bad address).\n\nDo you wish to ignore this error and continue?",
                 IDCANCEL);
  ImportBytes(
      "New,A,,,,,a@Pagewell,a2\r\nNew,N,,,,,n@Pagewell,n,nowhere\r\n"
      "X,Y,,,,,bad address,x\r\nNew,M,,,,,m@Pagewell,m\r\n");
  EXPECT_EQ(Database(), database);
  EXPECT_EQ(UsersOf(L"faxusers"), registered);
  EXPECT_EQ(Names(), rows);
  EXPECT_EQ(ui_.pending_expectations(), 0u);
}

// "Yes to all" stops the questions about commas, new lines and addresses but not about
// strings left open; records with any error are not imported.
TEST_F(UserImportTest, YesToAllStillAsksAboutOpenStrings) {
  Start();
  ExpectQuestion(IDD_INVALID_EMAIL, CommaExpected(1), IDC_YES_TO_ALL);
  ExpectQuestion(IDD_INVALID_EMAIL,
                 L"Error (line 3): A string in the import file was not closed before the end of "
                 L"line was reached. Please open the import file and check for errors.\n\nDo you "
                 L"wish to ignore this error and continue?",
                 IDYES);
  ExpectQuestion(IDD_INVALID_EMAIL,
                 L"Error (line 6): A string in the import file was not closed before the end of "
                 L"file was reached. Please open the import file and check for errors.\n\nDo you "
                 L"wish to ignore this error and continue?",
                 IDYES);
  ImportBytes(
      "A,B,,,,,a@Pagewell\n"
      "X,Y,,,,,bad address,x\n"
      "\"open,B,,,,,o@Pagewell,o\n"
      "P,Q,,,,,p@Pagewell,p,p@example.com,extra\n"
      "R,S,,,,,r@Pagewell,r\n"
      "T,\"tail");
  EXPECT_FALSE(Attributes(L"r@Pagewell").empty());
  EXPECT_TRUE(Attributes(L"p@Pagewell").empty());
  EXPECT_TRUE(Attributes(L"o@Pagewell").empty());
  EXPECT_EQ(ui_.pending_expectations(), 0u);
}

// A file that cannot be decoded is refused with the error message before any question.
TEST_F(UserImportTest, UnsupportedFilesAreRefused) {
  Start();
  const auto database = Database();
  const std::wstring message =
      L"Error: The selected file is not a supported type. Supported types include ANSI, "
      L"Unicode, Unicode big endian and UTF-8. Please select another file or convert this file "
      L"to one of the supported types.";
  ExpectMessage(message);
  ImportBytes(std::string("A\0,B,,,,,a@Pagewell,a\r\n", 24), "nul.csv");
  ExpectMessage(message);
  ImportBytes(
      "\xFF\xFE"
      "A\0,",
      "odd.csv");
  ASSERT_EQ(ui_.message_boxes().size(), 2u);
  EXPECT_EQ(ui_.message_boxes()[0].icon, static_cast<UINT>(MB_ICONERROR));
  EXPECT_EQ(ui_.message_boxes()[0].caption, L"Pagewell Configuration");
  EXPECT_EQ(Database(), database);
}

// "&Import users..." runs the server's pwimport.exe with the console's window, imports the
// sample users it writes, deletes its file and logs both steps.
TEST_F(UserImportTest, ImportProgramEndToEnd) {
  ScopedEnv source("PWIMPORT_SOURCE", std::nullopt);
  MakeInstallation();
  installation_->EnableLog();
  ASSERT_TRUE(AddSnapIn().ok());
  item_ = ShowLicensedUsers();
  RunCommand(kImportProgramCommand);

  const std::vector<std::string> runs = installation_->ProgramRuns();
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_TRUE(std::regex_match(runs[0], std::regex("pwimport\\.exe /hwnd:[0-9]+"))) << runs[0];
  EXPECT_FALSE(std::filesystem::exists(installation_->server_folder() + "/pwimport.uif"));
  EXPECT_EQ(Attributes(L"clara.weiss@Pagewell"),
            (std::vector<std::wstring>{L"Clara Weiss, Dr.", L"Clara", L"Weiss, Dr.", L"Ardent Demo",
                                       L"Accounts", L"", L"clara.weiss@Pagewell", L"",
                                       L"clara.weiss@Pagewell", L"clara.weiss@example.com", L"0"}));
  EXPECT_FALSE(Attributes(L"anna.berger@Pagewell").empty());
  EXPECT_FALSE(Attributes(L"bernd.koch@Pagewell").empty());
  EXPECT_EQ(UsersOf(L"faxusers").size(), 4u);

  const std::string folder = installation_->server_folder();
  const std::vector<std::string> log = installation_->LogLines();
  const auto logged = [&log](const std::string& line) {
    return std::find(log.begin(), log.end(), line) != log.end();
  };
  EXPECT_TRUE(logged("Executing the application: " + folder + "\\pwimport.exe"));
  EXPECT_TRUE(logged("Importing users from file: " + folder + "\\pwimport.uif"));
  EXPECT_TRUE(ui_.message_boxes().empty());
}

// On a remote console the program runs from the server's share, where it leaves its file, and
// the mail system comes from the share's options.ini.
TEST_F(UserImportTest, RemoteConsoleRunsTheProgramFromTheShare) {
  ScopedEnv source("PWIMPORT_SOURCE", std::nullopt);
  MakeInstallation({.remote = 1});
  std::ofstream(installation_->server_folder() + "/options.ini") << "[MailSystems]\nSMTP=*\n";
  installation_->EnableLog();
  ASSERT_TRUE(AddSnapIn().ok());
  item_ = ShowLicensedUsers();
  RunCommand(kImportProgramCommand);
  const std::vector<std::string> log = installation_->LogLines();
  EXPECT_NE(std::find(log.begin(), log.end(),
                      "Executing the application: \\\\FAXSRV\\PWSERVER$\\pwimport.exe"),
            log.end());
  EXPECT_NE(std::find(log.begin(), log.end(),
                      "Importing users from file: \\\\FAXSRV\\PWSERVER$\\pwimport.uif"),
            log.end());
  ASSERT_FALSE(Attributes(L"bernd.koch@Pagewell").empty());
  EXPECT_EQ(Attributes(L"bernd.koch@Pagewell")[10], L"1");
  EXPECT_FALSE(std::filesystem::exists(installation_->server_folder() + "/pwimport.uif"));
}

// The program's file may come from elsewhere (here the test's own); a missing program is
// reported with its path and nothing is imported.
TEST_F(UserImportTest, ImportProgramSourceAndLaunchFailure) {
  MakeInstallation();
  const std::string file = installation_->dir().WriteFile(
      "source.csv", Utf8Bom("Eva,Lang,,,,,eva@Pagewell,elang\r\nbroken line\r\n"));
  ScopedEnv source("PWIMPORT_SOURCE", file);
  ASSERT_TRUE(AddSnapIn().ok());
  item_ = ShowLicensedUsers();
  ExpectQuestion(IDD_INVALID_EMAIL, CommaExpected(2), IDYES);
  RunCommand(kImportProgramCommand);
  EXPECT_EQ(Attributes(L"eva@Pagewell")[0], L"Eva Lang");
  EXPECT_NE(RowOf(L"Eva Lang"), -1);

  const std::string folder = installation_->server_folder();
  std::filesystem::remove(folder + "/pwimport.exe");
  const auto database = Database();
  ui_.ExpectMessageBox(IDOK, L"Error launching the external application '" + pw::FromUtf8(folder) +
                                 L"\\pwimport.exe'. Please re-install this product.");
  RunCommand(kImportProgramCommand);
  ASSERT_EQ(ui_.message_boxes().size(), 1u);
  EXPECT_EQ(ui_.message_boxes()[0].icon, static_cast<UINT>(MB_ICONERROR));
  EXPECT_EQ(Database(), database);
  EXPECT_EQ(ui_.pending_expectations(), 0u);
}

}  // namespace
}  // namespace pw::test
