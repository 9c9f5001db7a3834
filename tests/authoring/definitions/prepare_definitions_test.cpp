#include "authoring/definitions/prepare_definitions.h"

#include <gtest/gtest.h>

namespace {

using gw::Definition;

std::vector<std::tuple<bool, int, int, std::string>> keysAndWords(const gw::DefinitionTable& t) {
  std::vector<std::tuple<bool, int, int, std::string>> out;
  for (const Definition& d : t.rows()) out.emplace_back(d.h, d.x, d.y, d.word);
  return out;
}

void writeClues(gw::DefinitionTable& t) {
  for (std::size_t i = 0; i < t.size(); ++i) t.setDesc(i, "clue of " + t.at(i).word);
}

TEST(BoardRuns, WalksAcrossFromTheLastRowThenDownFromTheLastColumn) {
  const auto runs = gw::findBoardRuns("AB CDE", 2, 3);
  const std::vector<gw::BoardRun> expected = {
      {true, 1, 0, "CDE"}, {true, 0, 0, "AB"}, {false, 1, 2, "E"}, {false, 0, 1, "BD"}, {false, 0, 0, "AC"}};
  EXPECT_EQ(runs, expected);
  EXPECT_TRUE(gw::findBoardRuns("      ", 2, 3).empty());
  EXPECT_TRUE(gw::findBoardRuns("", 0, 0).empty());
  // Runs that end at a blank inside the line and single letters.
  const auto line = gw::findBoardRuns("A BC D", 1, 6);
  ASSERT_EQ(line.size(), 3u + 4u);
  EXPECT_EQ(line[0], (gw::BoardRun{true, 0, 0, "A"}));
  EXPECT_EQ(line[1], (gw::BoardRun{true, 0, 2, "BC"}));
  EXPECT_EQ(line[2], (gw::BoardRun{true, 0, 5, "D"}));
}

TEST(PrepareDefinitions, BuildsOneDefinitionPerRunInKeyOrder) {
  gw::DefinitionTable t;
  EXPECT_FALSE(gw::prepareDefinitions(t, "AB CDE", 2, 3));  // a fresh table: no word rewritten
  const std::vector<std::tuple<bool, int, int, std::string>> expected = {
      {false, 0, 0, "AC"}, {false, 0, 1, "BD"}, {false, 1, 2, "E"}, {true, 0, 0, "AB"}, {true, 1, 0, "CDE"}};
  EXPECT_EQ(keysAndWords(t), expected);
  for (const Definition& d : t.rows()) EXPECT_TRUE(d.desc.empty());
  EXPECT_TRUE(t.insertGuardAttached());
  EXPECT_FALSE(t.insert({true, 4, 4, "", "Z"}));
}

TEST(PrepareDefinitions, ChangedLettersKeepEveryClue) {
  gw::DefinitionTable t;
  gw::prepareDefinitions(t, "AB CDE", 2, 3);
  writeClues(t);
  EXPECT_TRUE(gw::prepareDefinitions(t, "AB CDE", 2, 3));  // same board: words rewritten
  EXPECT_TRUE(gw::prepareDefinitions(t, "AB CFE", 2, 3));
  EXPECT_EQ(t.at(*t.find(true, 1, 0)).word, "CFE");
  EXPECT_EQ(t.at(*t.find(true, 1, 0)).desc, "clue of CDE");
  EXPECT_EQ(t.at(*t.find(false, 0, 1)).word, "BF");
  EXPECT_EQ(t.at(*t.find(false, 0, 1)).desc, "clue of BD");
}

TEST(PrepareDefinitions, NewRunKeepsTheCluesOfRunsThatStayAndDropsVanishedOnes) {
  gw::DefinitionTable t;
  gw::prepareDefinitions(t, "AB CDE", 2, 3);
  writeClues(t);
  // Blank D: across E appears at (1,2); across (1,0) becomes C; down (0,1) becomes B.
  EXPECT_TRUE(gw::prepareDefinitions(t, "AB C E", 2, 3));
  const std::vector<std::tuple<bool, int, int, std::string>> expected = {
      {false, 0, 0, "AC"}, {false, 0, 1, "B"}, {false, 1, 2, "E"},
      {true, 0, 0, "AB"},  {true, 1, 0, "C"},  {true, 1, 2, "E"}};
  EXPECT_EQ(keysAndWords(t), expected);
  EXPECT_EQ(t.at(*t.find(true, 1, 0)).desc, "clue of CDE");
  EXPECT_EQ(t.at(*t.find(false, 0, 1)).desc, "clue of BD");
  EXPECT_EQ(t.at(*t.find(true, 1, 2)).desc, "");

  // Blank B: the down run (0,1) vanishes and is not kept with its stale word.
  EXPECT_TRUE(gw::prepareDefinitions(t, "A  C E", 2, 3));
  EXPECT_FALSE(t.find(false, 0, 1));
  EXPECT_EQ(t.size(), gw::findBoardRuns("A  C E", 2, 3).size());
  EXPECT_EQ(t.at(*t.find(true, 0, 0)).word, "A");
  EXPECT_EQ(t.at(*t.find(true, 0, 0)).desc, "clue of AB");
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
