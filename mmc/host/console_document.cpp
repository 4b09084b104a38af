// Encoding and checking console documents.
#include "mmc/host/console_document.h"

#include <array>
#include <cstring>
#include <set>

#include "mmc/host/byte_codec.h"

namespace pw::mmc {
namespace {

constexpr std::string_view kMagic{"PWCON\r\n\x1A", 8};
constexpr std::size_t kLargestDocument = 64u * 1024u * 1024u;
constexpr std::uint32_t kMostSections = 1024;
constexpr std::string_view kSnapInTag = "SNAP";
constexpr std::string_view kViewsTag = "VIEW";
constexpr std::string_view kColumnsTag = "COLS";

std::string ClsidBytes(REFCLSID clsid) {
  ByteWriter out;
  out.U32(clsid.Data1);
  std::string bytes = out.Take();
  bytes.push_back(static_cast<char>(clsid.Data2 & 0xFF));
  bytes.push_back(static_cast<char>(clsid.Data2 >> 8));
  bytes.push_back(static_cast<char>(clsid.Data3 & 0xFF));
  bytes.push_back(static_cast<char>(clsid.Data3 >> 8));
  for (BYTE b : clsid.Data4) bytes.push_back(static_cast<char>(b));
  return bytes;
}

CLSID ClsidFromBytes(std::string_view bytes) {
  CLSID clsid;
  auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
  clsid.Data1 = static_cast<DWORD>(byte(0) | byte(1) << 8 | byte(2) << 16) |
                static_cast<DWORD>(byte(3)) << 24;
  clsid.Data2 = static_cast<WORD>(byte(4) | byte(5) << 8);
  clsid.Data3 = static_cast<WORD>(byte(6) | byte(7) << 8);
  for (std::size_t i = 0; i < 8; ++i) clsid.Data4[i] = byte(8 + i);
  return clsid;
}

void Section(ByteWriter* out, std::string_view tag, std::string_view bytes) {
  out->Bytes(tag);
  out->Block(bytes);
}

}  // namespace

std::uint32_t Crc32(std::string_view bytes) {
  static const std::array<std::uint32_t, 256> table = [] {
    std::array<std::uint32_t, 256> made{};
    for (std::uint32_t i = 0; i < 256; ++i) {
      std::uint32_t value = i;
      for (int bit = 0; bit < 8; ++bit)
        value = (value & 1) ? 0xEDB88320u ^ (value >> 1) : value >> 1;
      made[i] = value;
    }
    return made;
  }();
  std::uint32_t crc = 0xFFFFFFFFu;
  for (char c : bytes) crc = table[(crc ^ static_cast<unsigned char>(c)) & 0xFF] ^ (crc >> 8);
  return crc ^ 0xFFFFFFFFu;
}

std::string EncodeConsoleDocument(const ConsoleDocument& document) {
  ByteWriter out;
  out.Bytes(kMagic);
  out.U32(kConsoleDocumentVersion);
  const bool has_columns = !document.columns.empty();
  out.U32(has_columns ? 3 : 2);
  Section(&out, kSnapInTag, ClsidBytes(document.snapin) + document.snapin_stream);
  ByteWriter views;
  views.U32(document.views);
  Section(&out, kViewsTag, views.bytes());
  if (has_columns) {
    ColumnDataStore columns;
    columns.Replace(document.columns);
    Section(&out, kColumnsTag, columns.Encode());
  }
  const std::uint32_t crc = Crc32(out.bytes());
  out.U32(crc);
  return out.Take();
}

DocumentProblem DecodeConsoleDocument(std::string_view bytes, ConsoleDocument* document) {
  using enum DocumentProblem;
  if (bytes.size() > kLargestDocument) return kTooLarge;
  if (bytes.size() < kMagic.size() || bytes.substr(0, kMagic.size()) != kMagic) {
    return kNotADocument;
  }
  if (bytes.size() < kMagic.size() + 12) return kDamaged;
  const std::string_view body = bytes.substr(0, bytes.size() - 4);
  ByteReader trailer(bytes.substr(bytes.size() - 4));
  std::uint32_t stored_crc = 0;
  trailer.U32(&stored_crc);
  ByteReader in(body.substr(kMagic.size()));
  std::uint32_t version = 0;
  std::uint32_t sections = 0;
  in.U32(&version);
  if (version != kConsoleDocumentVersion) return kOtherVersion;
  if (stored_crc != Crc32(body)) return kChecksum;
  if (!in.U32(&sections) || sections > kMostSections) return kDamaged;
  ConsoleDocument read;
  std::set<std::string_view> seen;
  for (std::uint32_t i = 0; i < sections; ++i) {
    std::string_view tag;
    std::string_view content;
    if (!in.Bytes(4, &tag) || !in.Block(kLargestDocument, &content)) return kDamaged;
    const bool known = tag == kSnapInTag || tag == kViewsTag || tag == kColumnsTag;
    if (!known) continue;
    if (!seen.insert(tag).second) return kDamaged;
    if (tag == kSnapInTag) {
      if (content.size() < 16) return kDamaged;
      read.snapin = ClsidFromBytes(content.substr(0, 16));
      read.snapin_stream = std::string(content.substr(16));
    } else if (tag == kViewsTag) {
      ByteReader views(content);
      if (!views.U32(&read.views) || !views.AtEnd() || read.views == 0 || read.views > kMostViews) {
        return kDamaged;
      }
    } else {
      auto columns = ColumnDataStore::Decode(content);
      if (!columns) return kDamaged;
      read.columns = std::move(*columns);
    }
  }
  if (!in.AtEnd()) return kDamaged;
  if (seen.count(kSnapInTag) == 0 || seen.count(kViewsTag) == 0) return kDamaged;
  if (read.snapin == GUID_NULL) return kDamaged;
  *document = std::move(read);
  return kNone;
}

}  // namespace pw::mmc
