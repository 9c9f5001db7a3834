#include "authoring/composing/search/slot_candidates.h"

#include <algorithm>
#include <bit>

#include "authoring/composing/dictionary/dictionary.h"
#include "authoring/composing/search/fill_propagator.h"

namespace gw {

namespace {

// How many words go by between two looks at the stop flag: one placement is a propagation.
constexpr std::size_t kStopCheckInterval = 16;

using Bits = std::vector<std::uint64_t>;

// The words of `bits` that match `pattern` (kAnyLetter for an open cell), as a set of ids.
Bits matching(const LengthWordBits& bits, std::string_view pattern) {
  Bits set(bits.blocks(), ~std::uint64_t{0});
  if (!set.empty() && bits.wordCount() % 64 != 0)
    set.back() = (std::uint64_t{1} << (bits.wordCount() % 64)) - 1;
  for (int k = 0; k < static_cast<int>(pattern.size()); ++k) {
    if (pattern[static_cast<std::size_t>(k)] == kAnyLetter) continue;
    const std::uint64_t* with =
        bits.withLetter(k, static_cast<unsigned char>(pattern[static_cast<std::size_t>(k)]));
    for (std::size_t b = 0; b < set.size(); ++b) set[b] &= with ? with[b] : 0;
  }
  return set;
}

std::uint64_t countCommon(const Bits& set, const std::uint64_t* with) {
  if (!with) return 0;
  std::uint64_t n = 0;
  for (std::size_t b = 0; b < set.size(); ++b)
    n += static_cast<std::uint64_t>(std::popcount(set[b] & with[b]));
  return n;
}

bool runsThrough(const Slot& slot, CellPos cell, Direction direction) {
  if (slot.direction != direction) return false;
  if (direction == Direction::Across)
    return slot.row == cell.row && cell.column >= slot.column && cell.column < slot.column + slot.length;
  return slot.column == cell.column && cell.row >= slot.row && cell.row < slot.row + slot.length;
}

// An open cell of the slot that another slot crosses.
struct Crossing {
  int position = 0;
  SlotId slot;
  // Without a consistent look-ahead: the crossing's words with each letter at the cell.
  std::vector<std::uint64_t> byLetter;
};

// Adds the words one crossing keeps to the candidate's figures.
void addCrossing(SlotCandidate& candidate, std::uint64_t words, bool first) {
  candidate.fewestCrossing = first ? words : std::min(candidate.fewestCrossing, words);
  candidate.crossingTotal += words;
}

bool ranksBefore(const SlotCandidate& a, const SlotCandidate& b) {
  if (a.unfillable != b.unfillable) return b.unfillable;
  if (a.fewestCrossing != b.fewestCrossing) return a.fewestCrossing > b.fewestCrossing;
  if (a.score != b.score) return a.score > b.score;
  return a.crossingTotal > b.crossingTotal;
}

}  // namespace

std::optional<Slot> slotThrough(const Layout& layout, CellPos cell, Direction direction) {
  if (!layout.contains(cell.row, cell.column)) return std::nullopt;
  for (Slot& slot : deriveSlots(layout))
    if (runsThrough(slot, cell, direction)) return std::move(slot);
  return std::nullopt;
}

std::optional<SlotCandidates> rankSlotCandidates(const WordListSnapshot& words, const Layout& layout,
                                                 CellPos cell, Direction direction, bool noRepeat,
                                                 CandidateDepth depth, const std::atomic<bool>& stop) {
  SlotCandidates out;
  out.depth = depth;
  const std::vector<Slot> slots = deriveSlots(layout);
  const auto found = std::find_if(slots.begin(), slots.end(),
                                  [&](const Slot& s) { return runsThrough(s, cell, direction); });
  if (found == slots.end() || found->length > words.longest()) return out;
  const Slot& slot = *found;
  out.slot = slot;
  const SlotId target(static_cast<std::size_t>(found - slots.begin()));
  const WordBitSets& bits = words.bits();
  FillPropagator propagator(bits, layout.board, slots, FillPropagator::Options{noRepeat});
  out.layoutFillable = propagator.consistent();
  const LengthWordBits& own = bits.forLength(slot.length);
  // Counted per letter of the shared cell: from the look-ahead, or from the crossing's pattern
  // when the look-ahead has failed.
  const bool byLetter = depth == CandidateDepth::Estimate || !out.layoutFillable;

  std::vector<Crossing> crossings;
  for (int k = 0; k < slot.length; ++k) {
    const SlotId other = propagator.crossingSlot(target, k);
    // A one-letter run (an unchecked cell) keeps a letter, not words: it tells nothing here.
    if (!other.valid() || slots[other.index()].length < 2) continue;
    Crossing crossing{k, other, {}};
    if (byLetter) {
      const int at = propagator.crossingPosition(target, k);
      crossing.byLetter.assign(256, 0);
      if (out.layoutFillable) {
        own.lettersAt(k).forEach([&](unsigned char letter) {
          crossing.byLetter[letter] = propagator.countWithLetter(other, at, letter);
        });
      } else {
        const Slot& o = slots[other.index()];
        const LengthWordBits& theirs = bits.forLength(o.length);
        const Bits base = matching(theirs, slotQuery(layout.board, o));
        own.lettersAt(k).forEach([&](unsigned char letter) {
          crossing.byLetter[letter] = countCommon(base, theirs.withLetter(at, letter));
        });
      }
    }
    crossings.push_back(std::move(crossing));
  }

  const Bits fitting = matching(own, slotQuery(layout.board, slot));
  std::size_t seen = 0;
  for (std::size_t b = 0; b < fitting.size(); ++b) {
    for (std::uint64_t set = fitting[b]; set; set &= set - 1) {
      if (++seen % kStopCheckInterval == 0 && stop.load(std::memory_order_relaxed)) return std::nullopt;
      const auto id =
          static_cast<FillPropagator::WordId>(b * 64 + static_cast<std::size_t>(std::countr_zero(set)));
      SlotCandidate candidate{std::string(own.word(id)), words.score(slot.length, id)};
      if (out.layoutFillable && !propagator.has(target, id)) {
        candidate.unfillable = true;
      } else if (byLetter) {
        for (std::size_t i = 0; i < crossings.size(); ++i)
          addCrossing(candidate, crossings[i].byLetter[own.letter(id, crossings[i].position)], i == 0);
        candidate.unfillable = !crossings.empty() && candidate.fewestCrossing == 0;
      } else {
        propagator.pushLevel();
        if (propagator.assign(target, id)) {
          for (std::size_t i = 0; i < crossings.size(); ++i)
            addCrossing(candidate, propagator.size(crossings[i].slot), i == 0);
        } else {
          candidate.unfillable = true;
        }
        propagator.popLevel();
      }
      out.words.push_back(std::move(candidate));
    }
  }
  std::stable_sort(out.words.begin(), out.words.end(), ranksBefore);
  return out;
}

}  // namespace gw
