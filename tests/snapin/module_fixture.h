// Loads a private copy of the snap-in module, so that each test sees the module's start-up run
// against the registry and files the test prepared.
#pragma once

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/com/com_ptr.h"
#include "platform/com/strings.h"
#include "platform/win/registry.h"
#include "platform/win/thread_locale.h"
#include "tests/support/temp_installation.h"

namespace pw::test {

class ModuleCopy {
 public:
  // Copies pwconfig.so into `folder` and loads it from there. Every copy has a name of its
  // own, so that no load finds an earlier copy still mapped.
  explicit ModuleCopy(const TempDir& folder)
      : path_(folder.Sub("pwconfig-" + std::to_string(++copies_) + ".so")) {
    std::filesystem::copy_file(BinDir() + "/pwconfig.so", path_);
    handle_ = ::dlopen(path_.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle_ == nullptr) {
      ADD_FAILURE() << "cannot load " << path_ << ": " << ::dlerror();
      return;
    }
    get_class_object = Lookup<DllGetClassObjectFunction>("DllGetClassObject");
    can_unload_now = Lookup<DllCanUnloadNowFunction>("DllCanUnloadNow");
    register_server = Lookup<HRESULT (*)()>("DllRegisterServer");
    unregister_server = Lookup<HRESULT (*)()>("DllUnregisterServer");
  }
  ~ModuleCopy() {
    if (handle_ != nullptr) ::dlclose(handle_);
    // The module's start-up chose a language for this thread; later tests start in English.
    SetThreadLocale(LOCALE_ENGLISH_US);
  }
  ModuleCopy(const ModuleCopy&) = delete;
  ModuleCopy& operator=(const ModuleCopy&) = delete;

  bool loaded() const { return handle_ != nullptr && get_class_object != nullptr; }
  const std::string& path() const { return path_; }

  template <ComInterface T>
  HRESULT Create(REFCLSID clsid, ComPtr<T>* object) {
    ComPtr<IClassFactory> factory;
    HRESULT hr = get_class_object(clsid, IID_IClassFactory, factory.ReleaseAndGetVoidAddressOf());
    if (FAILED(hr)) return hr;
    return factory->CreateInstance(nullptr, T::kIid, object->ReleaseAndGetVoidAddressOf());
  }

  DllGetClassObjectFunction get_class_object = nullptr;
  DllCanUnloadNowFunction can_unload_now = nullptr;
  HRESULT (*register_server)() = nullptr;
  HRESULT (*unregister_server)() = nullptr;

 private:
  template <typename Function>
  Function Lookup(const char* name) {
    auto function = reinterpret_cast<Function>(::dlsym(handle_, name));
    if (function == nullptr) ADD_FAILURE() << "pwconfig.so does not export " << name;
    return function;
  }

  static inline int copies_ = 0;
  std::string path_;
  void* handle_ = nullptr;
};

// Writes values under HKEY_LOCAL_MACHINE for a test's installation.
inline void SetMachineDword(std::wstring_view key_name, std::wstring_view name, DWORD value) {
  CRegKey key;
  ASSERT_EQ(key.Create(HKEY_LOCAL_MACHINE, key_name), ERROR_SUCCESS);
  ASSERT_EQ(key.SetDWORDValue(name, value), ERROR_SUCCESS);
}

inline void SetMachineString(std::wstring_view key_name, std::wstring_view name,
                             std::wstring_view value) {
  CRegKey key;
  ASSERT_EQ(key.Create(HKEY_LOCAL_MACHINE, key_name), ERROR_SUCCESS);
  ASSERT_EQ(key.SetStringValue(name, value), ERROR_SUCCESS);
}

}  // namespace pw::test
