#pragma once
// The look-ahead shared by the searches: for every slot the set of words it can still take
// (a bit set over the word ids of its length) and for every open cell the set of letters it
// can still hold, kept arc consistent: a letter leaves a cell when no remaining word of a
// slot through the cell has it there, and the words with that letter then leave the other
// slot through the cell, until nothing changes. With the no-repeat option a slot down to
// one word also takes that word from every other slot of its length.
//
// Propagation only removes words under which no complete fill exists, so a search that
// skips the removed words finds the same fills in the same order.
//
// Changes are made at a level; popLevel() undoes everything done since the matching
// pushLevel() from a trail, without recomputing anything.
#include <bit>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "authoring/composing/board.h"
#include "authoring/composing/word_bit_sets.h"

namespace gw {

class FillPropagator {
 public:
  using WordId = std::uint32_t;
  static constexpr int kNoSlot = -1;

  struct Options {
    bool noRepeat = false;  // no word of two or more letters twice in one fill
  };

  // Slots are numbered as in `slots` (their order does not matter here); `board` holds the
  // fixed letters of the layout. `bits` must cover every slot length and outlive this.
  // Propagates once at level 0; consistent() tells whether a fill may still exist.
  FillPropagator(const WordBitSets& bits, const ComposingBoard& board, const std::vector<Slot>& slots,
                 Options options);

  int slotCount() const { return static_cast<int>(slots_.size()); }
  int cellCount() const { return static_cast<int>(cells_.size()); }
  bool consistent() const { return consistent_; }

  int level() const { return static_cast<int>(levels_.size()); }
  void pushLevel();
  // Undoes every change since the matching pushLevel(), a failed propagation included.
  void popLevel();

  // Each of these changes the current level and propagates; false when some slot is left
  // without words (the level must then be popped; at level 0 no fill exists at all).
  bool assign(int slot, WordId word);
  bool exclude(int slot, WordId word);

  bool has(int slot, WordId word) const {
    const SlotState& s = slots_[static_cast<std::size_t>(slot)];
    return word < s.bits->wordCount() && (domain(slot)[word / 64] >> (word % 64) & 1);
  }
  std::size_t size(int slot) const;
  // The first word of the slot at or after `from`, or −1.
  std::int64_t next(int slot, WordId from) const;
  // How many of the slot's words have `letter` at `position`.
  std::size_t countWithLetter(int slot, int position, unsigned char letter) const;
  // Calls fn(word id) for every word of the slot, in id order.
  template <typename Fn>
  void forEachWord(int slot, Fn&& fn) const {
    const SlotState& s = slots_[static_cast<std::size_t>(slot)];
    const std::uint64_t* d = domain(slot);
    for (std::size_t b = s.lo; b < s.hi; ++b)
      for (std::uint64_t bits = d[b]; bits; bits &= bits - 1)
        fn(static_cast<WordId>(b * 64 + static_cast<std::size_t>(std::countr_zero(bits))));
  }

  const LengthWordBits& wordsOf(int slot) const { return *slots_[static_cast<std::size_t>(slot)].bits; }
  // The letters the slot's k-th cell can still hold.
  const LetterSet& letters(int slot, int position) const;
  // The slot that crosses `slot` at its k-th cell (kNoSlot for a fixed letter) and the
  // position of that cell in it.
  int crossingSlot(int slot, int position) const;
  int crossingPosition(int slot, int position) const;

  // The slot whose words ran out in the last failed propagation, and the slot whose
  // letters took them (kNoSlot when none): the constraint a search learns to fear.
  int failedSlot() const { return failedSlot_; }
  int failedCause() const { return failedCause_; }
  // Slot revisions done (a measure of work for benchmarks and budgets).
  std::uint64_t revisions() const { return revisions_; }

 private:
  struct CellRef {
    int cell = -1;        // index into cells_, −1 for a fixed letter
    int other = kNoSlot;  // the crossing slot
    int otherPosition = 0;
  };
  struct SlotState {
    const LengthWordBits* bits = nullptr;
    std::size_t offset = 0;         // of its blocks in domains_
    std::size_t residues = 0;       // of its (position, letter) residues in residue_
    mutable std::size_t count = 0;  // words left, when counted
    mutable bool counted = false;
    std::uint32_t lo = 0, hi = 0;  // blocks outside [lo, hi) are zero
    std::uint64_t stamp = 0;       // level id of its last trail entry
    bool queued = false;
    std::vector<CellRef> cells;   // per position
    std::vector<int> sameLength;  // other slots of its length (no-repeat)
  };
  struct CellState {
    LetterSet letters;
    std::uint64_t stamp = 0;
  };
  struct DomainSave {
    int slot;
    std::uint64_t stamp;
    std::size_t count;
    bool counted;
    std::uint32_t lo, hi;
    std::size_t at;  // saved blocks [lo, hi) in savedBlocks_
  };
  struct CellSave {
    int cell;
    std::uint64_t stamp;
    LetterSet letters;
  };
  struct Level {
    std::uint64_t id;
    std::size_t domainSaves, cellSaves, savedBlocks;
  };

  std::uint64_t* domain(int slot) { return domains_.data() + slots_[static_cast<std::size_t>(slot)].offset; }
  const std::uint64_t* domain(int slot) const {
    return domains_.data() + slots_[static_cast<std::size_t>(slot)].offset;
  }
  void saveDomain(int slot);
  void saveCell(int cell);
  // Narrows the span to its nonzero blocks; false when no word is left.
  bool tighten(int slot);
  void enqueue(int slot);
  // Keeps only the slot's words whose letter at `position` is in `keep` (`removed` are the
  // letters just taken from the cell). False when none is left.
  bool restrict(int slot, int position, const LetterSet& keep, const LetterSet& removed, int cause);
  bool removeWord(int slot, WordId word, int cause);
  bool revise(int slot);
  bool propagate();
  bool fail(int slot, int cause);

  std::vector<SlotState> slots_;
  std::vector<CellState> cells_;
  std::vector<std::uint64_t> domains_;
  Options options_;
  bool consistent_ = true;

  std::vector<int> queue_;
  std::size_t queueHead_ = 0;
  std::vector<Level> levels_;
  std::uint64_t nextLevelId_ = 1;
  std::vector<DomainSave> domainTrail_;
  std::vector<CellSave> cellTrail_;
  std::vector<std::uint64_t> savedBlocks_;
  std::vector<LetterSet> supportScratch_;
  // Per slot, position and letter: the block where a word with that letter there was last
  // found, tried first next time (it needs no undoing: it is only a hint).
  std::vector<std::uint16_t> residue_;

  int failedSlot_ = kNoSlot;
  int failedCause_ = kNoSlot;
  std::uint64_t revisions_ = 0;
};

}  // namespace gw
