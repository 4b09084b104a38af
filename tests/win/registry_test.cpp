// The registry file: value types, names, file format, deletion, errors and other processes.
#include "platform/win/registry.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/com/strings.h"
#include "platform/win/files.h"
#include "platform/win/registry_format.h"
#include "tests/support/process_helpers.h"
#include "tests/support/temp_installation.h"

namespace {

using pw::test::ChildSucceeded;
using pw::test::SpawnChild;
using pw::test::TempRegistry;

// Replaces the file as the registry's writers do, so that the change is seen at once.
void ReplaceFile(const std::string& path, const std::string& bytes) {
  ASSERT_TRUE(pw::WriteFileAtomically(path, bytes));
}

std::string ReadFile(const std::string& path) {
  std::string bytes;
  pw::ReadFileBytes(path, &bytes);
  return bytes;
}

std::vector<std::wstring> SubkeyNames(HKEY key) {
  std::vector<std::wstring> names;
  std::wstring name;
  for (DWORD i = 0; RegEnumKeyEx(key, i, &name) == ERROR_SUCCESS; ++i) names.push_back(name);
  return names;
}

std::vector<std::wstring> ValueNames(HKEY key) {
  std::vector<std::wstring> names;
  std::wstring name;
  for (DWORD i = 0; RegEnumValue(key, i, &name, nullptr) == ERROR_SUCCESS; ++i) {
    names.push_back(name);
  }
  return names;
}

RegValue Typed(DWORD type) {
  RegValue value;
  value.type = type;
  return value;
}

// Every value type and every awkward name and text comes back unchanged from the file.
TEST(Registry, RoundTripsEveryTypeAndAwkwardNames) {
  TempRegistry registry;
  const std::wstring key_name = L"SOFTWARE\\Grüße ] [x \"q\"\\  spaced  ";
  std::string binary;
  for (int i = 0; i < 100; ++i) binary += static_cast<char>(i * 7);

  std::vector<std::pair<std::wstring, RegValue>> values = {
      {L"", RegValue::String(L"default")},
      {L"@", RegValue::String(L"at sign, not the default")},
      {L"quote\"d", RegValue::String(L"C:\\Path\\\"quoted\"\\")},
      {L"back\\slash", RegValue::String(L"")},
      {L"Grüße ☎", RegValue::String(L"Grüße \U0001F4E0")},
      {L"line\nbreak", RegValue::String(L"two\nlines")},
      {L"cr\rname", RegValue::String(L"ends with cr\r")},
      {std::wstring(L"nul\0name", 8), RegValue::String(std::wstring(L"nul\0inside", 10))},
      {L"  spaced  ", RegValue::String(L"  spaced text  ")},
      {L";=[x]", RegValue::String(L"\\n is not a line break")},
      {L"expand", RegValue::String(L"%ProgramFiles%\\Pagewell", REG_EXPAND_SZ)},
      {L"dword zero", RegValue::Dword(0)},
      {L"dword max", RegValue::Dword(0xFFFFFFFF)},
      {L"binary", Typed(REG_BINARY)},
      {L"binary empty", Typed(REG_BINARY)},
      {L"none", Typed(REG_NONE)},
      {L"custom type", Typed(0x12345)},
      {L"qword", Typed(REG_QWORD)},
      {L"multi empty", Typed(REG_MULTI_SZ)},
      {L"multi one empty", Typed(REG_MULTI_SZ)},
      {L"multi", Typed(REG_MULTI_SZ)},
  };
  for (auto& [name, value] : values) {
    if (name == L"binary") value.bytes = binary;
    if (name == L"none") value.bytes = "x";
    if (name == L"custom type") value.bytes = std::string("\0\xFF", 2);
    if (name == L"qword") value.number = 0x0123456789ABCDEFull;
    if (name == L"multi one empty") value.strings = {L""};
    if (name == L"multi") value.strings = {L"first", L"", L"Grüße", L"last"};
  }

  CRegKey key;
  ASSERT_EQ(key.Create(HKEY_LOCAL_MACHINE, key_name), ERROR_SUCCESS);
  for (const auto& [name, value] : values) {
    ASSERT_EQ(RegSetValueEx(key.m_hKey(), name, value), ERROR_SUCCESS) << pw::ToUtf8(name);
  }
  key.Close();

  // Read everything again from the file alone.
  pw::SetRegistryFilePath(registry.file());
  ASSERT_EQ(key.Open(HKEY_LOCAL_MACHINE, key_name), ERROR_SUCCESS);
  for (const auto& [name, value] : values) {
    RegValue read;
    ASSERT_EQ(RegQueryValueEx(key.m_hKey(), name, &read), ERROR_SUCCESS) << pw::ToUtf8(name);
    EXPECT_EQ(read, value) << pw::ToUtf8(name);
  }
  EXPECT_EQ(ValueNames(key.m_hKey()).size(), values.size());

  // Texts that cannot stand between quotes are kept as hex(1); names use escapes.
  const std::string file = ReadFile(registry.file());
  EXPECT_NE(file.find("\"line\\nbreak\"=hex(1):74,00,77,00,6f,00,0a,00,6c,00"), std::string::npos);
  EXPECT_NE(file.find("\"nul\\0name\"=hex(1):"), std::string::npos);
  EXPECT_NE(file.find("\"quote\\\"d\"=\"C:\\\\Path\\\\\\\"quoted\\\"\\\\\"\n"), std::string::npos);
  EXPECT_NE(file.find("\"multi one empty\"=hex(7):00,00,00,00\n"), std::string::npos);
  EXPECT_NE(file.find("\"multi empty\"=hex(7):00,00\n"), std::string::npos);
  EXPECT_NE(file.find("\"qword\"=hex(b):ef,cd,ab,89,67,45,23,01\n"), std::string::npos);
  EXPECT_NE(file.find("\"custom type\"=hex(12345):00,ff\n"), std::string::npos);
}

// A REG_SZ "5" and a REG_DWORD 5 stay what they are, and typed reads refuse the other type.
TEST(Registry, KeepsStringAndDwordDistinct) {
  TempRegistry registry;
  CRegKey key;
  ASSERT_EQ(key.Create(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Pagewell"), ERROR_SUCCESS);
  ASSERT_EQ(key.SetStringValue(L"Build", L"5"), ERROR_SUCCESS);
  ASSERT_EQ(key.SetDWORDValue(L"Count", 5), ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueEx(key.m_hKey(), L"Home", RegValue::String(L"%TEMP%", REG_EXPAND_SZ)),
            ERROR_SUCCESS);

  pw::SetRegistryFilePath(registry.file());
  DWORD number = 77;
  std::wstring text = L"unchanged";
  EXPECT_EQ(key.QueryDWORDValue(L"Build", &number), ERROR_INVALID_DATATYPE);
  EXPECT_EQ(number, 77u);
  EXPECT_EQ(key.QueryStringValue(L"Count", &text), ERROR_INVALID_DATATYPE);
  EXPECT_EQ(text, L"unchanged");
  EXPECT_EQ(key.QueryStringValue(L"Build", &text), ERROR_SUCCESS);
  EXPECT_EQ(text, L"5");
  EXPECT_EQ(key.QueryDWORDValue(L"Count", &number), ERROR_SUCCESS);
  EXPECT_EQ(number, 5u);
  EXPECT_EQ(key.QueryStringValue(L"Home", &text), ERROR_SUCCESS);  // expandable text is text
  EXPECT_EQ(text, L"%TEMP%");
  EXPECT_EQ(key.QueryDWORDValue(L"Missing", &number), ERROR_FILE_NOT_FOUND);

  const std::string file = ReadFile(registry.file());
  EXPECT_NE(file.find("\"Build\"=\"5\"\n"), std::string::npos);
  EXPECT_NE(file.find("\"Count\"=dword:00000005\n"), std::string::npos);
}

// A small registry is written byte for byte as expected: sorted sections, parents first, empty
// keys as sections of their own, lowercase hex wrapped at 80 columns.
TEST(RegistryFormat, WritesExactBytes) {
  TempRegistry registry;
  CRegKey key;
  ASSERT_EQ(key.Create(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Pagewell\\Server"), ERROR_SUCCESS);
  ASSERT_EQ(key.SetStringValue(L"Path", L"C:\\Fax \"Main\""), ERROR_SUCCESS);
  ASSERT_EQ(key.SetDWORDValue(L"Build", 10), ERROR_SUCCESS);
  ASSERT_EQ(key.SetStringValue(L"Note", L"a\nb"), ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueEx(key.m_hKey(), L"", RegValue::String(L"%A%", REG_EXPAND_SZ)),
            ERROR_SUCCESS);
  RegValue blob = Typed(REG_BINARY);
  for (int i = 0; i < 40; ++i) blob.bytes += static_cast<char>(i);
  ASSERT_EQ(RegSetValueEx(key.m_hKey(), L"Blob", blob), ERROR_SUCCESS);
  ASSERT_EQ(key.Create(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Pagewell\\empty"), ERROR_SUCCESS);
  ASSERT_EQ(key.Create(HKEY_CLASSES_ROOT, L"CLSID\\{1}"), ERROR_SUCCESS);
  ASSERT_EQ(key.SetStringValue(L"", L"lib.so"), ERROR_SUCCESS);
  key.Close();

  EXPECT_EQ(ReadFile(registry.file()),
            "Windows Registry Editor Version 5.00\n"
            "\n"
            "[HKEY_CLASSES_ROOT\\CLSID]\n"
            "\n"
            "[HKEY_CLASSES_ROOT\\CLSID\\{1}]\n"
            "@=\"lib.so\"\n"
            "\n"
            "[HKEY_LOCAL_MACHINE\\SOFTWARE]\n"
            "\n"
            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Pagewell]\n"
            "\n"
            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Pagewell\\empty]\n"
            "\n"
            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Pagewell\\Server]\n"
            "@=hex(2):25,00,41,00,25,00,00,00\n"
            "\"Blob\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,\\\n"
            "  16,17,18,19,1a,1b,1c,1d,1e,1f,20,21,22,23,24,25,26,27\n"
            "\"Build\"=dword:0000000a\n"
            "\"Note\"=hex(1):61,00,0a,00,62,00,00,00\n"
            "\"Path\"=\"C:\\\\Fax \\\"Main\\\"\"\n"
            "\n");
}

// A file as regedit writes it (UTF-16LE with its mark, CRLF, continued hex lines, capitals)
// reads with every type intact.
TEST(RegistryFormat, ReadsUtf16RegeditFile) {
  TempRegistry registry;
  const std::wstring text =
      L"Windows Registry Editor Version 5.00\r\n"
      L"\r\n"
      L"[HKEY_LOCAL_MACHINE\\SOFTWARE\\Pagewell]\r\n"
      L"\"Name\"=\"Grüße\"\r\n"
      L"\"Count\"=dword:0000002A\r\n"
      L"\"Paths\"=hex(7):61,00,00,00,62,00,00,00,00,00\r\n"
      L"\"Home\"=hex(2):25,00,54,00,\\\r\n"
      L"  25,00,00,00\r\n"
      L"\"Big\"=hex(b):01,00,00,00,00,00,00,80\r\n"
      L"\"Raw\"=hex:DE,AD\r\n"
      L"\r\n";
  ReplaceFile(registry.file(), "\xFF\xFE" + pw::ToUtf16Le(text));

  CRegKey key;
  ASSERT_EQ(key.Open(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Pagewell", KEY_ALL_ACCESS), ERROR_SUCCESS);
  std::wstring name;
  EXPECT_EQ(key.QueryStringValue(L"Name", &name), ERROR_SUCCESS);
  EXPECT_EQ(name, L"Grüße");
  DWORD count = 0;
  EXPECT_EQ(key.QueryDWORDValue(L"Count", &count), ERROR_SUCCESS);
  EXPECT_EQ(count, 42u);
  RegValue value;
  ASSERT_EQ(RegQueryValueEx(key.m_hKey(), L"Paths", &value), ERROR_SUCCESS);
  EXPECT_EQ(value.type, REG_MULTI_SZ);
  EXPECT_EQ(value.strings, (std::vector<std::wstring>{L"a", L"b"}));
  ASSERT_EQ(RegQueryValueEx(key.m_hKey(), L"Home", &value), ERROR_SUCCESS);
  EXPECT_EQ(value, RegValue::String(L"%T%", REG_EXPAND_SZ));
  ASSERT_EQ(RegQueryValueEx(key.m_hKey(), L"Big", &value), ERROR_SUCCESS);
  EXPECT_EQ(value.type, REG_QWORD);
  EXPECT_EQ(value.number, 0x8000000000000001ull);
  ASSERT_EQ(RegQueryValueEx(key.m_hKey(), L"Raw", &value), ERROR_SUCCESS);
  EXPECT_EQ(value.type, REG_BINARY);
  EXPECT_EQ(value.bytes, "\xDE\xAD");

  // A write rewrites it in our own form, UTF-8, losing nothing.
  ASSERT_EQ(key.SetDWORDValue(L"Count", 43), ERROR_SUCCESS);
  const std::string file = ReadFile(registry.file());
  EXPECT_TRUE(file.starts_with("Windows Registry Editor Version 5.00\n\n"));
  EXPECT_NE(file.find("\"Name\"=\"Gr\xC3\xBC\xC3\x9F"
                      "e\"\n"),
            std::string::npos);
  EXPECT_NE(file.find("\"Paths\"=hex(7):61,00,00,00,62,00,00,00,00,00\n"), std::string::npos);
}

// Names compare without regard to case and keep the case they were created with.
TEST(Registry, CaseInsensitiveNamesKeepTheirCase) {
  TempRegistry registry;
  CRegKey key;
  ASSERT_EQ(key.Create(HKEY_LOCAL_MACHINE, L"SOFTWARE\\PageWell"), ERROR_SUCCESS);
  ASSERT_EQ(key.SetStringValue(L"ServerName", L"FAXSRV"), ERROR_SUCCESS);

  CRegKey other;
  DWORD disposition = 0;
  HKEY created = nullptr;
  ASSERT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, L"software\\PAGEWELL", KEY_ALL_ACCESS, &created,
                           &disposition),
            ERROR_SUCCESS);
  EXPECT_EQ(disposition, static_cast<DWORD>(REG_OPENED_EXISTING_KEY));
  ASSERT_EQ(RegSetValueEx(created, L"SERVERNAME", RegValue::String(L"OTHER")), ERROR_SUCCESS);
  ASSERT_EQ(RegCloseKey(created), ERROR_SUCCESS);

  ASSERT_EQ(other.Open(HKEY_LOCAL_MACHINE, L"Software\\pagewell\\"), ERROR_SUCCESS);
  std::wstring text;
  EXPECT_EQ(other.QueryStringValue(L"servername", &text), ERROR_SUCCESS);
  EXPECT_EQ(text, L"OTHER");
  EXPECT_EQ(ValueNames(other.m_hKey()), std::vector<std::wstring>{L"ServerName"});
  CRegKey software;
  ASSERT_EQ(software.Open(HKEY_LOCAL_MACHINE, L"SOFTWARE"), ERROR_SUCCESS);
  EXPECT_EQ(SubkeyNames(software.m_hKey()), std::vector<std::wstring>{L"PageWell"});
  EXPECT_EQ(other.Open(HKEY_LOCAL_MACHINE, L"SOFTWARE\\PageWell2"), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(other.Open(HKEY_CURRENT_USER, L"SOFTWARE\\PageWell"), ERROR_FILE_NOT_FOUND);
}

// Subkeys and values enumerate sorted as Windows sorts them, by their capitals (so "_" comes
// after the letters), then ERROR_NO_MORE_ITEMS.
TEST(Registry, EnumerationOrder) {
  TempRegistry registry;
  CRegKey key;
  ASSERT_EQ(key.Create(HKEY_CURRENT_USER, L"Order"), ERROR_SUCCESS);
  for (const wchar_t* name : {L"beta", L"Alpha", L"gamma", L"ALPHA2", L"_under"}) {
    CRegKey child;
    ASSERT_EQ(child.Create(key.m_hKey(), name), ERROR_SUCCESS);
    ASSERT_EQ(key.SetDWORDValue(name, 1), ERROR_SUCCESS);
  }
  ASSERT_EQ(key.SetStringValue(L"", L"default"), ERROR_SUCCESS);

  EXPECT_EQ(SubkeyNames(key.m_hKey()),
            (std::vector<std::wstring>{L"Alpha", L"ALPHA2", L"beta", L"gamma", L"_under"}));
  EXPECT_EQ(ValueNames(key.m_hKey()),
            (std::vector<std::wstring>{L"", L"Alpha", L"ALPHA2", L"beta", L"gamma", L"_under"}));
  std::wstring name = L"kept";
  EXPECT_EQ(RegEnumKeyEx(key.m_hKey(), 5, &name), ERROR_NO_MORE_ITEMS);
  EXPECT_EQ(RegEnumValue(key.m_hKey(), 6, &name, nullptr), ERROR_NO_MORE_ITEMS);
  EXPECT_EQ(name, L"kept");
}

// Deleting values, keys and trees; handles on deleted keys answer ERROR_KEY_DELETED, also when
// a key of the same name is created again.
TEST(Registry, DeleteSemantics) {
  TempRegistry registry;
  CRegKey root;
  ASSERT_EQ(root.Create(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Pagewell"), ERROR_SUCCESS);
  CRegKey routes;
  ASSERT_EQ(routes.Create(root.m_hKey(), L"Routes\\Inbound"), ERROR_SUCCESS);
  ASSERT_EQ(routes.SetStringValue(L"Target", L"x"), ERROR_SUCCESS);
  CRegKey leaf;
  ASSERT_EQ(leaf.Create(root.m_hKey(), L"Leaf"), ERROR_SUCCESS);
  ASSERT_EQ(leaf.SetDWORDValue(L"N", 1), ERROR_SUCCESS);

  EXPECT_EQ(root.DeleteValue(L"Missing"), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(leaf.DeleteValue(L"n"), ERROR_SUCCESS);
  EXPECT_EQ(leaf.DeleteValue(L"N"), ERROR_FILE_NOT_FOUND);

  EXPECT_EQ(RegDeleteKey(root.m_hKey(), L"Routes"), ERROR_ACCESS_DENIED);  // has a subkey
  EXPECT_EQ(RegDeleteKey(root.m_hKey(), L"Nothing"), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegDeleteKey(HKEY_LOCAL_MACHINE, L""), ERROR_ACCESS_DENIED);
  ASSERT_EQ(RegDeleteKey(root.m_hKey(), L"LEAF"), ERROR_SUCCESS);
  DWORD number = 0;
  EXPECT_EQ(leaf.QueryDWORDValue(L"N", &number), ERROR_KEY_DELETED);
  EXPECT_EQ(leaf.SetDWORDValue(L"N", 2), ERROR_KEY_DELETED);
  EXPECT_EQ(SubkeyNames(root.m_hKey()), std::vector<std::wstring>{L"Routes"});

  // The same name created again is another key for the old handle.
  CRegKey again;
  ASSERT_EQ(again.Create(root.m_hKey(), L"Leaf"), ERROR_SUCCESS);
  EXPECT_EQ(leaf.SetDWORDValue(L"N", 3), ERROR_KEY_DELETED);
  EXPECT_EQ(again.SetDWORDValue(L"N", 3), ERROR_SUCCESS);
  HKEY below = nullptr;
  EXPECT_EQ(RegOpenKeyEx(leaf.m_hKey(), L"", KEY_READ, &below), ERROR_KEY_DELETED);
  EXPECT_EQ(below, nullptr);
  EXPECT_EQ(leaf.Close(), ERROR_SUCCESS);

  // An empty sub key empties the key itself; a named one goes with everything below it.
  CRegKey routes_key;
  ASSERT_EQ(routes_key.Open(root.m_hKey(), L"Routes", KEY_ALL_ACCESS), ERROR_SUCCESS);
  ASSERT_EQ(routes_key.SetStringValue(L"Mode", L"1"), ERROR_SUCCESS);
  ASSERT_EQ(RegDeleteTree(routes_key.m_hKey(), L""), ERROR_SUCCESS);
  EXPECT_TRUE(SubkeyNames(routes_key.m_hKey()).empty());
  EXPECT_TRUE(ValueNames(routes_key.m_hKey()).empty());
  EXPECT_EQ(routes.SetStringValue(L"Target", L"y"), ERROR_KEY_DELETED);
  ASSERT_EQ(RegDeleteTree(root.m_hKey(), L"routes"), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteTree(root.m_hKey(), L"routes"), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(routes_key.SetStringValue(L"Mode", L"2"), ERROR_KEY_DELETED);
  EXPECT_EQ(SubkeyNames(root.m_hKey()), std::vector<std::wstring>{L"Leaf"});

  // RecurseDeleteKey removes the named key and its subtree.
  ASSERT_EQ(again.Create(root.m_hKey(), L"Tree\\A\\B"), ERROR_SUCCESS);
  ASSERT_EQ(root.RecurseDeleteKey(L"Tree"), ERROR_SUCCESS);
  EXPECT_EQ(again.SetDWORDValue(L"N", 4), ERROR_KEY_DELETED);
  EXPECT_EQ(SubkeyNames(root.m_hKey()), std::vector<std::wstring>{L"Leaf"});
  EXPECT_EQ(root.RecurseDeleteKey(L"Tree"), ERROR_FILE_NOT_FOUND);
}

// Handles, access rights and arguments that Windows refuses are refused the same way.
TEST(Registry, RefusesBadHandlesAndArguments) {
  TempRegistry registry;
  CRegKey key;
  ASSERT_EQ(key.Create(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Pagewell"), ERROR_SUCCESS);
  HKEY closed = nullptr;
  ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, L"SOFTWARE", KEY_READ, &closed), ERROR_SUCCESS);
  ASSERT_EQ(RegCloseKey(closed), ERROR_SUCCESS);
  std::wstring name;
  EXPECT_EQ(RegEnumKeyEx(closed, 0, &name), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegCloseKey(closed), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegQueryValueEx(nullptr, L"x", nullptr), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegCloseKey(HKEY_LOCAL_MACHINE), ERROR_SUCCESS);

  CRegKey read_only;
  ASSERT_EQ(read_only.Open(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Pagewell", KEY_READ), ERROR_SUCCESS);
  EXPECT_EQ(read_only.SetDWORDValue(L"N", 1), ERROR_ACCESS_DENIED);
  EXPECT_EQ(read_only.DeleteValue(L"N"), ERROR_ACCESS_DENIED);
  HKEY sub = nullptr;
  EXPECT_EQ(RegCreateKeyEx(read_only.m_hKey(), L"New", KEY_READ, &sub), ERROR_ACCESS_DENIED);
  CRegKey write_only;
  ASSERT_EQ(write_only.Open(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Pagewell", KEY_WRITE), ERROR_SUCCESS);
  DWORD number = 0;
  EXPECT_EQ(write_only.QueryDWORDValue(L"N", &number), ERROR_ACCESS_DENIED);
  EXPECT_EQ(write_only.SetDWORDValue(L"N", 1), ERROR_SUCCESS);

  DWORD disposition = 0;
  ASSERT_EQ(RegCreateKeyEx(key.m_hKey(), L"New\\Deeper", KEY_ALL_ACCESS, &sub, &disposition),
            ERROR_SUCCESS);
  EXPECT_EQ(disposition, static_cast<DWORD>(REG_CREATED_NEW_KEY));
  RegCloseKey(sub);
  EXPECT_EQ(key.Create(HKEY_LOCAL_MACHINE, L"SOFTWARE\\bad\nname"), ERROR_INVALID_PARAMETER);
  std::wstring too_deep;
  for (int i = 0; i < 513; ++i) too_deep += L"k\\";
  EXPECT_EQ(key.Create(HKEY_LOCAL_MACHINE, too_deep), ERROR_INVALID_PARAMETER);
  RegValue wide_dword = RegValue::Dword(0);
  wide_dword.number = 0x100000000ull;
  EXPECT_EQ(RegSetValueEx(write_only.m_hKey(), L"N", wide_dword), ERROR_INVALID_PARAMETER);
  RegValue multi = Typed(REG_MULTI_SZ);
  multi.strings = {std::wstring(L"a\0b", 3)};
  EXPECT_EQ(RegSetValueEx(write_only.m_hKey(), L"M", multi), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, L"SOFTWARE", KEY_READ, nullptr),
            ERROR_INVALID_PARAMETER);
}

// Each kind of damage is reported with its line; nothing partial is read.
TEST(RegistryFormat, ReportsMalformedFilesWithTheirLine) {
  const std::string header = "Windows Registry Editor Version 5.00\n\n";
  const std::string key = "[HKEY_LOCAL_MACHINE\\SOFTWARE]\n";
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"REGEDIT4\n\n" + key, "1: missing header \"Windows Registry Editor Version 5.00\""},
      {header + "[HKEY_USERS\\x]\n", "3: unknown root key \"HKEY_USERS\""},
      {header + key + "\"a\"=dword:1234567890\n", "4: bad dword value \"1234567890\""},
      {header + key + "\"a\"=dword:xyz\n", "4: bad dword value \"xyz\""},
      {header + key + "\"a\"=\"open\n\"b\"=\"c\"\n", "4: unterminated string"},
      {header + key + "\"a\"=\"b\\\"\n", "4: unterminated string"},
      {header + "[-HKEY_LOCAL_MACHINE\\SOFTWARE]\n", "3: deletion entries are not supported"},
      {header + key + "\"a\"=-\n", "4: deletion entries are not supported"},
      {header + key + "\n\ngarbage here\n", "6: unexpected line \"garbage here\""},
      {header + "\"a\"=\"b\"\n", "3: value outside a key"},
      {header + key + "\"a\"=hex:00,0g\n", "4: bad hex byte \"0g\""},
      {header + key + "\"a\"=hex:00,\\\n  01,,02\n", "5: missing hex byte"},
      {header + key + "\"a\"=hex:00,\\\n", "4: line continuation without a following line"},
      {header + key + "\"a\"=hex:00,\\\n\n\"b\"=\"c\"\n",
       "4: line continuation without a following line"},
      {header + key + "\"a\"=hex(4):01,02\n", "4: a REG_DWORD value needs 4 bytes, not 2"},
      {header + key + "\"a\"=hex(zz):01\n", "4: bad value type \"(zz):01\""},
      {header + key + "\"a\"=word:1\n", "4: unknown value data \"word:1\""},
      {header + key + "\"a\" \"b\"\n", "4: expected '=' after the value name"},
      {header + key + "\"a\"=\"b\" c\n", "4: unexpected text after the value \" c\""},
      {header + "[HKEY_LOCAL_MACHINE\\x\n", "3: key line without closing ']'"},
  };
  for (const auto& [text, expected] : cases) {
    pw::RegistryTree tree;
    tree.Root(pw::RegistryRoot::kLocalMachine).AddSubkey(L"left over");
    std::string error;
    EXPECT_FALSE(pw::ParseRegistryText(text, &tree, &error)) << text;
    EXPECT_EQ(error, expected) << text;
    EXPECT_EQ(tree, pw::RegistryTree()) << text;
  }
  // Blank input is an empty registry; comments and blank lines are allowed.
  pw::RegistryTree tree;
  std::string error = "stale";
  EXPECT_TRUE(pw::ParseRegistryText(" \n\n", &tree, &error));
  EXPECT_EQ(error, "");
  EXPECT_TRUE(
      pw::ParseRegistryText(header + "; note\n" + key + "  \"a\" = \"b\"  \n", &tree, &error));
  EXPECT_EQ(error, "");
}

// A damaged file makes every operation answer ERROR_BADDB and is never overwritten; once
// repaired, the registry works again.
TEST(Registry, MalformedFileIsNeverOverwritten) {
  TempRegistry registry;
  CRegKey key;
  ASSERT_EQ(key.Create(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Pagewell\\Sub"), ERROR_SUCCESS);
  ASSERT_EQ(key.Open(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Pagewell", KEY_ALL_ACCESS), ERROR_SUCCESS);
  const std::string sound = ReadFile(registry.file());
  EXPECT_EQ(pw::RegistryLastError(), "");

  const std::string damaged =
      "Windows Registry Editor Version 5.00\n\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Pagewell]\n"
      "\"Build\"=dword:12x\n";
  ReplaceFile(registry.file(), damaged);

  HKEY opened = nullptr;
  EXPECT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, L"SOFTWARE", KEY_READ, &opened), ERROR_BADDB);
  EXPECT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, L"SOFTWARE\\New", KEY_ALL_ACCESS, &opened),
            ERROR_BADDB);
  EXPECT_EQ(opened, nullptr);
  RegValue value;
  std::wstring name;
  const HKEY handle = key.m_hKey();
  EXPECT_EQ(RegQueryValueEx(handle, L"Build", &value), ERROR_BADDB);
  EXPECT_EQ(RegSetValueEx(handle, L"Build", RegValue::Dword(1)), ERROR_BADDB);
  EXPECT_EQ(RegDeleteValue(handle, L"Build"), ERROR_BADDB);
  EXPECT_EQ(RegDeleteKey(handle, L"Sub"), ERROR_BADDB);
  EXPECT_EQ(RegDeleteTree(handle, L""), ERROR_BADDB);
  EXPECT_EQ(RegEnumKeyEx(handle, 0, &name), ERROR_BADDB);
  EXPECT_EQ(RegEnumValue(handle, 0, &name, &value), ERROR_BADDB);
  EXPECT_EQ(pw::RegistryLastError(), registry.file() + ":4: bad dword value \"12x\"");
  EXPECT_EQ(ReadFile(registry.file()), damaged);

  ReplaceFile(registry.file(), sound);
  EXPECT_EQ(pw::RegistryLastError(), "");
  EXPECT_EQ(key.SetDWORDValue(L"Build", 1), ERROR_SUCCESS);
  EXPECT_EQ(SubkeyNames(handle), std::vector<std::wstring>{L"Sub"});
}

// A missing file reads as an empty registry; the first write creates its folder and file.
TEST(Registry, MissingFileIsEmptyUntilTheFirstWrite) {
  TempRegistry registry;
  const std::string file = registry.dir().Sub("not/yet/there.reg");
  pw::SetRegistryFilePath(file);
  HKEY key = nullptr;
  EXPECT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, L"SOFTWARE", KEY_READ, &key), ERROR_FILE_NOT_FOUND);
  EXPECT_TRUE(SubkeyNames(HKEY_LOCAL_MACHINE).empty());
  EXPECT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, L"", KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
  EXPECT_FALSE(registry.dir().Exists("not/yet/there.reg"));
  EXPECT_EQ(pw::RegistryLastError(), "");

  CRegKey created;
  ASSERT_EQ(created.Create(HKEY_CURRENT_USER, L"Console"), ERROR_SUCCESS);
  EXPECT_EQ(ReadFile(file),
            "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Console]\n\n");
}

// The file comes from PAGEWELL_REGISTRY, else from the user's data folder.
TEST(Registry, FilePathFromTheEnvironment) {
  TempRegistry registry;
  {
    pw::test::ScopedEnv file("PAGEWELL_REGISTRY", registry.dir().Sub("from-env.reg"));
    pw::SetRegistryFilePath("");
    EXPECT_EQ(pw::RegistryFilePath(), registry.dir().Sub("from-env.reg"));
    CRegKey key;
    ASSERT_EQ(key.Create(HKEY_LOCAL_MACHINE, L"SOFTWARE"), ERROR_SUCCESS);
    EXPECT_TRUE(registry.dir().Exists("from-env.reg"));
  }
  pw::test::ScopedEnv no_file("PAGEWELL_REGISTRY", std::nullopt);
  pw::test::ScopedEnv data("XDG_DATA_HOME", registry.dir().Sub("data"));
  EXPECT_EQ(pw::RegistryFilePath(), registry.dir().Sub("data") + "/pagewell/registry.reg");
  pw::SetRegistryFilePath(registry.file());
  EXPECT_EQ(pw::RegistryFilePath(), registry.file());
}

// Two processes writing 200 values each at the same time lose none of them.
TEST(Registry, ConcurrentProcessesLoseNoValue) {
  TempRegistry registry;
  CRegKey key;
  ASSERT_EQ(key.Create(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Shared"), ERROR_SUCCESS);
  const auto writer = [](const wchar_t* prefix) {
    return [prefix] {
      CRegKey own;
      if (own.Open(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Shared", KEY_ALL_ACCESS) != ERROR_SUCCESS) {
        return false;
      }
      for (DWORD i = 0; i < 200; ++i) {
        if (own.SetDWORDValue(prefix + std::to_wstring(i), i) != ERROR_SUCCESS) return false;
      }
      return true;
    };
  };
  const pid_t first = SpawnChild(writer(L"first "));
  const pid_t second = SpawnChild(writer(L"second "));
  EXPECT_TRUE(ChildSucceeded(first, std::chrono::seconds(120)));
  EXPECT_TRUE(ChildSucceeded(second, std::chrono::seconds(120)));

  std::size_t found = 0;
  for (const wchar_t* prefix : {L"first ", L"second "}) {
    for (DWORD i = 0; i < 200; ++i) {
      DWORD number = 0xFFFF;
      if (key.QueryDWORDValue(prefix + std::to_wstring(i), &number) == ERROR_SUCCESS &&
          number == i) {
        ++found;
      }
    }
  }
  EXPECT_EQ(found, 400u);
  EXPECT_EQ(ValueNames(key.m_hKey()).size(), 400u);
}

// What another process writes or deletes is seen through a handle opened before.
TEST(Registry, SeesOtherProcessesWithoutReopening) {
  TempRegistry registry;
  CRegKey key;
  ASSERT_EQ(key.Create(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Pagewell"), ERROR_SUCCESS);
  std::wstring text;
  EXPECT_EQ(key.QueryStringValue(L"Server", &text), ERROR_FILE_NOT_FOUND);

  EXPECT_TRUE(ChildSucceeded(SpawnChild([] {
                               CRegKey own;
                               return own.Open(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Pagewell",
                                               KEY_WRITE) == ERROR_SUCCESS &&
                                      own.SetStringValue(L"Server", L"FAXSRV") == ERROR_SUCCESS;
                             }),
                             std::chrono::seconds(30)));
  EXPECT_EQ(key.QueryStringValue(L"Server", &text), ERROR_SUCCESS);
  EXPECT_EQ(text, L"FAXSRV");

  EXPECT_TRUE(ChildSucceeded(SpawnChild([] {
                               return RegDeleteTree(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Pagewell") ==
                                      ERROR_SUCCESS;
                             }),
                             std::chrono::seconds(30)));
  EXPECT_EQ(key.QueryStringValue(L"Server", &text), ERROR_KEY_DELETED);
}

}  // namespace
