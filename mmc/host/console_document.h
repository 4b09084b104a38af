// The console document: what a saved console holds — the snap-in, its persisted stream, the
// number of views and the column data — in a small versioned, checksummed binary file.
//
// Layout (integers little-endian):
//   8 bytes  magic "PWCON\r\n\x1A" (catches text-mode transfers and truncated copies)
//   u32      format version, 1
//   u32      number of sections
//   sections, each: 4-byte ASCII tag, u32 length, that many bytes
//     "SNAP" (required) 16-byte snap-in CLSID, then the snap-in's IPersistStream bytes
//     "VIEW" (required) u32 number of views, 1 to 64
//     "COLS" (optional) the column data (ColumnDataStore::Encode)
//   u32      CRC-32 (IEEE 802.3) of every byte before it
// Unknown tags are skipped, so that a later version can add sections that this one ignores;
// a known tag twice, a missing required section, a bad length, a wrong checksum, another
// format version or bytes after the checksum refuse the whole document.
#pragma once

#include <map>
#include <string>
#include <string_view>

#include "mmc/host/column_data.h"
#include "mmc/mmc.h"

namespace pw::mmc {

struct ConsoleDocument {
  CLSID snapin = GUID_NULL;
  std::string snapin_stream;
  std::uint32_t views = 1;
  std::map<std::string, ColumnSetData> columns;
};

inline constexpr std::uint32_t kConsoleDocumentVersion = 1;
inline constexpr std::uint32_t kMostViews = 64;

std::string EncodeConsoleDocument(const ConsoleDocument& document);
// Why bytes are not a sound console document.
enum class DocumentProblem {
  kNone,
  kNotADocument,  // no magic: some other file
  kTooLarge,
  kOtherVersion,  // a format version this one cannot read
  kChecksum,      // the bytes changed after saving
  kDamaged,       // a malformed structure under a right checksum, or a truncated file
};

// kNone and the document, or the problem (and `document` unchanged).
DocumentProblem DecodeConsoleDocument(std::string_view bytes, ConsoleDocument* document);

std::uint32_t Crc32(std::string_view bytes);

}  // namespace pw::mmc
