#pragma once
// Whether a stopped search was made on the layout it is resumed on, letter for letter.
// A state file holds no copy of the layout, only each placed position's candidate list,
// which the search computed from the layout's fixed letters and the words placed before
// it. A list that disagrees with those letters, or whose words all share a letter at a
// cell the layout leaves open while the dictionary has other words for that pattern,
// was made on another layout (the same slots with more, fewer or other fixed letters).
#include "authoring/composing/layout/board.h"
#include "authoring/composing/layout/composing_files.h"
#include "authoring/composing/dictionary/dictionary.h"

namespace gw {

// Throws FormatError, naming the first position that does not fit.
void checkSavedSearchLetters(const SearchState& state, const Layout& layout, const Dictionary& dictionary);

}  // namespace gw
