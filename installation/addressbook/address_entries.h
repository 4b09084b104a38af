// The rows of the address book: the directory's objects of the kinds asked for, read through
// the user database.
#pragma once

#include <string>
#include <vector>

#include "installation/interfaces/ardent_userdb.h"

namespace pw::addressbook {

struct AddressEntry {
  std::wstring identity;
  std::wstring name;
  std::wstring address;
  std::wstring object_type;  // "user", "group" or "mailboxagent"
};

// The objects of the kinds in `flags` (ABF_USERS, ABF_GROUPS, ABF_MAILBOXAGENTS), sorted by
// name, then address, without regard to case. An object that vanished or cannot be read
// between listing and reading is left out; a failed listing answers its code.
[[nodiscard]] HRESULT ReadAddressEntries(IArdentUserLocator& users, LONG flags,
                                         std::vector<AddressEntry>* entries);

// Whether `entry` shows `search` in its name or address, without regard to case; an empty
// search matches every entry.
bool MatchesSearch(const AddressEntry& entry, std::wstring_view search);

}  // namespace pw::addressbook
