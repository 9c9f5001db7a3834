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

// 41 × 41 cells stored column by column (the pattern file's order): cell (row r, column c)
// is element c * 41 + r. Every accessor takes the row first.
class ComposingBoard {
 public:
  static constexpr int index(int row, int column) { return column * kBoardSide + row; }

  const BoardCell& cell(int row, int column) const { return cells_[index(row, column)]; }
  BoardCell& cell(int row, int column) { return cells_[index(row, column)]; }
  const BoardCell& at(int index) const { return cells_[index]; }
  BoardCell& at(int index) { return cells_[index]; }

  bool isEmpty(int row, int column) const { return cell(row, column).length == 0; }
  bool isIsle(int row, int column) const {
    const BoardCell& c = cell(row, column);
    return c.length != 0 && c.character == kIsle;
  }
  bool isLetter(int row, int column) const {
    const BoardCell& c = cell(row, column);
    return c.length != 0 && c.character != kIsle;
  }

  // The editing operations of the composing page.
  void setIsle(int row, int column) { cell(row, column) = {1, kIsle}; }
  // Keeps the old character byte: the cell still counts as empty everywhere.
  void clearCell(int row, int column) { cell(row, column).length = 0; }
  void toggle(int row, int column) {
    if (isEmpty(row, column))
      setIsle(row, column);
    else
      clearCell(row, column);
  }
  void putLetter(int row, int column, char letter) { cell(row, column) = {1, letter}; }
  void clearAll(int rows, int columns);

  // Copies the top-left rows × columns part of `from`; the rest stays as it was.
  void copyPart(const ComposingBoard& from, int rows, int columns);

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

  bool contains(int row, int column) const {
    return row >= 0 && column >= 0 && row < rows && column < columns;
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
    return direction == Direction::Across ? ComposingBoard::index(row, column + k)
                                          : ComposingBoard::index(row + k, column);
  }
  // Same place and shape (candidates and index aside).
  bool samePlace(const Slot& o) const {
    return length == o.length && row == o.row && column == o.column && direction == o.direction;
  }
};

// Across runs row by row, then down runs column by column; a run of letters only is no slot.
std::vector<Slot> deriveSlots(const Layout& layout);
// The slots' lengths in their order: the word lengths a search over them needs.
std::vector<int> slotLengths(const std::vector<Slot>& slots);

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
