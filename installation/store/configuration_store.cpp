// The ArdentDB object.
#include "installation/store/configuration_store.h"

#include <sqlite3.h>

#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "installation/store/enumerators.h"
#include "installation/store/rule.h"
#include "installation/store/rule_table.h"
#include "installation/store/schema.h"
#include "installation/store/settings_catalog.h"
#include "platform/win/paths.h"

namespace pw::store {
namespace {

// The stored value of a setting, or its default when it was never saved.
HRESULT ReadSetting(Database& database, const SettingInfo& setting, VARIANT* value) {
  HRESULT hr = S_OK;
  const auto statement = database.Prepare("SELECT vt, value FROM settings WHERE name = ?1", &hr);
  if (!statement) return hr;
  statement->BindText(1, setting.name);
  const int code = statement->Step();
  if (code == SQLITE_DONE) {
    *value = setting.DefaultValue();
    return S_OK;
  }
  if (code != SQLITE_ROW) return HresultFromSqlite(code);
  if (statement->ColumnInt64(0) != setting.vt) return ARDENTDB_E_CORRUPT;
  if (setting.vt == VT_BSTR) {
    if (statement->ColumnType(1) != SQLITE_TEXT) return ARDENTDB_E_CORRUPT;
    *value = VARIANT::FromBstr(statement->ColumnText(1));
    return S_OK;
  }
  const std::int64_t number = statement->ColumnInt64(1);
  if (statement->ColumnType(1) != SQLITE_INTEGER || number < std::numeric_limits<LONG>::min() ||
      number > std::numeric_limits<LONG>::max()) {
    return ARDENTDB_E_CORRUPT;
  }
  *value = VARIANT::FromI4(static_cast<LONG>(number));
  return S_OK;
}

HRESULT WriteSetting(Database& database, const SettingInfo& setting, const VARIANT& value) {
  HRESULT hr = S_OK;
  const auto statement = database.Prepare(
      "INSERT INTO settings(name, vt, value) VALUES(?1, ?2, ?3) "
      "ON CONFLICT(name) DO UPDATE SET vt = excluded.vt, value = excluded.value",
      &hr);
  if (!statement) return hr;
  statement->BindText(1, setting.name);
  statement->BindInt64(2, setting.vt);
  if (setting.vt == VT_BSTR) {
    statement->BindText(3, value.bstrVal());
  } else {
    statement->BindInt64(3, value.lVal());
  }
  const int code = statement->Step();
  return code == SQLITE_DONE ? S_OK : HresultFromSqlite(code);
}

HRESULT SetRestartPending(Database& database, bool pending) {
  return database.Execute(pending ? "UPDATE store_state SET restart_pending = 1 WHERE id = 1"
                                  : "UPDATE store_state SET restart_pending = 0 WHERE id = 1");
}

// Runs one statement through the connection's cache: the savepoint around each save of a
// bulk update would otherwise be parsed again for every rule.
HRESULT RunPrepared(Database& database, const char* sql) {
  HRESULT hr = S_OK;
  const auto statement = database.Prepare(sql, &hr);
  return statement ? statement->Run() : hr;
}

template <typename Object, typename Interface, typename... Args>
HRESULT HandOut(Interface** out, Args&&... args) {
  auto object = MakeComObject<Object>(std::forward<Args>(args)...);
  if (!object) return E_OUTOFMEMORY;
  *out = object.Detach();
  return S_OK;
}

}  // namespace

ConfigurationStore::~ConfigurationStore() { CloseLocked(); }

template <typename Body>
HRESULT ConfigurationStore::InTransaction(Access access, Body&& body) {
  if (!database_) return ARDENTDB_E_NOTOPEN;
  Database& database = *database_;
  // A bulk update whose transaction SQLite gave up after a failure must not go on writing
  // piece by piece as if it were still one transaction.
  if (access == Access::kWrite && bulk_depth_ > 0 && database.InAutocommit()) {
    return ARDENTDB_E_BULKABORTED;
  }
  const bool nested = !database.InAutocommit();
  const char* begin = nullptr;
  if (access == Access::kWrite) {
    // IMMEDIATE takes the write lock now (waiting out other writers): a read snapshot that
    // turns into a write later could fail at once when another connection wrote meanwhile.
    begin = nested ? "SAVEPOINT store_write" : "BEGIN IMMEDIATE";
  } else if (!nested) {
    begin = "BEGIN";
  }
  if (begin != nullptr) {
    if (const HRESULT hr = RunPrepared(database, begin); FAILED(hr)) return hr;
  }
  const auto roll_back = [&] {
    if (begin == nullptr) return;
    if (nested) {
      (void)database.Execute("ROLLBACK TO store_write; RELEASE store_write");
    } else if (!database.InAutocommit()) {
      (void)database.Execute("ROLLBACK");
    }
  };
  HRESULT hr = S_OK;
  try {
    hr = body(database);
  } catch (...) {
    roll_back();
    throw;
  }
  if (begin == nullptr) return hr;
  if (SUCCEEDED(hr)) {
    const HRESULT committed = RunPrepared(database, nested ? "RELEASE store_write" : "COMMIT");
    if (SUCCEEDED(committed)) return hr;
    hr = committed;
  }
  roll_back();
  return hr;
}

void ConfigurationStore::CloseLocked() {
  if (database_ && !database_->InAutocommit()) (void)database_->Execute("ROLLBACK");
  database_.reset();
  bulk_depth_ = 0;
  unsaved_settings_.clear();
}

HRESULT ConfigurationStore::raw_Open(LONG flags, LPCWSTR server_path) {
  return install::Guarded([&]() -> HRESULT {
    if (server_path == nullptr) return E_POINTER;
    if (flags != 0 || *server_path == L'\0') return E_INVALIDARG;
    std::lock_guard lock(mutex_);
    if (database_) return ARDENTDB_E_ALREADYOPEN;
    std::unique_ptr<Database> database;
    const HRESULT hr = OpenConfiguration(ToHostPath(server_path), &database);
    if (FAILED(hr)) return hr;
    database_ = std::move(database);
    bulk_depth_ = 0;
    unsaved_settings_.clear();
    return S_OK;
  });
}

HRESULT ConfigurationStore::raw_Close() {
  return install::Guarded([&]() -> HRESULT {
    std::lock_guard lock(mutex_);
    if (!database_) return S_FALSE;
    CloseLocked();
    return S_OK;
  });
}

HRESULT ConfigurationStore::EnumTextList(const char* table, IArdentTextEnum** texts) {
  return install::Guarded([&]() -> HRESULT {
    if (texts == nullptr) return E_POINTER;
    *texts = nullptr;
    std::vector<std::wstring> values;
    std::lock_guard lock(mutex_);
    const HRESULT hr = InTransaction(Access::kRead, [&](Database& database) -> HRESULT {
      HRESULT prepared = S_OK;
      const auto statement = database.Prepare(
          std::string("SELECT value FROM ") + table + " ORDER BY position", &prepared);
      if (!statement) return prepared;
      int code;
      while ((code = statement->Step()) == SQLITE_ROW) values.push_back(statement->ColumnText(0));
      return code == SQLITE_DONE ? S_OK : HresultFromSqlite(code);
    });
    if (FAILED(hr)) return hr;
    return HandOut<TextEnum>(texts, std::move(values));
  });
}

HRESULT ConfigurationStore::raw_EnumLines(IArdentTextEnum** lines) {
  return EnumTextList("lines", lines);
}

HRESULT ConfigurationStore::raw_EnumMSNs(IArdentTextEnum** msns) {
  return EnumTextList("msns", msns);
}

HRESULT ConfigurationStore::raw_PutValue(LPCWSTR name, const VARIANT& value) {
  return install::Guarded([&]() -> HRESULT {
    if (name == nullptr) return E_POINTER;
    std::lock_guard lock(mutex_);
    if (!database_) return ARDENTDB_E_NOTOPEN;
    const SettingInfo* setting = FindSetting(name);
    if (setting == nullptr) return ARDENTDB_E_UNKNOWNSETTING;
    switch (value.vt()) {
      case VT_BSTR:
      case VT_I4:
      case VT_UI4:
      case VT_BOOL:
        break;
      default:
        return DISP_E_BADVARTYPE;
    }
    VARIANT converted;
    if (const HRESULT hr = value.ChangeType(setting->vt, &converted); FAILED(hr)) return hr;
    unsaved_settings_[std::wstring(setting->name)] = std::move(converted);
    return S_OK;
  });
}

HRESULT ConfigurationStore::raw_GetValue(LPCWSTR name, VARIANT* value) {
  return install::Guarded([&]() -> HRESULT {
    if (name == nullptr || value == nullptr) return E_POINTER;
    *value = VARIANT();
    std::lock_guard lock(mutex_);
    if (!database_) return ARDENTDB_E_NOTOPEN;
    const SettingInfo* setting = FindSetting(name);
    if (setting == nullptr) return ARDENTDB_E_UNKNOWNSETTING;
    if (const auto unsaved = unsaved_settings_.find(setting->name);
        unsaved != unsaved_settings_.end()) {
      *value = unsaved->second;
      return S_OK;
    }
    return InTransaction(
        Access::kRead, [&](Database& database) { return ReadSetting(database, *setting, value); });
  });
}

HRESULT ConfigurationStore::raw_SaveValues() {
  return install::Guarded([&]() -> HRESULT {
    std::lock_guard lock(mutex_);
    if (!database_) return ARDENTDB_E_NOTOPEN;
    if (unsaved_settings_.empty()) return S_OK;
    const HRESULT hr = InTransaction(Access::kWrite, [&](Database& database) -> HRESULT {
      bool restart = false;
      for (const auto& [name, value] : unsaved_settings_) {
        const SettingInfo& setting = *FindSetting(name);
        if (setting.needs_restart && !restart) {
          VARIANT stored;
          if (const HRESULT read = ReadSetting(database, setting, &stored); FAILED(read)) {
            return read;
          }
          restart = !(stored == value);
        }
        if (const HRESULT written = WriteSetting(database, setting, value); FAILED(written)) {
          return written;
        }
      }
      return restart ? SetRestartPending(database, true) : S_OK;
    });
    // Values that could not be saved stay put, so that a second SaveValues can retry them.
    if (SUCCEEDED(hr)) unsaved_settings_.clear();
    return hr;
  });
}

HRESULT ConfigurationStore::raw_BeginBulkUpdate() {
  return install::Guarded([&]() -> HRESULT {
    std::lock_guard lock(mutex_);
    if (!database_) return ARDENTDB_E_NOTOPEN;
    if (bulk_depth_ == 0) {
      if (const HRESULT hr = database_->Execute("BEGIN IMMEDIATE"); FAILED(hr)) return hr;
    }
    ++bulk_depth_;
    return S_OK;
  });
}

HRESULT ConfigurationStore::raw_EndBulkUpdate() {
  return install::Guarded([&]() -> HRESULT {
    std::lock_guard lock(mutex_);
    if (bulk_depth_ == 0 || !database_) return S_FALSE;
    if (--bulk_depth_ > 0) return S_OK;
    if (database_->InAutocommit()) return ARDENTDB_E_BULKABORTED;
    const HRESULT hr = database_->Execute("COMMIT");
    if (FAILED(hr) && !database_->InAutocommit()) (void)database_->Execute("ROLLBACK");
    return hr;
  });
}

HRESULT ConfigurationStore::raw_IsRestartPending(VARIANT_BOOL* pending) {
  return install::Guarded([&]() -> HRESULT {
    if (pending == nullptr) return E_POINTER;
    *pending = VARIANT_FALSE;
    std::lock_guard lock(mutex_);
    std::int64_t flag = 0;
    const HRESULT hr = InTransaction(Access::kRead, [&](Database& database) {
      return database.QueryInt64("SELECT restart_pending FROM store_state WHERE id = 1", &flag);
    });
    if (FAILED(hr)) return hr;
    *pending = flag != 0 ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
  });
}

HRESULT ConfigurationStore::raw_GetRule(LPCWSTR object_id, IArdentRule** rule) {
  return install::Guarded([&]() -> HRESULT {
    if (object_id == nullptr || rule == nullptr) return E_POINTER;
    *rule = nullptr;
    if (*object_id == L'\0') return E_INVALIDARG;
    std::lock_guard lock(mutex_);
    if (!database_) return ARDENTDB_E_NOTOPEN;
    // A text that is no identity the store gives names no rule.
    const std::optional<std::int64_t> id = ParseObjectId(object_id);
    if (!id) return S_OK;
    std::optional<RuleData> found;
    const HRESULT hr = InTransaction(
        Access::kRead, [&](Database& database) { return LoadRule(database, *id, &found); });
    if (FAILED(hr) || !found) return hr;
    return HandOut<Rule>(rule, std::move(*found));
  });
}

HRESULT ConfigurationStore::raw_EnumRules(LPCWSTR user_filter, LPCWSTR rule_type,
                                          IArdentRuleEnum** rules) {
  return install::Guarded([&]() -> HRESULT {
    if (rule_type == nullptr || rules == nullptr) return E_POINTER;
    *rules = nullptr;
    const std::wstring user = user_filter != nullptr ? user_filter : L"";
    // An empty type asks for the rules of every type that list the user; without a user it
    // would be the whole store, which no caller wants.
    if (*rule_type == L'\0' && user.empty()) return E_INVALIDARG;
    std::vector<RuleData> found;
    std::lock_guard lock(mutex_);
    const HRESULT hr = InTransaction(Access::kRead, [&](Database& database) {
      return LoadRulesOfType(database, rule_type, user, &found);
    });
    if (FAILED(hr)) return hr;
    return HandOut<RuleEnum>(rules, std::move(found));
  });
}

HRESULT ConfigurationStore::raw_SaveRule(IArdentRule* rule, VARIANT_BOOL is_new) {
  return install::Guarded([&]() -> HRESULT {
    if (rule == nullptr) return E_POINTER;
    ComPtr<IRuleAccess> access;
    if (FAILED(rule->QueryInterface(IRuleAccess::kIid, access.ReleaseAndGetVoidAddressOf()))) {
      return E_INVALIDARG;
    }
    RuleData data;
    if (const HRESULT hr = access->GetData(&data); FAILED(hr)) return hr;
    const bool create = is_new != VARIANT_FALSE;
    if (create != (data.id == 0)) return E_INVALIDARG;

    std::lock_guard lock(mutex_);
    if (!create) {
      return InTransaction(Access::kWrite,
                           [&](Database& database) { return UpdateRule(database, data); });
    }
    std::int64_t id = 0;
    const HRESULT hr = InTransaction(
        Access::kWrite, [&](Database& database) { return InsertRule(database, data, &id); });
    if (SUCCEEDED(hr)) access->MarkSaved(id);
    return hr;
  });
}

HRESULT ConfigurationStore::raw_DeleteRule(LPCWSTR object_id) {
  return install::Guarded([&]() -> HRESULT {
    if (object_id == nullptr) return E_POINTER;
    if (*object_id == L'\0') return E_INVALIDARG;
    std::lock_guard lock(mutex_);
    if (!database_) return ARDENTDB_E_NOTOPEN;
    const std::optional<std::int64_t> id = ParseObjectId(object_id);
    if (!id) return ARDENTDB_E_RULENOTFOUND;
    return InTransaction(Access::kWrite,
                         [&](Database& database) { return pw::store::DeleteRule(database, *id); });
  });
}

HRESULT ConfigurationStore::raw_CreateRule(LPCWSTR rule_type, IArdentRule** rule) {
  return install::Guarded([&]() -> HRESULT {
    if (rule_type == nullptr || rule == nullptr) return E_POINTER;
    *rule = nullptr;
    if (*rule_type == L'\0') return E_INVALIDARG;
    std::lock_guard lock(mutex_);
    if (!database_) return ARDENTDB_E_NOTOPEN;
    RuleData data;
    data.type = rule_type;
    return HandOut<Rule>(rule, std::move(data));
  });
}

HRESULT ConfigurationStore::raw_CreateConfiguration(LPCWSTR server_path) {
  return install::Guarded([&]() -> HRESULT {
    if (server_path == nullptr) return E_POINTER;
    if (*server_path == L'\0') return E_INVALIDARG;
    return pw::store::CreateConfiguration(ToHostPath(server_path));
  });
}

HRESULT ConfigurationStore::SetTextList(const char* table, const VARIANT& values) {
  return install::Guarded([&]() -> HRESULT {
    if (values.vt() != (VT_ARRAY | VT_VARIANT)) return DISP_E_TYPEMISMATCH;
    std::vector<std::wstring> texts;
    for (const VARIANT& item : values.Array()) {
      if (item.vt() != VT_BSTR) return DISP_E_TYPEMISMATCH;
      if (item.bstrVal().empty()) return E_INVALIDARG;
      for (const std::wstring& earlier : texts) {
        if (EqualsIgnoreCase(earlier, item.bstrVal())) return E_INVALIDARG;
      }
      texts.push_back(item.bstrVal());
    }
    std::lock_guard lock(mutex_);
    return InTransaction(Access::kWrite, [&](Database& database) -> HRESULT {
      HRESULT hr = database.Execute((std::string("DELETE FROM ") + table).c_str());
      if (FAILED(hr)) return hr;
      const auto statement = database.Prepare(
          std::string("INSERT INTO ") + table + "(position, value) VALUES(?1, ?2)", &hr);
      if (!statement) return hr;
      for (std::size_t i = 0; i < texts.size(); ++i) {
        statement->BindInt64(1, static_cast<std::int64_t>(i));
        statement->BindText(2, texts[i]);
        const int code = statement->Step();
        if (code != SQLITE_DONE) return HresultFromSqlite(code);
        statement->Reset();
      }
      return S_OK;
    });
  });
}

HRESULT ConfigurationStore::raw_SetLines(const VARIANT& lines) {
  return SetTextList("lines", lines);
}

HRESULT ConfigurationStore::raw_SetMSNs(const VARIANT& msns) { return SetTextList("msns", msns); }

HRESULT ConfigurationStore::raw_ClearRestartPending() {
  return install::Guarded([&]() -> HRESULT {
    std::lock_guard lock(mutex_);
    return InTransaction(Access::kWrite,
                         [&](Database& database) { return SetRestartPending(database, false); });
  });
}

}  // namespace pw::store
