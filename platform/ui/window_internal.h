// Internals shared by the window model's sources: the handle table, the per-thread state
// (active window, deferred deletions, collected changes) and access to CWnd's private parts.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/ui/wnd.h"

namespace pw::ui::internal {

// The window table: handles are never reused, so a stale handle finds nothing.
HWND RegisterWindow(CWnd* window);
void UnregisterWindow(HWND window);
// The object of a window of the calling thread; null otherwise.
CWnd* LookUpWindow(HWND window);
// 0 when the window does not exist.
DWORD WindowThread(HWND window);

struct ThreadState {
  HWND active = nullptr;
  std::vector<HWND> top_levels;  // in creation order
  std::vector<HWND> changed;     // top-level windows with changes not yet reported
  bool flush_posted = false;
  int dispatch_depth = 0;
  // Windows destroyed while messages were being handled: deleted when the outermost
  // handling ends, so that no member function runs on a deleted object.
  std::vector<std::unique_ptr<CWnd>> graveyard;
  int busy_depth = 0;
  std::string refusal;
};
ThreadState& CurrentThreadState();

// Counts a message being handled; the last one out empties the graveyard.
class DispatchScope {
 public:
  DispatchScope();
  ~DispatchScope();
  DispatchScope(const DispatchScope&) = delete;
  DispatchScope& operator=(const DispatchScope&) = delete;
};

// Activation: the active top-level window's focused control has the keyboard focus. Moving
// it sends WM_KILLFOCUS and WM_SETFOCUS to the controls concerned.
void Activate(CWnd* top_level);
// After `top_level` stopped being shown: its owner, or the newest visible enabled window.
void ActivateNext(CWnd* top_level);

// Host reports (ui_host.cpp).
void ReportCreated(CWnd& top_level);
void ReportDestroyed(CWnd& top_level);
void MarkChanged(CWnd& top_level);

}  // namespace pw::ui::internal

// The private parts of CWnd that the rest of the model needs.
struct WindowAccess {
  static bool& reported(CWnd& window) { return window.reported_; }
  static HWND& focus(CWnd& window) { return window.focus_; }
  static DWORD& style(CWnd& window) { return window.style_; }
  static std::wstring& text(CWnd& window) { return window.text_; }
  static CWnd* parent(CWnd& window) { return window.parent_; }
};
