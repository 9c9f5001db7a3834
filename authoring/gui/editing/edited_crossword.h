#pragma once
// The editing page's one door to the crossword document: everything the page, the layout
// editor and the picture dialog read or change goes through here, in (row, column) order.
// Qt-free. It also holds the rules the editing commands add around the document: a new
// crossword starts clean, a close forgets the board, pictures change only when confirmed.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "authoring/definitions/crossword_document.h"

namespace gw {

class EditedCrossword {
 public:
  explicit EditedCrossword(CrosswordDocument& document) : doc_(document) {}

  // Whether a file starts as a crossword file does ("CW10"), whatever its name: what a
  // command line or a file manager hands over is opened as a crossword or as a layout by this.
  static bool isCrosswordFile(const std::filesystem::path& path);

  // --- the crossword ---
  bool isOpen() const { return doc_.crosswordOpen; }
  bool isModified() const { return doc_.modified; }
  void setModified() { doc_.modified = true; }
  int rows() const { return doc_.rows; }
  int columns() const { return doc_.columns; }
  Language language() const { return doc_.language; }
  ClueCharset charset() const { return doc_.charset; }
  // ICU name of the code page of the clue texts.
  const char* clueCodePage() const;
  // ICU name of the code page of the board letters.
  const char* boardCodePage() const;
  const std::filesystem::path& fileName() const { return doc_.fileName; }
  bool hasBoard() const { return rows() * columns() > 0; }
  // The crossword as it would be written now, for printing and exporting.
  CrosswordFile toCrosswordFile() const { return doc_.toCrosswordFile(); }

  // --- the board ---
  char cell(int row, int column) const { return doc_.cell(row, column); }
  void setCell(int row, int column, char letter);
  bool isBlank(int row, int column) const;
  bool hasTopMark(int row, int column) const;
  bool hasLeftMark(int row, int column) const;
  // Adds the mark, or removes every copy of it.
  void toggleTopMark(int row, int column);
  void toggleLeftMark(int row, int column);
  // Everything the layout editor shapes, to tell whether it changed.
  struct LayoutSnapshot {
    std::string board;
    std::vector<EdgeMark> topMarks, leftMarks;
    std::vector<Picture> pictures;
    friend bool operator==(const LayoutSnapshot&, const LayoutSnapshot&) = default;
  };
  LayoutSnapshot layoutSnapshot() const;

  // --- definitions, in table order ---
  int definitionCount() const { return static_cast<int>(doc_.definitions.size()); }
  bool isAcross(int i) const { return doc_.definitions.at(i).direction == Direction::Across; }
  int definitionRow(int i) const { return doc_.definitions.at(i).row; }
  int definitionColumn(int i) const { return doc_.definitions.at(i).column; }
  const std::string& word(int i) const { return doc_.definitions.at(i).word; }
  const std::string& clue(int i) const { return doc_.definitions.at(i).clue; }
  // Stores a clue text (code-page bytes) and marks the crossword modified when it differs.
  void setClue(int i, std::string clue);
  int currentDefinition() const;
  void setCurrentDefinition(int i);

  // --- pictures, in list order ---
  int pictureCount() const { return static_cast<int>(doc_.pictures.size()); }
  const Picture& picture(int i) const { return doc_.pictures.at(i); }
  // The decoded picture, or nullptr when it has none.
  const IndexedImage* pictureImage(int i) const;
  // Index of the first picture covering the cell, or -1.
  int pictureAt(int row, int column) const;
  // Each of these decodes the JPEG first (throwing JpegError) and only then changes the
  // crossword, and marks it modified.
  void addPicture(int row, int column, int height, int width, std::string jpeg);
  void replacePicture(int i, int height, int width, std::string jpeg);
  // The last picture takes the removed one's place, as the file's picture numbers do.
  void removePicture(int i);
  // Accepting the layout: the cells under pictures become blank cells.
  void blankCellsUnderPictures();

  // --- commands ---
  // A blank board, no file name, no marks, no definitions, no pictures; open and modified.
  void newCrossword(int rows, int columns, Language language, ClueCharset charset);
  struct OpenResult {
    bool opened = false;
    std::vector<std::string> messages;  // UTF-8, shown one by one
  };
  // Opens a crossword file; on failure the crossword is as it was. Throws FileError when
  // the file cannot be read.
  OpenResult open(const std::filesystem::path& path);
  // Throw FileError/FormatError; the crossword then stays modified and keeps its name.
  void save();
  void saveAs(const std::filesystem::path& path);
  // Forgets the crossword: board, marks, pictures, definitions, file name and both flags.
  void close();
  void prepareDefinitions();
  void setCharset(ClueCharset charset);

 private:
  CrosswordDocument& doc_;
};

}  // namespace gw
