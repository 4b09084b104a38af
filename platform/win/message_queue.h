// Message queues: one per user-interface thread, PostMessage from any thread, nested pumps
// for modal loops, and the idle state that tells a console host an action has finished.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <utility>

#include "platform/com/hresult.h"
#include "platform/com/types.h"

inline constexpr UINT WM_NULL = 0x0000;
inline constexpr UINT WM_QUIT = 0x0012;
inline constexpr UINT WM_USER = 0x0400;
inline constexpr UINT WM_APP = 0x8000;

inline constexpr LONG ERROR_INVALID_WINDOW_HANDLE = 1400;
inline constexpr LONG ERROR_INVALID_THREAD_ID = 1444;

struct MSG {
  HWND hwnd = nullptr;
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
};

DWORD GetCurrentThreadId();

namespace pw {

// The message a posted task arrives as (without a window; lParam tells the task). Window
// messages stay below 0x10000, so this can never be mistaken for one.
inline constexpr UINT kTaskMessage = 0x00010001;

// Where window messages go: the window layer tells the queues which thread owns a window and
// delivers a message to its window procedure.
class WindowRouter {
 public:
  virtual ~WindowRouter() = default;
  // 0 when the window does not exist.
  virtual DWORD OwnerThread(HWND window) const = 0;
  virtual LRESULT Deliver(const MSG& message) = 0;
};
void SetWindowRouter(WindowRouter* router);

// The queue of one thread. Created on first use by that thread; other threads reach it by
// thread id while the thread lives.
class MessageQueue {
 public:
  static MessageQueue& Current();
  // Null when the thread has no queue (never used one, or has ended).
  static MessageQueue* ForThread(DWORD thread_id);

  ~MessageQueue();
  MessageQueue(const MessageQueue&) = delete;
  MessageQueue& operator=(const MessageQueue&) = delete;

  DWORD thread_id() const { return thread_id_; }

  // A WM_QUIT posted here arrives in order with the other messages; PostQuitMessage instead
  // marks the queue so that Get answers WM_QUIT once everything posted before is handled.
  void Post(const MSG& message);
  void PostQuit(int exit_code);
  // Runs `task` on this queue's thread, in order with the messages.
  void PostTask(std::function<void()> task);

  // Blocks until a message is there. FALSE for WM_QUIT.
  BOOL Get(MSG* message);
  // A task seen without `remove` stays queued and does not run when dispatched.
  BOOL Peek(MSG* message, bool remove);
  // Delivers a message got from this queue: runs a posted task (once), or hands a window
  // message to the window router. Window messages are dropped while no router is set.
  LRESULT Dispatch(const MSG& message);

  // The nested pump of a modal loop: dispatches until `done` is true. A WM_QUIT met on the
  // way ends the loop and is posted again for the outer loop, as Windows does. Returns false
  // when the loop ended by WM_QUIT.
  bool RunUntil(const std::function<bool()>& done);
  // Dispatches whatever is queued now, without waiting; a WM_QUIT stays for the next Get.
  void DispatchPending();

  // Idle: nothing queued, no worker running, and the owning thread is waiting for a message.
  bool IsIdle() const;
  // Blocks the caller (another thread) until the queue is idle or `timeout_ms` passes.
  bool WaitForIdle(int timeout_ms) const;
  // Nested modal loops currently running on the thread.
  int modal_depth() const;

  // A worker thread that belongs to this queue's thread: the queue is not idle while it
  // runs, so that an action that started one finishes only after the worker has posted its
  // result. The queue's thread waits for its workers before the queue goes away.
  std::thread StartWorker(std::function<void()> work);

 private:
  friend class QueueOwner;
  explicit MessageQueue(DWORD thread_id);
  struct Entry {
    MSG message;
    std::function<void()> task;
  };
  enum class Take { kMessage, kQuit, kNothing };
  // Takes the next message (tasks are parked for Dispatch); `allow_quit` lets a pending quit
  // be answered once nothing else is queued.
  Take TakeLocked(MSG* message, bool remove, bool allow_quit);
  // Blocks until TakeLocked finds something, counting as waiting meanwhile.
  Take WaitAndTakeLocked(std::unique_lock<std::mutex>& lock, MSG* message);

  const DWORD thread_id_;
  mutable std::mutex mutex_;
  mutable std::condition_variable changed_;
  std::deque<Entry> entries_;
  // Tasks taken out of the queue with Get or Peek, waiting for Dispatch, by task number.
  std::deque<std::pair<LPARAM, std::function<void()>>> taken_tasks_;
  LPARAM next_task_ = 1;
  bool quit_pending_ = false;
  int quit_code_ = 0;
  int workers_ = 0;
  int modal_depth_ = 0;
  bool waiting_ = false;
};

}  // namespace pw

BOOL PostThreadMessage(DWORD thread_id, UINT message, WPARAM w_param, LPARAM l_param);
BOOL PostMessage(HWND window, UINT message, WPARAM w_param, LPARAM l_param);
void PostQuitMessage(int exit_code);
BOOL GetMessage(MSG* message);
BOOL PeekMessage(MSG* message, bool remove);
LRESULT DispatchMessage(const MSG* message);
