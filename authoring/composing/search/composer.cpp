#include "authoring/composing/search/composer.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

#include "authoring/composing/search/first_fill_result.h"
#include "authoring/composing/search/saved_search_check.h"
#include "authoring/composing/search/search_look_ahead.h"
#include "authoring/composing/search/slot_order.h"
#include "common/errors.h"
#include "common/file_io.h"

namespace gw {
namespace fs = std::filesystem;

Composer::Composer(LayoutSession& session, ComposerListener& listener)
    : session_(session), listener_(listener) {
  if (session_.composer_) throw std::logic_error("a layout session takes one composer");
  session_.composer_ = this;
}

Composer::~Composer() { session_.composer_ = nullptr; }

const Layout& Composer::shownLayout() const {
  const ComposingState s = state();
  return s == ComposingState::Running || s == ComposingState::Stopped ? working_ : session_.layout();
}

SearchState Composer::searchState() const { return SearchState{depth_, results_, slots_, numberBase_}; }

void Composer::discardSearch() {
  slots_.clear();
  lookAhead_.reset();
  best_.clear();
  depth_ = 0;
  deepest_ = 0;
  results_ = 0;
  numberBase_ = 0;
  stopRequest_ = false;
  notifyCounters();
}

// ---------------------------------------------------------------- starting

std::optional<ComposeOutcome> Composer::orderFreshSlots(std::vector<Slot>& slots) {
  slots = deriveSlots(session_.layout());
  if (slots.empty()) return ComposeOutcome::NoWords;
  if (!orderSlots(slots, session_.layout(), session_.dictionary())) return ComposeOutcome::NoSolution;
  return std::nullopt;
}

std::vector<Slot> Composer::proposedOrder() {
  std::vector<Slot> slots;
  if (state() != ComposingState::Editable || orderFreshSlots(slots)) return {};
  return slots;
}

namespace {

// A word order is a permutation of 1 .. n; anything else keeps the computed order.
bool isPermutation(const std::vector<int>& order, std::size_t n) {
  if (order.size() != n) return false;
  std::vector<bool> seen(n, false);
  for (int given : order) {
    if (given < 1 || static_cast<std::size_t>(given) > n || seen[static_cast<std::size_t>(given - 1)])
      return false;
    seen[static_cast<std::size_t>(given - 1)] = true;
  }
  return true;
}

}  // namespace

void Composer::start(const std::vector<int>& wordOrder) {
  if (state() == ComposingState::Stopped) {
    listener_.soundWanted(ComposerSound::Started);
    beginResumed(false);
    return;
  }
  if (state() != ComposingState::Editable) return;
  if (!session_.hasFileName()) throw std::logic_error("the layout needs a file name before composing");
  session_.lockForSearch();  // before the save: another search may be using the file
  try {
    session_.save();  // the result files are named after it; a failure changes nothing
  } catch (...) {
    session_.unlockSearch();
    throw;
  }
  listener_.soundWanted(ComposerSound::Started);
  beginFresh(wordOrder);
  if (state() == ComposingState::Editable) session_.unlockSearch();  // nothing to search: no search exists
}

void Composer::resume() {
  if (state() == ComposingState::Stopped) {
    start();
    return;
  }
  if (state() != ComposingState::Editable || !session_.hasSavedSearch()) return;
  session_.lockForSearch();
  SearchState saved;
  try {
    saved = readStateFile(session_.stateFile(), session_.layout());
    checkSavedSearchLetters(saved, session_.layout(), session_.dictionary());
  } catch (...) {
    session_.unlockSearch();
    throw;
  }
  slots_ = std::move(saved.slots);
  depth_ = saved.depth;
  results_ = saved.resultCount;
  numberBase_ = saved.numberBase;
  best_.clear();
  listener_.soundWanted(ComposerSound::Started);
  beginResumed(true);
}

void Composer::beginFresh(const std::vector<int>& wordOrder) {
  deepest_ = 0;
  results_ = 0;
  // Results of an earlier search, clued since or not, are never overwritten.
  numberBase_ = static_cast<int>(std::min<long>(
      highestResultNumber(session_.resultsFolder(), session_.searchName()), std::numeric_limits<int>::max()));
  depth_ = 0;
  best_.clear();
  if (std::optional<ComposeOutcome> failure = orderFreshSlots(slots_)) {
    // The author can edit the layout and start again: nothing of a search is kept.
    slots_.clear();
    notifyCounters();
    std::string message = *failure == ComposeOutcome::NoWords ? kNoWordsMessage : kNoSolutionMessage;
    std::error_code ec;
    if (*failure == ComposeOutcome::NoSolution && session_.dictionary().totalWordCount() == 0 &&
        !fs::exists(session_.wordFile(), ec))
      message += "\nThe word list \"" + session_.wordFile().string() + "\" is missing.";
    listener_.finished(*failure, message);
    return;
  }
  if (isPermutation(wordOrder, slots_.size())) {
    std::vector<Slot> reordered;
    reordered.reserve(slots_.size());
    for (int given : wordOrder) reordered.push_back(slots_[static_cast<std::size_t>(given - 1)]);
    slots_ = std::move(reordered);
  }
  for (Slot& s : slots_) {
    s.candidateIndex = -1;
    s.candidates.clear();
  }
  working_ = session_.layout();
  base_ = working_.board;
  lookAhead_ = std::make_unique<SearchLookAhead>(session_.dictionary(), base_, slots_, noRepeat_);
  rebuild();
  stopRequest_ = false;
  session_.setState(ComposingState::Running);
  notifyCounters();
  beginFirstPosition();
  if (depth_ == 0) finishExhausted();  // no word fits the first slot
}

void Composer::beginFirstPosition() {
  push();
  if (depth_ != 1) return;
  const CandidateRange range = findPartRange(*lookAhead_);
  partEnd_ = range.end;
  at(1).candidateIndex = range.begin - 1;
}

CandidateRange Composer::findPartRange(SearchLookAhead& atBase) {
  partEnd_ = at(1).candidateCount();
  if (part_.whole()) return {0, partEnd_};
  return partRange(atBase.branchWeights(1), part_);
}

void Composer::beginResumed(bool baseFromLayout) {
  deepest_ = 0;
  // A search stopped in this run keeps its base board; a reopened one takes the layout just read.
  // Both are the author's layout, which cannot change while a search exists.
  working_ = session_.layout();
  if (baseFromLayout) base_ = working_.board;
  // Replaying the placed words may show that the search stands in a branch without fills:
  // it then goes on from the first word that leaves none.
  if (!part_.whole() && depth_ >= 1) {
    // The part's range is found again as the fresh search found it, before any word is placed.
    SearchLookAhead atBase(session_.dictionary(), base_, slots_, noRepeat_);
    atBase.resume(slots_, 1);
    partEnd_ = findPartRange(atBase).end;
  }
  lookAhead_ = std::make_unique<SearchLookAhead>(session_.dictionary(), base_, slots_, noRepeat_);
  depth_ = lookAhead_->resume(slots_, depth_);
  rebuild();
  stopRequest_ = false;
  session_.setState(ComposingState::Running);
  notifyCounters();
  // Nothing placed yet (a state file saved before the first word): begin at position 1.
  if (depth_ == 0) beginFirstPosition();
  if (depth_ == 0) finishExhausted();
}

// ---------------------------------------------------------------- running and stopping

ComposingState Composer::run(RunBudget budget) {
  if (state() != ComposingState::Running || inRun_) return state();
  using Clock = std::chrono::steady_clock;
  const bool timed = budget.time.count() > 0;
  const Clock::time_point deadline = timed ? Clock::now() + budget.time : Clock::time_point{};
  inRun_ = true;
  bool exhausted = false;
  std::uint64_t done = 0;
  try {
    while (!stopRequest_) {
      if (step()) {
        exhausted = true;
        break;
      }
      ++done;
      if (budget.steps != 0 && done >= budget.steps) break;
      // The clock is read every so often: a step takes about a microsecond.
      if (timed && done % 64 == 0 && Clock::now() >= deadline) break;
    }
  } catch (...) {
    inRun_ = false;
    throw;
  }
  inRun_ = false;
  // Exhaustion wins over a stop asked for in the same step: nothing is left to resume.
  if (exhausted)
    finishExhausted();
  else if (stopRequest_)
    finishStopped();
  return state();
}

std::string Composer::syncResults() {
  if (!unsyncedResults_) return {};
  try {
    syncFileSystem(session_.resultsFolder());
    unsyncedResults_ = false;
    return {};
  } catch (const FileError& e) {
    return e.what();
  }
}

void Composer::stop() {
  if (state() != ComposingState::Running) return;
  stopRequest_ = true;
  if (!inRun_) finishStopped();  // between steps: the search is exact as it stands
}

void Composer::finishStopped() {
  stopRequest_ = false;
  drawBestFill();
  session_.setState(ComposingState::Stopped);
  std::string message = std::move(stopMessage_);
  stopMessage_.clear();
  try {
    // The state file must never count a result that a power cut could still take away.
    if (std::string error = syncResults(); !error.empty()) throw FileError(error);
    writeStateFile(session_.stateFile(), searchState());
  } catch (const FileError& e) {
    // The search stays in memory: a start in this run still resumes it.
    if (!message.empty()) message += "\n\n";
    message += e.what();
  }
  notifyCounters();
  listener_.finished(ComposeOutcome::Stopped, message);
}

void Composer::finishExhausted() {
  stopRequest_ = false;
  lookAhead_.reset();
  // The working board goes back to the author's layout: the last fill tried is no part of it.
  working_.board.copyPart(base_, working_.rows, working_.columns);
  listener_.soundWanted(ComposerSound::Exhausted);
  session_.setState(ComposingState::Editable);
  std::string message = syncResults();
  try {
    removeFileIfExists(session_.stateFile());
  } catch (const FileError& e) {
    if (!message.empty()) message += "\n\n";
    message += e.what();
  }
  notifyCounters();
  listener_.finished(ComposeOutcome::Exhausted, message);
}

// ---------------------------------------------------------------- the search

void Composer::rebuild() {
  working_.board.copyPart(base_, working_.rows, working_.columns);
  for (int p = 1; p <= depth_; ++p) {
    const Slot& s = at(p);
    if (s.hasCurrentWord()) placeWord(working_.board, s, s.candidate(s.candidateIndex));
  }
}

void Composer::push() {
  const int n = depth_ + 1;
  if (n > slotCount()) return;
  Slot& s = at(n);
  const Dictionary& dictionary = session_.dictionary();
  dictionary.findWords(slotQuery(working_.board, s), found_);
  s.candidates.clear();
  s.candidates.reserve(found_.size() * static_cast<std::size_t>(s.length));
  for (Dictionary::WordId id : found_) s.candidates += dictionary.word(s.length, id);
  if (found_.empty()) return;  // the top slot moves on to its next candidate
  lookAhead_->setCandidates(n, found_);
  depth_ = n;
  deepest_ = std::max(deepest_, depth_);
  s.candidateIndex = -1;
  notifyCounters();
}

void Composer::completeFillCheck() {
  // Every cell of the last slot lies in a slot placed before it: its word is fixed.
  std::string word = wordOnBoard(working_.board, at(slotCount()));
  if (!session_.dictionary().containsWord(word)) return;
  if (noRepeat_ && hasRepeatedWord()) return;
  const auto lastNumber = [&] {
    // No number is left for this result: stop before it, as a failed write does.
    --at(depth_).candidateIndex;
    stopRequest_ = true;
    stopMessage_ =
        "Result " + std::to_string(numberBase_ + results_) +
        " was the last result number: no further result can be written.\nComposing has been stopped.";
  };
  if (numberBase_ + static_cast<long>(results_) >= std::numeric_limits<int>::max()) return lastNumber();
  int number = 0;
  try {
    const std::optional<int> written =
        writeResultFile(session_.resultsFolder(), session_.searchName(), numberBase_ + results_ + 1,
                        resultCrossword(working_), true, FileSync::Later);
    unsyncedResults_ = true;
    if (!written) return lastNumber();
    number = *written;
  } catch (const FileError& e) {
    // Step back so that a resumed search tries this fill again under the same number.
    --at(depth_).candidateIndex;
    stopRequest_ = true;
    stopMessage_ = std::string(e.what()) + "\nComposing has been stopped.";
    return;
  }
  // A name that was taken moves this and every later number on.
  numberBase_ = number - results_ - 1;
  ++results_;
  notifyCounters();
  const fs::path file = session_.resultsFolder() / resultFileName(session_.searchName().string(), number);
  listener_.resultWritten(file, number);
  listener_.soundWanted(ComposerSound::ResultWritten);
}

bool Composer::hasRepeatedWord() const {
  std::vector<std::string> words;
  for (const Slot& s : slots_)
    if (s.length >= 2) words.push_back(wordOnBoard(working_.board, s));
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
    listener_.bestFillChanged();
  }
  --depth_;
  notifyCounters();
}

// One candidate per step: the top slot's candidate index always names the last candidate
// fully tried, so a stop between steps loses and repeats nothing.
bool Composer::step() {
  Slot& top = at(depth_);
  // Candidates that the look-ahead has ruled out lead to no fill: they count as tried.
  lookAhead_->unplace(depth_);
  top.candidateIndex = lookAhead_->nextCandidate(depth_, top.candidateIndex);
  // The rest of position 1 belongs to the following parts.
  if (!part_.whole() && depth_ == 1 && top.candidateIndex >= partEnd_)
    top.candidateIndex = top.candidateCount();
  if (top.candidateIndex < top.candidateCount()) {
    ++steps_;
    if (depth_ >= slotCount() - 1) {
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
  return false;
}

void Composer::drawBestFill() {
  working_.board.copyPart(base_, working_.rows, working_.columns);
  for (std::size_t k = 0; k < best_.size() && k < slots_.size(); ++k)
    if (static_cast<int>(best_[k].size()) == slots_[k].length) placeWord(working_.board, slots_[k], best_[k]);
}

}  // namespace gw
