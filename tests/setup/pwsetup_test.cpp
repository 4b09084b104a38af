// pwsetup as a program: the installations it creates, what re-running keeps, and how it fails.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "installation/interfaces/ardent_db.h"
#include "installation/interfaces/ardent_userdb.h"
#include "platform/com/class_loader.h"
#include "platform/com/strings.h"
#include "platform/win/registry.h"
#include "tests/support/temp_installation.h"

namespace pw::test {
namespace {

constexpr wchar_t kVendor[] = L"SOFTWARE\\Ardent Telecom";
constexpr wchar_t kServer[] = L"SOFTWARE\\Ardent Telecom\\Pagewell";
constexpr wchar_t kConfig[] = L"SOFTWARE\\Ardent Telecom\\Pagewell\\Config";
constexpr wchar_t kMonitor[] = L"SOFTWARE\\Ardent Telecom\\Ziroze Vevavur";

struct SetupRun {
  int exit_code = -1;
  std::string out;
  std::string err;
};

// Every value of a key, by name; empty when the key is missing.
std::map<std::wstring, RegValue> Values(const wchar_t* key_name) {
  std::map<std::wstring, RegValue> values;
  CRegKey key;
  if (key.Open(HKEY_LOCAL_MACHINE, key_name) != ERROR_SUCCESS) return values;
  std::wstring name;
  RegValue value;
  for (DWORD i = 0; RegEnumValue(key.m_hKey(), i, &name, &value) == ERROR_SUCCESS; ++i) {
    values[name] = value;
  }
  return values;
}

std::vector<std::wstring> Texts(const IArdentTextEnumPtr& texts) {
  std::vector<std::wstring> result;
  _bstr_t text;
  while (texts->Next(&text) == S_OK) result.push_back(text.str());
  return result;
}

class PwsetupTest : public ::testing::Test {
 protected:
  // Runs `program` (pwsetup of the build unless told) with the test's registry file; a run
  // that does not end within a minute is killed and fails the test.
  SetupRun RunSetup(const std::string& arguments, std::string program = BinDir() + "/pwsetup") {
    const std::string out = work_.Sub("out.txt");
    const std::string err = work_.Sub("err.txt");
    const std::string command = "timeout 60 " + program + " --registry " + registry_.file() + " " +
                                arguments + " >" + out + " 2>" + err;
    const int status = std::system(command.c_str());
    SetupRun run;
    run.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = work_.ReadFile("out.txt");
    run.err = work_.ReadFile("err.txt");
    EXPECT_NE(run.exit_code, 124) << "pwsetup did not finish: " << arguments;
    return run;
  }

  // The configuration store of `folder`, opened through the registrations pwsetup made.
  IArdentRULEDBPtr OpenRules(const std::string& folder) {
    IArdentDBPtr store;
    EXPECT_EQ(CreateInstance(CLSID_ArdentDB, &store), S_OK) << LastModuleLoadError();
    if (!store) return nullptr;
    EXPECT_EQ(store->raw_Open(0, FromUtf8(folder).c_str()), S_OK);
    return store.As<IArdentRULEDB>();
  }

  IArdentUserLocatorPtr OpenUsers(const std::string& folder) {
    IArdentUserDBPtr user_db;
    EXPECT_EQ(CreateInstance(CLSID_ArdentUserDB, &user_db), S_OK);
    if (!user_db) return nullptr;
    EXPECT_EQ(user_db->raw_Connect(UDB_CONNECT_OPEN,
                                   (L"dbpath=" + FromUtf8(folder) + L"\\pwdb_usr.fst").c_str()),
              S_OK);
    return user_db.As<IArdentUserLocator>();
  }

  // Each rule of `type` as "value: users" (identities replaced by logins or names).
  std::vector<std::wstring> Rules(const IArdentRULEDBPtr& rules, const wchar_t* type,
                                  const IArdentUserLocatorPtr& users) {
    std::vector<std::wstring> result;
    const IArdentRuleEnumPtr all = rules->EnumRules(L"", type);
    IArdentRulePtr rule;
    while (all->Next(&rule) == S_OK) {
      std::wstring line = rule->GetField(L"ObjectValue").ToString() + L":";
      for (const std::wstring& id : Texts(rule->EnumUsers())) {
        line += L" " + users->GetDisplayName(id);
      }
      result.push_back(line);
    }
    return result;
  }

  TempRegistry registry_;
  TempDir work_;
};

// A local server: every registry value exactly, the stores and the defaults, the coverpages.
TEST_F(PwsetupTest, ServerCreatesAWorkingInstallation) {
  const std::string folder = work_.Sub("server");
  const SetupRun run = RunSetup("--server " + folder);
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_NE(run.out.find("created: configuration " + folder + "/pwconfig.db\n"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(folder + "/OCR")) << "only the demo has an OCR engine";

  using V = std::map<std::wstring, RegValue>;
  EXPECT_EQ(Values(kVendor), (V{{L"PAGEWELL TYPE", RegValue::String(L"Server")}}));
  EXPECT_EQ(Values(kServer), (V{{L"PATH", RegValue::String(FromUtf8(folder))},
                                {L"MajorVer", RegValue::Dword(9)},
                                {L"MinorVer", RegValue::Dword(0)},
                                {L"Build", RegValue::Dword(1)}}));
  EXPECT_EQ(Values(kConfig), (V{{L"REMOTE", RegValue::Dword(0)},
                                {L"USERMODE", RegValue::Dword(3)},
                                {L"DEBUG", RegValue::Dword(0)},
                                {L"DBPATH", RegValue::String(FromUtf8(folder) + L"\\")},
                                {L"LOGDIR", RegValue::String(FromUtf8(folder) + L"\\")}}));
  EXPECT_TRUE(Values(kMonitor).empty());

  const IArdentRULEDBPtr rules = OpenRules(folder);
  const IArdentUserLocatorPtr users = OpenUsers(folder);
  ASSERT_TRUE(rules && users);
  for (const wchar_t* list : {L"faxusers", L"defrouters", L"admins"}) {
    EXPECT_EQ(Rules(rules, list, users), std::vector<std::wstring>{L": Administrator"}) << list;
  }
  EXPECT_TRUE(Rules(rules, L"csid", users).empty());
  for (const char* file : {"standard.rtf", "confidential.rtf", "memo.htm"}) {
    EXPECT_TRUE(work_.Exists(std::string("server/coverpge/") + file)) << file;
  }
  EXPECT_EQ(work_.ReadFile("server/coverpge/memo.htm").rfind("<html>", 0), 0u);
}

// The demo: users, lines, MSNs, routes to the right users and coverpage rules.
TEST_F(PwsetupTest, DemoHasSampleContent) {
  const std::string folder = work_.Sub("demo");
  const SetupRun run = RunSetup("--demo " + folder);
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(Values(kConfig)[L"USERMODE"], RegValue::Dword(3));

  IArdentDBPtr store;
  ASSERT_EQ(CreateInstance(CLSID_ArdentDB, &store), S_OK);
  ASSERT_EQ(store->raw_Open(0, FromUtf8(folder).c_str()), S_OK);
  const IPagewellPtr settings = store.As<IPagewell>();
  EXPECT_EQ(Texts(settings->EnumLines()), (std::vector<std::wstring>{L"1", L"2", L"3", L"4"}));
  EXPECT_EQ(Texts(settings->EnumMSNs()), (std::vector<std::wstring>{L"4711", L"4712", L"4713"}));

  const IArdentRULEDBPtr rules = store.As<IArdentRULEDB>();
  const IArdentUserLocatorPtr users = OpenUsers(folder);
  EXPECT_EQ(
      Rules(rules, L"faxusers", users),
      std::vector<std::wstring>{L": Administrator Anna Berger Tom Fischer Maria Koenig Sales"});
  EXPECT_EQ(Rules(rules, L"defrouters", users), std::vector<std::wstring>{L": Administrator"});
  EXPECT_EQ(Rules(rules, L"admins", users), std::vector<std::wstring>{L": Administrator"});
  EXPECT_EQ(Rules(rules, L"csid", users),
            (std::vector<std::wstring>{L"+49 89 1234567: Anna Berger",
                                       L"+44 20 7946 0321: Tom Fischer", L"ACME SALES: Sales"}));
  EXPECT_EQ(Rules(rules, L"did", users),
            (std::vector<std::wstring>{L"0100: Anna Berger", L"0101: Tom Fischer",
                                       L"0102: Maria Koenig", L"0200: Sales"}));
  // One entry of every other list, so that each can be tried in the demo.
  EXPECT_EQ(Rules(rules, L"line", users), std::vector<std::wstring>{L"1: Sales"});
  EXPECT_EQ(Rules(rules, L"msn", users), std::vector<std::wstring>{L"4711: Anna Berger"});
  EXPECT_EQ(Rules(rules, L"ocr", users), std::vector<std::wstring>{L"Invoice: Maria Koenig"});
  EXPECT_EQ(Rules(rules, L"callblock", users), std::vector<std::wstring>{L"0900: Sales"});

  std::vector<std::wstring> coverpages;
  const IArdentRuleEnumPtr all = rules->EnumRules(L"", L"coverpage");
  IArdentRulePtr rule;
  while (all->Next(&rule) == S_OK) {
    coverpages.push_back(rule->GetField(L"ObjectDisplay").ToString() + L"=" +
                         rule->GetField(L"ObjectValue").ToString() + L"/" +
                         rule->GetField(L"ObjectFlags").ToString());
  }
  EXPECT_EQ(coverpages,
            (std::vector<std::wstring>{L"Standard=standard.rtf/256",
                                       L"Confidential=confidential.rtf/0", L"Memo=memo.htm/0"}));
  // The demo has an OCR engine, so that its OCR list can be tried; a server has none.
  EXPECT_TRUE(work_.Exists("demo/OCR/faxtotxt.dll"));
  EXPECT_NE(run.out.find("created: OCR engine file " + folder + "/OCR/faxtotxt.dll\n"),
            std::string::npos)
      << run.out;
}

// Re-running keeps a rule, a changed file and a changed value made in between, and says so.
TEST_F(PwsetupTest, RerunCompletesAndKeeps) {
  const std::string folder = work_.Sub("demo");
  ASSERT_EQ(RunSetup("--demo " + folder).exit_code, 0);
  {
    const IArdentRULEDBPtr rules = OpenRules(folder);
    ASSERT_TRUE(rules);
    const IArdentRulePtr extra = rules->CreateRule(L"csid");
    extra->SetField(L"ObjectValue", VARIANT::FromBstr(L"EXTRA"));
    rules->SaveRule(extra.Get(), VARIANT_TRUE);
  }
  work_.WriteFile("demo/coverpge/memo.htm", "mine");
  std::filesystem::remove(folder + "/coverpge/standard.rtf");
  CRegKey config;
  ASSERT_EQ(config.Open(HKEY_LOCAL_MACHINE, kConfig, KEY_ALL_ACCESS), ERROR_SUCCESS);
  ASSERT_EQ(config.SetDWORDValue(L"DEBUG", 1), ERROR_SUCCESS);
  ASSERT_EQ(config.DeleteValue(L"LOGDIR"), ERROR_SUCCESS);

  const SetupRun again = RunSetup("--demo " + folder);
  ASSERT_EQ(again.exit_code, 0) << again.err;
  EXPECT_NE(again.out.find("kept: configuration " + folder + "/pwconfig.db\n"), std::string::npos);
  EXPECT_NE(again.out.find("kept: csid route ACME SALES\n"), std::string::npos);
  EXPECT_NE(again.out.find("created: coverpage file " + folder + "/coverpge/standard.rtf\n"),
            std::string::npos);
  EXPECT_NE(again.out.find("kept: HKEY_LOCAL_MACHINE\\" + ToUtf8(kConfig) + "\\DEBUG = 1\n"),
            std::string::npos);
  EXPECT_EQ(again.out.find("created: csid"), std::string::npos);

  const IArdentRULEDBPtr rules = OpenRules(folder);
  const IArdentUserLocatorPtr users = OpenUsers(folder);
  EXPECT_EQ(Rules(rules, L"csid", users).back(), L"EXTRA:");
  EXPECT_EQ(Rules(rules, L"csid", users).size(), 4u);
  EXPECT_EQ(Rules(rules, L"faxusers", users).size(), 1u);
  EXPECT_EQ(work_.ReadFile("demo/coverpge/memo.htm"), "mine");
  EXPECT_TRUE(work_.Exists("demo/coverpge/standard.rtf"));
  EXPECT_EQ(Values(kConfig)[L"DEBUG"], RegValue::Dword(1));
  EXPECT_EQ(Values(kConfig)[L"LOGDIR"], RegValue::String(FromUtf8(folder) + L"\\"));
}

// Remote console kind 2: MACHINE in the registry, the version under the remote monitor key.
TEST_F(PwsetupTest, RemoteConsoleAnyServer) {
  const SetupRun run = RunSetup("--remote-console 2 --machine ' faxsrv '");
  ASSERT_EQ(run.exit_code, 0) << run.err;
  using V = std::map<std::wstring, RegValue>;
  EXPECT_EQ(Values(kConfig), (V{{L"REMOTE", RegValue::Dword(2)},
                                {L"USERMODE", RegValue::Dword(3)},
                                {L"DEBUG", RegValue::Dword(0)},
                                {L"MACHINE", RegValue::String(L"faxsrv")}}));
  EXPECT_EQ(Values(kMonitor), (V{{L"MajorVer", RegValue::Dword(9)},
                                 {L"MinorVer", RegValue::Dword(0)},
                                 {L"Build", RegValue::Dword(1)}}));
  EXPECT_EQ(Values(kServer), (V{{L"PATH", RegValue::String(FromUtf8(BinDir()))}}));
  EXPECT_EQ(Values(kVendor)[L"PAGEWELL TYPE"], RegValue::String(L"Remote Console"));
  EXPECT_FALSE(std::filesystem::exists(BinDir() + "/SPLITINFO.INI"));

  // Directory mode 2 needs its profile; a second run with another machine keeps the first.
  const SetupRun again = RunSetup("--remote-console 2 --machine other --usermode 2");
  ASSERT_EQ(again.exit_code, 0) << again.err;
  EXPECT_EQ(Values(kConfig)[L"MACHINE"], RegValue::String(L"faxsrv"));
  EXPECT_EQ(Values(kConfig)[L"USERMODE"], RegValue::Dword(3));
  EXPECT_EQ(Values(kConfig)[L"MAPIPROFILE"], RegValue::String(L"Pagewell"));
}

// Remote console kind 1: the server's name goes to SPLITINFO.INI beside the modules, which
// are installed together with pwsetup in a folder of the test's own.
TEST_F(PwsetupTest, RemoteConsoleFixedServer) {
  const std::string bin = work_.Sub("bin");
  std::filesystem::create_directories(bin);
  for (const char* file :
       {"pwsetup", "pwconfig.so", "pwstore.so", "pwuserdb.so", "pwaddrbook.so", "libuserutil.so"}) {
    std::filesystem::copy_file(BinDir() + "/" + file, bin + "/" + file);
  }
  const SetupRun run = RunSetup("--remote-console 1 --machine faxsrv", bin + "/pwsetup");
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(work_.ReadFile("bin/SPLITINFO.INI"), "[Config]\r\nMachine=faxsrv\r\n");
  EXPECT_EQ(Values(kConfig)[L"REMOTE"], RegValue::Dword(1));
  EXPECT_EQ(Values(kConfig).count(L"MACHINE"), 0u);
  EXPECT_EQ(Values(kMonitor)[L"Build"], RegValue::Dword(1));
  EXPECT_NE(run.out.find("registered: " + bin + "/pwconfig.so\n"), std::string::npos);

  CRegKey inproc;
  ASSERT_EQ(inproc.Open(HKEY_CLASSES_ROOT,
                        L"CLSID\\{20DB358F-0826-4716-B27D-A470986638E4}"
                        L"\\InprocServer32"),
            ERROR_SUCCESS);
  std::wstring module;
  EXPECT_EQ(inproc.QueryStringValue(L"", &module), ERROR_SUCCESS);
  EXPECT_EQ(module, FromUtf8(bin + "/pwstore.so"));
}

// Failures name file, step and code, exit with 1 (2 for usage) and write nothing.
TEST_F(PwsetupTest, FailuresAreClearAndWriteNothing) {
  const std::string file = work_.WriteFile("plain", "x");
  SetupRun run = RunSetup("--server " + file);
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.err, "pwsetup: " + file +
                         ": using the installation folder failed (code 0x8007010B: it exists "
                         "and is not a folder)\n");
  run = RunSetup("--server " + file + "/below");
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_NE(run.err.find(": creating the installation folder failed (code 0x80070003"),
            std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(registry_.file()));

  EXPECT_EQ(RunSetup("--server").exit_code, 2);
  EXPECT_EQ(RunSetup("--server a --demo b").exit_code, 2);
  EXPECT_EQ(RunSetup("--server a --usermode 4").exit_code, 2);
  EXPECT_EQ(RunSetup("--remote-console 3 --machine x").exit_code, 2);
  EXPECT_EQ(RunSetup("--remote-console 1").exit_code, 2);
  EXPECT_EQ(RunSetup("--remote-console 2 --machine 'a\\b'").exit_code, 2);
  EXPECT_FALSE(std::filesystem::exists(registry_.file()));

  // A registry that holds a server is not turned into a remote console, nor moved.
  ASSERT_EQ(RunSetup("--server " + work_.Sub("one")).exit_code, 0);
  const std::string before = registry_.dir().ReadFile("registry.reg");
  run = RunSetup("--remote-console 2 --machine faxsrv");
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.err, "pwsetup: " + registry_.file() +
                         ": checking HKEY_LOCAL_MACHINE\\SOFTWARE\\Ardent Telecom\\Pagewell\\"
                         "Config\\REMOTE failed (code 0x800700B7: the registry describes an "
                         "installation with REMOTE 0, not 2; choose another registry file)\n");
  EXPECT_EQ(RunSetup("--server " + work_.Sub("two")).exit_code, 1);
  EXPECT_EQ(registry_.dir().ReadFile("registry.reg"), before);
  EXPECT_FALSE(work_.Exists("two/pwconfig.db"));
}

}  // namespace
}  // namespace pw::test
