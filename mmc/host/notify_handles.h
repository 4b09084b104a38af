// The notify handles that a console gives a snap-in's property pages: MMCPropertyChangeNotify
// posts through them to the console thread, MMCFreeNotifyHandle ends them.
#pragma once

#include <functional>

#include "mmc/mmc.h"

namespace pw::mmc {

// What a handle delivers to, on the thread that made it. `deliver` runs there later, with the
// param the page passed; it must find out itself whether its target still exists.
struct NotifyTarget {
  const void* owner = nullptr;  // the console, for FreeNotifyHandlesOf
  std::function<void(LPARAM param)> deliver;
};

// A new live handle on the calling thread's queue; handles are never reused.
LONG_PTR CreateNotifyHandle(NotifyTarget target);
bool IsNotifyHandleAlive(LONG_PTR handle);
// Ends every handle of `owner` (a console that is closing).
void FreeNotifyHandlesOf(const void* owner);

}  // namespace pw::mmc
