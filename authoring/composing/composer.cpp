#include "authoring/composing/composer.h"

#include <algorithm>

#include "authoring/composing/dictionary.h"
#include "authoring/composing/search_look_ahead.h"
#include "authoring/composing/slot_order.h"
#include "common/errors.h"
#include "common/file_io.h"
#include "common/program_folder.h"

namespace gw {
namespace fs = std::filesystem;

Composer::Composer(Dictionary& dictionary, ComposerListener& listener)
    : dict_(dictionary), listener_(listener) {}

Composer::~Composer() = default;

// ---------------------------------------------------------------- layout

void Composer::newLayout(int rows, int columns, Language language) {
  if (running_) return;
  Language previous = layout_.language;
  layout_.language = language;
  try {
    loadLayoutDictionary();
  } catch (...) {
    layout_.language = previous;
    throw;
  }
  layout_.rows = std::clamp(rows, 1, kBoardSide);
  layout_.columns = std::clamp(columns, 1, kBoardSide);
  layout_.board.clearAll(layout_.columns, layout_.rows);
  patternFile_.clear();
  layoutOpen_ = true;
  enterEditable();
}

OpenResult Composer::openLayout(const fs::path& patternFile) {
  if (running_) return OpenResult::Opened;
  Layout opened = readPatternFile(patternFile);
  loadDictionary(opened.language);

  layout_ = opened;
  patternFile_ = patternFile;
  layoutOpen_ = true;
  enterEditable();

  fs::path state = stateFile();
  std::error_code ec;
  if (!fs::exists(state, ec) || !listener_.confirmContinue()) return OpenResult::Opened;
  try {
    SearchState st = readStateFile(state, layout_);
    slots_ = std::move(st.slots);
    depth_ = st.depth;
    results_ = st.resultCount;
  } catch (const std::runtime_error& e) {
    listener_.showMessage(e.what(), MessageKind::Error);
    return OpenResult::StateRejected;
  }
  searchStarted_ = true;
  listener_.stateChanged();
  start();
  return OpenResult::Continued;
}

void Composer::useLayout(const Layout& layout, const fs::path& patternFile) {
  if (running_) return;
  layout_ = layout;
  patternFile_ = patternFile;
  layoutOpen_ = true;
  enterEditable();
}

bool Composer::saveLayout() {
  if (!layoutOpen_) return false;
  if (patternFile_.empty()) {
    std::optional<fs::path> name = listener_.choosePatternFileName();
    if (!name || name->empty()) return false;
    patternFile_ = *name;
  }
  // While a search exists the working board shows words of the search; the layout is the base.
  if (searchStarted_ || running_) {
    Layout drawn = layout_;
    drawn.board.copyPart(base_, layout_.columns, layout_.rows);
    writePatternFile(patternFile_, drawn);
  } else {
    writePatternFile(patternFile_, layout_);
  }
  return true;
}

void Composer::closeLayout() {
  if (running_) return;
  layoutOpen_ = false;
  patternFile_.clear();
  enterEditable();
}

void Composer::enterEditable() {
  running_ = false;
  searchStarted_ = false;
  paused_ = false;
  slots_.clear();
  depth_ = 0;
  deepest_ = 0;
  results_ = 0;
  best_.clear();
  listener_.stateChanged();
  notifyCounters();
}

fs::path Composer::wordFileFor(Language language) const {
  if (wordFile_) return *wordFile_;
  return programFolders().readPath(std::string(wordFileName(language)));
}

void Composer::loadLayoutDictionary() { loadDictionary(layout_.language); }

void Composer::loadDictionary(Language language) {
  listener_.dictionaryLoading(language);
  try {
    dict_.load(wordFileFor(language), language);
  } catch (...) {
    listener_.dictionaryLoaded(language);  // the busy window goes also when loading fails
    throw;
  }
  listener_.dictionaryLoaded(language);
}

fs::path Composer::resultsFolder() const {
  return resultsFolder_ ? *resultsFolder_ : programFolders().resultsFolder();
}

SearchState Composer::searchState() const { return SearchState{depth_, results_, slots_}; }

// ---------------------------------------------------------------- start and stop

void Composer::start() {
  if (running_ || !layoutOpen_) return;
  listener_.playSound(1);
  deepest_ = 0;

  if (patternFile_.empty() || !searchStarted_) {
    try {
      if (!saveLayout()) return;
    } catch (const FileError& e) {
      listener_.showMessage(e.what(), MessageKind::Error);
      return;
    }
  }

  const bool resume = searchStarted_;
  running_ = true;
  stopRequest_ = false;
  listener_.stateChanged();
  notifyCounters();

  if (!resume) {
    if (!prepareFreshSearch()) return;
    push();
  } else {
    // A stopped search of this run keeps its base board; a reopened layout takes it
    // from the pattern file just read.
    if (!paused_) base_ = layout_.board;
    // Replaying the placed words may show that the search stands in a branch without fills:
    // it then goes on from the first word that leaves none.
    lookAhead_ = std::make_unique<SearchLookAhead>(dict_, base_, slots_, noRepeat_);
    depth_ = lookAhead_->resume(slots_, depth_);
    rebuild();
    // Nothing placed yet (a state file saved before the first word): begin at position 1.
    if (depth_ == 0) push();
  }
  paused_ = false;
  listener_.stateChanged();

  // Exhaustion wins over a stop asked for in the same step: nothing is left to resume.
  if (depth_ == 0 || mainLoop()) stopRequest_ = false;
  finish();
}

bool Composer::prepareFreshSearch() {
  results_ = 0;
  depth_ = 0;
  best_.clear();
  slots_ = deriveSlots(layout_);
  auto fail = [&](const char* message, MessageKind kind) {
    stopRequest_ = true;
    // The author can edit the layout and start again: nothing of a search is kept.
    enterEditable();
    listener_.showMessage(message, kind);
    return false;
  };
  if (slots_.empty()) return fail(kNoWordsMessage, MessageKind::Information);
  base_ = layout_.board;
  if (!orderSlots(slots_, layout_, dict_)) return fail(kNoSolutionMessage, MessageKind::Error);
  applyWordOrder();
  for (Slot& s : slots_) {
    s.candidateIndex = -1;
    s.candidates.clear();
  }
  searchStarted_ = true;
  lookAhead_ = std::make_unique<SearchLookAhead>(dict_, base_, slots_, noRepeat_);
  rebuild();
  return true;
}

void Composer::applyWordOrder() {
  std::optional<std::vector<int>> order =
      listener_.chooseWordOrder(layout_.columns - 1, layout_.rows - 1, slots_);
  if (!order || order->size() != slots_.size()) return;
  std::vector<bool> seen(slots_.size(), false);
  for (int given : *order) {
    if (given < 1 || given > slotCount() || seen[static_cast<std::size_t>(given - 1)]) return;
    seen[static_cast<std::size_t>(given - 1)] = true;
  }
  std::vector<Slot> reordered;
  reordered.reserve(slots_.size());
  for (int given : *order) reordered.push_back(slots_[static_cast<std::size_t>(given - 1)]);
  slots_ = std::move(reordered);
}

void Composer::stop() {
  if (!running_) return;
  stopRequest_ = true;
  searchStarted_ = true;
  paused_ = true;
  running_ = false;
  listener_.stateChanged();
}

void Composer::finish() {
  if (stopRequest_) {
    running_ = false;
    searchStarted_ = true;
    paused_ = true;
    drawBestFill();
    try {
      writeStateFile(stateFile(), searchState());
    } catch (const FileError& e) {
      // The search stays in memory: a start in this run still resumes it.
      listener_.showMessage(e.what(), MessageKind::Error);
    }
  } else {
    // The working board goes back to the author's layout: the last fill tried must not
    // become fixed letters of the next search.
    layout_.board.copyPart(base_, layout_.columns, layout_.rows);
    listener_.playSound(3);
    running_ = false;
    searchStarted_ = false;
    paused_ = false;
    try {
      removeFileIfExists(stateFile());
    } catch (const FileError& e) {
      listener_.showMessage(e.what(), MessageKind::Error);
    }
  }
  lookAhead_.reset();
  listener_.stateChanged();
  notifyCounters();
}

// ---------------------------------------------------------------- the search

void Composer::notifyCounters() { listener_.countersChanged(counters()); }

void Composer::rebuild() {
  listener_.pump(PumpPoint::Rebuild);
  layout_.board.copyPart(base_, layout_.columns, layout_.rows);
  for (int p = 1; p <= depth_; ++p) {
    const Slot& s = at(p);
    if (s.hasCurrentWord()) placeWord(layout_.board, s, s.candidate(s.candidateIndex));
  }
}

void Composer::push() {
  const int n = depth_ + 1;
  if (n > slotCount()) return;
  Slot& s = at(n);
  std::vector<Dictionary::WordId> ids = dict_.findWords(slotQuery(layout_.board, s));
  s.candidates.clear();
  s.candidates.reserve(ids.size() * static_cast<std::size_t>(s.length));
  for (Dictionary::WordId id : ids) s.candidates += dict_.word(s.length, id);
  if (ids.empty()) return;  // the top slot moves on to its next candidate
  lookAhead_->setCandidates(n, std::move(ids));
  depth_ = n;
  deepest_ = std::max(deepest_, depth_);
  s.candidateIndex = -1;
  notifyCounters();
  listener_.pump(PumpPoint::Push);
}

void Composer::completeFillCheck() {
  // Every cell of the last slot lies in a slot placed before it: its word is fixed.
  std::string word = wordOnBoard(layout_.board, at(slotCount()));
  if (!dict_.containsWord(word)) return;
  if (noRepeat_ && hasRepeatedWord()) return;
  const int number = results_ + 1;
  fs::path file = resultsFolder() / resultFileName(patternFile_.string(), number);
  try {
    writeCrosswordFile(file, resultCrossword(layout_));
  } catch (const FileError& e) {
    // Step back so that a resumed search tries this fill again under the same number.
    --at(depth_).candidateIndex;
    stopRequest_ = true;
    searchStarted_ = true;
    paused_ = true;
    running_ = false;
    listener_.showMessage(std::string(e.what()) + "\nComposing has been stopped.", MessageKind::Error);
    return;
  }
  results_ = number;
  notifyCounters();
  listener_.resultWritten(file, number);
  listener_.playSound(2);
}

bool Composer::hasRepeatedWord() const {
  std::vector<std::string> words;
  for (const Slot& s : slots_)
    if (s.length >= 2) words.push_back(wordOnBoard(layout_.board, s));
  std::sort(words.begin(), words.end());
  return std::adjacent_find(words.begin(), words.end()) != words.end();
}

void Composer::backUp() {
  if (depth_ == deepest_) {
    best_.clear();
    for (int p = 1; p < depth_; ++p) {
      const Slot& s = at(p);
      best_.emplace_back(s.hasCurrentWord() ? s.candidate(s.candidateIndex) : std::string_view());
    }
  }
  --depth_;
  notifyCounters();
  listener_.pump(PumpPoint::BackUp);
}

// One candidate per iteration: the top slot's candidate index always names the last
// candidate fully tried, so a stop between iterations loses and repeats nothing.
bool Composer::mainLoop() {
  const int lastPlaced = slotCount() - 1;
  while (!stopRequest_) {
    Slot& top = at(depth_);
    // Candidates that the look-ahead has ruled out lead to no fill: they count as tried.
    lookAhead_->unplace(depth_);
    top.candidateIndex = lookAhead_->nextCandidate(depth_, top.candidateIndex);
    listener_.pump(PumpPoint::Iteration);
    if (top.candidateIndex < top.candidateCount()) {
      ++steps_;
      if (depth_ >= lastPlaced) {
        rebuild();
        completeFillCheck();
      } else if (lookAhead_->place(depth_, top.candidateIndex)) {
        rebuild();
        push();
      }
    } else {
      // Keep the index at the end of the list (not past it) so a saved state stays valid.
      top.candidateIndex = top.candidateCount();
      if (depth_ <= 1) return true;  // exhausted
      backUp();
    }
  }
  return false;
}

void Composer::drawBestFill() {
  listener_.pump(PumpPoint::BestFill);
  layout_.board.copyPart(base_, layout_.columns, layout_.rows);
  for (std::size_t k = 0; k < best_.size() && k < slots_.size(); ++k)
    if (static_cast<int>(best_[k].size()) == slots_[k].length) placeWord(layout_.board, slots_[k], best_[k]);
}

}  // namespace gw
