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
#include "common/jpeg.h"

namespace gw {

// Where a picture sits, in cells, and its JPEG file. byteLength() is what the file records.
struct PicturePlacement {
  std::uint8_t column = 0;
  std::uint8_t row = 0;
  std::uint8_t width = 0;   // in cells
  std::uint8_t height = 0;  // in cells
  std::string jpeg;         // the picture's JPEG file, kept in memory while the crossword is open

  std::uint32_t byteLength() const { return static_cast<std::uint32_t>(jpeg.size()); }
  friend bool operator==(const PicturePlacement&, const PicturePlacement&) = default;
};

// A decoded picture and its rectangle in the layout editor's drawing (cells of 20 pixels).
struct PictureImage {
  static constexpr int kCellPixels = 20;
  int left = 0, top = 0, width = 0, height = 0;
  IndexedImage image;

  static PictureImage placedAt(const PicturePlacement& p);
};

class Tdm {
 public:
  Tdm() { DataModuleCreate(); }

  // --- state ---
  bool modified = false;
  bool crosswordOpen = false;
  std::string board;  // rows × columns bytes, row by row; ' ' is a blank cell
  std::vector<EdgeMark> topMarks;
  std::vector<EdgeMark> leftMarks;
  std::vector<PicturePlacement> pictures;
  std::uint8_t rows = 0;
  std::uint8_t columns = 0;
  std::uint8_t language = 0;
  std::uint8_t charset = 0;
  std::filesystem::path fileName;  // empty for a crossword never saved
  // One entry per placement, same order; nullopt once freed.
  std::vector<std::optional<PictureImage>> pictureImages;
  DefinitionTable Desc;

  char cell(int row, int column) const { return board[static_cast<std::size_t>(row) * columns + column]; }

  // --- operations ---
  void DataModuleCreate();

  // Decodes the picture of every placement into pictureImages (as long as the placements).
  // Throws JpegError for a picture that cannot be decoded; the images decoded before stay.
  void LoadPictures();
  // Drops every decoded image; the list keeps its length.
  void FreePictures();

  // Prepares the definition table from the board (one definition per run, clue texts of
  // runs that keep their start and direction kept); sets the modified flag when words of
  // existing definitions were written.
  void editPrepareDefinitionsExecute();

  // Reads the crossword file at `path`. On success the document holds it, open and
  // unmodified, with `path` as its file name; clue texts of records that match no run
  // add a message "<clue> <x> <y>". On failure the messages to show are added and the
  // document is left exactly as it was. Messages are UTF-8. Throws FileError when the
  // file cannot be read (the document is then also unchanged).
  bool LoadCrosswordFile(const std::filesystem::path& path, std::vector<std::string>& messages);
  // The same on bytes already read; `path` becomes the file name on success.
  bool loadCrosswordData(std::string_view bytes, const std::filesystem::path& path,
                         std::vector<std::string>& messages);

  // Writes the open crossword to fileName atomically and clears the modified flag. Pictures
  // are written from their decoded images as new JPEG files. Throws FileError (or JpegError,
  // or FormatError for a state that would not read back) when it cannot write: the old file
  // stays whole and the document stays modified.
  void editSaveExecute();
  // Saves under `path`; the file name changes only when the save succeeds.
  void saveAs(const std::filesystem::path& path);

  // New: a blank board of the given size, no pictures and no definitions, open and modified.
  // The file name and the edge marks that lie on the new board stay.
  void newCrossword(int rowCount, int columnCount, int languageCode, int definitionCharset);

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
