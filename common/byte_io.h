#pragma once
// Little-endian field-by-field reading and writing of the binary files.
// The reader checks every read against what remains, so a short or lying file
// becomes a FormatError instead of a read past the end.
#include <cstdint>
#include <string>
#include <string_view>

#include "common/errors.h"

namespace gw {

class ByteReader {
 public:
  // `what` names the file kind in error messages, e.g. "crossword file".
  explicit ByteReader(std::string_view bytes, std::string what = "file")
      : bytes_(bytes), what_(std::move(what)) {}

  std::size_t position() const { return pos_; }
  std::size_t remaining() const { return bytes_.size() - pos_; }
  bool atEnd() const { return pos_ == bytes_.size(); }

  std::uint8_t u8(const char* field) { return static_cast<std::uint8_t>(take(1, field)[0]); }
  std::int8_t i8(const char* field) { return static_cast<std::int8_t>(u8(field)); }
  std::uint32_t u32(const char* field) {
    std::string_view b = take(4, field);
    return static_cast<std::uint32_t>(static_cast<std::uint8_t>(b[0])) |
           static_cast<std::uint32_t>(static_cast<std::uint8_t>(b[1])) << 8 |
           static_cast<std::uint32_t>(static_cast<std::uint8_t>(b[2])) << 16 |
           static_cast<std::uint32_t>(static_cast<std::uint8_t>(b[3])) << 24;
  }
  std::int32_t i32(const char* field) { return static_cast<std::int32_t>(u32(field)); }
  // `count` bytes; fails before allocating anything when the file cannot hold them.
  std::string_view bytes(std::uint64_t count, const char* field) { return take(count, field); }
  void skip(std::uint64_t count, const char* field) { take(count, field); }

  // Throws unless `count` items of `itemSize` bytes can still follow; use before reserving.
  void requireRoom(std::uint64_t count, std::uint64_t itemSize, const char* field) const {
    if (itemSize != 0 && count > remaining() / itemSize) fail(field);
  }

  [[noreturn]] void fail(const char* field) const {
    throw FormatError("The " + what_ + " ends early or is damaged (at " + field + ", byte " +
                      std::to_string(pos_) + ").");
  }

 private:
  std::string_view take(std::uint64_t count, const char* field) {
    if (count > remaining()) fail(field);
    std::string_view b = bytes_.substr(pos_, static_cast<std::size_t>(count));
    pos_ += static_cast<std::size_t>(count);
    return b;
  }

  std::string_view bytes_;
  std::string what_;
  std::size_t pos_ = 0;
};

class ByteWriter {
 public:
  void u8(std::uint8_t v) { out_.push_back(static_cast<char>(v)); }
  void i8(std::int8_t v) { u8(static_cast<std::uint8_t>(v)); }
  void u32(std::uint32_t v) {
    for (int i = 0; i < 4; ++i) u8(static_cast<std::uint8_t>(v >> (8 * i)));
  }
  void i32(std::int32_t v) { u32(static_cast<std::uint32_t>(v)); }
  void bytes(std::string_view b) { out_.append(b); }
  void zeros(std::size_t n) { out_.append(n, '\0'); }

  const std::string& data() const { return out_; }
  std::string take() { return std::move(out_); }

 private:
  std::string out_;
};

}  // namespace gw
