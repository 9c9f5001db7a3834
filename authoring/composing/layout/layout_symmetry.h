#pragma once
// The symmetry rules a constructor draws a layout under: each isle has a partner cell that
// gets an isle too. Qt-free.
#include <optional>

#include "authoring/composing/layout/board.h"
#include "common/cell_pos.h"

namespace gw {

enum class LayoutSymmetry {
  None,        // every cell on its own
  Rotational,  // 180° about the centre: (r, c) and (rows − 1 − r, columns − 1 − c)
  Mirror,      // left-right: (r, c) and (r, columns − 1 − c)
};

// The cell that must match `cell` under `symmetry`; nothing for None and for a cell that is
// its own partner (the centre, or the middle column under Mirror).
std::optional<CellPos> symmetricPartner(CellPos cell, int rows, int columns, LayoutSymmetry symmetry);

// Whether every isle of the layout has an isle at its partner cell.
bool isSymmetric(const Layout& layout, LayoutSymmetry symmetry);

}  // namespace gw
