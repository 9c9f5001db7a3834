#pragma once
// The crossword file (.C_W, magic "CW10"): the one thing both programs exchange.
// Writing is here; reading, with every count and position checked, is crossword_reader.h.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace gw {

inline constexpr char kBlankCell = ' ';  // a block or clue cell, part of no word

struct EdgeMark {
  std::uint8_t column = 0;
  std::uint8_t row = 0;
  friend bool operator==(const EdgeMark&, const EdgeMark&) = default;
};

// One definition record: the word at (row, column) running across or down, and its clue.
struct DefinitionRecord {
  bool across = false;       // h
  std::uint8_t row = 0;      // x
  std::uint8_t column = 0;   // y
  std::uint8_t length = 0;   // len, number of cells
  std::string clue;          // in the code page of the definition charset
  friend bool operator==(const DefinitionRecord&, const DefinitionRecord&) = default;
};

struct PictureRecord {
  std::uint8_t column = 0;
  std::uint8_t row = 0;
  std::uint8_t width = 0;   // in cells
  std::uint8_t height = 0;  // in cells
  std::string jpeg;         // the complete JPEG file
  friend bool operator==(const PictureRecord&, const PictureRecord&) = default;
};

struct CrosswordFile {
  std::uint8_t language = 0;
  std::uint8_t rows = 0;
  std::uint8_t columns = 0;
  std::string board;  // rows × columns bytes, row 0 first; kBlankCell for a blank cell
  std::vector<EdgeMark> topMarks;
  std::vector<EdgeMark> leftMarks;
  std::uint8_t charset = 0;
  std::vector<DefinitionRecord> definitions;  // in file order
  std::vector<PictureRecord> pictures;

  char cell(int row, int column) const { return board[static_cast<std::size_t>(row) * columns + column]; }
  friend bool operator==(const CrosswordFile&, const CrosswordFile&) = default;
};

// The file's bytes, field by field.
std::string serializeCrossword(const CrosswordFile& crossword);

// Writes the file atomically (temporary file renamed into place). Throws FileError.
void writeCrosswordFile(const std::filesystem::path& path, const CrosswordFile& crossword);

}  // namespace gw
