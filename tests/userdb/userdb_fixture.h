// The user database tests' fixture: a registry of the test's own in which the user database
// and the configuration store registered themselves, a server folder, and small helpers.
#pragma once

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "installation/interfaces/ardent_db.h"
#include "installation/interfaces/ardent_userdb.h"
#include "platform/com/class_loader.h"
#include "platform/com/strings.h"
#include "tests/support/temp_installation.h"

namespace pw::test {

// Calls a module's DllRegisterServer.
inline HRESULT RegisterModule(const std::string& file) {
  void* module = ::dlopen((BinDir() + "/" + file).c_str(), RTLD_NOW);
  if (module == nullptr) return E_FAIL;
  using Export = HRESULT (*)();
  auto* function = reinterpret_cast<Export>(::dlsym(module, "DllRegisterServer"));
  const HRESULT hr = function != nullptr ? function() : E_FAIL;
  ::dlclose(module);
  return hr;
}

// Every text an enumerator gives from its start.
inline std::vector<std::wstring> AllTexts(const IArdentTextEnumPtr& texts) {
  std::vector<std::wstring> result;
  if (!texts) return result;
  texts->Reset();
  _bstr_t text;
  while (texts->Next(&text) == S_OK) result.push_back(text.str());
  return result;
}

// The texts of a VT_ARRAY|VT_VARIANT of VT_BSTR; a value of another shape fails the test.
inline std::vector<std::wstring> ArrayTexts(const VARIANT& value) {
  std::vector<std::wstring> texts;
  EXPECT_EQ(value.vt(), VT_ARRAY | VT_VARIANT);
  if (value.vt() != (VT_ARRAY | VT_VARIANT)) return texts;
  for (const VARIANT& item : value.Array()) {
    EXPECT_EQ(item.vt(), VT_BSTR);
    if (item.vt() == VT_BSTR) texts.push_back(item.bstrVal());
  }
  return texts;
}

class UserDbTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(RegisterModule("pwuserdb.so"), S_OK);
    ASSERT_EQ(RegisterModule("pwstore.so"), S_OK);
  }

  // A user database object made through the registry, not connected.
  IArdentUserDBPtr NewUserDb() {
    IArdentUserDBPtr user_db;
    EXPECT_EQ(CreateInstance(CLSID_ArdentUserDB, &user_db), S_OK);
    return user_db;
  }

  // The connection string as the console forms it: the server path, a backslash and the file.
  std::wstring DbArgument() const {
    return L"dbpath=" + FromUtf8(server_.path()) + L"\\" + ARDENTUSERDB_FILE_NAME;
  }
  std::string DbFile() const { return server_.Sub("pwdb_usr.fst"); }

  // The locator of a user database connected with flags 7 (creating the file on first use).
  IArdentUserLocatorPtr Connected() {
    IArdentUserDBPtr user_db = NewUserDb();
    if (!user_db) return nullptr;
    EXPECT_EQ(user_db->raw_Connect(7, DbArgument().c_str()), S_OK);
    return user_db.As<IArdentUserLocator>();
  }

  // A saved user with a login and an address.
  IArdentUserPtr SaveUser(const IArdentUserLocatorPtr& users, const std::wstring& login,
                          const std::wstring& type = L"user") {
    IArdentUserPtr user = users->CreateUser(type);
    user->SetAttribute(L"cn", VARIANT::FromBstr(login));
    if (type == L"user") {
      user->SetAttribute(L"ardentWindowsAccount", VARIANT::FromBstr(login));
      user->SetAttribute(L"mail", VARIANT::FromBstr(login + L"@Pagewell"));
    }
    EXPECT_EQ(user->raw_Save(), S_OK) << ToUtf8(login);
    return user;
  }

  // The rule store open on the server folder, with a configuration made on first use.
  IArdentRULEDBPtr OpenRules() {
    IArdentDBPtr store;
    EXPECT_EQ(CreateInstance(CLSID_ArdentDB, &store), S_OK);
    if (!store) return nullptr;
    if (!server_.Exists("pwconfig.db")) {
      EXPECT_EQ(
          store.As<IArdentDBSetup>()->raw_CreateConfiguration(FromUtf8(server_.path()).c_str()),
          S_OK);
    }
    EXPECT_EQ(store->raw_Open(0, FromUtf8(server_.path()).c_str()), S_OK);
    return store.As<IArdentRULEDB>();
  }

  TempRegistry registry_;
  TempDir server_;
};

}  // namespace pw::test
