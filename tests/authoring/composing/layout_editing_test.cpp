// What a constructor sees while drawing a layout: symmetric partners, the statistics of hand-made
// layouts, and undo and redo of whole boards.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "authoring/composing/layout/layout_history.h"
#include "authoring/composing/layout/layout_statistics.h"
#include "authoring/composing/layout/layout_symmetry.h"

namespace gw {
namespace {

// A layout from rows of text: '#' isle, '.' empty, a letter fixed.
Layout layoutOf(const std::vector<std::string>& rows) {
  Layout l;
  l.rows = static_cast<int>(rows.size());
  l.columns = static_cast<int>(rows.front().size());
  for (int r = 0; r < l.rows; ++r)
    for (int c = 0; c < l.columns; ++c) {
      const char ch = rows[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)];
      if (ch == '#') l.board.setIsle(r, c);
      if (ch != '#' && ch != '.') l.board.putLetter(r, c, ch);
    }
  return l;
}

TEST(LayoutSymmetry, PartnersOfEachRule) {
  struct Case {
    LayoutSymmetry rule;
    CellPos cell;
    int rows, columns;
    std::optional<CellPos> partner;
  } cases[] = {
      {LayoutSymmetry::None, {0, 0}, 5, 5, std::nullopt},
      {LayoutSymmetry::Rotational, {0, 1}, 5, 5, CellPos{4, 3}},
      {LayoutSymmetry::Rotational, {2, 2}, 5, 5, std::nullopt},   // the centre is its own partner
      {LayoutSymmetry::Rotational, {2, 0}, 5, 5, CellPos{2, 4}},  // middle row
      {LayoutSymmetry::Rotational, {0, 2}, 5, 5, CellPos{4, 2}},  // middle column
      {LayoutSymmetry::Rotational, {1, 1}, 4, 6, CellPos{2, 4}},  // even sides: no centre cell
      {LayoutSymmetry::Mirror, {3, 0}, 5, 5, CellPos{3, 4}},
      {LayoutSymmetry::Mirror, {3, 2}, 5, 5, std::nullopt},  // middle column
      {LayoutSymmetry::Mirror, {1, 2}, 4, 6, CellPos{1, 3}},
  };
  for (const Case& k : cases)
    EXPECT_EQ(symmetricPartner(k.cell, k.rows, k.columns, k.rule), k.partner)
        << static_cast<int>(k.rule) << " " << k.cell.row << "," << k.cell.column;
}

TEST(LayoutSymmetry, IslesDecideNotLetters) {
  const Layout rotational = layoutOf({"#...", ".A..", "...#"});
  EXPECT_TRUE(isSymmetric(rotational, LayoutSymmetry::Rotational));
  EXPECT_FALSE(isSymmetric(rotational, LayoutSymmetry::Mirror));
  const Layout mirror = layoutOf({"#..#", "....", ".#.#"});
  EXPECT_FALSE(isSymmetric(mirror, LayoutSymmetry::Mirror));
  EXPECT_TRUE(isSymmetric(layoutOf({"#..#", "B...", ".##."}), LayoutSymmetry::Mirror));
  EXPECT_TRUE(isSymmetric(mirror, LayoutSymmetry::None));
}

TEST(LayoutStatistics, HandMadeLayouts) {
  struct Case {
    std::vector<std::string> rows;
    LayoutStatistics expected;
  } cases[] = {
      // An open 3 × 3: six words of three, every cell checked.
      {{"...", "...", "..."}, {6, 0, 18, 0, 0, true}},
      // Isles in two corners: words of two and three, every cell still checked.
      {{"#..", "...", "..#"}, {6, 2, 14, 0, 0, true}},
      // A column of isles splits the board; the cells left of it are in no across word.
      {{".#..", ".#..", ".#.."}, {6, 3, 15, 3, 0, false}},
      // A lone open cell among isles: in no word, and cut off.
      {{"..#", "###", "#.#"}, {1, 6, 2, 2, 1, false}},
  };
  for (const Case& k : cases) {
    const LayoutStatistics s = layoutStatistics(layoutOf(k.rows));
    EXPECT_EQ(s, k.expected) << k.rows[0] << "/" << k.rows[1] << ": words " << s.words << " blocks "
                             << s.blocks << " cells " << s.letterCells << " unchecked " << s.uncheckedCells
                             << " lone " << s.loneCells << " connected " << s.connected;
  }
  EXPECT_DOUBLE_EQ(layoutStatistics(layoutOf({"#..", "...", "..#"})).averageWordLength(), 14.0 / 6);
}

TEST(LayoutHistory, UndoAndRedoWalkBothWaysAndANewChangeForgetsRedo) {
  LayoutHistory history;
  ComposingBoard a, b = a, c;
  b.setIsle(0, 0);
  c = b;
  c.putLetter(1, 1, 'X');
  history.recordChange(a);  // a -> b
  history.recordChange(b);  // b -> c
  EXPECT_EQ(history.undo(c), b);
  EXPECT_EQ(history.undo(b), a);
  EXPECT_FALSE(history.undo(a));
  EXPECT_EQ(history.redo(a), b);
  EXPECT_TRUE(history.canRedo());
  history.recordChange(b);  // b -> something else
  EXPECT_FALSE(history.canRedo());
  history.clear();
  EXPECT_FALSE(history.canUndo());
  for (std::size_t i = 0; i < LayoutHistory::kMostSteps + 5; ++i) history.recordChange(a);
  std::size_t steps = 0;
  while (history.undo(a)) ++steps;
  EXPECT_EQ(steps, LayoutHistory::kMostSteps);
}

}  // namespace
}  // namespace gw
