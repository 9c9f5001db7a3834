#include "authoring/definitions/crossword_document.h"

#include "authoring/definitions/prepare_definitions.h"
#include "common/codepage.h"
#include "common/crossword_reader.h"
#include "common/file_io.h"
#include "common/key_mapping.h"

namespace gw {

PictureImage PictureImage::placedAt(const PicturePlacement& p) {
  PictureImage image;
  image.left = p.column * kCellPixels + 1;
  image.top = p.row * kCellPixels + 1;
  image.width = p.width * kCellPixels;
  image.height = p.height * kCellPixels;
  return image;
}

void Tdm::DataModuleCreate() {
  fileName.clear();
  modified = false;
  crosswordOpen = false;
  rows = 0;
  columns = 0;
}

void Tdm::LoadPictures() {
  pictureImages.resize(pictures.size());
  for (std::size_t n = 0; n < pictures.size(); ++n) {
    PictureImage image = PictureImage::placedAt(pictures[n]);
    image.image = decodeJpeg(pictures[n].jpeg);
    pictureImages[n] = std::move(image);
  }
}

void Tdm::FreePictures() {
  for (auto& image : pictureImages) image.reset();
}

void Tdm::editPrepareDefinitionsExecute() {
  if (prepareDefinitions(Desc, board, rows, columns)) modified = true;
}

bool Tdm::LoadCrosswordFile(const std::filesystem::path& path, std::vector<std::string>& messages) {
  return loadCrosswordData(readWholeFile(path), path, messages);
}

bool Tdm::loadCrosswordData(std::string_view bytes, const std::filesystem::path& path,
                            std::vector<std::string>& messages) {
  CrosswordFile file;
  try {
    file = parseCrossword(bytes, CrosswordReadMode::Authoring);
  } catch (const CrosswordReadError& e) {
    // The magic may hold any bytes; show them as the program's own code page would.
    if (e.kind() == CrosswordReadError::Kind::TooShort) {
      messages.emplace_back(e.what());
      messages.push_back(toUtf8(e.formatMessage(), "windows-1252"));
    } else {
      messages.push_back(toUtf8(e.what(), "windows-1252"));
    }
    return false;
  }

  // Everything is built aside and taken over only when the whole file has been accepted.
  Tdm next;
  next.language = file.language;
  next.rows = file.rows;
  next.columns = file.columns;
  next.board = std::move(file.board);
  next.topMarks = std::move(file.topMarks);
  next.leftMarks = std::move(file.leftMarks);
  next.charset = file.charset;
  for (PictureRecord& p : file.pictures)
    next.pictures.push_back({p.column, p.row, p.width, p.height, std::move(p.jpeg)});
  try {
    next.LoadPictures();
  } catch (const JpegError& e) {
    std::size_t failed = 1;
    while (failed <= next.pictureImages.size() && next.pictureImages[failed - 1]) ++failed;
    messages.push_back("Picture " + std::to_string(failed) + " cannot be read: " + e.what());
    return false;
  }
  next.editPrepareDefinitionsExecute();
  for (const DefinitionRecord& record : file.definitions) {
    if (const auto i = next.Desc.find(record.across, record.row, record.column)) {
      next.Desc.setDesc(*i, record.clue);
    } else {
      messages.push_back(toUtf8(record.clue, clueCodePage(file.charset)) + " " + std::to_string(record.row) +
                         " " + std::to_string(record.column));
    }
  }

  next.fileName = path;
  next.crosswordOpen = true;
  next.modified = false;
  next.Desc.first();
  *this = std::move(next);
  return true;
}

CrosswordFile Tdm::toCrosswordFile() const {
  CrosswordFile file;
  file.language = language;
  file.rows = rows;
  file.columns = columns;
  file.board = board;
  file.topMarks = topMarks;
  file.leftMarks = leftMarks;
  file.charset = charset;
  for (const Definition& d : Desc.rows())
    file.definitions.push_back({d.h, static_cast<std::uint8_t>(d.x), static_cast<std::uint8_t>(d.y),
                                static_cast<std::uint8_t>(d.len()), d.desc});
  for (const PicturePlacement& p : pictures) file.pictures.push_back({p.column, p.row, p.width, p.height, p.jpeg});
  return file;
}

void Tdm::editSaveExecute() {
  if (fileName.empty()) throw FileError("The crossword has no file name to save it under.");
  CrosswordFile file = toCrosswordFile();
  // Each picture is written anew from its image, as the picture dialog would write it.
  for (std::size_t n = 0; n < file.pictures.size() && n < pictureImages.size(); ++n)
    if (pictureImages[n] && !pictureImages[n]->image.empty()) file.pictures[n].jpeg = encodeJpeg(pictureImages[n]->image);
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

void Tdm::saveAs(const std::filesystem::path& path) {
  std::filesystem::path old = std::move(fileName);
  fileName = path;
  try {
    editSaveExecute();
  } catch (...) {
    fileName = std::move(old);
    throw;
  }
}

void Tdm::newCrossword(int rowCount, int columnCount, int languageCode, int definitionCharset) {
  rows = static_cast<std::uint8_t>(rowCount);
  columns = static_cast<std::uint8_t>(columnCount);
  language = static_cast<std::uint8_t>(languageCode);
  charset = static_cast<std::uint8_t>(definitionCharset);
  pictures.clear();
  pictureImages.clear();
  board.assign(static_cast<std::size_t>(rows) * columns, kBlankCell);
  // A blank board has no words: definitions kept from the crossword before would be clues of
  // words that do not exist, and marks off the new board could not be saved.
  Desc.clear();
  auto offBoard = [this](const EdgeMark& m) { return m.column >= columns || m.row >= rows; };
  std::erase_if(topMarks, offBoard);
  std::erase_if(leftMarks, offBoard);
  crosswordOpen = true;
  modified = true;
}

void Tdm::closeCrossword() {
  topMarks.clear();
  leftMarks.clear();
  Desc.clear();
  FreePictures();
  modified = false;
  crosswordOpen = false;
  fileName.clear();
}

}  // namespace gw
