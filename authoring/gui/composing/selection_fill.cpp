#include "authoring/gui/composing/selection_fill.h"

#include <algorithm>

namespace gw::gui {

std::optional<SelectionFill> selectionFill(const Layout& grid, const std::vector<CellPos>& selection) {
  SelectionFill fill{grid, {}};
  std::vector<bool> selected(static_cast<std::size_t>(kBoardCells), false);
  for (const CellPos& cell : selection) {
    if (!grid.contains(cell.row, cell.column) || grid.board.isIsle(cell.row, cell.column)) continue;
    fill.base.board.clearCell(cell.row, cell.column);
    selected[static_cast<std::size_t>(ComposingBoard::index(cell.row, cell.column))] = true;
  }
  // Only runs with an empty cell are slots: the whole words outside the selection are no slots.
  const std::vector<Slot> all = deriveSlots(fill.base);
  std::vector<bool> taken(all.size(), false);
  // Cells the search will write into: the selected ones, then the empty cells of the slots taken.
  std::vector<bool> written = selected;
  bool grew = true;
  while (grew) {
    grew = false;
    for (std::size_t i = 0; i < all.size(); ++i) {
      if (taken[i]) continue;
      const Slot& s = all[i];
      bool touches = false;
      for (int k = 0; k < s.length && !touches; ++k)
        touches = written[static_cast<std::size_t>(s.cellIndex(k))];
      if (!touches) continue;
      taken[i] = grew = true;
      for (int k = 0; k < s.length; ++k) {
        const auto index = static_cast<std::size_t>(s.cellIndex(k));
        if (fill.base.board.at(s.cellIndex(k)).length == 0) written[index] = true;
      }
    }
  }
  for (std::size_t i = 0; i < all.size(); ++i)
    if (taken[i]) fill.slots.push_back(all[i]);
  if (fill.slots.empty()) return std::nullopt;
  return fill;
}

bool isComplete(const Layout& layout) {
  for (int r = 0; r < layout.rows; ++r)
    for (int c = 0; c < layout.columns; ++c)
      if (layout.board.isEmpty(r, c)) return false;
  return true;
}

}  // namespace gw::gui
