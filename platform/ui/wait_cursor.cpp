// The busy cursor's nesting count, reported to the host at its edges.
#include "platform/ui/wait_cursor.h"

#include "platform/ui/ui_host.h"
#include "platform/ui/window_internal.h"

void BeginWaitCursor() {
  if (pw::ui::internal::CurrentThreadState().busy_depth++ == 0) {
    pw::ui::GetUiHost().BusyChanged(true);
  }
}

void EndWaitCursor() {
  int& depth = pw::ui::internal::CurrentThreadState().busy_depth;
  if (depth == 0) return;
  if (--depth == 0) pw::ui::GetUiHost().BusyChanged(false);
}

int WaitCursorDepth() { return pw::ui::internal::CurrentThreadState().busy_depth; }

CWaitCursor::CWaitCursor() { BeginWaitCursor(); }

CWaitCursor::~CWaitCursor() { EndWaitCursor(); }
