#include "authoring/composing/search/layout_session.h"

#include <algorithm>
#include <stdexcept>
#include <system_error>
#include <utility>

#include "authoring/composing/search/composer.h"
#include "authoring/composing/layout/composing_files.h"
#include "authoring/composing/dictionary/dictionary.h"
#include "authoring/composing/layout/layout_lock.h"
#include "authoring/composing/layout/layout_text.h"
#include "authoring/composing/search/search_part.h"

namespace gw {
namespace fs = std::filesystem;

LayoutSession::LayoutSession(Dictionary& dictionary, ComposingFiles files, LayoutListener* listener)
    : dictionary_(dictionary), files_(std::move(files)), listener_(listener) {
  if (!files_.wordFile) throw std::invalid_argument("LayoutSession needs a word file for each language");
}

LayoutSession::~LayoutSession() = default;

void LayoutSession::lockForSearch() {
  if (!lock_) lock_ = std::make_unique<LayoutLock>(searchName());
}

void LayoutSession::unlockSearch() { lock_.reset(); }

void LayoutSession::setState(ComposingState state) {
  if (state == ComposingState::Editable || state == ComposingState::Closed) unlockSearch();
  if (state == state_) return;
  state_ = state;
  if (listener_) listener_->stateChanged(state_);
}

void LayoutSession::loadDictionary(Language language) {
  if (listener_) listener_->dictionaryLoading(language);
  try {
    dictionary_.load(files_.wordFile(language), language, minWordScore_);
  } catch (...) {
    if (listener_) listener_->dictionaryLoaded(language);  // the busy window goes also when loading fails
    throw;
  }
  if (listener_) listener_->dictionaryLoaded(language);
}

void LayoutSession::reloadDictionary() { loadDictionary(layout_.language); }

void LayoutSession::applyMinWordScore() {
  if (isOpen() && dictionary_.minScore() != minWordScore_) reloadDictionary();
}

void LayoutSession::replaceLayout(const Layout& layout, const fs::path& patternFile) {
  layout_ = layout;
  patternFile_ = patternFile;
  if (composer_) composer_->discardSearch();
  setState(ComposingState::Editable);
}

void LayoutSession::newLayout(int rows, int columns, Language language) {
  if (isRunning()) return;
  loadDictionary(language);
  Layout made = layout_;  // cells outside the new size keep what they held (the pattern file has them all)
  made.language = language;
  made.rows = std::clamp(rows, 1, kBoardSide);
  made.columns = std::clamp(columns, 1, kBoardSide);
  made.board.clearAll(made.rows, made.columns);
  replaceLayout(made, {});
}

void LayoutSession::open(const fs::path& patternFile) {
  if (isRunning()) return;
  Layout opened = readPatternFile(patternFile);
  loadDictionary(opened.language);
  replaceLayout(opened, patternFile);
}

void LayoutSession::useLayout(const Layout& layout, const fs::path& patternFile) {
  if (isRunning()) return;
  replaceLayout(layout, patternFile);
}

void LayoutSession::save() {
  if (!hasFileName()) throw std::logic_error("the layout has no file name yet");
  writePatternFile(patternFile_, layout_);
}

void LayoutSession::saveAs(const fs::path& patternFile) {
  writePatternFile(patternFile, layout_);
  patternFile_ = patternFile;
}

void LayoutSession::close() {
  if (isRunning()) return;
  patternFile_.clear();
  if (composer_) composer_->discardSearch();
  setState(ComposingState::Closed);
}

fs::path LayoutSession::stateFile() const { return hasFileName() ? stateFileFor(searchName()) : fs::path(); }

fs::path LayoutSession::searchName() const { return searchFileName(patternFile_, searchTag_); }

bool LayoutSession::hasSavedSearch() const {
  std::error_code ec;
  return hasFileName() && fs::exists(stateFile(), ec);
}

bool LayoutSession::inLayout(int row, int column) const { return canEdit() && layout_.contains(row, column); }

bool LayoutSession::setIsle(int row, int column) {
  if (!inLayout(row, column) || layout_.board.isIsle(row, column)) return false;
  layout_.board.setIsle(row, column);
  return true;
}

bool LayoutSession::clearCell(int row, int column) {
  if (!inLayout(row, column) || layout_.board.isEmpty(row, column)) return false;
  layout_.board.clearCell(row, column);
  return true;
}

bool LayoutSession::toggleCell(int row, int column) {
  if (!inLayout(row, column)) return false;
  layout_.board.toggle(row, column);
  return true;
}

bool LayoutSession::putLetter(int row, int column, char letter) {
  if (!inLayout(row, column)) return false;
  char upper = upperCaseLetter(letter, layout_.language);
  if (!isBoardLetter(upper, layout_.language)) return false;
  layout_.board.putLetter(row, column, upper);
  return true;
}

bool LayoutSession::clearAll() {
  if (!canEdit()) return false;
  layout_.board.clearAll(layout_.rows, layout_.columns);
  return true;
}

bool LayoutSession::restoreBoard(const ComposingBoard& board) {
  if (!canEdit() || layout_.board == board) return false;
  layout_.board = board;
  return true;
}

}  // namespace gw
