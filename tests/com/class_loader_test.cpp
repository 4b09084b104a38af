// CoCreateInstance finds modules through the registry file and loads them once.
#include "platform/com/class_loader.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include "platform/com/strings.h"
#include "platform/win/registry.h"
#include "tests/com/test_module/test_module.h"
#include "tests/support/temp_installation.h"

namespace {

void RegisterServer(REFCLSID clsid, const std::wstring& path) {
  CRegKey key;
  ASSERT_EQ(
      key.Create(HKEY_CLASSES_ROOT, L"CLSID\\" + pw::GuidToString(clsid) + L"\\InprocServer32"),
      ERROR_SUCCESS);
  ASSERT_EQ(key.SetStringValue(L"", path), ERROR_SUCCESS);
}

std::string CounterModulePath() { return pw::test::BinDir() + "/pwtest_counter.so"; }

// A registered class is created through its module's factory; an unknown one is not.
TEST(ClassLoader, CreatesRegisteredClasses) {
  pw::test::TempRegistry registry;
  pw::ComPtr<ITestCounter> counter;
  EXPECT_EQ(pw::CreateInstance(CLSID_TestCounter, &counter), REGDB_E_CLASSNOTREG);
  EXPECT_FALSE(counter);

  RegisterServer(CLSID_TestCounter, pw::FromUtf8(CounterModulePath()));
  ASSERT_EQ(pw::CreateInstance(CLSID_TestCounter, &counter), S_OK);
  EXPECT_EQ(counter->Next(), 1);
  EXPECT_EQ(counter->Next(), 2);

  pw::ComPtr<IUnknown> outer = counter.As<IUnknown>();
  void* aggregated = nullptr;
  EXPECT_EQ(CoCreateInstance(CLSID_TestCounter, outer.Get(), CLSCTX_INPROC_SERVER, IID_IUnknown,
                             &aggregated),
            CLASS_E_NOAGGREGATION);
  EXPECT_EQ(aggregated, nullptr);
}

// Missing files and libraries without the export are told apart.
TEST(ClassLoader, ReportsBrokenRegistrations) {
  pw::test::TempRegistry registry;
  RegisterServer(CLSID_TestCounter, L"/nonexistent/folder/module.so");
  void* object = nullptr;
  EXPECT_EQ(
      CoCreateInstance(CLSID_TestCounter, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, &object),
      HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND));
  EXPECT_NE(pw::LastModuleLoadError().find("module.so"), std::string::npos);

  const std::string platform = pw::test::BinDir() + "/libpwplatform.so";
  RegisterServer(CLSID_TestCounter, pw::FromUtf8(platform));
  EXPECT_EQ(
      CoCreateInstance(CLSID_TestCounter, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, &object),
      CO_E_ERRORINDLL);
  EXPECT_EQ(object, nullptr);
}

// A module stays loaded while its objects live and is unloaded once it says it may be.
TEST(ClassLoader, FreesUnusedModules) {
  pw::test::TempRegistry registry;
  const std::string path = CounterModulePath();
  RegisterServer(CLSID_TestCounter, pw::FromUtf8(path));
  pw::ComPtr<ITestCounter> counter;
  ASSERT_EQ(pw::CreateInstance(CLSID_TestCounter, &counter), S_OK);
  CoFreeUnusedLibraries();
  void* still_loaded = ::dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
  EXPECT_NE(still_loaded, nullptr);
  if (still_loaded != nullptr) ::dlclose(still_loaded);

  counter.Reset();
  CoFreeUnusedLibraries();
  void* after = ::dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
  EXPECT_EQ(after, nullptr);
  if (after != nullptr) ::dlclose(after);
}

}  // namespace
