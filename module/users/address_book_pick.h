// CAddressBookPick: one pick of directory objects through the server's address book, with the
// preparation that the directory mode needs (the Exchange 5.5 messaging profile).
#pragma once

#include <string>
#include <vector>

#include "platform/com/hresult.h"
#include "platform/com/types.h"

class CComponentData;

// Lives on the caller's stack for one registration in directory modes 1 and 2 (and works in
// mode 3, whose registration uses its own dialog). Run makes the address book object, prepares
// it, shows its dialog and reads back the picked entries; every step logs as the registration
// expects.
class CAddressBookPick {
 public:
  // One picked entry. An entry whose identity or type could not be read has an empty
  // identity: it still counts as picked, so that one failure among two picks is not a single
  // pick.
  struct Entry {
    std::wstring guid;
    std::wstring object_type;
  };

  // The flags the registration passes: every object kind, several at once, with the search.
  static constexpr LONG kRegistrationFlags = 0x3B;

  explicit CAddressBookPick(CComponentData* component_data) : component_data_(component_data) {}

  // S_OK when entries were picked, S_FALSE when the administrator cancelled, else the failure
  // of the step that failed (logged).
  HRESULT Run(LONG flags);
  const std::vector<Entry>& entries() const { return entries_; }

  // Mode 2: records the messaging profile that names the directory server, through the
  // server's profile library; its result, or the library's absence as
  // HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND).
  static LONG CreateExchangeProfile(const std::wstring& profile, const std::wstring& server);

 private:
  std::wstring InitString() const;

  CComponentData* component_data_;
  std::vector<Entry> entries_;
};
