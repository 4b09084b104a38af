// ConsoleSession.
#include "mmc/host/console_session.h"

#include "mmc/host/host_strings.h"

namespace pw::mmc {

struct ConsoleSession::CallState {
  std::mutex mutex;
  bool done = false;
  HRESULT hr = S_OK;
  std::wstring error;
};

std::unique_ptr<ConsoleSession> ConsoleSession::Start(Options options) {
  std::unique_ptr<ConsoleSession> session(new ConsoleSession());
  session->timeout_ms_ = options.timeout_ms;
  std::promise<void> ready;
  std::future<void> started = ready.get_future();
  session->thread_ = std::thread(&ConsoleSession::ThreadMain, session.get(), options, &ready);
  started.wait();
  return session;
}

void ConsoleSession::ThreadMain(Options options, std::promise<void>* ready) {
  SetThreadLocale(options.locale);
  queue_ = &MessageQueue::Current();
  thread_id_ = GetCurrentThreadId();
  std::unique_ptr<ConsoleUi> own_ui;
  ConsoleUi* ui = options.ui;
  if (ui == nullptr) {
    own_ui = CreateWindowConsoleUi();
    ui = own_ui.get();
  }
  auto console = std::make_unique<Console>(*ui);
  console_ = console.get();
  ready->set_value();
  MSG message;
  while (GetMessage(&message)) DispatchMessage(&message);
  // The snap-in ends on the thread it lived on.
  console.reset();
  console_ = nullptr;
  MessageQueue::Current().DispatchPending();
  own_ui.reset();
}

ConsoleSession::~ConsoleSession() {
  if (!thread_.joinable()) return;
  queue_->PostQuit(0);
  thread_.join();
}

OperationResult ConsoleSession::Wait(const std::shared_ptr<CallState>& call) {
  if (!queue_->WaitForIdle(timeout_ms_)) {
    pending_ = call;
    return OperationResult{HRESULT_FROM_WIN32(ERROR_TIMEOUT), false, HostText(HostString::kBusy)};
  }
  std::lock_guard lock(call->mutex);
  if (!call->done) {
    pending_ = call;
    return OperationResult{kPendingResult, false, {}};
  }
  if (pending_ == call) pending_ = nullptr;
  return OperationResult{call->hr, true, call->error};
}

OperationResult ConsoleSession::Call(std::function<HRESULT(Console&)> action) {
  std::lock_guard lock(calls_);
  auto call = std::make_shared<CallState>();
  Console* console = console_;
  queue_->PostTask([call, console, action = std::move(action)] {
    const HRESULT hr = action(*console);
    std::wstring error = console->TakeError();
    std::lock_guard done(call->mutex);
    call->done = true;
    call->hr = hr;
    if (FAILED(hr)) call->error = std::move(error);
  });
  return Wait(call);
}

OperationResult ConsoleSession::Pending() {
  std::lock_guard lock(calls_);
  if (!pending_) return OperationResult{};
  const std::shared_ptr<CallState> call = pending_;
  return Wait(call);
}

OperationResult ConsoleSession::InView(int view_id, std::function<HRESULT(View&)> action) {
  return Call([view_id, action = std::move(action)](Console& console) {
    View* view = console.FindView(view_id);
    if (view == nullptr) return console.Fail(E_INVALIDARG, HostText(HostString::kUnknownView));
    console.set_active_view(view);
    return action(*view);
  });
}

OperationResult ConsoleSession::Run(std::function<HRESULT(Console&)> action) {
  return Call(std::move(action));
}

OperationResult ConsoleSession::AddSnapIn(REFCLSID clsid) {
  const CLSID copy = clsid;
  return Call([copy](Console& console) { return console.AddSnapIn(copy); });
}

OperationResult ConsoleSession::OpenDocument(const std::string& path) {
  return Call([path](Console& console) { return console.OpenDocument(path); });
}

OperationResult ConsoleSession::SaveDocument(const std::string& path) {
  return Call([path](Console& console) { return console.SaveDocument(path); });
}

OperationResult ConsoleSession::Close(ClosePolicy policy, const std::string& path) {
  return Call([policy, path](Console& console) { return console.Close(policy, path); });
}

OperationResult ConsoleSession::NewView(HSCOPEITEM root, int* view_id) {
  auto made = std::make_shared<int>(0);
  OperationResult result =
      Call([root, made](Console& console) { return console.NewView(root, made.get()); });
  if (result.finished && view_id != nullptr) *view_id = *made;
  return result;
}

OperationResult ConsoleSession::CloseView(int view_id) {
  return Call([view_id](Console& console) { return console.CloseView(view_id); });
}

OperationResult ConsoleSession::Expand(int view_id, HSCOPEITEM item, bool expand) {
  return InView(view_id, [item, expand](View& view) { return view.ExpandInTree(item, expand); });
}

OperationResult ConsoleSession::SelectScopeItem(int view_id, HSCOPEITEM item) {
  return InView(view_id, [item](View& view) { return view.SelectScopeItem(item); });
}

OperationResult ConsoleSession::SelectRows(int view_id, std::vector<int> rows) {
  return InView(view_id, [rows = std::move(rows)](View& view) { return view.SelectRows(rows); });
}

OperationResult ConsoleSession::ReadRows(int view_id, int first, int last,
                                         std::vector<RowData>* rows, HSCOPEITEM* item) {
  auto read = std::make_shared<std::vector<RowData>>();
  auto shown = std::make_shared<HSCOPEITEM>(0);
  OperationResult result = InView(view_id, [first, last, read, shown](View& view) {
    *shown = view.selected_scope_item();
    return view.ReadRows(first, last, read.get());
  });
  if (result.finished && rows != nullptr) *rows = std::move(*read);
  if (result.finished && item != nullptr) *item = *shown;
  return result;
}

OperationResult ConsoleSession::Sort(int view_id, int column, bool descending) {
  return InView(view_id,
                [column, descending](View& view) { return view.Sort(column, descending); });
}

OperationResult ConsoleSession::TypeAhead(int view_id, std::wstring text, int* found) {
  auto index = std::make_shared<int>(-1);
  OperationResult result = InView(view_id, [text = std::move(text), index](View& view) {
    return view.TypeAhead(text, index.get());
  });
  if (result.finished && found != nullptr) *found = *index;
  return result;
}

OperationResult ConsoleSession::OpenContextMenu(int view_id, HSCOPEITEM tree_item,
                                                std::vector<MenuItem>* items) {
  auto menu = std::make_shared<std::vector<MenuItem>>();
  OperationResult result = InView(view_id, [tree_item, menu](View& view) {
    return view.OpenContextMenu(tree_item, menu.get());
  });
  if (result.finished && items != nullptr) *items = std::move(*menu);
  return result;
}

OperationResult ConsoleSession::RunMenuItem(int view_id, int index) {
  return InView(view_id, [index](View& view) { return view.RunMenuItem(index); });
}

OperationResult ConsoleSession::RunVerb(int view_id, MMC_CONSOLE_VERB verb, std::wstring new_name) {
  return InView(view_id, [verb, new_name = std::move(new_name)](View& view) {
    return view.RunVerb(verb, new_name);
  });
}

OperationResult ConsoleSession::DefaultAction(int view_id) {
  return InView(view_id, [](View& view) { return view.DefaultAction(); });
}

OperationResult ConsoleSession::PressToolbarButton(int view_id, int toolbar, int command) {
  return InView(view_id, [toolbar, command](View& view) {
    return view.PressToolbarButton(toolbar, command);
  });
}

OperationResult ConsoleSession::ReadState(ConsoleState* state) {
  auto read = std::make_shared<ConsoleState>();
  OperationResult result = Call([read](Console& console) {
    *read = console.State();
    return S_OK;
  });
  if (result.finished && state != nullptr) *state = std::move(*read);
  return result;
}

}  // namespace pw::mmc
