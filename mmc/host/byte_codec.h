// Little-endian byte writing and bounds-checked reading, for the console document.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace pw::mmc {

class ByteWriter {
 public:
  void U32(std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes_.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
  }
  void I32(std::int32_t value) { U32(static_cast<std::uint32_t>(value)); }
  void Bytes(std::string_view bytes) { bytes_.append(bytes); }
  // A length-prefixed block.
  void Block(std::string_view bytes) {
    U32(static_cast<std::uint32_t>(bytes.size()));
    Bytes(bytes);
  }
  const std::string& bytes() const { return bytes_; }
  std::string Take() { return std::move(bytes_); }

 private:
  std::string bytes_;
};

// Every read fails (false) instead of reading past the end, and a failed reader stays failed.
class ByteReader {
 public:
  explicit ByteReader(std::string_view bytes) : bytes_(bytes) {}

  bool U32(std::uint32_t* value) {
    if (!ok_ || bytes_.size() - position_ < 4) return Fail();
    std::uint32_t result = 0;
    for (int i = 0; i < 4; ++i) {
      result |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes_[position_ + i]))
                << (8 * i);
    }
    position_ += 4;
    *value = result;
    return true;
  }
  bool I32(std::int32_t* value) {
    std::uint32_t raw = 0;
    if (!U32(&raw)) return false;
    *value = static_cast<std::int32_t>(raw);
    return true;
  }
  bool Bytes(std::size_t count, std::string_view* bytes) {
    if (!ok_ || bytes_.size() - position_ < count) return Fail();
    *bytes = bytes_.substr(position_, count);
    position_ += count;
    return true;
  }
  // A length-prefixed block of at most `limit` bytes.
  bool Block(std::size_t limit, std::string_view* bytes) {
    std::uint32_t length = 0;
    if (!U32(&length) || length > limit) return Fail();
    return Bytes(length, bytes);
  }
  bool AtEnd() const { return ok_ && position_ == bytes_.size(); }
  bool ok() const { return ok_; }
  std::size_t position() const { return position_; }

 private:
  bool Fail() {
    ok_ = false;
    return false;
  }

  std::string_view bytes_;
  std::size_t position_ = 0;
  bool ok_ = true;
};

}  // namespace pw::mmc
