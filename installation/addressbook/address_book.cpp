// AddressBook: connecting to the directory, running the dialog and handing out the picks.
#include "installation/addressbook/address_book.h"

#include "installation/addressbook/address_book_dlg.h"
#include "installation/profile/messaging_profile.h"
#include "platform/com/class_loader.h"
#include "platform/com/strings.h"
#include "platform/win/resources.h"

extern const pw::ResourceModule kAddressBookResources;

namespace pw::addressbook {
namespace {

constexpr LONG kActiveDirectory = 1;
constexpr LONG kExchange55 = 2;
constexpr LONG kOwnDatabase = 3;
constexpr LONG kObjectKinds = ABF_USERS | ABF_GROUPS | ABF_MAILBOXAGENTS;
constexpr wchar_t kDbPath[] = L"dbpath=";

HRESULT HandOut(const std::wstring& text, BSTR* out) {
  *out = SysAllocString(text.c_str());
  return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

}  // namespace

AddressBook::~AddressBook() { Disconnect(); }

void AddressBook::Disconnect() {
  if (user_db_) user_db_->raw_Close();
  user_db_ = nullptr;
}

HRESULT AddressBook::ConnectionString(LONG mode, std::wstring_view init_string,
                                      std::wstring* connection) {
  switch (mode) {
    case kActiveDirectory:
      *connection = L"directorytype=ad;searchscope=children;searchbase=top";
      return S_OK;
    case kExchange55: {
      profile::MessagingProfile found;
      if (FAILED(profile::ReadProfile(Trim(init_string), &found))) return AB_E_NOPROFILE;
      *connection = L"directorytype=ex55;directoryserver=" + found.server;
      return S_OK;
    }
    case kOwnDatabase: {
      const std::wstring_view text = Trim(init_string);
      const bool has_key = text.size() >= std::size(kDbPath) - 1 &&
                           EqualsIgnoreCase(text.substr(0, std::size(kDbPath) - 1), kDbPath);
      *connection = has_key ? std::wstring(text) : kDbPath + std::wstring(text);
      return S_OK;
    }
    default:
      return AB_E_BADMODE;
  }
}

HRESULT AddressBook::raw_Initialize(LONG mode, LPCWSTR init_string, LONG flags) {
  return install::Guarded([&]() -> HRESULT {
    Disconnect();
    picked_.clear();
    if ((flags & ~ABF_ALL) != 0 || (flags & kObjectKinds) == 0) return E_INVALIDARG;
    std::wstring connection;
    HRESULT hr = ConnectionString(mode, init_string != nullptr ? init_string : L"", &connection);
    if (FAILED(hr)) return hr;
    IArdentUserDBPtr user_db;
    hr = CreateInstance(CLSID_ArdentUserDB, &user_db);
    if (FAILED(hr)) return hr;
    // The address book only reads: the own database is opened without write access.
    hr = user_db->raw_Connect(mode == kOwnDatabase ? UDB_CONNECT_OPEN : 0, connection.c_str());
    if (FAILED(hr)) return hr;
    user_db_ = user_db;
    flags_ = flags;
    return S_OK;
  });
}

HRESULT AddressBook::raw_InvokeDialog(HWND owner) {
  return install::Guarded([&]() -> HRESULT {
    picked_.clear();
    if (!user_db_) return AB_E_NOTINITIALIZED;
    IArdentUserLocatorPtr users;
    HRESULT hr = user_db_.As(&users);
    if (FAILED(hr)) return hr;
    std::vector<AddressEntry> entries;
    hr = ReadAddressEntries(*users, flags_, &entries);
    if (FAILED(hr)) return hr;
    AddressBookDlg dialog(entries, flags_, owner != nullptr ? CWnd::FromHandle(owner) : nullptr,
                          kAddressBookResources.handle());
    const INT_PTR result = dialog.DoModal();
    if (result == -1) return E_FAIL;
    if (result != IDOK) return S_FALSE;
    for (std::size_t index : dialog.picked()) picked_.push_back(entries.at(index));
    return picked_.empty() ? S_FALSE : S_OK;
  });
}

HRESULT AddressBook::raw_GetNumEntries(LONG* count) {
  if (count == nullptr) return E_POINTER;
  *count = 0;
  if (!user_db_) return AB_E_NOTINITIALIZED;
  *count = static_cast<LONG>(picked_.size());
  return S_OK;
}

const AddressEntry* AddressBook::PickedAt(LONG index) const {
  if (index < 0 || static_cast<std::size_t>(index) >= picked_.size()) return nullptr;
  return &picked_[static_cast<std::size_t>(index)];
}

HRESULT AddressBook::raw_GetID(LONG index, BSTR* identity) {
  if (identity == nullptr) return E_POINTER;
  *identity = nullptr;
  if (!user_db_) return AB_E_NOTINITIALIZED;
  const AddressEntry* entry = PickedAt(index);
  if (entry == nullptr) return E_INVALIDARG;
  return install::Guarded([&] { return HandOut(entry->identity, identity); });
}

HRESULT AddressBook::raw_ResolveID(LONG index, BSTR* identity, BSTR* object_type) {
  if (identity == nullptr || object_type == nullptr) return E_POINTER;
  *identity = nullptr;
  *object_type = nullptr;
  if (!user_db_) return AB_E_NOTINITIALIZED;
  const AddressEntry* entry = PickedAt(index);
  if (entry == nullptr) return E_INVALIDARG;
  return install::Guarded([&]() -> HRESULT {
    HRESULT hr = HandOut(entry->identity, identity);
    if (SUCCEEDED(hr)) hr = HandOut(entry->object_type, object_type);
    if (FAILED(hr)) {
      SysFreeString(*identity);
      *identity = nullptr;
    }
    return hr;
  });
}

}  // namespace pw::addressbook
