// The user object of a directory.
#include "installation/userdb/directory_user.h"

#include "installation/common/text_enum.h"
#include "installation/userdb/attribute_catalog.h"
#include "installation/userdb/user_values.h"

namespace pw::userdb {

HRESULT DirectoryUser::raw_OpenUserObject() {
  return install::Guarded([&]() -> HRESULT {
    std::lock_guard lock(mutex_);
    DirectoryObject fresh;
    bool found = false;
    // Mode 2 identities are names, mode 1 identities GUIDs: each is searched as what it is.
    const HRESULT hr =
        FindDirectoryObject(*session_, udbSearchDefault, object_.identity, &fresh, &found);
    if (FAILED(hr)) return hr;
    if (!found) return UDB_E_USERNOTFOUND;
    object_ = std::move(fresh);
    members_.reset();
    groups_.reset();
    return S_OK;
  });
}

HRESULT DirectoryUser::MembersLocked(const std::vector<std::wstring>** members) {
  if (!members_) {
    std::vector<std::wstring> read;
    const HRESULT hr = DirectoryMembers(*session_, object_, &read);
    if (FAILED(hr)) return hr;
    members_ = std::move(read);
  }
  *members = &*members_;
  return S_OK;
}

HRESULT DirectoryUser::GroupsLocked(const std::vector<std::wstring>** groups) {
  if (!groups_) {
    std::vector<std::wstring> read;
    const HRESULT hr = DirectoryGroups(*session_, object_, &read);
    if (FAILED(hr)) return hr;
    groups_ = std::move(read);
  }
  *groups = &*groups_;
  return S_OK;
}

HRESULT DirectoryUser::raw_GetAttribute(LPCWSTR name, VARIANT* value) {
  return install::Guarded([&]() -> HRESULT {
    if (name == nullptr || value == nullptr) return E_POINTER;
    *value = VARIANT();
    const AttributeInfo* info = FindAttribute(name);
    if (info == nullptr) return UDB_E_UNKNOWNATTRIBUTE;
    std::lock_guard lock(mutex_);
    const std::wstring_view canonical = info->name;
    const std::vector<std::wstring>* identities = nullptr;
    if (canonical == L"member") {
      const HRESULT hr = object_.type == L"group" ? MembersLocked(&identities) : S_OK;
      if (FAILED(hr)) return hr;
    } else if (canonical == L"memberOf") {
      const HRESULT hr = GroupsLocked(&identities);
      if (FAILED(hr)) return hr;
    } else {
      return DirectoryAttribute(session_->kind(), object_, name, value);
    }
    if (identities != nullptr) *value = IdentityArray(*identities);
    return S_OK;
  });
}

HRESULT DirectoryUser::raw_SetAttribute(LPCWSTR name, const VARIANT&) {
  if (name == nullptr) return E_POINTER;
  return FindAttribute(name) == nullptr ? UDB_E_UNKNOWNATTRIBUTE : UDB_E_READONLY;
}

HRESULT DirectoryUser::raw_Save() { return UDB_E_READONLY; }

HRESULT DirectoryUser::raw_GetIdentity(BSTR* identity) {
  return install::Guarded([&]() -> HRESULT {
    std::lock_guard lock(mutex_);
    return HandOutText(object_.identity, identity);
  });
}

HRESULT DirectoryUser::raw_GetObjectType(BSTR* object_type) {
  return install::Guarded([&]() -> HRESULT {
    std::lock_guard lock(mutex_);
    return HandOutText(object_.type, object_type);
  });
}

HRESULT DirectoryUser::raw_AddMember(LPCWSTR identity) {
  return identity == nullptr ? E_POINTER : UDB_E_READONLY;
}

HRESULT DirectoryUser::raw_RemoveMember(LPCWSTR identity) {
  return identity == nullptr ? E_POINTER : UDB_E_READONLY;
}

HRESULT DirectoryUser::raw_EnumMembers(IArdentTextEnum** identities) {
  return install::Guarded([&]() -> HRESULT {
    if (identities == nullptr) return E_POINTER;
    *identities = nullptr;
    std::lock_guard lock(mutex_);
    if (object_.type != L"group") return UDB_E_NOTAGROUP;
    const std::vector<std::wstring>* members = nullptr;
    const HRESULT hr = MembersLocked(&members);
    if (FAILED(hr)) return hr;
    return install::TextEnum::HandOut(*members, identities);
  });
}

HRESULT DirectoryUser::raw_EnumGroups(IArdentTextEnum** identities) {
  return install::Guarded([&]() -> HRESULT {
    if (identities == nullptr) return E_POINTER;
    *identities = nullptr;
    std::lock_guard lock(mutex_);
    const std::vector<std::wstring>* groups = nullptr;
    const HRESULT hr = GroupsLocked(&groups);
    if (FAILED(hr)) return hr;
    return install::TextEnum::HandOut(*groups, identities);
  });
}

}  // namespace pw::userdb
