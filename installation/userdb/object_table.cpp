// Reading and writing the objects of a user database file.
#include "installation/userdb/object_table.h"

#include <sqlite3.h>

#include <limits>

#include "installation/interfaces/ardent_userdb.h"
#include "platform/com/guid.h"
#include "platform/com/strings.h"

namespace pw::userdb {
namespace {

constexpr const wchar_t* kObjectTypes[] = {L"user", L"group", L"mailboxagent"};

const wchar_t* KindText(UniqueKind kind) {
  return kind == UniqueKind::kLogin ? L"login" : L"address";
}

// Runs a query whose rows are texts in its first column.
HRESULT CollectTexts(Database& database, std::string_view sql, std::int64_t bound,
                     std::vector<std::wstring>* texts) {
  HRESULT hr = S_OK;
  const auto statement = database.Prepare(sql, &hr);
  if (!statement) return hr;
  statement->BindInt64(1, bound);
  int code;
  while ((code = statement->Step()) == SQLITE_ROW) texts->push_back(statement->ColumnText(0));
  return code == SQLITE_DONE ? S_OK : HresultFromSqlite(code);
}

// Adds one stored attribute row to the record.
HRESULT AddStoredValue(const Statement& row, ObjectRecord* record) {
  const AttributeInfo* info = FindAttribute(row.ColumnText(0));
  // A name this build does not know is another build's business; it is kept untouched.
  if (info == nullptr) return S_OK;
  const std::int64_t position = row.ColumnInt64(1);
  VARIANT& value = record->attributes[info->name];
  switch (info->kind) {
    case AttributeKind::kText:
      if (row.ColumnType(2) != SQLITE_TEXT || position != 0) return UDB_E_CORRUPT;
      value = VARIANT::FromBstr(row.ColumnText(2));
      return S_OK;
    case AttributeKind::kInteger: {
      const std::int64_t number = row.ColumnInt64(2);
      if (row.ColumnType(2) != SQLITE_INTEGER || position != 0 ||
          number < std::numeric_limits<LONG>::min() || number > std::numeric_limits<LONG>::max()) {
        return UDB_E_CORRUPT;
      }
      value = VARIANT::FromI4(static_cast<LONG>(number));
      return S_OK;
    }
    case AttributeKind::kTextList: {
      if (row.ColumnType(2) != SQLITE_TEXT) return UDB_E_CORRUPT;
      std::vector<VARIANT> items;
      if (value.vt() == (VT_ARRAY | VT_VARIANT)) items = value.Array();
      items.push_back(VARIANT::FromBstr(row.ColumnText(2)));
      value = VARIANT::FromArray(std::move(items));
      return S_OK;
    }
    case AttributeKind::kComputed:
      break;
  }
  return UDB_E_CORRUPT;
}

HRESULT WriteAttribute(Database& database, std::int64_t row_id, const std::wstring& name,
                       const ObjectRecord& record) {
  HRESULT hr = S_OK;
  auto remove = database.Prepare("DELETE FROM attributes WHERE object_id = ?1 AND name = ?2", &hr);
  if (!remove) return hr;
  remove->BindInt64(1, row_id);
  remove->BindText(2, name);
  hr = remove->Run();
  if (FAILED(hr)) return hr;

  const auto found = record.attributes.find(name);
  if (found == record.attributes.end() || found->second.IsEmpty()) return S_OK;
  auto insert = database.Prepare(
      "INSERT INTO attributes(object_id, name, position, value) VALUES(?1, ?2, ?3, ?4)", &hr);
  if (!insert) return hr;
  const VARIANT& value = found->second;
  std::vector<VARIANT> items;
  if (value.vt() == (VT_ARRAY | VT_VARIANT)) {
    items = value.Array();
  } else {
    items.push_back(value);
  }
  for (std::size_t position = 0; position < items.size(); ++position) {
    insert->Reset();
    insert->BindInt64(1, row_id);
    insert->BindText(2, name);
    insert->BindInt64(3, static_cast<std::int64_t>(position));
    if (items[position].vt() == VT_I4) {
      insert->BindInt64(4, items[position].lVal());
    } else {
      insert->BindText(4, items[position].bstrVal());
    }
    hr = insert->Run();
    if (FAILED(hr)) return hr;
  }
  return S_OK;
}

// Replaces the object's logins and addresses with those of its stored attributes, after
// making sure that no other object has one of them.
HRESULT RefreshUniqueKeys(Database& database, std::int64_t row_id) {
  std::set<std::pair<UniqueKind, std::wstring>> keys;
  HRESULT hr = S_OK;
  {
    auto values = database.Prepare("SELECT name, value FROM attributes WHERE object_id = ?1", &hr);
    if (!values) return hr;
    values->BindInt64(1, row_id);
    int code;
    while ((code = values->Step()) == SQLITE_ROW) {
      const AttributeInfo* info = FindAttribute(values->ColumnText(0));
      if (info == nullptr || info->unique == UniqueKind::kNone) continue;
      std::wstring key = UniqueKey(*info, values->ColumnText(1));
      if (!key.empty()) keys.emplace(info->unique, std::move(key));
    }
    if (code != SQLITE_DONE) return HresultFromSqlite(code);
  }
  // Logins are checked before addresses, whatever order the keys sort in.
  for (const UniqueKind kind : {UniqueKind::kLogin, UniqueKind::kAddress}) {
    auto taken = database.Prepare(
        "SELECT 1 FROM unique_keys WHERE kind = ?1 AND key = ?2 AND object_id <> ?3", &hr);
    if (!taken) return hr;
    for (const auto& [key_kind, key] : keys) {
      if (key_kind != kind) continue;
      taken->Reset();
      taken->BindText(1, KindText(kind));
      taken->BindText(2, key);
      taken->BindInt64(3, row_id);
      const int code = taken->Step();
      if (code == SQLITE_ROW) {
        return kind == UniqueKind::kLogin ? UDB_E_DUPLICATELOGIN : UDB_E_DUPLICATEADDRESS;
      }
      if (code != SQLITE_DONE) return HresultFromSqlite(code);
    }
  }
  auto clear = database.Prepare("DELETE FROM unique_keys WHERE object_id = ?1", &hr);
  if (!clear) return hr;
  clear->BindInt64(1, row_id);
  hr = clear->Run();
  if (FAILED(hr)) return hr;
  auto insert =
      database.Prepare("INSERT INTO unique_keys(kind, key, object_id) VALUES(?1, ?2, ?3)", &hr);
  if (!insert) return hr;
  for (const auto& [kind, key] : keys) {
    insert->Reset();
    insert->BindText(1, KindText(kind));
    insert->BindText(2, key);
    insert->BindInt64(3, row_id);
    hr = insert->Run();
    if (FAILED(hr)) return hr;
  }
  return S_OK;
}

// The row of an object, or 0 when no object has the identity.
HRESULT RowOf(Database& database, std::wstring_view identity, std::int64_t* row_id) {
  *row_id = 0;
  HRESULT hr = S_OK;
  const auto statement = database.Prepare("SELECT id FROM objects WHERE identity = ?1", &hr);
  if (!statement) return hr;
  statement->BindText(1, identity);
  const int code = statement->Step();
  if (code == SQLITE_ROW) *row_id = statement->ColumnInt64(0);
  return code == SQLITE_ROW || code == SQLITE_DONE ? S_OK : HresultFromSqlite(code);
}

HRESULT WriteMemberships(Database& database, std::int64_t group_row,
                         const PendingChanges& changes) {
  HRESULT hr = S_OK;
  auto insert =
      database.Prepare("INSERT OR IGNORE INTO members(group_id, member_id) VALUES(?1, ?2)", &hr);
  if (!insert) return hr;
  for (const std::wstring& identity : changes.added_members) {
    std::int64_t member_row = 0;
    hr = RowOf(database, identity, &member_row);
    if (FAILED(hr)) return hr;
    if (member_row == 0) return UDB_E_USERNOTFOUND;
    insert->Reset();
    insert->BindInt64(1, group_row);
    insert->BindInt64(2, member_row);
    hr = insert->Run();
    if (FAILED(hr)) return hr;
  }
  auto remove = database.Prepare(
      "DELETE FROM members WHERE group_id = ?1 AND member_id = "
      "(SELECT id FROM objects WHERE identity = ?2)",
      &hr);
  if (!remove) return hr;
  for (const std::wstring& identity : changes.removed_members) {
    remove->Reset();
    remove->BindInt64(1, group_row);
    remove->BindText(2, identity);
    hr = remove->Run();
    if (FAILED(hr)) return hr;
  }
  return S_OK;
}

}  // namespace

std::optional<std::wstring> CanonicalIdentity(std::wstring_view text) {
  const std::optional<GUID> guid = ParseGuid(Trim(text));
  if (!guid) return std::nullopt;
  return GuidToString(*guid);
}

std::optional<std::wstring> CanonicalObjectType(std::wstring_view text) {
  if (text.empty()) return std::wstring(L"user");
  for (const wchar_t* type : kObjectTypes) {
    if (EqualsIgnoreCase(text, type)) return std::wstring(type);
  }
  return std::nullopt;
}

VARIANT ObjectClassOf(const ObjectRecord& record) {
  std::vector<std::wstring_view> classes;
  if (record.type == L"group") {
    classes = {L"top", L"group", L"groupOfNames"};
  } else if (record.type == L"mailboxagent") {
    classes = {L"top", L"Mailbox-Agent"};
  } else {
    classes = {L"top", L"person", L"organizationalPerson", L"user"};
  }
  std::vector<VARIANT> items;
  for (std::wstring_view name : classes) items.push_back(VARIANT::FromBstr(name));
  return VARIANT::FromArray(std::move(items));
}

std::wstring DistinguishedNameOf(const ObjectRecord& record) {
  const wchar_t* unit = record.type == L"group"          ? L"Groups"
                        : record.type == L"mailboxagent" ? L"Agents"
                                                         : L"Users";
  return L"CN=" + record.identity + L",OU=" + unit + L",O=Pagewell";
}

std::wstring DisplayNameOf(const ObjectRecord& record) {
  for (const wchar_t* name : {L"displayName", L"cn", L"mail", L"ardentWindowsAccount"}) {
    const auto found = record.attributes.find(name);
    if (found != record.attributes.end() && found->second.vt() == VT_BSTR &&
        !found->second.bstrVal().empty()) {
      return found->second.bstrVal();
    }
  }
  return record.identity;
}

HRESULT LoadObject(Database& database, std::wstring_view identity, ObjectRecord* record,
                   bool* found) {
  *found = false;
  *record = ObjectRecord();
  HRESULT hr = S_OK;
  {
    const auto object =
        database.Prepare("SELECT id, identity, type FROM objects WHERE identity = ?1", &hr);
    if (!object) return hr;
    object->BindText(1, identity);
    const int code = object->Step();
    if (code == SQLITE_DONE) return S_OK;
    if (code != SQLITE_ROW) return HresultFromSqlite(code);
    record->row_id = object->ColumnInt64(0);
    record->identity = object->ColumnText(1);
    record->type = object->ColumnText(2);
  }
  {
    const auto values = database.Prepare(
        "SELECT name, position, value FROM attributes WHERE object_id = ?1 "
        "ORDER BY name, position",
        &hr);
    if (!values) return hr;
    values->BindInt64(1, record->row_id);
    int code;
    while ((code = values->Step()) == SQLITE_ROW) {
      hr = AddStoredValue(*values, record);
      if (FAILED(hr)) return hr;
    }
    if (code != SQLITE_DONE) return HresultFromSqlite(code);
  }
  hr = CollectTexts(database,
                    "SELECT o.identity FROM members m JOIN objects o ON o.id = m.member_id "
                    "WHERE m.group_id = ?1 ORDER BY o.id",
                    record->row_id, &record->members);
  if (FAILED(hr)) return hr;
  hr = CollectTexts(database,
                    "SELECT o.identity FROM members m JOIN objects o ON o.id = m.group_id "
                    "WHERE m.member_id = ?1 ORDER BY o.id",
                    record->row_id, &record->groups);
  if (FAILED(hr)) return hr;
  *found = true;
  return S_OK;
}

HRESULT FindIdentityByKey(Database& database, UniqueKind kind, std::wstring_view key,
                          std::wstring* identity) {
  identity->clear();
  HRESULT hr = S_OK;
  const auto statement = database.Prepare(
      "SELECT o.identity FROM unique_keys k JOIN objects o ON o.id = k.object_id "
      "WHERE k.kind = ?1 AND k.key = ?2",
      &hr);
  if (!statement) return hr;
  statement->BindText(1, KindText(kind));
  statement->BindText(2, ToUpper(Trim(key)));
  const int code = statement->Step();
  if (code == SQLITE_ROW) *identity = statement->ColumnText(0);
  return code == SQLITE_ROW || code == SQLITE_DONE ? S_OK : HresultFromSqlite(code);
}

HRESULT ListIdentities(Database& database, std::wstring_view type,
                       std::vector<std::wstring>* identities) {
  identities->clear();
  HRESULT hr = S_OK;
  const auto statement =
      database.Prepare("SELECT identity FROM objects WHERE ?1 = '' OR type = ?1 ORDER BY id", &hr);
  if (!statement) return hr;
  statement->BindText(1, type);
  int code;
  while ((code = statement->Step()) == SQLITE_ROW) {
    identities->push_back(statement->ColumnText(0));
  }
  return code == SQLITE_DONE ? S_OK : HresultFromSqlite(code);
}

HRESULT SaveObject(Database& database, const ObjectRecord& record, const PendingChanges& changes,
                   std::int64_t* row_id) {
  HRESULT hr = S_OK;
  std::int64_t row = record.row_id;
  if (row == 0) {
    auto insert = database.Prepare("INSERT INTO objects(identity, type) VALUES(?1, ?2)", &hr);
    if (!insert) return hr;
    insert->BindText(1, record.identity);
    insert->BindText(2, record.type);
    hr = insert->Run();
    if (FAILED(hr)) return hr;
    row = database.LastInsertRowId();
  } else {
    std::int64_t stored = 0;
    hr = RowOf(database, record.identity, &stored);
    if (FAILED(hr)) return hr;
    if (stored != row) return UDB_E_USERNOTFOUND;
  }

  bool keys_changed = record.row_id == 0;
  for (const std::wstring& name : changes.attributes) {
    hr = WriteAttribute(database, row, name, record);
    if (FAILED(hr)) return hr;
    const AttributeInfo* info = FindAttribute(name);
    keys_changed = keys_changed || (info != nullptr && info->unique != UniqueKind::kNone);
  }
  if (keys_changed) {
    hr = RefreshUniqueKeys(database, row);
    if (FAILED(hr)) return hr;
  }
  hr = WriteMemberships(database, row, changes);
  if (FAILED(hr)) return hr;
  *row_id = row;
  return S_OK;
}

}  // namespace pw::userdb
