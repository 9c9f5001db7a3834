#include "authoring/definitions/clue_list.h"

#include <gtest/gtest.h>

namespace {

using gw::CellPos;

// Two rows "AB " and "CDE": the table holds Down AC, BD, E, then Across AB, CDE.
gw::CrosswordDocument smallBoard(const std::string& clueOfE = {}) {
  gw::CrosswordFile file;
  file.rows = 2;
  file.columns = 3;
  file.board = "AB CDE";
  if (!clueOfE.empty()) file.definitions = {{gw::Direction::Down, 1, 2, 1, clueOfE}};
  return gw::CrosswordDocument::fromFile(file);
}

TEST(ClueList, NumbersAsPrintedAndOneLetterWordsOnlyWithAClue) {
  EXPECT_EQ(gw::printedNumbers(smallBoard()), (std::vector<int>{1, 2, 0, 1, 3}));
  EXPECT_EQ(gw::printedNumbers(smallBoard("Fifth letter")), (std::vector<int>{1, 2, 4, 1, 3}));
  EXPECT_EQ(gw::printedNumbers(smallBoard(" ")), (std::vector<int>{1, 2, 0, 1, 3}));  // blanks say nothing
}

TEST(ClueList, OrdersWalkTheTableOrAcrossThenDownByNumber) {
  const gw::CrosswordDocument doc = smallBoard();
  const auto numbers = gw::printedNumbers(doc);
  const auto table = gw::listOrder(doc.definitions(), numbers, false);
  const auto byNumber = gw::listOrder(doc.definitions(), numbers, true);
  EXPECT_EQ(table, (std::vector<std::size_t>{0, 1, 2, 3, 4}));
  EXPECT_EQ(byNumber, (std::vector<std::size_t>{3, 4, 0, 1, 2}));  // unprinted E last
  struct Case {
    const std::vector<std::size_t>* order;
    std::size_t from;
    int step;
    std::optional<std::size_t> to;
  };
  const Case cases[] = {{&table, 0, 1, 1},
                        {&table, 4, 1, std::nullopt},
                        {&table, 0, -1, std::nullopt},
                        {&byNumber, 4, 1, 0},
                        {&byNumber, 0, -1, 4},
                        {&byNumber, 3, -1, std::nullopt},
                        {&byNumber, 9, 1, std::nullopt}};
  for (const Case& c : cases)
    EXPECT_EQ(gw::stepInOrder(*c.order, c.from, c.step), c.to) << c.from << " " << c.step;
}

TEST(ClueList, ClickSelectsTheWordThroughTheCellAndASecondClickTurns) {
  const gw::CrosswordDocument doc = smallBoard();
  struct Case {
    CellPos cell;
    std::optional<std::size_t> current;
    std::optional<std::size_t> chosen;
  };
  const Case cases[] = {
      {{0, 0}, std::nullopt, 3},  // Across first
      {{0, 0}, 3, 0},             // the same cell again: Down
      {{0, 0}, 0, 3},             // and back
      {{1, 2}, std::nullopt, 4},  // CDE
      {{1, 2}, 4, 2},             // the one-letter word down
      {{0, 1}, 0, 1},             // the current direction kept: BD
      {{0, 2}, 3, std::nullopt},  // a blank cell
  };
  for (const Case& c : cases)
    EXPECT_EQ(gw::definitionForClick(doc.definitions(), c.cell, c.current), c.chosen)
        << c.cell.row << "," << c.cell.column;
}

TEST(ClueList, MissingCluesCountWordsOfTwoLettersOrMore) {
  gw::CrosswordDocument doc = smallBoard();
  EXPECT_EQ(gw::countMissingClues(doc.definitions()).words, 4);
  EXPECT_EQ(gw::countMissingClues(doc.definitions()).missing, 4);
  doc.setClue(0, "Clue");
  doc.setClue(4, "  ");
  EXPECT_EQ(gw::countMissingClues(doc.definitions()).missing, 3);
}

}  // namespace
