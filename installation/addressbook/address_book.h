// The ArdentAddressBook object: one pick of directory objects at a time.
#pragma once

#include <string>
#include <vector>

#include "installation/addressbook/address_entries.h"
#include "installation/common/module_state.h"
#include "installation/interfaces/ardent_addressbook.h"
#include "installation/interfaces/ardent_userdb.h"

namespace pw::addressbook {

// Created by the module's class factory and used on one thread (the console's). Initialize
// connects a user database object of its own to the directory of the mode; it stays
// connected until the next Initialize or the last Release. The picked entries are kept until
// the next InvokeDialog or Initialize.
class AddressBook final : public ComObject<IArdentAddressBook> {
 public:
  AddressBook() = default;
  ~AddressBook() override;

  HRESULT raw_Initialize(LONG mode, LPCWSTR init_string, LONG flags) override;
  HRESULT raw_InvokeDialog(HWND owner) override;
  HRESULT raw_GetNumEntries(LONG* count) override;
  HRESULT raw_GetID(LONG index, BSTR* identity) override;
  HRESULT raw_ResolveID(LONG index, BSTR* identity, BSTR* object_type) override;

  // The user database connection string of `mode` with `init_string`, or a failure:
  // AB_E_BADMODE, AB_E_NOPROFILE (mode 2 without a usable profile).
  static HRESULT ConnectionString(LONG mode, std::wstring_view init_string,
                                  std::wstring* connection);

 private:
  void Disconnect();
  const AddressEntry* PickedAt(LONG index) const;

  install::ModuleReference module_reference_;
  IArdentUserDBPtr user_db_;
  LONG flags_ = 0;
  std::vector<AddressEntry> picked_;
};

}  // namespace pw::addressbook
