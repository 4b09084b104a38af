// The window model's internals: the handle table, the router that delivers posted window
// messages, the per-thread state, deferred deletion and activation.
#include "platform/ui/window_internal.h"

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <unordered_map>

#include "platform/win/message_queue.h"

namespace pw::ui {

void CheckFailed(const char* file, int line, const std::string& message) {
  std::fprintf(stderr, "%s:%d: %s\n", file, line, message.c_str());
  std::fflush(stderr);
  std::abort();
}

namespace internal {
namespace {

struct WindowEntry {
  CWnd* window = nullptr;
  DWORD thread = 0;
};

// Delivers posted window messages on the window's thread.
class WindowMessageRouter : public pw::WindowRouter {
 public:
  DWORD OwnerThread(HWND window) const override { return WindowThread(window); }
  LRESULT Deliver(const MSG& message) override {
    CWnd* window = LookUpWindow(message.hwnd);
    return window != nullptr ? window->SendMessage(message.message, message.wParam, message.lParam)
                             : 0;
  }
};

struct WindowTable {
  std::mutex mutex;
  std::unordered_map<std::uintptr_t, WindowEntry> entries;
  // Handles look like Windows' (small, even numbers) and are never handed out twice.
  std::uintptr_t next = 0x10010;
};

WindowTable& Table() {
  static WindowTable table;
  return table;
}

void InstallRouter() {
  static WindowMessageRouter router;
  static std::once_flag once;
  std::call_once(once, [] { pw::SetWindowRouter(&router); });
}

thread_local ThreadState thread_state;

}  // namespace

HWND RegisterWindow(CWnd* window) {
  InstallRouter();
  WindowTable& table = Table();
  std::lock_guard lock(table.mutex);
  const std::uintptr_t value = table.next;
  table.next += 4;
  table.entries[value] = WindowEntry{window, GetCurrentThreadId()};
  return reinterpret_cast<HWND>(value);
}

void UnregisterWindow(HWND window) {
  WindowTable& table = Table();
  std::lock_guard lock(table.mutex);
  table.entries.erase(reinterpret_cast<std::uintptr_t>(window));
}

CWnd* LookUpWindow(HWND window) {
  if (window == nullptr) return nullptr;
  WindowTable& table = Table();
  std::lock_guard lock(table.mutex);
  const auto found = table.entries.find(reinterpret_cast<std::uintptr_t>(window));
  if (found == table.entries.end() || found->second.thread != GetCurrentThreadId()) {
    return nullptr;
  }
  return found->second.window;
}

DWORD WindowThread(HWND window) {
  if (window == nullptr) return 0;
  WindowTable& table = Table();
  std::lock_guard lock(table.mutex);
  const auto found = table.entries.find(reinterpret_cast<std::uintptr_t>(window));
  return found == table.entries.end() ? 0 : found->second.thread;
}

ThreadState& CurrentThreadState() { return thread_state; }

DispatchScope::DispatchScope() { ++thread_state.dispatch_depth; }

DispatchScope::~DispatchScope() {
  if (--thread_state.dispatch_depth > 0) return;
  // Deleting may destroy more windows, which land here again; take them in rounds.
  while (!thread_state.graveyard.empty()) {
    std::vector<std::unique_ptr<CWnd>> doomed = std::move(thread_state.graveyard);
    thread_state.graveyard.clear();
    ++thread_state.dispatch_depth;
    doomed.clear();
    --thread_state.dispatch_depth;
  }
}

void Activate(CWnd* top_level) {
  ThreadState& state = thread_state;
  CWnd* previous = LookUpWindow(state.active);
  if (previous == top_level) return;
  CWnd* old_focus = previous != nullptr ? previous->GetFocusWithin() : nullptr;
  CWnd* new_focus = top_level != nullptr ? top_level->GetFocusWithin() : nullptr;
  state.active = top_level != nullptr ? top_level->GetSafeHwnd() : nullptr;
  const HWND old_handle = old_focus != nullptr ? old_focus->GetSafeHwnd() : nullptr;
  const HWND new_handle = new_focus != nullptr ? new_focus->GetSafeHwnd() : nullptr;
  if (old_focus != nullptr)
    old_focus->SendMessage(WM_KILLFOCUS, reinterpret_cast<WPARAM>(new_handle));
  if (new_focus != nullptr && IsWindow(new_handle)) {
    new_focus->SendMessage(WM_SETFOCUS, reinterpret_cast<WPARAM>(old_handle));
  }
}

void ActivateNext(CWnd* top_level) {
  ThreadState& state = thread_state;
  if (state.active != top_level->GetSafeHwnd()) return;
  CWnd* owner = top_level->GetOwner();
  if (owner != nullptr) owner = owner->GetTopLevelParent();
  if (owner != nullptr && owner->IsWindowVisible() && owner->IsWindowEnabled()) {
    Activate(owner);
    return;
  }
  for (auto it = state.top_levels.rbegin(); it != state.top_levels.rend(); ++it) {
    CWnd* candidate = LookUpWindow(*it);
    if (candidate != nullptr && candidate != top_level && candidate->IsWindowVisible() &&
        candidate->IsWindowEnabled()) {
      Activate(candidate);
      return;
    }
  }
  Activate(nullptr);
}

}  // namespace internal
}  // namespace pw::ui
