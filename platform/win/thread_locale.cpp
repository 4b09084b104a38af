// The calling thread's language: one value per thread, English until the thread changes it.
#include "platform/win/thread_locale.h"

namespace {
thread_local LCID thread_locale = LOCALE_ENGLISH_US;
}  // namespace

// Any locale is accepted; a resource load with a language it has no set for falls back to
// English, so there is nothing to refuse here.
BOOL SetThreadLocale(LCID locale) {
  thread_locale = locale;
  return TRUE;
}

LCID GetThreadLocale() { return thread_locale; }
