#pragma once
// What a restart proved, kept for the restarts after it (nogood recording from restarts,
// after Lecoutre, Sais, Tabary and Vidal 2007). Restarts of a search that chooses alike take
// much the same first decisions again and again, and searched again below them what the
// restart before had already refuted. So when a search restarts, every word its branch had
// refuted under the decisions above it is remembered as a nogood: those decisions and that
// word never all together. A later branch that takes all but one literal of a nogood has the
// last one taken away before it searches on. Nogoods are proved, so the search stays complete.
//
// Only decisions count as taken (not a slot that propagation narrowed to one word), so a
// nogood may wait for a branch that decides all of it; that only prunes less.
#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "authoring/composing/search/fill_propagator.h"

namespace gw {

class RestartNogoods {
 public:
  using WordId = FillPropagator::WordId;
  struct Literal {
    SlotId slot;
    WordId word;
  };
  // `literal` was refuted under the branch's first `depth` decisions.
  struct Refutation {
    std::size_t depth;
    Literal literal;
  };

  // Remembers, for each refutation below the first decision, that decision's branch and word.
  void recordBranch(const std::vector<Literal>& decisions, const std::vector<Refutation>& refuted);
  // Called after the last of `decisions` was taken and propagated: takes every word that a
  // nogood now rules out from its slot, and adds that slot to `narrowed`. False when a
  // nogood's literals are all taken, or a slot runs out of words (then the decision fails).
  bool consequences(const std::vector<Literal>& decisions, FillPropagator& propagator,
                    std::vector<SlotId>& narrowed);
  void clear();

 private:
  struct Nogood {
    std::uint32_t begin, size;  // in literals_; the first two are the watched ones
  };
  static std::uint64_t key(Literal l) { return std::uint64_t{l.slot.index()} << 32 | l.word; }
  bool taken(Literal l) const { return l.slot.index() < taken_.size() && taken_[l.slot.index()] == l.word; }

  std::vector<Literal> literals_;
  std::vector<Nogood> nogoods_;
  // Per literal: the nogoods that watch it. A nogood watches two literals not taken; only
  // when one of those is taken need it be looked at.
  std::unordered_map<std::uint64_t, std::vector<std::uint32_t>> watches_;
  std::vector<WordId> taken_;  // per slot: the word of its decision on the current branch, or kNone
  std::vector<Literal> marked_;
  static constexpr WordId kNone = ~WordId{0};
};

}  // namespace gw
