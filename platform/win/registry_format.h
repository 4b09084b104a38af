// The registry file's text form: a Windows registry export, parsed into a tree and written back.
//
// Reading accepts UTF-8 (with or without a byte order mark) and UTF-16 with its mark, which is
// what regedit writes; writing produces UTF-8 with "\n" line ends. Keys are written sorted by
// name without regard to case, parents before children, each key as its own section (the root
// keys only when they hold values); values sorted the same way. A REG_SZ whose text cannot stand
// between quotes (a line break, a NUL) is written as hex(1) so that nothing is lost.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win/registry.h"

namespace pw {

// Deeper keys are refused, as Windows refuses them, so that no file can nest without limit.
inline constexpr std::size_t kMaxRegistryKeyDepth = 512;

struct RegistryValueEntry {
  std::wstring name;  // empty for the key's default value
  RegValue value;
  friend bool operator==(const RegistryValueEntry&, const RegistryValueEntry&) = default;
};

// A key with its values and subkeys, each kept sorted by name without regard to case: that is
// the order in which they are enumerated and written. Names keep the case they were created
// with.
struct RegistryKey {
  std::wstring name;
  std::vector<RegistryValueEntry> values;
  std::vector<RegistryKey> subkeys;

  const RegistryKey* FindSubkey(std::wstring_view subkey_name) const;
  RegistryKey* FindSubkey(std::wstring_view subkey_name);
  // The subkey of that name, created when missing (then `created` is set). The reference is
  // valid until the next subkey is added to or removed from this key.
  RegistryKey& AddSubkey(std::wstring_view subkey_name, bool* created = nullptr);
  bool RemoveSubkey(std::wstring_view subkey_name);

  const RegValue* FindValue(std::wstring_view value_name) const;
  // Replaces an existing value of that name, keeping its name's case.
  void SetValue(std::wstring_view value_name, RegValue value);
  bool RemoveValue(std::wstring_view value_name);

  friend bool operator==(const RegistryKey&, const RegistryKey&) = default;
};

enum class RegistryRoot { kClassesRoot, kCurrentUser, kLocalMachine };
inline constexpr std::size_t kRegistryRootCount = 3;

// "HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE".
std::wstring_view RegistryRootName(RegistryRoot root);

// The three root keys; a root key's name is its root name.
struct RegistryTree {
  RegistryTree();
  RegistryKey& Root(RegistryRoot root) { return roots[static_cast<std::size_t>(root)]; }
  const RegistryKey& Root(RegistryRoot root) const { return roots[static_cast<std::size_t>(root)]; }
  // Null when any key on the path is missing.
  const RegistryKey* Find(RegistryRoot root, const std::vector<std::wstring>& path) const;
  RegistryKey* Find(RegistryRoot root, const std::vector<std::wstring>& path);

  std::array<RegistryKey, kRegistryRootCount> roots;
  friend bool operator==(const RegistryTree&, const RegistryTree&) = default;
};

// Parses a whole file. On failure `error` says "LINE: what is wrong" and `tree` is left empty.
// A file without any text is an empty registry.
bool ParseRegistryText(std::string_view bytes, RegistryTree* tree, std::string* error);
std::string SerializeRegistry(const RegistryTree& tree);

}  // namespace pw
