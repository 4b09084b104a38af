// The calling thread's language, which decides the resource set that every load returns.
#pragma once

#include "platform/com/types.h"

inline constexpr LCID LOCALE_ENGLISH_US = 1033;
inline constexpr LCID LOCALE_GERMAN = 1031;

// Every thread starts in English (1033).
BOOL SetThreadLocale(LCID locale);
LCID GetThreadLocale();
constexpr LANGID LANGIDFROMLCID(LCID locale) { return static_cast<LANGID>(locale & 0xFFFF); }
