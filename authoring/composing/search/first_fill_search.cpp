#include "authoring/composing/search/first_fill_search.h"

#include <bit>
#include <chrono>
#include <cstdint>

namespace gw {

namespace {

// Failures allowed in a restart of Luby weight 1.
constexpr std::uint64_t kRestartFailures = 256;
// The same with a scored list. Scores leave the value order few ties to break at random, so
// a restart soon repeats the one before it; shorter ones change course sooner. Measured on
// 30 seeds of us15 and us15b with the shipped English scores: 40 % fewer words tried.
constexpr std::uint64_t kScoredRestartFailures = 128;
// Failures between forgettings, of Luby weight 1, in restarts of weight 1. Measured on us21b,
// one lane, 40 seeds, 20 s each: with 80, 39 fill (median 3.7 s) where 28 did with the weights
// kept for good; windows of 55 to 128 restarts did about as well, 31 filled none.
constexpr std::uint64_t kForgetRestarts = 80;
// Restarts among the preferred words before the others are taken too: enough for most
// layouts that have a fill of them, few enough that the others cost little time when not.
constexpr std::uint64_t kPreferredRestarts = 8;
// Windows after which a lane keeps what its restarts proved even when not asked to: one that
// has found nothing by then is searching again and again where it already failed. Measured,
// one lane: every one of 20 seeds of us21b fills before (so nothing changes there); on a
// dense 21 x 21 where 8 of 10 seeds filled within 30 s, all 10 did.
constexpr std::uint64_t kLearningWindow = 8;
// Words a lane tries between looks at the other lanes.
constexpr std::uint64_t kLaneChunk = 64;

std::uint64_t splitMix(std::uint64_t x) {
  x += 0x9E3779B97F4A7C15ULL;
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
  return x ^ (x >> 31);
}

// 64 × log2(n) for n ≥ 1, from integers only, so that every machine scores words alike.
std::int32_t log2Times64(std::size_t n) {
  static constexpr std::uint8_t kFraction[64] = {
      0,  1,  3,  4,  6,  7,  8,  10, 11, 12, 13, 15, 16, 17, 18, 19, 21, 22, 23, 24, 25, 26,
      27, 28, 29, 30, 31, 32, 34, 35, 35, 36, 37, 38, 39, 40, 41, 42, 43, 44, 45, 46, 47, 47,
      48, 49, 50, 51, 52, 52, 53, 54, 55, 56, 56, 57, 58, 59, 60, 60, 61, 62, 63, 63};
  if (n == 0) return 0;
  const int b = std::bit_width(n) - 1;
  const std::size_t mantissa = b >= 6 ? n >> (b - 6) : n << (6 - b);
  return b * 64 + kFraction[mantissa & 63];
}

}  // namespace

// ---------------------------------------------------------------- one lane

FirstFillLane::FirstFillLane(const WordBitSets& bits, const ComposingBoard& base,
                             const std::vector<Slot>& slots, const FirstFillOptions& options, int lane)
    : propagator_(bits, base, slots, FillPropagator::Options{options.noRepeat}),
      seed_(options.seed),
      weight_(slots.size(), 1),
      restart_(0),
      restartUnit_(options.restartFailures  ? options.restartFailures
                   : bits.scored()          ? kScoredRestartFailures
                                            : kRestartFailures),
      cutoff_(restartUnit_),
      forgetUnit_(options.forgetFailures ? options.forgetFailures : restartUnit_ * kForgetRestarts),
      learns_(options.learnFromRestarts) {
  std::size_t positions = 0;
  for (SlotId s : propagator_.slots()) {
    crossingOffset_.push_back(positions);
    positions += static_cast<std::size_t>(propagator_.wordsOf(s).length());
  }
  crossingVersion_.assign(positions, ~std::uint64_t{0});
  crossingLogs_.resize(positions * 256);
  // Lane 0 is the one-lane search; the others search with seeds of their own.
  if (lane > 0)
    seed_ = splitMix(options.seed ^ splitMix(static_cast<std::uint64_t>(lane) +
                                             (static_cast<std::uint64_t>(options.lanes) << 32)));
  rng_.seed(splitMix(seed_ ^ splitMix(restart_)));
  if (!propagator_.consistent())
    status_ = FirstFillStatus::NoFill;
  else
    preferGoodWords();
}

void FirstFillLane::preferGoodWords() {
  bool any = false;
  for (SlotId s : propagator_.slots()) any = any || propagator_.wordsOf(s).preferred();
  if (!any) return;
  propagator_.pushLevel();
  floor_ = 1;
  for (SlotId s : propagator_.slots()) {
    const std::uint64_t* preferred = propagator_.wordsOf(s).preferred();
    if (preferred && !propagator_.keepOnly(s, preferred)) return dropPreference();
  }
}

void FirstFillLane::dropPreference() {
  while (propagator_.level() > 0) propagator_.popLevel();
  decisions_.clear();
  // What was proved among the preferred words alone does not hold among all words.
  nogoods_.clear();
  refuted_.clear();
  floor_ = 0;
}

FirstFillStatus FirstFillLane::run(std::uint64_t steps) {
  // Where one call ends and the next begins changes nothing: a run is the same in any slices.
  while (status_ == FirstFillStatus::Searching) {
    if (failuresThisRestart_ >= cutoff_()) beginRestart();
    if (settled()) {
      status_ = FirstFillStatus::Filled;  // every slot is down to one word
      break;
    }
    if (steps == 0) break;
    --steps;
    const SlotId slot = chooseSlot();
    const WordId word = chooseWord(slot);
    ++steps_;
    propagator_.pushLevel();
    if (propagator_.assign(slot, word)) {
      decisions_.push_back({slot, word});
      if (!learns_ || applyNogoods()) {
        if (slot == lastConflict_) lastConflict_ = SlotId::none();
        continue;
      }
      decisions_.pop_back();
    }
    lastConflict_ = slot;
    noteFailure();
    propagator_.popLevel();
    if (!refute(slot, word)) status_ = FirstFillStatus::NoFill;
  }
  return status_;
}

void FirstFillLane::beginRestart() {
  if (learns_) nogoods_.recordBranch(decisions_, refuted_);
  refuted_.clear();
  // What was refuted at the floor holds for good; the failure weights are kept too.
  if (floor_ > 0 && restart_ + 1 >= kPreferredRestarts) dropPreference();
  while (propagator_.level() > floor_) propagator_.popLevel();
  decisions_.clear();
  lastConflict_ = SlotId::none();
  ++restart_;
  failuresThisRestart_ = 0;
  if (failures_ - forgotAt_ >= forgetUnit_ * LubyCutoff::luby(forgetIndex_))
    forget();
  else
    cutoff_.next();
  rng_.seed(splitMix(seed_ ^ splitMix(restart_)));
}

void FirstFillLane::forget() {
  // The weights steer every restart towards the slots that failed most, but those are the
  // slots of the parts of the board it has tried so far: on a hard layout they come to keep
  // it in the part where it is stuck.
  std::fill(weight_.begin(), weight_.end(), 1);
  cutoff_ = LubyCutoff(restartUnit_);
  ++forgetIndex_;
  forgotAt_ = failures_;
  if (forgetIndex_ >= kLearningWindow) learns_ = true;
  seed_ = splitMix(seed_ ^ splitMix(~forgetIndex_));
}

bool FirstFillLane::applyNogoods() {
  narrowed_.clear();
  const bool consistent = nogoods_.consequences(decisions_, propagator_, narrowed_);
  // A word a nogood takes away is a failure spared: it still counts towards the slot's
  // weight, or the weights stop learning where the search fails (measured on us21b and a
  // dense 21 x 21: without this, fills took about twice as long).
  for (SlotId s : narrowed_) ++weight_[s];
  return consistent;
}

void FirstFillLane::noteFailure() {
  ++failures_;
  ++failuresThisRestart_;
  if (SlotId s = propagator_.failedSlot(); s.valid()) ++weight_[s];
  if (SlotId s = propagator_.failedCause(); s.valid()) ++weight_[s];
}

bool FirstFillLane::refute(SlotId slot, WordId word) {
  for (;;) {
    if (propagator_.exclude(slot, word)) {
      if (learns_) refuted_.push_back({decisions_.size(), {slot, word}});
      return true;
    }
    noteFailure();
    if (decisions_.empty()) {
      // No fill of the preferred words: the others are taken too.
      if (floor_ == 0) return false;
      dropPreference();
      return true;
    }
    const Decision last = decisions_.back();
    decisions_.pop_back();
    while (!refuted_.empty() && refuted_.back().depth > decisions_.size()) refuted_.pop_back();
    propagator_.popLevel();
    slot = last.slot;
    word = last.word;
  }
}

bool FirstFillLane::settled() const {
  for (SlotId s : propagator_.slots())
    if (propagator_.size(s) > 1) return false;
  return true;
}

SlotId FirstFillLane::chooseSlot() {
  if (lastConflict_.valid() && propagator_.size(lastConflict_) > 1) return lastConflict_;
  // Fewest words per failure weight; ties broken at random.
  SlotId best;
  std::uint64_t bestSize = 0, bestWeight = 1, ties = 0;
  for (SlotId s : propagator_.slots()) {
    const std::uint64_t size = propagator_.size(s);
    if (size <= 1) continue;
    const std::uint64_t weight = weight_[s];
    if (!best.valid() || size * bestWeight < bestSize * weight) {
      best = s;
      bestSize = size;
      bestWeight = weight;
      ties = 1;
    } else if (size * bestWeight == bestSize * weight && random() % ++ties == 0) {
      best = s;
    }
  }
  return best;
}

FirstFillLane::WordId FirstFillLane::chooseWord(SlotId slot) {
  // The word whose letters leave the crossing slots the most words (the largest product
  // of their counts, summed as integer logarithms); ties broken at random.
  const LengthWordBits& bits = propagator_.wordsOf(slot);
  const int length = bits.length();
  std::vector<int>& scored = scoredPositions_;
  scored.clear();
  for (int k = 0; k < length; ++k) {
    const SlotId other = propagator_.crossingSlot(slot, k);
    if (!other.valid() || propagator_.size(other) <= 1) continue;
    scored.push_back(k);
    // The counts change only with the crossing slot's words, kept until they do. (Its words also
    // fix the cell's letters, with the propagation at its fixed point.)
    const std::size_t at = crossingOffset_[slot.index()] + static_cast<std::size_t>(k);
    if (crossingVersion_[at] == propagator_.version(other)) continue;
    crossingVersion_[at] = propagator_.version(other);
    const LetterSet& letters = propagator_.letters(slot, k);
    propagator_.countByLetter(other, propagator_.crossingPosition(slot, k), letters, letterCount_.data());
    letters.forEach(
        [&](unsigned char letter) { crossingLogs_[at * 256 + letter] = log2Times64(letterCount_[letter]); });
  }
  const std::int32_t* logs = crossingLogs_.data() + crossingOffset_[slot.index()] * 256;
  WordId best = 0;
  std::int64_t bestScore = INT64_MIN;
  std::uint64_t ties = 0;
  propagator_.forEachWord(slot, [&](WordId word) {
    // No random points on top: measured, they only made fills rarer. Ties still break at random.
    std::int64_t score = bits.scoreTerm(word);  // the better word first at equal crossing support
    for (int k : scored) score += logs[static_cast<std::size_t>(k) * 256 + bits.letter(word, k)];
    if (score > bestScore) {
      best = word;
      bestScore = score;
      ties = 1;
    } else if (score == bestScore && random() % ++ties == 0) {
      best = word;
    }
  });
  return best;
}

std::vector<FirstFillLane::WordId> FirstFillLane::fill() const {
  std::vector<WordId> words;
  for (SlotId s : propagator_.slots())
    words.push_back(static_cast<WordId>(std::max<std::int64_t>(propagator_.next(s, 0), 0)));
  return words;
}

// ---------------------------------------------------------------- the lanes together

FirstFillSearch::FirstFillSearch(const Dictionary& dictionary, const ComposingBoard& base,
                                 const std::vector<Slot>& slots, FirstFillOptions options)
    : options_(options), bits_(std::make_unique<WordBitSets>(dictionary, slotLengths(slots))) {
  options_.lanes = std::max(1, options_.lanes);
  for (int lane = 0; lane < options_.lanes; ++lane)
    lanes_.push_back(std::make_unique<FirstFillLane>(*bits_, base, slots, options_, lane));
}

FirstFillSearch::~FirstFillSearch() {
  stop();
  for (std::thread& t : threads_) t.join();
}

void FirstFillSearch::stop() {
  stop_ = true;
  std::lock_guard lock(mutex_);
  changed_.notify_all();
}

FirstFillStatus FirstFillSearch::run(std::uint64_t steps) {
  if (options_.lanes == 1) {
    FirstFillLane& lane = *lanes_[0];
    while (steps > 0 && lane.status() == FirstFillStatus::Searching && !stop_) {
      const std::uint64_t chunk = std::min(steps, kLaneChunk);
      const std::uint64_t before = lane.steps();
      lane.run(chunk);
      steps_ += lane.steps() - before;
      steps -= chunk;
    }
    std::lock_guard lock(mutex_);
    if (lane.status() == FirstFillStatus::Filled) winner_ = 0;
    noFill_ = lane.status() == FirstFillStatus::NoFill;
    return settled();
  }

  std::unique_lock lock(mutex_);
  if (threads_.empty()) {
    lanesRunning_ = options_.lanes;
    for (int lane = 0; lane < options_.lanes; ++lane) threads_.emplace_back([this, lane] { runLane(lane); });
  }
  const std::uint64_t target = steps_ + steps;
  while (lanesRunning_ > 0 && !stop_ && steps_ < target)
    changed_.wait_for(lock, std::chrono::milliseconds(20));
  return settled();
}

FirstFillStatus FirstFillSearch::settled() const {
  if (noFill_) return FirstFillStatus::NoFill;
  if (winner_ >= 0 && (options_.lanes == 1 || lanesRunning_ == 0)) return FirstFillStatus::Filled;
  if (stop_) return FirstFillStatus::Stopped;
  return FirstFillStatus::Searching;
}

void FirstFillSearch::runLane(int index) {
  FirstFillLane& lane = *lanes_[static_cast<std::size_t>(index)];
  while (!stop_) {
    std::uint64_t chunk = kLaneChunk;
    bool last = false;
    {
      // The fill is the one found in the fewest words tried (the lower lane on a tie): a lane
      // that has tried as many as the best so far can no longer beat it.
      std::lock_guard lock(mutex_);
      if (noFill_) break;
      if (winner_ >= 0) {
        const std::uint64_t best = lanes_[static_cast<std::size_t>(winner_)]->steps();
        if (lane.steps() > best || (lane.steps() == best && index > winner_)) break;
        last = best - lane.steps() <= chunk;
        chunk = std::min(chunk, best - lane.steps());
      }
    }
    const std::uint64_t before = lane.steps();
    FirstFillStatus status = lane.run(chunk);
    steps_ += lane.steps() - before;
    if (status == FirstFillStatus::Filled) {
      std::lock_guard lock(mutex_);
      const FirstFillLane* best = winner_ >= 0 ? lanes_[static_cast<std::size_t>(winner_)].get() : nullptr;
      if (!best || lane.steps() < best->steps() || (lane.steps() == best->steps() && index < winner_))
        winner_ = index;
      break;
    }
    if (status == FirstFillStatus::NoFill) {
      std::lock_guard lock(mutex_);
      noFill_ = true;
      break;
    }
    if (last) break;
    changed_.notify_all();
  }
  std::lock_guard lock(mutex_);
  --lanesRunning_;
  changed_.notify_all();
}

FirstFillStatus FirstFillSearch::status() const {
  std::lock_guard lock(mutex_);
  return settled();
}

std::vector<std::string> FirstFillSearch::words() const {
  std::lock_guard lock(mutex_);
  std::vector<std::string> out;
  if (winner_ < 0 || settled() != FirstFillStatus::Filled) return out;
  const FirstFillLane& lane = *lanes_[static_cast<std::size_t>(winner_)];
  std::vector<FirstFillLane::WordId> ids = lane.fill();
  for (std::size_t s = 0; s < ids.size(); ++s)
    out.emplace_back(lane.propagator().wordsOf(SlotId(s)).word(ids[s]));
  return out;
}

std::uint64_t FirstFillSearch::winningLane() const {
  std::lock_guard lock(mutex_);
  return winner_ >= 0 ? static_cast<std::uint64_t>(winner_) : 0;
}

std::uint64_t FirstFillSearch::restart() const {
  std::lock_guard lock(mutex_);
  return winner_ >= 0 ? lanes_[static_cast<std::size_t>(winner_)]->restart() : 0;
}

std::uint64_t FirstFillSearch::steps() const { return steps_; }

}  // namespace gw
