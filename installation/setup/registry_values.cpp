// Writing the installation's registry values without replacing existing ones.
#include "installation/setup/registry_values.h"

#include "platform/com/strings.h"
#include "platform/win/registry.h"

namespace pw::setup {
namespace {

std::string Describe(const RegValue& value) {
  switch (value.type) {
    case REG_SZ:
    case REG_EXPAND_SZ:
      return "\"" + ToUtf8(value.text) + "\"";
    case REG_DWORD:
      return std::to_string(value.number);
    default:
      return "(a value of type " + std::to_string(value.type) + ")";
  }
}

SetupStatus SetDefault(const std::wstring& key_name, std::wstring_view name, const RegValue& value,
                       SetupReport* report) {
  const std::string where = "HKEY_LOCAL_MACHINE\\" + ToUtf8(key_name) + "\\" + ToUtf8(name);
  CRegKey key;
  LONG result = key.Create(HKEY_LOCAL_MACHINE, key_name);
  if (result != ERROR_SUCCESS) return RegistryFailure("creating " + where, result);
  RegValue existing;
  if (RegQueryValueEx(key.m_hKey(), name, &existing) == ERROR_SUCCESS) {
    report->Kept(where + " = " + Describe(existing));
    return SetupStatus::Ok();
  }
  result = RegSetValueEx(key.m_hKey(), name, value);
  if (result != ERROR_SUCCESS) return RegistryFailure("writing " + where, result);
  report->Created(where + " = " + Describe(value));
  return SetupStatus::Ok();
}

}  // namespace

SetupStatus RegistryValues::String(std::wstring_view name, std::wstring_view value) {
  return SetDefault(key_, name, RegValue::String(value), report_);
}

SetupStatus RegistryValues::Dword(std::wstring_view name, DWORD value) {
  return SetDefault(key_, name, RegValue::Dword(value), report_);
}

SetupStatus RegistryValues::Version() {
  SetupStatus status = Dword(L"MajorVer", kMajorVersion);
  if (status.ok()) status = Dword(L"MinorVer", kMinorVersion);
  if (status.ok()) status = Dword(L"Build", kBuild);
  return status;
}

std::optional<DWORD> ReadDword(std::wstring_view key_name, std::wstring_view name) {
  CRegKey key;
  if (key.Open(HKEY_LOCAL_MACHINE, key_name, KEY_READ) != ERROR_SUCCESS) return std::nullopt;
  DWORD value = 0;
  if (key.QueryDWORDValue(name, &value) != ERROR_SUCCESS) return std::nullopt;
  return value;
}

SetupStatus RegistryFailure(const std::string& step, LONG result) {
  return SetupStatus::Failure(RegistryFilePath(), step, HRESULT_FROM_WIN32(result),
                              RegistryLastError());
}

}  // namespace pw::setup
