// pwrc: compiles a module's resource header, scripts and images into one C++ source.
//
//   pwrc --symbol NAME --header resource.h --out out.cpp [--neutral neutral.rc]
//        --language 1033=strings.en.rc --language 1031=strings.de.rc
//
// --header, --neutral and each language may be given several times: a module's parts keep
// their ids, images and texts in files of their own, compiled together.
//
// Errors are reported as "FILE:LINE: message" on stderr; the exit code is then 1 and no
// output is written.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "tools/pwrc/diagnostics.h"
#include "tools/pwrc/dialog_script.h"
#include "tools/pwrc/emit.h"
#include "tools/pwrc/pix.h"
#include "tools/pwrc/script.h"

namespace pwrc {
namespace {

struct Options {
  std::string symbol;
  std::vector<std::string> headers;
  std::string out;
  std::vector<std::string> neutrals;
  // The scripts of each language; languages in the order first given.
  std::vector<std::pair<std::uint32_t, std::vector<std::string>>> languages;
};

constexpr char kUsage[] =
    "usage: pwrc --symbol NAME --header FILE --out FILE [--neutral FILE] "
    "--language ID=FILE...\n";

bool IsIdentifier(const std::string& text) {
  if (text.empty() || std::isdigit(static_cast<unsigned char>(text[0]))) return false;
  return std::all_of(text.begin(), text.end(), [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
  });
}

std::optional<Options> ParseOptions(int argc, char** argv) {
  Options options;
  auto fail = [](const std::string& message) {
    std::fprintf(stderr, "pwrc: %s\n%s", message.c_str(), kUsage);
    return std::nullopt;
  };
  for (int i = 1; i < argc; ++i) {
    const std::string flag = argv[i];
    if (i + 1 >= argc) return fail(flag + " needs a value");
    const std::string value = argv[++i];
    if (flag == "--symbol") {
      options.symbol = value;
    } else if (flag == "--header") {
      options.headers.push_back(value);
    } else if (flag == "--out") {
      options.out = value;
    } else if (flag == "--neutral") {
      options.neutrals.push_back(value);
    } else if (flag == "--language") {
      const std::size_t equals = value.find('=');
      const std::string number = value.substr(0, equals);
      if (equals == std::string::npos || number.empty() || number.size() > 5 ||
          !std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; }) ||
          std::stoul(number) == 0 || std::stoul(number) > 0xFFFF) {
        return fail("--language wants LANGID=FILE with a language id from 1 to 65535");
      }
      const auto language = static_cast<std::uint32_t>(std::stoul(number));
      auto known = std::find_if(options.languages.begin(), options.languages.end(),
                                [&](const auto& entry) { return entry.first == language; });
      if (known == options.languages.end()) {
        known = options.languages.insert(options.languages.end(), {language, {}});
      }
      known->second.push_back(value.substr(equals + 1));
    } else {
      return fail("unknown option " + flag);
    }
  }
  if (!IsIdentifier(options.symbol)) return fail("--symbol wants a C++ name");
  if (options.headers.empty() || options.out.empty()) return fail("--header and --out are needed");
  return options;
}

std::string FileName(const std::string& path) {
  return std::filesystem::path(path).filename().string();
}

// The name an id is known by in messages and comments: the first the header gives it.
std::string IdName(std::uint32_t id, const IdTable& ids) {
  const auto found = ids.first_name.find(id);
  return found == ids.first_name.end() ? std::to_string(id) : found->second;
}

// Every language must define the same strings: a text missing in one language would
// otherwise show up in another language without anybody noticing.
void CheckSameStrings(const std::vector<Script>& scripts, const IdTable& ids,
                      Diagnostics& diagnostics) {
  std::set<std::uint32_t> all;
  for (const Script& script : scripts) {
    for (const StringEntry& entry : script.strings) all.insert(entry.id);
  }
  for (const Script& script : scripts) {
    std::set<std::uint32_t> present;
    for (const StringEntry& entry : script.strings) present.insert(entry.id);
    std::string missing;
    for (std::uint32_t id : all) {
      if (present.count(id) != 0) continue;
      missing += (missing.empty() ? "" : ", ") + IdName(id, ids);
    }
    if (!missing.empty()) {
      diagnostics.Error(script.path, script.last_table_end,
                        "missing strings that another language defines: " + missing);
    }
  }
}

CompiledImage CompileImage(const ImageEntry& entry, const Script& neutral, const IdTable& ids,
                           Diagnostics& diagnostics) {
  CompiledImage image;
  image.id = entry.id;
  image.name = IdName(entry.id, ids);
  image.source = entry.path;
  const std::filesystem::path path = std::filesystem::path(neutral.path).parent_path() / entry.path;
  if (path.extension() != ".pix") {
    diagnostics.Error(neutral.path, entry.line,
                      "unsupported image file " + entry.path + " (images are drawn in .pix files)");
    return image;
  }
  std::error_code ignored;
  if (!std::filesystem::is_regular_file(path, ignored)) {
    diagnostics.Error(neutral.path, entry.line, "cannot read image file " + entry.path);
    return image;
  }
  PixFile pix;
  if (!ReadPixFile(path.string(), &pix, diagnostics)) return image;
  if (entry.kind == ImageKind::kBitmap) {
    EncodeBitmap(pix, &image.bytes, diagnostics);
  } else {
    EncodeIcon(pix, &image.bytes, diagnostics);
  }
  return image;
}

// Writes beside the target and renames, so that a build never sees half a file.
bool WriteOutput(const std::string& path, const std::string& text) {
  const std::string temporary = path + ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (!out) return false;
  }
  std::error_code error;
  std::filesystem::rename(temporary, path, error);
  return !error;
}

// Reads the scripts of one language as one: an id may be defined in only one of them.
Script ReadLanguage(const std::vector<std::string>& paths, const IdTable& ids,
                    Diagnostics& diagnostics) {
  Script merged;
  std::map<std::uint32_t, std::string> string_origin;
  std::map<std::uint32_t, std::string> dialog_origin;
  for (const std::string& path : paths) {
    Script script = ReadScript(path, ScriptKind::kLanguage, ids, diagnostics);
    if (merged.path.empty()) {
      merged.path = script.path;
      merged.last_table_end = script.last_table_end;
    }
    for (StringEntry& entry : script.strings) {
      const auto [origin, added] = string_origin.emplace(entry.id, path);
      if (!added) {
        diagnostics.Error(
            path, entry.line,
            "string " + IdName(entry.id, ids) + " is also defined in " + FileName(origin->second));
        continue;
      }
      merged.strings.push_back(std::move(entry));
    }
    for (DialogEntry& entry : script.dialogs) {
      const auto [origin, added] = dialog_origin.emplace(entry.id, path);
      if (!added) {
        diagnostics.Error(
            path, entry.line,
            "dialog " + IdName(entry.id, ids) + " is also defined in " + FileName(origin->second));
        continue;
      }
      merged.dialogs.push_back(std::move(entry));
    }
  }
  return merged;
}

int Run(int argc, char** argv) {
  const std::optional<Options> options = ParseOptions(argc, argv);
  if (!options) return 1;
  Diagnostics diagnostics;
  IdTable ids;
  CompiledModule module;
  module.symbol = options->symbol;
  for (const std::string& header : options->headers) {
    ReadHeader(header, &ids, diagnostics);
    module.inputs.push_back(FileName(header));
  }
  std::set<std::pair<ImageKind, std::uint32_t>> image_ids;
  for (const std::string& path : options->neutrals) {
    module.inputs.push_back(FileName(path));
    const Script neutral = ReadScript(path, ScriptKind::kNeutral, ids, diagnostics);
    for (const ImageEntry& entry : neutral.images) {
      if (!image_ids.emplace(entry.kind, entry.id).second) {
        diagnostics.Error(path, entry.line,
                          "image " + IdName(entry.id, ids) + " is defined in another script too");
        continue;
      }
      CompiledImage image = CompileImage(entry, neutral, ids, diagnostics);
      (entry.kind == ImageKind::kBitmap ? module.bitmaps : module.icons)
          .push_back(std::move(image));
    }
  }
  std::vector<Script> scripts;
  std::vector<std::uint32_t> language_ids;
  for (const auto& [language, paths] : options->languages) {
    for (const std::string& path : paths) module.inputs.push_back(FileName(path));
    scripts.push_back(ReadLanguage(paths, ids, diagnostics));
    language_ids.push_back(language);
  }
  // Strings and dialogs missing because of other errors would only repeat them.
  if (!diagnostics.failed()) {
    CheckSameStrings(scripts, ids, diagnostics);
    std::vector<LanguageDialogs> dialogs;
    for (const Script& script : scripts) {
      dialogs.push_back(
          {script.path, &script.dialogs,
           script.dialogs.empty() ? script.last_table_end : script.dialogs.back().line});
    }
    CheckSameDialogs(dialogs, diagnostics);
  }
  if (diagnostics.failed()) return 1;

  for (std::size_t i = 0; i < scripts.size(); ++i) {
    CompiledLanguage language;
    language.language = language_ids[i];
    for (const StringEntry& entry : scripts[i].strings) {
      const auto name = ids.first_name.find(entry.id);
      language.strings.push_back(
          {entry.id, name == ids.first_name.end() ? "" : name->second, entry.text});
    }
    std::sort(language.strings.begin(), language.strings.end(),
              [](const CompiledString& a, const CompiledString& b) { return a.id < b.id; });
    language.dialogs = scripts[i].dialogs;
    std::sort(language.dialogs.begin(), language.dialogs.end(),
              [](const DialogEntry& a, const DialogEntry& b) { return a.id < b.id; });
    module.languages.push_back(std::move(language));
  }
  auto by_id = [](const CompiledImage& a, const CompiledImage& b) { return a.id < b.id; };
  std::sort(module.bitmaps.begin(), module.bitmaps.end(), by_id);
  std::sort(module.icons.begin(), module.icons.end(), by_id);

  if (!WriteOutput(options->out, EmitModule(module))) {
    std::fprintf(stderr, "%s: cannot write the file\n", options->out.c_str());
    return 1;
  }
  return 0;
}

}  // namespace
}  // namespace pwrc

int main(int argc, char** argv) { return pwrc::Run(argc, argv); }
