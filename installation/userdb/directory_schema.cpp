// The mapping of the user database onto an LDAP directory.
#include "installation/userdb/directory_schema.h"

#include <cstdio>

#include "platform/com/strings.h"

namespace pw::userdb {
namespace {

bool HasClass(const std::vector<std::wstring>& classes, const char* wanted) {
  const std::wstring name = FromUtf8(wanted);
  for (const std::wstring& item : classes) {
    if (EqualsIgnoreCase(item, name)) return true;
  }
  return false;
}

template <std::size_t N>
bool HasAnyClass(const std::vector<std::wstring>& classes, const char* const (&wanted)[N]) {
  for (const char* name : wanted) {
    if (HasClass(classes, name)) return true;
  }
  return false;
}

void AppendClassTerms(std::string* filter, const char* const* names, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) *filter += std::string("(objectClass=") + names[i] + ")";
}

std::string HexByte(unsigned value) {
  char text[4];
  std::snprintf(text, sizeof text, "\\%02x", value & 0xFFu);
  return text;
}

// The 16 bytes of `guid` in the Windows memory order.
std::string GuidBytes(const GUID& guid) {
  std::string bytes;
  for (int i = 0; i < 4; ++i) bytes += static_cast<char>(guid.Data1 >> (8 * i));
  for (int i = 0; i < 2; ++i) bytes += static_cast<char>(guid.Data2 >> (8 * i));
  for (int i = 0; i < 2; ++i) bytes += static_cast<char>(guid.Data3 >> (8 * i));
  for (const BYTE byte : guid.Data4) bytes += static_cast<char>(byte);
  return bytes;
}

}  // namespace

std::wstring ObjectTypeOfClasses(const std::vector<std::wstring>& classes) {
  if (HasClass(classes, kMailboxAgentClass)) return L"mailboxagent";
  if (HasAnyClass(classes, kGroupClasses)) return L"group";
  if (HasAnyClass(classes, kUserClasses)) return L"user";
  return L"";
}

std::string ObjectClassFilter(std::wstring_view type) {
  std::string filter = "(|";
  if (type.empty() || type == L"user") {
    AppendClassTerms(&filter, kUserClasses, std::size(kUserClasses));
  }
  if (type.empty() || type == L"group") {
    AppendClassTerms(&filter, kGroupClasses, std::size(kGroupClasses));
  }
  // A mailbox agent carries person classes too: users are looked at for it as well.
  if (type.empty() || type == L"mailboxagent") {
    AppendClassTerms(&filter, &kMailboxAgentClass, 1);
  }
  return filter + ")";
}

std::string EscapeFilterValue(std::string_view value) {
  std::string escaped;
  for (const char c : value) {
    if (c == '*' || c == '(' || c == ')' || c == '\\' || c == '\0') {
      escaped += HexByte(static_cast<unsigned char>(c));
    } else {
      escaped += c;
    }
  }
  return escaped;
}

std::optional<GUID> GuidFromObjectGuid(std::string_view bytes) {
  if (bytes.size() != 16) return std::nullopt;
  const auto byte = [&](std::size_t i) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i]));
  };
  GUID guid;
  guid.Data1 = byte(0) | byte(1) << 8 | byte(2) << 16 | byte(3) << 24;
  guid.Data2 = static_cast<WORD>(byte(4) | byte(5) << 8);
  guid.Data3 = static_cast<WORD>(byte(6) | byte(7) << 8);
  for (std::size_t i = 0; i < 8; ++i) guid.Data4[i] = static_cast<BYTE>(byte(8 + i));
  return guid;
}

std::string ObjectGuidFilterValue(const GUID& guid) {
  std::string escaped;
  for (const char c : GuidBytes(guid)) escaped += HexByte(static_cast<unsigned char>(c));
  return escaped;
}

std::optional<GUID> GuidFromEntryUuid(std::string_view text) {
  // The braced form is the registry's, never a directory value.
  if (text.size() != 36) return std::nullopt;
  return ParseGuid(text);
}

std::string EntryUuidText(const GUID& guid) {
  const std::string braced = GuidToNarrowString(guid);
  std::string text = braced.substr(1, braced.size() - 2);
  for (char& c : text) {
    if (c >= 'A' && c <= 'F') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

const char* LoginAttribute(DirectoryKind kind) {
  return kind == DirectoryKind::kActiveDirectory ? "sAMAccountName" : "uid";
}

std::wstring_view AccountOfLogin(std::wstring_view login) {
  const std::size_t slash = login.rfind(L'\\');
  return slash == std::wstring_view::npos ? login : login.substr(slash + 1);
}

bool IsUtf8(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = 0;
    std::uint32_t code = 0;
    if (lead < 0x80) {
      ++i;
      continue;
    } else if ((lead & 0xE0) == 0xC0) {
      length = 2;
      code = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
      length = 3;
      code = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
      length = 4;
      code = lead & 0x07;
    } else {
      return false;
    }
    if (i + length > text.size()) return false;
    for (std::size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      code = code << 6 | (next & 0x3F);
    }
    // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
    constexpr std::uint32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < kSmallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
      return false;
    }
    i += length;
  }
  return true;
}

}  // namespace pw::userdb
