#pragma once
// The conventional numbering of a crossword, shared by every export: row by row, a number on
// every cell that starts an across or down word of two or more letters. A one-letter word with a
// clue is listed too, under the number of its cell (which gets a number for it if it has none).
#include <string>
#include <vector>

#include "common/crossword_file.h"

namespace gw {

struct NumberedWord {
  Direction direction = Direction::Across;
  int row = 0;
  int column = 0;
  int length = 0;
  int number = 0;
  std::string clue;  // the clue's bytes, in the crossword's clue code page; may be empty
};

struct CrosswordNumbering {
  int rows = 0;
  int columns = 0;
  std::vector<int> cellNumbers;      // rows × columns, row by row; 0 for no number
  std::vector<NumberedWord> across;  // by number
  std::vector<NumberedWord> down;    // by number
  // Clues that could not be placed (a definition whose word is no longer on the board).
  std::vector<std::string> notes;

  int numberAt(int row, int column) const {
    return cellNumbers[static_cast<std::size_t>(row) * columns + column];
  }
};

// True for a cell that holds no letter to solve: a blank cell or a cell under a picture.
bool isBlockCell(const CrosswordFile& crossword, int row, int column);
bool isUnderPicture(const CrosswordFile& crossword, int row, int column);

// Numbers the board. Words are the maximal runs of letter cells; a definition gives its clue to
// the word that starts at its row and column in its direction (the last one in the file wins).
CrosswordNumbering numberCrossword(const CrosswordFile& crossword);

}  // namespace gw
