// Self-registration writes the class and console keys exactly, and unregistration removes
// them again except the About class.
#include <gtest/gtest.h>

#include <map>

#include "module/snapin/guids.h"
#include "tests/snapin/module_fixture.h"

namespace {

// Every value under `key` and its subkeys, as "subkey|name" → value text ("@" is the default).
void Collect(HKEY root, const std::wstring& key, std::map<std::wstring, std::wstring>* out) {
  CRegKey handle;
  if (handle.Open(root, key) != ERROR_SUCCESS) return;
  (*out)[key + L"|"] = L"(key)";
  RegValue value;
  std::wstring name;
  for (DWORD i = 0; RegEnumValue(handle.m_hKey(), i, &name, &value) == ERROR_SUCCESS; ++i) {
    EXPECT_EQ(value.type, REG_SZ) << pw::ToUtf8(key + L"\\" + name);
    (*out)[key + L"|" + (name.empty() ? L"@" : name)] = value.text;
  }
  for (DWORD i = 0; RegEnumKeyEx(handle.m_hKey(), i, &name) == ERROR_SUCCESS; ++i) {
    Collect(root, key + L"\\" + name, out);
  }
}

// Registering writes exactly the two classes and the console entry; unregistering leaves only
// the About class.
TEST(Registration, RegisterAndUnregister) {
  pw::test::TempRegistry registry;
  pw::test::TempDir folder;
  pw::test::ModuleCopy module(folder);
  ASSERT_TRUE(module.loaded());
  ASSERT_EQ(module.register_server(), S_OK);

  const std::wstring snapin = L"CLSID\\{0365C5F7-50FA-4061-A5BA-4573F16B742D}";
  const std::wstring about = L"CLSID\\{BE77A287-F672-4FAA-9857-F6253C4DDE90}";
  const std::wstring console =
      L"SOFTWARE\\Microsoft\\MMC\\SnapIns\\{0365C5F7-50FA-4061-A5BA-4573F16B742D}";
  const std::wstring module_path = pw::FromUtf8(module.path());

  std::map<std::wstring, std::wstring> classes;
  Collect(HKEY_CLASSES_ROOT, L"CLSID", &classes);
  const std::map<std::wstring, std::wstring> expected_classes = {
      {L"CLSID|", L"(key)"},
      {snapin + L"|", L"(key)"},
      {snapin + L"|@", L"Pagewell.Config.9"},
      {snapin + L"\\InprocServer32|", L"(key)"},
      {snapin + L"\\InprocServer32|@", module_path},
      {snapin + L"\\InprocServer32|ThreadingModel", L"Apartment"},
      {about + L"|", L"(key)"},
      {about + L"|@", L"Pagewell.Config.About.9"},
      {about + L"\\InprocServer32|", L"(key)"},
      {about + L"\\InprocServer32|@", module_path},
      {about + L"\\InprocServer32|ThreadingModel", L"Apartment"},
  };
  EXPECT_EQ(classes, expected_classes);

  std::map<std::wstring, std::wstring> snapins;
  Collect(HKEY_LOCAL_MACHINE, L"SOFTWARE", &snapins);
  const std::map<std::wstring, std::wstring> expected_snapins = {
      {L"SOFTWARE|", L"(key)"},
      {L"SOFTWARE\\Microsoft|", L"(key)"},
      {L"SOFTWARE\\Microsoft\\MMC|", L"(key)"},
      {L"SOFTWARE\\Microsoft\\MMC\\SnapIns|", L"(key)"},
      {console + L"|", L"(key)"},
      {console + L"|NameString", L"Pagewell Configuration"},
      {console + L"|About", L"{BE77A287-F672-4FAA-9857-F6253C4DDE90}"},
      {console + L"\\StandAlone|", L"(key)"},
  };
  EXPECT_EQ(snapins, expected_snapins);

  // Registering again changes nothing.
  ASSERT_EQ(module.register_server(), S_OK);
  std::map<std::wstring, std::wstring> again;
  Collect(HKEY_CLASSES_ROOT, L"CLSID", &again);
  EXPECT_EQ(again, expected_classes);

  ASSERT_EQ(module.unregister_server(), S_OK);
  std::map<std::wstring, std::wstring> left;
  Collect(HKEY_CLASSES_ROOT, L"CLSID", &left);
  Collect(HKEY_LOCAL_MACHINE, console, &left);
  EXPECT_EQ(left.count(snapin + L"|"), 0u);
  EXPECT_EQ(left.count(console + L"|"), 0u);
  EXPECT_EQ(left.at(about + L"|@"), L"Pagewell.Config.About.9");
  EXPECT_EQ(left.at(about + L"\\InprocServer32|@"), module_path);

  // Nothing left to remove: the class key is missing, which is a failure.
  EXPECT_EQ(module.unregister_server(), E_FAIL);
}

// A registry file that cannot be read is reported, and registration leaves it untouched.
TEST(Registration, MalformedRegistryFails) {
  pw::test::TempRegistry registry;
  const std::string broken = "Windows Registry Editor Version 5.00\n\n[HKEY_NOWHERE\\X]\n";
  registry.dir().WriteFile("registry.reg", broken);
  pw::test::TempDir folder;
  pw::test::ModuleCopy module(folder);
  ASSERT_TRUE(module.loaded());
  EXPECT_EQ(module.register_server(), HRESULT_FROM_WIN32(ERROR_BADDB));
  EXPECT_EQ(registry.dir().ReadFile("registry.reg"), broken);
}

}  // namespace
