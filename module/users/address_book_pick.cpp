// CAddressBookPick: preparing the address book, running it and reading the picks.
#include "module/users/address_book_pick.h"

#include <dlfcn.h>

#include "installation/interfaces/ardent_addressbook.h"
#include "installation/interfaces/exchange_profile.h"
#include "module/server/server_location.h"
#include "module/server/user_defaults.h"
#include "module/snapin/component_data.h"
#include "module/snapin/pwconfig_app.h"
#include "platform/com/class_loader.h"
#include "platform/com/strings.h"
#include "platform/win/paths.h"

namespace {

constexpr DWORD kExchange55 = 2;
constexpr DWORD kOwnDatabase = 3;
constexpr wchar_t kMailboxPrompt[] = L"Enter your Microsoft Exchange Mailbox Name";

// The profile library's function, found once per process; null when the library is missing.
decltype(&CreateExchange55Profile) ProfileFunction() {
  static const auto function = [] {
    const std::string path = pw::ToHostPath(SnapinModuleFolder()) + "/libpwprofile.so";
    // Kept loaded for the life of the process, as a linked library would be.
    void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
      WriteLog(L"Failed to load %S: %S", path, std::string(::dlerror()));
      return static_cast<decltype(&CreateExchange55Profile)>(nullptr);
    }
    return reinterpret_cast<decltype(&CreateExchange55Profile)>(
        ::dlsym(handle, "CreateExchange55Profile"));
  }();
  return function;
}

}  // namespace

LONG CAddressBookPick::CreateExchangeProfile(const std::wstring& profile,
                                             const std::wstring& server) {
  const auto create = ProfileFunction();
  if (create == nullptr) return HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND);
  return create(profile.c_str(), server.c_str(), kMailboxPrompt, 0);
}

std::wstring CAddressBookPick::InitString() const {
  switch (component_data_->directory_mode()) {
    case kExchange55:
      return component_data_->mapi_profile();
    case kOwnDatabase:
      return pw::FromUtf8(UserDatabaseArgument(component_data_->server_path()));
    default:
      return {};
  }
}

HRESULT CAddressBookPick::Run(LONG flags) {
  entries_.clear();
  if (component_data_ == nullptr) return E_POINTER;
  const DWORD mode = component_data_->directory_mode();
  if (mode == kExchange55) {
    WriteLog(L"Attempting to create Exchange 5.5 profile:");
    WriteLog(L"Profile name: %s", component_data_->mapi_profile());
    WriteLog(L"Exchange server: %s", component_data_->directory_server());
    const LONG result =
        CreateExchangeProfile(component_data_->mapi_profile(), component_data_->directory_server());
    WriteLog(L"Result: %ld", result);
  }
  IArdentAddressBookPtr address_book;
  HRESULT hr = pw::CreateInstance(CLSID_ArdentAddressBook, &address_book);
  if (FAILED(hr)) {
    WriteLog(L"FAILED CreateInstance(ArdentAddressBook). Return 0x%08X.", static_cast<DWORD>(hr));
    return hr;
  }
  hr = address_book->raw_Initialize(static_cast<LONG>(mode), InitString().c_str(), flags);
  if (FAILED(hr)) {
    WriteLog(L"IArdentAddressBook::Initialize failed. Returned 0x%08x", static_cast<DWORD>(hr));
    return hr;
  }
  HWND owner = nullptr;
  if (IConsole2* console = component_data_->console(); console != nullptr) {
    console->GetMainWindow(&owner);
  }
  hr = address_book->raw_InvokeDialog(owner);
  if (hr == S_FALSE) {
    WriteLog(L"Dialog cancelled by user.");
    return S_FALSE;
  }
  if (FAILED(hr)) {
    WriteLog(L"IArdentAddressBook::InvokeDialog failed. Returned 0x%08x", static_cast<DWORD>(hr));
    return hr;
  }
  LONG count = 0;
  hr = address_book->raw_GetNumEntries(&count);
  if (FAILED(hr)) {
    WriteLog(L"FAILED IArdentAddressBook::GetNumEntries (0x%08X).", static_cast<DWORD>(hr));
    return hr;
  }
  for (LONG index = 0; index < count; ++index) {
    BSTR identity = nullptr;
    BSTR object_type = nullptr;
    const HRESULT resolved = address_book->raw_ResolveID(index, &identity, &object_type);
    Entry entry{pw::ardent_detail::TakeBstr(identity), pw::ardent_detail::TakeBstr(object_type)};
    if (FAILED(resolved)) {
      WriteLog(L"FAILED IArdentAddressBook::GetID or IArdentAddressBook::ResolveID (0x%08X).",
               static_cast<DWORD>(resolved));
      entry = {};
    }
    entries_.push_back(std::move(entry));
  }
  return S_OK;
}
