// The registry: HKEY_LOCAL_MACHINE, HKEY_CLASSES_ROOT and HKEY_CURRENT_USER, kept in one text
// file in the format of a Windows registry export ("Windows Registry Editor Version 5.00").
//
// The file's path comes from the environment variable PAGEWELL_REGISTRY, by default
// "registry.reg" in the user's data folder (see pw::UserDataFolder). Every read sees the file
// as it is now; every write re-reads it, applies the change and replaces the file atomically
// under an exclusive lock, so that two processes never lose each other's values. A file that
// cannot be parsed is never overwritten: operations fail with ERROR_BADDB and
// pw::RegistryLastError() names the file and line.
//
// Key and value names compare without regard to case and keep the case they were created with.
// Value types are kept: a REG_SZ "5" is not a REG_DWORD 5.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/com/hresult.h"

using REGSAM = DWORD;

inline const HKEY HKEY_CLASSES_ROOT = reinterpret_cast<HKEY>(std::uintptr_t{0x80000000});
inline const HKEY HKEY_CURRENT_USER = reinterpret_cast<HKEY>(std::uintptr_t{0x80000001});
inline const HKEY HKEY_LOCAL_MACHINE = reinterpret_cast<HKEY>(std::uintptr_t{0x80000002});

inline constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
inline constexpr REGSAM KEY_SET_VALUE = 0x0002;
inline constexpr REGSAM KEY_CREATE_SUB_KEY = 0x0004;
inline constexpr REGSAM KEY_ENUMERATE_SUB_KEYS = 0x0008;
inline constexpr REGSAM KEY_READ = 0x20019;
inline constexpr REGSAM KEY_WRITE = 0x20006;
inline constexpr REGSAM KEY_ALL_ACCESS = 0xF003F;

inline constexpr DWORD REG_NONE = 0;
inline constexpr DWORD REG_SZ = 1;
inline constexpr DWORD REG_EXPAND_SZ = 2;
inline constexpr DWORD REG_BINARY = 3;
inline constexpr DWORD REG_DWORD = 4;
inline constexpr DWORD REG_MULTI_SZ = 7;
inline constexpr DWORD REG_QWORD = 11;

inline constexpr DWORD REG_CREATED_NEW_KEY = 1;
inline constexpr DWORD REG_OPENED_EXISTING_KEY = 2;

inline constexpr LONG ERROR_INVALID_DATATYPE = 1630;

// One registry value with its type. `text` holds REG_SZ and REG_EXPAND_SZ, `number` REG_DWORD
// and REG_QWORD, `strings` REG_MULTI_SZ, `bytes` REG_BINARY and any other type.
struct RegValue {
  DWORD type = REG_NONE;
  std::wstring text;
  ULONGLONG number = 0;
  std::vector<std::wstring> strings;
  std::string bytes;

  static RegValue String(std::wstring_view text, DWORD type = REG_SZ);
  static RegValue Dword(DWORD value);
  friend bool operator==(const RegValue&, const RegValue&) = default;
};

// `sub_key` may be empty (the key itself) and uses backslashes between names. Opening a key
// that does not exist answers ERROR_FILE_NOT_FOUND. An operation on a key that another handle
// or process deleted meanwhile answers ERROR_KEY_DELETED.
LONG RegOpenKeyEx(HKEY key, std::wstring_view sub_key, REGSAM access, HKEY* result);
LONG RegCreateKeyEx(HKEY key, std::wstring_view sub_key, REGSAM access, HKEY* result,
                    DWORD* disposition = nullptr);
LONG RegCloseKey(HKEY key);

// An empty name is the key's default value.
LONG RegQueryValueEx(HKEY key, std::wstring_view name, RegValue* value);
LONG RegSetValueEx(HKEY key, std::wstring_view name, const RegValue& value);
LONG RegDeleteValue(HKEY key, std::wstring_view name);
// Deletes a key without subkeys (ERROR_ACCESS_DENIED when it has some, as on Windows).
LONG RegDeleteKey(HKEY key, std::wstring_view sub_key);
// Deletes `sub_key` and everything under it; with an empty `sub_key`, the values and subkeys
// of `key` itself.
LONG RegDeleteTree(HKEY key, std::wstring_view sub_key);
// Enumeration in the order the names sort without regard to case; ERROR_NO_MORE_ITEMS past
// the end.
LONG RegEnumKeyEx(HKEY key, DWORD index, std::wstring* name);
LONG RegEnumValue(HKEY key, DWORD index, std::wstring* name, RegValue* value);

// A key handle that closes itself, with the typed accessors the snap-in uses.
class CRegKey {
 public:
  CRegKey() = default;
  ~CRegKey() { Close(); }
  CRegKey(const CRegKey&) = delete;
  CRegKey& operator=(const CRegKey&) = delete;
  CRegKey(CRegKey&& other) noexcept : key_(other.key_) { other.key_ = nullptr; }

  LONG Open(HKEY parent, std::wstring_view sub_key, REGSAM access = KEY_READ);
  LONG Create(HKEY parent, std::wstring_view sub_key, REGSAM access = KEY_ALL_ACCESS);
  LONG Close();

  // Typed reads fail with ERROR_INVALID_DATATYPE when the value has another type.
  LONG QueryStringValue(std::wstring_view name, std::wstring* value) const;
  LONG QueryDWORDValue(std::wstring_view name, DWORD* value) const;
  LONG SetStringValue(std::wstring_view name, std::wstring_view value);
  LONG SetDWORDValue(std::wstring_view name, DWORD value);
  LONG DeleteValue(std::wstring_view name);
  LONG RecurseDeleteKey(std::wstring_view sub_key);

  HKEY m_hKey() const { return key_; }
  explicit operator bool() const { return key_ != nullptr; }

 private:
  HKEY key_ = nullptr;
};

namespace pw {

// The registry file in use: set by a test or a program before use, else from the
// environment. Setting it drops everything read from the previous file.
void SetRegistryFilePath(std::string path);
std::string RegistryFilePath();
// "FILE:LINE: what is wrong" for the last file that could not be parsed; empty when the file
// in use is sound.
std::string RegistryLastError();

}  // namespace pw
