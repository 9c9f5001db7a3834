#pragma once
// The crossword file (.C_W, magic "CW10"): the one thing both programs exchange.
// Writing is here; reading, with every count and position checked, is crossword_reader.h.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "common/direction.h"
#include "common/language.h"
#include "common/picture.h"

namespace gw {

inline constexpr char kBlankCell = ' ';  // a block or clue cell, part of no word

struct EdgeMark {
  std::uint8_t column = 0;
  std::uint8_t row = 0;
  friend bool operator==(const EdgeMark&, const EdgeMark&) = default;
};

// One definition record: the word at (row, column) running across or down, and its clue.
// In the file the direction is a byte, 1 for across.
struct DefinitionRecord {
  Direction direction = Direction::Down;
  std::uint8_t row = 0;
  std::uint8_t column = 0;
  std::uint8_t length = 0;  // number of cells
  std::string clue;         // in the code page of the clue charset
  friend bool operator==(const DefinitionRecord&, const DefinitionRecord&) = default;
};

struct CrosswordFile {
  Language language = Language::English;
  std::uint8_t rows = 0;
  std::uint8_t columns = 0;
  std::string board;  // rows × columns bytes, row 0 first; kBlankCell for a blank cell
  std::vector<EdgeMark> topMarks;
  std::vector<EdgeMark> leftMarks;
  ClueCharset charset = ClueCharset::Ansi;
  std::vector<DefinitionRecord> definitions;  // in file order
  std::vector<Picture> pictures;

  char cell(int row, int column) const { return board[static_cast<std::size_t>(row) * columns + column]; }
  friend bool operator==(const CrosswordFile&, const CrosswordFile&) = default;
};

// The file's bytes, field by field.
std::string serializeCrossword(const CrosswordFile& crossword);

// Writes the file atomically (temporary file renamed into place). Throws FileError.
void writeCrosswordFile(const std::filesystem::path& path, const CrosswordFile& crossword);

}  // namespace gw
