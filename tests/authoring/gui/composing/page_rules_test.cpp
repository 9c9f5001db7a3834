// The rules of the composing page that are plain arithmetic: typing by key position, the
// cursor after a letter, the progress preview's columns and the window size for a layout.
#include <gtest/gtest.h>

#include "authoring/gui/composing/composing_geometry.h"
#include "authoring/gui/composing/grid_typing.h"
#include "authoring/gui/composing/progress_preview.h"

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
