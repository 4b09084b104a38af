// Dialog templates in resource scripts: the DIALOGEX blocks, their check across languages,
// and their C++ tables.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/pwrc/diagnostics.h"

namespace pwrc {

struct IdTable;

// A token of a resource script, as the script reader splits it.
struct ScriptToken {
  enum class Kind { kEnd, kName, kNumber, kString, kPunctuation };
  Kind kind = Kind::kEnd;
  std::string text;      // the name, number or punctuation as written
  std::u32string value;  // a string's characters
  int line = 0;
};

// Where the dialog reader takes its tokens from.
class TokenStream {
 public:
  virtual ~TokenStream() = default;
  virtual const ScriptToken& Peek() = 0;
  virtual ScriptToken Next() = 0;
  // Reports an error and ends the reading of the file.
  virtual void Fail(int line, const std::string& message) = 0;
  virtual bool failed() const = 0;
};

struct DialogControlEntry {
  std::string window_class;  // as the Windows resource compiler records it: "BUTTON", "EDIT"…
  std::int32_t id = -1;
  std::string id_name;  // as written, for messages and comments
  std::u32string text;
  std::uint32_t resource_id = 0;  // an icon or animation named by id instead of a text
  int x = 0;
  int y = 0;
  int cx = 0;
  int cy = 0;
  std::uint32_t style = 0;
  std::uint32_t ex_style = 0;
  int line = 0;
};

struct DialogEntry {
  std::uint32_t id = 0;
  std::string id_name;
  int line = 0;
  std::u32string caption;
  std::u32string font_name;
  int font_size = 0;
  std::uint32_t style = 0;
  std::uint32_t ex_style = 0;
  int x = 0;
  int y = 0;
  int cx = 0;
  int cy = 0;
  std::vector<DialogControlEntry> controls;
};

// Reads a DIALOG or DIALOGEX block whose id and keyword `id_token`/`keyword` were just read.
// False (after reporting) when the block is malformed.
bool ReadDialog(TokenStream& tokens, const ScriptToken& id_token, std::uint32_t id,
                const IdTable& ids, DialogEntry* dialog);

// The dialogs of one language script, to compare with the others.
struct LanguageDialogs {
  std::string path;
  const std::vector<DialogEntry>* dialogs = nullptr;
  int last_line = 1;  // where missing dialogs are reported
};

// Every language must define the same dialogs with the same controls (ids and kinds, in the
// same order), so that code finding a control by id finds it in every language.
void CheckSameDialogs(const std::vector<LanguageDialogs>& languages, Diagnostics& diagnostics);

// The C++ tables of one language's dialogs (sorted by id), named kDialogs<language>.
std::string EmitDialogs(std::uint32_t language, const std::vector<DialogEntry>& dialogs);

}  // namespace pwrc
