#include "authoring/composing/layout/layout_symmetry.h"

namespace gw {

std::optional<CellPos> symmetricPartner(CellPos cell, int rows, int columns, LayoutSymmetry symmetry) {
  CellPos partner = cell;
  switch (symmetry) {
    case LayoutSymmetry::None: return std::nullopt;
    case LayoutSymmetry::Rotational: partner = {rows - 1 - cell.row, columns - 1 - cell.column}; break;
    case LayoutSymmetry::Mirror: partner = {cell.row, columns - 1 - cell.column}; break;
  }
  if (partner == cell) return std::nullopt;
  return partner;
}

bool isSymmetric(const Layout& layout, LayoutSymmetry symmetry) {
  for (int r = 0; r < layout.rows; ++r)
    for (int c = 0; c < layout.columns; ++c) {
      const std::optional<CellPos> p = symmetricPartner({r, c}, layout.rows, layout.columns, symmetry);
      if (p && layout.board.isIsle(r, c) != layout.board.isIsle(p->row, p->column)) return false;
    }
  return true;
}

}  // namespace gw
