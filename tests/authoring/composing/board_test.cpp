#include "authoring/composing/layout/board.h"

#include <gtest/gtest.h>

#include "authoring/composing/layout/layout_text.h"
#include "common/crossword_file.h"
#include "common/errors.h"

namespace gw {
namespace {

struct SlotRun {
  int row, column, length;
  Direction direction;
  bool operator==(const SlotRun&) const = default;
};

std::vector<SlotRun> runs(const Layout& layout) {
  std::vector<SlotRun> out;
  for (const Slot& s : deriveSlots(layout)) out.push_back({s.row, s.column, s.length, s.direction});
  return out;
}

Layout text(const std::string& t) { return parseTextLayout(t, Language::English); }

constexpr Direction A = Direction::Across;
constexpr Direction D = Direction::Down;

TEST(SlotDerivation, FourByFourWithTwoIslesGivesEightSlotsAcrossThenDown) {
  Layout l = text("#...\n....\n....\n...#\n");
  std::vector<SlotRun> expected{{0, 1, 3, A}, {1, 0, 4, A}, {2, 0, 4, A}, {3, 0, 3, A},
                                {1, 0, 3, D}, {0, 1, 4, D}, {0, 2, 4, D}, {0, 3, 3, D}};
  EXPECT_EQ(runs(l), expected);
  for (const Slot& s : deriveSlots(l)) EXPECT_EQ(s.candidateIndex, 0);
}

TEST(SlotDerivation, RunsOfLettersOnlyAndIslesGiveNoSlot) {
  EXPECT_TRUE(runs(text("AB#\n#CD\n")).empty());
  EXPECT_TRUE(runs(text("###\n###\n")).empty());
}

TEST(SlotDerivation, LoneEmptyCellIsOneAcrossAndOneDownSlot) {
  EXPECT_EQ(runs(text("###\n#.#\n###\n")), (std::vector<SlotRun>{{1, 1, 1, A}, {1, 1, 1, D}}));
}

TEST(SlotDerivation, RowOfFixedLettersIsNoSlotButItsLettersConstrainDownSlots) {
  Layout l = text("CAT\n...\n");
  EXPECT_EQ(runs(l), (std::vector<SlotRun>{{1, 0, 3, A}, {0, 0, 2, D}, {0, 1, 2, D}, {0, 2, 2, D}}));
  EXPECT_EQ(slotPattern(l.board, deriveSlots(l)[1]), "^C.$");
}

TEST(SlotDerivation, RunsStopAtTheLayoutEdgeWhateverLiesBeyond) {
  Layout l = text("..\n..\n");
  // Cells outside the 2 × 2 part hold letters and empties; they must not extend any run.
  l.board.putLetter(0, 2, 'X');
  l.board.clearCell(2, 0);
  EXPECT_EQ(runs(l), (std::vector<SlotRun>{{0, 0, 2, A}, {1, 0, 2, A}, {0, 0, 2, D}, {0, 1, 2, D}}));
  EXPECT_EQ(resultCrossword(l).board.size(), 4u);
}

TEST(SlotDerivation, EveryEmptyCellLiesInOneAcrossAndOneDownSlot) {
  Layout l = text("..#..\n.....\n#.A.#\n.....\n..#..\n");
  std::vector<Slot> slots = deriveSlots(l);
  for (int c = 0; c < l.columns; ++c) {
    for (int r = 0; r < l.rows; ++r) {
      if (!l.board.isEmpty(r, c)) continue;
      int across = 0, down = 0;
      for (const Slot& s : slots)
        for (int k = 0; k < s.length; ++k)
          if (s.cellIndex(k) == ComposingBoard::index(r, c)) ++(s.direction == A ? across : down);
      EXPECT_EQ(across, 1) << c << "," << r;
      EXPECT_EQ(down, 1) << c << "," << r;
    }
  }
}

TEST(Crossing, AcrossAndDownCrossOnlyWhenTheyShareACell) {
  Slot across{3, 2, 1, 0, A, {}};  // row 2, columns 1..3
  Slot down{4, 0, 3, 0, D, {}};    // column 3, rows 0..3
  Slot downOutside{4, 0, 4, 0, D, {}};
  Slot downAbove{2, 0, 2, 0, D, {}};  // rows 0..1
  Slot otherAcross{3, 2, 2, 0, A, {}};
  EXPECT_TRUE(slotsCross(across, down));
  EXPECT_TRUE(slotsCross(down, across));
  EXPECT_FALSE(slotsCross(across, downOutside));
  EXPECT_FALSE(slotsCross(across, downAbove));
  EXPECT_FALSE(slotsCross(across, otherAcross));
}

TEST(SlotText, PatternKnownCountAndWordOnBoard) {
  Layout l = text(".A..\n");
  Slot s = deriveSlots(l)[0];
  EXPECT_EQ(slotPattern(l.board, s), "^.A..$");
  EXPECT_EQ(slotQuery(l.board, s), ".A..");
  EXPECT_EQ(knownCellCount(l.board, s), 1);
  EXPECT_EQ(wordOnBoard(l.board, s), "A");
  placeWord(l.board, s, "BABY");
  EXPECT_EQ(wordOnBoard(l.board, s), "BABY");
  EXPECT_EQ(knownCellCount(l.board, s), 4);
}

TEST(BoardEditing, OperationsChangeOnlyTheirCell) {
  ComposingBoard b;
  b.putLetter(1, 2, 'Q');
  EXPECT_TRUE(b.isLetter(1, 2));
  b.clearCell(1, 2);
  EXPECT_TRUE(b.isEmpty(1, 2));
  EXPECT_EQ(b.cell(1, 2).character, 'Q');  // the old byte stays, the cell is empty
  b.toggle(1, 2);
  EXPECT_TRUE(b.isIsle(1, 2));
  b.toggle(1, 2);
  EXPECT_TRUE(b.isEmpty(1, 2));
  b.setIsle(0, 0);
  b.putLetter(5, 5, 'Z');
  b.clearAll(3, 3);
  EXPECT_TRUE(b.isEmpty(0, 0));
  EXPECT_TRUE(b.isLetter(5, 5));  // outside the cleared part
  // Column-major storage (the pattern file's order): column c occupies 41 consecutive cells.
  EXPECT_EQ(ComposingBoard::index(3, 2), 2 * 41 + 3);
  b.putLetter(0, 1, 'R');  // row 0, column 1
  EXPECT_EQ(b.at(41).character, 'R');
}

TEST(ResultFile, FiveBySevenBoardIsFiftyNineBytesWithIslesAsBlanks) {
  Layout l = text("ABCDEFG\nHIJKLMN\nOPQ#RST\nUVWXYZA\nBCDEFGH\n");
  std::string bytes = serializeCrossword(resultCrossword(l));
  ASSERT_EQ(bytes.size(), 59u);
  EXPECT_EQ(bytes.substr(0, 4), "CW10");
  EXPECT_EQ(bytes[4], 0);
  EXPECT_EQ(bytes[5], 5);  // rows
  EXPECT_EQ(bytes[6], 7);  // columns
  EXPECT_EQ(bytes.substr(7, 7), "ABCDEFG");
  EXPECT_EQ(bytes.substr(7 + 14, 7), "OPQ RST");
  EXPECT_EQ(bytes.substr(42), std::string(17, '\0'));
}

TEST(ResultFile, NameIsPatternNameWithNumberAndExtension) {
  EXPECT_EQ(resultFileName("/some/where/spring.C_WM", 3), "spring3.C_W");
  EXPECT_EQ(resultFileName("plain", 12), "plain12.C_W");
}

TEST(TextLayout, LettersAreUpperCasedAndCheckedAgainstTheAlphabet) {
  Layout l = parseTextLayout("#a.\n..Z\n", Language::English);
  EXPECT_EQ(l.rows, 2);
  EXPECT_EQ(l.columns, 3);
  EXPECT_TRUE(l.board.isIsle(0, 0));
  EXPECT_EQ(l.board.cell(0, 1).character, 'A');
  EXPECT_EQ(layoutToText(l), "#A.\n..Z\n");
  EXPECT_THROW(parseTextLayout("1..\n", Language::English), FormatError);
  EXPECT_THROW(parseTextLayout("...\n..\n", Language::English), FormatError);
  EXPECT_THROW(parseTextLayout("", Language::English), FormatError);
  EXPECT_THROW(parseTextLayout(std::string(42, '.'), Language::English), FormatError);
}

TEST(TextLayout, SerbianCyrillicLettersBecomeWindows1251Capitals) {
  // "љ" and "Ж" in UTF-8; a Latin letter is not Serbian Cyrillic.
  Layout l = parseTextLayout("\xD1\x99\xD0\x96#\n", Language::Serbian);
  EXPECT_EQ(l.board.cell(0, 0).character, '\x8A');
  EXPECT_EQ(l.board.cell(0, 1).character, '\xC6');
  EXPECT_EQ(layoutToText(l), "\xD0\x89\xD0\x96#\n");
  EXPECT_THROW(parseTextLayout("A\n", Language::Serbian), FormatError);
  try {
    parseTextLayout("..\n.x\n.7\n", Language::German);
    FAIL();
  } catch (const FormatError& e) {
    EXPECT_STREQ(e.what(), "Layout line 3, column 2: \"7\" is not a letter of the German alphabet.");
  }
}

}  // namespace
}  // namespace gw
