#pragma once
// Counts a constructor watches while drawing a layout. Qt-free; linear in the cells.
#include "authoring/composing/layout/board.h"

namespace gw {

struct LayoutStatistics {
  int words = 0;           // across and down runs of two or more open cells (letters count as open)
  int blocks = 0;          // isles
  int letterCells = 0;     // cells in words, summed over the words (for the average length)
  int uncheckedCells = 0;  // open cells in exactly one word
  int loneCells = 0;       // open cells in no word: one-letter slots across and down
  bool connected = true;   // every open cell reaches every other through open neighbours
  double averageWordLength() const { return words == 0 ? 0.0 : static_cast<double>(letterCells) / words; }
  friend bool operator==(const LayoutStatistics&, const LayoutStatistics&) = default;
};

LayoutStatistics layoutStatistics(const Layout& layout);

}  // namespace gw
