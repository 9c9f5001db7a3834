#include "authoring/composing/search/search_look_ahead.h"

#include <algorithm>

namespace gw {

SearchLookAhead::SearchLookAhead(const Dictionary& dictionary, const ComposingBoard& base,
                                 const std::vector<Slot>& slots, bool noRepeat)
    : dictionary_(dictionary),
      bits_(std::make_unique<WordBitSets>(dictionary, slotLengths(slots))),
      propagator_(std::make_unique<FillPropagator>(*bits_, base, slots, FillPropagator::Options{noRepeat})),
      ids_(slots.size() + 1),
      ascending_(slots.size() + 1, true) {}

SearchLookAhead::~SearchLookAhead() = default;

void SearchLookAhead::setCandidates(int position, std::vector<WordId> ids) {
  const auto p = static_cast<std::size_t>(position);
  ascending_[p] = std::is_sorted(ids.begin(), ids.end());
  ids_[p] = std::move(ids);
}

int SearchLookAhead::resume(const std::vector<Slot>& slots, int depth) {
  // A saved list is normally what the dictionary gives for the slot's pattern; a word the
  // dictionary no longer has can never be placed.
  std::vector<WordId> found;
  for (int p = 1; p <= depth && p <= static_cast<int>(slots.size()); ++p) {
    const Slot& s = slots[static_cast<std::size_t>(p - 1)];
    std::vector<WordId> ids;
    ids.reserve(static_cast<std::size_t>(s.candidateCount()));
    for (int i = 0; i < s.candidateCount(); ++i) {
      std::string_view word = s.candidate(i);
      dictionary_.findWords(word, found);
      bool exact = found.size() == 1 && dictionary_.word(s.length, found[0]) == word;
      ids.push_back(exact ? found[0] : kNotAWord);
    }
    setCandidates(p, std::move(ids));
  }
  for (int p = 1; p < depth; ++p)
    if (!place(p, slots[static_cast<std::size_t>(p - 1)].candidateIndex)) return p;
  return depth;
}

int SearchLookAhead::nextCandidate(int position, int index) const {
  const std::vector<WordId>& ids = ids_[static_cast<std::size_t>(position)];
  const int count = static_cast<int>(ids.size());
  if (!propagator_->consistent()) return count;
  const SlotId slot(position - 1);
  int i = std::max(index + 1, 0);
  if (!ascending_[static_cast<std::size_t>(position)]) {
    while (i < count && (ids[static_cast<std::size_t>(i)] == kNotAWord ||
                         !propagator_->has(slot, ids[static_cast<std::size_t>(i)])))
      ++i;
    return i;
  }
  // Ids ascend with the list: jump from one remaining word of the slot to the next.
  while (i < count) {
    WordId id = ids[static_cast<std::size_t>(i)];
    if (id == kNotAWord) return count;  // sorted last
    std::int64_t next = propagator_->next(slot, id);
    if (next < 0) return count;
    if (static_cast<WordId>(next) == id) return i;
    i = static_cast<int>(std::lower_bound(ids.begin() + i, ids.end(), static_cast<WordId>(next)) -
                         ids.begin());
  }
  return count;
}

bool SearchLookAhead::place(int position, int index) {
  unplace(position);
  const std::vector<WordId>& ids = ids_[static_cast<std::size_t>(position)];
  if (index < 0 || index >= static_cast<int>(ids.size()) || ids[static_cast<std::size_t>(index)] == kNotAWord)
    return false;
  propagator_->pushLevel();
  if (propagator_->assign(SlotId(position - 1), ids[static_cast<std::size_t>(index)])) return true;
  propagator_->popLevel();
  return false;
}

void SearchLookAhead::unplace(int position) {
  while (propagator_->level() >= position) propagator_->popLevel();
}

std::vector<std::uint64_t> SearchLookAhead::branchWeights(int position) {
  const std::vector<WordId>& ids = ids_[static_cast<std::size_t>(position)];
  std::vector<std::uint64_t> weights(ids.size(), 0);
  // Placing every candidate to see what it leaves took longer than many a part's search: a
  // candidate is weighed by the words of the next slot that crosses it that fit its letter.
  const SlotId slot(position - 1);
  const LengthWordBits& words = propagator_->wordsOf(slot);
  SlotId next;
  int at = 0, nextAt = 0;
  for (int k = 0; k < words.length(); ++k) {
    const SlotId other = propagator_->crossingSlot(slot, k);
    if (other.valid() && other.index() >= static_cast<std::size_t>(position) &&
        (!next.valid() || other.index() < next.index())) {
      next = other;
      at = k;
      nextAt = propagator_->crossingPosition(slot, k);
    }
  }
  constexpr std::uint64_t kUnknown = ~std::uint64_t{0};
  std::vector<std::uint64_t> fitting(256, kUnknown);  // per letter
  for (int i = nextCandidate(position, -1); i < static_cast<int>(ids.size());
       i = nextCandidate(position, i)) {
    std::uint64_t weight = 1;
    if (next.valid()) {
      const unsigned char letter = words.letter(ids[static_cast<std::size_t>(i)], at);
      if (fitting[letter] == kUnknown) fitting[letter] = propagator_->countWithLetter(next, nextAt, letter);
      weight += fitting[letter];
    }
    weights[static_cast<std::size_t>(i)] = weight;
  }
  return weights;
}

}  // namespace gw
