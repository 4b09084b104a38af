// The window model's own resource module: the texts of property sheets and the templates and
// texts of the common dialogs, in English and German.
#pragma once

#include <string>

#include "platform/win/resources.h"

extern const pw::ResourceModule kPlatformUiResources;

namespace pw::ui {

inline HINSTANCE PlatformUiInstance() { return kPlatformUiResources.handle(); }
// String `id` of the module in the calling thread's language.
inline std::wstring LoadUiString(UINT id) {
  return pw::LoadStringResource(PlatformUiInstance(), id);
}

}  // namespace pw::ui
