#include "authoring/definitions/definition_table.h"

#include <gtest/gtest.h>

namespace {

using gw::Direction;

TEST(DefinitionTable, InsertsOnlyThroughPreparingAndKeepsKeyOrder) {
  gw::DefinitionTable table;
  EXPECT_FALSE(table.insert({Direction::Across, 0, 0, "", "ABC"}));  // from the word grid: cancelled silently
  EXPECT_TRUE(table.empty());
  {
    gw::DefinitionTable::InsertScope scope(table);
    EXPECT_TRUE(table.insert({Direction::Across, 0, 0, "", "AB"}));
    EXPECT_TRUE(table.insert({Direction::Down, 2, 0, "", "X"}));
    EXPECT_TRUE(table.insert({Direction::Down, 0, 3, "", "Y"}));
    EXPECT_FALSE(table.insert({Direction::Down, 0, 3, "", "Z"}));  // key already there
  }
  EXPECT_TRUE(table.insertGuardAttached());
  EXPECT_FALSE(table.insert({Direction::Across, 5, 5, "", "Q"}));
  ASSERT_EQ(table.size(), 3u);
  // Down (0,3), down (2,0), across (0,0).
  EXPECT_EQ(table.at(0).word, "Y");
  EXPECT_EQ(table.at(1).word, "X");
  EXPECT_EQ(table.at(2).word, "AB");
}

TEST(DefinitionTable, GuardComesBackWhenWorkFails) {
  gw::DefinitionTable table;
  try {
    gw::DefinitionTable::InsertScope scope(table);
    table.insert({Direction::Across, 0, 0, "", "A"});
    throw std::runtime_error("insert failed");
  } catch (const std::runtime_error&) {
  }
  EXPECT_TRUE(table.insertGuardAttached());
  EXPECT_EQ(table.size(), 1u);
}

TEST(DefinitionTable, LengthFollowsTheWordAndFindNamesTheRow) {
  gw::DefinitionTable table;
  {
    gw::DefinitionTable::InsertScope scope(table);
    table.insert({Direction::Across, 1, 0, "", "GARDENS"});
    table.insert({Direction::Down, 0, 0, "", "AB"});
  }
  EXPECT_EQ(table.at(1).length(), 7);
  table.setWord(1, "GATES");
  EXPECT_EQ(table.at(1).length(), 5);
  EXPECT_EQ(table.find(Direction::Across, 1, 0), 1u);
  EXPECT_FALSE(table.find(Direction::Across, 9, 9).has_value());
}

}  // namespace

namespace {

using gw::Direction;

TEST(DefinitionTable, AssignSortsAndObeysTheGuard) {
  gw::DefinitionTable table;
  EXPECT_FALSE(table.assign({{Direction::Across, 0, 0, "", "A"}}));
  EXPECT_TRUE(table.empty());
  gw::DefinitionTable::InsertScope scope(table);
  EXPECT_TRUE(table.assign({{Direction::Across, 0, 0, "", "AB"},
                            {Direction::Down, 2, 0, "", "X"},
                            {Direction::Down, 0, 3, "", "Y"}}));
  ASSERT_EQ(table.size(), 3u);
  EXPECT_EQ(table.at(0).word, "Y");
  EXPECT_EQ(table.at(2).word, "AB");
}

}  // namespace
