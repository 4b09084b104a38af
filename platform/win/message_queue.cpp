// Per-thread message queues: posting from any thread, pumping on the owning thread, and the
// idle state by which a console host knows that an action has finished.
#include "platform/win/message_queue.h"

#include <sys/types.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <unordered_map>

#include "platform/win/last_error.h"

DWORD GetCurrentThreadId() {
  thread_local const DWORD id = static_cast<DWORD>(::gettid());
  return id;
}

namespace pw {
namespace {

struct QueueRegistry {
  std::mutex mutex;
  std::unordered_map<DWORD, MessageQueue*> queues;
};

QueueRegistry& Registry() {
  // Never destroyed: threads that outlive static destruction still unregister their queues.
  static QueueRegistry& registry = *new QueueRegistry;
  return registry;
}

std::atomic<WindowRouter*> window_router{nullptr};

}  // namespace

// Owns the queue of the thread it lives in; the queue goes (after the thread's workers have
// finished) when the thread ends.
class QueueOwner {
 public:
  ~QueueOwner() = default;

  MessageQueue& Get() {
    if (queue_ == nullptr) {
      const DWORD thread_id = GetCurrentThreadId();
      queue_.reset(new MessageQueue(thread_id));
      QueueRegistry& registry = Registry();
      std::lock_guard lock(registry.mutex);
      registry.queues[thread_id] = queue_.get();
    }
    return *queue_;
  }

 private:
  std::unique_ptr<MessageQueue> queue_;
};

namespace {
thread_local QueueOwner queue_owner;

// Posts to the queue of `thread_id` while the registry keeps that queue from going away.
bool PostToThread(DWORD thread_id, const MSG& message) {
  if (thread_id == GetCurrentThreadId()) {
    MessageQueue::Current().Post(message);
    return true;
  }
  QueueRegistry& registry = Registry();
  std::lock_guard lock(registry.mutex);
  const auto found = registry.queues.find(thread_id);
  if (found == registry.queues.end()) return false;
  found->second->Post(message);
  return true;
}

}  // namespace

void SetWindowRouter(WindowRouter* router) { window_router.store(router); }

MessageQueue& MessageQueue::Current() { return queue_owner.Get(); }

MessageQueue* MessageQueue::ForThread(DWORD thread_id) {
  QueueRegistry& registry = Registry();
  std::lock_guard lock(registry.mutex);
  const auto found = registry.queues.find(thread_id);
  return found == registry.queues.end() ? nullptr : found->second;
}

MessageQueue::MessageQueue(DWORD thread_id) : thread_id_(thread_id) {}

MessageQueue::~MessageQueue() {
  {
    // Workers may still hold a reference to post their result.
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return workers_ == 0; });
  }
  QueueRegistry& registry = Registry();
  std::lock_guard lock(registry.mutex);
  const auto found = registry.queues.find(thread_id_);
  if (found != registry.queues.end() && found->second == this) registry.queues.erase(found);
}

void MessageQueue::Post(const MSG& message) {
  std::lock_guard lock(mutex_);
  entries_.push_back(Entry{message, {}});
  changed_.notify_all();
}

void MessageQueue::PostTask(std::function<void()> task) {
  std::lock_guard lock(mutex_);
  const LPARAM task_number = next_task_++;
  entries_.push_back(Entry{MSG{nullptr, kTaskMessage, 0, task_number}, std::move(task)});
  changed_.notify_all();
}

void MessageQueue::PostQuit(int exit_code) {
  std::lock_guard lock(mutex_);
  quit_pending_ = true;
  quit_code_ = exit_code;
  changed_.notify_all();
}

MessageQueue::Take MessageQueue::TakeLocked(MSG* message, bool remove, bool allow_quit) {
  if (!entries_.empty()) {
    Entry& front = entries_.front();
    *message = front.message;
    if (remove) {
      if (front.task) taken_tasks_.emplace_back(front.message.lParam, std::move(front.task));
      entries_.pop_front();
    }
    return message->message == WM_QUIT ? Take::kQuit : Take::kMessage;
  }
  if (quit_pending_ && allow_quit) {
    *message = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(quit_code_), 0};
    if (remove) quit_pending_ = false;
    return Take::kQuit;
  }
  return Take::kNothing;
}

MessageQueue::Take MessageQueue::WaitAndTakeLocked(std::unique_lock<std::mutex>& lock,
                                                   MSG* message) {
  for (;;) {
    const Take taken = TakeLocked(message, true, true);
    if (taken != Take::kNothing) {
      waiting_ = false;
      return taken;
    }
    if (!waiting_) {
      waiting_ = true;
      changed_.notify_all();
    }
    changed_.wait(lock);
  }
}

BOOL MessageQueue::Get(MSG* message) {
  if (message == nullptr) return -1;
  std::unique_lock lock(mutex_);
  return WaitAndTakeLocked(lock, message) == Take::kQuit ? FALSE : TRUE;
}

BOOL MessageQueue::Peek(MSG* message, bool remove) {
  if (message == nullptr) return FALSE;
  std::lock_guard lock(mutex_);
  return TakeLocked(message, remove, true) == Take::kNothing ? FALSE : TRUE;
}

LRESULT MessageQueue::Dispatch(const MSG& message) {
  if (message.hwnd == nullptr && message.message == kTaskMessage) {
    std::function<void()> task;
    {
      std::lock_guard lock(mutex_);
      for (auto it = taken_tasks_.begin(); it != taken_tasks_.end(); ++it) {
        if (it->first == message.lParam) {
          task = std::move(it->second);
          taken_tasks_.erase(it);
          break;
        }
      }
    }
    if (task) task();
    return 0;
  }
  if (message.hwnd == nullptr) return 0;
  WindowRouter* router = window_router.load();
  return router != nullptr ? router->Deliver(message) : 0;
}

bool MessageQueue::RunUntil(const std::function<bool()>& done) {
  {
    std::lock_guard lock(mutex_);
    ++modal_depth_;
  }
  struct DepthGuard {
    MessageQueue* queue;
    ~DepthGuard() {
      std::lock_guard lock(queue->mutex_);
      --queue->modal_depth_;
    }
  } depth_guard{this};
  for (;;) {
    if (done()) return true;
    MSG message;
    Take taken;
    {
      std::unique_lock lock(mutex_);
      taken = WaitAndTakeLocked(lock, &message);
    }
    if (taken == Take::kQuit) {
      // The loop that owns the thread must see the quit too.
      PostQuit(static_cast<int>(message.wParam));
      return false;
    }
    Dispatch(message);
  }
}

void MessageQueue::DispatchPending() {
  for (;;) {
    MSG message;
    {
      std::lock_guard lock(mutex_);
      if (!entries_.empty() && entries_.front().message.message == WM_QUIT) return;
      if (TakeLocked(&message, true, false) == Take::kNothing) return;
    }
    Dispatch(message);
  }
}

bool MessageQueue::IsIdle() const {
  std::lock_guard lock(mutex_);
  return entries_.empty() && !quit_pending_ && workers_ == 0 && waiting_;
}

bool MessageQueue::WaitForIdle(int timeout_ms) const {
  std::unique_lock lock(mutex_);
  return changed_.wait_for(
      lock, std::chrono::milliseconds(timeout_ms < 0 ? 0 : timeout_ms),
      [this] { return entries_.empty() && !quit_pending_ && workers_ == 0 && waiting_; });
}

int MessageQueue::modal_depth() const {
  std::lock_guard lock(mutex_);
  return modal_depth_;
}

std::thread MessageQueue::StartWorker(std::function<void()> work) {
  // Counted before the thread exists, so that no moment between the start and the worker's
  // first step looks idle.
  {
    std::lock_guard lock(mutex_);
    ++workers_;
  }
  auto finished = [this] {
    std::lock_guard lock(mutex_);
    --workers_;
    changed_.notify_all();
  };
  try {
    return std::thread([work = std::move(work), finished]() {
      struct FinishGuard {
        const decltype(finished)& done;
        ~FinishGuard() { done(); }
      } guard{finished};
      work();
    });
  } catch (...) {
    finished();
    throw;
  }
}

}  // namespace pw

BOOL PostThreadMessage(DWORD thread_id, UINT message, WPARAM w_param, LPARAM l_param) {
  if (!pw::PostToThread(thread_id, MSG{nullptr, message, w_param, l_param})) {
    SetLastError(ERROR_INVALID_THREAD_ID);
    return FALSE;
  }
  return TRUE;
}

BOOL PostMessage(HWND window, UINT message, WPARAM w_param, LPARAM l_param) {
  if (window == nullptr) return PostThreadMessage(GetCurrentThreadId(), message, w_param, l_param);
  pw::WindowRouter* router = pw::window_router.load();
  const DWORD owner = router != nullptr ? router->OwnerThread(window) : 0;
  if (owner == 0 || !pw::PostToThread(owner, MSG{window, message, w_param, l_param})) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  return TRUE;
}

void PostQuitMessage(int exit_code) { pw::MessageQueue::Current().PostQuit(exit_code); }

BOOL GetMessage(MSG* message) { return pw::MessageQueue::Current().Get(message); }

BOOL PeekMessage(MSG* message, bool remove) {
  return pw::MessageQueue::Current().Peek(message, remove);
}

LRESULT DispatchMessage(const MSG* message) {
  return message != nullptr ? pw::MessageQueue::Current().Dispatch(*message) : 0;
}
