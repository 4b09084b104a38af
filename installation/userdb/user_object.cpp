// The user object.
#include "installation/userdb/user_object.h"

#include <algorithm>

#include "installation/common/text_enum.h"
#include "installation/userdb/user_values.h"

namespace pw::userdb {
namespace {

// Moves `identity` into `to` unless it is waiting in `from`, where it is dropped instead:
// adding back a member removed since the last save is no change at all.
void Track(const std::wstring& identity, std::vector<std::wstring>* from,
           std::vector<std::wstring>* to) {
  const auto pending = std::find(from->begin(), from->end(), identity);
  if (pending != from->end()) {
    from->erase(pending);
  } else {
    to->push_back(identity);
  }
}

}  // namespace

HRESULT UserObject::raw_OpenUserObject() {
  return install::Guarded([&]() -> HRESULT {
    std::lock_guard lock(mutex_);
    std::lock_guard connection_lock(connection_->mutex);
    if (!connection_->database) return UDB_E_NOTCONNECTED;
    if (record_.row_id == 0) return S_FALSE;
    Database& database = *connection_->database;
    Transaction transaction(database, false);
    HRESULT hr = transaction.Begin();
    if (FAILED(hr)) return hr;
    ObjectRecord fresh;
    bool found = false;
    hr = LoadObject(database, record_.identity, &fresh, &found);
    if (FAILED(hr)) return hr;
    if (!found) return UDB_E_USERNOTFOUND;
    record_ = std::move(fresh);
    changes_ = PendingChanges();
    return S_OK;
  });
}

HRESULT UserObject::raw_GetAttribute(LPCWSTR name, VARIANT* value) {
  return install::Guarded([&]() -> HRESULT {
    if (name == nullptr || value == nullptr) return E_POINTER;
    *value = VARIANT();
    const AttributeInfo* info = FindAttribute(name);
    if (info == nullptr) return UDB_E_UNKNOWNATTRIBUTE;
    std::lock_guard lock(mutex_);
    const std::wstring_view canonical = info->name;
    if (canonical == L"ObjectClass") {
      *value = ObjectClassOf(record_);
    } else if (canonical == L"distinguishedName") {
      *value = VARIANT::FromBstr(DistinguishedNameOf(record_));
    } else if (canonical == L"member") {
      *value = IdentityArray(record_.members);
    } else if (canonical == L"memberOf") {
      *value = IdentityArray(record_.groups);
    } else if (const auto found = record_.attributes.find(info->name);
               found != record_.attributes.end()) {
      *value = found->second;
    }
    return S_OK;
  });
}

HRESULT UserObject::raw_SetAttribute(LPCWSTR name, const VARIANT& value) {
  return install::Guarded([&]() -> HRESULT {
    if (name == nullptr) return E_POINTER;
    const AttributeInfo* info = FindAttribute(name);
    if (info == nullptr) return UDB_E_UNKNOWNATTRIBUTE;
    if (info->kind == AttributeKind::kComputed) return UDB_E_READONLYATTRIBUTE;
    VARIANT normalized;
    const HRESULT hr = NormalizeValue(*info, value, &normalized);
    if (FAILED(hr)) return hr;
    std::lock_guard lock(mutex_);
    if (normalized.IsEmpty()) {
      record_.attributes.erase(info->name);
    } else {
      record_.attributes[info->name] = std::move(normalized);
    }
    changes_.attributes.insert(info->name);
    return S_OK;
  });
}

HRESULT UserObject::raw_Save() {
  return install::Guarded([&]() -> HRESULT {
    std::lock_guard lock(mutex_);
    std::lock_guard connection_lock(connection_->mutex);
    if (!connection_->database) return UDB_E_NOTCONNECTED;
    Database& database = *connection_->database;
    if (!database.writable()) return UDB_E_READONLY;
    if (record_.row_id != 0 && changes_.empty()) return S_OK;
    Transaction transaction(database, true);
    HRESULT hr = transaction.Begin();
    if (FAILED(hr)) return hr;
    std::int64_t row_id = 0;
    hr = SaveObject(database, record_, changes_, &row_id);
    if (FAILED(hr)) return hr;
    hr = transaction.Commit();
    if (FAILED(hr)) return hr;
    // Only a committed save changes the copy: a refused one can be corrected and saved again.
    record_.row_id = row_id;
    changes_ = PendingChanges();
    return S_OK;
  });
}

HRESULT UserObject::raw_GetIdentity(BSTR* identity) {
  return install::Guarded([&]() -> HRESULT {
    std::lock_guard lock(mutex_);
    return HandOutText(record_.identity, identity);
  });
}

HRESULT UserObject::raw_GetObjectType(BSTR* object_type) {
  return install::Guarded([&]() -> HRESULT {
    std::lock_guard lock(mutex_);
    return HandOutText(record_.type, object_type);
  });
}

HRESULT UserObject::MemberIdentity(LPCWSTR identity, std::wstring* canonical) const {
  if (identity == nullptr) return E_POINTER;
  if (record_.type != L"group") return UDB_E_NOTAGROUP;
  const std::optional<std::wstring> parsed = CanonicalIdentity(identity);
  if (!parsed || *parsed == record_.identity) return E_INVALIDARG;
  *canonical = *parsed;
  return S_OK;
}

HRESULT UserObject::raw_AddMember(LPCWSTR identity) {
  return install::Guarded([&]() -> HRESULT {
    std::lock_guard lock(mutex_);
    std::wstring member;
    const HRESULT hr = MemberIdentity(identity, &member);
    if (FAILED(hr)) return hr;
    auto& members = record_.members;
    if (std::find(members.begin(), members.end(), member) != members.end()) return S_FALSE;
    members.push_back(member);
    Track(member, &changes_.removed_members, &changes_.added_members);
    return S_OK;
  });
}

HRESULT UserObject::raw_RemoveMember(LPCWSTR identity) {
  return install::Guarded([&]() -> HRESULT {
    std::lock_guard lock(mutex_);
    std::wstring member;
    const HRESULT hr = MemberIdentity(identity, &member);
    if (FAILED(hr)) return hr;
    auto& members = record_.members;
    const auto found = std::find(members.begin(), members.end(), member);
    if (found == members.end()) return S_FALSE;
    members.erase(found);
    Track(member, &changes_.added_members, &changes_.removed_members);
    return S_OK;
  });
}

HRESULT UserObject::raw_EnumMembers(IArdentTextEnum** identities) {
  return install::Guarded([&]() -> HRESULT {
    if (identities == nullptr) return E_POINTER;
    *identities = nullptr;
    std::lock_guard lock(mutex_);
    if (record_.type != L"group") return UDB_E_NOTAGROUP;
    return install::TextEnum::HandOut(record_.members, identities);
  });
}

HRESULT UserObject::raw_EnumGroups(IArdentTextEnum** identities) {
  return install::Guarded([&]() -> HRESULT {
    if (identities == nullptr) return E_POINTER;
    *identities = nullptr;
    std::lock_guard lock(mutex_);
    return install::TextEnum::HandOut(record_.groups, identities);
  });
}

}  // namespace pw::userdb
