#pragma once
// The composing board: the layout the author draws (isles and fixed letters) and the
// composer fills, and the slots (across and down runs) derived from it.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/crossword_file.h"
#include "common/language.h"

namespace gw {

inline constexpr int kBoardSide = 41;  // the storage holds 41 columns of 41 cells
inline constexpr int kBoardCells = kBoardSide * kBoardSide;
inline constexpr char kIsle = '\xA4';

// A length-prefixed string of at most one character: empty (length 0), isle or letter.
struct BoardCell {
  std::uint8_t length = 0;
  char character = 0;
  friend bool operator==(const BoardCell&, const BoardCell&) = default;
};

// 41 × 41 cells stored column by column: cell (column c, row r) is element c * 41 + r.
class ComposingBoard {
 public:
  static constexpr int index(int column, int row) { return column * kBoardSide + row; }

  const BoardCell& cell(int column, int row) const { return cells_[index(column, row)]; }
  BoardCell& cell(int column, int row) { return cells_[index(column, row)]; }
  const BoardCell& at(int index) const { return cells_[index]; }
  BoardCell& at(int index) { return cells_[index]; }

  bool isEmpty(int column, int row) const { return cell(column, row).length == 0; }
  bool isIsle(int column, int row) const {
    const BoardCell& c = cell(column, row);
    return c.length != 0 && c.character == kIsle;
  }
  bool isLetter(int column, int row) const {
    const BoardCell& c = cell(column, row);
    return c.length != 0 && c.character != kIsle;
  }

  // The editing operations of the composing page.
  void setIsle(int column, int row) { cell(column, row) = {1, kIsle}; }
  // Keeps the old character byte: the cell still counts as empty everywhere.
  void clearCell(int column, int row) { cell(column, row).length = 0; }
  void toggle(int column, int row) {
    if (isEmpty(column, row)) setIsle(column, row);
    else clearCell(column, row);
  }
  void putLetter(int column, int row, char letter) { cell(column, row) = {1, letter}; }
  void clearAll(int columns, int rows);

  // Copies the top-left columns × rows part of `from`; the rest stays as it was.
  void copyPart(const ComposingBoard& from, int columns, int rows);

  friend bool operator==(const ComposingBoard&, const ComposingBoard&) = default;

 private:
  std::array<BoardCell, kBoardCells> cells_{};
};

// What a pattern file holds: size, language and the cells.
struct Layout {
  std::int32_t rows = 0;     // indices 0 .. rows − 1
  std::int32_t columns = 0;  // indices 0 .. columns − 1
  Language language = Language::English;
  ComposingBoard board;

  bool contains(int column, int row) const {
    return column >= 0 && row >= 0 && column < columns && row < rows;
  }
  friend bool operator==(const Layout&, const Layout&) = default;
};

// One run of cells to fill with one word, with the candidates the search computed for it.
struct Slot {
  std::int8_t length = 0;
  std::uint8_t row = 0;
  std::uint8_t column = 0;
  std::int32_t candidateIndex = -1;  // −1 while none is chosen
  Direction direction = Direction::Across;
  // The candidate words in dictionary order, each `length` bytes, back to back.
  std::string candidates;

  int candidateCount() const { return length > 0 ? static_cast<int>(candidates.size()) / length : 0; }
  std::string_view candidate(int i) const {
    return std::string_view(candidates).substr(static_cast<std::size_t>(i) * length, length);
  }
  bool hasCurrentWord() const { return candidateIndex >= 0 && candidateIndex < candidateCount(); }
  // Board index of the slot's k-th cell.
  int cellIndex(int k) const {
    return direction == Direction::Across ? ComposingBoard::index(column + k, row)
                                          : ComposingBoard::index(column, row + k);
  }
  // Same place and shape (candidates and index aside).
  bool samePlace(const Slot& o) const {
    return length == o.length && row == o.row && column == o.column && direction == o.direction;
  }
};

// Across runs row by row, then down runs column by column; a run of letters only is no slot.
std::vector<Slot> deriveSlots(const Layout& layout);

// One across and one down slot that share a cell.
bool slotsCross(const Slot& a, const Slot& b);

// The slot's pattern as the dictionary takes it: one byte per cell, kAnyLetter when open.
std::string slotQuery(const ComposingBoard& board, const Slot& slot);
// The same framed as "^...$", as shown to the author.
std::string slotPattern(const ComposingBoard& board, const Slot& slot);
// Number of cells of the slot that hold a letter.
int knownCellCount(const ComposingBoard& board, const Slot& slot);
// The letters of the slot's cells in order; empty cells contribute nothing.
std::string wordOnBoard(const ComposingBoard& board, const Slot& slot);
// Writes the word's letters into the slot's cells.
void placeWord(ComposingBoard& board, const Slot& slot, std::string_view word);

// The board as a result crossword file: letters row by row, isles as blanks, nothing else.
CrosswordFile resultCrossword(const Layout& layout);
// "spring.C_WM" and 3 give "spring3.C_W".
std::string resultFileName(const std::string& patternFileName, int number);

}  // namespace gw
