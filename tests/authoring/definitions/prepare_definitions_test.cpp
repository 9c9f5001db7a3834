#include "authoring/definitions/prepare_definitions.h"

#include <gtest/gtest.h>

namespace {

using gw::Definition;
using gw::Direction;

std::vector<std::tuple<gw::Direction, int, int, std::string>> keysAndWords(const gw::DefinitionTable& t) {
  std::vector<std::tuple<gw::Direction, int, int, std::string>> out;
  for (const Definition& d : t.rows()) out.emplace_back(d.direction, d.row, d.column, d.word);
  return out;
}

void writeClues(gw::DefinitionTable& t) {
  for (std::size_t i = 0; i < t.size(); ++i) t.setClue(i, "clue of " + t.at(i).word);
}

TEST(BoardRuns, WalksAcrossFromTheLastRowThenDownFromTheLastColumn) {
  const auto runs = gw::findBoardRuns("AB CDE", 2, 3);
  const std::vector<gw::Definition> expected = {{Direction::Across, 1, 0, {}, "CDE"},
                                                {Direction::Across, 0, 0, {}, "AB"},
                                                {Direction::Down, 1, 2, {}, "E"},
                                                {Direction::Down, 0, 1, {}, "BD"},
                                                {Direction::Down, 0, 0, {}, "AC"}};
  EXPECT_EQ(runs, expected);
  EXPECT_TRUE(gw::findBoardRuns("      ", 2, 3).empty());
  EXPECT_TRUE(gw::findBoardRuns("", 0, 0).empty());
  // Runs that end at a blank inside the line and single letters.
  const auto line = gw::findBoardRuns("A BC D", 1, 6);
  ASSERT_EQ(line.size(), 3u + 4u);
  EXPECT_EQ(line[0], (gw::Definition{Direction::Across, 0, 0, {}, "A"}));
  EXPECT_EQ(line[1], (gw::Definition{Direction::Across, 0, 2, {}, "BC"}));
  EXPECT_EQ(line[2], (gw::Definition{Direction::Across, 0, 5, {}, "D"}));
}

TEST(PrepareDefinitions, BuildsOneDefinitionPerRunInKeyOrder) {
  gw::DefinitionTable t;
  EXPECT_FALSE(gw::prepareDefinitions(t, "AB CDE", 2, 3));  // a fresh table: no word rewritten
  const std::vector<std::tuple<gw::Direction, int, int, std::string>> expected = {
      {Direction::Down, 0, 0, "AC"},
      {Direction::Down, 0, 1, "BD"},
      {Direction::Down, 1, 2, "E"},
      {Direction::Across, 0, 0, "AB"},
      {Direction::Across, 1, 0, "CDE"}};
  EXPECT_EQ(keysAndWords(t), expected);
  for (const Definition& d : t.rows()) EXPECT_TRUE(d.clue.empty());
  EXPECT_TRUE(t.insertGuardAttached());
  EXPECT_FALSE(t.insert({Direction::Across, 4, 4, "", "Z"}));
}

TEST(PrepareDefinitions, ChangedLettersKeepEveryClue) {
  gw::DefinitionTable t;
  gw::prepareDefinitions(t, "AB CDE", 2, 3);
  writeClues(t);
  EXPECT_TRUE(gw::prepareDefinitions(t, "AB CDE", 2, 3));  // same board: words rewritten
  EXPECT_TRUE(gw::prepareDefinitions(t, "AB CFE", 2, 3));
  EXPECT_EQ(t.at(*t.find(Direction::Across, 1, 0)).word, "CFE");
  EXPECT_EQ(t.at(*t.find(Direction::Across, 1, 0)).clue, "clue of CDE");
  EXPECT_EQ(t.at(*t.find(Direction::Down, 0, 1)).word, "BF");
  EXPECT_EQ(t.at(*t.find(Direction::Down, 0, 1)).clue, "clue of BD");
}

TEST(PrepareDefinitions, NewRunKeepsTheCluesOfRunsThatStayAndDropsVanishedOnes) {
  gw::DefinitionTable t;
  gw::prepareDefinitions(t, "AB CDE", 2, 3);
  writeClues(t);
  // Blank D: across E appears at (1,2); across (1,0) becomes C; down (0,1) becomes B.
  EXPECT_TRUE(gw::prepareDefinitions(t, "AB C E", 2, 3));
  const std::vector<std::tuple<gw::Direction, int, int, std::string>> expected = {
      {Direction::Down, 0, 0, "AC"},   {Direction::Down, 0, 1, "B"},   {Direction::Down, 1, 2, "E"},
      {Direction::Across, 0, 0, "AB"}, {Direction::Across, 1, 0, "C"}, {Direction::Across, 1, 2, "E"}};
  EXPECT_EQ(keysAndWords(t), expected);
  EXPECT_EQ(t.at(*t.find(Direction::Across, 1, 0)).clue, "clue of CDE");
  EXPECT_EQ(t.at(*t.find(Direction::Down, 0, 1)).clue, "clue of BD");
  EXPECT_EQ(t.at(*t.find(Direction::Across, 1, 2)).clue, "");

  // Blank B: the down run (0,1) vanishes and is not kept with its stale word.
  EXPECT_TRUE(gw::prepareDefinitions(t, "A  C E", 2, 3));
  EXPECT_FALSE(t.find(Direction::Down, 0, 1));
  EXPECT_EQ(t.size(), gw::findBoardRuns("A  C E", 2, 3).size());
  EXPECT_EQ(t.at(*t.find(Direction::Across, 0, 0)).word, "A");
  EXPECT_EQ(t.at(*t.find(Direction::Across, 0, 0)).clue, "clue of AB");
  EXPECT_TRUE(t.insertGuardAttached());
}

TEST(PrepareDefinitions, BlankBoardLeavesNoDefinitionsButNoBoardLeavesTheTable) {
  gw::DefinitionTable t;
  gw::prepareDefinitions(t, "AB CDE", 2, 3);
  EXPECT_FALSE(gw::prepareDefinitions(t, "", 0, 0));
  EXPECT_EQ(t.size(), 5u);
  EXPECT_FALSE(gw::prepareDefinitions(t, "AB", 2, 3));  // dimensions set before the board
  EXPECT_EQ(t.size(), 5u);
  gw::prepareDefinitions(t, "      ", 2, 3);
  EXPECT_TRUE(t.empty());
}

}  // namespace
