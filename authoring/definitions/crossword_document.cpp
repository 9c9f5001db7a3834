#include "authoring/definitions/crossword_document.h"

#include <algorithm>
#include <fstream>
#include <utility>

#include "authoring/definitions/prepare_definitions.h"
#include "common/codepage.h"
#include "common/crossword_reader.h"
#include "common/file_io.h"
#include "common/language.h"
#include "common/picture_decoding.h"

namespace gw {

namespace {

EdgeMark markAt(CellPos at) {
  return EdgeMark{static_cast<std::uint8_t>(at.column), static_cast<std::uint8_t>(at.row)};
}

bool hasMark(const std::vector<EdgeMark>& marks, CellPos at) {
  return std::find(marks.begin(), marks.end(), markAt(at)) != marks.end();
}

void toggleMark(std::vector<EdgeMark>& marks, CellPos at) {
  const EdgeMark m = markAt(at);
  // A file may hold a mark twice: removing it removes every copy, or it would stay drawn.
  if (std::erase(marks, m) == 0) marks.push_back(m);
}

std::vector<Picture> placements(const std::vector<PlacedPicture>& pictures) {
  std::vector<Picture> result;
  result.reserve(pictures.size());
  for (const PlacedPicture& p : pictures) result.push_back(p.placement);
  return result;
}

}  // namespace

CrosswordOpenError::CrosswordOpenError(std::vector<std::string> messages)
    : FormatError([&messages] {
        std::string joined;
        for (const std::string& m : messages) joined += (joined.empty() ? "" : "\n") + m;
        return joined;
      }()),
      messages_(std::move(messages)) {}

bool CrosswordDocument::isCrosswordFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  char magic[4] = {};
  return in.read(magic, 4) && std::string_view(magic, 4) == "CW10";
}

void CrosswordDocument::setCharset(ClueCharset charset) {
  if (isKnownClueCharset(charset)) charset_ = charset;
}

bool CrosswordDocument::hasTopMark(CellPos at) const { return hasMark(topMarks_, at); }
bool CrosswordDocument::hasLeftMark(CellPos at) const { return hasMark(leftMarks_, at); }
void CrosswordDocument::toggleTopMark(CellPos at) { toggleMark(topMarks_, at); }
void CrosswordDocument::toggleLeftMark(CellPos at) { toggleMark(leftMarks_, at); }

CrosswordDocument::LayoutSnapshot CrosswordDocument::layoutSnapshot() const {
  return {board_, topMarks_, leftMarks_, placements(pictures_)};
}

void CrosswordDocument::setClue(std::size_t i, std::string clue) {
  if (definitions_.at(i).clue == clue) return;
  definitions_.setClue(i, std::move(clue));
  modified_ = true;
}

void CrosswordDocument::prepareDefinitions() {
  if (gw::prepareDefinitions(definitions_, board_, rows_, columns_)) modified_ = true;
}

std::optional<std::size_t> CrosswordDocument::pictureAt(CellPos at) const {
  for (std::size_t i = 0; i < pictures_.size(); ++i)
    if (pictures_[i].placement.covers(at.row, at.column)) return i;
  return std::nullopt;
}

// The new or changed picture is checked where it will stand, against the budget the crossword
// reader holds files to, so the author never saves a crossword that cannot be opened again;
// the crossword changes only when the picture is taken.
void CrosswordDocument::addPicture(CellPos at, int height, int width, std::string jpeg) {
  Picture placement{static_cast<std::uint8_t>(at.column), static_cast<std::uint8_t>(at.row),
                    static_cast<std::uint8_t>(width), static_cast<std::uint8_t>(height), std::move(jpeg)};
  std::vector<Picture> all = placements(pictures_);
  all.push_back(placement);
  requirePictureBudget(all);
  IndexedImage image = decodePicture(placement);
  pictures_.push_back({std::move(placement), std::move(image)});
  modified_ = true;
}

void CrosswordDocument::replacePicture(std::size_t i, int height, int width, std::string jpeg) {
  const Picture& old = pictures_.at(i).placement;
  Picture placement{old.column, old.row, static_cast<std::uint8_t>(width), static_cast<std::uint8_t>(height),
                    std::move(jpeg)};
  std::vector<Picture> all = placements(pictures_);
  all[i] = placement;
  requirePictureBudget(all);
  IndexedImage image = decodePicture(placement);
  pictures_[i] = {std::move(placement), std::move(image)};
  modified_ = true;
}

void CrosswordDocument::removePicture(std::size_t i) {
  const std::size_t last = pictures_.size() - 1;
  if (i != last) pictures_.at(i) = std::move(pictures_[last]);
  pictures_.pop_back();
  modified_ = true;
}

void CrosswordDocument::blankCellsUnderPictures() {
  for (int r = 0; r < rows_; ++r)
    for (int c = 0; c < columns_; ++c)
      if (pictureAt({r, c})) setCell({r, c}, kBlankCell);
}

void CrosswordDocument::newCrossword(int rowCount, int columnCount, Language language, ClueCharset charset) {
  CrosswordDocument next;
  next.rows_ = rowCount;
  next.columns_ = columnCount;
  next.language_ = language;
  next.charset_ = charset;
  next.board_.assign(static_cast<std::size_t>(rowCount) * columnCount, kBlankCell);
  next.open_ = true;
  next.modified_ = true;
  *this = std::move(next);
}

CrosswordDocument CrosswordDocument::build(CrosswordFile file, std::vector<std::string>* unplacedClues) {
  CrosswordDocument next;
  next.language_ = file.language;
  next.rows_ = file.rows;
  next.columns_ = file.columns;
  next.board_ = std::move(file.board);
  next.topMarks_ = std::move(file.topMarks);
  next.leftMarks_ = std::move(file.leftMarks);
  next.charset_ = file.charset;
  for (std::size_t n = 0; n < file.pictures.size(); ++n) {
    try {
      IndexedImage image = decodePicture(file.pictures[n]);
      next.pictures_.push_back({std::move(file.pictures[n]), std::move(image)});
    } catch (const JpegError& e) {
      throw CrosswordOpenError({"Picture " + std::to_string(n + 1) + " cannot be read: " + e.what()});
    }
  }
  next.prepareDefinitions();
  for (const DefinitionRecord& record : file.definitions) {
    if (const auto i = next.definitions_.find(record.direction, record.row, record.column)) {
      next.definitions_.setClue(*i, record.clue);
    } else if (unplacedClues) {
      unplacedClues->push_back(toUtf8(record.clue, clueCodePage(file.charset)) + " " +
                               std::to_string(record.row) + " " + std::to_string(record.column));
    }
  }
  next.open_ = true;
  next.modified_ = false;
  return next;
}

CrosswordDocument CrosswordDocument::fromFile(CrosswordFile file) { return build(std::move(file), nullptr); }

std::vector<std::string> CrosswordDocument::open(const std::filesystem::path& path) {
  return openBytes(readWholeFile(path, kMaxCrosswordFileBytes), path);
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
  std::vector<std::string> unplacedClues;
  CrosswordDocument next = build(std::move(file), &unplacedClues);
  next.fileName_ = path;
  *this = std::move(next);
  return unplacedClues;
}

CrosswordFile CrosswordDocument::toCrosswordFile() const {
  CrosswordFile file;
  file.language = language_;
  file.rows = static_cast<std::uint8_t>(rows_);
  file.columns = static_cast<std::uint8_t>(columns_);
  file.board = board_;
  file.topMarks = topMarks_;
  file.leftMarks = leftMarks_;
  file.charset = charset_;
  for (const Definition& d : definitions_.rows())
    file.definitions.push_back({d.direction, static_cast<std::uint8_t>(d.row),
                                static_cast<std::uint8_t>(d.column), static_cast<std::uint8_t>(d.length()),
                                d.clue});
  file.pictures = placements(pictures_);
  return file;
}

void CrosswordDocument::save() {
  if (fileName_.empty()) throw FileError("The crossword has no file name to save it under.");
  CrosswordFile file = toCrosswordFile();
  // Each picture is written anew from its image, as the picture dialog would write it.
  for (std::size_t n = 0; n < file.pictures.size(); ++n)
    if (pictures_[n].image && !pictures_[n].image->empty())
      file.pictures[n].jpeg = encodeJpeg(*pictures_[n].image);
  // Never write a file that could not be opened again.
  const std::string bytes = serializeCrossword(file);
  try {
    parseCrossword(bytes, CrosswordReadMode::Authoring);
  } catch (const CrosswordReadError& e) {
    throw FormatError(std::string("The crossword cannot be saved because it could not be opened again. ") +
                      e.what());
  }
  writeFileAtomically(fileName_, bytes);
  for (std::size_t n = 0; n < pictures_.size(); ++n)
    pictures_[n].placement.jpeg = std::move(file.pictures[n].jpeg);
  modified_ = false;
}

void CrosswordDocument::saveAs(const std::filesystem::path& path) {
  std::filesystem::path old = std::exchange(fileName_, path);
  try {
    save();
  } catch (...) {
    fileName_ = std::move(old);
    throw;
  }
}

void CrosswordDocument::close() {
  // The language and charset stay: Change Charset shows them with nothing open.
  CrosswordDocument closed;
  closed.language_ = language_;
  closed.charset_ = charset_;
  *this = std::move(closed);
}

}  // namespace gw
