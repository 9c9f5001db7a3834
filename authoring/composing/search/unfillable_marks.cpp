#include "authoring/composing/search/unfillable_marks.h"

#include <algorithm>
#include <bit>
#include <map>

#include "authoring/composing/dictionary/dictionary.h"

namespace gw {

namespace {

struct SlotUse {
  int slot = -1;
  int position = 0;
};

// An open cell of the layout and the (one or two) slots through it.
struct OpenCell {
  int boardIndex = 0;
  std::vector<SlotUse> uses;
  LetterSet letters;
  bool dead = false;
};

struct SlotDomain {
  const LengthWordBits* bits = nullptr;
  std::vector<std::uint64_t> words;  // bit set over word ids
  std::vector<int> cells;            // per position: the open cell, or −1 for a fixed letter
  bool dead = false;
  bool queued = false;
};

class RelaxedConsistency {
 public:
  RelaxedConsistency(const WordBitSets& bits, const Layout& layout, const std::vector<Slot>& slots)
      : slots_(slots.size()) {
    std::map<int, int> cellOf;
    for (std::size_t s = 0; s < slots.size(); ++s) {
      const Slot& slot = slots[s];
      SlotDomain& d = slots_[s];
      d.bits = &bits.forLength(slot.length);
      d.words.assign(d.bits->blocks(), ~std::uint64_t{0});
      if (!d.words.empty() && d.bits->wordCount() % 64 != 0)
        d.words.back() = (std::uint64_t{1} << (d.bits->wordCount() % 64)) - 1;
      d.cells.assign(static_cast<std::size_t>(slot.length), -1);
      for (int k = 0; k < slot.length; ++k) {
        const int index = slot.cellIndex(k);
        const BoardCell& cell = layout.board.at(index);
        if (cell.length != 0) {
          keepOnly(d, k, LetterSet::of(static_cast<unsigned char>(cell.character)));
          continue;
        }
        auto [it, added] = cellOf.emplace(index, static_cast<int>(cells_.size()));
        if (added) cells_.push_back(OpenCell{index, {}, allLetters(), false});
        cells_[static_cast<std::size_t>(it->second)].uses.push_back({static_cast<int>(s), k});
        d.cells[static_cast<std::size_t>(k)] = it->second;
      }
      d.dead = isEmpty(d.words);
    }
    for (std::size_t s = 0; s < slots_.size(); ++s) enqueue(static_cast<int>(s));
  }

  // False when stopped.
  bool run(const std::atomic<bool>& stop) {
    while (head_ < queue_.size()) {
      if (stop.load(std::memory_order_relaxed)) return false;
      const int s = queue_[head_++];
      slots_[static_cast<std::size_t>(s)].queued = false;
      revise(s);
    }
    return true;
  }

  bool slotDead(std::size_t s) const { return slots_[s].dead; }
  const std::vector<OpenCell>& cells() const { return cells_; }

 private:
  static LetterSet allLetters() {
    LetterSet s;
    s.words.fill(~std::uint64_t{0});
    return s;
  }
  static bool isEmpty(const std::vector<std::uint64_t>& words) {
    return std::all_of(words.begin(), words.end(), [](std::uint64_t b) { return b == 0; });
  }

  // The slot's words with a letter of `keep` at `position`, into `out`.
  static void restricted(const SlotDomain& d, int position, const LetterSet& keep,
                         std::vector<std::uint64_t>& out) {
    out.assign(d.words.size(), 0);
    keep.forEach([&](unsigned char letter) {
      const std::uint64_t* with = d.bits->withLetter(position, letter);
      if (!with) return;
      const LengthWordBits::Span span = d.bits->spanOf(position, letter);
      for (std::uint32_t b = span.begin; b < span.end; ++b) out[b] |= d.words[b] & with[b];
    });
  }
  void keepOnly(SlotDomain& d, int position, const LetterSet& keep) {
    restricted(d, position, keep, scratch_);
    d.words.swap(scratch_);
  }

  void enqueue(int s) {
    SlotDomain& d = slots_[static_cast<std::size_t>(s)];
    if (d.queued || d.dead) return;
    d.queued = true;
    queue_.push_back(s);
  }

  // The letters the slot's words have at `position`, of those in `among`.
  LetterSet support(const SlotDomain& d, int position, const LetterSet& among) const {
    LetterSet found;
    among.forEach([&](unsigned char letter) {
      const std::uint64_t* with = d.bits->withLetter(position, letter);
      if (!with) return;
      const LengthWordBits::Span span = d.bits->spanOf(position, letter);
      for (std::uint32_t b = span.begin; b < span.end; ++b)
        if (d.words[b] & with[b]) return found.add(letter);
    });
    return found;
  }

  void revise(int s) {
    SlotDomain& d = slots_[static_cast<std::size_t>(s)];
    for (std::size_t k = 0; k < d.cells.size(); ++k) {
      if (d.cells[k] < 0) continue;
      OpenCell& cell = cells_[static_cast<std::size_t>(d.cells[k])];
      if (cell.dead) continue;
      const LetterSet kept = support(d, static_cast<int>(k), cell.letters);
      if (kept != cell.letters) narrow(cell, kept);
    }
  }

  // Narrows the cell to `letters` and every live slot through it to the words that have one
  // of them there; when that leaves a slot no word, the cell is set aside instead.
  void narrow(OpenCell& cell, const LetterSet& letters) {
    std::vector<std::vector<std::uint64_t>> kept;
    for (const SlotUse& use : cell.uses) {
      const SlotDomain& d = slots_[static_cast<std::size_t>(use.slot)];
      kept.emplace_back();
      if (d.dead) continue;
      restricted(d, use.position, letters, kept.back());
      if (letters.empty() || isEmpty(kept.back())) {
        cell.dead = true;
        return;
      }
    }
    cell.letters = letters;
    for (std::size_t u = 0; u < cell.uses.size(); ++u) {
      SlotDomain& d = slots_[static_cast<std::size_t>(cell.uses[u].slot)];
      if (d.dead || kept[u] == d.words) continue;
      d.words.swap(kept[u]);
      enqueue(cell.uses[u].slot);
    }
  }

  std::vector<SlotDomain> slots_;
  std::vector<OpenCell> cells_;
  std::vector<int> queue_;
  std::size_t head_ = 0;
  std::vector<std::uint64_t> scratch_;
};

}  // namespace

std::optional<UnfillableMarks> findUnfillable(const WordListSnapshot& words, const Layout& layout,
                                              const std::atomic<bool>& stop) {
  UnfillableMarks marks;
  const std::vector<Slot> slots = deriveSlots(layout);
  for (const Slot& s : slots)
    if (s.length > words.longest()) return marks;
  RelaxedConsistency consistency(words.bits(), layout, slots);
  if (!consistency.run(stop)) return std::nullopt;
  for (std::size_t s = 0; s < slots.size(); ++s)
    if (consistency.slotDead(s)) {
      Slot place = slots[s];
      place.candidates.clear();
      marks.slots.push_back(std::move(place));
    }
  for (const OpenCell& cell : consistency.cells())
    if (cell.dead) marks.cells.push_back(CellPos{cell.boardIndex % kBoardSide, cell.boardIndex / kBoardSide});
  std::sort(marks.cells.begin(), marks.cells.end());
  return marks;
}

}  // namespace gw
