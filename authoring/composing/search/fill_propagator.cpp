#include "authoring/composing/search/fill_propagator.h"

#include <algorithm>
#include <map>

namespace gw {

namespace {

// Bit counts are where the look-ahead spends much of its time: let x86-64 use its popcnt
// instruction where the processor has it.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define GW_POPCNT_CLONES __attribute__((target_clones("arch=x86-64-v3", "popcnt", "default")))
#define GW_VECTOR_CLONES __attribute__((target_clones("arch=x86-64-v3", "default")))
#else
#define GW_POPCNT_CLONES
#define GW_VECTOR_CLONES
#endif

GW_POPCNT_CLONES std::size_t countBits(const std::uint64_t* a, std::size_t lo, std::size_t hi) {
  std::size_t n = 0;
  for (std::size_t b = lo; b < hi; ++b) n += static_cast<std::size_t>(std::popcount(a[b]));
  return n;
}

GW_POPCNT_CLONES std::size_t countCommonBits(const std::uint64_t* a, const std::uint64_t* b, std::size_t lo,
                                             std::size_t hi) {
  std::size_t n = 0;
  for (std::size_t i = lo; i < hi; ++i) n += static_cast<std::size_t>(std::popcount(a[i] & b[i]));
  return n;
}

// A slot's supports are read from its words when there are fewer than this many words per
// letter to test; else each letter is looked for in the bit sets (most are found at once).
constexpr std::size_t kDirectFactor = 8;
// Reading one word's letter costs about as much as this many blocks of a bit set: it is a
// scattered read where the blocks are read in a row.
constexpr std::size_t kWordReadCost = 8;

LetterSet allLetters() {
  LetterSet s;
  s.words.fill(~std::uint64_t{0});
  return s;
}
}  // namespace

FillPropagator::FillPropagator(const WordBitSets& bits, const ComposingBoard& board,
                               const std::vector<Slot>& slots, Options options)
    : slots_(slots.size()), options_(options) {
  std::map<int, CellId> cellOf;  // board index -> cell
  struct Use {
    SlotId slot;
    int position;
  };
  SearchIdMap<CellId, std::vector<Use>> uses;  // per cell: the slots through it
  std::size_t total = 0, residues = 0;
  for (SlotId id : slots_.ids()) {
    const Slot& slot = slots[id.index()];
    SlotState& s = slots_[id];
    s.bits = &bits.forLength(slot.length);
    s.offset = total;
    total += s.bits->blocks();
    s.residues = residues;
    residues += slot.length * std::size_t{256};
    s.cells.resize(slot.length);
    for (int k = 0; k < slot.length; ++k) {
      const int index = slot.cellIndex(k);
      if (board.at(index).length != 0) continue;  // a fixed letter
      auto [it, added] = cellOf.emplace(index, CellId());
      if (added) it->second = uses.push({});
      uses[it->second].push_back({id, k});
      s.cells[k].cell = it->second;
    }
  }
  cells_.assign(uses.size(), CellState{allLetters(), 0});
  for (const std::vector<Use>& pair : uses)
    if (pair.size() == 2)
      for (std::size_t a = 0; a < 2; ++a) {
        CellRef& ref = slots_[pair[a].slot].cells[pair[a].position];
        ref.other = pair[1 - a].slot;
        ref.otherPosition = pair[1 - a].position;
      }

  // Every word of the slot's length that has the layout's fixed letters.
  domains_.assign(total, 0);
  residue_.assign(residues, 0);
  for (SlotId id : slots_.ids()) {
    const Slot& slot = slots[id.index()];
    SlotState& s = slots_[id];
    std::uint64_t* d = domain(id);
    const std::size_t words = s.bits->wordCount();
    for (std::size_t b = 0; b < s.bits->blocks(); ++b)
      d[b] = b + 1 < s.bits->blocks() || words % 64 == 0 ? ~std::uint64_t{0}
                                                         : (std::uint64_t{1} << (words % 64)) - 1;
    s.lo = 0;
    s.hi = static_cast<std::uint32_t>(s.bits->blocks());
    for (int k = 0; k < slot.length; ++k) {
      const BoardCell& cell = board.at(slot.cellIndex(k));
      if (cell.length == 0) continue;
      const std::uint64_t* with = s.bits->withLetter(k, static_cast<unsigned char>(cell.character));
      for (std::size_t b = 0; b < s.bits->blocks(); ++b) d[b] &= with ? with[b] : 0;
    }
    if (!tighten(id)) consistent_ = false;
    if (options_.noRepeat && slot.length >= 2)
      for (SlotId other : slots_.ids())
        if (other != id && slots[other.index()].length == slot.length) s.sameLength.push_back(other);
  }
  if (!consistent_) return;
  for (SlotId id : slots_.ids()) enqueue(id);
  consistent_ = propagate();
}

const LetterSet& FillPropagator::letters(SlotId slot, int position) const {
  static const LetterSet none;
  const CellRef& ref = slots_[slot].cells[position];
  return ref.cell.valid() ? cells_[ref.cell].letters : none;
}

// ---------------------------------------------------------------- levels and trail

void FillPropagator::pushLevel() {
  levels_.push_back(Level{nextLevelId_++, domainTrail_.size(), cellTrail_.size(), savedBlocks_.size()});
}

void FillPropagator::popLevel() {
  if (levels_.empty()) return;
  const Level mark = levels_.back();
  levels_.pop_back();
  while (domainTrail_.size() > mark.domainSaves) {
    const DomainSave& save = domainTrail_.back();
    SlotState& s = slots_[save.slot];
    // Words only leave within a level, so the saved span covers every block set now.
    std::copy_n(savedBlocks_.begin() + static_cast<std::ptrdiff_t>(save.at), save.hi - save.lo,
                domain(save.slot) + save.lo);
    s.count = save.count;
    s.counted = save.counted;
    s.lo = save.lo;
    s.hi = save.hi;
    s.stamp = save.stamp;
    s.version = save.version;
    domainTrail_.pop_back();
  }
  while (cellTrail_.size() > mark.cellSaves) {
    const CellSave& save = cellTrail_.back();
    cells_[save.cell] = CellState{save.letters, save.stamp};
    cellTrail_.pop_back();
  }
  savedBlocks_.resize(mark.savedBlocks);
}

void FillPropagator::saveDomain(SlotId slot) {
  if (levels_.empty()) return;  // level 0 is never undone
  SlotState& s = slots_[slot];
  const std::uint64_t id = levels_.back().id;
  if (s.stamp == id) return;
  domainTrail_.push_back(
      DomainSave{slot, s.stamp, s.version, s.count, s.counted, s.lo, s.hi, savedBlocks_.size()});
  const std::uint64_t* d = domain(slot);
  savedBlocks_.insert(savedBlocks_.end(), d + s.lo, d + s.hi);
  s.stamp = id;
}

void FillPropagator::saveCell(CellId cell) {
  if (levels_.empty()) return;
  CellState& c = cells_[cell];
  const std::uint64_t id = levels_.back().id;
  if (c.stamp == id) return;
  cellTrail_.push_back(CellSave{cell, c.stamp, c.letters});
  c.stamp = id;
}

// ---------------------------------------------------------------- queries

std::int64_t FillPropagator::next(SlotId slot, WordId from) const {
  const SlotState& s = slots_[slot];
  if (from >= s.bits->wordCount()) return -1;
  const std::uint64_t* d = domain(slot);
  std::size_t b = from / 64;
  if (b < s.lo) {
    b = s.lo;
    from = static_cast<WordId>(b * 64);
  }
  if (b >= s.hi) return -1;
  std::uint64_t bits = d[b] & (~std::uint64_t{0} << (from % 64));
  while (!bits) {
    if (++b >= s.hi) return -1;
    bits = d[b];
  }
  return static_cast<std::int64_t>(b * 64 + static_cast<std::size_t>(std::countr_zero(bits)));
}

std::size_t FillPropagator::countWithLetter(SlotId slot, int position, unsigned char letter) const {
  const SlotState& s = slots_[slot];
  const std::uint64_t* with = s.bits->withLetter(position, letter);
  if (!with) return 0;
  return countCommonBits(domain(slot), with, s.lo, s.hi);
}

void FillPropagator::countByLetter(SlotId slot, int position, const LetterSet& letters,
                                   std::uint32_t* counts) const {
  const SlotState& s = slots_[slot];
  if (size(slot) * kWordReadCost < (s.hi - s.lo) * static_cast<std::size_t>(letters.size())) {
    letters.forEach([&](unsigned char letter) { counts[letter] = 0; });
    forEachWord(slot, [&](WordId word) { ++counts[s.bits->letter(word, position)]; });
    return;
  }
  letters.forEach([&](unsigned char letter) {
    counts[letter] = static_cast<std::uint32_t>(countWithLetter(slot, position, letter));
  });
}

std::size_t FillPropagator::size(SlotId slot) const {
  const SlotState& s = slots_[slot];
  if (!s.counted) {
    s.count = countBits(domain(slot), s.lo, s.hi);
    s.counted = true;
  }
  return s.count;
}

// ---------------------------------------------------------------- changes

bool FillPropagator::tighten(SlotId slot) {
  SlotState& s = slots_[slot];
  const std::uint64_t* d = domain(slot);
  while (s.lo < s.hi && d[s.lo] == 0) ++s.lo;
  while (s.hi > s.lo && d[s.hi - 1] == 0) --s.hi;
  return s.lo < s.hi;
}

void FillPropagator::enqueue(SlotId slot) {
  SlotState& s = slots_[slot];
  if (s.queued) return;
  s.queued = true;
  queue_.push_back(slot);
}

bool FillPropagator::fail(SlotId slot, SlotId cause) {
  failedSlot_ = slot;
  failedCause_ = cause;
  return false;
}

GW_VECTOR_CLONES bool FillPropagator::restrict(SlotId slot, int position, const LetterSet& keep,
                                               const LetterSet& removed, SlotId cause) {
  SlotState& s = slots_[slot];
  const LengthWordBits& bits = *s.bits;
  std::uint64_t* d = domain(slot);
  // The blocks are saved just before the first one changes.
  bool changed = false;
  const auto change = [&] {
    if (!changed) saveDomain(slot);
    changed = true;
  };
  const std::size_t passes = static_cast<std::size_t>(std::min(removed.size(), keep.size()));
  // Counting the words costs a pass itself: worth it only when it may save more than one.
  if ((passes > 1 || s.counted) && size(slot) * kWordReadCost < (s.hi - s.lo) * passes) {
    // Few words spread over many blocks (deep in a search): read each word's letter.
    forEachWord(slot, [&](WordId word) {
      if (!removed.has(bits.letter(word, position))) return;
      change();
      d[word / 64] &= ~(std::uint64_t{1} << (word % 64));
    });
  } else if (removed.size() <= keep.size()) {
    removed.forEach([&](unsigned char letter) {
      const std::uint64_t* with = bits.withLetter(position, letter);
      if (!with) return;
      const LengthWordBits::Span span = bits.spanOf(position, letter);
      const std::uint32_t begin = std::max(s.lo, span.begin), end = std::min(s.hi, span.end);
      // Most letters are not there at all: look before saving and changing anything.
      std::uint64_t hit = 0;
      for (std::uint32_t b = begin; b < end; ++b) hit |= d[b] & with[b];
      if (!hit) return;
      change();
      for (std::uint32_t b = begin; b < end; ++b) d[b] &= ~with[b];
    });
  } else {
    // The words with any kept letter, one letter's span at a time (loops the compiler vectorises),
    // counted from block lo.
    const std::size_t blocks = s.hi - s.lo;
    keptScratch_.assign(blocks, 0);
    std::uint64_t* kept = keptScratch_.data();
    std::uint64_t* words = d + s.lo;
    keep.forEach([&](unsigned char letter) {
      const std::uint64_t* with = bits.withLetter(position, letter);
      if (!with) return;
      const LengthWordBits::Span span = bits.spanOf(position, letter);
      const std::uint32_t begin = std::max(s.lo, span.begin), end = std::min(s.hi, span.end);
      if (begin >= end) return;
      with += s.lo;
      for (std::size_t i = begin - s.lo; i < end - s.lo; ++i) kept[i] |= with[i];
    });
    std::uint64_t lost = 0;
    for (std::size_t i = 0; i < blocks; ++i) lost |= words[i] & ~kept[i];
    if (lost) {
      change();
      for (std::size_t i = 0; i < blocks; ++i) words[i] &= kept[i];
    }
  }
  if (!changed) return true;
  s.counted = false;
  s.version = ++lastVersion_;
  if (!tighten(slot)) return fail(slot, cause);
  enqueue(slot);
  return true;
}

bool FillPropagator::removeWord(SlotId slot, WordId word, SlotId cause) {
  if (!has(slot, word)) return true;
  saveDomain(slot);
  SlotState& s = slots_[slot];
  domain(slot)[word / 64] &= ~(std::uint64_t{1} << (word % 64));
  if (s.counted) --s.count;
  s.version = ++lastVersion_;
  if (!tighten(slot)) return fail(slot, cause);
  enqueue(slot);
  return true;
}

GW_VECTOR_CLONES bool FillPropagator::revise(SlotId slot) {
  ++revisions_;
  SlotState& s = slots_[slot];
  const LengthWordBits& bits = *s.bits;
  const int length = bits.length();
  const std::uint64_t* d = domain(slot);

  // The letters the remaining words have at each open position: read from the words
  // themselves when they are few, else asked of the letter sets.
  supportScratch_.assign(length, LetterSet{});
  std::size_t open = 0, letterTests = 0;
  for (const CellRef& ref : s.cells)
    if (ref.cell.valid()) {
      ++open;
      letterTests += cells_[ref.cell].letters.size();
    }
  if (open == 0) return true;
  if (size(slot) * open <= letterTests * kDirectFactor) {
    forEachWord(slot, [&](WordId id) {
      for (int k = 0; k < length; ++k)
        if (s.cells[k].cell.valid()) supportScratch_[k].add(bits.letter(id, k));
    });
  } else {
    for (int k = 0; k < length; ++k) {
      const CellRef& ref = s.cells[k];
      if (!ref.cell.valid()) continue;
      LetterSet& support = supportScratch_[k];
      std::uint16_t* residues = residue_.data() + s.residues + k * std::size_t{256};
      cells_[ref.cell].letters.forEach([&](unsigned char letter) {
        const std::uint64_t* with = bits.withLetter(k, letter);
        if (!with) return;
        const std::uint16_t last = residues[letter];
        if (last >= s.lo && last < s.hi && (d[last] & with[last])) {
          support.add(letter);
          return;
        }
        const LengthWordBits::Span span = bits.spanOf(k, letter);
        const std::uint32_t end = std::min(s.hi, span.end);
        for (std::uint32_t b = std::max(s.lo, span.begin); b < end; ++b)
          if (d[b] & with[b]) {
            support.add(letter);
            residues[letter] = static_cast<std::uint16_t>(b);
            return;
          }
      });
    }
  }

  for (int k = 0; k < length; ++k) {
    const CellRef& ref = s.cells[k];
    if (!ref.cell.valid()) continue;
    const LetterSet& now = cells_[ref.cell].letters;
    LetterSet kept = now & supportScratch_[k];
    if (kept == now) continue;
    if (kept.empty()) return fail(slot, ref.other);
    LetterSet removed = now.without(kept);
    saveCell(ref.cell);
    cells_[ref.cell].letters = kept;
    if (ref.other != kNoSlot && !restrict(ref.other, ref.otherPosition, kept, removed, slot)) return false;
  }

  if (!s.sameLength.empty() && size(slot) == 1) {
    const WordId only = static_cast<WordId>(next(slot, 0));
    for (SlotId other : s.sameLength)
      if (!removeWord(other, only, slot)) return false;
  }
  return true;
}

bool FillPropagator::propagate() {
  bool ok = true;
  while (queueHead_ < queue_.size()) {
    const SlotId slot = queue_[queueHead_++];
    slots_[slot].queued = false;
    if (!revise(slot)) {
      ok = false;
      break;
    }
  }
  for (std::size_t i = queueHead_; i < queue_.size(); ++i) slots_[queue_[i]].queued = false;
  queue_.clear();
  queueHead_ = 0;
  if (!ok && levels_.empty()) consistent_ = false;
  return ok;
}

bool FillPropagator::assign(SlotId slot, WordId word) {
  if (!has(slot, word)) return fail(slot, kNoSlot);
  SlotState& s = slots_[slot];
  if (size(slot) > 1) {
    saveDomain(slot);
    std::uint64_t* d = domain(slot);
    std::fill(d + s.lo, d + s.hi, 0);
    d[word / 64] = std::uint64_t{1} << (word % 64);
    s.count = 1;
    s.counted = true;
    s.version = ++lastVersion_;
    s.lo = word / 64;
    s.hi = s.lo + 1;
  }
  enqueue(slot);
  return propagate();
}

bool FillPropagator::keepOnly(SlotId slot, const std::uint64_t* keep) {
  SlotState& s = slots_[slot];
  const std::uint64_t* d = domain(slot);
  bool changes = false;
  for (std::uint32_t b = s.lo; b < s.hi && !changes; ++b) changes = (d[b] & ~keep[b]) != 0;
  if (!changes) return true;
  saveDomain(slot);
  std::uint64_t* w = domain(slot);
  for (std::uint32_t b = s.lo; b < s.hi; ++b) w[b] &= keep[b];
  s.counted = false;
  s.version = ++lastVersion_;
  if (!tighten(slot)) {
    fail(slot, kNoSlot);
    if (levels_.empty()) consistent_ = false;
    return false;
  }
  enqueue(slot);
  return propagate();
}

bool FillPropagator::exclude(SlotId slot, WordId word) {
  if (!removeWord(slot, word, kNoSlot)) {
    if (levels_.empty()) consistent_ = false;
    return false;
  }
  return propagate();
}

}  // namespace gw
