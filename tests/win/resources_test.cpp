// Tests of resource loading: strings by thread language, bitmaps and icons,
// from a module that pwrc compiled and from image files made here byte by byte.
#include "platform/win/resources.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/win/thread_locale.h"
#include "tests/win/resources/test_resource.h"

extern const pw::ResourceModule kTestResources;

namespace pw {
namespace {

constexpr std::uint32_t kMaskPixel = 0xFF008080;  // RGB(0, 128, 128), opaque

// Restores English for the rest of the test program whatever a test did.
class ScopedThreadLocale {
 public:
  explicit ScopedThreadLocale(LCID locale) { SetThreadLocale(locale); }
  ~ScopedThreadLocale() { SetThreadLocale(LOCALE_ENGLISH_US); }
};

std::wstring Load(UINT id) { return LoadStringResource(kTestResources.handle(), id); }

struct BitmapDeleter {
  void operator()(HBITMAP bitmap) const { DeleteObject(bitmap); }
};
struct IconDeleter {
  void operator()(HICON icon) const { DestroyIcon(icon); }
};
using Bitmap = std::unique_ptr<HBITMAP__, BitmapDeleter>;
using Icon = std::unique_ptr<HICON__, IconDeleter>;

// Little-endian bytes, as image files are written.
class Bytes {
 public:
  Bytes& U8(unsigned value) {
    data_.push_back(static_cast<unsigned char>(value));
    return *this;
  }
  Bytes& U16(unsigned value) { return U8(value & 0xFF).U8((value >> 8) & 0xFF); }
  Bytes& U32(std::uint32_t value) { return U16(value & 0xFFFF).U16(value >> 16); }
  Bytes& Append(const std::vector<unsigned char>& more) {
    data_.insert(data_.end(), more.begin(), more.end());
    return *this;
  }
  const std::vector<unsigned char>& data() const { return data_; }

 private:
  std::vector<unsigned char> data_;
};

std::vector<unsigned char> InfoHeader(std::int32_t width, std::int32_t height, unsigned bit_count,
                                      std::uint32_t compression = 0, unsigned planes = 1) {
  return Bytes()
      .U32(40)
      .U32(static_cast<std::uint32_t>(width))
      .U32(static_cast<std::uint32_t>(height))
      .U16(planes)
      .U16(bit_count)
      .U32(compression)
      .U32(0)
      .U32(0)
      .U32(0)
      .U32(0)
      .U32(0)
      .data();
}

// A BMP file: file header, `header` (with anything that follows it) and the
// pixel rows.
std::vector<unsigned char> BmpFile(const std::vector<unsigned char>& header,
                                   const std::vector<unsigned char>& rows) {
  const auto offset = static_cast<std::uint32_t>(14 + header.size());
  return Bytes()
      .U8('B')
      .U8('M')
      .U32(offset + static_cast<std::uint32_t>(rows.size()))
      .U32(0)
      .U32(offset)
      .Append(header)
      .Append(rows)
      .data();
}

Bitmap DecodeBitmap(const std::vector<unsigned char>& file) {
  const BinaryResource bitmaps[] = {{7, file}};
  const ResourceModule module({}, bitmaps, {});
  return Bitmap(LoadBitmap(module.handle(), 7));
}

struct IconImage {
  int size;
  std::vector<unsigned char> bytes;
};

std::vector<unsigned char> IcoFile(const std::vector<IconImage>& images) {
  Bytes file;
  file.U16(0).U16(1).U16(static_cast<unsigned>(images.size()));
  auto offset = static_cast<std::uint32_t>(6 + 16 * images.size());
  for (const IconImage& image : images) {
    file.U8(static_cast<unsigned>(image.size)).U8(static_cast<unsigned>(image.size)).U8(0).U8(0);
    file.U16(1).U16(32).U32(static_cast<std::uint32_t>(image.bytes.size())).U32(offset);
    offset += static_cast<std::uint32_t>(image.bytes.size());
  }
  for (const IconImage& image : images) file.Append(image.bytes);
  return file.data();
}

Icon DecodeIcon(const std::vector<unsigned char>& file, int size) {
  const BinaryResource icons[] = {{9, file}};
  const ResourceModule module({}, {}, icons);
  return Icon(LoadIcon(module.handle(), 9, size));
}

std::vector<std::uint32_t> Pixels(const ImagePixels* image) {
  return image == nullptr ? std::vector<std::uint32_t>{} : image->pixels;
}

// The thread's language picks the string set, per thread, and every thread
// starts in English.
TEST(ResourcesTest, StringsFollowTheThreadLanguage) {
  EXPECT_EQ(GetThreadLocale(), LOCALE_ENGLISH_US);
  std::wstring text;
  EXPECT_EQ(LoadString(kTestResources.handle(), IDS_GREETING, &text), 12);
  EXPECT_EQ(text, L"Good morning");

  ScopedThreadLocale german(LOCALE_GERMAN);
  EXPECT_EQ(LoadString(kTestResources.handle(), IDS_GREETING, &text), 12);
  EXPECT_EQ(text, L"Guten Morgen");
  EXPECT_EQ(Load(IDS_LAST), L"h\u00F6chste Nummer");

  std::wstring other_thread;
  std::thread([&other_thread] { other_thread = Load(IDS_GREETING); }).join();
  EXPECT_EQ(other_thread, L"Good morning");
  EXPECT_EQ(Load(IDS_GREETING), L"Guten Morgen");

  // A language with no set of its own reads English.
  SetThreadLocale(1036);
  EXPECT_EQ(Load(IDS_GREETING), L"Good morning");
  // Only the language part of the locale counts.
  SetThreadLocale(0x00010407);
  EXPECT_EQ(Load(IDS_GREETING), L"Guten Morgen");
}

// Escapes, joined literals, non-ASCII text and both id forms survive
// compilation exactly.
TEST(ResourcesTest, CompiledTextsKeepEveryCharacter) {
  EXPECT_EQ(Load(IDS_ESCAPES), L"tab\there\r\nquote\" \"doubled\" back\\slash \u00DCber");
  EXPECT_EQ(Load(IDS_JOINED), L"one, two, three");
  EXPECT_EQ(Load(IDS_HEX_THEN_DIGIT), std::wstring(L"\x01"
                                                   L"abc\x7F"
                                                   L"F"));
  EXPECT_EQ(Load(IDS_HEX_THEN_DIGIT).size(), 6u);
  EXPECT_EQ(Load(IDS_BEYOND_BMP), L"Gr\u00FC\u00DFe \U0001F600");
  EXPECT_EQ(Load(0x10), L"from a #define");
  EXPECT_EQ(Load(300), L"numeric id");
  EXPECT_EQ(Load(IDS_LAST), L"highest id");

  // Each set is sorted by id whatever order the script used.
  ASSERT_EQ(kTestResources.languages().size(), 2u);
  EXPECT_EQ(kTestResources.languages()[0].language, 1033);
  const ResourceLanguage& german = kTestResources.languages()[1];
  EXPECT_EQ(german.language, 1031);
  std::vector<UINT> ids;
  for (const StringResource& entry : german.strings) ids.push_back(entry.id);
  EXPECT_EQ(ids, (std::vector<UINT>{1, 2, 3, 4, 5, 16, 300, 65535}));
}

// A string that does not exist loads as nothing, and so does any string of no
// module.
TEST(ResourcesTest, MissingStrings) {
  std::wstring text = L"stale";
  EXPECT_EQ(LoadString(kTestResources.handle(), 999, &text), 0);
  EXPECT_EQ(text, L"");
  EXPECT_EQ(LoadString(kTestResources.handle(), IDS_GREETING, nullptr), 12);
  EXPECT_EQ(LoadString(nullptr, IDS_GREETING, &text), 0);
  EXPECT_EQ(LoadStringResource(nullptr, IDS_GREETING), L"");
  EXPECT_EQ(Load(0), L"");
}

// A string missing from one language comes from English; nothing else stands in
// for it.
TEST(ResourceModuleTest, FallsBackToEnglishOnly) {
  static constexpr StringResource kEnglish[] = {{1, L"one"}, {2, L"two"}, {3, L"three"}};
  static constexpr StringResource kGerman[] = {{1, L"eins"}, {3, L"drei"}};
  static constexpr ResourceLanguage kLanguages[] = {{1031, kGerman}, {1033, kEnglish}};
  const ResourceModule module(kLanguages, {}, {});
  ASSERT_NE(module.FindString(2, 1031), nullptr);
  EXPECT_EQ(*module.FindString(2, 1031), L"two");
  EXPECT_EQ(*module.FindString(3, 1031), L"drei");
  EXPECT_EQ(*module.FindString(3, 1033), L"three");
  EXPECT_EQ(*module.FindString(1, 1036), L"one");
  EXPECT_EQ(module.FindString(4, 1031), nullptr);

  ScopedThreadLocale german(LOCALE_GERMAN);
  EXPECT_EQ(LoadStringResource(module.handle(), 2), L"two");
  EXPECT_EQ(LoadStringResource(module.handle(), 1), L"eins");

  static constexpr ResourceLanguage kGermanOnly[] = {{1031, kGerman}};
  const ResourceModule german_only(kGermanOnly, {}, {});
  EXPECT_EQ(german_only.FindString(2, 1031), nullptr);
  EXPECT_EQ(german_only.FindString(1, 1033), nullptr);
}

// The lookup finds every id of a large sorted table and none between them.
TEST(ResourceModuleTest, FindsEveryIdOfALargeTable) {
  std::vector<std::wstring> texts;
  for (UINT i = 0; i < 500; ++i) texts.push_back(std::to_wstring(i * 2 + 1));
  std::vector<StringResource> table;
  for (UINT i = 0; i < 500; ++i) table.push_back({i * 2 + 1, texts[i]});
  const ResourceLanguage languages[] = {{1033, table}};
  const ResourceModule module(languages, {}, {});
  int found = 0;
  int wrong = 0;
  for (UINT id = 0; id <= 1001; ++id) {
    const std::wstring_view* text = module.FindString(id, 1033);
    if (id % 2 == 1) {
      found += text != nullptr && *text == std::to_wstring(id);
    } else {
      wrong += text != nullptr;
    }
  }
  EXPECT_EQ(found, 500);
  EXPECT_EQ(wrong, 0);
}

// The compiled bitmap is a bottom-up 24-bit BMP whose transparent pixel has the
// mask colour.
TEST(ResourcesTest, CompiledBitmapDecodes) {
  Bitmap bitmap(LoadBitmap(kTestResources.handle(), IDB_SWATCH));
  ASSERT_NE(bitmap.get(), nullptr);
  BITMAP info;
  ASSERT_EQ(GetBitmapInfo(bitmap.get(), &info), TRUE);
  EXPECT_EQ(info.bmWidth, 3);
  EXPECT_EQ(info.bmHeight, 2);
  EXPECT_EQ(Pixels(BitmapPixels(bitmap.get())),
            (std::vector<std::uint32_t>{0xFFFF0000, 0xFF00FF00, kMaskPixel, 0xFF0000FF, 0xFFFFFFFF,
                                        0xFF000000}));

  const std::span<const unsigned char> file = BitmapFileBytes(bitmap.get());
  ASSERT_EQ(file.size(), 14u + 40u + 2u * 12u);
  EXPECT_EQ(std::vector<unsigned char>(file.begin(), file.begin() + 2),
            (std::vector<unsigned char>{'B', 'M'}));
  EXPECT_EQ(file[10], 54);  // pixels right after the headers
  EXPECT_EQ(file[22], 2);   // positive height: bottom-up
  EXPECT_EQ(file[28], 24);  // bits per pixel
  // The first stored row is the bottom one: blue, white, black, then padding to
  // 12 bytes.
  EXPECT_EQ(std::vector<unsigned char>(file.begin() + 54, file.begin() + 66),
            (std::vector<unsigned char>{0xFF, 0, 0, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0}));
  // Then the top row, where the transparent pixel is stored as blue 0x80, green
  // 0x80, red 0.
  EXPECT_EQ(std::vector<unsigned char>(file.begin() + 66, file.begin() + 75),
            (std::vector<unsigned char>{0, 0, 0xFF, 0, 0xFF, 0, 0x80, 0x80, 0}));

  EXPECT_EQ(LoadBitmap(kTestResources.handle(), 101), nullptr);
  EXPECT_EQ(LoadBitmap(kTestResources.handle(), IDI_TARGET), nullptr);
  EXPECT_EQ(LoadBitmap(nullptr, IDB_SWATCH), nullptr);
  EXPECT_EQ(GetBitmapInfo(nullptr, &info), FALSE);
  EXPECT_EQ(BitmapPixels(nullptr), nullptr);
  EXPECT_TRUE(BitmapFileBytes(nullptr).empty());
  EXPECT_EQ(DeleteObject(bitmap.release()), TRUE);
  EXPECT_EQ(DeleteObject(nullptr), FALSE);
}

// An icon load takes the image nearest to the size asked for, the larger one on
// a tie.
TEST(ResourcesTest, CompiledIconPicksTheNearestSize) {
  const std::vector<std::uint32_t> small = {0xFFC00000, 0, 0, 0xFFFFFF00};
  const std::uint32_t y = 0xFFFFFF00;
  const std::vector<std::uint32_t> large = {y, y, y,          y, y, 0, 0, y,
                                            y, 0, 0xFFC00000, y, y, y, y, y};
  const struct {
    int size;
    const std::vector<std::uint32_t>& pixels;
  } cases[] = {{2, small}, {1, small}, {4, large}, {3, large}, {100, large}, {0, large}};
  for (const auto& c : cases) {
    Icon icon(LoadIcon(kTestResources.handle(), IDI_TARGET, c.size));
    ASSERT_NE(icon.get(), nullptr) << "size " << c.size;
    const ImagePixels* image = IconPixels(icon.get());
    EXPECT_EQ(image->width * image->width, static_cast<int>(c.pixels.size()));
    EXPECT_EQ(image->pixels, c.pixels) << "size " << c.size;
  }
  EXPECT_EQ(LoadIcon(kTestResources.handle(), IDB_SWATCH), nullptr);
  EXPECT_EQ(LoadIcon(nullptr, IDI_TARGET), nullptr);
  EXPECT_EQ(IconPixels(nullptr), nullptr);
  EXPECT_EQ(DestroyIcon(nullptr), FALSE);
  EXPECT_EQ(DestroyIcon(LoadIcon(kTestResources.handle(), IDI_TARGET)), TRUE);
}

// Bitmaps are read bottom-up or top-down, 24 bits with padded rows or 32 bits
// with alpha.
TEST(BitmapDecodingTest, LayoutsAndAlpha) {
  // 3 pixels of 24 bits make 9 bytes, padded to 12; bottom row stored first.
  const std::vector<unsigned char> rows24 = {
      0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0xEE, 0xEE, 0xEE,   // bottom
      0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17, 0x18, 0x19, 0xEE, 0xEE, 0xEE};  // top
  Bitmap bottom_up = DecodeBitmap(BmpFile(InfoHeader(3, 2, 24), rows24));
  EXPECT_EQ(Pixels(BitmapPixels(bottom_up.get())),
            (std::vector<std::uint32_t>{0xFF131211, 0xFF161514, 0xFF191817, 0xFF030201, 0xFF060504,
                                        0xFF090807}));
  Bitmap top_down = DecodeBitmap(BmpFile(InfoHeader(3, -2, 24), rows24));
  EXPECT_EQ(Pixels(BitmapPixels(top_down.get())),
            (std::vector<std::uint32_t>{0xFF030201, 0xFF060504, 0xFF090807, 0xFF131211, 0xFF161514,
                                        0xFF191817}));
  BITMAP info;
  ASSERT_EQ(GetBitmapInfo(top_down.get(), &info), TRUE);
  EXPECT_EQ(info.bmHeight, 2);

  const std::vector<unsigned char> rows32 = {0x10, 0x20, 0x30, 0x80, 0x40, 0x50, 0x60, 0x00};
  Bitmap with_alpha = DecodeBitmap(BmpFile(InfoHeader(2, 1, 32), rows32));
  EXPECT_EQ(Pixels(BitmapPixels(with_alpha.get())),
            (std::vector<std::uint32_t>{0x80302010, 0x00605040}));
  // Plain 32-bit bitmaps leave the fourth byte zero: they are opaque.
  const std::vector<unsigned char> no_alpha = {0x10, 0x20, 0x30, 0x00, 0x40, 0x50, 0x60, 0x00};
  Bitmap opaque = DecodeBitmap(BmpFile(InfoHeader(2, 1, 32), no_alpha));
  EXPECT_EQ(Pixels(BitmapPixels(opaque.get())),
            (std::vector<std::uint32_t>{0xFF302010, 0xFF605040}));
  // Bit fields that describe plain BGRA are the same thing.
  std::vector<unsigned char> fields = InfoHeader(2, 1, 32, 3);
  const std::vector<unsigned char> masks = Bytes().U32(0xFF0000).U32(0xFF00).U32(0xFF).data();
  fields.insert(fields.end(), masks.begin(), masks.end());
  Bitmap bitfields = DecodeBitmap(BmpFile(fields, no_alpha));
  EXPECT_EQ(Pixels(BitmapPixels(bitfields.get())),
            (std::vector<std::uint32_t>{0xFF302010, 0xFF605040}));
}

// Damaged or unsupported bitmap files load as null instead of being read out of
// bounds.
TEST(BitmapDecodingTest, RejectsMalformedFiles) {
  const std::vector<unsigned char> row = {1, 2, 3, 0};  // one 24-bit pixel, padded
  const std::vector<unsigned char> good = BmpFile(InfoHeader(1, 1, 24), row);
  ASSERT_NE(DecodeBitmap(good).get(), nullptr);

  std::vector<unsigned char> bad_magic = good;
  bad_magic[0] = 'X';
  std::vector<unsigned char> truncated = good;
  truncated.pop_back();
  std::vector<unsigned char> offset_beyond = good;
  offset_beyond[10] = 0xF0;
  std::vector<unsigned char> odd_masks = InfoHeader(1, 1, 32, 3);
  const std::vector<unsigned char> masks = Bytes().U32(0xFF).U32(0xFF00).U32(0xFF0000).data();
  odd_masks.insert(odd_masks.end(), masks.begin(), masks.end());

  const struct {
    const char* what;
    std::vector<unsigned char> file;
  } cases[] = {
      {"empty", {}},
      {"headers cut short", std::vector<unsigned char>(good.begin(), good.begin() + 30)},
      {"bad magic", bad_magic},
      {"pixels cut short", truncated},
      {"pixel offset beyond the end", offset_beyond},
      {"8 bits", BmpFile(InfoHeader(1, 1, 8), row)},
      {"16 bits", BmpFile(InfoHeader(1, 1, 16), row)},
      {"run-length compressed", BmpFile(InfoHeader(1, 1, 24, 1), row)},
      {"unusual bit fields", BmpFile(odd_masks, row)},
      {"two planes", BmpFile(InfoHeader(1, 1, 24, 0, 2), row)},
      {"zero width", BmpFile(InfoHeader(0, 1, 24), row)},
      {"negative width", BmpFile(InfoHeader(-1, 1, 24), row)},
      {"zero height", BmpFile(InfoHeader(1, 0, 24), row)},
      {"most negative height",
       BmpFile(InfoHeader(1, std::numeric_limits<std::int32_t>::min(), 24), row)},
      {"huge width", BmpFile(InfoHeader(100000, 1, 24), row)},
      {"short header", BmpFile(std::vector<unsigned char>(12, 0), row)},
  };
  for (const auto& c : cases) EXPECT_EQ(DecodeBitmap(c.file).get(), nullptr) << c.what;
}

// Icon entries: PNG images are passed over, 24-bit images take transparency
// from the AND mask, and a damaged directory gives no icon.
TEST(IconDecodingTest, EntriesMasksAndDamage) {
  // A 24-bit 2x2 image: colour rows (6 bytes padded to 8) bottom-up, then the
  // mask rows (1 bit per pixel, padded to 4 bytes): the top-right pixel is
  // transparent.
  const std::vector<unsigned char> dib24 =
      Bytes()
          .Append(InfoHeader(2, 4, 24))
          .Append({0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0, 0})  // bottom row
          .Append({0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0, 0})  // top row
          .Append({0x00, 0, 0, 0})                             // bottom mask row
          .Append({0x40, 0, 0, 0})                             // top mask row
          .data();
  const std::vector<unsigned char> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n',
                                          0,    0,   0,   0,   0,    0,    0,    0};
  std::vector<unsigned char> png_entry = png;
  png_entry.resize(64, 0);

  const std::vector<unsigned char> file = IcoFile({{16, png_entry}, {2, dib24}});
  Icon icon = DecodeIcon(file, 16);
  ASSERT_NE(icon.get(), nullptr);
  EXPECT_EQ(Pixels(IconPixels(icon.get())),
            (std::vector<std::uint32_t>{0xFF131211, 0, 0xFF030201, 0xFF060504}));

  EXPECT_EQ(DecodeIcon(IcoFile({{16, png_entry}}), 16).get(), nullptr);
  std::vector<unsigned char> cursor = file;
  cursor[2] = 2;
  EXPECT_EQ(DecodeIcon(cursor, 16).get(), nullptr);
  std::vector<unsigned char> too_many = file;
  too_many[4] = 0xFF;
  too_many[5] = 0xFF;
  EXPECT_EQ(DecodeIcon(too_many, 16).get(), nullptr);
  std::vector<unsigned char> offset_beyond = file;
  offset_beyond[6 + 16 + 12] = 0xFF;  // second entry's offset
  EXPECT_EQ(DecodeIcon(offset_beyond, 2).get(), nullptr);
  std::vector<unsigned char> no_mask =
      IcoFile({{2, std::vector<unsigned char>(dib24.begin(), dib24.end() - 8)}});
  EXPECT_EQ(DecodeIcon(no_mask, 2).get(), nullptr);
  EXPECT_EQ(DecodeIcon({}, 16).get(), nullptr);
}

}  // namespace
}  // namespace pw
