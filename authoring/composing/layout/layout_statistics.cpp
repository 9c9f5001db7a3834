#include "authoring/composing/layout/layout_statistics.h"

#include <vector>

#include "common/cell_pos.h"

namespace gw {

namespace {

// For each cell, the length of the run it belongs to in one direction (0 for isles).
std::vector<int> runLengths(const Layout& layout, bool across) {
  const int rows = layout.rows, columns = layout.columns;
  std::vector<int> length(static_cast<std::size_t>(rows * columns), 0);
  const int lines = across ? rows : columns, cells = across ? columns : rows;
  for (int line = 0; line < lines; ++line) {
    int k = 0;
    while (k < cells) {
      auto at = [&](int i) { return across ? CellPos{line, i} : CellPos{i, line}; };
      if (layout.board.isIsle(at(k).row, at(k).column)) {
        ++k;
        continue;
      }
      int end = k;
      while (end < cells && !layout.board.isIsle(at(end).row, at(end).column)) ++end;
      for (int i = k; i < end; ++i)
        length[static_cast<std::size_t>(at(i).row * columns + at(i).column)] = end - k;
      k = end;
    }
  }
  return length;
}

}  // namespace

LayoutStatistics layoutStatistics(const Layout& layout) {
  LayoutStatistics s;
  const int rows = layout.rows, columns = layout.columns;
  const std::vector<int> across = runLengths(layout, true), down = runLengths(layout, false);
  int openCells = 0, firstOpen = -1;
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < columns; ++c) {
      if (layout.board.isIsle(r, c)) {
        ++s.blocks;
        continue;
      }
      const auto i = static_cast<std::size_t>(r * columns + c);
      ++openCells;
      if (firstOpen < 0) firstOpen = static_cast<int>(i);
      const bool inAcross = across[i] >= 2, inDown = down[i] >= 2;
      s.letterCells += int{inAcross} + int{inDown};
      if (inAcross != inDown) ++s.uncheckedCells;
      if (!inAcross && !inDown) ++s.loneCells;
      // A word starts where its run starts.
      if (inAcross && (c == 0 || layout.board.isIsle(r, c - 1))) ++s.words;
      if (inDown && (r == 0 || layout.board.isIsle(r - 1, c))) ++s.words;
    }
  if (openCells == 0) return s;
  // Flood fill from the first open cell.
  std::vector<char> seen(static_cast<std::size_t>(rows * columns), 0);
  std::vector<int> stack{firstOpen};
  seen[static_cast<std::size_t>(firstOpen)] = 1;
  int reached = 0;
  while (!stack.empty()) {
    const int i = stack.back();
    stack.pop_back();
    ++reached;
    const int r = i / columns, c = i % columns;
    const CellPos next[] = {{r - 1, c}, {r + 1, c}, {r, c - 1}, {r, c + 1}};
    for (const CellPos& n : next) {
      if (!layout.contains(n.row, n.column) || layout.board.isIsle(n.row, n.column)) continue;
      auto& mark = seen[static_cast<std::size_t>(n.row * columns + n.column)];
      if (mark) continue;
      mark = 1;
      stack.push_back(n.row * columns + n.column);
    }
  }
  s.connected = reached == openCells;
  return s;
}

}  // namespace gw
