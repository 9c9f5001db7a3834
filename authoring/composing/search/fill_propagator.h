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

#include "authoring/composing/layout/board.h"
#include "authoring/composing/search/search_ids.h"
#include "authoring/composing/search/word_bit_sets.h"

namespace gw {

class FillPropagator {
 public:
  using WordId = std::uint32_t;
  static constexpr SlotId kNoSlot = SlotId::none();

  struct Options {
    bool noRepeat = false;  // no word of two or more letters twice in one fill
  };

  // Slots are numbered as in `slots` (their order does not matter here); `board` holds the
  // fixed letters of the layout. `bits` must cover every slot length and outlive this.
  // Propagates once at level 0; consistent() tells whether a fill may still exist.
  FillPropagator(const WordBitSets& bits, const ComposingBoard& board, const std::vector<Slot>& slots,
                 Options options);

  int slotCount() const { return static_cast<int>(slots_.size()); }
  SearchIdRange<SlotId> slots() const { return slots_.ids(); }
  int cellCount() const { return static_cast<int>(cells_.size()); }
  bool consistent() const { return consistent_; }

  int level() const { return static_cast<int>(levels_.size()); }
  void pushLevel();
  // Undoes every change since the matching pushLevel(), a failed propagation included.
  void popLevel();

  // Each of these changes the current level and propagates; false when some slot is left
  // without words (the level must then be popped; at level 0 no fill exists at all).
  bool assign(SlotId slot, WordId word);
  bool exclude(SlotId slot, WordId word);
  // Keeps only the slot's words that are in `keep` (a set over the words of its length).
  bool keepOnly(SlotId slot, const std::uint64_t* keep);

  bool has(SlotId slot, WordId word) const {
    const SlotState& s = slots_[slot];
    return word < s.bits->wordCount() && (domain(slot)[word / 64] >> (word % 64) & 1);
  }
  std::size_t size(SlotId slot) const;
  // A number that names the slot's words as they are: equal numbers, equal words.
  std::uint64_t version(SlotId slot) const { return slots_[slot].version; }
  // The first word of the slot at or after `from`, or −1.
  std::int64_t next(SlotId slot, WordId from) const;
  // How many of the slot's words have `letter` at `position`.
  std::size_t countWithLetter(SlotId slot, int position, unsigned char letter) const;
  // countWithLetter for each of `letters`, into counts[letter] (the others are left as they
  // are): read from the words themselves when they are few, else counted in the bit sets.
  void countByLetter(SlotId slot, int position, const LetterSet& letters, std::uint32_t* counts) const;
  // Calls fn(word id) for every word of the slot, in id order.
  template <typename Fn>
  void forEachWord(SlotId slot, Fn&& fn) const {
    const SlotState& s = slots_[slot];
    const std::uint64_t* d = domain(slot);
    for (std::size_t b = s.lo; b < s.hi; ++b)
      for (std::uint64_t bits = d[b]; bits; bits &= bits - 1)
        fn(static_cast<WordId>(b * 64 + static_cast<std::size_t>(std::countr_zero(bits))));
  }

  const LengthWordBits& wordsOf(SlotId slot) const { return *slots_[slot].bits; }
  // The letters the slot's k-th cell can still hold.
  const LetterSet& letters(SlotId slot, int position) const;
  // The slot that crosses `slot` at its k-th cell (kNoSlot for a fixed letter) and the
  // position of that cell in it.
  SlotId crossingSlot(SlotId slot, int position) const { return slots_[slot].cells[position].other; }
  int crossingPosition(SlotId slot, int position) const { return slots_[slot].cells[position].otherPosition; }

  // The slot whose words ran out in the last failed propagation, and the slot whose
  // letters took them (kNoSlot when none): the constraint a search learns to fear.
  SlotId failedSlot() const { return failedSlot_; }
  SlotId failedCause() const { return failedCause_; }
  // Slot revisions done (a measure of work for benchmarks and budgets).
  std::uint64_t revisions() const { return revisions_; }

 private:
  struct CellRef {
    CellId cell;             // none for a fixed letter
    SlotId other = kNoSlot;  // the crossing slot
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
    std::uint64_t version = 0;     // names its words: a new number at every change
    bool queued = false;
    std::vector<CellRef> cells;      // per position
    std::vector<SlotId> sameLength;  // other slots of its length (no-repeat)
  };
  struct CellState {
    LetterSet letters;
    std::uint64_t stamp = 0;
  };
  struct DomainSave {
    SlotId slot;
    std::uint64_t stamp;
    std::uint64_t version;
    std::size_t count;
    bool counted;
    std::uint32_t lo, hi;
    std::size_t at;  // saved blocks [lo, hi) in savedBlocks_
  };
  struct CellSave {
    CellId cell;
    std::uint64_t stamp;
    LetterSet letters;
  };
  struct Level {
    std::uint64_t id;
    std::size_t domainSaves, cellSaves, savedBlocks;
  };

  std::uint64_t* domain(SlotId slot) { return domains_.data() + slots_[slot].offset; }
  const std::uint64_t* domain(SlotId slot) const { return domains_.data() + slots_[slot].offset; }
  void saveDomain(SlotId slot);
  void saveCell(CellId cell);
  // Narrows the span to its nonzero blocks; false when no word is left.
  bool tighten(SlotId slot);
  void enqueue(SlotId slot);
  // Keeps only the slot's words whose letter at `position` is in `keep` (`removed` are the
  // letters just taken from the cell). False when none is left.
  bool restrict(SlotId slot, int position, const LetterSet& keep, const LetterSet& removed, SlotId cause);
  bool removeWord(SlotId slot, WordId word, SlotId cause);
  bool revise(SlotId slot);
  bool propagate();
  bool fail(SlotId slot, SlotId cause);

  SearchIdMap<SlotId, SlotState> slots_;
  SearchIdMap<CellId, CellState> cells_;
  std::vector<std::uint64_t> domains_;
  Options options_;
  bool consistent_ = true;

  std::vector<SlotId> queue_;
  std::size_t queueHead_ = 0;
  std::vector<Level> levels_;
  std::uint64_t nextLevelId_ = 1;
  std::vector<DomainSave> domainTrail_;
  std::vector<CellSave> cellTrail_;
  std::vector<std::uint64_t> savedBlocks_;
  std::vector<LetterSet> supportScratch_;
  std::uint64_t lastVersion_ = 0;
  std::vector<std::uint64_t> keptScratch_;  // restrict: the words with a kept letter, per block
  // Per slot, position and letter: the block where a word with that letter there was last
  // found, tried first next time (it needs no undoing: it is only a hint).
  std::vector<std::uint16_t> residue_;

  SlotId failedSlot_ = kNoSlot;
  SlotId failedCause_ = kNoSlot;
  std::uint64_t revisions_ = 0;
};

}  // namespace gw
