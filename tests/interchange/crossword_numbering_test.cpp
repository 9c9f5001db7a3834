// Numbering: conventional numbers, clues placed by the start of their word, one-letter words.
#include "interchange/crossword_numbering.h"

#include <gtest/gtest.h>

#include "export_test_support.h"

namespace gw {
namespace {

using test::boardOf;
using test::definition;

std::vector<int> numbersOf(const CrosswordNumbering& n) { return n.cellNumbers; }

TEST(CrosswordNumbering, NumbersEveryCellThatStartsAWordOfTwoOrMoreLettersRowByRow) {
  const CrosswordNumbering n = numberCrossword(boardOf({"CAT#", "A#OX", "BEE#"}));
  EXPECT_EQ(numbersOf(n), (std::vector<int>{1, 0, 2, 0,  //
                                            0, 0, 3, 0,  //
                                            4, 0, 0, 0}));
  ASSERT_EQ(n.across.size(), 3u);  // CAT, OX, BEE; the A of row 1 is a one-letter word
  EXPECT_EQ(n.across[1].number, 3);
  EXPECT_EQ(n.across[1].length, 2);
  ASSERT_EQ(n.down.size(), 2u);  // CAB, TOE
  EXPECT_EQ(n.down[1].number, 2);
  EXPECT_EQ(n.down[1].length, 3);
}

TEST(CrosswordNumbering, OneLetterWordsAreListedOnlyWithAClueUnderTheNumberOfTheirCell) {
  // AB / CDE: the E of row 1 is a one-letter down word; the cell of B starts a down word.
  CrosswordFile cw = boardOf({"AB#", "CDE"});
  CrosswordNumbering n = numberCrossword(cw);
  EXPECT_EQ(numbersOf(n), (std::vector<int>{1, 2, 0, 3, 0, 0}));
  EXPECT_EQ(n.down.size(), 2u);

  cw.definitions = {definition(false, 1, 2, 1, "Fifth letter"), definition(true, 1, 0, 3, "Row two")};
  n = numberCrossword(cw);
  EXPECT_EQ(numbersOf(n), (std::vector<int>{1, 2, 0, 3, 0, 4}));
  ASSERT_EQ(n.down.size(), 3u);
  EXPECT_EQ(n.down[2].number, 4);
  EXPECT_EQ(n.down[2].length, 1);
  EXPECT_EQ(n.down[2].clue, "Fifth letter");
  EXPECT_EQ(n.across[1].clue, "Row two");
}

TEST(CrosswordNumbering, AnIsolatedLetterWithBothCluesGetsOneNumber) {
  CrosswordFile cw = boardOf({"A#B", "###", "CD#"});
  cw.definitions = {definition(true, 0, 0, 1, "across A"), definition(false, 0, 0, 1, "down A")};
  const CrosswordNumbering n = numberCrossword(cw);
  EXPECT_EQ(n.numberAt(0, 0), 1);
  EXPECT_EQ(n.numberAt(0, 2), 0);  // B has no clue
  EXPECT_EQ(n.numberAt(2, 0), 2);
  ASSERT_EQ(n.across.size(), 2u);
  EXPECT_EQ(n.across[0].number, 1);
  ASSERT_EQ(n.down.size(), 1u);
  EXPECT_EQ(n.down[0].clue, "down A");
}

TEST(CrosswordNumbering, PictureCellsAreBlocksAndTheLastDuplicateClueWins) {
  CrosswordFile cw = boardOf({"ABC", "DEF", "GHI"});
  cw.pictures = {{0, 0, 1, 3, "jpeg"}};  // covers column 0
  cw.definitions = {definition(true, 0, 1, 2, "old"), definition(true, 0, 1, 2, "new")};
  const CrosswordNumbering n = numberCrossword(cw);
  EXPECT_EQ(numbersOf(n), (std::vector<int>{0, 1, 2, 0, 3, 0, 0, 4, 0}));
  EXPECT_EQ(n.across[0].clue, "new");
  EXPECT_EQ(n.across[0].length, 2);
}

TEST(CrosswordNumbering, AClueWhoseWordIsGoneIsNamedInTheNotes) {
  CrosswordFile cw = boardOf({"AB", "CD"});
  cw.definitions = {definition(true, 0, 1, 1, "no such word"), definition(true, 1, 1, 1, "")};
  const CrosswordNumbering n = numberCrossword(cw);
  ASSERT_EQ(n.notes.size(), 1u);  // the empty clue is no loss
  EXPECT_NE(n.notes[0].find("across word at row 0, column 1"), std::string::npos);
}

}  // namespace
}  // namespace gw
