// The rules of the composing page that are plain arithmetic: typing by key position, the
// cursor after a letter, the progress preview's columns, the window size for a layout, the
// cell zoom, and what "Quick fill selection" hands the search.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "authoring/composing/layout/layout_text.h"
#include "authoring/gui/composing/composing_geometry.h"
#include "authoring/gui/composing/grid_typing.h"
#include "authoring/gui/composing/progress_preview.h"
#include "authoring/gui/composing/selection_fill.h"

namespace gw::gui {
namespace {

TEST(GridTyping, EnglishAndGermanTakeOnlyTheLettersAToZ) {
  for (Language l : {Language::English, Language::German}) {
    EXPECT_EQ(typedBoardLetter('q', l), 'Q');
    EXPECT_EQ(typedBoardLetter('Z', l), 'Z');
    EXPECT_EQ(typedBoardLetter('y', l), 'Y') << "no German layout on the composing page";
    for (char c : std::string("1!;'[]\\,./ \r\x7f")) EXPECT_EQ(typedBoardLetter(c, l), std::nullopt) << c;
  }
}

TEST(GridTyping, SerbianMapsKeyPositionsToCyrillicCapitals) {
  const Language sr = Language::Serbian;
  EXPECT_EQ(typedBoardLetter('q', sr), '\x8A');  // љ -> Љ
  EXPECT_EQ(typedBoardLetter('Q', sr), '\x8A');
  EXPECT_EQ(typedBoardLetter('a', sr), '\xC0');   // А
  EXPECT_EQ(typedBoardLetter('[', sr), '\xD8');   // Ш
  EXPECT_EQ(typedBoardLetter('\'', sr), '\x8E');  // Ћ
  EXPECT_EQ(typedBoardLetter('\\', sr), '\xC6');  // Ж
  EXPECT_EQ(typedBoardLetter('x', sr), '\x8F');   // Џ
  EXPECT_EQ(typedBoardLetter('z', sr), std::nullopt) << "ѕ is no Serbian letter";
  EXPECT_EQ(typedBoardLetter('1', sr), std::nullopt);
}

TEST(GridTyping, CursorMovesRightThenDownTheLastColumnThenWraps) {
  EXPECT_EQ(cursorAfterLetter({2, 3}, 6, 6), (CellPos{2, 4}));
  EXPECT_EQ(cursorAfterLetter({2, 5}, 6, 6), (CellPos{3, 5})) << "last column: next row, same column";
  EXPECT_EQ(cursorAfterLetter({5, 5}, 6, 6), (CellPos{0, 0}));
  EXPECT_EQ(cursorAfterLetter({0, 6}, 7, 7), (CellPos{1, 6}));
  EXPECT_EQ(cursorAfterLetter({6, 3}, 7, 4), (CellPos{0, 0}));
}

TEST(WindowSize, GrowsWithTheLayout) {
  EXPECT_EQ(composingWindowSize(30, 30), QSize(597, 700));
  EXPECT_EQ(composingWindowSize(5, 12), QSize(12 * 19 + 27, 5 * 19 + 130));
}

TEST(ProgressPreview, NothingWithoutSlots) {
  EXPECT_TRUE(previewColumns({100, 20}, {0, {}}).empty());
  EXPECT_TRUE(previewBackground({100, 20}, 0).isNull());
}

TEST(ProgressPreview, ColumnsFollowTheFormula) {
  // Width 104: w = 100, h = 18; 8 slots: b = 100 / 8 + 1 = 13, x = 100 (p − 1) / 8.
  PreviewState state{8, {true, true, false, true}};
  auto columns = previewColumns({104, 20}, state);
  ASSERT_EQ(columns.size(), 4u);
  EXPECT_EQ(previewBackground({104, 20}, 8), QRect(QPoint(2, 1), QPoint(101, 18)));
  EXPECT_EQ(columns[0].rect, QRect(2, 1, 13, 18));
  // 12.5 rounds to 12 (even), 25 stays, 37.5 rounds to 38 (even).
  EXPECT_EQ(columns[1].rect.left(), 12 + 2);
  EXPECT_EQ(columns[2].rect.left(), 25 + 2);
  EXPECT_EQ(columns[3].rect.left(), 38 + 2);
  EXPECT_TRUE(columns[0].black);
  EXPECT_FALSE(columns[2].black) << "a position without candidates is drawn silver";
}

TEST(ProgressPreview, FullDepthReachesTheRightEdge) {
  PreviewState state{3, std::vector<bool>(3, true)};
  auto columns = previewColumns({64, 22}, state);  // w = 60: columns at 0, 20, 40, 21 wide
  ASSERT_EQ(columns.size(), 3u);
  EXPECT_EQ(columns[2].rect.left(), 42);
  EXPECT_EQ(columns[2].rect.right() + 1, 63);
  EXPECT_EQ(columns[2].rect.height(), 20);
}

}  // namespace
}  // namespace gw::gui

namespace gw::gui {
namespace {

// Slots as "row,column,A|D,length", in deriveSlots() order.
std::vector<std::string> slotNames(const std::vector<Slot>& slots) {
  std::vector<std::string> names;
  for (const Slot& s : slots)
    names.push_back(std::to_string(s.row) + "," + std::to_string(s.column) +
                    (s.direction == Direction::Across ? ",A," : ",D,") + std::to_string(s.length));
  return names;
}

TEST(SelectionFill, TheSelectionIsClearedAndItsWordsFilledWithWhatTheyCross) {
  struct Case {
    const char* name;
    const char* grid;
    std::vector<CellPos> selection;
    const char* base;
    std::vector<std::string> selected;
    std::vector<std::string> searched;
  };
  const std::vector<std::string> corner{"0,0,A,4", "1,0,A,4", "0,0,D,4", "0,1,D,4"};
  const Case cases[] = {
      {"a corner of a full grid",
       "ABCD\nEFGH\nIJKL\nMNOP\n",
       {{0, 0}, {0, 1}, {1, 0}, {1, 1}},
       "..CD\n..GH\nIJKL\nMNOP\n",
       corner,
       corner},
      {"isles stay isles",
       "AB#D\nEFGH\n#JKL\nMNOP\n",
       {{0, 2}, {2, 0}, {3, 3}},
       "AB#D\nEFGH\n#JKL\nMNO.\n",
       {"3,0,A,4", "0,3,D,4"},
       {"3,0,A,4", "0,3,D,4"}},
      // The across word of the selected cell fills (1, 3): its down word is searched too.
      {"an empty cell outside pulls in its word",
       "ABCD\nEFG.\nIJKL\nMNOP\n",
       {{1, 0}},
       "ABCD\n.FG.\nIJKL\nMNOP\n",
       {"1,0,A,4", "0,0,D,4"},
       {"1,0,A,4", "0,0,D,4", "0,3,D,4"}},
      // Open words that nothing selected leads to are not searched.
      {"an untouched open word stays open",
       "AB.D\nEFGH\nIJKL\nMNOP\n",
       {{3, 0}},
       "AB.D\nEFGH\nIJKL\n.NOP\n",
       {"3,0,A,4", "0,0,D,4"},
       {"3,0,A,4", "0,0,D,4"}},
  };
  for (const Case& c : cases) {
    const Layout grid = parseTextLayout(c.grid, Language::English);
    const std::optional<SelectionFill> fill = selectionFill(grid, c.selection);
    ASSERT_TRUE(fill) << c.name;
    EXPECT_EQ(layoutToText(fill->base), c.base) << c.name;
    EXPECT_EQ(slotNames(fill->selected), c.selected) << c.name;
    EXPECT_EQ(slotNames(fill->slots), c.searched) << c.name;
  }
  const Layout grid = parseTextLayout("A#\n#B\n", Language::English);
  EXPECT_FALSE(selectionFill(grid, {{0, 1}, {1, 0}})) << "isles only";
  EXPECT_FALSE(selectionFill(grid, {})) << "nothing selected";
}

TEST(SelectionFill, EveryUnselectedLetterIsKeptAndOnlyTheSelectedWordsAreFilled) {
  std::mt19937 rng(5);
  for (int round = 0; round < 200; ++round) {
    Layout grid = parseTextLayout("......\n......\n......\n......\n......\n", Language::English);
    std::vector<CellPos> selection;
    for (int r = 0; r < grid.rows; ++r) {
      for (int c = 0; c < grid.columns; ++c) {
        const unsigned kind = rng() % 4;
        if (kind == 0) grid.board.setIsle(r, c);
        if (kind >= 2) grid.board.putLetter(r, c, static_cast<char>('A' + rng() % 26));
        if (rng() % 3 == 0) selection.push_back({r, c});
      }
    }
    const std::optional<SelectionFill> fill = selectionFill(grid, selection);
    if (!fill) continue;
    // A stand-in for the search's fill: '?' in every open cell of the base.
    Layout searched = fill->base;
    for (int r = 0; r < grid.rows; ++r)
      for (int c = 0; c < grid.columns; ++c)
        if (searched.board.isEmpty(r, c)) searched.board.putLetter(r, c, '?');
    const Layout result = selectedWordsFilled(*fill, searched);
    auto inSelectedWord = [&](int r, int c) {
      return std::any_of(fill->selected.begin(), fill->selected.end(), [&](const Slot& s) {
        for (int k = 0; k < s.length; ++k)
          if (s.cellIndex(k) == ComposingBoard::index(r, c)) return true;
        return false;
      });
    };
    for (int r = 0; r < grid.rows; ++r) {
      for (int c = 0; c < grid.columns; ++c) {
        const bool chosen = std::find(selection.begin(), selection.end(), CellPos{r, c}) != selection.end();
        const BoardCell& now = result.board.cell(r, c);
        if (grid.board.isIsle(r, c) || (!chosen && grid.board.isLetter(r, c))) {
          EXPECT_EQ(now, grid.board.cell(r, c)) << "kept at " << r << "," << c;
        } else if (chosen) {
          EXPECT_EQ(now.character, '?') << "a selected cell is filled at " << r << "," << c;
        } else {
          EXPECT_EQ(now.length == 1, inSelectedWord(r, c)) << "an empty cell at " << r << "," << c;
        }
      }
    }
  }
}

TEST(CellZoom, StepsThroughTheSizesAndStopsAtTheEnds) {
  EXPECT_EQ(zoomedCellSize(zoomedCellSize(kGridCellSize, 3), -3), kGridCellSize);
  EXPECT_EQ(zoomedCellSize(kGridCellSize, 99), kZoomCellSizes.back());
  EXPECT_EQ(zoomedCellSize(kGridCellSize, -99), kZoomCellSizes.front());
  // A size from crossword.conf between two steps: the next one in the zoom's direction.
  EXPECT_EQ(zoomedCellSize(20, 1), 21);
  EXPECT_EQ(zoomedCellSize(20, -1), 18);
}

}  // namespace
}  // namespace gw::gui
