// Loading of compiled resources: strings by the thread's language, BMP bitmaps and ICO icons.
#include "platform/win/resources.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <optional>

#include "platform/win/thread_locale.h"

// A loaded image: the decoded pixels, and the file it came from for front ends that show it
// as it is.
struct HBITMAP__ {
  pw::ImagePixels pixels;
  std::vector<unsigned char> file;
};

struct HICON__ {
  pw::ImagePixels pixels;
  std::vector<unsigned char> file;
};

namespace pw {
namespace {

constexpr LANGID kFallbackLanguage = static_cast<LANGID>(LOCALE_ENGLISH_US);
// Images larger than this are refused rather than allocated: no resource of ours comes close.
constexpr std::int64_t kMaxDimension = 4096;
constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiBitfields = 3;

// Bounds-checked little-endian reads of an untrusted byte span.
class ByteReader {
 public:
  explicit ByteReader(std::span<const unsigned char> bytes) : bytes_(bytes) {}

  bool Has(std::size_t offset, std::size_t count) const {
    return offset <= bytes_.size() && count <= bytes_.size() - offset;
  }
  std::uint16_t U16(std::size_t offset) const {
    return static_cast<std::uint16_t>(bytes_[offset] | (bytes_[offset + 1] << 8));
  }
  std::uint32_t U32(std::size_t offset) const {
    return static_cast<std::uint32_t>(bytes_[offset]) |
           (static_cast<std::uint32_t>(bytes_[offset + 1]) << 8) |
           (static_cast<std::uint32_t>(bytes_[offset + 2]) << 16) |
           (static_cast<std::uint32_t>(bytes_[offset + 3]) << 24);
  }
  std::int32_t I32(std::size_t offset) const { return static_cast<std::int32_t>(U32(offset)); }
  unsigned char Byte(std::size_t offset) const { return bytes_[offset]; }
  std::span<const unsigned char> bytes() const { return bytes_; }

 private:
  std::span<const unsigned char> bytes_;
};

// Decodes the pixel rows of a device-independent bitmap whose BITMAPINFOHEADER starts at
// `header` and whose pixels start at `bits`. `rows` is the number of colour rows (an icon's
// header counts the mask rows too). 24-bit pixels are opaque; 32-bit pixels keep their alpha
// unless every alpha byte is zero, which is how plain 32-bit bitmaps are written.
std::optional<ImagePixels> DecodeDib(const ByteReader& data, std::size_t header, std::size_t bits,
                                     std::int64_t width, std::int64_t rows, bool top_down) {
  if (!data.Has(header, 40)) return std::nullopt;
  const std::uint32_t header_size = data.U32(header);
  const std::uint16_t planes = data.U16(header + 12);
  const std::uint16_t bit_count = data.U16(header + 14);
  const std::uint32_t compression = data.U32(header + 16);
  if (header_size < 40 || planes != 1 || (bit_count != 24 && bit_count != 32)) return std::nullopt;
  if (width <= 0 || rows <= 0 || width > kMaxDimension || rows > kMaxDimension) {
    return std::nullopt;
  }
  if (compression == kBiBitfields) {
    // Only the masks that describe plain BGRA are understood. They follow a 40-byte header
    // and are part of the longer ones, at the same place either way.
    const std::size_t masks = header + 40;
    if (bit_count != 32 || !data.Has(masks, 12) || data.U32(masks) != 0x00FF0000 ||
        data.U32(masks + 4) != 0x0000FF00 || data.U32(masks + 8) != 0x000000FF) {
      return std::nullopt;
    }
  } else if (compression != kBiRgb) {
    return std::nullopt;
  }
  const std::size_t bytes_per_pixel = bit_count / 8;
  const std::size_t stride = (static_cast<std::size_t>(width) * bit_count + 31) / 32 * 4;
  if (!data.Has(bits, stride * static_cast<std::size_t>(rows))) return std::nullopt;

  ImagePixels image;
  image.width = static_cast<int>(width);
  image.height = static_cast<int>(rows);
  image.pixels.resize(static_cast<std::size_t>(width * rows));
  bool any_alpha = false;
  for (std::int64_t y = 0; y < rows; ++y) {
    const std::int64_t source_row = top_down ? y : rows - 1 - y;
    const std::size_t row = bits + static_cast<std::size_t>(source_row) * stride;
    for (std::int64_t x = 0; x < width; ++x) {
      const std::size_t at = row + static_cast<std::size_t>(x) * bytes_per_pixel;
      const std::uint32_t blue = data.Byte(at);
      const std::uint32_t green = data.Byte(at + 1);
      const std::uint32_t red = data.Byte(at + 2);
      const std::uint32_t alpha = bit_count == 32 ? data.Byte(at + 3) : 0xFF;
      any_alpha = any_alpha || (bit_count == 32 && alpha != 0);
      image.pixels[static_cast<std::size_t>(y * width + x)] =
          (alpha << 24) | (red << 16) | (green << 8) | blue;
    }
  }
  if (bit_count == 32 && !any_alpha) {
    for (std::uint32_t& pixel : image.pixels) pixel |= 0xFF000000;
  }
  return image;
}

std::optional<ImagePixels> DecodeBmp(std::span<const unsigned char> bytes) {
  const ByteReader data(bytes);
  if (!data.Has(0, 14 + 40) || data.Byte(0) != 'B' || data.Byte(1) != 'M') return std::nullopt;
  const std::uint32_t bits = data.U32(10);
  const std::int64_t width = data.I32(14 + 4);
  const std::int64_t height = data.I32(14 + 8);
  return DecodeDib(data, 14, bits, width, height < 0 ? -height : height, height < 0);
}

struct IconEntry {
  int size = 0;  // the larger of width and height, as listed in the directory
  std::uint32_t offset = 0;
  std::uint32_t length = 0;
};

// One directory entry's image: a DIB of twice the height, colour rows then the 1-bit AND mask
// (set bits are transparent). The mask decides transparency unless the colours carry alpha.
std::optional<ImagePixels> DecodeIconImage(std::span<const unsigned char> file,
                                           const IconEntry& entry) {
  const ByteReader whole(file);
  if (!whole.Has(entry.offset, entry.length)) return std::nullopt;
  const ByteReader data(file.subspan(entry.offset, entry.length));
  if (!data.Has(0, 40)) return std::nullopt;
  static constexpr unsigned char kPngSignature[] = {0x89, 'P', 'N', 'G'};
  if (std::memcmp(data.bytes().data(), kPngSignature, sizeof(kPngSignature)) == 0) {
    return std::nullopt;
  }
  const std::uint32_t header_size = data.U32(0);
  const std::int64_t width = data.I32(4);
  const std::int64_t double_height = data.I32(8);
  if (header_size < 40 || double_height <= 0 || double_height % 2 != 0) return std::nullopt;
  const std::int64_t height = double_height / 2;
  std::optional<ImagePixels> image = DecodeDib(data, 0, header_size, width, height, false);
  if (!image) return std::nullopt;

  const std::uint16_t bit_count = data.U16(14);
  const std::size_t color_stride = (static_cast<std::size_t>(width) * bit_count + 31) / 32 * 4;
  const std::size_t mask_start = header_size + color_stride * static_cast<std::size_t>(height);
  const std::size_t mask_stride = (static_cast<std::size_t>(width) + 31) / 32 * 4;
  const bool has_mask = data.Has(mask_start, mask_stride * static_cast<std::size_t>(height));
  const bool has_alpha =
      bit_count == 32 && std::any_of(image->pixels.begin(), image->pixels.end(),
                                     [](std::uint32_t pixel) { return (pixel >> 24) != 0xFF; });
  if (has_alpha) return image;
  if (!has_mask) return bit_count == 32 ? image : std::nullopt;
  for (std::int64_t y = 0; y < height; ++y) {
    const std::size_t row = mask_start + static_cast<std::size_t>(height - 1 - y) * mask_stride;
    for (std::int64_t x = 0; x < width; ++x) {
      const unsigned char byte = data.Byte(row + static_cast<std::size_t>(x / 8));
      if ((byte >> (7 - x % 8)) & 1) image->pixels[static_cast<std::size_t>(y * width + x)] = 0;
    }
  }
  return image;
}

// The entries of an ICO file in the order they are tried for `size`: nearest first, the
// larger of two equally near, and for 0 the largest first.
std::vector<IconEntry> IconEntriesByPreference(std::span<const unsigned char> file, int size) {
  const ByteReader data(file);
  std::vector<IconEntry> entries;
  if (!data.Has(0, 6) || data.U16(0) != 0 || data.U16(2) != 1) return entries;
  const std::size_t count = data.U16(4);
  if (!data.Has(6, count * 16)) return entries;
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t at = 6 + i * 16;
    const int width = data.Byte(at) == 0 ? 256 : data.Byte(at);
    const int height = data.Byte(at + 1) == 0 ? 256 : data.Byte(at + 1);
    entries.push_back({std::max(width, height), data.U32(at + 12), data.U32(at + 8)});
  }
  std::stable_sort(entries.begin(), entries.end(), [size](const IconEntry& a, const IconEntry& b) {
    if (size <= 0) return a.size > b.size;
    const int distance_a = std::abs(a.size - size);
    const int distance_b = std::abs(b.size - size);
    if (distance_a != distance_b) return distance_a < distance_b;
    return a.size > b.size;
  });
  return entries;
}

const BinaryResource* FindBinary(std::span<const BinaryResource> table, UINT id) {
  const auto found = std::find_if(table.begin(), table.end(),
                                  [id](const BinaryResource& entry) { return entry.id == id; });
  return found == table.end() ? nullptr : &*found;
}

const ResourceLanguage* FindLanguage(std::span<const ResourceLanguage> languages, LANGID language) {
  const auto found =
      std::find_if(languages.begin(), languages.end(),
                   [language](const ResourceLanguage& set) { return set.language == language; });
  return found == languages.end() ? nullptr : &*found;
}

const std::wstring_view* FindInSet(const ResourceLanguage* set, UINT id) {
  if (set == nullptr) return nullptr;
  const auto found =
      std::lower_bound(set->strings.begin(), set->strings.end(), id,
                       [](const StringResource& entry, UINT wanted) { return entry.id < wanted; });
  return found != set->strings.end() && found->id == id ? &found->text : nullptr;
}

const DialogResource* FindDialogInSet(const ResourceLanguage* set, UINT id) {
  if (set == nullptr) return nullptr;
  const auto found =
      std::lower_bound(set->dialogs.begin(), set->dialogs.end(), id,
                       [](const DialogResource& entry, UINT wanted) { return entry.id < wanted; });
  return found != set->dialogs.end() && found->id == id ? &*found : nullptr;
}

std::vector<unsigned char> Copy(std::span<const unsigned char> bytes) {
  return std::vector<unsigned char>(bytes.begin(), bytes.end());
}

}  // namespace

const std::wstring_view* ResourceModule::FindString(UINT id, LANGID language) const {
  if (const std::wstring_view* text = FindInSet(FindLanguage(languages_, language), id)) {
    return text;
  }
  return FindInSet(FindLanguage(languages_, kFallbackLanguage), id);
}

const DialogResource* ResourceModule::FindDialog(UINT id, LANGID language) const {
  if (const DialogResource* dialog = FindDialogInSet(FindLanguage(languages_, language), id)) {
    return dialog;
  }
  return FindDialogInSet(FindLanguage(languages_, kFallbackLanguage), id);
}

const BinaryResource* ResourceModule::FindBitmap(UINT id) const { return FindBinary(bitmaps_, id); }

const BinaryResource* ResourceModule::FindIcon(UINT id) const { return FindBinary(icons_, id); }

std::wstring LoadStringResource(HINSTANCE instance, UINT id) {
  const ResourceModule* module = ResourceModule::FromHandle(instance);
  if (module == nullptr) return {};
  const std::wstring_view* text = module->FindString(id, LANGIDFROMLCID(GetThreadLocale()));
  return text == nullptr ? std::wstring() : std::wstring(*text);
}

const DialogResource* LoadDialogResource(HINSTANCE instance, UINT id) {
  const ResourceModule* module = ResourceModule::FromHandle(instance);
  if (module == nullptr) return nullptr;
  return module->FindDialog(id, LANGIDFROMLCID(GetThreadLocale()));
}

const ImagePixels* BitmapPixels(HBITMAP bitmap) {
  return bitmap == nullptr ? nullptr : &bitmap->pixels;
}

const ImagePixels* IconPixels(HICON icon) { return icon == nullptr ? nullptr : &icon->pixels; }

std::span<const unsigned char> BitmapFileBytes(HBITMAP bitmap) {
  if (bitmap == nullptr) return {};
  return bitmap->file;
}

}  // namespace pw

int LoadString(HINSTANCE instance, UINT id, std::wstring* text) {
  std::wstring loaded = pw::LoadStringResource(instance, id);
  const int length = static_cast<int>(loaded.size());
  if (text != nullptr) *text = std::move(loaded);
  return length;
}

HBITMAP LoadBitmap(HINSTANCE instance, UINT id) {
  const pw::ResourceModule* module = pw::ResourceModule::FromHandle(instance);
  if (module == nullptr) return nullptr;
  const pw::BinaryResource* resource = module->FindBitmap(id);
  if (resource == nullptr) return nullptr;
  std::optional<pw::ImagePixels> pixels = pw::DecodeBmp(resource->bytes);
  if (!pixels) return nullptr;
  auto bitmap = std::make_unique<HBITMAP__>();
  bitmap->pixels = std::move(*pixels);
  bitmap->file = pw::Copy(resource->bytes);
  return bitmap.release();
}

HICON LoadIcon(HINSTANCE instance, UINT id, int size) {
  const pw::ResourceModule* module = pw::ResourceModule::FromHandle(instance);
  if (module == nullptr) return nullptr;
  const pw::BinaryResource* resource = module->FindIcon(id);
  if (resource == nullptr) return nullptr;
  for (const pw::IconEntry& entry : pw::IconEntriesByPreference(resource->bytes, size)) {
    std::optional<pw::ImagePixels> pixels = pw::DecodeIconImage(resource->bytes, entry);
    if (!pixels) continue;
    auto icon = std::make_unique<HICON__>();
    icon->pixels = std::move(*pixels);
    icon->file = pw::Copy(resource->bytes);
    return icon.release();
  }
  return nullptr;
}

BOOL DeleteObject(HBITMAP bitmap) {
  if (bitmap == nullptr) return FALSE;
  delete bitmap;
  return TRUE;
}

BOOL DestroyIcon(HICON icon) {
  if (icon == nullptr) return FALSE;
  delete icon;
  return TRUE;
}

BOOL GetBitmapInfo(HBITMAP bitmap, BITMAP* info) {
  if (bitmap == nullptr || info == nullptr) return FALSE;
  info->bmWidth = bitmap->pixels.width;
  info->bmHeight = bitmap->pixels.height;
  return TRUE;
}
