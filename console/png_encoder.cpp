// EncodePng.
#include "console/png_encoder.h"

#include <zlib.h>

#include <cstdint>

namespace pw::console {

namespace {

void AppendBigEndian(std::string* out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out->push_back(static_cast<char>(value >> shift));
}

void AppendChunk(std::string* out, const char type[5], const std::string& data) {
  AppendBigEndian(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t crc_start = out->size();
  out->append(type, 4);
  out->append(data);
  const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(out->data() + crc_start),
                          static_cast<uInt>(out->size() - crc_start));
  AppendBigEndian(out, static_cast<std::uint32_t>(crc));
}

}  // namespace

std::string EncodePng(const ImagePixels& image) {
  if (image.width <= 0 || image.height <= 0 || image.width > 4096 || image.height > 4096 ||
      image.pixels.size() != static_cast<std::size_t>(image.width) * image.height) {
    return {};
  }
  // Each scanline starts with filter type 0 (none).
  std::string raw;
  raw.reserve(static_cast<std::size_t>(image.height) * (1 + 4 * image.width));
  for (int y = 0; y < image.height; ++y) {
    raw.push_back('\0');
    for (int x = 0; x < image.width; ++x) {
      const std::uint32_t argb = image.pixels[static_cast<std::size_t>(y) * image.width + x];
      raw.push_back(static_cast<char>(argb >> 16));
      raw.push_back(static_cast<char>(argb >> 8));
      raw.push_back(static_cast<char>(argb));
      raw.push_back(static_cast<char>(argb >> 24));
    }
  }
  uLongf packed_size = compressBound(static_cast<uLong>(raw.size()));
  std::string packed(packed_size, '\0');
  if (compress2(reinterpret_cast<Bytef*>(packed.data()), &packed_size,
                reinterpret_cast<const Bytef*>(raw.data()), static_cast<uLong>(raw.size()),
                Z_BEST_COMPRESSION) != Z_OK) {
    return {};
  }
  packed.resize(packed_size);

  std::string png("\x89PNG\r\n\x1a\n", 8);
  std::string header;
  AppendBigEndian(&header, static_cast<std::uint32_t>(image.width));
  AppendBigEndian(&header, static_cast<std::uint32_t>(image.height));
  header += std::string("\x08\x06\x00\x00\x00", 5);  // 8 bits, RGBA, deflate, no filter, plain
  AppendChunk(&png, "IHDR", header);
  AppendChunk(&png, "IDAT", packed);
  AppendChunk(&png, "IEND", {});
  return png;
}

}  // namespace pw::console
