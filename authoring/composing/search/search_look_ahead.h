#pragma once
// The look-ahead of the exhaustive search. The search keeps its own candidate lists (the
// words that fit a slot's pattern when the slot is reached, in dictionary order, as the
// state file stores them) and walks them by candidate index; this tells it which candidates
// propagation has ruled out, so it skips them, and places the ones it tries. Only
// candidates under which no complete fill exists are skipped, so the search writes the same
// fills in the same order as with a plain forward check, and the candidate indexes keep
// their meaning in a state file.
//
// Positions are the search's: 1 to the slot count, in filling order.
#include <memory>
#include <vector>

#include "authoring/composing/dictionary/dictionary.h"
#include "authoring/composing/layout/board.h"
#include "authoring/composing/search/fill_propagator.h"

namespace gw {

class SearchLookAhead {
 public:
  using WordId = Dictionary::WordId;

  // `slots` in filling order; `base` holds the layout's fixed letters.
  SearchLookAhead(const Dictionary& dictionary, const ComposingBoard& base, const std::vector<Slot>& slots,
                  bool noRepeat);
  ~SearchLookAhead();

  // False when propagation alone proves that the layout has no fill.
  bool fillPossible() const { return propagator_->consistent(); }

  // The candidate list just made for `position`, as dictionary ids in list order.
  void setCandidates(int position, std::vector<WordId> ids);

  // Rebuilds the look-ahead of a resumed search: the ids of the saved candidate lists of
  // positions 1 to depth, then the words placed at positions 1 to depth − 1. Returns the
  // depth to go on from: lower than `depth` when a placed word leaves no fill possible
  // (that word then counts as fully tried).
  int resume(const std::vector<Slot>& slots, int depth);

  // The first candidate index after `index` at `position` that propagation has left
  // possible, or the candidate count when none is.
  int nextCandidate(int position, int index) const;
  // Places candidate `index` at `position` on top of the positions placed before it and
  // propagates; false (and nothing placed) when a slot runs out of words.
  bool place(int position, int index);
  // Takes back the word placed at `position` and every one after it.
  void unplace(int position);
  // A cheap estimate of the work below each candidate of `position` (nothing placed there
  // or after it): 0 for a candidate that propagation has ruled out, else 1 + the words of
  // the first later position crossing it that have its letter there.
  std::vector<std::uint64_t> branchWeights(int position);

  const FillPropagator& propagator() const { return *propagator_; }

 private:
  static constexpr WordId kNotAWord = ~WordId{0};

  const Dictionary& dictionary_;
  std::unique_ptr<WordBitSets> bits_;
  std::unique_ptr<FillPropagator> propagator_;
  std::vector<std::vector<WordId>> ids_;  // per position (index 0 unused)
  std::vector<bool> ascending_;           // per position: ids_ in increasing order
};

}  // namespace gw
