#pragma once
// The solver's board: the solution, the player's entries, the clues, the pictures,
// the cursor and the typing direction, with every rule of moving, typing, checking,
// revealing and the completion blinking. Qt-free; the window only draws it and
// turns input into these calls.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/cell_pos.h"
#include "common/crossword_file.h"
#include "common/direction.h"
#include "common/jpeg.h"
#include "common/language.h"
#include "common/picture.h"
#include "interchange/crossword_numbering.h"

namespace gw::cross {

// The five clips: numbers as the resources are numbered.
enum class Sound : int {
  None = 0,
  Stored = 1,     // a letter was stored and the cursor moved on
  Refused = 2,    // an arrow move ran into a picture
  Completed = 3,  // the crossword has been solved (played to its end)
  Fanfare = 4,    // right after Completed, unless a clip is still playing
  Stay = 5,       // stored but could not move on; direction changed; a field revealed
};

// What a typed character did.
struct KeyOutcome {
  bool stored = false;        // the key was an accepted letter on a letter cell
  Sound sound = Sound::None;  // the clip the move asks for (before the "Sounds" setting)
  bool completedNow = false;  // this key finished the crossword
};

inline constexpr int kCellPitch = 20;   // pixels between cells
inline constexpr int kBlinkTicks = 20;  // ticks of blinking before "Try another?"

class Board {
 public:
  Board() = default;

  // Builds a board from a parsed file. Unknown languages read as English, unknown clue charsets
  // as ANSI; every picture is decoded here (throws JpegError, also for pictures past the pixel
  // budget), so a board either comes out whole or not at all. Entries are empty, the direction
  // across, the first letter cell current.
  static Board fromCrossword(const CrosswordFile& file);

  // --- the crossword ---
  int rows() const { return rows_; }
  int columns() const { return columns_; }
  Language language() const { return language_; }
  ClueCharset clueCharset() const { return charset_; }
  char solutionAt(int row, int column) const { return solution_[index(row, column)]; }
  char entryAt(int row, int column) const { return entries_[index(row, column)]; }
  const std::string& solution() const { return solution_; }
  const std::string& entries() const { return entries_; }
  bool isBlock(int row, int column) const { return solutionAt(row, column) == kBlankCell; }
  bool isTopEdgeMarked(int row, int column) const;
  bool isLeftEdgeMarked(int row, int column) const;
  const std::vector<DefinitionRecord>& words() const { return words_; }
  const std::vector<Picture>& pictures() const { return pictures_; }
  // The decoded image of pictures()[i]; empty when the picture held no data.
  const IndexedImage& pictureImage(std::size_t i) const { return pictureImages_.at(i); }

  // Any row and column may be asked; cells off the board are under no picture.
  bool isUnderPicture(int row, int column) const;
  // True for a cell whose entry equals its solution (what "Mark bad entries" shows blue).
  bool isEntryCorrect(int row, int column) const { return entryAt(row, column) == solutionAt(row, column); }

  // --- cursor and direction ---
  CellPos current() const { return current_; }
  Direction direction() const { return direction_; }
  // Clue of the last word in file order of that direction through the current cell;
  // empty on a block cell or where no such word passes.
  std::string acrossClueAt() const { return clueAt(Direction::Across); }
  std::string downClueAt() const { return clueAt(Direction::Down); }
  // The same for any cell of the board (what a screen reader tells of a cell).
  std::string clueAt(CellPos cell, Direction direction) const;
  // The first cell, row by row, that is neither a block nor under a picture; (0, 0) when none.
  CellPos firstLetterCell() const;
  // Moves the cursor; the caller keeps the cell on the board and off the pictures.
  void selectCell(CellPos cell);
  // The cell under a pixel of the board, or nothing on the right or bottom border line.
  std::optional<CellPos> cellAtPixel(int x, int y) const;

  // The arrow actions: enabled on the board's edges as the cursor allows.
  bool canMoveLeft() const { return current_.column > 0; }
  bool canMoveRight() const { return current_.column < columns_ - 1; }
  bool canMoveUp() const { return current_.row > 0; }
  bool canMoveDown() const { return current_.row < rows_ - 1; }
  // Moves one cell; into a picture the cursor stays and Refused is asked for.
  // A disabled move (off the board) does nothing and asks for nothing.
  Sound move(int dRow, int dColumn);
  // Sets the direction; asks for Stay.
  Sound setDirection(Direction d);

  // --- words ---
  // The conventional numbering the exports and the printed page use.
  const CrosswordNumbering& numbering() const { return numbering_; }
  // Every numbered word in Tab order: Across by number, then Down by number.
  const std::vector<NumberedWord>& wordsInOrder() const { return wordsInOrder_; }
  // The word of `direction` through a cell (index into wordsInOrder()), or -1.
  int wordAt(CellPos cell, Direction direction) const;
  // The word through the cursor in the typing direction, or -1.
  int currentWord() const { return wordAt(current_, direction_); }
  std::vector<CellPos> cellsOf(int word) const;
  // Makes a word current: its direction, the cursor on its first empty cell (or its first cell).
  void goToWord(int word);
  // Tab (+1) and Shift+Tab (-1): the next or previous word, wrapping.
  void goToNextWord(int step);

  // --- typing ---
  // One character as a US keyboard produced it. Mapped to the crossword's language by
  // key position, stored, and the cursor advanced; then the completion test runs. With
  // `jumpToNextWord`, a letter at the end of a word moves on to the next word.
  KeyOutcome typeKey(char usCharacter, bool jumpToNextWord = false);
  // Backspace: clears the current cell, or when it is empty moves back one cell in the typing
  // direction (within the board, onto a letter cell) and clears that one. No completion test.
  void eraseBackward();
  // Delete: clears the current cell and stays. No completion test.
  void eraseCurrent();

  // --- checking and revealing ---
  bool isSolved() const;
  bool completed() const { return completed_; }
  bool canCheatOne() const { return !isBlock(current_.row, current_.column); }
  // Reveals the current cell's letter (does not complete: the next key does). Asks for Stay.
  Sound cheatOne();
  // Reveals every letter; block cells get a space.
  void cheatAll();
  // Reveals the letters of the current word (does not complete).
  void cheatWord();
  // Marks the current word's letters as checked: they show right or wrong as "Mark bad
  // entries" would, until the cell is typed into again.
  void checkWord();
  bool isChecked(int row, int column) const { return checked_[index(row, column)]; }

  // --- completion blinking ---
  int blinkCount() const { return blinkCount_; }
  // One 200 ms tick: false when the blinking is over and "Try another?" is due.
  bool blinkStep();

  // --- progress ---
  // Replaces the entries with the first rows × columns bytes of a progress file.
  // Throws FormatError (and changes nothing) when it holds fewer.
  void applyProgress(std::string_view bytes);

 private:
  void setEntry(int row, int column, char entry);
  bool isWordCell(int row, int column) const;

  std::size_t index(int row, int column) const { return static_cast<std::size_t>(row) * columns_ + column; }
  std::string clueAt(Direction direction) const { return clueAt(current_, direction); }
  bool isLetterCell(int row, int column) const {
    return !isBlock(row, column) && !isUnderPicture(row, column);
  }

  Language language_ = Language::English;
  ClueCharset charset_ = ClueCharset::Ansi;
  int rows_ = 0;
  int columns_ = 0;
  std::string solution_;
  std::string entries_;
  std::vector<EdgeMark> topMarks_;
  std::vector<EdgeMark> leftMarks_;
  std::vector<DefinitionRecord> words_;
  std::vector<Picture> pictures_;
  std::vector<IndexedImage> pictureImages_;  // one per picture
  CrosswordNumbering numbering_;
  std::vector<NumberedWord> wordsInOrder_;
  std::vector<bool> checked_;
  CellPos current_;
  Direction direction_ = Direction::Across;
  bool completed_ = false;
  int blinkCount_ = 0;
};

}  // namespace gw::cross
