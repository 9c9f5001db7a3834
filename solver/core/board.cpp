#include "solver/core/board.h"

#include <algorithm>

#include "common/errors.h"
#include "common/file_io.h"
#include "common/key_mapping.h"

namespace gw::cross {

namespace {

char asciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool hasMark(const std::vector<EdgeMark>& marks, int column, int row) {
  return std::any_of(marks.begin(), marks.end(),
                     [&](const EdgeMark& m) { return m.column == column && m.row == row; });
}

}  // namespace

Board Board::fromCrossword(const CrosswordFile& file) {
  Board b;
  // The key mapping and the clue code pages know only 0, 1 and 2; anything else is English/ANSI.
  b.language_ = file.language <= 2 ? file.language : 0;
  b.charset_ = file.charset <= 2 ? file.charset : 0;
  b.rows_ = file.rows;
  b.columns_ = file.columns;
  b.solution_ = file.board;
  b.solution_.resize(static_cast<std::size_t>(b.rows_) * b.columns_, kBlankCell);
  b.entries_.assign(b.solution_.size(), kBlankCell);
  b.topMarks_ = file.topMarks;
  b.leftMarks_ = file.leftMarks;
  b.words_ = file.definitions;
  b.pictures_.reserve(file.pictures.size());
  for (const PictureRecord& p : file.pictures) {
    Picture pic{p.column, p.row, p.width, p.height, {}};
    if (!p.jpeg.empty()) pic.image = decodeJpeg(p.jpeg);
    b.pictures_.push_back(std::move(pic));
  }
  b.current_ = b.firstLetterCell();
  return b;
}

bool Board::isTopEdgeMarked(int column, int row) const { return hasMark(topMarks_, column, row); }
bool Board::isLeftEdgeMarked(int column, int row) const { return hasMark(leftMarks_, column, row); }

bool Board::isUnderPicture(int column, int row) const {
  return std::any_of(pictures_.begin(), pictures_.end(), [&](const Picture& p) {
    return p.column <= column && column < p.column + p.width && p.row <= row &&
           row < p.row + p.height;
  });
}

std::string Board::clueAt(bool across) const {
  if (rows_ == 0 || columns_ == 0 || isBlock(current_.column, current_.row)) return {};
  const DefinitionRecord* found = nullptr;
  for (const DefinitionRecord& w : words_) {
    if (w.across != across) continue;
    bool covers = across ? (w.row == current_.row && w.column <= current_.column &&
                            current_.column < w.column + w.length)
                         : (w.column == current_.column && w.row <= current_.row &&
                            current_.row < w.row + w.length);
    if (covers) found = &w;  // the last one in file order wins
  }
  return found ? found->clue : std::string();
}

Cell Board::firstLetterCell() const {
  for (int r = 0; r < rows_; ++r)
    for (int c = 0; c < columns_; ++c)
      if (isLetterCell(c, r)) return {c, r};
  return {0, 0};
}

void Board::selectCell(Cell cell) { current_ = cell; }

std::optional<Cell> Board::cellAtPixel(int x, int y) const {
  int column = (x - 1) / kCellPitch;  // truncated toward zero: x = 0 is column 0
  int row = (y - 1) / kCellPitch;
  if (column < 0 || row < 0 || column >= columns_ || row >= rows_) return std::nullopt;
  return Cell{column, row};
}

Sound Board::move(int dColumn, int dRow) {
  Cell target{current_.column + dColumn, current_.row + dRow};
  if (target.column < 0 || target.row < 0 || target.column >= columns_ || target.row >= rows_)
    return Sound::None;
  if (isUnderPicture(target.column, target.row)) return Sound::Refused;
  current_ = target;
  return Sound::None;
}

Sound Board::setDirection(Direction d) {
  direction_ = d;
  return Sound::Stay;
}

KeyOutcome Board::typeKey(char usCharacter) {
  KeyOutcome out;
  if (completed_) return out;
  char key = mapSolverKey(asciiUpper(usCharacter), language_);
  if (IsAcceptedLetter(key, language_) && rows_ > 0 && columns_ > 0 &&
      !isBlock(current_.column, current_.row)) {
    entries_[index(current_.column, current_.row)] = asciiUpper(key);
    out.stored = true;
    Cell next = direction_ == Direction::Across ? Cell{current_.column + 1, current_.row}
                                                : Cell{current_.column, current_.row + 1};
    bool room = direction_ == Direction::Across ? current_.column < columns_ - 1
                                                : current_.row < rows_ - 1;
    if (room && !isUnderPicture(next.column, next.row)) {
      current_ = next;
      out.sound = Sound::Stored;
    } else {
      out.sound = Sound::Stay;
    }
  }
  if (isSolved()) {
    completed_ = true;
    blinkCount_ = 0;
    out.completedNow = true;
  }
  return out;
}

bool Board::isSolved() const {
  for (int r = 0; r < rows_; ++r)
    for (int c = 0; c < columns_; ++c)
      if (isLetterCell(c, r) && entryAt(c, r) != solutionAt(c, r)) return false;
  return true;
}

Sound Board::cheatOne() {
  if (rows_ == 0 || columns_ == 0 || !canCheatOne()) return Sound::None;
  std::size_t i = index(current_.column, current_.row);
  entries_[i] = solution_[i];
  return Sound::Stay;
}

void Board::cheatAll() { entries_ = solution_; }

bool Board::blinkStep() {
  if (blinkCount_ >= kBlinkTicks) return false;
  for (int r = 0; r < rows_; ++r)
    for (int c = 0; c < columns_; ++c)
      if (isLetterCell(c, r))
        entries_[index(c, r)] = blinkCount_ % 2 == 0 ? kBlankCell : solutionAt(c, r);
  ++blinkCount_;
  return true;
}

void Board::applyProgress(std::string_view bytes) {
  if (bytes.size() < entries_.size())
    throw FormatError("The progress file holds " + std::to_string(bytes.size()) +
                      " letters, but the board has " + std::to_string(entries_.size()) +
                      " cells.");
  entries_.assign(bytes.substr(0, entries_.size()));
}

std::filesystem::path progressPathFor(const std::filesystem::path& crosswordPath) {
  return withExtension(crosswordPath, ".RES_CW");
}

}  // namespace gw::cross
