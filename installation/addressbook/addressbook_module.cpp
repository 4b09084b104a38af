// The module's four exports, serving class ArdentAddressBook.
#include "installation/addressbook/address_book.h"
#include "installation/common/module_exports.h"

namespace {

const pw::install::ModuleClass kServed{CLSID_ArdentAddressBook, L"ArdentAddressBook Class",
                                       &pw::install::CreateObject<pw::addressbook::AddressBook>};

}  // namespace

PW_DEFINE_MODULE_EXPORTS(kServed)
