// The busy cursor: nesting counts per thread, shown by the front end through the UiHost.
#pragma once

// The host hears BusyChanged(true) when the first wait cursor of the thread starts and
// BusyChanged(false) when the last one ends.
void BeginWaitCursor();
void EndWaitCursor();
// The number of wait cursors of the calling thread now.
int WaitCursorDepth();

// Shows the busy cursor for its lifetime.
class CWaitCursor {
 public:
  CWaitCursor();
  ~CWaitCursor();
  CWaitCursor(const CWaitCursor&) = delete;
  CWaitCursor& operator=(const CWaitCursor&) = delete;
  // Shows it again after a message box took it away; kept for code written that way.
  void Restore() {}
};
