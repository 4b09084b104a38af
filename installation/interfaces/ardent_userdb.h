// The user database's interfaces (class ArdentUserDB) as its type library declares them.
//
// The user database resolves the identities that the configuration store keeps into users,
// groups and mailbox agents of the directory in use. Methods come twice, as in ardent_db.h:
// `raw_X` returns the HRESULT, the inline wrapper `X` throws ComError(hr, IID of the
// interface) on failure.
//
// Connection strings (IArdentUserDB::Connect):
//   "dbpath=<file>"  the server's own user database, an SQLite file (normally
//                    "<server path>\pwdb_usr.fst"); the path may be local or UNC and runs to the
//                    end of the string. The UDB_CONNECT_* flags say how the file is opened.
//   "directorytype=ad;searchscope=children;searchbase=top"  Active Directory;
//   "directorytype=ex55;directoryserver=<server>"          an Exchange 5.5 directory.
// Keys compare without regard to case. searchscope (base, onelevel, subtree, children; children
// is searched as the subtree) and searchbase ("top", or a distinguished name) may be given in
// either directory string; without them the whole subtree below the directory's base is searched.
//
// The directories (modes 1 and 2) are LDAP servers, read through the LDAP client library and
// never written:
// - Server: mode 1 the URI of the LDAP client configuration (ldap.conf, or the files and
//   variables LDAPCONF, LDAPRC, LDAPURI); mode 2 "ldap://<server>" (a server text holding
//   "://" is a URI of its own). The client configuration is read once per process.
// - Base: "searchbase" when it names one, else BASE of the client configuration, else the
//   server's "defaultNamingContext", else its first "namingContexts".
// - Account: the environment variable PAGEWELL_LDAP_BINDDN names the bind DN and
//   PAGEWELL_LDAP_PASSWORD_FILE a file whose first line is the password (simple bind);
//   without a bind DN the connection is anonymous.
// - Objects: entries with the class "Mailbox-Agent" are mailbox agents, else "group" or
//   "groupOfNames" groups, else "user" or "organizationalPerson" users; other entries are not
//   found. The identity is, in mode 1, the braced GUID (capitals) of "objectGUID" (16 bytes in
//   Windows order), else of "entryUUID"; in mode 2 the distinguished name as the server spells
//   it. udbSearchDefault searches identities, udbSearchDN a distinguished name, udbSearchLogin
//   "sAMAccountName" (mode 1; a domain and a backslash before the account are dropped) or "uid"
//   (mode 2), udbSearchMail as in the own database.
// - Attributes: those of the list below, read from the attributes of the same name
//   ("streetAddress" also from "street", its name in standard LDAP schemas); multi-valued ones
//   give every value, single-valued ones the first; "ardentWindowsAccount" reads the login
//   attribute, "distinguishedName" the entry's name, "member" the identities of the group's
//   members that are objects, "memberOf" those of the groups whose "member" names the object. A
//   text that is no UTF-8, an "ardentCustomFlags" that is no 32-bit number and an object without
//   its identity are UDB_E_BADDIRECTORYVALUE.
// - EnumObjects lists in the server's order (a server's size limit ends the list early).
// - Every write (CreateUser, SetAttribute, Save, AddMember, RemoveMember) is UDB_E_READONLY.
// - A server that goes away fails the call with UDB_E_NODIRECTORYACCESS; the next call connects
//   again, so that a restarted server is used without a new Connect.
//
// Objects of the own database:
// - The identity is a braced GUID in capitals, "{8A1E...}", assigned when the object is made.
// - Object types "user", "group" and "mailboxagent".
// - Attributes are named as in the directory (names compare without regard to case) and keep
//   their VARIANT type: single-valued texts are VT_BSTR; "ardentCustomFlags" is VT_I4 (0
//   Networks, 1 SMTP); the multi-valued "proxyAddresses" and "otherMailbox" are
//   VT_ARRAY|VT_VARIANT of VT_BSTR. An attribute without a value reads as VT_EMPTY. Read-only,
//   made by the database: "ObjectClass" (VT_ARRAY|VT_VARIANT: user "top", "person",
//   "organizationalPerson", "user"; group "top", "group", "groupOfNames"; mailbox agent "top",
//   "Mailbox-Agent"), "distinguishedName" ("CN=<identity>,OU=Users|Groups|Agents,O=Pagewell"),
//   and the identities of "member" (a group's direct members) and "memberOf" (the groups that
//   list the object directly), both VT_ARRAY|VT_VARIANT.
// - The texts: cn, displayName, mail, givenName, sn, initials, description,
//   physicalDeliveryOfficeName, telephoneNumber, wWWHomePage, uid, streetAddress, postalAddress,
//   l, st, postalCode, co, postOfficeBox, title, department, company, homePhone, pager, mobile,
//   facsimileTelephoneNumber, ipPhone, info, Computer-Name, secretary, manager,
//   ardentWindowsAccount (the login) and ardentInternetMail. Any other name is
//   UDB_E_UNKNOWNATTRIBUTE.
// - Unique without regard to case over all objects: the login "ardentWindowsAccount", and the
//   addresses: "mail", and each value of "proxyAddresses" (after its first ':') and
//   "otherMailbox" (after its first '$'), so that the type prefix ("SMTP:", "Pagewell$") does
//   not hide an address that another object already has.
#pragma once

#include <string>

#include "installation/interfaces/ardent_db.h"
#include "platform/com/bstr.h"
#include "platform/com/com_error.h"
#include "platform/com/com_ptr.h"
#include "platform/com/variant.h"

inline constexpr CLSID CLSID_ArdentUserDB = pw::GuidLiteral("4917D092-8BA7-4B25-A2C5-CFAC54C407DE");
inline constexpr IID IID_IArdentUserDB = pw::GuidLiteral("866C49BB-812E-4A09-B701-6161B16A6458");
inline constexpr IID IID_IArdentUserLocator =
    pw::GuidLiteral("3C00EFBE-BD59-407C-B5CB-83B9384E7070");
inline constexpr IID IID_IArdentUser = pw::GuidLiteral("ADA37541-8A23-4DBA-86F9-6A959F356ECB");

// The own database's file in the server path folder.
inline constexpr wchar_t ARDENTUSERDB_FILE_NAME[] = L"pwdb_usr.fst";

// Connect flags for "dbpath=". The console connects with 7 and, when that fails (a file or
// share it may not write), falls back to 4.
//   UDB_CONNECT_WRITE   changes may be saved; without it the file is opened read-only and Save
//                       answers UDB_E_READONLY.
//   UDB_CONNECT_CREATE  a missing file is created, empty (needs UDB_CONNECT_WRITE).
//   UDB_CONNECT_OPEN    an existing file is used. CREATE without OPEN refuses an existing file
//                       with UDB_E_DATABASEEXISTS; at least one of the two must be given.
// Other bits are E_INVALIDARG. Directory strings take 0 or UDB_CONNECT_WRITE.
inline constexpr LONG UDB_CONNECT_WRITE = 0x1;
inline constexpr LONG UDB_CONNECT_CREATE = 0x2;
inline constexpr LONG UDB_CONNECT_OPEN = 0x4;

// What IArdentUserLocator::FindUser compares the searched text with (without regard to case).
enum UserDBSearchType : LONG {
  udbSearchDefault = 0,  // the identity
  udbSearchMail = 1,     // an address: "mail", "proxyAddresses" or "otherMailbox" (see above)
  udbSearchLogin = 2,    // the login, "ardentWindowsAccount"
  udbSearchDN = 5,       // the distinguished name
};

// Result codes. Those of facility WIN32 carry the Win32 number callers compare.
//
// A method that needs a connection was called before Connect or after Close.
inline constexpr HRESULT UDB_E_NOTCONNECTED = MakeHresult(0x80040301);
// Connect on an object that is connected: Close it first.
inline constexpr HRESULT UDB_E_ALREADYCONNECTED = MakeHresult(0x80040302);
// A directory string: the directory server cannot be reached, or went away.
inline constexpr HRESULT UDB_E_NODIRECTORYACCESS = MakeHresult(0x80040303);
// A directory string: the server refused the bind (ERROR_LOGON_FAILURE, 1326), or the password
// file cannot be read.
inline constexpr HRESULT UDB_E_DIRECTORYLOGON = HRESULT_FROM_WIN32(1326);
// A directory string: the search base is missing or none can be found, or the server refused a
// search.
inline constexpr HRESULT UDB_E_DIRECTORYERROR = MakeHresult(0x8004030A);
// A directory object's value does not fit its attribute, or the object has no identity.
inline constexpr HRESULT UDB_E_BADDIRECTORYVALUE = MakeHresult(0x8004030B);
// Connect: the file is not a user database (another kind of file, or an empty one).
inline constexpr HRESULT UDB_E_NOTUSERDATABASE = MakeHresult(0x80040304);
// Connect: the user database has a schema that this build does not know (older or newer).
inline constexpr HRESULT UDB_E_SCHEMAMISMATCH = MakeHresult(0x80040305);
// The user database file or one of its records is damaged.
inline constexpr HRESULT UDB_E_CORRUPT = MakeHresult(0x80040306);
// Save on a connection made without UDB_CONNECT_WRITE; every write to a directory.
inline constexpr HRESULT UDB_E_READONLY = MakeHresult(0x80040307);
// SetAttribute of an attribute that the database makes ("ObjectClass", "member", ...).
inline constexpr HRESULT UDB_E_READONLYATTRIBUTE = MakeHresult(0x80040308);
// AddMember, RemoveMember or EnumMembers on an object that is not a group.
inline constexpr HRESULT UDB_E_NOTAGROUP = MakeHresult(0x80040309);
// GetAttribute/SetAttribute: the name is no attribute of the user database.
inline constexpr HRESULT UDB_E_UNKNOWNATTRIBUTE = MakeHresult(0x80020006);
// Connect: the file is missing (and UDB_CONNECT_CREATE not given); the folder is missing.
inline constexpr HRESULT UDB_E_NODATABASE = HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
inline constexpr HRESULT UDB_E_NOFOLDER = HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND);
// Connect with UDB_CONNECT_CREATE but not UDB_CONNECT_OPEN: the file exists.
inline constexpr HRESULT UDB_E_DATABASEEXISTS = HRESULT_FROM_WIN32(ERROR_FILE_EXISTS);
// Another process holds the write lock longer than the database waits (10 s).
inline constexpr HRESULT UDB_E_BUSY = HRESULT_FROM_WIN32(ERROR_SHARING_VIOLATION);
// Save: another object already has this login (ERROR_USER_EXISTS, 1316).
inline constexpr HRESULT UDB_E_DUPLICATELOGIN = HRESULT_FROM_WIN32(1316);
// Save: another object already has one of these addresses (0xB7, as the store's duplicates).
inline constexpr HRESULT UDB_E_DUPLICATEADDRESS = HRESULT_FROM_WIN32(ERROR_ALREADY_EXISTS);
// No object has this identity (any more): GetDisplayName, OpenUserObject, Save of a member
// (ERROR_NO_SUCH_USER, 1317).
inline constexpr HRESULT UDB_E_USERNOTFOUND = HRESULT_FROM_WIN32(1317);

struct IArdentUser;

// The user database object's own interface.
struct IArdentUserDB : IUnknown {
  static constexpr const IID& kIid = IID_IArdentUserDB;

  // `flags`: the UDB_CONNECT_* bits; `connection`: one of the strings above.
  virtual HRESULT raw_Connect(LONG flags, LPCWSTR connection) = 0;
  // S_FALSE when nothing was connected. User objects handed out before keep their copies, but
  // OpenUserObject and Save answer UDB_E_NOTCONNECTED from then on (also after a new Connect).
  virtual HRESULT raw_Close() = 0;

  HRESULT Connect(LONG flags, const _bstr_t& connection) {
    return CheckHresult(raw_Connect(flags, connection.c_str()), kIid);
  }
  HRESULT Close() { return CheckHresult(raw_Close(), kIid); }

 protected:
  ~IArdentUserDB() = default;
};

// Finding, naming, listing and creating the directory's objects. Needs a connection.
struct IArdentUserLocator : IUnknown {
  static constexpr const IID& kIid = IID_IArdentUserLocator;

  // S_OK with the object, its attributes read (as OpenUserObject reads them); S_FALSE with
  // null when no object matches. E_INVALIDARG for an empty text or an unknown search type.
  virtual HRESULT raw_FindUser(LONG search_type, LPCWSTR text, IArdentUser** user) = 0;
  // The name to show for an identity: "displayName", else "cn", else "mail", else the login,
  // else the identity itself. UDB_E_USERNOTFOUND when no object has the identity.
  virtual HRESULT raw_GetDisplayName(LPCWSTR identity, BSTR* name) = 0;
  // A new object of `object_type` ("user", "group" or "mailboxagent"; empty means "user")
  // with a fresh identity. It reaches the database at its first Save.
  virtual HRESULT raw_CreateUser(LPCWSTR object_type, IArdentUser** user) = 0;
  // The identities of the saved objects of `object_type` (empty for every type), in the
  // order they were created.
  virtual HRESULT raw_EnumObjects(LPCWSTR object_type, IArdentTextEnum** identities) = 0;

  // S_OK with `user` set, or S_FALSE with it null.
  HRESULT FindUser(LONG search_type, const _bstr_t& text, pw::ComPtr<IArdentUser>* user) {
    IArdentUser* raw = nullptr;
    const HRESULT hr = CheckHresult(raw_FindUser(search_type, text.c_str(), &raw), kIid);
    FillOut(raw, user);
    return hr;
  }
  std::wstring GetDisplayName(const _bstr_t& identity) {
    BSTR name = nullptr;
    CheckHresult(raw_GetDisplayName(identity.c_str(), &name), kIid);
    return pw::ardent_detail::TakeBstr(name);
  }
  pw::ComPtr<IArdentUser> CreateUser(const _bstr_t& object_type = L"user") {
    IArdentUser* user = nullptr;
    CheckHresult(raw_CreateUser(object_type.c_str(), &user), kIid);
    return pw::ComPtr<IArdentUser>::Adopt(user);
  }
  pw::ComPtr<IArdentTextEnum> EnumObjects(const _bstr_t& object_type = L"") {
    IArdentTextEnum* identities = nullptr;
    CheckHresult(raw_EnumObjects(object_type.c_str(), &identities), kIid);
    return pw::ComPtr<IArdentTextEnum>::Adopt(identities);
  }

 protected:
  ~IArdentUserLocator() = default;

 private:
  static void FillOut(IArdentUser* raw, pw::ComPtr<IArdentUser>* user);
};

// One user, group or mailbox agent: a copy of its attributes and memberships. Changes reach
// the database only through Save, which writes only what was changed on this object, in one
// transaction, so that two consoles editing different attributes of one user keep both.
struct IArdentUser : IUnknown {
  static constexpr const IID& kIid = IID_IArdentUser;

  // Reads the object's attributes and memberships afresh, dropping unsaved changes. S_FALSE
  // for an object that was never saved; UDB_E_USERNOTFOUND when it is gone.
  virtual HRESULT raw_OpenUserObject() = 0;
  virtual HRESULT raw_GetAttribute(LPCWSTR name, VARIANT* value) = 0;
  // A value that converts to the attribute's type (VariantChangeType rules); multi-valued
  // attributes take VT_ARRAY|VT_VARIANT or one text, and drop empty and repeated values.
  // VT_EMPTY or an empty text removes the attribute. DISP_E_TYPEMISMATCH for a value that
  // does not convert.
  virtual HRESULT raw_SetAttribute(LPCWSTR name, const VARIANT& value) = 0;
  // UDB_E_DUPLICATELOGIN, UDB_E_DUPLICATEADDRESS (nothing is written then), UDB_E_READONLY,
  // UDB_E_USERNOTFOUND when a member added here names no object.
  virtual HRESULT raw_Save() = 0;
  virtual HRESULT raw_GetIdentity(BSTR* identity) = 0;
  virtual HRESULT raw_GetObjectType(BSTR* object_type) = 0;
  // Groups only. S_FALSE when the member was already in (or not in) the group. A group cannot
  // be its own member (E_INVALIDARG); groups may be nested.
  virtual HRESULT raw_AddMember(LPCWSTR identity) = 0;
  virtual HRESULT raw_RemoveMember(LPCWSTR identity) = 0;
  virtual HRESULT raw_EnumMembers(IArdentTextEnum** identities) = 0;
  // The groups that list this object directly.
  virtual HRESULT raw_EnumGroups(IArdentTextEnum** identities) = 0;

  HRESULT OpenUserObject() { return CheckHresult(raw_OpenUserObject(), kIid); }
  VARIANT GetAttribute(const _bstr_t& name) {
    VARIANT value;
    CheckHresult(raw_GetAttribute(name.c_str(), &value), kIid);
    return value;
  }
  HRESULT SetAttribute(const _bstr_t& name, const VARIANT& value) {
    return CheckHresult(raw_SetAttribute(name.c_str(), value), kIid);
  }
  HRESULT Save() { return CheckHresult(raw_Save(), kIid); }
  std::wstring GetIdentity() {
    BSTR identity = nullptr;
    CheckHresult(raw_GetIdentity(&identity), kIid);
    return pw::ardent_detail::TakeBstr(identity);
  }
  std::wstring GetObjectType() {
    BSTR object_type = nullptr;
    CheckHresult(raw_GetObjectType(&object_type), kIid);
    return pw::ardent_detail::TakeBstr(object_type);
  }
  HRESULT AddMember(const _bstr_t& identity) {
    return CheckHresult(raw_AddMember(identity.c_str()), kIid);
  }
  HRESULT RemoveMember(const _bstr_t& identity) {
    return CheckHresult(raw_RemoveMember(identity.c_str()), kIid);
  }
  pw::ComPtr<IArdentTextEnum> EnumMembers() {
    IArdentTextEnum* identities = nullptr;
    CheckHresult(raw_EnumMembers(&identities), kIid);
    return pw::ComPtr<IArdentTextEnum>::Adopt(identities);
  }
  pw::ComPtr<IArdentTextEnum> EnumGroups() {
    IArdentTextEnum* identities = nullptr;
    CheckHresult(raw_EnumGroups(&identities), kIid);
    return pw::ComPtr<IArdentTextEnum>::Adopt(identities);
  }

 protected:
  ~IArdentUser() = default;
};

inline void IArdentUserLocator::FillOut(IArdentUser* raw, pw::ComPtr<IArdentUser>* user) {
  if (user != nullptr) {
    *user = pw::ComPtr<IArdentUser>::Adopt(raw);
  } else if (raw != nullptr) {
    raw->Release();
  }
}

using IArdentUserDBPtr = pw::ComPtr<IArdentUserDB>;
using IArdentUserLocatorPtr = pw::ComPtr<IArdentUserLocator>;
using IArdentUserPtr = pw::ComPtr<IArdentUser>;
