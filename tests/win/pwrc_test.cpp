// Tests of the resource compiler as the build runs it: its output and its error messages.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/temp_installation.h"

extern char** environ;

namespace pw {
namespace {

using test::TempDir;

struct PwrcRun {
  int exit_code = -1;
  std::string errors;
};

// Runs the built pwrc with `args` and collects what it wrote to stderr.
PwrcRun RunPwrc(const TempDir& dir, const std::vector<std::string>& args) {
  std::string program = test::BinDir() + "/pwrc";
  const std::string errors = dir.Sub("pwrc.stderr");
  std::vector<std::string> words = {program};
  words.insert(words.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 2, errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  PwrcRun run;
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) {
    run.errors = "cannot start " + program;
    return run;
  }
  int status = 0;
  if (::waitpid(pid, &status, 0) == pid && WIFEXITED(status)) run.exit_code = WEXITSTATUS(status);
  run.errors = dir.ReadFile("pwrc.stderr");
  return run;
}

constexpr char kHeader[] =
    "// ids\n"
    "inline constexpr UINT IDS_A = 1;\n"
    "inline constexpr UINT IDS_B = 2;\n"
    "#define IDS_C 0x3\n"
    "inline constexpr UINT IDS_D = 4;\n"
    "inline constexpr UINT IDB_PICTURE = 100;\n"
    "inline constexpr UINT IDI_PICTURE = 101;\n";

// A compiler run over files written to a temporary folder.
class PwrcTest : public ::testing::Test {
 protected:
  void SetUp() override { header_ = dir_.WriteFile("resource.h", kHeader); }

  // Compiles `english` (and `german` when given) with `neutral` as the neutral script.
  PwrcRun Compile(const std::string& english, const std::string& german = "",
                  const std::string& neutral = "", const std::string& out = "out.cpp") {
    std::vector<std::string> args = {"--symbol", "kMine", "--header",
                                     header_,    "--out", dir_.Sub(out)};
    if (!neutral.empty()) {
      args.insert(args.end(), {"--neutral", dir_.WriteFile("neutral.rc", neutral)});
    }
    args.insert(args.end(), {"--language", "1033=" + dir_.WriteFile("en.rc", english)});
    if (!german.empty()) {
      args.insert(args.end(), {"--language", "1031=" + dir_.WriteFile("de.rc", german)});
    }
    return RunPwrc(dir_, args);
  }

  TempDir dir_;
  std::string header_;
};

// Good scripts compile to the same bytes every time, with exact wide literals.
TEST_F(PwrcTest, CompilesDeterministically) {
  const std::string english =
      "STRINGTABLE\nBEGIN\n"
      "  IDS_B \"Gr\xC3\xBC\xC3\x9F"
      "e\"\n"
      "  IDS_A \"\\x0001a\" \"\\\\\"\n"
      "END\n";
  const std::string german = "STRINGTABLE { IDS_A \"x\" IDS_B \"y\" }\n";
  dir_.WriteFile("images/p.pix", "colors\nk 000000\nsize 1 1\npixels\nk\n");
  const std::string neutral =
      "IDB_PICTURE BITMAP \"images/p.pix\"\nIDI_PICTURE ICON \"images/p.pix\"\n";
  const PwrcRun first = Compile(english, german, neutral, "first.cpp");
  EXPECT_EQ(first.errors, "");
  ASSERT_EQ(first.exit_code, 0);
  const PwrcRun second = Compile(english, german, neutral, "second.cpp");
  ASSERT_EQ(second.exit_code, 0);
  const std::string output = dir_.ReadFile("first.cpp");
  EXPECT_EQ(output, dir_.ReadFile("second.cpp"));

  EXPECT_NE(output.find("    {1, L\"\\x1\" L\"a\\\\\"sv},  // IDS_A\n"), std::string::npos);
  EXPECT_NE(output.find("    {2, L\"Gr\\u00FC\\u00DFe\"sv},  // IDS_B\n"), std::string::npos);
  EXPECT_NE(output.find("constexpr pw::BinaryResource kBitmaps[] = {\n    {100, kBitmap100},\n"),
            std::string::npos);
  EXPECT_NE(output.find("constexpr pw::BinaryResource kIcons[] = {\n    {101, kIcon101},\n"),
            std::string::npos);
  EXPECT_NE(output.find("extern const pw::ResourceModule kMine;\n"
                        "const pw::ResourceModule kMine{kLanguages, kBitmaps, kIcons};\n"),
            std::string::npos);
}

// Each language must define the strings that the others define; the message names them.
TEST_F(PwrcTest, LanguageMissingStrings) {
  const PwrcRun run =
      Compile("STRINGTABLE\nBEGIN\n  IDS_A \"a\"\n  IDS_B \"b\"\n  IDS_C \"c\"\nEND\n",
              "// German\nSTRINGTABLE\nBEGIN\n  IDS_A \"a\"\n  IDS_D \"d\"\nEND\n");
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.errors, dir_.Sub("en.rc") + ":6: missing strings that another language defines: " +
                            "IDS_D\n" + dir_.Sub("de.rc") +
                            ":6: missing strings that another language defines: IDS_B, IDS_C\n");
  EXPECT_FALSE(dir_.Exists("out.cpp"));
}

// Script mistakes are reported with the file and line that hold them, and fail the run.
TEST_F(PwrcTest, ScriptErrors) {
  const struct {
    const char* script;
    const char* expected;
  } cases[] = {
      {"STRINGTABLE\nBEGIN\n  IDS_A \"a\"\n  IDS_NOPE \"x\"\nEND\n",
       ":4: unknown id name IDS_NOPE"},
      {"STRINGTABLE\nBEGIN\n  IDS_A \"a\"\n  IDS_B \"open\nEND\n", ":4: unterminated string"},
      {"STRINGTABLE\nBEGIN\n  IDS_A \"a\"\n  IDS_B \"b\"\n  IDS_A \"again\"\nEND\n",
       ":5: duplicate string id IDS_A (first defined on line 3)"},
      {"STRINGTABLE { 2 \"b\" }\nSTRINGTABLE {\n IDS_B \"b\" }\n",
       ":3: duplicate string id IDS_B (first defined on line 1)"},
      {"STRINGTABLE\nBEGIN\n  IDS_A \"bad \\q\"\nEND\n", ":3: unknown escape sequence \\q"},
      {"STRINGTABLE\nBEGIN\n  IDS_A \"\\xZZ\"\nEND\n", ":3: \\x without hexadecimal digits"},
      {"STRINGTABLE\nBEGIN\n  IDS_A \"a\"\n", ":4: STRINGTABLE without END"},
      {"STRINGTABLE\nBEGIN\n  IDS_A\nEND\n", ":4: expected a string after IDS_A"},
      {"STRINGTABLE\nBEGIN\n  70000 \"big\"\nEND\n", ":3: id 70000 is out of range (0 to 65535)"},
      {"/* open comment\nSTRINGTABLE\n", ":1: unterminated comment"},
      {"#if 0\n", ":1: unsupported directive #if"},
      {"MENU\n", ":1: unexpected 'MENU'"},
      {"IDB_PICTURE BITMAP \"p.pix\"\n", ":1: images belong in the neutral script"},
      {"STRINGTABLE\nBEGIN\n  IDS_A \"\xC3\x28\"\nEND\n", ":3: invalid UTF-8 in string"},
  };
  for (const auto& c : cases) {
    const PwrcRun run = Compile(c.script);
    EXPECT_EQ(run.exit_code, 1) << c.script;
    EXPECT_EQ(run.errors, dir_.Sub("en.rc") + c.expected + "\n") << c.script;
  }
  EXPECT_FALSE(dir_.Exists("out.cpp"));
}

// Mistakes in the neutral script and in the images it names point at the line to fix.
TEST_F(PwrcTest, ImageErrors) {
  const std::string english = "STRINGTABLE { IDS_A \"a\" }\n";
  const std::string pix = dir_.Sub("images/bad.pix");
  const struct {
    const char* neutral;
    const char* image;
    std::string expected;
  } cases[] = {
      {"// images\nIDB_PICTURE BITMAP \"images/none.pix\"\n", "",
       dir_.Sub("neutral.rc") + ":2: cannot read image file images/none.pix"},
      {"IDB_PICTURE BITMAP \"images/bad.bmp\"\n", "",
       dir_.Sub("neutral.rc") +
           ":1: unsupported image file images/bad.bmp (images are drawn in .pix files)"},
      {"IDB_PICTURE CURSOR \"images/bad.pix\"\n", "",
       dir_.Sub("neutral.rc") + ":1: unsupported resource type CURSOR"},
      {"STRINGTABLE { IDS_A \"a\" }\n", "",
       dir_.Sub("neutral.rc") + ":1: string tables belong in a language script"},
      {"IDB_PICTURE BITMAP \"images/bad.pix\"\nIDB_PICTURE BITMAP \"images/bad.pix\"\n",
       "colors\nk 000000\nsize 1 1\npixels\nk\n",
       dir_.Sub("neutral.rc") + ":2: duplicate bitmap id IDB_PICTURE (first defined on line 1)"},
      {"IDB_PICTURE BITMAP \"images/bad.pix\"\n", "colors\nk 000000\nsize 2 2\npixels\nkk\nkkk\n",
       pix + ":6: row has 3 pixels, expected 2"},
      {"IDB_PICTURE BITMAP \"images/bad.pix\"\n", "colors\nk 000000\nsize 2 1\npixels\nkx\n",
       pix + ":5: unknown color key 'x'"},
      {"IDB_PICTURE BITMAP \"images/bad.pix\"\n", "colors\nk 000000\nsize 1 2\npixels\nk\n",
       pix + ":5: expected 2 pixel rows, found 1"},
      {"IDB_PICTURE BITMAP \"images/bad.pix\"\n", "colors\nk 0000GG\n",
       pix + ":2: bad color '0000GG' (expected RRGGBB or transparent)"},
      {"IDB_PICTURE BITMAP \"images/bad.pix\"\n", "size 300 1\n",
       pix + ":1: image size must be 1 to 256 pixels each way"},
      {"IDB_PICTURE BITMAP \"images/bad.pix\"\n", "# nothing\n", pix + ":1: no image in the file"},
      {"IDB_PICTURE BITMAP \"images/bad.pix\"\n",
       "colors\nk 000000\nsize 1 1\npixels\nk\nsize 1 1\npixels\nk\n",
       pix + ":6: a bitmap holds one image"},
      {"IDB_PICTURE BITMAP \"images/bad.pix\"\n", "colors\nt 008080\nsize 1 1\npixels\nt\n",
       pix + ":5: color 008080 is the bitmap mask color; use a transparent key instead"},
      {"IDI_PICTURE ICON \"images/bad.pix\"\n",
       "colors\nk 000000\nsize 1 1\npixels\nk\nsize 1 1\npixels\nk\n",
       pix + ":6: a second image of size 1x1"},
  };
  for (const auto& c : cases) {
    dir_.WriteFile("images/bad.pix", c.image);
    const PwrcRun run = Compile(english, "", c.neutral);
    EXPECT_EQ(run.exit_code, 1) << c.neutral << c.image;
    EXPECT_EQ(run.errors, c.expected + "\n") << c.neutral << c.image;
  }
}

// A module's parts keep ids, images and texts in files of their own, compiled as one: the
// result is the one the same resources give in single files, and an id may be defined once.
TEST_F(PwrcTest, CompilesPartsTogether) {
  dir_.WriteFile("images/p.pix", "colors\nk 000000\nsize 1 1\npixels\nk\n");
  const PwrcRun whole = Compile("STRINGTABLE { IDS_A \"a\" IDS_D \"d\" }\n",
                                "STRINGTABLE { IDS_A \"x\" IDS_D \"y\" }\n",
                                "IDB_PICTURE BITMAP \"images/p.pix\"\n", "whole.cpp");
  ASSERT_EQ(whole.exit_code, 0) << whole.errors;

  const std::string part_a = dir_.WriteFile("a.h", "inline constexpr UINT IDS_A = 1;\n");
  const std::string part_d = dir_.WriteFile(
      "d.h", "inline constexpr UINT IDS_D = 4;\ninline constexpr UINT IDB_PICTURE = 100;\n");
  auto parts = [&](const std::string& german_d, const std::string& out) {
    return RunPwrc(
        dir_, {"--symbol", "kMine", "--header", part_a, "--header", part_d, "--out", dir_.Sub(out),
               "--neutral", dir_.WriteFile("d.rc", "IDB_PICTURE BITMAP \"images/p.pix\"\n"),
               "--language", "1033=" + dir_.WriteFile("a.en.rc", "STRINGTABLE { IDS_A \"a\" }\n"),
               "--language", "1031=" + dir_.WriteFile("a.de.rc", "STRINGTABLE { IDS_A \"x\" }\n"),
               "--language", "1033=" + dir_.WriteFile("d.en.rc", "STRINGTABLE { IDS_D \"d\" }\n"),
               "--language", "1031=" + dir_.WriteFile("d.de.rc", german_d)});
  };
  const PwrcRun split = parts("STRINGTABLE { IDS_D \"y\" }\n", "split.cpp");
  ASSERT_EQ(split.exit_code, 0) << split.errors;
  // Only the list of inputs in the leading comment differs.
  const std::string whole_text = dir_.ReadFile("whole.cpp");
  const std::string split_text = dir_.ReadFile("split.cpp");
  EXPECT_EQ(whole_text.substr(whole_text.find("namespace")),
            split_text.substr(split_text.find("namespace")));

  const PwrcRun twice = parts("STRINGTABLE { IDS_D \"y\" IDS_A \"z\" }\n", "twice.cpp");
  EXPECT_EQ(twice.exit_code, 1);
  EXPECT_EQ(twice.errors, dir_.Sub("d.de.rc") + ":1: string IDS_A is also defined in a.de.rc\n");
}

// A broken header or command line fails the run, with one message for each mistake.
TEST_F(PwrcTest, HeaderAndCommandLineErrors) {
  header_ = dir_.WriteFile("broken.h",
                           "inline constexpr UINT IDS_A = 1;\n"
                           "inline constexpr UINT IDS_B 2;\n"
                           "inline constexpr UINT IDS_A = 3;\n"
                           "inline constexpr UINT IDS_C = two;\n");
  const PwrcRun run = Compile("STRINGTABLE { IDS_A \"a\" }\n");
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.errors, header_ + ":2: cannot read the id declaration\n" + header_ +
                            ":3: IDS_A is declared twice\n" + header_ +
                            ":4: the value of IDS_C is not a number: two\n");

  const PwrcRun no_arguments = RunPwrc(dir_, {});
  EXPECT_EQ(no_arguments.exit_code, 1);
  EXPECT_EQ(no_arguments.errors.substr(0, 34), "pwrc: --symbol wants a C++ name\nus");
  const PwrcRun bad_language = RunPwrc(dir_, {"--symbol", "k", "--header", header_, "--out",
                                              dir_.Sub("x.cpp"), "--language", "english=x.rc"});
  EXPECT_EQ(bad_language.exit_code, 1);
  EXPECT_EQ(bad_language.errors.substr(0, bad_language.errors.find('\n')),
            "pwrc: --language wants LANGID=FILE with a language id from 1 to 65535");
}

}  // namespace
}  // namespace pw

namespace pw {
namespace {

constexpr char kDialogHeader[] =
    "inline constexpr UINT IDD_A = 100;\n"
    "inline constexpr UINT IDD_B = 101;\n"
    "inline constexpr UINT IDC_NAME = 1001;\n"
    "inline constexpr UINT IDC_FORCE = 1002;\n"
    "inline constexpr UINT IDC_LIST = 1003;\n"
    "inline constexpr UINT IDI_PICTURE = 101;\n";

// Dialog templates in language scripts.
class PwrcDialogTest : public PwrcTest {
 protected:
  void SetUp() override { header_ = dir_.WriteFile("resource.h", kDialogHeader); }
};

constexpr char kDialogA[] =
    "IDD_A DIALOGEX 0, 0, 200, 100\n"
    "STYLE DS_SETFONT | WS_POPUP | WS_CAPTION\n"
    "CAPTION \"Add \"\"user\"\"\"\n"
    "FONT 8, \"MS Shell Dlg\"\n"
    "BEGIN\n"
    "    LTEXT \"&Name:\", IDC_STATIC, 7, 9, 40, 8\n"
    "    EDITTEXT IDC_NAME, 50, 7, 100, 14, ES_AUTOHSCROLL | NOT WS_BORDER\n"
    "    AUTOCHECKBOX \"&Force\", IDC_FORCE, 7, 30, 60, 10, WS_DISABLED\n"
    "    CONTROL \"\", IDC_LIST, \"SysListView32\", LVS_REPORT | 0x8000, 7, 44, 186, -1, "
    "WS_EX_CLIENTEDGE\n"
    "    ICON IDI_PICTURE, -1, 7, 80\n"
    "    DEFPUSHBUTTON \"OK\", IDOK, 143, 80, 50, 14\n"
    "END\n";

// Controls are recorded with the Windows classes and the complete styles (the statement's
// defaults, WS_CHILD | WS_VISIBLE, what the script adds and NOT removes); the dialog table is
// part of its language.
TEST_F(PwrcDialogTest, CompilesTemplatesWithWindowsDefaults) {
  const PwrcRun run = Compile(kDialogA, kDialogA);
  EXPECT_EQ(run.errors, "");
  ASSERT_EQ(run.exit_code, 0);
  const std::string output = dir_.ReadFile("out.cpp");
  const char* expected[] = {
      "constexpr pw::DialogControlResource kDialog1033_100[] = {\n"
      "    {L\"STATIC\"sv, -1, L\"&Name:\"sv, 0, 7, 9, 40, 8, 0x50020000, 0x00000000},  // "
      "IDC_STATIC\n"
      "    {L\"EDIT\"sv, 1001, L\"\"sv, 0, 50, 7, 100, 14, 0x50010080, 0x00000000},  // IDC_NAME\n"
      "    {L\"BUTTON\"sv, 1002, L\"&Force\"sv, 0, 7, 30, 60, 10, 0x58010003, 0x00000000},  // "
      "IDC_FORCE\n"
      "    {L\"SysListView32\"sv, 1003, L\"\"sv, 0, 7, 44, 186, -1, 0x50008001, 0x00000200},  // "
      "IDC_LIST\n"
      "    {L\"STATIC\"sv, -1, L\"\"sv, 101, 7, 80, 0, 0, 0x50000003, 0x00000000},  // -1\n"
      "    {L\"BUTTON\"sv, 1, L\"OK\"sv, 0, 143, 80, 50, 14, 0x50010001, 0x00000000},  // IDOK\n"
      "};\n",
      "constexpr pw::DialogResource kDialogs1033[] = {\n"
      "    {100, L\"Add \\\"user\\\"\"sv, L\"MS Shell Dlg\"sv, 8, 0x80C00040, 0x00000000, 0, 0, "
      "200, 100, kDialog1033_100},  // IDD_A\n",
      "    {1033, {}, kDialogs1033},\n    {1031, {}, kDialogs1031},\n",
  };
  for (const char* text : expected) EXPECT_NE(output.find(text), std::string::npos) << text;
}

// Mistakes in a dialog block are reported at their line.
TEST_F(PwrcDialogTest, DialogErrors) {
  const struct {
    const char* script;
    const char* expected;
  } cases[] = {
      {"IDD_A DIALOGEX 0, 0, 10, 10\nSTYLE WS_POPUP | WS_BOGUS\nBEGIN\nEND\n",
       ":2: unknown style name WS_BOGUS"},
      {"IDD_A DIALOGEX 0, 0, 10, 10\nBEGIN\n  EDITTEXT IDC_NAME, 1, 1, 1, 1\n"
       "  EDITTEXT IDC_NAME, 1, 1, 1, 1\nEND\n",
       ":4: control id IDC_NAME is used twice in dialog IDD_A"},
      {"IDD_A DIALOGEX 0, 0, 10, 10\nBEGIN\n  LISTBOX IDC_NAME, 1, 1, 1, 1\nEND\n",
       ":3: unsupported control statement LISTBOX"},
      {"IDD_A DIALOGEX 0, 0, 10, 10\nBEGIN\n  EDITTEXT IDC_NAME, 1, 1, 1, 1\n",
       ":4: DIALOGEX IDD_A without END"},
      {"IDD_A DIALOGEX 0, 0, 10\nBEGIN\nEND\n", ":2: expected ',', found 'BEGIN'"},
      {"IDD_A DIALOGEX 0, 0, 10, 10\nBEGIN\n  PUSHBUTTON \"x\", IDC_NOPE, 1, 1, 1, 1\nEND\n",
       ":3: unknown id name IDC_NOPE"},
      {"IDD_A DIALOGEX 0, 0, 10, 10\nMENU 5\nBEGIN\nEND\n",
       ":2: expected BEGIN or a dialog option, found 'MENU'"},
      {"IDD_A DIALOGEX 0, 0, 10, 10\nBEGIN\nEND\nIDD_A DIALOGEX 0, 0, 10, 10\nBEGIN\nEND\n",
       ":4: duplicate dialog id IDD_A (first defined on line 1)"},
  };
  for (const auto& c : cases) {
    const PwrcRun run = Compile(c.script);
    EXPECT_EQ(run.exit_code, 1) << c.script;
    EXPECT_EQ(run.errors, dir_.Sub("en.rc") + c.expected + "\n") << c.script;
  }
  const PwrcRun neutral = Compile("", "", "IDD_A DIALOGEX 0, 0, 1, 1\nBEGIN\nEND\n");
  EXPECT_EQ(neutral.errors, dir_.Sub("neutral.rc") + ":1: dialogs belong in a language script\n");
}

// Every language defines the same dialogs with the same controls, or the run fails naming
// the dialog, the control and both languages' versions.
TEST_F(PwrcDialogTest, LanguagesMustAgree) {
  const std::string b = "IDD_B DIALOGEX 0, 0, 10, 10\nBEGIN\nEND\n";
  const PwrcRun missing = Compile(std::string(kDialogA) + b, kDialogA);
  EXPECT_EQ(missing.exit_code, 1);
  EXPECT_EQ(missing.errors,
            dir_.Sub("de.rc") + ":1: missing dialogs that another language defines: IDD_B\n");

  std::string other_kind = kDialogA;
  other_kind.replace(other_kind.find("AUTOCHECKBOX"), 12, "PUSHBUTTON");
  const PwrcRun kind = Compile(kDialogA, other_kind);
  EXPECT_EQ(kind.exit_code, 1);
  EXPECT_EQ(kind.errors, dir_.Sub("de.rc") +
                             ":8: control 3 of dialog IDD_A is IDC_FORCE (push button), IDC_FORCE "
                             "(check box) in " +
                             dir_.Sub("en.rc") + "\n");

  std::string fewer = kDialogA;
  fewer.erase(fewer.find("    ICON"), fewer.find("    DEFPUSHBUTTON") - fewer.find("    ICON"));
  const PwrcRun count = Compile(kDialogA, fewer);
  EXPECT_EQ(count.exit_code, 1);
  EXPECT_EQ(count.errors, dir_.Sub("de.rc") + ":1: dialog IDD_A has 5 controls, 6 in " +
                              dir_.Sub("en.rc") + "\n");
  EXPECT_FALSE(dir_.Exists("out.cpp"));
}

}  // namespace
}  // namespace pw
