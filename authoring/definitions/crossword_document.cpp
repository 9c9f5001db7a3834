#include "authoring/definitions/crossword_document.h"

#include "authoring/definitions/prepare_definitions.h"
#include "common/codepage.h"
#include "common/crossword_reader.h"
#include "common/file_io.h"
#include "common/language.h"

namespace gw {

CrosswordOpenError::CrosswordOpenError(std::vector<std::string> messages)
    : FormatError([&messages] {
        std::string joined;
        for (const std::string& m : messages) joined += (joined.empty() ? "" : "\n") + m;
        return joined;
      }()),
      messages_(std::move(messages)) {}

PictureImage PictureImage::placedAt(const Picture& p) {
  PictureImage image;
  image.left = p.column * kCellPixels + 1;
  image.top = p.row * kCellPixels + 1;
  image.width = p.width * kCellPixels;
  image.height = p.height * kCellPixels;
  return image;
}

void CrosswordDocument::decodePictures() {
  pictureImages.resize(pictures.size());
  for (std::size_t n = 0; n < pictures.size(); ++n) {
    PictureImage image = PictureImage::placedAt(pictures[n]);
    image.image = decodeJpeg(pictures[n].jpeg);
    pictureImages[n] = std::move(image);
  }
}

void CrosswordDocument::releasePictureImages() {
  for (auto& image : pictureImages) image.reset();
}

void CrosswordDocument::prepareDefinitions() {
  if (gw::prepareDefinitions(definitions, board, rows, columns)) modified = true;
}

std::vector<std::string> CrosswordDocument::open(const std::filesystem::path& path) {
  return openBytes(readWholeFile(path), path);
}

std::vector<std::string> CrosswordDocument::openBytes(std::string_view bytes,
                                                      const std::filesystem::path& path) {
  CrosswordFile file;
  try {
    file = parseCrossword(bytes, CrosswordReadMode::Authoring);
  } catch (const CrosswordReadError& e) {
    // The magic may hold any bytes; show them as the program's own code page would.
    if (e.kind() == CrosswordReadError::Kind::TooShort)
      throw CrosswordOpenError({e.what(), toUtf8(e.formatMessage(), "windows-1252")});
    throw CrosswordOpenError({toUtf8(e.what(), "windows-1252")});
  }

  // Everything is built aside and taken over only when the whole file has been accepted.
  CrosswordDocument next;
  next.language = file.language;
  next.rows = file.rows;
  next.columns = file.columns;
  next.board = std::move(file.board);
  next.topMarks = std::move(file.topMarks);
  next.leftMarks = std::move(file.leftMarks);
  next.charset = file.charset;
  next.pictures = std::move(file.pictures);
  try {
    next.decodePictures();
  } catch (const JpegError& e) {
    std::size_t failed = 1;
    while (failed <= next.pictureImages.size() && next.pictureImages[failed - 1]) ++failed;
    throw CrosswordOpenError({"Picture " + std::to_string(failed) + " cannot be read: " + e.what()});
  }
  next.prepareDefinitions();
  std::vector<std::string> unplacedClues;
  for (const DefinitionRecord& record : file.definitions) {
    if (const auto i = next.definitions.find(record.direction, record.row, record.column)) {
      next.definitions.setClue(*i, record.clue);
    } else {
      unplacedClues.push_back(toUtf8(record.clue, clueCodePage(file.charset)) + " " +
                              std::to_string(record.row) + " " + std::to_string(record.column));
    }
  }

  next.fileName = path;
  next.crosswordOpen = true;
  next.modified = false;
  next.definitions.selectFirst();
  *this = std::move(next);
  return unplacedClues;
}

CrosswordFile CrosswordDocument::toCrosswordFile() const {
  CrosswordFile file;
  file.language = language;
  file.rows = rows;
  file.columns = columns;
  file.board = board;
  file.topMarks = topMarks;
  file.leftMarks = leftMarks;
  file.charset = charset;
  for (const Definition& d : definitions.rows())
    file.definitions.push_back({d.direction, static_cast<std::uint8_t>(d.row),
                                static_cast<std::uint8_t>(d.column), static_cast<std::uint8_t>(d.length()),
                                d.clue});
  file.pictures = pictures;
  return file;
}

void CrosswordDocument::save() {
  if (fileName.empty()) throw FileError("The crossword has no file name to save it under.");
  CrosswordFile file = toCrosswordFile();
  // Each picture is written anew from its image, as the picture dialog would write it.
  for (std::size_t n = 0; n < file.pictures.size() && n < pictureImages.size(); ++n)
    if (pictureImages[n] && !pictureImages[n]->image.empty())
      file.pictures[n].jpeg = encodeJpeg(pictureImages[n]->image);
  // Never write a file that could not be opened again.
  const std::string bytes = serializeCrossword(file);
  try {
    parseCrossword(bytes, CrosswordReadMode::Authoring);
  } catch (const CrosswordReadError& e) {
    throw FormatError(std::string("The crossword cannot be saved because it could not be opened again. ") +
                      e.what());
  }
  writeFileAtomically(fileName, bytes);
  for (std::size_t n = 0; n < pictures.size(); ++n) pictures[n].jpeg = std::move(file.pictures[n].jpeg);
  modified = false;
}

void CrosswordDocument::saveAs(const std::filesystem::path& path) {
  std::filesystem::path old = std::move(fileName);
  fileName = path;
  try {
    save();
  } catch (...) {
    fileName = std::move(old);
    throw;
  }
}

void CrosswordDocument::newCrossword(int rowCount, int columnCount, Language newLanguage,
                                     ClueCharset newCharset) {
  rows = static_cast<std::uint8_t>(rowCount);
  columns = static_cast<std::uint8_t>(columnCount);
  language = newLanguage;
  charset = newCharset;
  pictures.clear();
  pictureImages.clear();
  board.assign(static_cast<std::size_t>(rows) * columns, kBlankCell);
  // A blank board has no words: definitions kept from the crossword before would be clues of
  // words that do not exist, and marks off the new board could not be saved.
  definitions.clear();
  auto offBoard = [this](const EdgeMark& m) { return m.column >= columns || m.row >= rows; };
  std::erase_if(topMarks, offBoard);
  std::erase_if(leftMarks, offBoard);
  crosswordOpen = true;
  modified = true;
}

void CrosswordDocument::closeCrossword() {
  topMarks.clear();
  leftMarks.clear();
  definitions.clear();
  releasePictureImages();
  modified = false;
  crosswordOpen = false;
  fileName.clear();
}

}  // namespace gw
