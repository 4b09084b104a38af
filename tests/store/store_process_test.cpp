// Writer processes: one killed at any moment leaves every committed rule whole and nothing of
// what it had not committed; several writing at once lose nothing.
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>

#include "tests/store/store_fixture.h"
#include "tests/support/process_helpers.h"

namespace pw::test {
namespace {

constexpr int kSignalTimeoutMs = 30'000;

// Runs `writer` in a child process with a store open on `server_path`; the child writes one
// byte to the pipe when `writer` says it reached the moment to be killed, and is killed with
// SIGKILL there. False when the child never got there.
template <typename Writer>
bool KillWriterMidway(const std::wstring& server_path, Writer writer) {
  int signal_pipe[2];
  if (::pipe(signal_pipe) != 0) return false;
  const pid_t child = ::fork();
  if (child < 0) return false;
  if (child == 0) {
    ::close(signal_pipe[0]);
    const auto signal_parent = [&] { (void)!::write(signal_pipe[1], "K", 1); };
    try {
      IArdentDBPtr store;
      if (FAILED(CreateInstance(CLSID_ArdentDB, &store))) ::_exit(2);
      store->Open(0, server_path);
      writer(store, signal_parent);
    } catch (...) {
      ::_exit(3);
    }
    // The writer returns only when it ran out of work before being killed.
    ::_exit(4);
  }
  ::close(signal_pipe[1]);
  pollfd ready{signal_pipe[0], POLLIN, 0};
  char byte = 0;
  const bool reached = ::poll(&ready, 1, kSignalTimeoutMs) == 1 &&
                       ::read(signal_pipe[0], &byte, 1) == 1 && byte == 'K';
  ::kill(child, SIGKILL);
  int status = 0;
  ::waitpid(child, &status, 0);
  ::close(signal_pipe[0]);
  return reached && WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

// Saves one DID route with three fields and two users.
void SaveRoute(const IArdentRULEDBPtr& rules, int number) {
  const std::wstring text = std::to_wstring(number);
  const IArdentRulePtr rule = MakeRule(rules, L"did", text, {L"CN=A" + text, L"CN=B" + text});
  rule->SetField(L"ObjectFlags", VARIANT::FromI4(number));
  rules->SaveRule(rule.Get(), VARIANT_TRUE);
}

// Every stored DID route is whole: its three fields and both users are there.
void ExpectWholeRoutes(const std::vector<IArdentRulePtr>& routes) {
  for (const IArdentRulePtr& route : routes) {
    const std::wstring value = route->GetField(L"ObjectValue").ToString();
    ASSERT_FALSE(value.empty());
    EXPECT_EQ(route->GetField(L"ObjectDisplay").ToString(), value);
    EXPECT_EQ(route->GetField(L"ObjectFlags"), VARIANT::FromI4(std::stoi(value)));
    EXPECT_EQ(AllTexts(route->EnumUsers()),
              (std::vector<std::wstring>{L"CN=A" + value, L"CN=B" + value}));
  }
}

using StoreCrashTest = StoreTest;
using StoreConcurrencyTest = StoreTest;

// A process killed inside a bulk update leaves exactly the rules committed before it.
TEST_F(StoreCrashTest, KilledBulkUpdateLeavesOnlyCommittedRules) {
  {
    const IArdentDBPtr store = OpenStore();
    ASSERT_TRUE(store);
    const IArdentRULEDBPtr rules = store.As<IArdentRULEDB>();
    for (int number = 1; number <= 3; ++number) SaveRoute(rules, number);
  }  // no connection of this process may live across fork()

  const bool killed =
      KillWriterMidway(ServerPath(), [](const IArdentDBPtr& store, const auto& signal_parent) {
        const IArdentRULEDBPtr rules = store.As<IArdentRULEDB>();
        store.As<IPagewell>()->BeginBulkUpdate();
        for (int number = 1000; number < 1200; ++number) SaveRoute(rules, number);
        signal_parent();
        for (int number = 1200; number < 100'000; ++number) SaveRoute(rules, number);
      });
  ASSERT_TRUE(killed);

  const IArdentDBPtr store = OpenStore();
  ASSERT_TRUE(store);
  const IArdentRULEDBPtr rules = store.As<IArdentRULEDB>();
  const std::vector<IArdentRulePtr> routes = AllRules(rules->EnumRules(L"", L"did"));
  EXPECT_EQ(FieldOfEach(routes, L"ObjectValue"), (std::vector<std::wstring>{L"1", L"2", L"3"}));
  ExpectWholeRoutes(routes);
  SaveRoute(rules, 1000);
  EXPECT_EQ(ValuesOfType(rules, L"did").size(), 4u);
}

// A process killed amid single saves leaves no half rule and no gap in what it saved.
TEST_F(StoreCrashTest, KilledSavesLeaveNoHalfRule) {
  { ASSERT_TRUE(OpenStore()); }
  const bool killed =
      KillWriterMidway(ServerPath(), [](const IArdentDBPtr& store, const auto& signal_parent) {
        const IArdentRULEDBPtr rules = store.As<IArdentRULEDB>();
        for (int number = 1; number < 100'000; ++number) {
          SaveRoute(rules, number);
          if (number == 50) signal_parent();
        }
      });
  ASSERT_TRUE(killed);

  const IArdentDBPtr store = OpenStore();
  ASSERT_TRUE(store);
  const std::vector<IArdentRulePtr> routes =
      AllRules(store.As<IArdentRULEDB>()->EnumRules(L"", L"did"));
  ASSERT_GE(routes.size(), 50u);
  ExpectWholeRoutes(routes);
  const std::vector<std::wstring> values = FieldOfEach(routes, L"ObjectValue");
  for (std::size_t i = 0; i < values.size(); ++i) {
    EXPECT_EQ(values[i], std::to_wstring(i + 1));
  }
}

// Processes saving rules into one configuration at the same time wait for each other instead
// of failing, and every rule of each arrives whole.
TEST_F(StoreConcurrencyTest, ConcurrentWriterProcessesLoseNothing) {
  { ASSERT_TRUE(OpenStore()); }
  constexpr int kWriters = 3;
  constexpr int kRulesEach = 60;
  pid_t children[kWriters] = {};
  for (int writer = 0; writer < kWriters; ++writer) {
    children[writer] = ::fork();
    ASSERT_GE(children[writer], 0);
    if (children[writer] == 0) {
      try {
        IArdentDBPtr store;
        if (FAILED(CreateInstance(CLSID_ArdentDB, &store))) ::_exit(2);
        store->Open(0, ServerPath());
        const IArdentRULEDBPtr rules = store.As<IArdentRULEDB>();
        for (int i = 0; i < kRulesEach; ++i) SaveRoute(rules, (writer + 1) * 1000 + i);
      } catch (...) {
        ::_exit(3);
      }
      ::_exit(0);
    }
  }
  for (pid_t child : children) EXPECT_EQ(WaitForChild(child, std::chrono::seconds(60)), 0);

  const IArdentDBPtr store = OpenStore();
  ASSERT_TRUE(store);
  const std::vector<IArdentRulePtr> routes =
      AllRules(store.As<IArdentRULEDB>()->EnumRules(L"", L"did"));
  EXPECT_EQ(routes.size(), static_cast<std::size_t>(kWriters * kRulesEach));
  ExpectWholeRoutes(routes);
  // Each writer's rules keep the order in which it saved them.
  for (int writer = 1; writer <= kWriters; ++writer) {
    int expected = writer * 1000;
    for (const std::wstring& value : FieldOfEach(routes, L"ObjectValue")) {
      if (std::stoi(value) / 1000 == writer) {
        EXPECT_EQ(std::stoi(value), expected++);
      }
    }
    EXPECT_EQ(expected, writer * 1000 + kRulesEach);
  }
}

}  // namespace
}  // namespace pw::test
