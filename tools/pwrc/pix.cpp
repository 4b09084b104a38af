// Reading of .pix pixel-art sources and writing of BMP and ICO files.
#include "tools/pwrc/pix.h"

#include <map>
#include <optional>
#include <set>
#include <string_view>

namespace pwrc {
namespace {

constexpr int kMaxSize = 256;

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) {
    text.remove_suffix(1);
  }
  return text;
}

std::vector<std::string_view> Words(std::string_view text) {
  std::vector<std::string_view> words;
  while (true) {
    text = Trim(text);
    if (text.empty()) return words;
    std::size_t length = 0;
    while (length < text.size() && text[length] != ' ' && text[length] != '\t') ++length;
    words.push_back(text.substr(0, length));
    text.remove_prefix(length);
  }
}

std::optional<int> ParseSize(std::string_view text) {
  if (text.empty() || text.size() > 4) return std::nullopt;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

// RRGGBB as an opaque 0xAARRGGBB colour; "transparent" as 0.
std::optional<std::uint32_t> ParseColor(std::string_view text) {
  if (text == "transparent") return 0;
  if (text.size() != 6) return std::nullopt;
  std::uint32_t value = 0;
  for (char c : text) {
    int digit = -1;
    if (c >= '0' && c <= '9') digit = c - '0';
    if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    if (digit < 0) return std::nullopt;
    value = value * 16 + static_cast<std::uint32_t>(digit);
  }
  return 0xFF000000 | value;
}

std::string Quoted(std::string_view text) { return "'" + std::string(text) + "'"; }

class ByteWriter {
 public:
  explicit ByteWriter(std::vector<unsigned char>* out) : out_(out) {}
  void U8(unsigned value) { out_->push_back(static_cast<unsigned char>(value & 0xFF)); }
  void U16(unsigned value) {
    U8(value);
    U8(value >> 8);
  }
  void U32(std::uint32_t value) {
    U16(value & 0xFFFF);
    U16(value >> 16);
  }

 private:
  std::vector<unsigned char>* out_;
};

void WriteInfoHeader(ByteWriter& writer, int width, int height, int bit_count,
                     std::uint32_t image_size) {
  writer.U32(40);
  writer.U32(static_cast<std::uint32_t>(width));
  writer.U32(static_cast<std::uint32_t>(height));
  writer.U16(1);  // planes
  writer.U16(static_cast<unsigned>(bit_count));
  writer.U32(0);  // BI_RGB
  writer.U32(image_size);
  writer.U32(0);  // horizontal resolution
  writer.U32(0);  // vertical resolution
  writer.U32(0);  // colours used
  writer.U32(0);  // important colours
}

std::uint32_t Stride(int width, int bit_count) {
  return static_cast<std::uint32_t>((width * bit_count + 31) / 32 * 4);
}

}  // namespace

bool ReadPixFile(const std::string& path, PixFile* file, Diagnostics& diagnostics) {
  file->path = path;
  file->images.clear();
  std::string source;
  if (!ReadWholeFile(path, &source)) {
    diagnostics.Error(path, "cannot read the file");
    return false;
  }
  auto fail = [&](int line, const std::string& message) {
    diagnostics.Error(path, line, message);
    return false;
  };

  std::map<char, std::uint32_t> palette;
  enum class Section { kNone, kColors, kPixels };
  Section section = Section::kNone;
  PixImage* image = nullptr;
  bool image_has_pixels = false;
  int rows_read = 0;
  int line_number = 0;
  std::size_t start = 0;
  while (start < source.size()) {
    std::size_t end = source.find('\n', start);
    if (end == std::string::npos) end = source.size();
    ++line_number;
    const std::string_view line = Trim(std::string_view(source).substr(start, end - start));
    start = end + 1;
    if (line.starts_with('#')) continue;

    if (section == Section::kPixels) {
      if (line.empty()) return fail(line_number, "blank line among the pixel rows");
      if (line.size() != static_cast<std::size_t>(image->width)) {
        return fail(line_number, "row has " + std::to_string(line.size()) + " pixels, expected " +
                                     std::to_string(image->width));
      }
      for (char key : line) {
        const auto color = palette.find(key);
        if (color == palette.end()) {
          return fail(line_number, "unknown color key " + Quoted(std::string_view(&key, 1)));
        }
        if (color->second == (0xFF000000 | kBitmapMaskColor) && image->mask_color_line == 0) {
          image->mask_color_line = line_number;
        }
        image->pixels.push_back(color->second);
      }
      if (++rows_read == image->height) section = Section::kNone;
      continue;
    }
    if (line.empty()) continue;

    const std::vector<std::string_view> words = Words(line);
    if (words[0] == "size") {
      if (image != nullptr && !image_has_pixels) {
        return fail(image->line, "image has no pixels");
      }
      if (words.size() != 3) return fail(line_number, "expected 'size WIDTH HEIGHT'");
      const std::optional<int> width = ParseSize(words[1]);
      const std::optional<int> height = ParseSize(words[2]);
      if (!width || !height) return fail(line_number, "expected 'size WIDTH HEIGHT'");
      if (*width < 1 || *width > kMaxSize || *height < 1 || *height > kMaxSize) {
        return fail(line_number, "image size must be 1 to 256 pixels each way");
      }
      file->images.push_back(PixImage{*width, *height, {}, line_number, 0});
      image = &file->images.back();
      image_has_pixels = false;
      section = Section::kNone;
    } else if (words[0] == "colors" && words.size() == 1) {
      section = Section::kColors;
    } else if (words[0] == "pixels" && words.size() == 1) {
      if (image == nullptr) return fail(line_number, "'pixels' before 'size'");
      if (image_has_pixels) return fail(line_number, "the image already has its pixels");
      image->pixels.reserve(static_cast<std::size_t>(image->width * image->height));
      image_has_pixels = true;
      rows_read = 0;
      section = Section::kPixels;
    } else if (section == Section::kColors) {
      if (words[0].size() != 1) {
        return fail(line_number, "color key " + Quoted(words[0]) + " must be one character");
      }
      if (words.size() != 2) return fail(line_number, "expected 'KEY RRGGBB' or 'KEY transparent'");
      const std::optional<std::uint32_t> color = ParseColor(words[1]);
      if (!color) {
        return fail(line_number,
                    "bad color " + Quoted(words[1]) + " (expected RRGGBB or transparent)");
      }
      if (!palette.emplace(words[0][0], *color).second) {
        return fail(line_number, "color key " + Quoted(words[0]) + " is defined twice");
      }
    } else {
      return fail(line_number, "unexpected " + Quoted(words[0]));
    }
  }
  if (section == Section::kPixels) {
    return fail(line_number, "expected " + std::to_string(image->height) + " pixel rows, found " +
                                 std::to_string(rows_read));
  }
  if (image == nullptr) return fail(line_number == 0 ? 1 : line_number, "no image in the file");
  if (!image_has_pixels) return fail(image->line, "image has no pixels");
  return true;
}

bool EncodeBitmap(const PixFile& file, std::vector<unsigned char>* bmp, Diagnostics& diagnostics) {
  if (file.images.size() != 1) {
    diagnostics.Error(file.path, file.images[1].line, "a bitmap holds one image");
    return false;
  }
  const PixImage& image = file.images[0];
  if (image.mask_color_line != 0) {
    diagnostics.Error(file.path, image.mask_color_line,
                      "color 008080 is the bitmap mask color; use a transparent key instead");
    return false;
  }
  const std::uint32_t stride = Stride(image.width, 24);
  const std::uint32_t image_size = stride * static_cast<std::uint32_t>(image.height);
  constexpr std::uint32_t kHeaders = 14 + 40;
  bmp->clear();
  ByteWriter writer(bmp);
  writer.U8('B');
  writer.U8('M');
  writer.U32(kHeaders + image_size);
  writer.U32(0);  // reserved
  writer.U32(kHeaders);
  WriteInfoHeader(writer, image.width, image.height, 24, image_size);
  for (int y = image.height - 1; y >= 0; --y) {
    for (int x = 0; x < image.width; ++x) {
      std::uint32_t pixel = image.pixels[static_cast<std::size_t>(y * image.width + x)];
      if ((pixel >> 24) == 0) pixel = kBitmapMaskColor;
      writer.U8(pixel);        // blue
      writer.U8(pixel >> 8);   // green
      writer.U8(pixel >> 16);  // red
    }
    for (std::uint32_t pad = static_cast<std::uint32_t>(image.width) * 3; pad < stride; ++pad) {
      writer.U8(0);
    }
  }
  return true;
}

bool EncodeIcon(const PixFile& file, std::vector<unsigned char>* ico, Diagnostics& diagnostics) {
  std::set<std::pair<int, int>> sizes;
  for (const PixImage& image : file.images) {
    if (!sizes.emplace(image.width, image.height).second) {
      diagnostics.Error(file.path, image.line,
                        "a second image of size " + std::to_string(image.width) + "x" +
                            std::to_string(image.height));
      return false;
    }
  }
  ico->clear();
  ByteWriter writer(ico);
  writer.U16(0);  // reserved
  writer.U16(1);  // an icon, not a cursor
  writer.U16(static_cast<unsigned>(file.images.size()));
  std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(file.images.size());
  auto entry_size = [](const PixImage& image) {
    return 40 + (Stride(image.width, 32) + Stride(image.width, 1)) *
                    static_cast<std::uint32_t>(image.height);
  };
  for (const PixImage& image : file.images) {
    writer.U8(image.width == 256 ? 0 : static_cast<unsigned>(image.width));
    writer.U8(image.height == 256 ? 0 : static_cast<unsigned>(image.height));
    writer.U8(0);   // no palette
    writer.U8(0);   // reserved
    writer.U16(1);  // planes
    writer.U16(32);
    writer.U32(entry_size(image));
    writer.U32(offset);
    offset += entry_size(image);
  }
  for (const PixImage& image : file.images) {
    const std::uint32_t mask_stride = Stride(image.width, 1);
    WriteInfoHeader(
        writer, image.width, image.height * 2, 32,
        (Stride(image.width, 32) + mask_stride) * static_cast<std::uint32_t>(image.height));
    for (int y = image.height - 1; y >= 0; --y) {
      for (int x = 0; x < image.width; ++x) {
        writer.U32(image.pixels[static_cast<std::size_t>(y * image.width + x)]);
      }
    }
    // The AND mask: a set bit lets the background show through.
    for (int y = image.height - 1; y >= 0; --y) {
      std::vector<unsigned char> row(mask_stride, 0);
      for (int x = 0; x < image.width; ++x) {
        if ((image.pixels[static_cast<std::size_t>(y * image.width + x)] >> 24) == 0) {
          row[static_cast<std::size_t>(x / 8)] |= static_cast<unsigned char>(0x80 >> (x % 8));
        }
      }
      for (unsigned char byte : row) writer.U8(byte);
    }
  }
  return true;
}

}  // namespace pwrc
