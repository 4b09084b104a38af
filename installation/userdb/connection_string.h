// The connection strings that IArdentUserDB::Connect takes.
#pragma once

#include <string>
#include <string_view>

#include "platform/com/hresult.h"

namespace pw::userdb {

struct ConnectionTarget {
  enum class Kind { kOwnDatabase, kActiveDirectory, kExchange55 };
  // How far below the search base a directory search reaches. "children" (everything below
  // the base, not the base itself) is searched as the subtree: the base entry is a domain or
  // an organisation, never a user, and not every server knows the children scope.
  enum class Scope { kBase, kOneLevel, kSubtree };
  Kind kind = Kind::kOwnDatabase;
  // kOwnDatabase: the database file as given (Windows style, local or UNC).
  std::wstring file;
  // The directory server, when one is named.
  std::wstring server;
  Scope scope = Scope::kSubtree;
  // The distinguished name searched below; empty for "top", the directory's own base.
  std::wstring search_base;
};

// "dbpath=<file>" (the file runs to the end of the string, so that a path may hold ';'), or
// "key=value" pairs joined by ';' with the keys directorytype (ad, ex55), directoryserver,
// searchscope (base, onelevel, subtree, children) and searchbase ("top" or a distinguished
// name, which may not hold ';'). Keys and the words of their
// values ignore case; blanks around keys and values are dropped. E_INVALIDARG for anything
// else: an unknown or repeated key, an empty value, an Exchange 5.5 string without a server.
[[nodiscard]] HRESULT ParseConnectionString(std::wstring_view text, ConnectionTarget* target);

}  // namespace pw::userdb
