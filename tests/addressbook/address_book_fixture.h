// The address book tests' fixture: the user database and the address book registered in a
// registry of the test's own, an address book object, and the rows its dialog shows.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "installation/addressbook/resources/addressbook.h"
#include "installation/interfaces/ardent_addressbook.h"
#include "tests/support/scripted_ui_host.h"
#include "tests/userdb/userdb_fixture.h"

namespace pw::test {

using Rows = std::vector<std::vector<std::wstring>>;

class AddressBookTest : public UserDbTest {
 protected:
  void SetUp() override {
    UserDbTest::SetUp();
    ASSERT_EQ(RegisterModule("pwaddrbook.so"), S_OK);
    ASSERT_EQ(CreateInstance(CLSID_ArdentAddressBook, &book_), S_OK);
  }

  // Every row the dialog's list shows.
  static Rows AllRows(DialogDriver& dialog) {
    const int count = dialog.Control<CListCtrl>(IDC_AB_LIST).GetItemCount();
    return count == 0 ? Rows{} : dialog.ShowRows(IDC_AB_LIST, 0, count - 1);
  }

  // The picked entries as "identity|type".
  std::vector<std::wstring> Picked() {
    std::vector<std::wstring> picked;
    LONG count = -1;
    EXPECT_EQ(book_->raw_GetNumEntries(&count), S_OK);
    for (LONG index = 0; index < count; ++index) {
      BSTR identity = nullptr;
      BSTR type = nullptr;
      EXPECT_EQ(book_->raw_ResolveID(index, &identity, &type), S_OK);
      picked.push_back(ardent_detail::TakeBstr(identity) + L"|" + ardent_detail::TakeBstr(type));
    }
    return picked;
  }

  ScriptedUiHost ui_;
  IArdentAddressBookPtr book_;
};

}  // namespace pw::test
