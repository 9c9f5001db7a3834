#pragma once
// What the ipuz and .puz readers and writers share: the result types, the error they throw,
// and the building of a crossword from a foreign grid and its clues.
#include <optional>
#include <string>
#include <vector>

#include "common/crossword_file.h"
#include "common/errors.h"

namespace gw {

// A file of another crossword program that cannot be read or cannot become a crossword
// (or a crossword that a format cannot carry). what() is the message for the user.
class InterchangeError : public FormatError {
 public:
  using FormatError::FormatError;
};

// A crossword read from another format, and what of it was left out (title, author, ...).
struct ImportedCrossword {
  CrosswordFile crossword;
  std::vector<std::string> notes;
};

// The bytes of an exported crossword, and what the format could not carry.
struct ExportedCrossword {
  std::string bytes;
  std::vector<std::string> notes;
};

// What a crossword file has no room for but a printed or exported crossword shows: UTF-8 text,
// left out where empty.
struct CrosswordCredits {
  std::string title;
  std::string author;
};

// Largest interchange file read, so that a lying or huge file is refused before parsing.
inline constexpr std::size_t kMaxInterchangeFileBytes = 16 * 1024 * 1024;

// A crossword as another format holds it, in UTF-8.
struct ForeignClue {
  Direction direction = Direction::Across;
  int row = 0;
  int column = 0;
  std::string text;   // UTF-8
  std::string label;  // how the file names the clue, for messages: "Across 5"
};

struct ForeignCrossword {
  int rows = 0;
  int columns = 0;
  std::vector<std::string> solution;  // rows × columns, row by row; a UTF-8 letter, or "" for a block
  std::vector<EdgeMark> topMarks;
  std::vector<EdgeMark> leftMarks;
  std::vector<ForeignClue> clues;
  std::vector<Picture> pictures;
  // The words that have a definition, in their order, when the file says so (our own ipuz
  // extension); else every word gets one.
  std::optional<std::vector<DefinitionRecord>> definitionWords;
  std::optional<Language> language;    // when the file says so; else guessed from the letters
  std::optional<ClueCharset> charset;  // likewise, from the clues
};

// Builds the crossword: the board in the language's code page, one definition for every word
// (single letters included) in the order the authoring program keeps them, with its clue from
// the file or empty (or, with definitionWords that name words of the board and every clued one,
// exactly those), and the clues in the first clue code page that holds them all.
// Throws InterchangeError naming the letter, clue or cell that does not fit.
CrosswordFile buildCrossword(const ForeignCrossword& foreign, const std::string& formatName);

// The crossword's letters and clues in UTF-8, for writers.
std::string boardLetterUtf8(const CrosswordFile& crossword, int row, int column);
std::string clueUtf8(const CrosswordFile& crossword, const std::string& clue);

// "row 3, column 4", as the other messages of the programs count.
std::string cellName(int row, int column);

}  // namespace gw
