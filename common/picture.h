#pragma once
// A picture on a crossword board: the rectangle of cells it covers and its JPEG file.
// The fields stand in the order of the crossword file's record.
#include <cstdint>
#include <string>

namespace gw {

struct Picture {
  std::uint8_t column = 0;
  std::uint8_t row = 0;
  std::uint8_t width = 0;   // in cells
  std::uint8_t height = 0;  // in cells
  std::string jpeg;         // the complete JPEG file; may be empty

  bool covers(int cellRow, int cellColumn) const {
    return row <= cellRow && cellRow < row + height && column <= cellColumn && cellColumn < column + width;
  }
  std::uint32_t byteLength() const { return static_cast<std::uint32_t>(jpeg.size()); }
  friend bool operator==(const Picture&, const Picture&) = default;
};

}  // namespace gw
