// The store tests' fixture: a registry of the test's own in which the store module registered
// itself, a server folder, and small helpers that read rules and enumerators.
#pragma once

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "installation/interfaces/ardent_db.h"
#include "platform/com/class_loader.h"
#include "platform/com/strings.h"
#include "tests/support/temp_installation.h"

namespace pw::test {

inline std::string StoreModulePath() { return BinDir() + "/pwstore.so"; }

// Calls one of the module's exports that take no arguments.
inline HRESULT CallStoreExport(const char* name) {
  void* module = ::dlopen(StoreModulePath().c_str(), RTLD_NOW);
  if (module == nullptr) return E_FAIL;
  using Export = HRESULT (*)();
  auto* function = reinterpret_cast<Export>(::dlsym(module, name));
  const HRESULT hr = function != nullptr ? function() : E_FAIL;
  ::dlclose(module);
  return hr;
}

class StoreTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(CallStoreExport("DllRegisterServer"), S_OK); }

  // A store object made through the registry, with nothing open.
  IArdentDBPtr NewStore() {
    IArdentDBPtr store;
    EXPECT_EQ(CreateInstance(CLSID_ArdentDB, &store), S_OK);
    return store;
  }

  std::wstring ServerPath() const { return FromUtf8(server_.path()); }
  std::string ConfigurationFile() const { return server_.Sub("pwconfig.db"); }

  // A store open on the server folder's configuration, which is created on first use.
  IArdentDBPtr OpenStore() {
    IArdentDBPtr store = NewStore();
    if (!store) return nullptr;
    if (!server_.Exists("pwconfig.db")) {
      EXPECT_EQ(store.As<IArdentDBSetup>()->raw_CreateConfiguration(ServerPath().c_str()), S_OK);
    }
    EXPECT_EQ(store->raw_Open(0, ServerPath().c_str()), S_OK);
    return store;
  }

  TempRegistry registry_;
  TempDir server_;
};

// A new rule of `type` with "ObjectValue" and "ObjectDisplay" set and the users added; not
// saved.
inline IArdentRulePtr MakeRule(const IArdentRULEDBPtr& rules, const std::wstring& type,
                               const std::wstring& value,
                               const std::vector<std::wstring>& users = {}) {
  IArdentRulePtr rule = rules->CreateRule(type);
  rule->SetField(L"ObjectValue", VARIANT::FromBstr(value));
  rule->SetField(L"ObjectDisplay", VARIANT::FromBstr(value));
  for (const std::wstring& user : users) rule->AddUser(user);
  return rule;
}

// Every text an enumerator gives from its start.
inline std::vector<std::wstring> AllTexts(const IArdentTextEnumPtr& texts) {
  std::vector<std::wstring> result;
  texts->Reset();
  _bstr_t text;
  while (texts->Next(&text) == S_OK) result.push_back(text.str());
  return result;
}

// Every rule an enumerator gives from its start.
inline std::vector<IArdentRulePtr> AllRules(const IArdentRuleEnumPtr& rules) {
  std::vector<IArdentRulePtr> result;
  rules->Reset();
  IArdentRulePtr rule;
  while (rules->Next(&rule) == S_OK) result.push_back(rule);
  return result;
}

// One field of each rule as text.
inline std::vector<std::wstring> FieldOfEach(const std::vector<IArdentRulePtr>& rules,
                                             const std::wstring& field) {
  std::vector<std::wstring> result;
  for (const IArdentRulePtr& rule : rules) result.push_back(rule->GetField(field).ToString());
  return result;
}

inline std::vector<std::wstring> ValuesOfType(const IArdentRULEDBPtr& rules,
                                              const std::wstring& type,
                                              const std::wstring& user = L"") {
  return FieldOfEach(AllRules(rules->EnumRules(user, type)), L"ObjectValue");
}

}  // namespace pw::test
