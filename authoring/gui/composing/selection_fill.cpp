#include "authoring/gui/composing/selection_fill.h"

namespace gw::gui {

namespace {

bool touches(const Slot& slot, const std::vector<bool>& cells) {
  for (int k = 0; k < slot.length; ++k)
    if (cells[static_cast<std::size_t>(slot.cellIndex(k))]) return true;
  return false;
}

}  // namespace

std::optional<SelectionFill> selectionFill(const Layout& grid, const std::vector<CellPos>& selection) {
  SelectionFill fill{grid, {}, {}};
  std::vector<bool> selected(static_cast<std::size_t>(kBoardCells), false);
  for (const CellPos& cell : selection) {
    if (!grid.contains(cell.row, cell.column) || grid.board.isIsle(cell.row, cell.column)) continue;
    fill.base.board.clearCell(cell.row, cell.column);
    selected[static_cast<std::size_t>(ComposingBoard::index(cell.row, cell.column))] = true;
  }
  // Only runs with an empty cell are slots: the whole words outside the selection are none.
  const std::vector<Slot> all = deriveSlots(fill.base);
  std::vector<bool> taken(all.size(), false);
  for (std::size_t i = 0; i < all.size(); ++i) {
    if (!touches(all[i], selected)) continue;
    taken[i] = true;
    fill.selected.push_back(all[i]);
  }
  if (fill.selected.empty()) return std::nullopt;
  // Cells the search writes into: the empty cells of the slots taken, which pull in their
  // crossing slots, until none is left.
  std::vector<bool> written = selected;
  for (bool grew = true; grew;) {
    grew = false;
    for (std::size_t i = 0; i < all.size(); ++i) {
      if (!taken[i] && !touches(all[i], written)) continue;
      if (!taken[i]) taken[i] = grew = true;
      for (int k = 0; k < all[i].length; ++k) {
        const int index = all[i].cellIndex(k);
        if (fill.base.board.at(index).length == 0 && !written[static_cast<std::size_t>(index)])
          written[static_cast<std::size_t>(index)] = grew = true;
      }
    }
  }
  for (std::size_t i = 0; i < all.size(); ++i)
    if (taken[i]) fill.slots.push_back(all[i]);
  return fill;
}

Layout selectedWordsFilled(const SelectionFill& fill, const Layout& filled) {
  Layout result = fill.base;
  for (const Slot& s : fill.selected)
    for (int k = 0; k < s.length; ++k) result.board.at(s.cellIndex(k)) = filled.board.at(s.cellIndex(k));
  return result;
}

bool isComplete(const Layout& layout) {
  for (int r = 0; r < layout.rows; ++r)
    for (int c = 0; c < layout.columns; ++c)
      if (layout.board.isEmpty(r, c)) return false;
  return true;
}

}  // namespace gw::gui
