// The ArdentUserDB object.
#include "installation/userdb/user_database.h"

#include "installation/common/text_enum.h"
#include "installation/userdb/connection_string.h"
#include "installation/userdb/directory_user.h"
#include "installation/userdb/user_object.h"
#include "installation/userdb/user_schema.h"
#include "platform/com/strings.h"
#include "platform/win/paths.h"

namespace pw::userdb {
namespace {

constexpr std::wstring_view kDnPrefix = L"CN=";

}  // namespace

UserDatabase::~UserDatabase() { CloseLocked(); }

void UserDatabase::CloseLocked() {
  if (directory_) {
    directory_->Close();
    directory_.reset();
  }
  if (!connection_) return;
  std::lock_guard lock(connection_->mutex);
  connection_->database.reset();
  connection_.reset();
}

std::shared_ptr<DirectorySession> UserDatabase::Directory() {
  std::lock_guard lock(mutex_);
  return directory_;
}

template <typename Body>
HRESULT UserDatabase::Reading(Body&& body) {
  std::lock_guard lock(mutex_);
  if (!connection_) return UDB_E_NOTCONNECTED;
  std::lock_guard connection_lock(connection_->mutex);
  Database& database = *connection_->database;
  Transaction transaction(database, false);
  const HRESULT hr = transaction.Begin();
  if (FAILED(hr)) return hr;
  return body(database);
}

HRESULT UserDatabase::raw_Connect(LONG flags, LPCWSTR connection) {
  return install::Guarded([&]() -> HRESULT {
    if (connection == nullptr) return E_POINTER;
    ConnectionTarget target;
    HRESULT hr = ParseConnectionString(connection, &target);
    if (FAILED(hr)) return hr;
    std::lock_guard lock(mutex_);
    if (connection_ || directory_) return UDB_E_ALREADYCONNECTED;
    if (target.kind != ConnectionTarget::Kind::kOwnDatabase) {
      if ((flags & ~UDB_CONNECT_WRITE) != 0) return E_INVALIDARG;
      DirectorySettings settings;
      hr = ReadDirectorySettings(target, &settings);
      if (FAILED(hr)) return hr;
      return DirectorySession::Open(std::move(settings), &directory_);
    }
    auto shared = std::make_shared<SharedConnection>();
    hr = OpenUserDatabase(ToHostPath(target.file), flags, &shared->database);
    if (FAILED(hr)) return hr;
    connection_ = std::move(shared);
    return S_OK;
  });
}

HRESULT UserDatabase::raw_Close() {
  return install::Guarded([&]() -> HRESULT {
    std::lock_guard lock(mutex_);
    if (!connection_ && !directory_) return S_FALSE;
    CloseLocked();
    return S_OK;
  });
}

HRESULT UserDatabase::ResolveSearch(Database& database, LONG search_type, std::wstring_view text,
                                    std::wstring* identity) {
  identity->clear();
  switch (search_type) {
    case udbSearchDefault:
      *identity = CanonicalIdentity(text).value_or(L"");
      return S_OK;
    case udbSearchMail:
      return FindIdentityByKey(database, UniqueKind::kAddress, text, identity);
    case udbSearchLogin:
      return FindIdentityByKey(database, UniqueKind::kLogin, text, identity);
    case udbSearchDN: {
      // The identity sits between "CN=" and the first comma; the rest is checked against
      // the object found, whose type decides it.
      text = Trim(text);
      const std::size_t comma = text.find(L',');
      if (text.size() < kDnPrefix.size() || comma == std::wstring_view::npos ||
          !EqualsIgnoreCase(text.substr(0, kDnPrefix.size()), kDnPrefix)) {
        return S_OK;
      }
      *identity =
          CanonicalIdentity(text.substr(kDnPrefix.size(), comma - kDnPrefix.size())).value_or(L"");
      return S_OK;
    }
    default:
      return E_INVALIDARG;
  }
}

HRESULT UserDatabase::raw_FindUser(LONG search_type, LPCWSTR text, IArdentUser** user) {
  return install::Guarded([&]() -> HRESULT {
    if (text == nullptr || user == nullptr) return E_POINTER;
    *user = nullptr;
    if (Trim(text).empty()) return E_INVALIDARG;
    if (const std::shared_ptr<DirectorySession> directory = Directory()) {
      DirectoryObject object;
      bool found = false;
      const HRESULT hr = FindDirectoryObject(*directory, search_type, text, &object, &found);
      if (FAILED(hr)) return hr;
      if (!found) return S_FALSE;
      auto made = MakeComObject<DirectoryUser>(directory, std::move(object));
      if (!made) return E_OUTOFMEMORY;
      *user = made.Detach();
      return S_OK;
    }
    ObjectRecord record;
    bool found = false;
    std::shared_ptr<SharedConnection> connection;
    const HRESULT hr = Reading([&](Database& database) -> HRESULT {
      std::wstring identity;
      HRESULT read = ResolveSearch(database, search_type, text, &identity);
      if (FAILED(read) || identity.empty()) return read;
      read = LoadObject(database, identity, &record, &found);
      if (FAILED(read)) return read;
      if (found && search_type == udbSearchDN) {
        found = EqualsIgnoreCase(Trim(text), DistinguishedNameOf(record));
      }
      connection = connection_;
      return S_OK;
    });
    if (FAILED(hr)) return hr;
    if (!found) return S_FALSE;
    auto object = MakeComObject<UserObject>(std::move(connection), std::move(record));
    if (!object) return E_OUTOFMEMORY;
    *user = object.Detach();
    return S_OK;
  });
}

HRESULT UserDatabase::raw_GetDisplayName(LPCWSTR identity, BSTR* name) {
  return install::Guarded([&]() -> HRESULT {
    if (identity == nullptr || name == nullptr) return E_POINTER;
    *name = nullptr;
    std::wstring display;
    if (const std::shared_ptr<DirectorySession> directory = Directory()) {
      DirectoryObject object;
      bool found = false;
      const HRESULT hr = Trim(identity).empty() ? S_OK
                                                : FindDirectoryObject(*directory, udbSearchDefault,
                                                                      identity, &object, &found);
      if (FAILED(hr)) return hr;
      if (!found) return UDB_E_USERNOTFOUND;
      display = DirectoryDisplayName(directory->kind(), object);
      *name = SysAllocStringLen(display.data(), static_cast<UINT>(display.size()));
      return *name != nullptr ? S_OK : E_OUTOFMEMORY;
    }
    const std::optional<std::wstring> canonical = CanonicalIdentity(identity);
    const HRESULT hr = Reading([&](Database& database) -> HRESULT {
      if (!canonical) return UDB_E_USERNOTFOUND;
      ObjectRecord record;
      bool found = false;
      const HRESULT read = LoadObject(database, *canonical, &record, &found);
      if (FAILED(read)) return read;
      if (!found) return UDB_E_USERNOTFOUND;
      display = DisplayNameOf(record);
      return S_OK;
    });
    if (FAILED(hr)) return hr;
    *name = SysAllocStringLen(display.data(), static_cast<UINT>(display.size()));
    return *name != nullptr ? S_OK : E_OUTOFMEMORY;
  });
}

HRESULT UserDatabase::raw_CreateUser(LPCWSTR object_type, IArdentUser** user) {
  return install::Guarded([&]() -> HRESULT {
    if (user == nullptr) return E_POINTER;
    *user = nullptr;
    const std::optional<std::wstring> type =
        CanonicalObjectType(object_type != nullptr ? object_type : L"");
    if (!type) return E_INVALIDARG;
    std::shared_ptr<SharedConnection> connection;
    {
      std::lock_guard lock(mutex_);
      if (directory_) return UDB_E_READONLY;
      if (!connection_) return UDB_E_NOTCONNECTED;
      connection = connection_;
    }
    GUID guid{};
    const HRESULT hr = CoCreateGuid(&guid);
    if (FAILED(hr)) return hr;
    ObjectRecord record;
    record.identity = GuidToString(guid);
    record.type = *type;
    auto object = MakeComObject<UserObject>(std::move(connection), std::move(record));
    if (!object) return E_OUTOFMEMORY;
    *user = object.Detach();
    return S_OK;
  });
}

HRESULT UserDatabase::raw_EnumObjects(LPCWSTR object_type, IArdentTextEnum** identities) {
  return install::Guarded([&]() -> HRESULT {
    if (identities == nullptr) return E_POINTER;
    *identities = nullptr;
    const std::wstring_view filter = object_type != nullptr ? object_type : L"";
    const std::optional<std::wstring> type = CanonicalObjectType(filter);
    if (!type) return E_INVALIDARG;
    std::vector<std::wstring> found;
    if (const std::shared_ptr<DirectorySession> directory = Directory()) {
      const HRESULT hr = ListDirectoryObjects(*directory, filter.empty() ? L"" : *type, &found);
      if (FAILED(hr)) return hr;
      return install::TextEnum::HandOut(std::move(found), identities);
    }
    const HRESULT hr = Reading([&](Database& database) -> HRESULT {
      return ListIdentities(database, filter.empty() ? L"" : *type, &found);
    });
    if (FAILED(hr)) return hr;
    return install::TextEnum::HandOut(std::move(found), identities);
  });
}

}  // namespace pw::userdb
