// Start-up of the snap-in module and its shared log and language routines.
#include "module/snapin/pwconfig_app.h"

#include <unistd.h>

#include <cstdio>
#include <ctime>

#include "module/snapin/registry_keys.h"
#include "platform/com/strings.h"
#include "platform/win/ini_file.h"
#include "platform/win/paths.h"
#include "platform/win/registry.h"
#include "platform/win/resources.h"
#include "platform/win/thread_locale.h"

extern const pw::ResourceModule kPwconfigResources;

CPwConfigApp theApp;

namespace {

// The log path lives in a buffer of this many bytes; a longer folder value is not used.
constexpr std::size_t kPathBufferBytes = 260;
constexpr std::size_t kLanguageChars = 255;
constexpr wchar_t kLogFileName[] = L"pwconfig.log";

// The folder that holds this module's file.
std::wstring ModuleFolder() {
  static const int anchor = 0;
  return pw::FolderOf(pw::ModuleFileNameFromAddress(&anchor));
}

bool EndsWithSeparator(std::wstring_view path) {
  return !path.empty() && (path.back() == L'\\' || path.back() == L'/');
}

// A REG_SZ value that fits the path buffer, or nothing.
bool QueryFolderValue(const CRegKey& key, std::wstring_view name, std::wstring* folder) {
  std::wstring value;
  if (key.QueryStringValue(name, &value) != ERROR_SUCCESS) return false;
  if (pw::ToUtf8(value).size() + 1 > kPathBufferBytes) return false;
  *folder = std::move(value);
  return true;
}

// Runs the start-up when the module is loaded, before the console can create any object.
struct StartUp {
  StartUp() { theApp.InitInstance(); }
} start_up;

}  // namespace

void CPwConfigApp::InitInstance() {
  ConfigureLog();
  ChooseLanguage();
}

void CPwConfigApp::ConfigureLog() {
  CRegKey config;
  if (config.Open(HKEY_LOCAL_MACHINE, kPagewellConfigKey, KEY_READ) != ERROR_SUCCESS) return;
  DWORD debug = 0;
  if (config.QueryDWORDValue(L"DEBUG", &debug) != ERROR_SUCCESS || debug == 0) return;

  std::wstring folder;
  if (!QueryFolderValue(config, L"LOGDIR", &folder)) {
    CRegKey server;
    if (server.Open(HKEY_LOCAL_MACHINE, kPagewellKey, KEY_READ) != ERROR_SUCCESS ||
        !QueryFolderValue(server, L"PATH", &folder)) {
      folder = ModuleFolder();
    }
  }
  logging_ = true;
  if (folder.empty()) return;  // the module's own path is unknown: logging stays on, pathless
  if (!EndsWithSeparator(folder)) folder += L'\\';
  log_path_ = folder + kLogFileName;

  // Every run of the console starts a fresh log.
  const std::string host_path = pw::ToHostPath(log_path_);
  if (std::FILE* old = std::fopen(host_path.c_str(), "r")) {
    std::fclose(old);
    ::unlink(host_path.c_str());
  }
}

void CPwConfigApp::ChooseLanguage() {
  SetThreadLocale(LOCALE_ENGLISH_US);
  german_ = false;
  const std::wstring options = ModuleFolder() + L"\\options.ini";
  const std::wstring language =
      GetPrivateProfileString(L"misc", L"language", L"", options, kLanguageChars + 1);
  if (pw::EqualsIgnoreCase(language, L"german")) {
    SetThreadLocale(LOCALE_GERMAN);
    german_ = true;
  }
}

void CPwConfigApp::WriteLogLine(std::wstring_view message) const {
  if (!logging_ || log_path_.empty()) return;
  std::FILE* log = std::fopen(pw::ToHostPath(log_path_).c_str(), "a");
  if (log == nullptr) return;
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  ::localtime_r(&now, &local);
  char date[16];
  char time[16];
  std::strftime(date, sizeof(date), "%m/%d/%y", &local);
  std::strftime(time, sizeof(time), "%H:%M:%S", &local);
  std::fprintf(log, "%s %s: ", date, time);
  std::fputs(pw::ToUtf8(message).c_str(), log);
  std::fputs("\n", log);
  std::fclose(log);
}

HINSTANCE AfxGetResourceHandle() { return kPwconfigResources.handle(); }

std::wstring LoadModuleString(UINT id) {
  return pw::LoadStringResource(AfxGetResourceHandle(), id);
}

void SetDisplayLanguage() { SetThreadLocale(theApp.german() ? LOCALE_GERMAN : LOCALE_ENGLISH_US); }
