// The console's view of the registry.
#include "mmc/host/snapin_registry.h"

#include <filesystem>

#include "platform/com/class_loader.h"
#include "platform/com/strings.h"
#include "platform/win/paths.h"
#include "platform/win/registry.h"

namespace pw::mmc {
namespace {

std::optional<SnapInInfo> ReadSnapIn(const CRegKey& list, const std::wstring& name) {
  const auto clsid = ParseGuid(std::wstring_view(name));
  if (!clsid || name.size() != 38) return std::nullopt;
  CRegKey key;
  if (key.Open(list.m_hKey(), name, KEY_READ) != ERROR_SUCCESS) return std::nullopt;
  SnapInInfo info;
  info.clsid = *clsid;
  key.QueryStringValue(L"NameString", &info.name);
  std::wstring about;
  if (key.QueryStringValue(L"About", &about) == ERROR_SUCCESS) {
    if (const auto parsed = ParseGuid(std::wstring_view(about))) info.about = *parsed;
  }
  CRegKey stand_alone;
  info.stand_alone = stand_alone.Open(key.m_hKey(), L"StandAlone", KEY_READ) == ERROR_SUCCESS;
  return info;
}

std::wstring TakeTaskString(LPWSTR text) {
  std::wstring copy = text != nullptr ? text : L"";
  CoTaskMemFree(text);
  return copy;
}

}  // namespace

std::vector<SnapInInfo> ListSnapIns() {
  std::vector<SnapInInfo> found;
  CRegKey list;
  if (list.Open(HKEY_LOCAL_MACHINE, kSnapInsKey, KEY_READ) != ERROR_SUCCESS) return found;
  std::wstring name;
  for (DWORD index = 0; RegEnumKeyEx(list.m_hKey(), index, &name) == ERROR_SUCCESS; ++index) {
    if (auto info = ReadSnapIn(list, name)) found.push_back(std::move(*info));
  }
  return found;
}

std::optional<SnapInInfo> FindSnapIn(REFCLSID clsid) {
  CRegKey list;
  if (list.Open(HKEY_LOCAL_MACHINE, kSnapInsKey, KEY_READ) != ERROR_SUCCESS) return std::nullopt;
  return ReadSnapIn(list, GuidToString(clsid));
}

HRESULT ReadAboutInfo(REFCLSID about, AboutInfo* info) {
  if (info == nullptr) return E_POINTER;
  ComPtr<ISnapinAbout> object;
  const HRESULT hr = CreateInstance(about, &object);
  if (FAILED(hr)) return hr;
  LPWSTR text = nullptr;
  if (SUCCEEDED(object->GetSnapinDescription(&text))) info->description = TakeTaskString(text);
  text = nullptr;
  if (SUCCEEDED(object->GetProvider(&text))) info->provider = TakeTaskString(text);
  text = nullptr;
  if (SUCCEEDED(object->GetSnapinVersion(&text))) info->version = TakeTaskString(text);
  return S_OK;
}

std::string NodeManagerModulePath() {
  static const int anchor = 0;
  const std::filesystem::path library = ToUtf8(ModuleFileNameFromAddress(&anchor));
  return (library.parent_path() / "pwmmcnode.so").string();
}

HRESULT RegisterNodeManager() {
  const std::wstring path = FromUtf8(NodeManagerModulePath());
  const std::wstring key_name = L"CLSID\\" + GuidToString(CLSID_NodeManager) + L"\\InprocServer32";
  CRegKey key;
  std::wstring registered;
  if (key.Open(HKEY_CLASSES_ROOT, key_name, KEY_READ) == ERROR_SUCCESS &&
      key.QueryStringValue(L"", &registered) == ERROR_SUCCESS && registered == path) {
    return S_OK;
  }
  key.Close();
  LONG error = key.Create(HKEY_CLASSES_ROOT, key_name, KEY_WRITE);
  if (error == ERROR_SUCCESS) error = key.SetStringValue(L"", path);
  if (error == ERROR_SUCCESS) error = key.SetStringValue(L"ThreadingModel", L"Apartment");
  return HRESULT_FROM_WIN32(error);
}

}  // namespace pw::mmc
