// The snap-ins registered with the console, with the About information each one gives.
#pragma once

#include <string>
#include <vector>

#include "platform/com/guid.h"

namespace pw::console {

struct SnapinEntry {
  CLSID clsid{};
  std::wstring name;         // "NameString"
  bool stand_alone = false;  // can be added on its own
  CLSID about_clsid{};
  // From the About object; `about_error` says why there is none.
  std::wstring description;
  std::wstring provider;
  std::wstring version;
  std::wstring about_error;
};

// Every snap-in under "SOFTWARE\Microsoft\MMC\SnapIns", in registry order.
std::vector<SnapinEntry> ListRegisteredSnapins();

}  // namespace pw::console
