#pragma once
// The crossword open on the editing page: board, edge marks, pictures, dimensions,
// language, clue charset, file name, the two state flags and the definition table.
// One instance lives for the whole program; every editing part works on it.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "authoring/definitions/definition_table.h"
#include "common/crossword_file.h"
#include "common/errors.h"
#include "common/jpeg.h"
#include "common/language.h"
#include "common/picture.h"

namespace gw {

// A decoded picture and its rectangle in the layout editor's drawing (cells of 20 pixels).
struct PictureImage {
  static constexpr int kCellPixels = 20;
  int left = 0, top = 0, width = 0, height = 0;
  IndexedImage image;

  static PictureImage placedAt(const Picture& p);
};

// A crossword file that the document cannot open. messages() are what the authoring program
// shows, in order (UTF-8); what() is them joined by line ends.
class CrosswordOpenError : public FormatError {
 public:
  explicit CrosswordOpenError(std::vector<std::string> messages);
  const std::vector<std::string>& messages() const { return messages_; }

 private:
  std::vector<std::string> messages_;
};

class CrosswordDocument {
 public:
  // --- state ---
  bool modified = false;
  bool crosswordOpen = false;
  std::string board;  // rows × columns bytes, row by row; ' ' is a blank cell
  std::vector<EdgeMark> topMarks;
  std::vector<EdgeMark> leftMarks;
  std::vector<Picture> pictures;
  std::uint8_t rows = 0;
  std::uint8_t columns = 0;
  Language language = Language::English;
  ClueCharset charset = ClueCharset::Ansi;
  std::filesystem::path fileName;  // empty for a crossword never saved
  // One entry per placement, same order; nullopt once freed.
  std::vector<std::optional<PictureImage>> pictureImages;
  DefinitionTable definitions;

  char cell(int row, int column) const { return board[static_cast<std::size_t>(row) * columns + column]; }

  // --- operations ---
  // Decodes the picture of every placement into pictureImages (as long as the placements).
  // Throws JpegError for a picture that cannot be decoded; the images decoded before stay.
  void decodePictures();
  // Drops every decoded image; the list keeps its length.
  void releasePictureImages();

  // Prepares the definition table from the board (one definition per run, clue texts of
  // runs that keep their start and direction kept); sets the modified flag when words of
  // existing definitions were written.
  void prepareDefinitions();

  // Reads the crossword file at `path`. The document then holds it, open and unmodified,
  // with `path` as its file name. Returns a message "<clue> <row> <column>" (UTF-8) for each
  // clue whose record matches no run of the board. Throws FileError when the file cannot be
  // read and CrosswordOpenError when it cannot be opened; the document is then unchanged.
  std::vector<std::string> open(const std::filesystem::path& path);
  // The same on bytes already read; `path` becomes the file name.
  std::vector<std::string> openBytes(std::string_view bytes, const std::filesystem::path& path);

  // Writes the open crossword to fileName atomically and clears the modified flag. Pictures
  // are written from their decoded images as new JPEG files. Throws FileError (or JpegError,
  // or FormatError for a state that would not read back) when it cannot write: the old file
  // stays whole and the document stays modified.
  void save();
  // Saves under `path`; the file name changes only when the save succeeds.
  void saveAs(const std::filesystem::path& path);

  // New: a blank board of the given size, no pictures and no definitions, open and modified.
  // The file name and the edge marks that lie on the new board stay.
  void newCrossword(int rowCount, int columnCount, Language newLanguage, ClueCharset newCharset);

  // When the editing commands are enabled.
  bool canOpen() const { return !crosswordOpen; }
  bool canSave() const { return !fileName.empty() && rows * columns > 0 && modified && crosswordOpen; }
  bool canClose() const { return crosswordOpen; }
  bool canTry() const { return crosswordOpen && !fileName.empty(); }
  bool canDefine() const { return rows * columns > 0 && crosswordOpen; }

  // Ends editing: empties the marks and the table, frees the picture images, clears both
  // flags and the file name. Board, dimensions, language, charset and placements stay.
  void closeCrossword();

  // The file image of the current state, pictures as given (no re-encoding).
  CrosswordFile toCrosswordFile() const;
};

}  // namespace gw
