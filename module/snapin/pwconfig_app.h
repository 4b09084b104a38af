// The module's application object: start-up (diagnostic log, display language), the module's
// object and lock counts, and the shared log and language routines every part of the snap-in
// uses.
#pragma once

#include <string>
#include <string_view>

#include "platform/com/interlocked.h"
#include "platform/win/format.h"

// One instance per loaded module (`theApp`), set up when the module is loaded and alive until
// it is unloaded.
class CPwConfigApp {
 public:
  // Reads the log switch and folder from the registry, deletes the previous run's log and
  // chooses the display language. Runs once, when the module is loaded.
  void InitInstance();

  bool logging() const { return logging_; }
  const std::wstring& log_path() const { return log_path_; }
  bool german() const { return german_; }

  // The object and lock counts that decide whether the module may be unloaded.
  LONG* object_count() { return &object_count_; }
  LONG* lock_count() { return &lock_count_; }
  bool CanUnloadNow() {
    return InterlockedRead(&object_count_) == 0 && InterlockedRead(&lock_count_) == 0;
  }

  // Appends one line to the log: the local date and time, then the message.
  void WriteLogLine(std::wstring_view message) const;

 private:
  void ConfigureLog();
  void ChooseLanguage();

  LONG object_count_ = 0;
  LONG lock_count_ = 0;
  bool logging_ = false;
  std::wstring log_path_;
  bool german_ = false;
};

extern CPwConfigApp theApp;

// The module's resources; pass to LoadString, LoadBitmap and LoadIcon.
HINSTANCE AfxGetResourceHandle();
// String `id` of the module's string table in the calling thread's language.
std::wstring LoadModuleString(UINT id);

// The shared logging routine: formats with the Windows printf conventions and writes one
// line when logging is on.
template <typename... Args>
void WriteLog(std::wstring_view format, const Args&... args) {
  if (!theApp.logging()) return;
  theApp.WriteLogLine(pw::FormatString(format, args...));
}

// The shared display-language routine: sets the calling thread's language to the one chosen
// at start-up. Entry points that load resources on a thread of their own call it first.
void SetDisplayLanguage();

// Increments and decrements the module's object count for the lifetime of a COM object.
class ModuleObjectCount {
 public:
  ModuleObjectCount() { InterlockedIncrement(theApp.object_count()); }
  ~ModuleObjectCount() { InterlockedDecrement(theApp.object_count()); }
  ModuleObjectCount(const ModuleObjectCount&) = delete;
  ModuleObjectCount& operator=(const ModuleObjectCount&) = delete;
};
