// The ArdentUserDB object: the connection to the directory in use, and the locator that finds,
// names, lists and creates its objects.
#pragma once

#include <memory>
#include <mutex>

#include "installation/common/module_state.h"
#include "installation/interfaces/ardent_userdb.h"
#include "installation/userdb/directory_session.h"
#include "installation/userdb/object_table.h"
#include "installation/userdb/shared_connection.h"

namespace pw::userdb {

// Created by the module's class factory; connected from Connect to Close (or its last
// Release), either to the own database file or to a directory (read-only). Every method takes
// the object's lock, so any thread may call it.
class UserDatabase final : public ComObject<IArdentUserDB, IArdentUserLocator> {
 public:
  UserDatabase() = default;
  ~UserDatabase() override;

  // IArdentUserDB
  HRESULT raw_Connect(LONG flags, LPCWSTR connection) override;
  HRESULT raw_Close() override;

  // IArdentUserLocator
  HRESULT raw_FindUser(LONG search_type, LPCWSTR text, IArdentUser** user) override;
  HRESULT raw_GetDisplayName(LPCWSTR identity, BSTR* name) override;
  HRESULT raw_CreateUser(LPCWSTR object_type, IArdentUser** user) override;
  HRESULT raw_EnumObjects(LPCWSTR object_type, IArdentTextEnum** identities) override;

 private:
  // Runs `body` with the open database inside a read transaction, so that an object and its
  // memberships are read from one snapshot.
  template <typename Body>
  HRESULT Reading(Body&& body);
  // The identity that `text` searches for with `search_type`; empty when nothing matches.
  HRESULT ResolveSearch(Database& database, LONG search_type, std::wstring_view text,
                        std::wstring* identity);
  void CloseLocked();
  // The directory session when connected to a directory, else null.
  std::shared_ptr<DirectorySession> Directory();

  install::ModuleReference module_reference_;
  std::mutex mutex_;
  std::shared_ptr<SharedConnection> connection_;
  std::shared_ptr<DirectorySession> directory_;
};

}  // namespace pw::userdb
