// ConsoleSession: a console on a console thread of its own, driven through host operations
// that any thread may call. Each operation runs on the console thread and returns once that
// thread is idle again — also when the operation opened a modal window that now waits for a
// person, which the answer then reports as not finished.
#pragma once

#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "mmc/host/console.h"
#include "mmc/host/console_state.h"
#include "mmc/host/console_ui.h"
#include "mmc/host/view.h"
#include "platform/win/message_queue.h"
#include "platform/win/thread_locale.h"

namespace pw::mmc {

// The hr of an operation that has not finished.
inline constexpr HRESULT kPendingResult = MakeHresult(0x8000000A);

struct OperationResult {
  HRESULT hr = S_OK;
  // false while a modal window the operation opened waits (hr kPendingResult), or when the
  // console thread did not become idle in time (hr HRESULT_FROM_WIN32(ERROR_TIMEOUT)).
  bool finished = true;
  // For the person, in the console thread's language, when the operation was refused.
  std::wstring error;

  bool ok() const { return finished && SUCCEEDED(hr); }
};

class ConsoleSession {
 public:
  struct Options {
    // Borrowed; called on the console thread. Null: the window model's ConsoleUi, made on the
    // console thread.
    ConsoleUi* ui = nullptr;
    LCID locale = LOCALE_ENGLISH_US;
    // How long an operation waits for the console thread to become idle.
    int timeout_ms = 60000;
  };

  // Starts the console thread with an empty console.
  static std::unique_ptr<ConsoleSession> Start(Options options);
  // Closes the console without saving and ends the thread.
  ~ConsoleSession();
  ConsoleSession(const ConsoleSession&) = delete;
  ConsoleSession& operator=(const ConsoleSession&) = delete;

  DWORD console_thread_id() const { return thread_id_; }

  OperationResult AddSnapIn(REFCLSID clsid);
  OperationResult OpenDocument(const std::string& path);
  OperationResult SaveDocument(const std::string& path);
  OperationResult Close(ClosePolicy policy, const std::string& path = {});

  OperationResult NewView(HSCOPEITEM root, int* view_id);
  OperationResult CloseView(int view_id);
  OperationResult Expand(int view_id, HSCOPEITEM item, bool expand = true);
  OperationResult SelectScopeItem(int view_id, HSCOPEITEM item);
  OperationResult SelectRows(int view_id, std::vector<int> rows);
  // `item` (optional): the scope item whose list the rows belong to, so that a reader can
  // tell rows of a list it no longer shows.
  OperationResult ReadRows(int view_id, int first, int last, std::vector<RowData>* rows,
                           HSCOPEITEM* item = nullptr);
  OperationResult Sort(int view_id, int column, bool descending);
  OperationResult TypeAhead(int view_id, std::wstring text, int* found);
  // The context menu of `tree_item`, or with 0 of the view's selection.
  OperationResult OpenContextMenu(int view_id, HSCOPEITEM tree_item, std::vector<MenuItem>* items);
  OperationResult RunMenuItem(int view_id, int index);
  OperationResult RunVerb(int view_id, MMC_CONSOLE_VERB verb, std::wstring new_name = {});
  OperationResult DefaultAction(int view_id);
  OperationResult PressToolbarButton(int view_id, int toolbar, int command);
  OperationResult ReadState(ConsoleState* state);

  // Runs `action` on the console thread like any operation: for front ends that act in the
  // console's windows, and for tests.
  OperationResult Run(std::function<HRESULT(Console&)> action);
  // The result of an operation that had not finished, once it has (waiting for idle first).
  OperationResult Pending();

 private:
  struct CallState;
  ConsoleSession() = default;
  void ThreadMain(Options options, std::promise<void>* ready);
  OperationResult Call(std::function<HRESULT(Console&)> action);
  // Runs `action` on the view `view_id`, which becomes the console's active view.
  OperationResult InView(int view_id, std::function<HRESULT(View&)> action);
  // Waits for the console thread to be idle; answers the call's result if it has finished.
  OperationResult Wait(const std::shared_ptr<CallState>& call);

  std::thread thread_;
  DWORD thread_id_ = 0;
  MessageQueue* queue_ = nullptr;
  Console* console_ = nullptr;  // lives on the console thread
  int timeout_ms_ = 60000;
  std::mutex calls_;  // one caller at a time
  std::shared_ptr<CallState> pending_;
};

}  // namespace pw::mmc
