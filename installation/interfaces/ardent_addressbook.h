// The address book's interface (class ArdentAddressBook): the server installation's dialog in
// which the administrator picks users, groups and mailbox agents of the directory in use.
//
// One pick is: Initialize with the directory mode, its initialisation string and the selection
// flags; InvokeDialog; then GetNumEntries and, for each index, GetID or ResolveID. The object
// keeps the last pick until the next InvokeDialog or Initialize.
//
// Initialisation strings by directory mode:
//   1 Active Directory: ignored (normally empty); the directory is the one the user database
//     reaches with "directorytype=ad;searchscope=children;searchbase=top".
//   2 Exchange 5.5: the name of the messaging profile that CreateExchange55Profile made
//     (exchange_profile.h); the profile names the directory server.
//   3 the server's own user database: "dbpath=<file>" (or the file's path alone), opened
//     read-only.
// The address book reads the directory through its own user database object (ArdentUserDB),
// so the directory's account and client configuration are those of ardent_userdb.h.
#pragma once

#include <string>

#include "installation/interfaces/ardent_db.h"
#include "platform/com/bstr.h"
#include "platform/com/com_error.h"
#include "platform/com/com_ptr.h"

inline constexpr CLSID CLSID_ArdentAddressBook =
    pw::GuidLiteral("6B0E2C47-93A1-4F5D-8E2B-7C4D1A9F3E60");
inline constexpr IID IID_IArdentAddressBook =
    pw::GuidLiteral("0F4A8D21-5C6E-4B37-9A12-E3D58B7C6F94");

// Selection flags (Initialize). At least one object kind must be given; other bits are
// E_INVALIDARG. The console registers with 0x3B: every kind, several at once, with the search
// field.
inline constexpr LONG ABF_USERS = 0x01;          // users are offered
inline constexpr LONG ABF_GROUPS = 0x02;         // groups are offered
inline constexpr LONG ABF_MAILBOXAGENTS = 0x08;  // mailbox agents are offered
inline constexpr LONG ABF_MULTISELECT = 0x10;    // several rows may be picked; else one
inline constexpr LONG ABF_SEARCH = 0x20;         // the search field narrows the list while typed
inline constexpr LONG ABF_ALL =
    ABF_USERS | ABF_GROUPS | ABF_MAILBOXAGENTS | ABF_MULTISELECT | ABF_SEARCH;

// Result codes.
//
// InvokeDialog, GetNumEntries, GetID, ResolveID before a successful Initialize.
inline constexpr HRESULT AB_E_NOTINITIALIZED = MakeHresult(0x80040401);
// Initialize in mode 2: no messaging profile of that name exists, or it names no server.
inline constexpr HRESULT AB_E_NOPROFILE = MakeHresult(0x80040402);
// Initialize: a directory mode other than 1, 2 or 3.
inline constexpr HRESULT AB_E_BADMODE = MakeHresult(0x80040403);

struct IArdentAddressBook : IUnknown {
  static constexpr const IID& kIid = IID_IArdentAddressBook;

  // Connects to the directory of `mode` (see above) and keeps `flags`. A failed connection
  // answers the user database's code and leaves the object uninitialised.
  virtual HRESULT raw_Initialize(LONG mode, LPCWSTR init_string, LONG flags) = 0;
  // Lists the directory's objects of the flagged kinds in a modal dialog owned by `owner`
  // (may be null). S_OK when the administrator picked at least one row and pressed OK,
  // S_FALSE on Cancel (no entries then); a directory that cannot be listed answers its code
  // and shows nothing.
  virtual HRESULT raw_InvokeDialog(HWND owner) = 0;
  virtual HRESULT raw_GetNumEntries(LONG* count) = 0;
  // The identity of picked entry `index` (0 based), as the configuration store keeps it.
  // E_INVALIDARG outside 0 .. count - 1.
  virtual HRESULT raw_GetID(LONG index, BSTR* identity) = 0;
  // The identity and the object type ("user", "group" or "mailboxagent") of entry `index`.
  virtual HRESULT raw_ResolveID(LONG index, BSTR* identity, BSTR* object_type) = 0;

  HRESULT Initialize(LONG mode, const _bstr_t& init_string, LONG flags) {
    return CheckHresult(raw_Initialize(mode, init_string.c_str(), flags), kIid);
  }
  HRESULT InvokeDialog(HWND owner) { return CheckHresult(raw_InvokeDialog(owner), kIid); }
  LONG GetNumEntries() {
    LONG count = 0;
    CheckHresult(raw_GetNumEntries(&count), kIid);
    return count;
  }
  std::wstring GetID(LONG index) {
    BSTR identity = nullptr;
    CheckHresult(raw_GetID(index, &identity), kIid);
    return pw::ardent_detail::TakeBstr(identity);
  }

 protected:
  ~IArdentAddressBook() = default;
};

using IArdentAddressBookPtr = pw::ComPtr<IArdentAddressBook>;
