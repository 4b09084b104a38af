// The configuration store's interfaces (class ArdentDB) as its type library declares them.
//
// Every method comes twice: `raw_X` returns the HRESULT and fills its out parameters; the
// inline wrapper `X` returns the result value and throws ComError(hr, IID of the interface) on
// failure, so that callers catch one error type that says which interface failed.
//
// Strings travel as BSTR: a raw method that hands one out allocates it with SysAllocString and
// the caller frees it with SysFreeString (the wrappers do that). Rule and setting values travel
// as VARIANTs whose type tag the store keeps: VT_BSTR, VT_I4, VT_UI4, VT_BOOL, and
// VT_BYREF|VT_PTR for a printer record of ARDENTDB_PRINTER_RECORD_SIZE bytes.
#pragma once

#include <string>

#include "platform/com/bstr.h"
#include "platform/com/com_error.h"
#include "platform/com/com_ptr.h"
#include "platform/com/variant.h"

inline constexpr CLSID CLSID_ArdentDB = pw::GuidLiteral("20DB358F-0826-4716-B27D-A470986638E4");
inline constexpr IID IID_IArdentDB = pw::GuidLiteral("DAACCBE1-0656-4E3A-8179-CE0FEB9C48EA");
inline constexpr IID IID_IPagewell = pw::GuidLiteral("3045399A-BDAA-4282-AC90-348983D870FD");
inline constexpr IID IID_IArdentRULEDB = pw::GuidLiteral("DB128123-AD08-48FA-A46E-8B0C3E0B815F");
inline constexpr IID IID_IArdentRule = pw::GuidLiteral("9B999F85-A06A-424A-B238-3689061D395F");
inline constexpr IID IID_IArdentRuleEnum = pw::GuidLiteral("7836AE99-0981-4D60-9FD3-36749708470A");
inline constexpr IID IID_IArdentTextEnum = pw::GuidLiteral("57EADFCB-BEE7-4657-9E9F-909AA958BE1B");
inline constexpr IID IID_IArdentDBSetup = pw::GuidLiteral("2933C3D3-70FD-40D4-852D-20FD3E3E962C");

// The file that holds a server's configuration, in the server path folder.
inline constexpr wchar_t ARDENTDB_FILE_NAME[] = L"pwconfig.db";
// The size of the printer record that auto-print fields pass by reference.
inline constexpr ULONG ARDENTDB_PRINTER_RECORD_SIZE = 648;

// Result codes. Codes of facility WIN32 are those whose Win32 number callers compare
// (ComError::WCode()): 0xB7 for a duplicate value, 0x490 for a rule that is gone.
//
// SaveRule: another rule of the type already has this "ObjectValue" (ignoring case).
inline constexpr HRESULT ARDENTDB_E_DUPLICATEVALUE = HRESULT_FROM_WIN32(ERROR_ALREADY_EXISTS);
// SaveRule (update), DeleteRule: no rule has this "ObjectID" (any more).
inline constexpr HRESULT ARDENTDB_E_RULENOTFOUND = HRESULT_FROM_WIN32(ERROR_NOT_FOUND);
// Open: the server path folder does not exist; the folder holds no configuration file.
inline constexpr HRESULT ARDENTDB_E_NOFOLDER = HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND);
inline constexpr HRESULT ARDENTDB_E_NOCONFIGURATION = HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
// CreateConfiguration: the folder already holds a configuration file (it is never replaced).
inline constexpr HRESULT ARDENTDB_E_CONFIGURATIONEXISTS = HRESULT_FROM_WIN32(ERROR_FILE_EXISTS);
// Another process holds the configuration's write lock longer than the store waits (10 s).
inline constexpr HRESULT ARDENTDB_E_BUSY = HRESULT_FROM_WIN32(ERROR_SHARING_VIOLATION);
// GetValue/PutValue: the name is not a setting of the store (automation's "unknown name").
inline constexpr HRESULT ARDENTDB_E_UNKNOWNSETTING = MakeHresult(0x80020006);
// A method that needs an open configuration was called before Open or after Close.
inline constexpr HRESULT ARDENTDB_E_NOTOPEN = MakeHresult(0x80040201);
// Open on an object that already has a configuration open: Close it first.
inline constexpr HRESULT ARDENTDB_E_ALREADYOPEN = MakeHresult(0x80040202);
// Open: the configuration file is empty.
inline constexpr HRESULT ARDENTDB_E_EMPTYFILE = MakeHresult(0x80040203);
// Open: the file is not a configuration of this store (another kind of file).
inline constexpr HRESULT ARDENTDB_E_NOTCONFIGURATION = MakeHresult(0x80040204);
// Open: the configuration was written by a newer store (a schema this build does not know).
inline constexpr HRESULT ARDENTDB_E_NEWERSCHEMA = MakeHresult(0x80040205);
// Open: the configuration has an older schema (or was never finished by its creator).
inline constexpr HRESULT ARDENTDB_E_OLDERSCHEMA = MakeHresult(0x80040206);
// The configuration file or one of its records is damaged.
inline constexpr HRESULT ARDENTDB_E_CORRUPT = MakeHresult(0x80040207);
// EndBulkUpdate: the bulk update's transaction was lost to an earlier failure (nothing of it
// was kept).
inline constexpr HRESULT ARDENTDB_E_BULKABORTED = MakeHresult(0x80040208);

struct IArdentRule;
struct IArdentRuleEnum;
struct IArdentTextEnum;

namespace pw::ardent_detail {
// Takes over a BSTR that a raw method handed out.
inline std::wstring TakeBstr(BSTR text) {
  std::wstring result(text != nullptr ? text : L"", SysStringLen(text));
  SysFreeString(text);
  return result;
}
}  // namespace pw::ardent_detail

// An enumerator of texts: the users of a rule, the configured lines or MSNs. A snapshot taken
// when it was made.
struct IArdentTextEnum : IUnknown {
  static constexpr const IID& kIid = IID_IArdentTextEnum;

  virtual HRESULT raw_Reset() = 0;
  // S_OK with the next text, or S_FALSE with null after the last one.
  virtual HRESULT raw_Next(BSTR* text) = 0;

  HRESULT Reset() { return CheckHresult(raw_Reset(), kIid); }
  // S_OK with `text` set, or S_FALSE at the end.
  HRESULT Next(_bstr_t* text) {
    BSTR raw = nullptr;
    const HRESULT hr = CheckHresult(raw_Next(&raw), kIid);
    if (text != nullptr) *text = _bstr_t(pw::ardent_detail::TakeBstr(raw));
    return hr;
  }

 protected:
  ~IArdentTextEnum() = default;
};

// One rule: a type, named fields with typed values, and a set of user identifiers. A rule
// object is a copy: changes reach the store only through IArdentRULEDB::SaveRule.
//
// Field names compare without regard to case. "ObjectID" is the store's: it reads as a VT_BSTR
// once the rule has been saved (VT_EMPTY before) and cannot be set. A field never set reads
// as VT_EMPTY; setting VT_EMPTY removes a field. Accepted values: VT_BSTR, VT_I4, VT_UI4,
// VT_BOOL, and VT_BYREF|VT_PTR pointing at a printer record, whose bytes are copied. Reading
// a printer record field answers VT_BYREF|VT_PTR pointing at a copy that the rule object
// owns: one block per field name, valid while the rule object lives, refreshed by each read.
struct IArdentRule : IUnknown {
  static constexpr const IID& kIid = IID_IArdentRule;

  virtual HRESULT raw_SetField(LPCWSTR name, const VARIANT& value) = 0;
  virtual HRESULT raw_GetField(LPCWSTR name, VARIANT* value) = 0;
  virtual HRESULT raw_EnumUsers(IArdentTextEnum** users) = 0;
  // S_FALSE when the user was already in the set (user identifiers ignore case).
  virtual HRESULT raw_AddUser(LPCWSTR user) = 0;
  // S_FALSE when the user was not in the set.
  virtual HRESULT raw_RemoveUser(LPCWSTR user) = 0;
  virtual HRESULT raw_GetRuleType(BSTR* type) = 0;

  HRESULT SetField(const _bstr_t& name, const VARIANT& value) {
    return CheckHresult(raw_SetField(name.c_str(), value), kIid);
  }
  VARIANT GetField(const _bstr_t& name) {
    VARIANT value;
    CheckHresult(raw_GetField(name.c_str(), &value), kIid);
    return value;
  }
  pw::ComPtr<IArdentTextEnum> EnumUsers() {
    IArdentTextEnum* users = nullptr;
    CheckHresult(raw_EnumUsers(&users), kIid);
    return pw::ComPtr<IArdentTextEnum>::Adopt(users);
  }
  HRESULT AddUser(const _bstr_t& user) { return CheckHresult(raw_AddUser(user.c_str()), kIid); }
  HRESULT RemoveUser(const _bstr_t& user) {
    return CheckHresult(raw_RemoveUser(user.c_str()), kIid);
  }
  std::wstring GetRuleType() {
    BSTR type = nullptr;
    CheckHresult(raw_GetRuleType(&type), kIid);
    return pw::ardent_detail::TakeBstr(type);
  }

 protected:
  ~IArdentRule() = default;
};

// The rules of one type, in store order (ascending "ObjectID"), as they were when it was made.
// Each Next hands out a new rule object.
struct IArdentRuleEnum : IUnknown {
  static constexpr const IID& kIid = IID_IArdentRuleEnum;

  virtual HRESULT raw_Reset() = 0;
  // S_OK with the next rule, or S_FALSE with null after the last one.
  virtual HRESULT raw_Next(IArdentRule** rule) = 0;

  HRESULT Reset() { return CheckHresult(raw_Reset(), kIid); }
  HRESULT Next(pw::ComPtr<IArdentRule>* rule) {
    IArdentRule* raw = nullptr;
    const HRESULT hr = CheckHresult(raw_Next(&raw), kIid);
    if (rule != nullptr) {
      *rule = pw::ComPtr<IArdentRule>::Adopt(raw);
    } else if (raw != nullptr) {
      raw->Release();
    }
    return hr;
  }

 protected:
  ~IArdentRuleEnum() = default;
};

// The store object's own interface. Open succeeds only on a folder that holds a configuration
// of this store's schema; it never creates or changes a file (IArdentDBSetup creates one).
// Several objects and processes may have the same configuration open.
struct IArdentDB : IUnknown {
  static constexpr const IID& kIid = IID_IArdentDB;

  // `flags` must be 0. `server_path` is the folder, local or UNC.
  virtual HRESULT raw_Open(LONG flags, LPCWSTR server_path) = 0;
  // Abandons an unfinished bulk update and unsaved settings; S_FALSE when nothing was open.
  virtual HRESULT raw_Close() = 0;

  HRESULT Open(LONG flags, const _bstr_t& server_path) {
    return CheckHresult(raw_Open(flags, server_path.c_str()), kIid);
  }
  HRESULT Close() { return CheckHresult(raw_Close(), kIid); }

 protected:
  ~IArdentDB() = default;
};

// Server-wide settings ("IPW_…" names, each with its type and default), the configured lines
// and MSNs, bulk updates and the restart-pending flag.
//
// PutValue changes the value that this object's GetValue answers at once; SaveValues writes
// every changed value in one transaction. GetValue of a setting not changed here reads the
// stored value afresh (the default when none was ever saved). A value is converted to the
// setting's type; one that does not convert is refused with the conversion's code.
//
// A bulk update makes everything between BeginBulkUpdate and EndBulkUpdate one transaction:
// other objects see all of it at EndBulkUpdate, or none of it if the process ends first.
// Begin calls nest (only the outermost End commits); End without Begin answers S_FALSE.
//
// Saving a changed "IPW_Exc_DSAorDOM", "IPW_OcrRatio" or "IPW_OCR_ScnPgs" marks a server
// restart as pending, because the server reads them only when it starts.
struct IPagewell : IUnknown {
  static constexpr const IID& kIid = IID_IPagewell;

  virtual HRESULT raw_EnumLines(IArdentTextEnum** lines) = 0;
  virtual HRESULT raw_EnumMSNs(IArdentTextEnum** msns) = 0;
  virtual HRESULT raw_PutValue(LPCWSTR name, const VARIANT& value) = 0;
  virtual HRESULT raw_GetValue(LPCWSTR name, VARIANT* value) = 0;
  virtual HRESULT raw_SaveValues() = 0;
  virtual HRESULT raw_BeginBulkUpdate() = 0;
  virtual HRESULT raw_EndBulkUpdate() = 0;
  virtual HRESULT raw_IsRestartPending(VARIANT_BOOL* pending) = 0;

  pw::ComPtr<IArdentTextEnum> EnumLines() {
    IArdentTextEnum* lines = nullptr;
    CheckHresult(raw_EnumLines(&lines), kIid);
    return pw::ComPtr<IArdentTextEnum>::Adopt(lines);
  }
  pw::ComPtr<IArdentTextEnum> EnumMSNs() {
    IArdentTextEnum* msns = nullptr;
    CheckHresult(raw_EnumMSNs(&msns), kIid);
    return pw::ComPtr<IArdentTextEnum>::Adopt(msns);
  }
  HRESULT PutValue(const _bstr_t& name, const VARIANT& value) {
    return CheckHresult(raw_PutValue(name.c_str(), value), kIid);
  }
  VARIANT GetValue(const _bstr_t& name) {
    VARIANT value;
    CheckHresult(raw_GetValue(name.c_str(), &value), kIid);
    return value;
  }
  HRESULT SaveValues() { return CheckHresult(raw_SaveValues(), kIid); }
  HRESULT BeginBulkUpdate() { return CheckHresult(raw_BeginBulkUpdate(), kIid); }
  HRESULT EndBulkUpdate() { return CheckHresult(raw_EndBulkUpdate(), kIid); }
  VARIANT_BOOL IsRestartPending() {
    VARIANT_BOOL pending = VARIANT_FALSE;
    CheckHresult(raw_IsRestartPending(&pending), kIid);
    return pending;
  }

 protected:
  ~IPagewell() = default;
};

// The rules. "ObjectID" values are decimal texts assigned by the first save and never reused.
//
// SaveRule(rule, VARIANT_TRUE) stores a rule made by CreateRule and gives it its "ObjectID";
// SaveRule(rule, VARIANT_FALSE) replaces the stored rule with the object's fields and users.
// Both answer ARDENTDB_E_DUPLICATEVALUE (0xB7) when another rule of the type has the same
// non-empty "ObjectValue" ignoring case; coverpage and front covernote rules ("coverpage",
// "fcoverpage"), whose value is a file that several of them may use, are exempt. An update of
// a rule that is gone answers ARDENTDB_E_RULENOTFOUND (0x490). Saving a saved rule as new or
// an unsaved one as an update is E_INVALIDARG.
//
// GetRule answers S_OK with a null rule when no rule has the identity (any more).
// DeleteRule answers ARDENTDB_E_RULENOTFOUND (0x490) when the rule was already gone.
// EnumRules with an empty user filter lists every rule of the type, else the rules whose user
// set holds that user (ignoring case); a type without rules gives an empty enumerator, never
// a null one.
struct IArdentRULEDB : IUnknown {
  static constexpr const IID& kIid = IID_IArdentRULEDB;

  virtual HRESULT raw_GetRule(LPCWSTR object_id, IArdentRule** rule) = 0;
  virtual HRESULT raw_EnumRules(LPCWSTR user_filter, LPCWSTR rule_type,
                                IArdentRuleEnum** rules) = 0;
  virtual HRESULT raw_SaveRule(IArdentRule* rule, VARIANT_BOOL is_new) = 0;
  virtual HRESULT raw_DeleteRule(LPCWSTR object_id) = 0;
  virtual HRESULT raw_CreateRule(LPCWSTR rule_type, IArdentRule** rule) = 0;

  pw::ComPtr<IArdentRule> GetRule(const _bstr_t& object_id) {
    IArdentRule* rule = nullptr;
    CheckHresult(raw_GetRule(object_id.c_str(), &rule), kIid);
    return pw::ComPtr<IArdentRule>::Adopt(rule);
  }
  pw::ComPtr<IArdentRuleEnum> EnumRules(const _bstr_t& user_filter, const _bstr_t& rule_type) {
    IArdentRuleEnum* rules = nullptr;
    CheckHresult(raw_EnumRules(user_filter.c_str(), rule_type.c_str(), &rules), kIid);
    return pw::ComPtr<IArdentRuleEnum>::Adopt(rules);
  }
  HRESULT SaveRule(IArdentRule* rule, VARIANT_BOOL is_new) {
    return CheckHresult(raw_SaveRule(rule, is_new), kIid);
  }
  HRESULT DeleteRule(const _bstr_t& object_id) {
    return CheckHresult(raw_DeleteRule(object_id.c_str()), kIid);
  }
  pw::ComPtr<IArdentRule> CreateRule(const _bstr_t& rule_type) {
    IArdentRule* rule = nullptr;
    CheckHresult(raw_CreateRule(rule_type.c_str(), &rule), kIid);
    return pw::ComPtr<IArdentRule>::Adopt(rule);
  }

 protected:
  ~IArdentRULEDB() = default;
};

// What the installation and the server's own programs do with a configuration: create one
// (the only way one comes to exist), set the lines and MSNs that the server's devices have,
// and clear the restart-pending flag once the server has restarted.
struct IArdentDBSetup : IUnknown {
  static constexpr const IID& kIid = IID_IArdentDBSetup;

  // Creates an empty configuration in the existing folder `server_path`; never replaces one.
  // Does not open it.
  virtual HRESULT raw_CreateConfiguration(LPCWSTR server_path) = 0;
  // VT_ARRAY|VT_VARIANT of non-empty VT_BSTR texts, unique ignoring case; replaces the list.
  // These need an open configuration.
  virtual HRESULT raw_SetLines(const VARIANT& lines) = 0;
  virtual HRESULT raw_SetMSNs(const VARIANT& msns) = 0;
  virtual HRESULT raw_ClearRestartPending() = 0;

  HRESULT CreateConfiguration(const _bstr_t& server_path) {
    return CheckHresult(raw_CreateConfiguration(server_path.c_str()), kIid);
  }
  HRESULT SetLines(const VARIANT& lines) { return CheckHresult(raw_SetLines(lines), kIid); }
  HRESULT SetMSNs(const VARIANT& msns) { return CheckHresult(raw_SetMSNs(msns), kIid); }
  HRESULT ClearRestartPending() { return CheckHresult(raw_ClearRestartPending(), kIid); }

 protected:
  ~IArdentDBSetup() = default;
};

using IArdentDBPtr = pw::ComPtr<IArdentDB>;
using IPagewellPtr = pw::ComPtr<IPagewell>;
using IArdentRULEDBPtr = pw::ComPtr<IArdentRULEDB>;
using IArdentRulePtr = pw::ComPtr<IArdentRule>;
using IArdentRuleEnumPtr = pw::ComPtr<IArdentRuleEnum>;
using IArdentTextEnumPtr = pw::ComPtr<IArdentTextEnum>;
using IArdentDBSetupPtr = pw::ComPtr<IArdentDBSetup>;
