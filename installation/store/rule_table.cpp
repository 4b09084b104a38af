// Reading and writing rules with SQL.
#include "installation/store/rule_table.h"

#include <sqlite3.h>

#include <algorithm>
#include <functional>
#include <limits>
#include <string>

#include "installation/interfaces/ardent_db.h"

namespace pw::store {
namespace {

using Binder = std::function<void(Statement&)>;

// Steps a statement that returns no rows.
HRESULT Run(Database& database, const std::string& sql, const Binder& bind) {
  HRESULT hr = S_OK;
  const auto statement = database.Prepare(sql, &hr);
  if (!statement) return hr;
  bind(*statement);
  const int code = statement->Step();
  return code == SQLITE_DONE ? S_OK : HresultFromSqlite(code);
}

// A stored field value as the store wrote it; anything else means the file is damaged.
HRESULT DecodeFieldValue(const Statement& row, int vt_column, int value_column, FieldValue* value) {
  const std::int64_t vt = row.ColumnInt64(vt_column);
  const int stored = row.ColumnType(value_column);
  value->vt = static_cast<VARTYPE>(vt);
  switch (vt) {
    case VT_BSTR:
      if (stored != SQLITE_TEXT) return ARDENTDB_E_CORRUPT;
      value->text = row.ColumnText(value_column);
      return S_OK;
    case VT_I4:
    case VT_UI4:
    case VT_BOOL: {
      if (stored != SQLITE_INTEGER) return ARDENTDB_E_CORRUPT;
      const std::int64_t number = row.ColumnInt64(value_column);
      const bool in_range = vt == VT_I4 ? number >= std::numeric_limits<LONG>::min() &&
                                              number <= std::numeric_limits<LONG>::max()
                            : vt == VT_UI4
                                ? number >= 0 && number <= std::numeric_limits<ULONG>::max()
                                : number == 0 || number == 1;
      if (!in_range) return ARDENTDB_E_CORRUPT;
      value->number = number;
      return S_OK;
    }
    case kRecordType:
      if (stored != SQLITE_BLOB) return ARDENTDB_E_CORRUPT;
      value->bytes = row.ColumnBlob(value_column);
      return value->bytes.size() == ARDENTDB_PRINTER_RECORD_SIZE ? S_OK : ARDENTDB_E_CORRUPT;
    default:
      return ARDENTDB_E_CORRUPT;
  }
}

// Reads the rows of `sql` (rule identity, rowid, then the row's own columns), which come
// grouped by rule in ascending identity, and gives each rule of `rules` its rows in rowid
// order. A row of a rule that is not there, or out of order, means a damaged file.
template <typename Row, typename Read, typename Give>
HRESULT AttachRows(Database& database, const std::string& sql, const Binder& bind,
                   std::vector<RuleData>* rules, Read&& read, Give&& give) {
  HRESULT hr = S_OK;
  const auto statement = database.Prepare(sql, &hr);
  if (!statement) return hr;
  bind(*statement);
  std::vector<std::pair<std::int64_t, Row>> pending;
  std::size_t index = 0;
  const auto hand_over = [&] {
    std::sort(pending.begin(), pending.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    for (auto& entry : pending) give((*rules)[index], std::move(entry.second));
    pending.clear();
  };
  int code;
  while ((code = statement->Step()) == SQLITE_ROW) {
    const std::int64_t rule_id = statement->ColumnInt64(0);
    if (index < rules->size() && (*rules)[index].id != rule_id) {
      hand_over();
      while (index < rules->size() && (*rules)[index].id < rule_id) ++index;
    }
    if (index == rules->size() || (*rules)[index].id != rule_id) return ARDENTDB_E_CORRUPT;
    Row row;
    if (const HRESULT read_hr = read(*statement, &row); FAILED(read_hr)) return read_hr;
    pending.emplace_back(statement->ColumnInt64(1), std::move(row));
  }
  if (code != SQLITE_DONE) return HresultFromSqlite(code);
  if (!pending.empty()) hand_over();
  return S_OK;
}

// Reads the rules that `condition` (over `rules AS r`) selects, with their fields and users.
// The caller runs it inside one read transaction, so that the three queries agree.
HRESULT LoadRules(Database& database, const std::string& condition, const Binder& bind,
                  std::vector<RuleData>* rules) {
  rules->clear();
  HRESULT hr = S_OK;
  {
    const auto statement = database.Prepare(
        "SELECT r.id, r.type FROM rules AS r WHERE " + condition + " ORDER BY r.id", &hr);
    if (!statement) return hr;
    bind(*statement);
    int code;
    while ((code = statement->Step()) == SQLITE_ROW) {
      RuleData rule;
      rule.id = statement->ColumnInt64(0);
      rule.type = statement->ColumnText(1);
      rules->push_back(std::move(rule));
    }
    if (code != SQLITE_DONE) return HresultFromSqlite(code);
  }
  if (rules->empty()) return S_OK;

  // Both queries walk the rules in identity order and look each one's rows up through its
  // identity, so the rows come grouped by rule without sorting the whole result; a rule's few
  // rows are then put back in the order they were written.
  hr = AttachRows<Field>(
      database,
      "SELECT f.rule_id, f.rowid, f.name, f.vt, f.value FROM rules AS r CROSS JOIN rule_fields "
      "AS f ON f.rule_id = r.id WHERE " +
          condition + " ORDER BY r.id",
      bind, rules,
      [](const Statement& row, Field* field) -> HRESULT {
        field->name = row.ColumnText(2);
        if (field->name.empty()) return ARDENTDB_E_CORRUPT;
        return DecodeFieldValue(row, 3, 4, &field->value);
      },
      [](RuleData& rule, Field&& field) { rule.fields.push_back(std::move(field)); });
  if (FAILED(hr)) return hr;
  return AttachRows<std::wstring>(
      database,
      "SELECT u.rule_id, u.rowid, u.user_id FROM rules AS r CROSS JOIN rule_users AS u "
      "ON u.rule_id = r.id WHERE " +
          condition + " ORDER BY r.id",
      bind, rules,
      [](const Statement& row, std::wstring* user) -> HRESULT {
        *user = row.ColumnText(2);
        return S_OK;
      },
      [](RuleData& rule, std::wstring&& user) { rule.users.push_back(std::move(user)); });
}

HRESULT CheckValueFree(Database& database, const RuleData& rule, std::int64_t own_id) {
  if (!ValuesMustBeUnique(rule.type)) return S_OK;
  const std::wstring key = FoldKey(rule.FieldTextOf(kObjectValueField));
  if (key.empty()) return S_OK;
  HRESULT hr = S_OK;
  const auto statement = database.Prepare(
      "SELECT 1 FROM rules WHERE type = ?1 AND value_key = ?2 AND id <> ?3 LIMIT 1", &hr);
  if (!statement) return hr;
  statement->BindText(1, rule.type);
  statement->BindText(2, key);
  statement->BindInt64(3, own_id);
  const int code = statement->Step();
  if (code == SQLITE_ROW) return ARDENTDB_E_DUPLICATEVALUE;
  return code == SQLITE_DONE ? S_OK : HresultFromSqlite(code);
}

HRESULT WriteFieldsAndUsers(Database& database, std::int64_t id, const RuleData& rule) {
  for (const Field& field : rule.fields) {
    const HRESULT hr =
        Run(database, "INSERT INTO rule_fields(rule_id, name, vt, value) VALUES(?1, ?2, ?3, ?4)",
            [&](Statement& statement) {
              statement.BindInt64(1, id);
              statement.BindText(2, field.name);
              statement.BindInt64(3, field.value.vt);
              switch (field.value.vt) {
                case VT_BSTR:
                  statement.BindText(4, field.value.text);
                  break;
                case kRecordType:
                  statement.BindBlob(4, field.value.bytes);
                  break;
                default:
                  statement.BindInt64(4, field.value.number);
                  break;
              }
            });
    if (FAILED(hr)) return hr;
  }
  for (const std::wstring& user : rule.users) {
    const HRESULT hr =
        Run(database, "INSERT INTO rule_users(rule_id, user_key, user_id) VALUES(?1, ?2, ?3)",
            [&](Statement& statement) {
              statement.BindInt64(1, id);
              statement.BindText(2, FoldKey(user));
              statement.BindText(3, user);
            });
    if (FAILED(hr)) return hr;
  }
  return S_OK;
}

}  // namespace

bool ValuesMustBeUnique(std::wstring_view rule_type) {
  return rule_type != L"coverpage" && rule_type != L"fcoverpage";
}

HRESULT LoadRulesOfType(Database& database, std::wstring_view rule_type, std::wstring_view user,
                        std::vector<RuleData>* rules) {
  if (user.empty()) {
    return LoadRules(
        database, "r.type = ?1", [&](Statement& statement) { statement.BindText(1, rule_type); },
        rules);
  }
  const std::wstring user_key = FoldKey(user);
  if (rule_type.empty()) {
    // Every rule that lists the user, whatever its type: how references to an object are found.
    return LoadRules(
        database, "r.id IN (SELECT rule_id FROM rule_users WHERE user_key = ?1)",
        [&](Statement& statement) { statement.BindText(1, user_key); }, rules);
  }
  return LoadRules(
      database, "r.type = ?1 AND r.id IN (SELECT rule_id FROM rule_users WHERE user_key = ?2)",
      [&](Statement& statement) {
        statement.BindText(1, rule_type);
        statement.BindText(2, user_key);
      },
      rules);
}

HRESULT LoadRule(Database& database, std::int64_t id, std::optional<RuleData>* rule) {
  rule->reset();
  std::vector<RuleData> found;
  const HRESULT hr = LoadRules(
      database, "r.id = ?1", [&](Statement& statement) { statement.BindInt64(1, id); }, &found);
  if (FAILED(hr)) return hr;
  if (!found.empty()) *rule = std::move(found.front());
  return S_OK;
}

HRESULT InsertRule(Database& database, const RuleData& rule, std::int64_t* id) {
  HRESULT hr = CheckValueFree(database, rule, 0);
  if (FAILED(hr)) return hr;
  hr = Run(database, "INSERT INTO rules(type, value_key, display_key) VALUES(?1, ?2, ?3)",
           [&](Statement& statement) {
             statement.BindText(1, rule.type);
             statement.BindText(2, FoldKey(rule.FieldTextOf(kObjectValueField)));
             statement.BindText(3, FoldKey(rule.FieldTextOf(kObjectDisplayField)));
           });
  if (FAILED(hr)) return hr;
  *id = database.LastInsertRowId();
  return WriteFieldsAndUsers(database, *id, rule);
}

HRESULT UpdateRule(Database& database, const RuleData& rule) {
  HRESULT hr =
      Run(database, "UPDATE rules SET value_key = ?2, display_key = ?3 WHERE id = ?1 AND type = ?4",
          [&](Statement& statement) {
            statement.BindInt64(1, rule.id);
            statement.BindText(2, FoldKey(rule.FieldTextOf(kObjectValueField)));
            statement.BindText(3, FoldKey(rule.FieldTextOf(kObjectDisplayField)));
            statement.BindText(4, rule.type);
          });
  if (FAILED(hr)) return hr;
  if (database.Changes() == 0) return ARDENTDB_E_RULENOTFOUND;
  hr = CheckValueFree(database, rule, rule.id);
  if (FAILED(hr)) return hr;
  const auto bind_id = [&](Statement& statement) { statement.BindInt64(1, rule.id); };
  hr = Run(database, "DELETE FROM rule_fields WHERE rule_id = ?1", bind_id);
  if (SUCCEEDED(hr)) hr = Run(database, "DELETE FROM rule_users WHERE rule_id = ?1", bind_id);
  if (FAILED(hr)) return hr;
  return WriteFieldsAndUsers(database, rule.id, rule);
}

HRESULT DeleteRule(Database& database, std::int64_t id) {
  const HRESULT hr = Run(database, "DELETE FROM rules WHERE id = ?1",
                         [&](Statement& statement) { statement.BindInt64(1, id); });
  if (FAILED(hr)) return hr;
  return database.Changes() == 0 ? ARDENTDB_E_RULENOTFOUND : S_OK;
}

}  // namespace pw::store
