// Reading the console's list of snap-ins and their About objects.
#include "console/snapin_catalog.h"

#include "mmc/mmc.h"
#include "platform/com/class_loader.h"
#include "platform/com/memory.h"
#include "platform/win/format.h"
#include "platform/win/registry.h"

namespace pw::console {
namespace {

constexpr wchar_t kSnapInsKey[] = L"SOFTWARE\\Microsoft\\MMC\\SnapIns";

std::wstring TakeText(HRESULT hr, LPWSTR text) {
  std::wstring result = SUCCEEDED(hr) && text != nullptr ? text : L"";
  CoTaskMemFree(text);
  return result;
}

void ReadAbout(SnapinEntry* entry) {
  ComPtr<ISnapinAbout> about;
  const HRESULT hr = CreateInstance(entry->about_clsid, &about);
  if (FAILED(hr)) {
    entry->about_error = FormatString(L"the About object cannot be created (0x%08X)", hr);
    return;
  }
  LPWSTR text = nullptr;
  HRESULT got = about->GetSnapinDescription(&text);
  entry->description = TakeText(got, text);
  text = nullptr;
  got = about->GetProvider(&text);
  entry->provider = TakeText(got, text);
  text = nullptr;
  got = about->GetSnapinVersion(&text);
  entry->version = TakeText(got, text);
}

}  // namespace

std::vector<SnapinEntry> ListRegisteredSnapins() {
  std::vector<SnapinEntry> entries;
  CRegKey snapins;
  if (snapins.Open(HKEY_LOCAL_MACHINE, kSnapInsKey) != ERROR_SUCCESS) return entries;
  std::wstring name;
  for (DWORD i = 0; RegEnumKeyEx(snapins.m_hKey(), i, &name) == ERROR_SUCCESS; ++i) {
    const auto clsid = ParseGuid(std::wstring_view(name));
    if (!clsid) continue;
    SnapinEntry entry;
    entry.clsid = *clsid;
    CRegKey key;
    if (key.Open(snapins.m_hKey(), name) != ERROR_SUCCESS) continue;
    key.QueryStringValue(L"NameString", &entry.name);
    CRegKey stand_alone;
    entry.stand_alone = stand_alone.Open(key.m_hKey(), L"StandAlone") == ERROR_SUCCESS;
    std::wstring about;
    if (key.QueryStringValue(L"About", &about) == ERROR_SUCCESS) {
      if (const auto about_clsid = ParseGuid(std::wstring_view(about))) {
        entry.about_clsid = *about_clsid;
        ReadAbout(&entry);
      } else {
        entry.about_error = L"its About class is not a class identifier";
      }
    } else {
      entry.about_error = L"it names no About class";
    }
    entries.push_back(std::move(entry));
  }
  return entries;
}

}  // namespace pw::console
