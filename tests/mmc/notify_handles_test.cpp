// Notify handles: MMCPropertyChangeNotify posts to the thread that made the handle, from any
// thread; a freed handle is dead; a closing console ends its handles.
#include "mmc/host/notify_handles.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "platform/win/message_queue.h"

namespace pw::mmc {
namespace {

// Another thread notifies; the delivery waits for this thread's queue, in order.
TEST(NotifyHandles, PostToTheThreadThatMadeThem) {
  std::vector<LPARAM> delivered;
  const int owner = 0;
  const LONG_PTR handle = CreateNotifyHandle(
      NotifyTarget{&owner, [&delivered](LPARAM param) { delivered.push_back(param); }});
  const LONG_PTR other = CreateNotifyHandle(NotifyTarget{&owner, [](LPARAM) {}});
  EXPECT_NE(handle, 0);
  EXPECT_GT(other, handle);
  HRESULT first = E_FAIL;
  HRESULT second = E_FAIL;
  std::thread([&] {
    first = MMCPropertyChangeNotify(handle, 11);
    second = MMCPropertyChangeNotify(handle, 12);
  }).join();
  EXPECT_EQ(first, S_OK);
  EXPECT_EQ(second, S_OK);
  EXPECT_TRUE(delivered.empty());
  MessageQueue::Current().DispatchPending();
  EXPECT_EQ(delivered, (std::vector<LPARAM>{11, 12}));
  EXPECT_EQ(MMCFreeNotifyHandle(handle), S_OK);
  EXPECT_EQ(MMCFreeNotifyHandle(other), S_OK);
}

// A handle freed on any thread is dead for every later call; a notification posted before it
// was freed still arrives.
TEST(NotifyHandles, DieWhenFreed) {
  std::vector<LPARAM> delivered;
  const int owner = 0;
  const LONG_PTR handle = CreateNotifyHandle(
      NotifyTarget{&owner, [&delivered](LPARAM param) { delivered.push_back(param); }});
  ASSERT_EQ(MMCPropertyChangeNotify(handle, 1), S_OK);
  HRESULT freed = E_FAIL;
  std::thread([&] { freed = MMCFreeNotifyHandle(handle); }).join();
  EXPECT_EQ(freed, S_OK);
  EXPECT_FALSE(IsNotifyHandleAlive(handle));
  EXPECT_EQ(MMCPropertyChangeNotify(handle, 2), E_INVALIDARG);
  EXPECT_EQ(MMCFreeNotifyHandle(handle), E_INVALIDARG);
  EXPECT_EQ(MMCPropertyChangeNotify(0, 3), E_INVALIDARG);
  MessageQueue::Current().DispatchPending();
  EXPECT_EQ(delivered, (std::vector<LPARAM>{1}));
}

// A console that closes ends its own handles and no one else's.
TEST(NotifyHandles, EndWithTheirConsole) {
  const int closing = 0;
  const int staying = 0;
  const LONG_PTR mine = CreateNotifyHandle(NotifyTarget{&closing, [](LPARAM) {}});
  const LONG_PTR also_mine = CreateNotifyHandle(NotifyTarget{&closing, [](LPARAM) {}});
  const LONG_PTR theirs = CreateNotifyHandle(NotifyTarget{&staying, [](LPARAM) {}});
  FreeNotifyHandlesOf(&closing);
  EXPECT_FALSE(IsNotifyHandleAlive(mine));
  EXPECT_FALSE(IsNotifyHandleAlive(also_mine));
  EXPECT_TRUE(IsNotifyHandleAlive(theirs));
  EXPECT_EQ(MMCFreeNotifyHandle(theirs), S_OK);
}

}  // namespace
}  // namespace pw::mmc
