#pragma once
// The words a constructor may put into one slot of the layout, best first. Every word that
// fits the slot's pattern is placed in the look-ahead of the searches (fill_propagator.h) and
// judged by what propagation leaves the slots that cross it: the more words its tightest
// crossing keeps, the more of the grid stays fillable. Then the word's score decides, then
// the words all crossings keep together, then dictionary order. A word under which
// propagation empties some slot makes the layout unfillable: it is flagged and goes last.
//
// Propagating every word takes a while on a big list (a few hundred milliseconds for the
// thousands of five-letter words of an open 15 × 15), so a first answer estimates: it counts
// what each crossing keeps with the word's letter in the shared cell, without propagating
// further, and flags only the words that propagation has already ruled out for the layout as
// it stands. Its figures are never lower than the propagated ones.
//
// When the layout cannot be filled as it stands (propagation fails before any word is
// placed) the crossings are counted from their patterns alone, and only a word that leaves a
// crossing no word at all is flagged.
#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "authoring/composing/layout/board.h"
#include "authoring/composing/search/word_list_snapshot.h"
#include "common/cell_pos.h"

namespace gw {

struct SlotCandidate {
  std::string word;  // code-page bytes
  int score = kDefaultWordScore;
  bool unfillable = false;
  // Words left in the crossing slot that keeps the fewest, and in all crossing slots together
  // (both 0 when unfillable or when no open cell of the slot is crossed by a slot of two or
  // more cells).
  std::uint64_t fewestCrossing = 0;
  std::uint64_t crossingTotal = 0;
  friend bool operator==(const SlotCandidate&, const SlotCandidate&) = default;
};

// How far each word is followed: its crossings only, or propagation over the whole layout.
enum class CandidateDepth { Estimate, Propagated };

struct SlotCandidates {
  Slot slot;  // place, length and direction (no candidate list)
  CandidateDepth depth = CandidateDepth::Propagated;
  bool layoutFillable = true;        // false: propagation finds no fill of the layout as it stands
  std::vector<SlotCandidate> words;  // best first
};

// The slot that runs through `cell` in `direction`, if the layout has one there.
std::optional<Slot> slotThrough(const Layout& layout, CellPos cell, Direction direction);

// The ranked words of the slot through `cell` in `direction` (no words when there is no such
// slot). `words` must cover the layout's longest side. Nothing when `stop` was set first:
// a newer request replaces this one.
std::optional<SlotCandidates> rankSlotCandidates(const WordListSnapshot& words, const Layout& layout,
                                                 CellPos cell, Direction direction, bool noRepeat,
                                                 CandidateDepth depth, const std::atomic<bool>& stop);

}  // namespace gw
