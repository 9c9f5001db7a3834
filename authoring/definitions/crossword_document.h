#pragma once
// The crossword being authored: board, edge marks, placed pictures, dimensions, language,
// clue charset, file name, the open and modified flags and the definition table, with every
// rule of changing them. Qt-free, so that the editing window, the tools and the fuzzers
// share the same rules.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "authoring/definitions/definition_table.h"
#include "common/cell_pos.h"
#include "common/crossword_file.h"
#include "common/errors.h"
#include "common/jpeg.h"
#include "common/language.h"
#include "common/picture.h"

namespace gw {

// A crossword file that the document cannot open. messages() are what the authoring program
// shows, in order (UTF-8); what() is them joined by line ends.
class CrosswordOpenError : public FormatError {
 public:
  explicit CrosswordOpenError(std::vector<std::string> messages);
  const std::vector<std::string>& messages() const { return messages_; }

 private:
  std::vector<std::string> messages_;
};

// A picture where it stands on the board, with its decoded image (none once freed).
struct PlacedPicture {
  Picture placement;
  std::optional<IndexedImage> image;
};

class CrosswordDocument {
 public:
  // Whether a file starts as a crossword file does ("CW10"), whatever its name: what a
  // command line or a file manager hands over is opened as a crossword or as a layout by this.
  static bool isCrosswordFile(const std::filesystem::path& path);

  // A document holding `file`, open and unmodified, without a file name: pictures decoded
  // (JpegError), definitions prepared, each record's clue in its definition. Records that
  // match no word of the board are left out.
  static CrosswordDocument fromFile(CrosswordFile file);

  // --- the crossword ---
  bool isOpen() const { return open_; }
  bool isModified() const { return modified_; }
  void setModified() { modified_ = true; }
  int rows() const { return rows_; }
  int columns() const { return columns_; }
  bool hasBoard() const { return rows_ * columns_ > 0; }
  Language language() const { return language_; }
  ClueCharset charset() const { return charset_; }
  // Changes the clue charset; an unknown charset changes nothing.
  void setCharset(ClueCharset charset);
  const std::filesystem::path& fileName() const { return fileName_; }

  // --- the board ---
  const std::string& board() const { return board_; }  // rows × columns bytes; ' ' is blank
  char cell(CellPos at) const { return board_[index(at)]; }
  void setCell(CellPos at, char letter) { board_[index(at)] = letter; }
  bool isBlank(CellPos at) const { return cell(at) == kBlankCell; }
  const std::vector<EdgeMark>& topMarks() const { return topMarks_; }
  const std::vector<EdgeMark>& leftMarks() const { return leftMarks_; }
  bool hasTopMark(CellPos at) const;
  bool hasLeftMark(CellPos at) const;
  // Adds the mark, or removes every copy of it.
  void toggleTopMark(CellPos at);
  void toggleLeftMark(CellPos at);
  // Everything the layout editor shapes, to tell whether it changed.
  struct LayoutSnapshot {
    std::string board;
    std::vector<EdgeMark> topMarks, leftMarks;
    std::vector<Picture> pictures;
    friend bool operator==(const LayoutSnapshot&, const LayoutSnapshot&) = default;
  };
  LayoutSnapshot layoutSnapshot() const;

  // --- definitions, in table order ---
  const DefinitionTable& definitions() const { return definitions_; }
  // Stores a clue text (code-page bytes) and marks the crossword modified when it differs.
  void setClue(std::size_t i, std::string clue);
  // Prepares the definition table from the board (one definition per run, clue texts of runs
  // that keep their start and direction kept); marks the crossword modified when words of
  // existing definitions were rewritten.
  void prepareDefinitions();

  // --- pictures, in list order ---
  const std::vector<PlacedPicture>& pictures() const { return pictures_; }
  // Index of the first picture covering the cell, or nullopt.
  std::optional<std::size_t> pictureAt(CellPos at) const;
  // Each of these decodes the JPEG first (throwing JpegError, or FormatError beyond the
  // pictures' budget) and only then changes the crossword, and marks it modified.
  void addPicture(CellPos at, int height, int width, std::string jpeg);
  void replacePicture(std::size_t i, int height, int width, std::string jpeg);
  // The last picture takes the removed one's place, as the file's picture numbers do.
  void removePicture(std::size_t i);
  // Accepting the layout: the cells under pictures become blank cells.
  void blankCellsUnderPictures();

  // --- commands ---
  // When the editing commands are enabled.
  bool canOpen() const { return !open_; }
  bool canSave() const { return !fileName_.empty() && hasBoard() && modified_ && open_; }
  bool canClose() const { return open_; }
  bool canTry() const { return open_ && !fileName_.empty(); }
  bool canDefine() const { return hasBoard() && open_; }

  // A blank board of the given size without file name, marks, pictures or definitions; open
  // and modified. A new crossword owes nothing to the one before: a Save must never write it
  // over the old file.
  void newCrossword(int rowCount, int columnCount, Language language, ClueCharset charset);

  // Reads the crossword file at `path`. The document then holds it, open and unmodified,
  // with `path` as its file name. Returns a message "<clue> <row> <column>" (UTF-8) for each
  // clue whose record matches no run of the board. Throws FileError when the file cannot be
  // read and CrosswordOpenError when it cannot be opened; the document is then unchanged.
  std::vector<std::string> open(const std::filesystem::path& path);
  // The same on bytes already read; `path` becomes the file name.
  std::vector<std::string> openBytes(std::string_view bytes, const std::filesystem::path& path);

  // Writes the open crossword to its file atomically and clears the modified flag. Pictures
  // are written from their decoded images as new JPEG files. Throws FileError (or JpegError,
  // or FormatError for a state that would not read back) when it cannot write: the old file
  // stays whole and the document stays modified.
  void save();
  // Saves under `path`; the file name changes only when the save succeeds.
  void saveAs(const std::filesystem::path& path);

  // Forgets the crossword: board, marks, pictures, definitions, file name and both flags,
  // so that nothing of it reaches a later "Save as ..". Language and charset stay.
  void close();

  // The file image of the current state, pictures as given (no re-encoding).
  CrosswordFile toCrosswordFile() const;

 private:
  std::size_t index(CellPos at) const { return static_cast<std::size_t>(at.row) * columns_ + at.column; }
  static CrosswordDocument build(CrosswordFile file, std::vector<std::string>* unplacedClues);

  bool modified_ = false;
  bool open_ = false;
  std::string board_;
  std::vector<EdgeMark> topMarks_;
  std::vector<EdgeMark> leftMarks_;
  std::vector<PlacedPicture> pictures_;
  int rows_ = 0;
  int columns_ = 0;
  Language language_ = Language::English;
  ClueCharset charset_ = ClueCharset::Ansi;
  std::filesystem::path fileName_;  // empty for a crossword never saved
  DefinitionTable definitions_;
};

}  // namespace gw
