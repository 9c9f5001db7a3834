#pragma once
// The one position on a crossword grid, in both programs and every library: row first.
#include <compare>

namespace gw {

struct CellPos {
  int row = 0;
  int column = 0;
  friend auto operator<=>(const CellPos&, const CellPos&) = default;
};

}  // namespace gw
