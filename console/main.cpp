// pwconsole: hosts the console on an installation and serves it to a browser on this computer.
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <condition_variable>
#include <cstdio>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "console/api_router.h"
#include "console/console_options.h"
#include "console/console_slot.h"
#include "console/console_watcher.h"
#include "console/event_hub.h"
#include "console/http_security.h"
#include "console/web_server.h"
#include "console/web_ui_host.h"
#include "installation/setup/demo_installation.h"
#include "mmc/host/console.h"
#include "mmc/host/console_session.h"
#include "mmc/host/snapin_registry.h"
#include "platform/com/guid.h"
#include "platform/com/strings.h"
#include "platform/ui/message_box.h"
#include "platform/ui/wnd.h"
#include "platform/win/registry.h"

extern char** environ;

namespace {

using pw::console::ConsoleOptions;

// How often the console is looked at for changes that no request caused (a worker's result,
// a sheet applied in another view).
constexpr auto kLookInterval = std::chrono::milliseconds(500);

int Fail(const std::string& message) {
  std::fprintf(stderr, "pwconsole: %s\n", message.c_str());
  return 1;
}

bool PrepareInstallation(const ConsoleOptions& options, std::string* error) {
  if (!options.registry_file.empty()) {
    pw::SetRegistryFilePath(options.registry_file);
    return true;
  }
  const pw::setup::DemoInstallation demo = pw::setup::DemoInstallationPaths();
  if (!pw::setup::EnsureDemoInstallation(demo, error)) {
    *error = "the demo installation cannot be created: " + *error;
    return false;
  }
  return true;
}

// The snap-in to add: the one named on the command line, else the first stand-alone one.
std::optional<CLSID> ChooseSnapIn(const ConsoleOptions& options, std::string* error) {
  if (!options.snapin.empty()) {
    const auto clsid = pw::ParseGuid(std::string_view(options.snapin));
    if (!clsid) *error = "--snapin needs a class id such as {00000000-0000-0000-0000-000000000000}";
    return clsid;
  }
  for (const pw::mmc::SnapInInfo& snapin : pw::mmc::ListSnapIns()) {
    if (snapin.stand_alone) return snapin.clsid;
  }
  *error = "no snap-in is registered in " + pw::RegistryFilePath();
  return std::nullopt;
}

void OpenBrowser(const std::string& url) {
  const char* arguments[] = {"xdg-open", url.c_str(), nullptr};
  pid_t child = 0;
  if (posix_spawnp(&child, "xdg-open", nullptr, nullptr, const_cast<char**>(arguments), environ) ==
      0) {
    // Reaped on a thread of its own so that a slow browser start never holds the console.
    std::thread([child] { waitpid(child, nullptr, 0); }).detach();
  } else {
    std::fprintf(stderr, "pwconsole: the browser could not be opened; open the address above\n");
  }
}

// Ends the modal windows that wait for a person, topmost first, so that the console can close.
void EndModalWindows(pw::mmc::ConsoleSession& session, pw::console::WebUiHost& host) {
  for (int round = 0; round < 32; ++round) {
    bool ended = false;
    session.Run([&host, &ended](pw::mmc::Console&) {
      if (pw::console::WebUiHost::PopupMenu* popup = host.popup()) {
        ended = host.AnswerPopup(popup->id, 0);
        return S_OK;
      }
      const auto& windows = host.windows();
      for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        CWnd* window = CWnd::FromHandle(*it);
        if (window == nullptr || !window->IsInModalLoop()) continue;
        const auto* box = dynamic_cast<CMessageBoxWnd*>(window);
        window->EndModalLoop(box != nullptr ? box->cancel_like_answer() : IDCANCEL);
        ended = true;
        break;
      }
      return S_OK;
    });
    if (!ended) return;
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::string error;
  const auto options =
      pw::console::ParseConsoleOptions(std::vector<std::string>(argv + 1, argv + argc), &error);
  if (!options) {
    std::fprintf(stderr, "pwconsole: %s\n%s", error.c_str(), pw::console::kConsoleUsage);
    return 2;
  }
  if (options->help) {
    std::fputs(pw::console::kConsoleUsage, stdout);
    return 0;
  }

  // Every thread started from here on leaves these signals to the main thread's sigwait.
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);
  signal(SIGPIPE, SIG_IGN);

  if (!PrepareInstallation(*options, &error)) return Fail(error);
  std::optional<CLSID> snapin;
  if (options->document.empty()) {
    snapin = ChooseSnapIn(*options, &error);
    if (!snapin) return Fail(error);
  }

  pw::console::EventHub events;
  pw::console::WebUiHost host(events);
  pw::mmc::ConsoleSession::Options session_options;
  session_options.locale = options->language == "de" ? LOCALE_GERMAN : LOCALE_ENGLISH_US;
  session_options.timeout_ms = 30000;
  std::shared_ptr<pw::mmc::ConsoleSession> session =
      pw::mmc::ConsoleSession::Start(session_options);

  const pw::mmc::OperationResult started = options->document.empty()
                                               ? session->AddSnapIn(*snapin)
                                               : session->OpenDocument(options->document);
  // An add flow that shows a wizard waits for the person in the browser.
  if (started.finished && FAILED(started.hr)) {
    const std::string reason = pw::ToUtf8(started.error);
    session.reset();
    return Fail(reason.empty() ? "the console could not start" : reason);
  }

  pw::console::HttpSecurity security(pw::console::HttpSecurity::RandomHex(32),
                                     !options->tls_cert.empty(),
                                     options->loopback ? std::string() : options->address);
  pw::console::ConsoleSlot console(std::move(session));
  pw::console::ConsoleWatcher watcher(console, events);
  pw::console::ApiRouter router(
      {console, host, events, security, watcher, options->language, session_options});
  pw::console::WebServer::Settings settings;
  settings.address = options->address;
  settings.port = options->port;
  settings.tls_cert = options->tls_cert;
  settings.tls_key = options->tls_key;
  settings.ipv6_loopback = options->loopback;
  std::unique_ptr<pw::console::WebServer> server =
      pw::console::WebServer::Create(settings, security, router, &error);
  if (!server) {
    console.Get()->Close(pw::mmc::ClosePolicy::kDiscard);
    console.Replace(nullptr);
    return Fail(error);
  }
  watcher.Look();
  server->Start();

  const std::string host_name = options->address.find(':') != std::string::npos
                                    ? "[" + options->address + "]"
                                    : options->address;
  const std::string url = std::string(options->tls_cert.empty() ? "http" : "https") + "://" +
                          host_name + ":" + std::to_string(server->port()) +
                          "/?token=" + security.token();
  std::printf("Pagewell Configuration is served at %s\n", url.c_str());
  std::printf("PWCONSOLE_URL=%s\n", url.c_str());
  std::fflush(stdout);
  if (options->open_browser) OpenBrowser(url);

  std::mutex stop_mutex;
  std::condition_variable stop_changed;
  bool stopping = false;
  std::thread looker([&] {
    std::unique_lock lock(stop_mutex);
    while (!stop_changed.wait_for(lock, kLookInterval, [&] { return stopping; })) {
      lock.unlock();
      watcher.Look();
      lock.lock();
    }
  });

  int signal_number = 0;
  sigwait(&signals, &signal_number);

  {
    std::lock_guard lock(stop_mutex);
    stopping = true;
  }
  stop_changed.notify_all();
  looker.join();
  events.Close();
  server->Stop();
  std::shared_ptr<pw::mmc::ConsoleSession> last = console.Replace(nullptr);
  EndModalWindows(*last, host);
  last->Close(pw::mmc::ClosePolicy::kDiscard);
  last.reset();
  std::fprintf(stderr, "pwconsole: ended\n");
  return 0;
}
