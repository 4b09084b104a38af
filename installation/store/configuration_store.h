// The ArdentDB object: one connection to a server's configuration, answering the store's own
// interface, the settings, the rules and the installation's setup interface.
#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "installation/common/module_state.h"
#include "installation/interfaces/ardent_db.h"
#include "installation/store/sqlite_database.h"
#include "platform/com/strings.h"

namespace pw::store {

// Created by the module's class factory; holds the open configuration from Open to Close (or
// its last Release). Every method takes the object's lock, so any thread may call it.
class ConfigurationStore final
    : public ComObject<IArdentDB, IPagewell, IArdentRULEDB, IArdentDBSetup> {
 public:
  ConfigurationStore() = default;
  ~ConfigurationStore() override;

  // IArdentDB
  HRESULT raw_Open(LONG flags, LPCWSTR server_path) override;
  HRESULT raw_Close() override;

  // IPagewell
  HRESULT raw_EnumLines(IArdentTextEnum** lines) override;
  HRESULT raw_EnumMSNs(IArdentTextEnum** msns) override;
  HRESULT raw_PutValue(LPCWSTR name, const VARIANT& value) override;
  HRESULT raw_GetValue(LPCWSTR name, VARIANT* value) override;
  HRESULT raw_SaveValues() override;
  HRESULT raw_BeginBulkUpdate() override;
  HRESULT raw_EndBulkUpdate() override;
  HRESULT raw_IsRestartPending(VARIANT_BOOL* pending) override;

  // IArdentRULEDB
  HRESULT raw_GetRule(LPCWSTR object_id, IArdentRule** rule) override;
  HRESULT raw_EnumRules(LPCWSTR user_filter, LPCWSTR rule_type, IArdentRuleEnum** rules) override;
  HRESULT raw_SaveRule(IArdentRule* rule, VARIANT_BOOL is_new) override;
  HRESULT raw_DeleteRule(LPCWSTR object_id) override;
  HRESULT raw_CreateRule(LPCWSTR rule_type, IArdentRule** rule) override;

  // IArdentDBSetup
  HRESULT raw_CreateConfiguration(LPCWSTR server_path) override;
  HRESULT raw_SetLines(const VARIANT& lines) override;
  HRESULT raw_SetMSNs(const VARIANT& msns) override;
  HRESULT raw_ClearRestartPending() override;

 private:
  // Runs `body` with the lock held and the configuration open, inside a transaction: a write
  // transaction (or a savepoint within a bulk update) that is committed when `body`
  // succeeds and rolled back otherwise, or a read transaction for a consistent snapshot.
  enum class Access { kRead, kWrite };
  template <typename Body>
  HRESULT InTransaction(Access access, Body&& body);

  HRESULT SetTextList(const char* table, const VARIANT& values);
  HRESULT EnumTextList(const char* table, IArdentTextEnum** texts);
  void CloseLocked();

  install::ModuleReference module_reference_;
  std::mutex mutex_;
  std::unique_ptr<Database> database_;
  int bulk_depth_ = 0;
  // Values put but not saved yet, by the setting's own name.
  std::map<std::wstring, VARIANT, LessIgnoreCase> unsaved_settings_;
};

}  // namespace pw::store
