// UiHost: what a front end implements to show the window model and let a person act on it.
#pragma once

#include <string_view>

#include "platform/com/types.h"

class CWnd;
class CMenu;

namespace pw::ui {

// The front end's side of the window model. Every call comes on the thread that owns the
// window concerned. Only top-level windows are reported; a change of any control inside
// one (text, enabled, check, selection, item count…) reports its top-level window, at most
// once per turn of the message loop. A front end reads what it shows from the windows
// themselves (CWnd::FromHandle, GetChildren, the controls' getters) and acts through
// ui_input.h.
//
// The base class's own behaviour is that of a front end that shows nothing but lets
// windows run: modal loops pump the thread's message queue until the window ends. Without
// any host set, a default host applies that never waits for anybody: it ends every modal
// window at once with its declining answer (IDCANCEL; for message boxes Cancel, No, Abort
// or OK) and writes the window's texts to stderr.
class UiHost {
 public:
  virtual ~UiHost() = default;

  // A top-level window exists, with its controls, and OnInitDialog has run.
  virtual void WindowCreated(HWND /*window*/) {}
  virtual void WindowChanged(HWND /*window*/) {}
  // The window is about to go; its objects can still be read.
  virtual void WindowDestroyed(HWND /*window*/) {}

  // Runs the nested loop of a modal window; returns once `window.ContinueModal()` is false.
  // A host may end the window itself with `window.EndModalLoop(result)`.
  virtual void RunModalLoop(CWnd& window);

  // Opens a document, program or address as Windows' ShellExecute: more than 32 on success,
  // else an SE_ERR_ number. The base runs xdg-open.
  virtual INT_PTR ShellExecute(HWND owner, std::wstring_view verb, std::wstring_view file,
                               std::wstring_view parameters, std::wstring_view directory, int show);

  // The thread's busy cursor came or went (see CWaitCursor).
  virtual void BusyChanged(bool /*busy*/) {}

  // Lets the person pick from a popup menu; the command chosen, or 0 when dismissed.
  virtual UINT TrackPopupMenu(const CMenu& /*menu*/, CWnd& /*owner*/, int /*x*/, int /*y*/) {
    return 0;
  }
};

// Installs the host of the process and answers the one installed before (null for the
// default host); null restores the default host. The host must outlive its use.
UiHost* SetUiHost(UiHost* host);
UiHost& GetUiHost();

// Reports the changes collected so far now instead of at the next turn of the loop.
void FlushWindowChanges();

// Pumps the calling thread's queue until `window` ends its modal loop (or WM_QUIT).
void PumpModalLoop(CWnd& window);

}  // namespace pw::ui

// Windows' ShellExecute, through the host. The answer is above 32 on success.
INT_PTR ShellExecute(HWND owner, std::wstring_view verb, std::wstring_view file,
                     std::wstring_view parameters = {}, std::wstring_view directory = {},
                     int show = 1);
