// Console documents: the checked format, and a console saved and opened again with its
// snap-in's stream, views and column settings; damaged documents load nothing.
#include "mmc/host/console_document.h"

#include <gtest/gtest.h>

#include "mmc/host/byte_codec.h"
#include "tests/mmc/console_fixture.h"

namespace pw::mmc::test {
namespace {

using Entries = std::vector<std::wstring>;

ConsoleDocument Sample() {
  ConsoleDocument document;
  document.snapin = CLSID_TestSnapin;
  document.snapin_stream = std::string("remote\0FAXSRV", 13);
  document.views = 3;
  ColumnSetData set;
  set.has_sort = true;
  set.sort = {MMC_SORT_DATA{1, RSI_DESCENDING, 0}};
  set.has_columns = true;
  set.columns = {MMC_COLUMN_DATA{0, 0, 120, 0}, MMC_COLUMN_DATA{1, HDI_HIDDEN, 80, 0}};
  document.columns.emplace(std::string("\x01\x02\x03", 3), set);
  return document;
}

// Rebuilds the checksum after a change, so that the structure's own checks are reached.
std::string Resealed(std::string bytes) {
  bytes.resize(bytes.size() - 4);
  ByteWriter crc;
  crc.U32(Crc32(bytes));
  return bytes + crc.bytes();
}

// The exact bytes of a document with one section and the standard CRC-32.
TEST(ConsoleDocumentFormat, WritesTheDocumentedLayout) {
  EXPECT_EQ(Crc32("123456789"), 0xCBF43926u);
  ConsoleDocument document;
  document.snapin = GuidLiteral("00112233-4455-6677-8899-AABBCCDDEEFF");
  document.snapin_stream = "ab";
  const std::string bytes = EncodeConsoleDocument(document);
  const std::string expected_body = std::string("PWCON\r\n\x1A", 8) +
                                    std::string("\x01\0\0\0\x02\0\0\0", 8) +
                                    std::string("SNAP\x12\0\0\0", 8) +
                                    std::string(
                                        "\x33\x22\x11\x00\x55\x44\x77\x66"
                                        "\x88\x99\xAA\xBB\xCC\xDD\xEE\xFF",
                                        16) +
                                    "ab" + std::string("VIEW\x04\0\0\0\x01\0\0\0", 12);
  ASSERT_EQ(bytes.size(), expected_body.size() + 4);
  EXPECT_EQ(bytes.substr(0, expected_body.size()), expected_body);
  ByteReader trailer(std::string_view(bytes).substr(expected_body.size()));
  std::uint32_t crc = 0;
  ASSERT_TRUE(trailer.U32(&crc));
  EXPECT_EQ(crc, Crc32(expected_body));
}

// What is written reads back field for field; later sections that this version does not know
// are skipped.
TEST(ConsoleDocumentFormat, ReadsBackWhatItWrote) {
  const ConsoleDocument written = Sample();
  std::string bytes = EncodeConsoleDocument(written);
  ConsoleDocument read;
  ASSERT_EQ(DecodeConsoleDocument(bytes, &read), DocumentProblem::kNone);
  EXPECT_EQ(read.snapin, written.snapin);
  EXPECT_EQ(read.snapin_stream, written.snapin_stream);
  EXPECT_EQ(read.views, 3u);
  EXPECT_EQ(read.columns, written.columns);

  // A section "XTRA" added by a later version, with the section count raised.
  bytes.resize(bytes.size() - 4);
  bytes[12] = static_cast<char>(bytes[12] + 1);
  bytes += std::string("XTRA\x02\0\0\0zz", 10);
  ByteWriter crc;
  crc.U32(Crc32(bytes));
  bytes += crc.bytes();
  ConsoleDocument extended;
  ASSERT_EQ(DecodeConsoleDocument(bytes, &extended), DocumentProblem::kNone);
  EXPECT_EQ(extended.views, 3u);
}

// Every kind of damage is refused, and the output is left untouched.
TEST(ConsoleDocumentFormat, RefusesDamagedDocuments) {
  const std::string good = EncodeConsoleDocument(Sample());
  ConsoleDocument untouched;
  untouched.views = 42;
  auto problem = [&untouched](const std::string& bytes) {
    const DocumentProblem found = DecodeConsoleDocument(bytes, &untouched);
    EXPECT_EQ(untouched.views, 42u);
    return found;
  };
  EXPECT_EQ(problem(""), DocumentProblem::kNotADocument);
  EXPECT_EQ(problem("Windows Registry Editor Version 5.00\r\n"), DocumentProblem::kNotADocument);
  EXPECT_EQ(problem(good.substr(0, 14)), DocumentProblem::kDamaged);
  EXPECT_EQ(problem(good.substr(0, good.size() - 1)), DocumentProblem::kChecksum);
  std::string flipped = good;
  flipped[30] = static_cast<char>(flipped[30] ^ 0x01);
  EXPECT_EQ(problem(flipped), DocumentProblem::kChecksum);
  std::string newer = good;
  newer[8] = 2;
  EXPECT_EQ(problem(Resealed(newer)), DocumentProblem::kOtherVersion);
  // A section length past the end, a missing section, a repeated one, zero views, trailing
  // bytes: all under a right checksum.
  std::string overrun = good;
  overrun[20] = '\x7F';
  EXPECT_EQ(problem(Resealed(overrun)), DocumentProblem::kDamaged);
  std::string one_section = good;
  one_section[12] = 1;
  EXPECT_EQ(problem(Resealed(one_section)), DocumentProblem::kDamaged);
  ConsoleDocument no_views = Sample();
  no_views.views = 0;
  EXPECT_EQ(problem(EncodeConsoleDocument(no_views)), DocumentProblem::kDamaged);
  no_views.views = kMostViews + 1;
  EXPECT_EQ(problem(EncodeConsoleDocument(no_views)), DocumentProblem::kDamaged);
  std::string trailing = good;
  trailing.insert(trailing.size() - 4, "x");
  EXPECT_EQ(problem(Resealed(trailing)), DocumentProblem::kDamaged);
  std::string repeated = good.substr(0, good.size() - 4);
  repeated[12] = static_cast<char>(repeated[12] + 1);
  repeated += std::string("VIEW\x04\0\0\0\x01\0\0\0", 12);
  EXPECT_EQ(problem(Resealed(repeated + "1234")), DocumentProblem::kDamaged);
}

// The column section's own checks.
TEST(ConsoleDocumentFormat, ChecksColumnSettings) {
  ColumnDataStore store;
  store.Replace(Sample().columns);
  const std::string bytes = store.Encode();
  const auto decoded = ColumnDataStore::Decode(bytes);
  ASSERT_TRUE(decoded.has_value());
  EXPECT_EQ(*decoded, Sample().columns);
  EXPECT_FALSE(ColumnDataStore::Decode(bytes.substr(0, bytes.size() - 1)).has_value());
  EXPECT_FALSE(ColumnDataStore::Decode(bytes + "x").has_value());
  EXPECT_FALSE(ColumnDataStore::Decode(std::string("\x01\0\0\0\0\0\0\0", 8)).has_value());
  EXPECT_TRUE(ColumnDataStore::Decode(std::string(4, '\0')).has_value());
}

class DocumentTest : public ConsoleTest {
 protected:
  std::string DocumentPath() const { return registry_.dir().Sub("console.pwc"); }
};

// A console saved and opened again: the snap-in's stream is loaded after Initialize, the
// views and the column settings come back, and saving clears the snap-in's dirty flag only
// once the file is written.
TEST_F(DocumentTest, SavesAndOpensConsoleDocuments) {
  Start();
  state_->dirty = true;
  state_->saved_stream = "remote=FAXSRV";
  ASSERT_TRUE(session_->SelectScopeItem(1, kVirtual).ok());
  ASSERT_TRUE(session_->Sort(1, 1, true).ok());
  int second = 0;
  ASSERT_TRUE(session_->NewView(kFolder, &second).ok());
  Log();
  const OperationResult saved = session_->SaveDocument(DocumentPath());
  ASSERT_TRUE(saved.ok()) << ToUtf8(saved.error);
  EXPECT_EQ(Log(), (Entries{L"CD.Save clear=0", L"CD.Save clear=1"}));
  EXPECT_FALSE(state_->dirty);
  ASSERT_TRUE(session_->Close(ClosePolicy::kAsk).ok());
  EXPECT_TRUE(ui_.message_boxes.empty());
  Log();

  state_->saved_stream.clear();
  const OperationResult opened = session_->OpenDocument(DocumentPath());
  ASSERT_TRUE(opened.ok()) << ToUtf8(opened.error);
  const Entries log = Log();
  ASSERT_GE(log.size(), 3u);
  EXPECT_EQ(Entries(log.begin(), log.begin() + 3),
            (Entries{L"CD.Initialize console2=1 namespace2=1 images=1", L"CD.Load remote=FAXSRV",
                     L"CD.QueryDataObject cookie=0 type=SCOPE"}));
  EXPECT_EQ(Only(log, L"CD.CreateComponent").size(), 2u);
  EXPECT_EQ(state_->loaded_stream, "remote=FAXSRV");
  const ConsoleState state = State();
  EXPECT_EQ(state.views.size(), 2u);
  EXPECT_EQ(state.document_path, DocumentPath());
  std::size_t sets = 0;
  MMC_SORT_DATA sort;
  ASSERT_TRUE(session_
                  ->Run([&](Console& console) {
                    const auto& stored = console.column_data().sets();
                    sets = stored.size();
                    if (!stored.empty()) sort = stored.begin()->second.sort.at(0);
                    return S_OK;
                  })
                  .ok());
  EXPECT_EQ(sets, 1u);
  EXPECT_EQ(sort.nColIndex, 1);
  EXPECT_EQ(sort.dwSortOptions, RSI_DESCENDING);

  // Closing with "save" writes to the document the console came from.
  state_->dirty = true;
  state_->saved_stream = "remote=OTHER";
  ASSERT_TRUE(session_->Close(ClosePolicy::kSave).ok());
  ConsoleDocument reread;
  ASSERT_EQ(DecodeConsoleDocument(registry_.dir().ReadFile("console.pwc"), &reread),
            DocumentProblem::kNone);
  EXPECT_EQ(reread.snapin_stream, "remote=OTHER");
}

// A damaged, foreign or missing document is refused with a sentence naming it, and nothing is
// created or loaded.
TEST_F(DocumentTest, RefusesDamagedDocumentsBeforeLoadingAnything) {
  Start();
  ASSERT_TRUE(session_->SaveDocument(DocumentPath()).ok());
  ASSERT_TRUE(session_->Close(ClosePolicy::kDiscard).ok());
  std::string bytes = registry_.dir().ReadFile("console.pwc");
  bytes[bytes.size() / 2] = static_cast<char>(bytes[bytes.size() / 2] ^ 0x20);
  registry_.dir().WriteFile("damaged.pwc", bytes);
  Log();

  const std::wstring damaged = FromUtf8(registry_.dir().Sub("damaged.pwc"));
  OperationResult result = session_->OpenDocument(registry_.dir().Sub("damaged.pwc"));
  EXPECT_EQ(result.hr, HRESULT_FROM_WIN32(ERROR_INVALID_DATA));
  EXPECT_EQ(result.error, L"The console document \"" + damaged +
                              L"\" cannot be opened. It is damaged: its contents changed after "
                              L"it was saved.");
  EXPECT_TRUE(Log().empty());
  EXPECT_FALSE(State().has_snapin);

  registry_.dir().WriteFile("text.pwc", "[Console]\r\nSnapIn=Test\r\n");
  result = session_->OpenDocument(registry_.dir().Sub("text.pwc"));
  EXPECT_EQ(result.error.substr(result.error.size() - 29), L"It is not a console document.");
  result = session_->OpenDocument(registry_.dir().Sub("missing.pwc"));
  EXPECT_EQ(result.hr, HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(result.error.substr(result.error.size() - 18), L"It cannot be read.");
  EXPECT_TRUE(Log().empty());

  // German texts for a console thread in German.
  ASSERT_TRUE(session_
                  ->Run([](Console&) {
                    SetThreadLocale(LOCALE_GERMAN);
                    return S_OK;
                  })
                  .ok());
  result = session_->OpenDocument(registry_.dir().Sub("damaged.pwc"));
  EXPECT_EQ(result.error, L"Das Konsolendokument \"" + damaged +
                              L"\" kann nicht geöffnet werden. Es ist beschädigt: Sein Inhalt hat "
                              L"sich nach dem Speichern geändert.");
}

}  // namespace
}  // namespace pw::mmc::test
