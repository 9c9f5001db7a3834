#include "solver/core/board.h"

#include <algorithm>

#include "common/errors.h"
#include "common/file_io.h"
#include "common/key_mapping.h"
#include "common/picture_decoding.h"

namespace gw::cross {

namespace {

char asciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool hasMark(const std::vector<EdgeMark>& marks, int row, int column) {
  return std::any_of(marks.begin(), marks.end(),
                     [&](const EdgeMark& m) { return m.column == column && m.row == row; });
}

}  // namespace

Board Board::fromCrossword(const CrosswordFile& file) {
  Board b;
  // The key mapping and the clue code pages know only the three languages and charsets.
  b.language_ = knownLanguageOrEnglish(file.language);
  b.charset_ = knownClueCharsetOrAnsi(file.charset);
  b.rows_ = file.rows;
  b.columns_ = file.columns;
  b.solution_ = file.board;
  b.solution_.resize(static_cast<std::size_t>(b.rows_) * b.columns_, kBlankCell);
  b.entries_.assign(b.solution_.size(), kBlankCell);
  b.topMarks_ = file.topMarks;
  b.leftMarks_ = file.leftMarks;
  b.words_ = file.definitions;
  b.pictures_ = file.pictures;
  // However the crossword came in, its pictures together stay within the budget.
  requirePictureBudget(file.pictures);
  b.pictureImages_.reserve(file.pictures.size());
  for (const Picture& p : file.pictures)
    b.pictureImages_.push_back(p.jpeg.empty() ? IndexedImage{} : decodePicture(p));
  b.current_ = b.firstLetterCell();
  b.numbering_ = numberCrossword(file);
  b.wordsInOrder_ = b.numbering_.across;
  b.wordsInOrder_.insert(b.wordsInOrder_.end(), b.numbering_.down.begin(), b.numbering_.down.end());
  b.checked_.assign(b.entries_.size(), false);
  return b;
}

bool Board::isTopEdgeMarked(int row, int column) const { return hasMark(topMarks_, row, column); }
bool Board::isLeftEdgeMarked(int row, int column) const { return hasMark(leftMarks_, row, column); }

bool Board::isUnderPicture(int row, int column) const {
  return std::any_of(pictures_.begin(), pictures_.end(),
                     [&](const Picture& p) { return p.covers(row, column); });
}

std::string Board::clueAt(CellPos cell, Direction direction) const {
  bool onBoard = cell.row >= 0 && cell.column >= 0 && cell.row < rows_ && cell.column < columns_;
  if (!onBoard || isBlock(cell.row, cell.column)) return {};
  const DefinitionRecord* found = nullptr;
  for (const DefinitionRecord& w : words_) {
    if (w.direction != direction) continue;
    bool covers = direction == Direction::Across
                      ? (w.row == cell.row && w.column <= cell.column && cell.column < w.column + w.length)
                      : (w.column == cell.column && w.row <= cell.row && cell.row < w.row + w.length);
    if (covers) found = &w;  // the last one in file order wins
  }
  return found ? found->clue : std::string();
}

CellPos Board::firstLetterCell() const {
  for (int r = 0; r < rows_; ++r)
    for (int c = 0; c < columns_; ++c)
      if (isLetterCell(r, c)) return {r, c};
  return {0, 0};
}

void Board::selectCell(CellPos cell) { current_ = cell; }

std::optional<CellPos> Board::cellAtPixel(int x, int y) const {
  int column = (x - 1) / kCellPitch;  // truncated toward zero: x = 0 is column 0
  int row = (y - 1) / kCellPitch;
  if (column < 0 || row < 0 || column >= columns_ || row >= rows_) return std::nullopt;
  return CellPos{row, column};
}

Sound Board::move(int dRow, int dColumn) {
  CellPos target{current_.row + dRow, current_.column + dColumn};
  if (target.column < 0 || target.row < 0 || target.column >= columns_ || target.row >= rows_)
    return Sound::None;
  if (isUnderPicture(target.row, target.column)) return Sound::Refused;
  current_ = target;
  return Sound::None;
}

Sound Board::setDirection(Direction d) {
  direction_ = d;
  return Sound::Stay;
}

void Board::setEntry(int row, int column, char entry) {
  entries_[index(row, column)] = entry;
  checked_[index(row, column)] = false;
}

bool Board::isWordCell(int row, int column) const {
  return row >= 0 && column >= 0 && row < rows_ && column < columns_ && isLetterCell(row, column);
}

int Board::wordAt(CellPos cell, Direction direction) const {
  for (std::size_t i = 0; i < wordsInOrder_.size(); ++i) {
    const NumberedWord& w = wordsInOrder_[i];
    if (w.direction != direction) continue;
    const bool covers =
        direction == Direction::Across
            ? w.row == cell.row && w.column <= cell.column && cell.column < w.column + w.length
            : w.column == cell.column && w.row <= cell.row && cell.row < w.row + w.length;
    if (covers) return static_cast<int>(i);
  }
  return -1;
}

std::vector<CellPos> Board::cellsOf(int word) const {
  std::vector<CellPos> cells;
  if (word < 0 || word >= static_cast<int>(wordsInOrder_.size())) return cells;
  const NumberedWord& w = wordsInOrder_[static_cast<std::size_t>(word)];
  for (int i = 0; i < w.length; ++i)
    cells.push_back(w.direction == Direction::Across ? CellPos{w.row, w.column + i}
                                                     : CellPos{w.row + i, w.column});
  return cells;
}

void Board::goToWord(int word) {
  const std::vector<CellPos> cells = cellsOf(word);
  if (cells.empty()) return;
  direction_ = wordsInOrder_[static_cast<std::size_t>(word)].direction;
  current_ = cells.front();
  for (CellPos c : cells) {
    if (entryAt(c.row, c.column) == kBlankCell) {
      current_ = c;
      break;
    }
  }
}

void Board::goToNextWord(int step) {
  const int count = static_cast<int>(wordsInOrder_.size());
  if (count == 0) return;
  const int at = currentWord();
  // From outside any word, Tab starts at the first word and Shift+Tab at the last.
  const int next = at < 0 ? (step > 0 ? 0 : count - 1) : ((at + step) % count + count) % count;
  goToWord(next);
}

void Board::eraseCurrent() {
  if (rows_ == 0 || columns_ == 0 || !isLetterCell(current_.row, current_.column)) return;
  setEntry(current_.row, current_.column, kBlankCell);
}

void Board::eraseBackward() {
  if (rows_ == 0 || columns_ == 0) return;
  if (isLetterCell(current_.row, current_.column) && entryAt(current_.row, current_.column) != kBlankCell) {
    setEntry(current_.row, current_.column, kBlankCell);
    return;
  }
  const CellPos back = direction_ == Direction::Across ? CellPos{current_.row, current_.column - 1}
                                                       : CellPos{current_.row - 1, current_.column};
  if (!isWordCell(back.row, back.column)) return;
  current_ = back;
  setEntry(back.row, back.column, kBlankCell);
}

void Board::cheatWord() {
  for (CellPos c : cellsOf(currentWord())) setEntry(c.row, c.column, solutionAt(c.row, c.column));
}

void Board::checkWord() {
  for (CellPos c : cellsOf(currentWord())) checked_[index(c.row, c.column)] = true;
}

KeyOutcome Board::typeKey(char usCharacter, bool jumpToNextWord) {
  KeyOutcome out;
  if (completed_) return out;
  char key = mapSolverKey(asciiUpper(usCharacter), language_);
  if (isAcceptedLetter(key, language_) && rows_ > 0 && columns_ > 0 &&
      !isBlock(current_.row, current_.column)) {
    const int word = currentWord();
    setEntry(current_.row, current_.column, asciiUpper(key));
    out.stored = true;
    CellPos next = direction_ == Direction::Across ? CellPos{current_.row, current_.column + 1}
                                                   : CellPos{current_.row + 1, current_.column};
    bool room = direction_ == Direction::Across ? current_.column < columns_ - 1 : current_.row < rows_ - 1;
    const bool endOfWord = word >= 0 && cellsOf(word).back() == current_;
    if (jumpToNextWord && endOfWord) {
      goToNextWord(1);
      out.sound = Sound::Stored;
    } else if (room && !isUnderPicture(next.row, next.column)) {
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
      if (isLetterCell(r, c) && entryAt(r, c) != solutionAt(r, c)) return false;
  return true;
}

Sound Board::cheatOne() {
  if (rows_ == 0 || columns_ == 0 || !canCheatOne()) return Sound::None;
  std::size_t i = index(current_.row, current_.column);
  entries_[i] = solution_[i];
  return Sound::Stay;
}

void Board::cheatAll() {
  entries_ = solution_;
  checked_.assign(checked_.size(), false);
}

bool Board::blinkStep() {
  if (blinkCount_ >= kBlinkTicks) return false;
  for (int r = 0; r < rows_; ++r)
    for (int c = 0; c < columns_; ++c)
      if (isLetterCell(r, c)) entries_[index(r, c)] = blinkCount_ % 2 == 0 ? kBlankCell : solutionAt(r, c);
  ++blinkCount_;
  return true;
}

void Board::applyProgress(std::string_view bytes) {
  if (bytes.size() < entries_.size())
    throw FormatError("The progress file holds " + std::to_string(bytes.size()) +
                      " letters, but the board has " + std::to_string(entries_.size()) + " cells.");
  entries_.assign(bytes.substr(0, entries_.size()));
}

}  // namespace gw::cross
