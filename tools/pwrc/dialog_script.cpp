// Reading of DIALOGEX blocks with the Windows resource compiler's defaults, their check
// across languages, and their tables in the generated source.
#include "tools/pwrc/dialog_script.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <optional>
#include <set>
#include <string_view>

#include "platform/ui/ui_constants.h"
#include "tools/pwrc/emit.h"
#include "tools/pwrc/script.h"

namespace pwrc {
namespace {

// Names a style expression may use, with their Windows values.
const std::map<std::string, std::uint32_t>& StyleNames() {
  static const std::map<std::string, std::uint32_t> names = {
#define PWRC_NAME(name) {#name, static_cast<std::uint32_t>(name)}
      PWRC_NAME(WS_OVERLAPPED),
      PWRC_NAME(WS_POPUP),
      PWRC_NAME(WS_CHILD),
      PWRC_NAME(WS_MINIMIZE),
      PWRC_NAME(WS_VISIBLE),
      PWRC_NAME(WS_DISABLED),
      PWRC_NAME(WS_CLIPSIBLINGS),
      PWRC_NAME(WS_CLIPCHILDREN),
      PWRC_NAME(WS_MAXIMIZE),
      PWRC_NAME(WS_CAPTION),
      PWRC_NAME(WS_BORDER),
      PWRC_NAME(WS_DLGFRAME),
      PWRC_NAME(WS_VSCROLL),
      PWRC_NAME(WS_HSCROLL),
      PWRC_NAME(WS_SYSMENU),
      PWRC_NAME(WS_THICKFRAME),
      PWRC_NAME(WS_GROUP),
      PWRC_NAME(WS_TABSTOP),
      PWRC_NAME(WS_MINIMIZEBOX),
      PWRC_NAME(WS_MAXIMIZEBOX),
      PWRC_NAME(WS_OVERLAPPEDWINDOW),
      PWRC_NAME(WS_POPUPWINDOW),
      PWRC_NAME(WS_EX_DLGMODALFRAME),
      PWRC_NAME(WS_EX_NOPARENTNOTIFY),
      PWRC_NAME(WS_EX_TOPMOST),
      PWRC_NAME(WS_EX_TRANSPARENT),
      PWRC_NAME(WS_EX_TOOLWINDOW),
      PWRC_NAME(WS_EX_WINDOWEDGE),
      PWRC_NAME(WS_EX_CLIENTEDGE),
      PWRC_NAME(WS_EX_CONTEXTHELP),
      PWRC_NAME(WS_EX_RIGHT),
      PWRC_NAME(WS_EX_CONTROLPARENT),
      PWRC_NAME(WS_EX_STATICEDGE),
      PWRC_NAME(WS_EX_APPWINDOW),
      PWRC_NAME(DS_ABSALIGN),
      PWRC_NAME(DS_SYSMODAL),
      PWRC_NAME(DS_3DLOOK),
      PWRC_NAME(DS_FIXEDSYS),
      PWRC_NAME(DS_NOFAILCREATE),
      PWRC_NAME(DS_LOCALEDIT),
      PWRC_NAME(DS_SETFONT),
      PWRC_NAME(DS_MODALFRAME),
      PWRC_NAME(DS_NOIDLEMSG),
      PWRC_NAME(DS_SETFOREGROUND),
      PWRC_NAME(DS_CONTROL),
      PWRC_NAME(DS_CENTER),
      PWRC_NAME(DS_CENTERMOUSE),
      PWRC_NAME(DS_CONTEXTHELP),
      PWRC_NAME(DS_SHELLFONT),
      PWRC_NAME(BS_PUSHBUTTON),
      PWRC_NAME(BS_DEFPUSHBUTTON),
      PWRC_NAME(BS_CHECKBOX),
      PWRC_NAME(BS_AUTOCHECKBOX),
      PWRC_NAME(BS_RADIOBUTTON),
      PWRC_NAME(BS_3STATE),
      PWRC_NAME(BS_AUTO3STATE),
      PWRC_NAME(BS_GROUPBOX),
      PWRC_NAME(BS_AUTORADIOBUTTON),
      PWRC_NAME(BS_OWNERDRAW),
      PWRC_NAME(BS_LEFTTEXT),
      PWRC_NAME(BS_TEXT),
      PWRC_NAME(BS_ICON),
      PWRC_NAME(BS_BITMAP),
      PWRC_NAME(BS_LEFT),
      PWRC_NAME(BS_RIGHT),
      PWRC_NAME(BS_CENTER),
      PWRC_NAME(BS_TOP),
      PWRC_NAME(BS_BOTTOM),
      PWRC_NAME(BS_VCENTER),
      PWRC_NAME(BS_PUSHLIKE),
      PWRC_NAME(BS_MULTILINE),
      PWRC_NAME(BS_NOTIFY),
      PWRC_NAME(BS_FLAT),
      PWRC_NAME(BS_RIGHTBUTTON),
      PWRC_NAME(SS_LEFT),
      PWRC_NAME(SS_CENTER),
      PWRC_NAME(SS_RIGHT),
      PWRC_NAME(SS_ICON),
      PWRC_NAME(SS_BLACKRECT),
      PWRC_NAME(SS_GRAYRECT),
      PWRC_NAME(SS_WHITERECT),
      PWRC_NAME(SS_BLACKFRAME),
      PWRC_NAME(SS_GRAYFRAME),
      PWRC_NAME(SS_WHITEFRAME),
      PWRC_NAME(SS_SIMPLE),
      PWRC_NAME(SS_LEFTNOWORDWRAP),
      PWRC_NAME(SS_OWNERDRAW),
      PWRC_NAME(SS_BITMAP),
      PWRC_NAME(SS_ETCHEDHORZ),
      PWRC_NAME(SS_ETCHEDVERT),
      PWRC_NAME(SS_ETCHEDFRAME),
      PWRC_NAME(SS_NOPREFIX),
      PWRC_NAME(SS_NOTIFY),
      PWRC_NAME(SS_CENTERIMAGE),
      PWRC_NAME(SS_RIGHTJUST),
      PWRC_NAME(SS_REALSIZEIMAGE),
      PWRC_NAME(SS_SUNKEN),
      PWRC_NAME(SS_ENDELLIPSIS),
      PWRC_NAME(SS_PATHELLIPSIS),
      PWRC_NAME(SS_WORDELLIPSIS),
      PWRC_NAME(ES_LEFT),
      PWRC_NAME(ES_CENTER),
      PWRC_NAME(ES_RIGHT),
      PWRC_NAME(ES_MULTILINE),
      PWRC_NAME(ES_UPPERCASE),
      PWRC_NAME(ES_LOWERCASE),
      PWRC_NAME(ES_PASSWORD),
      PWRC_NAME(ES_AUTOVSCROLL),
      PWRC_NAME(ES_AUTOHSCROLL),
      PWRC_NAME(ES_NOHIDESEL),
      PWRC_NAME(ES_OEMCONVERT),
      PWRC_NAME(ES_READONLY),
      PWRC_NAME(ES_WANTRETURN),
      PWRC_NAME(ES_NUMBER),
      PWRC_NAME(CBS_SIMPLE),
      PWRC_NAME(CBS_DROPDOWN),
      PWRC_NAME(CBS_DROPDOWNLIST),
      PWRC_NAME(CBS_OWNERDRAWFIXED),
      PWRC_NAME(CBS_OWNERDRAWVARIABLE),
      PWRC_NAME(CBS_AUTOHSCROLL),
      PWRC_NAME(CBS_OEMCONVERT),
      PWRC_NAME(CBS_SORT),
      PWRC_NAME(CBS_HASSTRINGS),
      PWRC_NAME(CBS_NOINTEGRALHEIGHT),
      PWRC_NAME(CBS_DISABLENOSCROLL),
      PWRC_NAME(CBS_UPPERCASE),
      PWRC_NAME(CBS_LOWERCASE),
      PWRC_NAME(SBS_HORZ),
      PWRC_NAME(SBS_VERT),
      PWRC_NAME(SBS_TOPALIGN),
      PWRC_NAME(SBS_LEFTALIGN),
      PWRC_NAME(SBS_BOTTOMALIGN),
      PWRC_NAME(SBS_RIGHTALIGN),
      PWRC_NAME(SBS_SIZEBOXTOPLEFTALIGN),
      PWRC_NAME(SBS_SIZEBOXBOTTOMRIGHTALIGN),
      PWRC_NAME(SBS_SIZEBOX),
      PWRC_NAME(SBS_SIZEGRIP),
      PWRC_NAME(LVS_ICON),
      PWRC_NAME(LVS_REPORT),
      PWRC_NAME(LVS_SMALLICON),
      PWRC_NAME(LVS_LIST),
      PWRC_NAME(LVS_SINGLESEL),
      PWRC_NAME(LVS_SHOWSELALWAYS),
      PWRC_NAME(LVS_SORTASCENDING),
      PWRC_NAME(LVS_SORTDESCENDING),
      PWRC_NAME(LVS_SHAREIMAGELISTS),
      PWRC_NAME(LVS_NOLABELWRAP),
      PWRC_NAME(LVS_AUTOARRANGE),
      PWRC_NAME(LVS_EDITLABELS),
      PWRC_NAME(LVS_OWNERDATA),
      PWRC_NAME(LVS_NOSCROLL),
      PWRC_NAME(LVS_NOCOLUMNHEADER),
      PWRC_NAME(LVS_NOSORTHEADER),
      PWRC_NAME(UDS_WRAP),
      PWRC_NAME(UDS_SETBUDDYINT),
      PWRC_NAME(UDS_ALIGNRIGHT),
      PWRC_NAME(UDS_ALIGNLEFT),
      PWRC_NAME(UDS_AUTOBUDDY),
      PWRC_NAME(UDS_ARROWKEYS),
      PWRC_NAME(UDS_HORZ),
      PWRC_NAME(UDS_NOTHOUSANDS),
      PWRC_NAME(UDS_HOTTRACK),
      PWRC_NAME(ACS_CENTER),
      PWRC_NAME(ACS_TRANSPARENT),
      PWRC_NAME(ACS_AUTOPLAY),
      PWRC_NAME(ACS_TIMER),
#undef PWRC_NAME
  };
  return names;
}

// The ids every script may use without declaring them, as windows.h gives them.
const std::map<std::string, std::int32_t>& StandardIds() {
  static const std::map<std::string, std::int32_t> ids = {
      {"IDC_STATIC", IDC_STATIC}, {"IDOK", IDOK},
      {"IDCANCEL", IDCANCEL},     {"IDABORT", IDABORT},
      {"IDRETRY", IDRETRY},       {"IDIGNORE", IDIGNORE},
      {"IDYES", IDYES},           {"IDNO", IDNO},
      {"IDCLOSE", IDCLOSE},       {"IDHELP", IDHELP},
      {"IDTRYAGAIN", IDTRYAGAIN}, {"IDCONTINUE", IDCONTINUE},
  };
  return ids;
}

std::string Upper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper;
}

std::optional<std::uint32_t> ParseUnsigned(std::string_view text) {
  int base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text.remove_prefix(2);
  }
  // A trailing L (long) is allowed, as C and the Windows tools allow it.
  if (!text.empty() && (text.back() == 'L' || text.back() == 'l')) text.remove_suffix(1);
  if (text.empty()) return std::nullopt;
  std::uint64_t value = 0;
  for (char c : text) {
    int digit = -1;
    if (c >= '0' && c <= '9') digit = c - '0';
    if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    if (digit < 0 || digit >= base) return std::nullopt;
    value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
    if (value > 0xFFFFFFFFu) return std::nullopt;
  }
  return static_cast<std::uint32_t>(value);
}

bool IsPunctuation(const ScriptToken& token, char c) {
  return token.kind == ScriptToken::Kind::kPunctuation && token.text == std::string(1, c);
}

bool IsWord(const ScriptToken& token, std::string_view word) {
  return token.kind == ScriptToken::Kind::kName && Upper(token.text) == word;
}

std::string Describe(const ScriptToken& token) {
  switch (token.kind) {
    case ScriptToken::Kind::kEnd:
      return "the end of the file";
    case ScriptToken::Kind::kString:
      return "a string";
    default:
      return "'" + token.text + "'";
  }
}

// How one control statement is recorded: its class, default style, and which fields it has.
struct Statement {
  const char* keyword;
  const char* window_class;
  std::uint32_t style;
  bool has_text;
  bool optional_size;  // ICON may leave out width and height
};

constexpr std::uint32_t kControlBase = WS_CHILD | WS_VISIBLE;

constexpr Statement kStatements[] = {
    {"LTEXT", "STATIC", SS_LEFT | WS_GROUP, true, false},
    {"RTEXT", "STATIC", SS_RIGHT | WS_GROUP, true, false},
    {"CTEXT", "STATIC", SS_CENTER | WS_GROUP, true, false},
    {"ICON", "STATIC", SS_ICON, true, true},
    {"GROUPBOX", "BUTTON", BS_GROUPBOX, true, false},
    {"PUSHBUTTON", "BUTTON", BS_PUSHBUTTON | WS_TABSTOP, true, false},
    {"DEFPUSHBUTTON", "BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP, true, false},
    {"CHECKBOX", "BUTTON", BS_CHECKBOX | WS_TABSTOP, true, false},
    {"AUTOCHECKBOX", "BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, true, false},
    {"STATE3", "BUTTON", BS_3STATE | WS_TABSTOP, true, false},
    {"AUTO3STATE", "BUTTON", BS_AUTO3STATE | WS_TABSTOP, true, false},
    {"RADIOBUTTON", "BUTTON", BS_RADIOBUTTON, true, false},
    {"AUTORADIOBUTTON", "BUTTON", BS_AUTORADIOBUTTON, true, false},
    {"EDITTEXT", "EDIT", ES_LEFT | WS_BORDER | WS_TABSTOP, false, false},
    {"COMBOBOX", "COMBOBOX", CBS_SIMPLE | WS_TABSTOP, false, false},
    {"SCROLLBAR", "SCROLLBAR", SBS_HORZ, false, false},
};

// The class names CONTROL may give without quotes, spelled as the Windows tools record them.
const char* PredefinedClass(std::string_view name) {
  static constexpr const char* kClasses[] = {"BUTTON", "EDIT", "STATIC", "COMBOBOX", "SCROLLBAR"};
  for (const char* known : kClasses) {
    if (Upper(name) == known) return known;
  }
  return nullptr;
}

class DialogReader {
 public:
  DialogReader(TokenStream& tokens, const IdTable& ids) : tokens_(tokens), ids_(ids) {}

  bool Read(const ScriptToken& id_token, std::uint32_t id, DialogEntry* dialog) {
    dialog->id = id;
    dialog->id_name = id_token.text;
    dialog->line = id_token.line;
    SkipMemoryFlags();
    if (!Coordinate(&dialog->x) || !Comma() || !Coordinate(&dialog->y) || !Comma() ||
        !Coordinate(&dialog->cx) || !Comma() || !Coordinate(&dialog->cy)) {
      return false;
    }
    int help_id = 0;
    if (IsPunctuation(tokens_.Peek(), ',')) {
      tokens_.Next();
      if (!Coordinate(&help_id)) return false;
    }
    bool has_style = false;
    bool has_caption = false;
    bool has_font = false;
    std::uint32_t style = 0;
    while (!tokens_.failed()) {
      const ScriptToken token = tokens_.Next();
      if (IsWord(token, "BEGIN") || IsPunctuation(token, '{')) break;
      if (IsWord(token, "STYLE")) {
        if (!StyleExpression(0, &style)) return false;
        has_style = true;
      } else if (IsWord(token, "EXSTYLE")) {
        if (!StyleExpression(0, &dialog->ex_style)) return false;
      } else if (IsWord(token, "CAPTION")) {
        if (!Text(&dialog->caption)) return false;
        has_caption = true;
      } else if (IsWord(token, "FONT")) {
        if (!Coordinate(&dialog->font_size) || !Comma() || !Text(&dialog->font_name)) return false;
        // Weight, italic and character set may follow; the model does not use them.
        while (IsPunctuation(tokens_.Peek(), ',')) {
          tokens_.Next();
          int ignored = 0;
          if (!Coordinate(&ignored)) return false;
        }
        has_font = true;
      } else if (IsWord(token, "LANGUAGE") || IsWord(token, "CHARACTERISTICS") ||
                 IsWord(token, "VERSION")) {
        // Bookkeeping of the Windows tools; the language comes from the command line.
        int ignored = 0;
        if (!Coordinate(&ignored)) return false;
        if (IsPunctuation(tokens_.Peek(), ',')) {
          tokens_.Next();
          if (!Coordinate(&ignored)) return false;
        }
      } else {
        if (!tokens_.failed()) {
          tokens_.Fail(token.line, "expected BEGIN or a dialog option, found " + Describe(token));
        }
        return false;
      }
    }
    if (tokens_.failed()) return false;
    dialog->style = has_style ? style : WS_POPUP | WS_BORDER | WS_SYSMENU;
    if (has_caption) dialog->style |= WS_CAPTION;
    if (has_font) dialog->style |= DS_SETFONT;

    std::set<std::int32_t> seen;
    while (!tokens_.failed()) {
      const ScriptToken token = tokens_.Next();
      if (IsWord(token, "END") || IsPunctuation(token, '}')) return true;
      if (token.kind == ScriptToken::Kind::kEnd) {
        tokens_.Fail(token.line, "DIALOGEX " + dialog->id_name + " without END");
        return false;
      }
      DialogControlEntry control;
      if (!Control(token, &control)) return false;
      if (control.id != IDC_STATIC && !seen.insert(control.id).second) {
        tokens_.Fail(control.line, "control id " + control.id_name + " is used twice in dialog " +
                                       dialog->id_name);
        return false;
      }
      dialog->controls.push_back(std::move(control));
    }
    return false;
  }

 private:
  void SkipMemoryFlags() {
    static constexpr std::string_view kFlags[] = {
        "DISCARDABLE", "PRELOAD", "LOADONCALL", "MOVEABLE", "FIXED", "PURE", "IMPURE"};
    while (tokens_.Peek().kind == ScriptToken::Kind::kName &&
           std::find(std::begin(kFlags), std::end(kFlags), Upper(tokens_.Peek().text)) !=
               std::end(kFlags)) {
      tokens_.Next();
    }
  }

  bool Expect(bool ok, const ScriptToken& token, const std::string& what) {
    if (!ok && !tokens_.failed())
      tokens_.Fail(token.line, "expected " + what + ", found " + Describe(token));
    return ok;
  }

  bool Comma() {
    const ScriptToken token = tokens_.Next();
    return Expect(IsPunctuation(token, ','), token, "','");
  }

  // A number, possibly negative, or a name of the header or of the standard ids.
  std::optional<std::int64_t> Number(const ScriptToken& first, std::string* spelled) {
    ScriptToken token = first;
    bool negative = false;
    if (IsPunctuation(token, '-')) {
      negative = true;
      token = tokens_.Next();
    }
    if (spelled != nullptr) *spelled = (negative ? "-" : "") + token.text;
    std::optional<std::int64_t> value;
    if (token.kind == ScriptToken::Kind::kNumber) {
      const std::optional<std::uint32_t> parsed = ParseUnsigned(token.text);
      if (!parsed) {
        tokens_.Fail(token.line, "bad number " + token.text);
        return std::nullopt;
      }
      value = *parsed;
    } else if (token.kind == ScriptToken::Kind::kName) {
      const auto standard = StandardIds().find(token.text);
      const auto declared = ids_.by_name.find(token.text);
      if (declared != ids_.by_name.end()) {
        value = declared->second;
      } else if (standard != StandardIds().end()) {
        value = standard->second;
      } else {
        tokens_.Fail(token.line, "unknown id name " + token.text);
        return std::nullopt;
      }
    } else {
      Expect(false, token, "a number");
      return std::nullopt;
    }
    return negative ? -*value : *value;
  }

  bool Coordinate(int* value) {
    const ScriptToken token = tokens_.Next();
    const std::optional<std::int64_t> number = Number(token, nullptr);
    if (!number) return false;
    if (*number < -32768 || *number > 32767) {
      tokens_.Fail(token.line, "value " + std::to_string(*number) + " is out of range");
      return false;
    }
    *value = static_cast<int>(*number);
    return true;
  }

  bool ControlId(DialogControlEntry* control) {
    const ScriptToken token = tokens_.Next();
    const std::optional<std::int64_t> number = Number(token, &control->id_name);
    if (!number) return false;
    if (*number < -1 || *number > 0xFFFF) {
      tokens_.Fail(token.line, "control id " + control->id_name + " is out of range (-1 to 65535)");
      return false;
    }
    control->id = static_cast<std::int32_t>(*number);
    return true;
  }

  bool Text(std::u32string* text) {
    ScriptToken token = tokens_.Next();
    if (!Expect(token.kind == ScriptToken::Kind::kString, token, "a string")) return false;
    *text = token.value;
    // Adjacent literals join, as in string tables.
    while (tokens_.Peek().kind == ScriptToken::Kind::kString) *text += tokens_.Next().value;
    return true;
  }

  // A control's text, or the id of the resource it shows (ICON, animations).
  bool TextOrResource(DialogControlEntry* control) {
    const ScriptToken& next = tokens_.Peek();
    if (next.kind == ScriptToken::Kind::kString) return Text(&control->text);
    const ScriptToken token = tokens_.Next();
    const std::optional<std::int64_t> number = Number(token, nullptr);
    if (!number) return false;
    if (*number < 0 || *number > 0xFFFF) {
      tokens_.Fail(token.line, "resource id " + token.text + " is out of range (0 to 65535)");
      return false;
    }
    control->resource_id = static_cast<std::uint32_t>(*number);
    return true;
  }

  // term { '|' term }, a term being [NOT] value or a parenthesised expression, applied left
  // to right to `start`: OR adds bits, NOT removes them.
  bool StyleExpression(std::uint32_t start, std::uint32_t* result) {
    std::uint32_t value = start;
    while (true) {
      bool remove = false;
      if (IsWord(tokens_.Peek(), "NOT")) {
        tokens_.Next();
        remove = true;
      }
      std::uint32_t term = 0;
      if (!StyleTerm(&term)) return false;
      value = remove ? value & ~term : value | term;
      if (!IsPunctuation(tokens_.Peek(), '|')) break;
      tokens_.Next();
    }
    *result = value;
    return true;
  }

  bool StyleTerm(std::uint32_t* term) {
    const ScriptToken token = tokens_.Next();
    if (IsPunctuation(token, '(')) {
      if (!StyleExpression(0, term)) return false;
      const ScriptToken close = tokens_.Next();
      return Expect(IsPunctuation(close, ')'), close, "')'");
    }
    if (token.kind == ScriptToken::Kind::kName) {
      const auto found = StyleNames().find(token.text);
      if (found == StyleNames().end()) {
        tokens_.Fail(token.line, "unknown style name " + token.text);
        return false;
      }
      *term = found->second;
      return true;
    }
    if (token.kind == ScriptToken::Kind::kNumber) {
      const std::optional<std::uint32_t> parsed = ParseUnsigned(token.text);
      if (!parsed) {
        tokens_.Fail(token.line, "bad number " + token.text);
        return false;
      }
      *term = *parsed;
      return true;
    }
    return Expect(false, token, "a style");
  }

  // The optional style and extended style after a control's rectangle (and the help id of
  // DIALOGEX, which the model does not use).
  bool TrailingStyles(DialogControlEntry* control) {
    if (!IsPunctuation(tokens_.Peek(), ',')) return true;
    tokens_.Next();
    if (!StyleExpression(control->style, &control->style)) return false;
    if (!IsPunctuation(tokens_.Peek(), ',')) return true;
    tokens_.Next();
    if (!StyleExpression(0, &control->ex_style)) return false;
    if (!IsPunctuation(tokens_.Peek(), ',')) return true;
    tokens_.Next();
    int help_id = 0;
    return Coordinate(&help_id);
  }

  bool Rectangle(DialogControlEntry* control, bool optional_size) {
    if (!Coordinate(&control->x) || !Comma() || !Coordinate(&control->y)) return false;
    if (optional_size && !IsPunctuation(tokens_.Peek(), ',')) return true;
    return Comma() && Coordinate(&control->cx) && Comma() && Coordinate(&control->cy);
  }

  bool Control(const ScriptToken& keyword, DialogControlEntry* control) {
    control->line = keyword.line;
    const std::string name = keyword.kind == ScriptToken::Kind::kName ? Upper(keyword.text) : "";
    if (name == "CONTROL") {
      // CONTROL text, id, class, style, x, y, cx, cy [, exstyle [, helpid]]
      if (!TextOrResource(control) || !Comma() || !ControlId(control) || !Comma()) return false;
      const ScriptToken class_token = tokens_.Next();
      if (class_token.kind == ScriptToken::Kind::kString) {
        for (char32_t c : class_token.value) {
          if (c >= 0x80) {
            tokens_.Fail(class_token.line, "window class names must be ASCII");
            return false;
          }
          control->window_class += static_cast<char>(c);
        }
      } else if (const char* known = class_token.kind == ScriptToken::Kind::kName
                                         ? PredefinedClass(class_token.text)
                                         : nullptr) {
        control->window_class = known;
      } else {
        return Expect(false, class_token, "a window class");
      }
      if (!Comma() || !StyleExpression(kControlBase, &control->style) || !Comma() ||
          !Rectangle(control, false)) {
        return false;
      }
      if (IsPunctuation(tokens_.Peek(), ',')) {
        tokens_.Next();
        if (!StyleExpression(0, &control->ex_style)) return false;
        if (IsPunctuation(tokens_.Peek(), ',')) {
          tokens_.Next();
          int help_id = 0;
          if (!Coordinate(&help_id)) return false;
        }
      }
      return true;
    }
    const Statement* statement = nullptr;
    for (const Statement& candidate : kStatements) {
      if (name == candidate.keyword) statement = &candidate;
    }
    if (statement == nullptr) {
      tokens_.Fail(keyword.line, keyword.kind == ScriptToken::Kind::kName
                                     ? "unsupported control statement " + keyword.text
                                     : "expected a control statement, found " + Describe(keyword));
      return false;
    }
    control->window_class = statement->window_class;
    control->style = kControlBase | statement->style;
    if (statement->has_text) {
      const bool ok = name == "ICON" ? TextOrResource(control) : Text(&control->text);
      if (!ok || !Comma()) return false;
    }
    return ControlId(control) && Comma() && Rectangle(control, statement->optional_size) &&
           TrailingStyles(control);
  }

  TokenStream& tokens_;
  const IdTable& ids_;
};

// What kind of control a person sees: the class, and for buttons and statics their type.
std::string KindOf(const DialogControlEntry& control) {
  const std::string window_class = Upper(control.window_class);
  if (window_class == "BUTTON") {
    switch (control.style & BS_TYPEMASK) {
      case BS_PUSHBUTTON:
      case BS_DEFPUSHBUTTON:
        return "push button";
      case BS_CHECKBOX:
      case BS_AUTOCHECKBOX:
      case BS_3STATE:
      case BS_AUTO3STATE:
        return "check box";
      case BS_RADIOBUTTON:
      case BS_AUTORADIOBUTTON:
        return "radio button";
      case BS_GROUPBOX:
        return "group box";
      default:
        return "button";
    }
  }
  if (window_class == "STATIC") {
    switch (control.style & SS_TYPEMASK) {
      case SS_ICON:
        return "icon";
      case SS_ETCHEDHORZ:
      case SS_ETCHEDVERT:
      case SS_ETCHEDFRAME:
        return "separator";
      default:
        return "text";
    }
  }
  return control.window_class;
}

std::string StyleHex(std::uint32_t value) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text = "0x00000000";
  for (int i = 9; i >= 2; --i, value >>= 4)
    text[static_cast<std::size_t>(i)] = kDigits[value & 0xF];
  return text;
}

std::u32string Wide(const std::string& ascii) { return std::u32string(ascii.begin(), ascii.end()); }

}  // namespace

bool ReadDialog(TokenStream& tokens, const ScriptToken& id_token, std::uint32_t id,
                const IdTable& ids, DialogEntry* dialog) {
  return DialogReader(tokens, ids).Read(id_token, id, dialog);
}

void CheckSameDialogs(const std::vector<LanguageDialogs>& languages, Diagnostics& diagnostics) {
  if (languages.empty()) return;
  std::map<std::uint32_t, std::string> all;
  for (const LanguageDialogs& language : languages) {
    for (const DialogEntry& dialog : *language.dialogs) all.emplace(dialog.id, dialog.id_name);
  }
  for (const LanguageDialogs& language : languages) {
    std::string missing;
    for (const auto& [id, name] : all) {
      const bool present =
          std::any_of(language.dialogs->begin(), language.dialogs->end(),
                      [id = id](const DialogEntry& dialog) { return dialog.id == id; });
      if (!present) missing += (missing.empty() ? "" : ", ") + name;
    }
    if (!missing.empty()) {
      diagnostics.Error(language.path, language.last_line,
                        "missing dialogs that another language defines: " + missing);
    }
  }
  // Controls are compared with the first language that has the dialog.
  const LanguageDialogs& first = languages.front();
  for (std::size_t i = 1; i < languages.size(); ++i) {
    for (const DialogEntry& dialog : *languages[i].dialogs) {
      const auto reference =
          std::find_if(first.dialogs->begin(), first.dialogs->end(),
                       [&dialog](const DialogEntry& other) { return other.id == dialog.id; });
      if (reference == first.dialogs->end()) continue;
      if (reference->controls.size() != dialog.controls.size()) {
        diagnostics.Error(languages[i].path, dialog.line,
                          "dialog " + dialog.id_name + " has " +
                              std::to_string(dialog.controls.size()) + " controls, " +
                              std::to_string(reference->controls.size()) + " in " + first.path);
        continue;
      }
      for (std::size_t c = 0; c < dialog.controls.size(); ++c) {
        const DialogControlEntry& mine = dialog.controls[c];
        const DialogControlEntry& theirs = reference->controls[c];
        if (mine.id != theirs.id || KindOf(mine) != KindOf(theirs)) {
          diagnostics.Error(languages[i].path, mine.line,
                            "control " + std::to_string(c + 1) + " of dialog " + dialog.id_name +
                                " is " + mine.id_name + " (" + KindOf(mine) + "), " +
                                theirs.id_name + " (" + KindOf(theirs) + ") in " + first.path);
          break;
        }
      }
    }
  }
}

std::string EmitDialogs(std::uint32_t language, const std::vector<DialogEntry>& dialogs) {
  if (dialogs.empty()) return {};
  const std::string number = std::to_string(language);
  std::string out;
  for (const DialogEntry& dialog : dialogs) {
    if (dialog.controls.empty()) continue;
    out += "constexpr pw::DialogControlResource kDialog" + number + "_" +
           std::to_string(dialog.id) + "[] = {\n";
    for (const DialogControlEntry& control : dialog.controls) {
      out += "    {" + WideLiteral(Wide(control.window_class)) + "sv, " +
             std::to_string(control.id) + ", " + WideLiteral(control.text) + "sv, " +
             std::to_string(control.resource_id) + ", " + std::to_string(control.x) + ", " +
             std::to_string(control.y) + ", " + std::to_string(control.cx) + ", " +
             std::to_string(control.cy) + ", " + StyleHex(control.style) + ", " +
             StyleHex(control.ex_style) + "},  // " + control.id_name + "\n";
    }
    out += "};\n";
  }
  out += "constexpr pw::DialogResource kDialogs" + number + "[] = {\n";
  for (const DialogEntry& dialog : dialogs) {
    out += "    {" + std::to_string(dialog.id) + ", " + WideLiteral(dialog.caption) + "sv, " +
           WideLiteral(dialog.font_name) + "sv, " + std::to_string(dialog.font_size) + ", " +
           StyleHex(dialog.style) + ", " + StyleHex(dialog.ex_style) + ", " +
           std::to_string(dialog.x) + ", " + std::to_string(dialog.y) + ", " +
           std::to_string(dialog.cx) + ", " + std::to_string(dialog.cy) + ", " +
           (dialog.controls.empty() ? "{}" : "kDialog" + number + "_" + std::to_string(dialog.id)) +
           "},  // " + dialog.id_name + "\n";
  }
  out += "};\n";
  return out;
}

}  // namespace pwrc
