// Reading of the resource header and of resource scripts (string tables, bitmaps, icons).
#include "tools/pwrc/script.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <string_view>

namespace pwrc {
namespace {

constexpr std::uint32_t kMaxResourceId = 0xFFFF;

bool IsNameStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool IsNameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v'; }

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// A decimal or 0x-hexadecimal number making up all of `text`, below 2^32.
std::optional<std::uint32_t> ParseNumber(std::string_view text) {
  int base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text.remove_prefix(2);
  }
  if (text.empty()) return std::nullopt;
  std::uint64_t value = 0;
  for (char c : text) {
    const int digit = HexValue(c);
    if (digit < 0 || digit >= base) return std::nullopt;
    value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
    if (value > 0xFFFFFFFFu) return std::nullopt;
  }
  return static_cast<std::uint32_t>(value);
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && (IsBlank(text.front()) || text.front() == '\n')) text.remove_prefix(1);
  while (!text.empty() && (IsBlank(text.back()) || text.back() == '\n')) text.remove_suffix(1);
  return text;
}

// Splits off the leading name of `text`; empty when it does not start with one.
std::string_view TakeName(std::string_view* text) {
  std::size_t length = 0;
  if (!text->empty() && IsNameStart(text->front())) {
    while (length < text->size() && IsNameChar((*text)[length])) ++length;
  }
  const std::string_view name = text->substr(0, length);
  *text = TrimBlanks(text->substr(length));
  return name;
}

bool TakeWord(std::string_view* text, std::string_view word) {
  std::string_view rest = *text;
  if (TakeName(&rest) != word) return false;
  *text = rest;
  return true;
}

using Token = ScriptToken;

std::string Upper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper;
}

std::string Hex(std::uint32_t value, int digits) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text(static_cast<std::size_t>(digits), '0');
  for (int i = digits - 1; i >= 0; --i, value >>= 4) {
    text[static_cast<std::size_t>(i)] = kDigits[value & 0xF];
  }
  return text;
}

// Splits a script into tokens. Errors end the scan: Next() then answers kEnd and failed()
// is true.
class Lexer : public TokenStream {
 public:
  Lexer(std::string path, std::string_view source, Diagnostics& diagnostics)
      : path_(std::move(path)), source_(source), diagnostics_(diagnostics) {
    if (source_.starts_with("\xEF\xBB\xBF")) position_ = 3;
  }

  bool failed() const override { return failed_; }

  const Token& Peek() override {
    if (!peeked_) {
      peeked_ = Scan();
    }
    return *peeked_;
  }

  Token Next() override {
    Token token = Peek();
    peeked_.reset();
    return token;
  }

  void Fail(int line, const std::string& message) override {
    if (failed_) return;
    diagnostics_.Error(path_, line, message);
    failed_ = true;
  }

 private:
  bool AtEnd() const { return position_ >= source_.size(); }
  char Current() const { return source_[position_]; }
  char Ahead(std::size_t n) const {
    return position_ + n < source_.size() ? source_[position_ + n] : '\0';
  }

  // Skips blanks, line ends, comments and the preprocessor lines that may stand in a script.
  bool SkipSpace() {
    while (!AtEnd()) {
      const char c = Current();
      if (c == '\n') {
        ++line_;
        ++position_;
        at_line_start_ = true;
      } else if (IsBlank(c)) {
        ++position_;
      } else if (c == '/' && Ahead(1) == '/') {
        while (!AtEnd() && Current() != '\n') ++position_;
      } else if (c == '/' && Ahead(1) == '*') {
        const int start = line_;
        position_ += 2;
        while (!AtEnd() && !(Current() == '*' && Ahead(1) == '/')) {
          if (Current() == '\n') ++line_;
          ++position_;
        }
        if (AtEnd()) {
          Fail(start, "unterminated comment");
          return false;
        }
        position_ += 2;
      } else if (c == '#' && at_line_start_) {
        const std::size_t end = source_.find('\n', position_);
        std::string_view directive = source_.substr(
            position_ + 1, end == std::string_view::npos ? end : end - position_ - 1);
        directive = TrimBlanks(directive);
        const std::string_view keyword = TakeName(&directive);
        // A script may include its header as the Windows tools expect; the ids come from
        // --header all the same.
        if (keyword != "include" && keyword != "pragma") {
          Fail(line_, "unsupported directive #" + std::string(keyword));
          return false;
        }
        position_ = end == std::string_view::npos ? source_.size() : end;
      } else {
        return true;
      }
    }
    return true;
  }

  Token Scan() {
    Token token;
    if (failed_ || !SkipSpace() || AtEnd()) {
      token.line = line_;
      return token;
    }
    at_line_start_ = false;
    token.line = line_;
    const char c = Current();
    if (c == '"' || (c == 'L' && Ahead(1) == '"')) {
      if (c == 'L') ++position_;
      token.kind = Token::Kind::kString;
      if (!ScanString(&token.value)) token.kind = Token::Kind::kEnd;
      return token;
    }
    if (IsNameStart(c)) {
      token.kind = Token::Kind::kName;
      while (!AtEnd() && IsNameChar(Current())) token.text += source_[position_++];
      return token;
    }
    if (std::isdigit(static_cast<unsigned char>(c))) {
      token.kind = Token::Kind::kNumber;
      while (!AtEnd() && IsNameChar(Current())) token.text += source_[position_++];
      return token;
    }
    // '|', '-' and parentheses belong to the style expressions and coordinates of dialogs.
    if (c == '{' || c == '}' || c == ',' || c == '|' || c == '-' || c == '(' || c == ')') {
      token.kind = Token::Kind::kPunctuation;
      token.text = std::string(1, c);
      ++position_;
      return token;
    }
    if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x7F) {
      Fail(line_, "unexpected character 0x" + Hex(static_cast<unsigned char>(c), 2));
    } else {
      Fail(line_, std::string("unexpected character '") + c + "'");
    }
    token.line = line_;
    return token;
  }

  // Decodes one UTF-8 character at the position; false for a malformed sequence.
  bool DecodeUtf8(char32_t* code_point) {
    const auto lead = static_cast<unsigned char>(Current());
    int length = 0;
    char32_t value = 0;
    if (lead < 0x80) {
      length = 1;
      value = lead;
    } else if ((lead & 0xE0) == 0xC0) {
      length = 2;
      value = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
      length = 3;
      value = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
      length = 4;
      value = lead & 0x07;
    } else {
      return false;
    }
    if (position_ + static_cast<std::size_t>(length) > source_.size()) return false;
    for (int i = 1; i < length; ++i) {
      const auto next =
          static_cast<unsigned char>(source_[position_ + static_cast<std::size_t>(i)]);
      if ((next & 0xC0) != 0x80) return false;
      value = (value << 6) | (next & 0x3F);
    }
    static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (value < kSmallest[length] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
      return false;
    }
    position_ += static_cast<std::size_t>(length);
    *code_point = value;
    return true;
  }

  // Reads a string literal from its opening quote; a line end before the closing quote is
  // an error, as the Windows tools treat it.
  bool ScanString(std::u32string* value) {
    const int start = line_;
    ++position_;
    while (true) {
      if (AtEnd() || Current() == '\n') {
        Fail(start, "unterminated string");
        return false;
      }
      const char c = Current();
      if (c == '"') {
        if (Ahead(1) == '"') {
          *value += U'"';
          position_ += 2;
          continue;
        }
        ++position_;
        return true;
      }
      if (c == '\\') {
        if (!ScanEscape(value)) return false;
        continue;
      }
      char32_t code_point = 0;
      if (!DecodeUtf8(&code_point)) {
        Fail(line_, "invalid UTF-8 in string");
        return false;
      }
      *value += code_point;
    }
  }

  bool ScanEscape(std::u32string* value) {
    const char kind = Ahead(1);
    position_ += 2;
    switch (kind) {
      case 'n':
        *value += U'\n';
        return true;
      case 't':
        *value += U'\t';
        return true;
      case 'r':
        *value += U'\r';
        return true;
      case '\\':
        *value += U'\\';
        return true;
      case '"':
        *value += U'"';
        return true;
      case 'x': {
        char32_t code = 0;
        int digits = 0;
        while (digits < 4 && !AtEnd() && HexValue(Current()) >= 0) {
          code = code * 16 + static_cast<char32_t>(HexValue(Current()));
          ++position_;
          ++digits;
        }
        if (digits == 0) {
          Fail(line_, "\\x without hexadecimal digits");
          return false;
        }
        *value += code;
        return true;
      }
      default:
        if (kind == '\n' || kind == '\0') {
          Fail(line_, "unterminated string");
        } else {
          Fail(line_, std::string("unknown escape sequence \\") + kind);
        }
        return false;
    }
  }

  std::string path_;
  std::string_view source_;
  Diagnostics& diagnostics_;
  std::size_t position_ = 0;
  int line_ = 1;
  bool at_line_start_ = true;
  bool failed_ = false;
  std::optional<Token> peeked_;
};

class Parser {
 public:
  Parser(Script* script, ScriptKind kind, const IdTable& ids, std::string_view source,
         Diagnostics& diagnostics)
      : script_(script),
        kind_(kind),
        ids_(ids),
        lexer_(script->path, source, diagnostics),
        diagnostics_(diagnostics) {}

  void Run() {
    while (!lexer_.failed()) {
      const Token token = lexer_.Next();
      if (token.kind == Token::Kind::kEnd) return;
      if (token.kind == Token::Kind::kName && Upper(token.text) == "STRINGTABLE") {
        if (kind_ == ScriptKind::kNeutral) {
          lexer_.Fail(token.line, "string tables belong in a language script");
          return;
        }
        StringTable();
      } else if (token.kind == Token::Kind::kName || token.kind == Token::Kind::kNumber) {
        Resource(token);
      } else {
        Unexpected(token);
      }
    }
  }

 private:
  void Unexpected(const Token& token) {
    if (token.kind == Token::Kind::kString) {
      lexer_.Fail(token.line, "unexpected string");
    } else if (token.kind != Token::Kind::kEnd) {
      lexer_.Fail(token.line, "unexpected '" + token.text + "'");
    }
  }

  // The id a name or number stands for; nullopt (reported) when it has none.
  std::optional<std::uint32_t> ResolveId(const Token& token) {
    std::optional<std::uint32_t> id;
    if (token.kind == Token::Kind::kNumber) {
      id = ParseNumber(token.text);
      if (!id) {
        diagnostics_.Error(script_->path, token.line, "bad number " + token.text);
        return std::nullopt;
      }
    } else {
      const auto found = ids_.by_name.find(token.text);
      if (found == ids_.by_name.end()) {
        diagnostics_.Error(script_->path, token.line, "unknown id name " + token.text);
        return std::nullopt;
      }
      id = found->second;
    }
    if (*id > kMaxResourceId) {
      const std::string shown = token.kind == Token::Kind::kNumber
                                    ? token.text
                                    : token.text + " = " + std::to_string(*id);
      diagnostics_.Error(script_->path, token.line,
                         "id " + shown + " is out of range (0 to 65535)");
      return std::nullopt;
    }
    return id;
  }

  void StringTable() {
    // Memory flags of 16-bit Windows may still stand before BEGIN; they mean nothing now.
    static constexpr std::string_view kFlags[] = {
        "DISCARDABLE", "PRELOAD", "LOADONCALL", "MOVEABLE", "FIXED", "PURE", "IMPURE"};
    Token open = lexer_.Next();
    while (open.kind == Token::Kind::kName &&
           std::find(std::begin(kFlags), std::end(kFlags), Upper(open.text)) != std::end(kFlags)) {
      open = lexer_.Next();
    }
    if (!IsOpen(open)) {
      if (!lexer_.failed()) lexer_.Fail(open.line, "expected BEGIN after STRINGTABLE");
      return;
    }
    std::map<std::uint32_t, int> first_line;
    for (const StringEntry& entry : script_->strings) first_line.emplace(entry.id, entry.line);
    while (true) {
      const Token token = lexer_.Next();
      if (lexer_.failed()) return;
      if (token.kind == Token::Kind::kEnd) {
        lexer_.Fail(token.line, "STRINGTABLE without END");
        return;
      }
      if (IsClose(token)) {
        script_->last_table_end = token.line;
        return;
      }
      if (token.kind != Token::Kind::kName && token.kind != Token::Kind::kNumber) {
        Unexpected(token);
        return;
      }
      if (lexer_.Peek().kind == Token::Kind::kPunctuation && lexer_.Peek().text == ",") {
        lexer_.Next();
      }
      if (lexer_.Peek().kind != Token::Kind::kString) {
        if (!lexer_.failed()) {
          lexer_.Fail(lexer_.Peek().line, "expected a string after " + token.text);
        }
        return;
      }
      StringEntry entry;
      entry.line = token.line;
      while (lexer_.Peek().kind == Token::Kind::kString) entry.text += lexer_.Next().value;
      if (lexer_.failed()) return;
      const std::optional<std::uint32_t> id = ResolveId(token);
      if (!id) continue;
      entry.id = *id;
      const auto [previous, inserted] = first_line.emplace(entry.id, entry.line);
      if (!inserted) {
        diagnostics_.Error(script_->path, token.line,
                           "duplicate string id " + token.text + " (first defined on line " +
                               std::to_string(previous->second) + ")");
        continue;
      }
      script_->strings.push_back(std::move(entry));
    }
  }

  // `ID BITMAP "file"`, `ID ICON "file"` or `ID DIALOGEX x, y, cx, cy … BEGIN … END`.
  void Resource(const Token& id_token) {
    const Token type = lexer_.Next();
    if (lexer_.failed()) return;
    const std::string type_name = type.kind == Token::Kind::kName ? Upper(type.text) : "";
    if (type_name == "DIALOGEX" || type_name == "DIALOG") {
      Dialog(id_token);
      return;
    }
    if (type_name != "BITMAP" && type_name != "ICON") {
      if (type.kind == Token::Kind::kName) {
        lexer_.Fail(type.line, "unsupported resource type " + type.text);
      } else {
        lexer_.Fail(id_token.line, "unexpected '" + id_token.text + "'");
      }
      return;
    }
    const Token file = lexer_.Next();
    if (file.kind != Token::Kind::kString) {
      if (!lexer_.failed()) lexer_.Fail(file.line, "expected a file name after " + type.text);
      return;
    }
    if (kind_ == ScriptKind::kLanguage) {
      lexer_.Fail(id_token.line, "images belong in the neutral script");
      return;
    }
    const std::optional<std::uint32_t> id = ResolveId(id_token);
    if (!id) return;
    ImageEntry entry;
    entry.id = *id;
    entry.kind = type_name == "BITMAP" ? ImageKind::kBitmap : ImageKind::kIcon;
    entry.line = id_token.line;
    for (char32_t c : file.value) {
      if (c >= 0x80) {
        diagnostics_.Error(script_->path, file.line, "image file names must be ASCII");
        return;
      }
      entry.path += static_cast<char>(c);
    }
    for (const ImageEntry& other : script_->images) {
      if (other.kind == entry.kind && other.id == entry.id) {
        diagnostics_.Error(script_->path, id_token.line,
                           std::string(entry.kind == ImageKind::kBitmap ? "duplicate bitmap id "
                                                                        : "duplicate icon id ") +
                               id_token.text + " (first defined on line " +
                               std::to_string(other.line) + ")");
        return;
      }
    }
    script_->images.push_back(std::move(entry));
  }

  void Dialog(const Token& id_token) {
    if (kind_ == ScriptKind::kNeutral) {
      lexer_.Fail(id_token.line, "dialogs belong in a language script");
      return;
    }
    const std::optional<std::uint32_t> id = ResolveId(id_token);
    DialogEntry dialog;
    if (!ReadDialog(lexer_, id_token, id.value_or(0), ids_, &dialog) || !id) return;
    for (const DialogEntry& other : script_->dialogs) {
      if (other.id == dialog.id) {
        diagnostics_.Error(script_->path, id_token.line,
                           "duplicate dialog id " + id_token.text + " (first defined on line " +
                               std::to_string(other.line) + ")");
        return;
      }
    }
    script_->dialogs.push_back(std::move(dialog));
  }

  static bool IsOpen(const Token& token) {
    return (token.kind == Token::Kind::kName && Upper(token.text) == "BEGIN") ||
           (token.kind == Token::Kind::kPunctuation && token.text == "{");
  }
  static bool IsClose(const Token& token) {
    return (token.kind == Token::Kind::kName && Upper(token.text) == "END") ||
           (token.kind == Token::Kind::kPunctuation && token.text == "}");
  }

  Script* script_;
  ScriptKind kind_;
  const IdTable& ids_;
  Lexer lexer_;
  Diagnostics& diagnostics_;
};

}  // namespace

void ReadHeader(const std::string& path, IdTable* table, Diagnostics& diagnostics) {
  IdTable& ids = *table;
  std::string source;
  if (!ReadWholeFile(path, &source)) {
    diagnostics.Error(path, "cannot read the file");
    return;
  }
  std::size_t start = 0;
  int line_number = 0;
  while (start < source.size()) {
    std::size_t end = source.find('\n', start);
    if (end == std::string::npos) end = source.size();
    ++line_number;
    std::string_view line = TrimBlanks(std::string_view(source).substr(start, end - start));
    start = end + 1;

    std::string_view name;
    std::string_view value;
    if (line.starts_with("#")) {
      line = TrimBlanks(line.substr(1));
      if (!TakeWord(&line, "define")) continue;
      name = TakeName(&line);
      // Include guards and macros with expressions are not ids.
      if (name.empty() || !ParseNumber(line)) continue;
      value = line;
    } else {
      std::string_view rest = line;
      if (!TakeWord(&rest, "inline")) TakeWord(&rest, "static");
      if (!TakeWord(&rest, "constexpr") || !TakeWord(&rest, "UINT")) continue;
      name = TakeName(&rest);
      if (name.empty() || !rest.starts_with('=') || !rest.ends_with(';')) {
        diagnostics.Error(path, line_number, "cannot read the id declaration");
        continue;
      }
      value = TrimBlanks(rest.substr(1, rest.size() - 2));
    }
    const std::optional<std::uint32_t> number = ParseNumber(value);
    if (!number) {
      diagnostics.Error(
          path, line_number,
          "the value of " + std::string(name) + " is not a number: " + std::string(value));
      continue;
    }
    if (!ids.by_name.emplace(std::string(name), *number).second) {
      diagnostics.Error(path, line_number, std::string(name) + " is declared twice");
      continue;
    }
    ids.first_name.emplace(*number, std::string(name));
  }
}

Script ReadScript(const std::string& path, ScriptKind kind, const IdTable& ids,
                  Diagnostics& diagnostics) {
  Script script;
  script.path = path;
  std::string source;
  if (!ReadWholeFile(path, &source)) {
    diagnostics.Error(path, "cannot read the file");
    return script;
  }
  Parser(&script, kind, ids, source, diagnostics).Run();
  return script;
}

}  // namespace pwrc
