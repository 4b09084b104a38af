// The server settings that the store knows: their names, types, defaults, and whether a
// change takes effect only when the server restarts.
#pragma once

#include <string_view>

#include "platform/com/variant.h"

namespace pw::store {

struct SettingInfo {
  std::wstring_view name;
  VARTYPE vt;  // VT_I4 or VT_BSTR
  LONG default_number;
  std::wstring_view default_text;
  // The server reads the setting only when it starts.
  bool needs_restart;

  VARIANT DefaultValue() const;
};

// The setting of that name (compared without regard to case), or null.
const SettingInfo* FindSetting(std::wstring_view name);

}  // namespace pw::store
