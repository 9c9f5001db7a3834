#include "authoring/gui/editing/edited_crossword.h"

#include <algorithm>
#include <fstream>
#include <utility>

#include "common/key_mapping.h"
#include "common/picture_decoding.h"

namespace gw {

namespace {

bool hasMark(const std::vector<EdgeMark>& marks, int row, int column) {
  const EdgeMark m{static_cast<std::uint8_t>(column), static_cast<std::uint8_t>(row)};
  return std::find(marks.begin(), marks.end(), m) != marks.end();
}

void toggleMark(std::vector<EdgeMark>& marks, int row, int column) {
  const EdgeMark m{static_cast<std::uint8_t>(column), static_cast<std::uint8_t>(row)};
  // A file may hold a mark twice: removing it removes every copy, or it would stay drawn.
  if (std::erase(marks, m) == 0) marks.push_back(m);
}

}  // namespace

bool EditedCrossword::isCrosswordFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  char magic[4] = {};
  return in.read(magic, 4) && std::string_view(magic, 4) == "CW10";
}

const char* EditedCrossword::clueCodePage() const { return gw::clueCodePage(doc_.charset); }
const char* EditedCrossword::boardCodePage() const { return gw::boardCodePage(doc_.language); }

void EditedCrossword::setCell(int row, int column, char letter) {
  doc_.board[static_cast<std::size_t>(row) * doc_.columns + column] = letter;
}

bool EditedCrossword::isBlank(int row, int column) const { return cell(row, column) == kBlankCell; }
bool EditedCrossword::hasTopMark(int row, int column) const { return hasMark(doc_.topMarks, row, column); }
bool EditedCrossword::hasLeftMark(int row, int column) const { return hasMark(doc_.leftMarks, row, column); }
void EditedCrossword::toggleTopMark(int row, int column) { toggleMark(doc_.topMarks, row, column); }
void EditedCrossword::toggleLeftMark(int row, int column) { toggleMark(doc_.leftMarks, row, column); }

EditedCrossword::LayoutSnapshot EditedCrossword::layoutSnapshot() const {
  return {doc_.board, doc_.topMarks, doc_.leftMarks, doc_.pictures};
}

void EditedCrossword::setClue(int i, std::string clue) {
  if (doc_.definitions.at(i).clue == clue) return;
  doc_.definitions.setClue(i, std::move(clue));
  doc_.modified = true;
}

int EditedCrossword::currentDefinition() const {
  const auto current = doc_.definitions.current();
  return current ? static_cast<int>(*current) : -1;
}

void EditedCrossword::setCurrentDefinition(int i) {
  if (i >= 0 && i < definitionCount()) doc_.definitions.setCurrent(i);
}

const IndexedImage* EditedCrossword::pictureImage(int i) const {
  if (i < 0 || static_cast<std::size_t>(i) >= doc_.pictureImages.size() || !doc_.pictureImages[i])
    return nullptr;
  return &doc_.pictureImages[i]->image;
}

int EditedCrossword::pictureAt(int row, int column) const {
  for (int i = 0; i < pictureCount(); ++i) {
    if (doc_.pictures[i].covers(row, column)) return i;
  }
  return -1;
}

namespace {

// Decoded at the size the boards draw it, once the whole set of pictures, this one in its
// place, is known to fit the budget the crossword reader holds files to: the author never
// saves a crossword that cannot be opened again.
PictureImage decodedWithin(const std::vector<Picture>& pictures, const Picture& p) {
  requirePictureBudget(pictures);
  PictureImage image = PictureImage::placedAt(p);
  image.image = decodePicture(p);
  return image;
}

}  // namespace

// The new or changed picture is checked where it will stand, and taken out again when it is
// refused, so the crossword changes only when the picture is taken.
void EditedCrossword::addPicture(int row, int column, int height, int width, std::string jpeg) {
  doc_.pictureImages.resize(doc_.pictures.size());
  doc_.pictures.push_back({static_cast<std::uint8_t>(column), static_cast<std::uint8_t>(row),
                           static_cast<std::uint8_t>(width), static_cast<std::uint8_t>(height),
                           std::move(jpeg)});
  try {
    doc_.pictureImages.push_back(decodedWithin(doc_.pictures, doc_.pictures.back()));
  } catch (...) {
    doc_.pictures.pop_back();
    throw;
  }
  doc_.modified = true;
}

void EditedCrossword::replacePicture(int i, int height, int width, std::string jpeg) {
  Picture& placed = doc_.pictures.at(i);
  Picture previous =
      std::exchange(placed, Picture{placed.column, placed.row, static_cast<std::uint8_t>(width),
                                    static_cast<std::uint8_t>(height), std::move(jpeg)});
  PictureImage image;
  try {
    image = decodedWithin(doc_.pictures, placed);
  } catch (...) {
    placed = std::move(previous);
    throw;
  }
  doc_.pictureImages.resize(doc_.pictures.size());
  doc_.pictureImages[i] = std::move(image);
  doc_.modified = true;
}

void EditedCrossword::removePicture(int i) {
  doc_.pictureImages.resize(doc_.pictures.size());
  const std::size_t last = doc_.pictures.size() - 1;
  if (static_cast<std::size_t>(i) != last) {
    doc_.pictures.at(i) = std::move(doc_.pictures[last]);
    doc_.pictureImages[i] = std::move(doc_.pictureImages[last]);
  }
  doc_.pictures.pop_back();
  doc_.pictureImages.pop_back();
  doc_.modified = true;
}

void EditedCrossword::blankCellsUnderPictures() {
  for (int r = 0; r < rows(); ++r)
    for (int c = 0; c < columns(); ++c)
      if (pictureAt(r, c) >= 0) setCell(r, c, kBlankCell);
}

void EditedCrossword::newCrossword(int rowCount, int columnCount, Language language, ClueCharset charset) {
  doc_.newCrossword(rowCount, columnCount, language, charset);
  // A new crossword owes nothing to the one before: a Save must never write it over the old file.
  doc_.fileName.clear();
  doc_.topMarks.clear();
  doc_.leftMarks.clear();
}

EditedCrossword::OpenResult EditedCrossword::open(const std::filesystem::path& path) {
  OpenResult result;
  try {
    result.messages = doc_.open(path);
    result.opened = true;
  } catch (const CrosswordOpenError& e) {
    result.messages = e.messages();
  }
  return result;
}

void EditedCrossword::save() { doc_.save(); }
void EditedCrossword::saveAs(const std::filesystem::path& path) { doc_.saveAs(path); }

void EditedCrossword::close() {
  doc_.closeCrossword();
  // Nothing of the closed crossword may reach a later "Save as ..".
  doc_.board.clear();
  doc_.rows = 0;
  doc_.columns = 0;
  doc_.pictures.clear();
  doc_.pictureImages.clear();
}

void EditedCrossword::prepareDefinitions() { doc_.prepareDefinitions(); }

void EditedCrossword::setCharset(ClueCharset charset) {
  if (isKnownClueCharset(charset)) doc_.charset = charset;
}

}  // namespace gw
