// Tests of per-thread message queues: ordering, tasks, routing, nested loops and idle state.
#include "platform/win/message_queue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <map>
#include <string>
#include <vector>

#include "platform/win/last_error.h"

namespace {

constexpr auto kTimeout = std::chrono::seconds(10);
constexpr int kTimeoutMs = 10000;

HWND Window(std::uintptr_t id) { return reinterpret_cast<HWND>(id); }

// Gets and dispatches until WM_QUIT; answers the quit code.
WPARAM PumpUntilQuit() {
  MSG message;
  while (GetMessage(&message)) DispatchMessage(&message);
  return message.wParam;
}

// Runs `body` on a thread of its own, which therefore starts with a fresh queue. Finish fails
// the test instead of hanging when the body does not end.
class QueueThread {
 public:
  explicit QueueThread(std::function<void()> body) {
    std::future<DWORD> id = ready_.get_future();
    done_future_ = done_.get_future();
    thread_ = std::thread([this, body = std::move(body)] {
      queue_ = &pw::MessageQueue::Current();
      ready_.set_value(GetCurrentThreadId());
      body();
      done_.set_value();
    });
    if (id.wait_for(kTimeout) == std::future_status::ready) id_ = id.get();
  }
  ~QueueThread() {
    if (thread_.joinable()) Finish();
  }

  DWORD id() const { return id_; }
  pw::MessageQueue& queue() const { return *queue_; }

  bool Finish() {
    if (done_future_.wait_for(kTimeout) != std::future_status::ready) {
      ADD_FAILURE() << "the queue thread did not end";
      PostThreadMessage(id_, WM_QUIT, 0, 0);
      if (done_future_.wait_for(kTimeout) != std::future_status::ready) {
        thread_.detach();
        return false;
      }
    }
    thread_.join();
    return true;
  }

 private:
  std::promise<DWORD> ready_;
  std::promise<void> done_;
  std::future<void> done_future_;
  std::thread thread_;
  DWORD id_ = 0;
  pw::MessageQueue* queue_ = nullptr;
};

// A window layer of the test's own: it knows which thread owns which window and records what
// it is asked to deliver.
class RecordingRouter : public pw::WindowRouter {
 public:
  RecordingRouter() { pw::SetWindowRouter(this); }
  ~RecordingRouter() override { pw::SetWindowRouter(nullptr); }

  void SetOwner(HWND window, DWORD thread_id) {
    std::lock_guard lock(mutex_);
    owners_[window] = thread_id;
  }
  DWORD OwnerThread(HWND window) const override {
    std::lock_guard lock(mutex_);
    const auto found = owners_.find(window);
    return found == owners_.end() ? 0 : found->second;
  }
  LRESULT Deliver(const MSG& message) override {
    std::lock_guard lock(mutex_);
    delivered_.push_back(std::to_string(reinterpret_cast<std::uintptr_t>(message.hwnd)) + ":" +
                         std::to_string(message.message) + " on " +
                         (GetCurrentThreadId() == OwnerLocked(message.hwnd) ? "owner" : "other"));
    return static_cast<LRESULT>(message.message) + 1000;
  }
  std::vector<std::string> delivered() const {
    std::lock_guard lock(mutex_);
    return delivered_;
  }

 private:
  DWORD OwnerLocked(HWND window) const {
    const auto found = owners_.find(window);
    return found == owners_.end() ? 0 : found->second;
  }

  mutable std::mutex mutex_;
  std::map<HWND, DWORD> owners_;
  std::vector<std::string> delivered_;
};

// Messages and tasks posted by several threads arrive in each sender's order, with nothing
// lost, and an explicit WM_QUIT posted last ends the loop after all of them.
TEST(MessageQueueTest, KeepsEachSendersOrder) {
  constexpr int kSenders = 4;
  constexpr int kPerSender = 250;
  std::vector<std::vector<std::string>> got(kSenders);
  QueueThread owner([&] {
    MSG message;
    while (GetMessage(&message)) {
      if (message.message == WM_USER) {
        got[message.wParam].push_back("m" + std::to_string(message.lParam));
      }
      DispatchMessage(&message);
    }
  });
  std::vector<std::thread> senders;
  for (int s = 0; s < kSenders; ++s) {
    senders.emplace_back([&, s] {
      pw::MessageQueue* queue = pw::MessageQueue::ForThread(owner.id());
      ASSERT_NE(queue, nullptr);
      for (int i = 0; i < kPerSender; ++i) {
        if (i % 2 == 0) {
          EXPECT_TRUE(PostThreadMessage(owner.id(), WM_USER, static_cast<WPARAM>(s), i));
        } else {
          queue->PostTask([&got, s, i] { got[s].push_back("t" + std::to_string(i)); });
        }
      }
    });
  }
  for (std::thread& sender : senders) sender.join();
  EXPECT_TRUE(PostThreadMessage(owner.id(), WM_QUIT, 0, 0));
  ASSERT_TRUE(owner.Finish());
  for (int s = 0; s < kSenders; ++s) {
    ASSERT_EQ(got[s].size(), static_cast<std::size_t>(kPerSender)) << "sender " << s;
    for (int i = 0; i < kPerSender; ++i) {
      EXPECT_EQ(got[s][i], (i % 2 == 0 ? "m" : "t") + std::to_string(i));
    }
  }
}

// Window messages, thread messages and tasks come out in posting order; window messages go
// to the router and its answer comes back from DispatchMessage; PostQuitMessage waits until
// everything posted before it has been handled.
TEST(MessageQueueTest, InterleavesTasksAndWindowMessages) {
  RecordingRouter router;
  std::vector<std::string> log;
  std::vector<LRESULT> results;
  WPARAM quit_code = 0;
  QueueThread owner([&] {
    pw::MessageQueue& queue = pw::MessageQueue::Current();
    router.SetOwner(Window(0x10), GetCurrentThreadId());
    EXPECT_TRUE(PostMessage(Window(0x10), WM_USER + 1, 0, 0));
    queue.PostTask([&] { log.push_back("task 1"); });
    EXPECT_TRUE(PostThreadMessage(GetCurrentThreadId(), WM_USER + 2, 7, 8));
    EXPECT_TRUE(PostMessage(Window(0x10), WM_USER + 3, 0, 0));
    queue.PostTask([&] { log.push_back("task 2"); });
    PostQuitMessage(5);
    queue.PostTask([&] { log.push_back("task 3"); });
    MSG message;
    while (GetMessage(&message)) {
      if (message.hwnd != nullptr) log.push_back("window " + std::to_string(message.message));
      if (message.hwnd == nullptr && message.message != pw::kTaskMessage) {
        log.push_back("thread " + std::to_string(message.message) + " " +
                      std::to_string(message.wParam) + " " + std::to_string(message.lParam));
      }
      results.push_back(DispatchMessage(&message));
    }
    EXPECT_EQ(message.message, WM_QUIT);
    quit_code = message.wParam;
  });
  ASSERT_TRUE(owner.Finish());
  EXPECT_EQ(log, (std::vector<std::string>{"window 1025", "task 1", "thread 1026 7 8",
                                           "window 1027", "task 2", "task 3"}));
  EXPECT_EQ(results, (std::vector<LRESULT>{2025, 0, 0, 2027, 0, 0}));
  EXPECT_EQ(router.delivered(), (std::vector<std::string>{"16:1025 on owner", "16:1027 on owner"}));
  EXPECT_EQ(quit_code, 5u);
}

// PostMessage reaches a window's owner from another thread, and fails for windows nobody
// owns, without a router, and for threads that have ended; window messages dispatched
// without a router are dropped.
TEST(MessageQueueTest, RoutesAndRefusesPosts) {
  EXPECT_FALSE(PostMessage(Window(0x20), WM_USER, 0, 0));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
  const MSG stray{Window(0x20), WM_USER, 0, 0};
  EXPECT_EQ(DispatchMessage(&stray), 0);
  EXPECT_EQ(DispatchMessage(nullptr), 0);

  DWORD ended_thread = 0;
  std::thread([&] {
    pw::MessageQueue::Current();
    ended_thread = GetCurrentThreadId();
  }).join();
  EXPECT_EQ(pw::MessageQueue::ForThread(ended_thread), nullptr);
  EXPECT_FALSE(PostThreadMessage(ended_thread, WM_USER, 0, 0));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_THREAD_ID));

  RecordingRouter router;
  router.SetOwner(Window(0x30), ended_thread);
  EXPECT_FALSE(PostMessage(Window(0x31), WM_USER, 0, 0));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
  EXPECT_FALSE(PostMessage(Window(0x30), WM_USER, 0, 0));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));

  QueueThread owner([] { PumpUntilQuit(); });
  router.SetOwner(Window(0x40), owner.id());
  EXPECT_TRUE(PostMessage(Window(0x40), WM_USER + 4, 0, 0));
  EXPECT_TRUE(PostThreadMessage(owner.id(), WM_QUIT, 0, 0));
  ASSERT_TRUE(owner.Finish());
  EXPECT_EQ(router.delivered(), (std::vector<std::string>{"64:1028 on owner"}));
}

// Peek without removal leaves a task queued and un-run; a removed task runs exactly once;
// DispatchPending stops before a quit, which Get then answers.
TEST(MessageQueueTest, PeekDispatchPendingAndQuit) {
  QueueThread owner([] {
    pw::MessageQueue& queue = pw::MessageQueue::Current();
    std::vector<std::string> log;
    queue.PostTask([&] { log.push_back("once"); });
    MSG peeked;
    ASSERT_TRUE(PeekMessage(&peeked, false));
    EXPECT_EQ(peeked.message, pw::kTaskMessage);
    DispatchMessage(&peeked);
    EXPECT_TRUE(log.empty());
    MSG taken;
    ASSERT_TRUE(PeekMessage(&taken, true));
    EXPECT_EQ(taken.lParam, peeked.lParam);
    DispatchMessage(&taken);
    DispatchMessage(&taken);
    EXPECT_EQ(log, std::vector<std::string>{"once"});
    EXPECT_FALSE(PeekMessage(&taken, true));

    PostQuitMessage(2);
    ASSERT_TRUE(PeekMessage(&taken, false));
    EXPECT_EQ(taken.message, WM_QUIT);
    ASSERT_TRUE(PeekMessage(&taken, true));
    EXPECT_EQ(taken.message, WM_QUIT);
    EXPECT_EQ(taken.wParam, 2u);
    EXPECT_FALSE(PeekMessage(&taken, true));

    log.clear();
    queue.PostTask([&] { log.push_back("a"); });
    PostQuitMessage(1);
    queue.PostTask([&] { log.push_back("b"); });
    queue.DispatchPending();
    EXPECT_EQ(log, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(GetMessage(&taken), FALSE);
    EXPECT_EQ(taken.wParam, 1u);

    log.clear();
    queue.PostTask([&] { log.push_back("before"); });
    EXPECT_TRUE(PostThreadMessage(GetCurrentThreadId(), WM_QUIT, 9, 0));
    queue.PostTask([&] { log.push_back("after"); });
    queue.DispatchPending();
    EXPECT_EQ(log, std::vector<std::string>{"before"});
    EXPECT_EQ(GetMessage(&taken), FALSE);
    EXPECT_EQ(taken.wParam, 9u);
    queue.DispatchPending();
    EXPECT_EQ(log, (std::vector<std::string>{"before", "after"}));
    EXPECT_EQ(GetMessage(nullptr), -1);
  });
  ASSERT_TRUE(owner.Finish());
}

// A modal loop pumps the same queue until its condition holds, leaving later messages to the
// outer loop; the depth counts the nesting.
TEST(MessageQueueTest, NestedLoopRunsUntilDone) {
  std::vector<std::string> log;
  QueueThread owner([&] {
    pw::MessageQueue& queue = pw::MessageQueue::Current();
    EXPECT_TRUE(queue.RunUntil([] { return true; }));
    queue.PostTask([&] {
      log.push_back("dialog opens at depth " + std::to_string(queue.modal_depth()));
      bool done = false;
      queue.PostTask([&] {
        log.push_back("OK pressed at depth " + std::to_string(queue.modal_depth()));
        done = true;
      });
      queue.PostTask([&] {
        log.push_back("later");
        PostQuitMessage(0);
      });
      const bool ended = queue.RunUntil([&] { return done; });
      log.push_back(std::string("dialog ") + (ended ? "done" : "quit") + " at depth " +
                    std::to_string(queue.modal_depth()));
    });
    PumpUntilQuit();
  });
  ASSERT_TRUE(owner.Finish());
  EXPECT_EQ(log, (std::vector<std::string>{"dialog opens at depth 0", "OK pressed at depth 1",
                                           "dialog done at depth 0", "later"}));
}

// A quit met in nested loops ends each of them in turn and finally the thread's own loop,
// with its code intact.
TEST(MessageQueueTest, QuitEndsEveryNestedLoop) {
  std::vector<std::string> log;
  WPARAM quit_code = 0;
  QueueThread owner([&] {
    pw::MessageQueue& queue = pw::MessageQueue::Current();
    queue.PostTask([&] {
      queue.PostTask([&] {
        queue.PostTask([&] {
          log.push_back("quit requested");
          PostQuitMessage(3);
        });
        queue.PostTask([&] { log.push_back("still handled"); });
        const bool inner = queue.RunUntil([] { return false; });
        log.push_back(std::string("inner ") + (inner ? "done" : "quit") + " at depth " +
                      std::to_string(queue.modal_depth()));
      });
      const bool outer = queue.RunUntil([] { return false; });
      log.push_back(std::string("outer ") + (outer ? "done" : "quit") + " at depth " +
                    std::to_string(queue.modal_depth()));
    });
    quit_code = PumpUntilQuit();
  });
  ASSERT_TRUE(owner.Finish());
  EXPECT_EQ(log, (std::vector<std::string>{"quit requested", "still handled",
                                           "inner quit at depth 1", "outer quit at depth 0"}));
  EXPECT_EQ(quit_code, 3u);
}

// Idle means: nothing queued, no worker running, and the owner waiting in its loop. A worker
// keeps the queue busy until the result it posted has been handled.
TEST(MessageQueueTest, WaitForIdleCoversWorkers) {
  QueueThread owner([] { PumpUntilQuit(); });
  pw::MessageQueue& queue = owner.queue();
  ASSERT_TRUE(queue.WaitForIdle(kTimeoutMs));
  EXPECT_TRUE(queue.IsIdle());

  std::promise<void> gate;
  std::shared_future<void> gate_open = gate.get_future().share();
  std::promise<void> started;
  std::future<void> worker_started = started.get_future();
  std::atomic<int> results{0};
  std::vector<std::thread> workers;
  queue.PostTask([&] {
    workers.push_back(queue.StartWorker([&, gate_open] {
      gate_open.wait_for(kTimeout);
      queue.PostTask([&] { ++results; });
    }));
    started.set_value();
  });
  ASSERT_EQ(worker_started.wait_for(kTimeout), std::future_status::ready);
  EXPECT_FALSE(queue.WaitForIdle(100));
  EXPECT_FALSE(queue.IsIdle());
  EXPECT_EQ(results.load(), 0);
  gate.set_value();
  ASSERT_TRUE(queue.WaitForIdle(kTimeoutMs));
  EXPECT_EQ(results.load(), 1);

  // The worker's post and its end race with the waiter; idle must never show in between.
  for (int round = 0; round < 200; ++round) {
    queue.PostTask(
        [&] { workers.push_back(queue.StartWorker([&] { queue.PostTask([&] { ++results; }); })); });
    ASSERT_TRUE(queue.WaitForIdle(kTimeoutMs));
    ASSERT_EQ(results.load(), round + 2);
  }
  EXPECT_TRUE(PostThreadMessage(owner.id(), WM_QUIT, 0, 0));
  ASSERT_TRUE(owner.Finish());
  for (std::thread& worker : workers) worker.join();
}

// A modal loop waiting counts as idle; an owner busy in a handler does not, even with an
// empty queue.
TEST(MessageQueueTest, IdleInModalLoopsButNotInHandlers) {
  QueueThread owner([] { PumpUntilQuit(); });
  pw::MessageQueue& queue = owner.queue();
  bool dialog_done = false;
  queue.PostTask([&] { queue.RunUntil([&] { return dialog_done; }); });
  ASSERT_TRUE(queue.WaitForIdle(kTimeoutMs));
  EXPECT_EQ(queue.modal_depth(), 1);
  queue.PostTask([&] { dialog_done = true; });
  ASSERT_TRUE(queue.WaitForIdle(kTimeoutMs));
  EXPECT_EQ(queue.modal_depth(), 0);

  std::promise<void> release;
  std::shared_future<void> released = release.get_future().share();
  std::promise<void> entered;
  std::future<void> handler_entered = entered.get_future();
  queue.PostTask([&, released] {
    entered.set_value();
    released.wait_for(kTimeout);
  });
  ASSERT_EQ(handler_entered.wait_for(kTimeout), std::future_status::ready);
  EXPECT_FALSE(queue.WaitForIdle(100));
  release.set_value();
  EXPECT_TRUE(queue.WaitForIdle(kTimeoutMs));
  EXPECT_TRUE(PostThreadMessage(owner.id(), WM_QUIT, 0, 0));
  ASSERT_TRUE(owner.Finish());
}

// Each thread has its own stable id and queue; the queue is found by id while the thread
// lives and is gone afterwards.
TEST(MessageQueueTest, QueuesBelongToThreads) {
  const DWORD here = GetCurrentThreadId();
  EXPECT_EQ(GetCurrentThreadId(), here);
  pw::MessageQueue& mine = pw::MessageQueue::Current();
  EXPECT_EQ(&pw::MessageQueue::Current(), &mine);
  EXPECT_EQ(mine.thread_id(), here);
  EXPECT_EQ(pw::MessageQueue::ForThread(here), &mine);

  QueueThread other([] { PumpUntilQuit(); });
  EXPECT_NE(other.id(), here);
  EXPECT_NE(other.id(), 0u);
  EXPECT_EQ(pw::MessageQueue::ForThread(other.id()), &other.queue());
  EXPECT_NE(&other.queue(), &mine);
  const DWORD other_id = other.id();
  EXPECT_TRUE(PostThreadMessage(other_id, WM_QUIT, 0, 0));
  ASSERT_TRUE(other.Finish());
  EXPECT_EQ(pw::MessageQueue::ForThread(other_id), nullptr);
}

}  // namespace
