// The snap-ins a console can add (HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\MMC\SnapIns), their
// About information, and the console's own class registration (the node manager).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "mmc/mmc.h"

namespace pw::mmc {

inline constexpr wchar_t kSnapInsKey[] = L"SOFTWARE\\Microsoft\\MMC\\SnapIns";

struct SnapInInfo {
  CLSID clsid = GUID_NULL;
  std::wstring name;         // "NameString"
  CLSID about = GUID_NULL;   // "About": the class that answers ISnapinAbout
  bool stand_alone = false;  // has the subkey "StandAlone"
};

// In the order of the registry (by class id text). Entries whose key is not a class id are
// skipped.
std::vector<SnapInInfo> ListSnapIns();
std::optional<SnapInInfo> FindSnapIn(REFCLSID clsid);

struct AboutInfo {
  std::wstring description;
  std::wstring provider;
  std::wstring version;
};
// Creates the About class and reads its texts.
HRESULT ReadAboutInfo(REFCLSID about, AboutInfo* info);

// The file of the node manager module (pwmmcnode.so), beside this library.
std::string NodeManagerModulePath();
// Registers CLSID_NodeManager with that module, unless it is registered there already, so
// that snap-ins can create property sheet providers with CoCreateInstance.
HRESULT RegisterNodeManager();

}  // namespace pw::mmc
