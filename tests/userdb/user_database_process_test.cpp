// Consoles in several processes that find no user database at once: each connects, whoever
// creates the file, and every user they save is kept.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>

#include "tests/support/process_helpers.h"
#include "tests/userdb/userdb_fixture.h"

namespace pw::test {
namespace {

constexpr int kProcesses = 4;

using UserDatabaseProcessTest = UserDbTest;

// Processes released together onto a missing file all connect with flags 7 and save.
TEST_F(UserDatabaseProcessTest, ConcurrentFirstConnectionsAllSucceed) {
  int start[2];
  ASSERT_EQ(::pipe(start), 0);
  const std::wstring argument = DbArgument();
  std::vector<pid_t> children;
  for (int n = 0; n < kProcesses; ++n) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ::close(start[1]);
      char go = 0;
      // Every child blocks here until the parent closes its end, so they start together.
      (void)!::read(start[0], &go, 1);
      IArdentUserDBPtr user_db;
      if (FAILED(CreateInstance(CLSID_ArdentUserDB, &user_db))) ::_exit(2);
      if (user_db->raw_Connect(7, argument.c_str()) != S_OK) ::_exit(3);
      IArdentUserPtr user = user_db.As<IArdentUserLocator>()->CreateUser();
      user->SetAttribute(L"ardentWindowsAccount", VARIANT::FromBstr(L"user" + std::to_wstring(n)));
      ::_exit(user->raw_Save() == S_OK ? 0 : 4);
    }
    children.push_back(child);
  }
  ::close(start[0]);
  ::close(start[1]);
  for (const pid_t child : children) EXPECT_EQ(WaitForChild(child, std::chrono::seconds(60)), 0);

  const IArdentUserLocatorPtr users = Connected();
  ASSERT_TRUE(users);
  EXPECT_EQ(AllTexts(users->EnumObjects()).size(), static_cast<std::size_t>(kProcesses));
  for (int n = 0; n < kProcesses; ++n) {
    IArdentUserPtr user;
    EXPECT_EQ(users->FindUser(udbSearchLogin, L"USER" + std::to_wstring(n), &user), S_OK) << n;
  }
  // Only the database and its journal files are left; no scratch file of a losing creator.
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(server_.path())) {
    const std::string name = entry.path().filename().string();
    if (name.find(".new") != std::string::npos) names.push_back(name);
  }
  EXPECT_TRUE(names.empty()) << names.front();
}

}  // namespace
}  // namespace pw::test
