// Parsing and writing the registry export format.
#include "platform/win/registry_format.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <utility>

#include "platform/com/strings.h"

namespace pw {
namespace {

constexpr std::wstring_view kHeader = L"Windows Registry Editor Version 5.00";
constexpr std::array<std::wstring_view, kRegistryRootCount> kRootNames = {
    L"HKEY_CLASSES_ROOT", L"HKEY_CURRENT_USER", L"HKEY_LOCAL_MACHINE"};
// Long hex values are wrapped as exports wrap them, so that the file stays readable.
constexpr std::size_t kHexLineLimit = 80;

template <typename Entries>
auto LowerBoundByName(Entries& entries, std::wstring_view name) {
  return std::lower_bound(entries.begin(), entries.end(), name,
                          [](const auto& entry, std::wstring_view wanted) {
                            return CompareIgnoreCase(entry.name, wanted) < 0;
                          });
}

template <typename Entries>
auto FindByName(Entries& entries, std::wstring_view name) {
  auto found = LowerBoundByName(entries, name);
  if (found != entries.end() && CompareIgnoreCase(found->name, name) != 0) return entries.end();
  return found;
}

// ---- Values and their byte forms ----

std::string LittleEndian(ULONGLONG number, std::size_t size) {
  std::string bytes;
  for (std::size_t i = 0; i < size; ++i) bytes += static_cast<char>((number >> (8 * i)) & 0xFF);
  return bytes;
}

ULONGLONG FromLittleEndian(std::string_view bytes) {
  ULONGLONG number = 0;
  for (std::size_t i = bytes.size(); i > 0; --i) {
    number = (number << 8) | static_cast<unsigned char>(bytes[i - 1]);
  }
  return number;
}

std::string StringBytes(std::wstring_view text) { return ToUtf16Le(text) + std::string(2, '\0'); }

std::wstring TextFromBytes(std::string_view bytes) {
  std::wstring text = FromUtf16Le(bytes);
  if (!text.empty() && text.back() == L'\0') text.pop_back();
  return text;
}

// Each string ends with a NUL and the list with one more, so an empty list is a single NUL.
std::string MultiStringBytes(const std::vector<std::wstring>& strings) {
  std::wstring text;
  for (const std::wstring& s : strings) {
    text += s;
    text += L'\0';
  }
  text += L'\0';
  return ToUtf16Le(text);
}

std::vector<std::wstring> MultiStringsFromBytes(std::string_view bytes) {
  std::wstring text = FromUtf16Le(bytes);
  if (!text.empty() && text.back() == L'\0') text.pop_back();
  std::vector<std::wstring> strings;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find(L'\0', start);
    if (end == std::wstring::npos) end = text.size();
    strings.emplace_back(text.substr(start, end - start));
    start = end + 1;
  }
  return strings;
}

// ---- Parsing ----

struct ParseError {
  std::size_t line;
  std::string message;
};

std::string Quoted(std::wstring_view text) {
  constexpr std::size_t kShown = 40;
  std::string shown = ToUtf8(text.substr(0, kShown));
  if (text.size() > kShown) shown += "...";
  return "\"" + shown + "\"";
}

bool IsHexDigit(wchar_t c) {
  return (c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'f') || (c >= L'A' && c <= L'F');
}

unsigned HexDigitValue(wchar_t c) {
  if (c >= L'0' && c <= L'9') return static_cast<unsigned>(c - L'0');
  if (c >= L'a' && c <= L'f') return static_cast<unsigned>(c - L'a' + 10);
  return static_cast<unsigned>(c - L'A' + 10);
}

std::optional<std::uint32_t> ParseHexNumber(std::wstring_view digits) {
  if (digits.empty() || digits.size() > 8) return std::nullopt;
  std::uint32_t number = 0;
  for (wchar_t c : digits) {
    if (!IsHexDigit(c)) return std::nullopt;
    number = (number << 4) | HexDigitValue(c);
  }
  return number;
}

bool StartsWithIgnoreCase(std::wstring_view text, std::wstring_view prefix) {
  return text.size() >= prefix.size() && EqualsIgnoreCase(text.substr(0, prefix.size()), prefix);
}

class Parser {
 public:
  explicit Parser(std::wstring_view text) {
    std::size_t start = 0;
    while (start <= text.size()) {
      std::size_t end = text.find(L'\n', start);
      if (end == std::wstring_view::npos) end = text.size();
      std::wstring_view line = text.substr(start, end - start);
      if (!line.empty() && line.back() == L'\r') line.remove_suffix(1);
      lines_.push_back(line);
      start = end + 1;
    }
  }

  std::optional<ParseError> Run(RegistryTree* tree) {
    const bool blank = std::all_of(lines_.begin(), lines_.end(),
                                   [](std::wstring_view line) { return Trim(line).empty(); });
    if (blank) return std::nullopt;
    if (Trim(lines_[0]) != kHeader) {
      return ParseError{1, "missing header \"" + ToUtf8(kHeader) + "\""};
    }
    RegistryKey* current = nullptr;
    for (index_ = 1; index_ < lines_.size(); ++index_) {
      const std::wstring_view line = Trim(lines_[index_]);
      if (line.empty() || line.front() == L';') continue;
      if (line.front() == L'[') {
        if (auto error = ParseKeyLine(line, tree, &current)) return error;
      } else if (line.front() == L'"' || line.front() == L'@') {
        if (current == nullptr) return Error("value outside a key");
        if (auto error = ParseValueLine(line, current)) return error;
      } else {
        return Error("unexpected line " + Quoted(line));
      }
    }
    return std::nullopt;
  }

 private:
  ParseError Error(std::string message) const { return ParseError{index_ + 1, std::move(message)}; }

  std::optional<ParseError> ParseKeyLine(std::wstring_view line, RegistryTree* tree,
                                         RegistryKey** current) {
    if (line.size() < 2 || line.back() != L']') return Error("key line without closing ']'");
    const std::wstring_view path = line.substr(1, line.size() - 2);
    if (!path.empty() && path.front() == L'-') return Error("deletion entries are not supported");
    const std::size_t root_end = std::min(path.find(L'\\'), path.size());
    const std::wstring_view root_name = path.substr(0, root_end);
    const auto root = std::find_if(kRootNames.begin(), kRootNames.end(), [&](std::wstring_view n) {
      return EqualsIgnoreCase(n, root_name);
    });
    if (root == kRootNames.end()) return Error("unknown root key " + Quoted(root_name));
    RegistryKey* key = &tree->roots[static_cast<std::size_t>(root - kRootNames.begin())];
    std::size_t depth = 0;
    std::size_t start = root_end;
    while (start < path.size()) {
      std::size_t end = path.find(L'\\', start + 1);
      if (end == std::wstring_view::npos) end = path.size();
      const std::wstring_view name = path.substr(start + 1, end - start - 1);
      start = end;
      if (name.empty()) continue;
      if (++depth > kMaxRegistryKeyDepth) return Error("key nested deeper than 512 levels");
      key = &key->AddSubkey(name);
    }
    *current = key;
    return std::nullopt;
  }

  // A quoted name or text starting at `*pos` (on the opening quote); `*pos` ends after the
  // closing quote. Beyond the \\ and \" of exports, \n \r and \0 stand for characters that a
  // value name could not hold otherwise; any other backslash is taken as it stands.
  std::optional<ParseError> ParseQuoted(std::wstring_view line, std::size_t* pos,
                                        std::wstring* text) {
    text->clear();
    std::size_t i = *pos + 1;
    while (i < line.size()) {
      const wchar_t c = line[i];
      if (c == L'"') {
        *pos = i + 1;
        return std::nullopt;
      }
      if (c == L'\\' && i + 1 < line.size()) {
        const wchar_t next = line[i + 1];
        switch (next) {
          case L'\\':
          case L'"':
            *text += next;
            i += 2;
            continue;
          case L'n':
            *text += L'\n';
            i += 2;
            continue;
          case L'r':
            *text += L'\r';
            i += 2;
            continue;
          case L'0':
            *text += L'\0';
            i += 2;
            continue;
          default:
            break;
        }
      }
      *text += c;
      ++i;
    }
    return Error("unterminated string");
  }

  std::optional<ParseError> ParseValueLine(std::wstring_view line, RegistryKey* key) {
    std::wstring name;
    std::size_t pos = 0;
    if (line.front() == L'@') {
      pos = 1;
    } else if (auto error = ParseQuoted(line, &pos, &name)) {
      return error;
    }
    std::wstring_view rest = Trim(line.substr(pos));
    if (rest.empty() || rest.front() != L'=') return Error("expected '=' after the value name");
    rest = Trim(rest.substr(1));

    RegValue value;
    if (!rest.empty() && rest.front() == L'"') {
      std::size_t end = 0;
      std::wstring text;
      if (auto error = ParseQuoted(rest, &end, &text)) return error;
      if (!Trim(rest.substr(end)).empty()) {
        return Error("unexpected text after the value " + Quoted(rest.substr(end)));
      }
      value = RegValue::String(text);
    } else if (rest == L"-") {
      return Error("deletion entries are not supported");
    } else if (StartsWithIgnoreCase(rest, L"dword:")) {
      const auto number = ParseHexNumber(rest.substr(6));
      if (!number) return Error("bad dword value " + Quoted(rest.substr(6)));
      value = RegValue::Dword(*number);
    } else if (StartsWithIgnoreCase(rest, L"hex")) {
      if (auto error = ParseHexValue(rest.substr(3), &value)) return error;
    } else {
      return Error("unknown value data " + Quoted(rest));
    }
    key->SetValue(name, std::move(value));
    return std::nullopt;
  }

  // `rest` follows "hex": either ":" or "(TYPE):", then bytes, continued over lines that end
  // with a backslash.
  std::optional<ParseError> ParseHexValue(std::wstring_view rest, RegValue* value) {
    DWORD type = REG_BINARY;
    if (!rest.empty() && rest.front() == L'(') {
      const std::size_t close = rest.find(L')');
      const auto number = close == std::wstring_view::npos
                              ? std::nullopt
                              : ParseHexNumber(rest.substr(1, close - 1));
      if (!number) return Error("bad value type " + Quoted(rest));
      type = *number;
      rest.remove_prefix(close + 1);
    }
    if (rest.empty() || rest.front() != L':') return Error("bad value type " + Quoted(rest));
    rest.remove_prefix(1);

    std::string bytes;
    const std::size_t first_line = index_;
    for (;;) {
      rest = Trim(rest);
      const bool continues = !rest.empty() && rest.back() == L'\\';
      if (continues) rest = Trim(rest.substr(0, rest.size() - 1));
      if (auto error = ParseHexBytes(rest, continues, &bytes)) return error;
      if (!continues) break;
      if (index_ + 1 >= lines_.size() || Trim(lines_[index_ + 1]).empty()) {
        return Error("line continuation without a following line");
      }
      rest = lines_[++index_];
    }

    const auto size_error = [&](const char* what, std::size_t wanted) {
      return ParseError{first_line + 1, std::string(what) + " needs " + std::to_string(wanted) +
                                            " bytes, not " + std::to_string(bytes.size())};
    };
    switch (type) {
      case REG_SZ:
      case REG_EXPAND_SZ:
        *value = RegValue::String(TextFromBytes(bytes), type);
        break;
      case REG_MULTI_SZ:
        value->type = REG_MULTI_SZ;
        value->strings = MultiStringsFromBytes(bytes);
        break;
      case REG_DWORD:
        if (bytes.size() != 4) return size_error("a REG_DWORD value", 4);
        *value = RegValue::Dword(static_cast<DWORD>(FromLittleEndian(bytes)));
        break;
      case REG_QWORD:
        if (bytes.size() != 8) return size_error("a REG_QWORD value", 8);
        value->type = REG_QWORD;
        value->number = FromLittleEndian(bytes);
        break;
      default:
        value->type = type;
        value->bytes = std::move(bytes);
        break;
    }
    return std::nullopt;
  }

  // One line's share of a byte list. A comma may end a line that continues.
  std::optional<ParseError> ParseHexBytes(std::wstring_view list, bool continues,
                                          std::string* bytes) {
    if (list.empty()) return std::nullopt;
    std::size_t start = 0;
    for (;;) {
      std::size_t comma = list.find(L',', start);
      const bool last = comma == std::wstring_view::npos;
      if (last) comma = list.size();
      const std::wstring_view token = Trim(list.substr(start, comma - start));
      if (token.empty()) {
        if (last && continues && start > 0) return std::nullopt;
        return Error("missing hex byte");
      }
      if (token.size() > 2 || !std::all_of(token.begin(), token.end(), IsHexDigit)) {
        return Error("bad hex byte " + Quoted(token));
      }
      unsigned byte = 0;
      for (wchar_t c : token) byte = (byte << 4) | HexDigitValue(c);
      *bytes += static_cast<char>(byte);
      if (last) return std::nullopt;
      start = comma + 1;
    }
  }

  std::vector<std::wstring_view> lines_;
  std::size_t index_ = 0;
};

// ---- Writing ----

bool FitsBetweenQuotes(std::wstring_view text) {
  return text.find_first_of(std::wstring_view(L"\n\r\0", 3)) == std::wstring_view::npos;
}

void AppendQuoted(std::string& out, std::wstring_view text) {
  std::wstring escaped = L"\"";
  for (wchar_t c : text) {
    switch (c) {
      case L'\\':
        escaped += L"\\\\";
        break;
      case L'"':
        escaped += L"\\\"";
        break;
      case L'\n':
        escaped += L"\\n";
        break;
      case L'\r':
        escaped += L"\\r";
        break;
      case L'\0':
        escaped += L"\\0";
        break;
      default:
        escaped += c;
    }
  }
  escaped += L'"';
  out += ToUtf8(escaped);
}

std::string HexType(DWORD type) {
  if (type == REG_BINARY) return "hex:";
  char buffer[16];
  std::snprintf(buffer, sizeof(buffer), "hex(%x):", static_cast<unsigned>(type));
  return buffer;
}

void AppendHex(std::string& out, std::string line, std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    const char digits[2] = {kDigits[byte >> 4], kDigits[byte & 0x0F]};
    if (i > 0) {
      // Room for ",xx" and a closing ",\" must remain.
      if (line.size() + 5 > kHexLineLimit) {
        out += line;
        out += ",\\\n";
        line = "  ";
      } else {
        line += ',';
      }
    }
    line.append(digits, 2);
  }
  out += line;
  out += '\n';
}

void AppendValue(std::string& out, const RegistryValueEntry& entry) {
  std::string line;
  if (entry.name.empty()) {
    line = "@";
  } else {
    AppendQuoted(line, entry.name);
  }
  line += '=';
  const RegValue& value = entry.value;
  switch (value.type) {
    case REG_SZ:
      if (FitsBetweenQuotes(value.text)) {
        AppendQuoted(line, value.text);
        out += line;
        out += '\n';
      } else {
        AppendHex(out, line + HexType(REG_SZ), StringBytes(value.text));
      }
      break;
    case REG_EXPAND_SZ:
      AppendHex(out, line + HexType(REG_EXPAND_SZ), StringBytes(value.text));
      break;
    case REG_DWORD: {
      char buffer[16];
      std::snprintf(buffer, sizeof(buffer), "dword:%08x", static_cast<unsigned>(value.number));
      out += line + buffer + "\n";
      break;
    }
    case REG_QWORD:
      AppendHex(out, line + HexType(REG_QWORD), LittleEndian(value.number, 8));
      break;
    case REG_MULTI_SZ:
      AppendHex(out, line + HexType(REG_MULTI_SZ), MultiStringBytes(value.strings));
      break;
    default:
      AppendHex(out, line + HexType(value.type), value.bytes);
      break;
  }
}

void AppendKey(std::string& out, const RegistryKey& key, std::wstring& path, bool is_root) {
  if (!is_root || !key.values.empty()) {
    out += '[';
    out += ToUtf8(path);
    out += "]\n";
    for (const RegistryValueEntry& entry : key.values) AppendValue(out, entry);
    out += '\n';
  }
  for (const RegistryKey& subkey : key.subkeys) {
    const std::size_t length = path.size();
    path += L'\\';
    path += subkey.name;
    AppendKey(out, subkey, path, false);
    path.resize(length);
  }
}

}  // namespace

// ---- The tree ----

const RegistryKey* RegistryKey::FindSubkey(std::wstring_view subkey_name) const {
  const auto found = FindByName(subkeys, subkey_name);
  return found == subkeys.end() ? nullptr : &*found;
}

RegistryKey* RegistryKey::FindSubkey(std::wstring_view subkey_name) {
  const auto found = FindByName(subkeys, subkey_name);
  return found == subkeys.end() ? nullptr : &*found;
}

RegistryKey& RegistryKey::AddSubkey(std::wstring_view subkey_name, bool* created) {
  auto position = LowerBoundByName(subkeys, subkey_name);
  const bool exists =
      position != subkeys.end() && CompareIgnoreCase(position->name, subkey_name) == 0;
  if (created != nullptr) *created = !exists;
  if (exists) return *position;
  RegistryKey key;
  key.name = subkey_name;
  return *subkeys.insert(position, std::move(key));
}

bool RegistryKey::RemoveSubkey(std::wstring_view subkey_name) {
  const auto found = FindByName(subkeys, subkey_name);
  if (found == subkeys.end()) return false;
  subkeys.erase(found);
  return true;
}

const RegValue* RegistryKey::FindValue(std::wstring_view value_name) const {
  const auto found = FindByName(values, value_name);
  return found == values.end() ? nullptr : &found->value;
}

void RegistryKey::SetValue(std::wstring_view value_name, RegValue value) {
  auto position = LowerBoundByName(values, value_name);
  if (position != values.end() && CompareIgnoreCase(position->name, value_name) == 0) {
    position->value = std::move(value);
    return;
  }
  values.insert(position, RegistryValueEntry{std::wstring(value_name), std::move(value)});
}

bool RegistryKey::RemoveValue(std::wstring_view value_name) {
  const auto found = FindByName(values, value_name);
  if (found == values.end()) return false;
  values.erase(found);
  return true;
}

std::wstring_view RegistryRootName(RegistryRoot root) {
  return kRootNames[static_cast<std::size_t>(root)];
}

RegistryTree::RegistryTree() {
  for (std::size_t i = 0; i < kRegistryRootCount; ++i) roots[i].name = kRootNames[i];
}

const RegistryKey* RegistryTree::Find(RegistryRoot root,
                                      const std::vector<std::wstring>& path) const {
  const RegistryKey* key = &Root(root);
  for (const std::wstring& name : path) {
    key = key->FindSubkey(name);
    if (key == nullptr) return nullptr;
  }
  return key;
}

RegistryKey* RegistryTree::Find(RegistryRoot root, const std::vector<std::wstring>& path) {
  return const_cast<RegistryKey*>(std::as_const(*this).Find(root, path));
}

bool ParseRegistryText(std::string_view bytes, RegistryTree* tree, std::string* error) {
  *tree = RegistryTree();
  const std::wstring text = DecodeText(bytes);
  Parser parser(text);
  if (auto failure = parser.Run(tree)) {
    *tree = RegistryTree();
    if (error != nullptr) *error = std::to_string(failure->line) + ": " + failure->message;
    return false;
  }
  if (error != nullptr) error->clear();
  return true;
}

std::string SerializeRegistry(const RegistryTree& tree) {
  std::string out = ToUtf8(kHeader);
  out += "\n\n";
  std::wstring path;
  for (const RegistryKey& root : tree.roots) {
    path = root.name;
    AppendKey(out, root, path, true);
  }
  return out;
}

}  // namespace pw
