#pragma once
// The filling order of a fresh search: each slot, as far as possible, crosses slots
// placed before it, so that it has known letters when its turn comes.
#include <string>
#include <vector>

#include "authoring/composing/layout/board.h"

namespace gw {

class Dictionary;

// The word that stands for an ordered slot while ordering runs: the slot's length
// repetitions of the first digit of its position (position 12 of length 4: "1111").
std::string placeholderWord(int position, int length);

// Reorders `slots` (derivation order in, filling order out) against the layout's board.
// Returns false, leaving `slots` as they were, when a slot of two or more cells can take
// no word of the dictionary with the layout's fixed letters ("No solution possible!").
// Candidate indexes and lists are left for the caller to reset.
bool orderSlots(std::vector<Slot>& slots, const Layout& layout, const Dictionary& dictionary);

}  // namespace gw
