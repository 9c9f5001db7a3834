#pragma once
// "Quick fill selection": what the first-fill search is given when the author fills only a
// selected part of the grid. Qt-free.
#include <optional>
#include <vector>

#include "authoring/composing/board.h"
#include "common/cell_pos.h"

namespace gw::gui {

struct SelectionFill {
  // The grid as it stands with the selected cells' letters taken out: every letter outside
  // the selection is a fixed letter of the search.
  Layout base;
  // The slots to fill: every slot through a selected cell that is not yet a whole word, and
  // every slot through an empty cell outside the selection that those would fill, so that no
  // letter is placed without a word both ways.
  std::vector<Slot> slots;
};

// Nothing when the selection lies in no slot (isles only, or nothing selected).
std::optional<SelectionFill> selectionFill(const Layout& grid, const std::vector<CellPos>& selection);

// Every open cell holds a letter: the fill is a whole crossword.
bool isComplete(const Layout& layout);

}  // namespace gw::gui
