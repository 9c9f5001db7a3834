#include "authoring/composing/fill_propagator.h"

#include <algorithm>
#include <map>

namespace gw {

namespace {

// Bit counts are where the look-ahead spends much of its time: let x86-64 use its popcnt
// instruction where the processor has it.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define GW_POPCNT_CLONES __attribute__((target_clones("popcnt", "default")))
#else
#define GW_POPCNT_CLONES
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

LetterSet allLetters() {
  LetterSet s;
  s.words.fill(~std::uint64_t{0});
  return s;
}
}  // namespace

FillPropagator::FillPropagator(const WordBitSets& bits, const ComposingBoard& board,
                               const std::vector<Slot>& slots, Options options)
    : options_(options) {
  slots_.resize(slots.size());
  std::map<int, int> cellOf;                         // board index -> cell number
  std::vector<std::vector<std::pair<int, int>>> in;  // per cell: (slot, position)
  std::size_t total = 0, residues = 0;
  for (std::size_t i = 0; i < slots.size(); ++i) {
    const Slot& slot = slots[i];
    SlotState& s = slots_[i];
    s.bits = &bits.forLength(slot.length);
    s.offset = total;
    total += s.bits->blocks();
    s.residues = residues;
    residues += static_cast<std::size_t>(slot.length) * 256;
    s.cells.resize(static_cast<std::size_t>(slot.length));
    for (int k = 0; k < slot.length; ++k) {
      int index = slot.cellIndex(k);
      if (board.at(index).length != 0) continue;  // a fixed letter
      auto [it, added] = cellOf.emplace(index, static_cast<int>(in.size()));
      if (added) in.emplace_back();
      in[static_cast<std::size_t>(it->second)].emplace_back(static_cast<int>(i), k);
      s.cells[static_cast<std::size_t>(k)].cell = it->second;
    }
  }
  cells_.assign(in.size(), CellState{allLetters(), 0});
  for (const auto& refs : in)
    if (refs.size() == 2)
      for (int a = 0; a < 2; ++a) {
        auto [slot, position] = refs[static_cast<std::size_t>(a)];
        CellRef& ref = slots_[static_cast<std::size_t>(slot)].cells[static_cast<std::size_t>(position)];
        ref.other = refs[static_cast<std::size_t>(1 - a)].first;
        ref.otherPosition = refs[static_cast<std::size_t>(1 - a)].second;
      }

  // Every word of the slot's length that has the layout's fixed letters.
  domains_.assign(total, 0);
  residue_.assign(residues, 0);
  for (std::size_t i = 0; i < slots.size(); ++i) {
    SlotState& s = slots_[i];
    std::uint64_t* d = domain(static_cast<int>(i));
    const std::size_t words = s.bits->wordCount();
    for (std::size_t b = 0; b < s.bits->blocks(); ++b)
      d[b] = b + 1 < s.bits->blocks() || words % 64 == 0 ? ~std::uint64_t{0}
                                                         : (std::uint64_t{1} << (words % 64)) - 1;
    s.lo = 0;
    s.hi = static_cast<std::uint32_t>(s.bits->blocks());
    for (int k = 0; k < slots[i].length; ++k) {
      const BoardCell& cell = board.at(slots[i].cellIndex(k));
      if (cell.length == 0) continue;
      const std::uint64_t* with = s.bits->withLetter(k, static_cast<unsigned char>(cell.character));
      for (std::size_t b = 0; b < s.bits->blocks(); ++b) d[b] &= with ? with[b] : 0;
    }
    if (!tighten(static_cast<int>(i))) consistent_ = false;
    if (options_.noRepeat && slots[i].length >= 2)
      for (std::size_t j = 0; j < slots.size(); ++j)
        if (j != i && slots[j].length == slots[i].length) s.sameLength.push_back(static_cast<int>(j));
  }
  if (!consistent_) return;
  for (int i = 0; i < slotCount(); ++i) enqueue(i);
  consistent_ = propagate();
}

const LetterSet& FillPropagator::letters(int slot, int position) const {
  static const LetterSet none;
  const CellRef& ref = slots_[static_cast<std::size_t>(slot)].cells[static_cast<std::size_t>(position)];
  return ref.cell < 0 ? none : cells_[static_cast<std::size_t>(ref.cell)].letters;
}

int FillPropagator::crossingSlot(int slot, int position) const {
  return slots_[static_cast<std::size_t>(slot)].cells[static_cast<std::size_t>(position)].other;
}

int FillPropagator::crossingPosition(int slot, int position) const {
  return slots_[static_cast<std::size_t>(slot)].cells[static_cast<std::size_t>(position)].otherPosition;
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
    SlotState& s = slots_[static_cast<std::size_t>(save.slot)];
    // Words only leave within a level, so the saved span covers every block set now.
    std::copy_n(savedBlocks_.begin() + static_cast<std::ptrdiff_t>(save.at), save.hi - save.lo,
                domain(save.slot) + save.lo);
    s.count = save.count;
    s.counted = save.counted;
    s.lo = save.lo;
    s.hi = save.hi;
    s.stamp = save.stamp;
    domainTrail_.pop_back();
  }
  while (cellTrail_.size() > mark.cellSaves) {
    const CellSave& save = cellTrail_.back();
    cells_[static_cast<std::size_t>(save.cell)] = CellState{save.letters, save.stamp};
    cellTrail_.pop_back();
  }
  savedBlocks_.resize(mark.savedBlocks);
}

void FillPropagator::saveDomain(int slot) {
  if (levels_.empty()) return;  // level 0 is never undone
  SlotState& s = slots_[static_cast<std::size_t>(slot)];
  const std::uint64_t id = levels_.back().id;
  if (s.stamp == id) return;
  domainTrail_.push_back(DomainSave{slot, s.stamp, s.count, s.counted, s.lo, s.hi, savedBlocks_.size()});
  const std::uint64_t* d = domain(slot);
  savedBlocks_.insert(savedBlocks_.end(), d + s.lo, d + s.hi);
  s.stamp = id;
}

void FillPropagator::saveCell(int cell) {
  if (levels_.empty()) return;
  CellState& c = cells_[static_cast<std::size_t>(cell)];
  const std::uint64_t id = levels_.back().id;
  if (c.stamp == id) return;
  cellTrail_.push_back(CellSave{cell, c.stamp, c.letters});
  c.stamp = id;
}

// ---------------------------------------------------------------- queries

std::int64_t FillPropagator::next(int slot, WordId from) const {
  const SlotState& s = slots_[static_cast<std::size_t>(slot)];
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

std::size_t FillPropagator::countWithLetter(int slot, int position, unsigned char letter) const {
  const SlotState& s = slots_[static_cast<std::size_t>(slot)];
  const std::uint64_t* with = s.bits->withLetter(position, letter);
  if (!with) return 0;
  return countCommonBits(domain(slot), with, s.lo, s.hi);
}

std::size_t FillPropagator::size(int slot) const {
  const SlotState& s = slots_[static_cast<std::size_t>(slot)];
  if (!s.counted) {
    s.count = countBits(domain(slot), s.lo, s.hi);
    s.counted = true;
  }
  return s.count;
}

// ---------------------------------------------------------------- changes

bool FillPropagator::tighten(int slot) {
  SlotState& s = slots_[static_cast<std::size_t>(slot)];
  const std::uint64_t* d = domain(slot);
  while (s.lo < s.hi && d[s.lo] == 0) ++s.lo;
  while (s.hi > s.lo && d[s.hi - 1] == 0) --s.hi;
  return s.lo < s.hi;
}

void FillPropagator::enqueue(int slot) {
  SlotState& s = slots_[static_cast<std::size_t>(slot)];
  if (s.queued) return;
  s.queued = true;
  queue_.push_back(slot);
}

bool FillPropagator::fail(int slot, int cause) {
  failedSlot_ = slot;
  failedCause_ = cause;
  return false;
}

bool FillPropagator::restrict(int slot, int position, const LetterSet& keep, const LetterSet& removed,
                              int cause) {
  SlotState& s = slots_[static_cast<std::size_t>(slot)];
  const LengthWordBits& bits = *s.bits;
  std::uint64_t* d = domain(slot);
  // The blocks are saved just before the first one changes.
  bool changed = false;
  auto narrow = [&](std::uint32_t b, std::uint64_t to) {
    if (to == d[b]) return;
    if (!changed) {
      saveDomain(slot);
      changed = true;
    }
    d[b] = to;
  };
  if (removed.size() <= keep.size()) {
    removed.forEach([&](unsigned char letter) {
      const std::uint64_t* with = bits.withLetter(position, letter);
      if (!with) return;
      const LengthWordBits::Span span = bits.spanOf(position, letter);
      const std::uint32_t end = std::min(s.hi, span.end);
      for (std::uint32_t b = std::max(s.lo, span.begin); b < end; ++b) narrow(b, d[b] & ~with[b]);
    });
  } else {
    const std::uint64_t* sets[256];
    int n = 0;
    keep.forEach([&](unsigned char letter) {
      if (const std::uint64_t* with = bits.withLetter(position, letter)) sets[n++] = with;
    });
    for (std::uint32_t b = s.lo; b < s.hi; ++b) {
      std::uint64_t any = 0;
      for (int k = 0; k < n; ++k) any |= sets[k][b];
      narrow(b, d[b] & any);
    }
  }
  if (!changed) return true;
  s.counted = false;
  if (!tighten(slot)) return fail(slot, cause);
  enqueue(slot);
  return true;
}

bool FillPropagator::removeWord(int slot, WordId word, int cause) {
  if (!has(slot, word)) return true;
  saveDomain(slot);
  SlotState& s = slots_[static_cast<std::size_t>(slot)];
  domain(slot)[word / 64] &= ~(std::uint64_t{1} << (word % 64));
  if (s.counted) --s.count;
  if (!tighten(slot)) return fail(slot, cause);
  enqueue(slot);
  return true;
}

bool FillPropagator::revise(int slot) {
  ++revisions_;
  SlotState& s = slots_[static_cast<std::size_t>(slot)];
  const LengthWordBits& bits = *s.bits;
  const int length = bits.length();
  const std::uint64_t* d = domain(slot);

  // The letters the remaining words have at each open position: read from the words
  // themselves when they are few, else asked of the letter sets.
  supportScratch_.assign(static_cast<std::size_t>(length), LetterSet{});
  std::size_t open = 0, letterTests = 0;
  for (const CellRef& ref : s.cells)
    if (ref.cell >= 0) {
      ++open;
      letterTests += static_cast<std::size_t>(cells_[static_cast<std::size_t>(ref.cell)].letters.size());
    }
  if (open == 0) return true;
  if (size(slot) * open <= letterTests * kDirectFactor) {
    forEachWord(slot, [&](WordId id) {
      for (int k = 0; k < length; ++k)
        if (s.cells[static_cast<std::size_t>(k)].cell >= 0)
          supportScratch_[static_cast<std::size_t>(k)].add(bits.letter(id, k));
    });
  } else {
    for (int k = 0; k < length; ++k) {
      const CellRef& ref = s.cells[static_cast<std::size_t>(k)];
      if (ref.cell < 0) continue;
      LetterSet& support = supportScratch_[static_cast<std::size_t>(k)];
      std::uint16_t* residues = residue_.data() + s.residues + static_cast<std::size_t>(k) * 256;
      cells_[static_cast<std::size_t>(ref.cell)].letters.forEach([&](unsigned char letter) {
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
    const CellRef& ref = s.cells[static_cast<std::size_t>(k)];
    if (ref.cell < 0) continue;
    const LetterSet& now = cells_[static_cast<std::size_t>(ref.cell)].letters;
    LetterSet kept = now & supportScratch_[static_cast<std::size_t>(k)];
    if (kept == now) continue;
    if (kept.empty()) return fail(slot, ref.other);
    LetterSet removed = now.without(kept);
    saveCell(ref.cell);
    cells_[static_cast<std::size_t>(ref.cell)].letters = kept;
    if (ref.other != kNoSlot && !restrict(ref.other, ref.otherPosition, kept, removed, slot)) return false;
  }

  if (!s.sameLength.empty() && size(slot) == 1) {
    const WordId only = static_cast<WordId>(next(slot, 0));
    for (int other : s.sameLength)
      if (!removeWord(other, only, slot)) return false;
  }
  return true;
}

bool FillPropagator::propagate() {
  bool ok = true;
  while (queueHead_ < queue_.size()) {
    int slot = queue_[queueHead_++];
    slots_[static_cast<std::size_t>(slot)].queued = false;
    if (!revise(slot)) {
      ok = false;
      break;
    }
  }
  for (std::size_t i = queueHead_; i < queue_.size(); ++i)
    slots_[static_cast<std::size_t>(queue_[i])].queued = false;
  queue_.clear();
  queueHead_ = 0;
  if (!ok && levels_.empty()) consistent_ = false;
  return ok;
}

bool FillPropagator::assign(int slot, WordId word) {
  if (!has(slot, word)) return fail(slot, kNoSlot);
  SlotState& s = slots_[static_cast<std::size_t>(slot)];
  if (size(slot) > 1) {
    saveDomain(slot);
    std::uint64_t* d = domain(slot);
    std::fill(d + s.lo, d + s.hi, 0);
    d[word / 64] = std::uint64_t{1} << (word % 64);
    s.count = 1;
    s.counted = true;
    s.lo = word / 64;
    s.hi = s.lo + 1;
  }
  enqueue(slot);
  return propagate();
}

bool FillPropagator::exclude(int slot, WordId word) {
  if (!removeWord(slot, word, kNoSlot)) {
    if (levels_.empty()) consistent_ = false;
    return false;
  }
  return propagate();
}

}  // namespace gw
