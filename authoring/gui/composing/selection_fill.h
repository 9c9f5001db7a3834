#pragma once
// "Quick fill selection": what the first-fill search is given when the author fills only a
// selected part of the grid, and what of its fill goes into the grid. Qt-free.
#include <optional>
#include <vector>

#include "authoring/composing/layout/board.h"
#include "common/cell_pos.h"

namespace gw::gui {

struct SelectionFill {
  // The grid as it stands with the selected cells' letters taken out: every letter outside
  // the selection is a fixed letter of the search.
  Layout base;
  // The words to fill: every slot through a selected cell that is not yet a whole word.
  std::vector<Slot> selected;
  // The slots searched: those, and every slot through an empty cell they would fill, and so
  // on, so that the fill leaves the rest of the grid fillable.
  std::vector<Slot> slots;
};

// Nothing when the selection lies in no slot (isles only, or nothing selected).
std::optional<SelectionFill> selectionFill(const Layout& grid, const std::vector<CellPos>& selection);

// The base with the letters of the selected words taken from `filled` (a fill of all of
// `fill.slots`); every other cell as the base has it.
Layout selectedWordsFilled(const SelectionFill& fill, const Layout& filled);

// Every open cell holds a letter: the fill is a whole crossword.
bool isComplete(const Layout& layout);

}  // namespace gw::gui
