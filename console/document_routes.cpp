// Console documents: saving the console, and opening a document in place of the console.
#include <httplib.h>

#include "console/api_router.h"
#include "platform/com/strings.h"

namespace pw::console {

namespace {

using nlohmann::json;
using pw::mmc::ConsoleSession;
using pw::mmc::ConsoleState;
using pw::mmc::OperationResult;

void SaveDocument(ApiCall& call) {
  std::string path;
  if (!call.String("path", &path, false)) return;
  if (path.empty()) {
    ConsoleState state;
    if (!call.ReadState(&state)) return;
    path = state.document_path;
    if (path.empty()) {
      call.Fail({400, "bad-request", "The console has no document yet; give a path."});
      return;
    }
  }
  call.Answer(call.session().SaveDocument(path), {{"document", path}});
}

// The document opens in a console of its own first; only once it has opened does it take the
// place of the current console, so that a document that cannot be opened changes nothing.
void OpenDocument(ApiCall& call) {
  std::string path;
  if (!call.String("path", &path, true)) return;
  if (path.empty()) {
    call.Fail({400, "bad-request", "The field \"path\" must name a console document."});
    return;
  }
  std::shared_ptr<ConsoleSession> fresh = ConsoleSession::Start(call.context().session_options);
  const OperationResult opened = fresh->OpenDocument(path);
  if (opened.finished && FAILED(opened.hr)) {
    fresh.reset();
    call.Fail(ApiCall::Refusal(opened));
    return;
  }
  if (!opened.finished && opened.hr != pw::mmc::kPendingResult) {
    fresh.reset();
    call.Fail({503, "busy", pw::ToUtf8(opened.error)});
    return;
  }
  // The current console may still refuse to close (a window of it waits for a person).
  const OperationResult closed = call.session().Close(pw::mmc::ClosePolicy::kDiscard);
  if (!closed.ok()) {
    fresh.reset();
    call.Answer(closed);
    return;
  }
  call.context().console.Replace(fresh);
  call.UseSession(fresh);
  call.context().watcher.Restart();
  json views = json::array();
  ConsoleState state;
  if (fresh->ReadState(&state).finished) {
    for (const auto& view : state.views) views.push_back(view.id);
  }
  call.Answer(opened, {{"views", std::move(views)}});
}

}  // namespace

void AddDocumentRoutes(ApiRoutes& routes) {
  routes.push_back({"POST", "/api/v1/document/save", &SaveDocument});
  routes.push_back({"POST", "/api/v1/document/open", &OpenDocument});
}

}  // namespace pw::console
