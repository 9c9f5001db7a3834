// The cell size chosen for boards that do not fit the screen, at scale factors 1, 1.5 and 2.
#include <gtest/gtest.h>

#include "solver/core/cell_size.h"

using namespace gw::cross;

namespace {
constexpr int kClueLine = 22;  // one line of the 11-pixel clue font with the window's frame
}

TEST(CellSize, SmallBoardsKeepTheWantedSize) {
  EXPECT_EQ(fittedCellSize(20, {15, 15, 1280, 1024, kClueLine, 1.0}), 20);
  EXPECT_EQ(fittedCellSize(36, {15, 15, 1280, 1024, kClueLine, 1.0}), 36);
}

TEST(CellSize, TallBoardShrinksUntilItAndItsCluesFit) {
  // 56 rows at 20 pixels need 1122: the board and two clue lines fit at 17.
  BoardFit fit{56, 40, 1280, 1024, kClueLine, 1.0};
  int size = fittedCellSize(20, fit);
  EXPECT_EQ(size, 17);
  EXPECT_LE(56 * size + 2 + 2 * kClueLine, 1024);
  EXPECT_GT(56 * (size + 1) + 2 + 2 * kClueLine, 1024);
  // Wide boards shrink for the width.
  EXPECT_EQ(fittedCellSize(20, {10, 70, 1280, 1024, kClueLine, 1.0}), 18);
}

TEST(CellSize, ScaleFactorsLowerTheSmallestSizeInLogicalPixels) {
  // At scale 2 the 1280 × 1024 screen is 640 × 512 logical pixels.
  BoardFit fit{56, 40, 640, 512, kClueLine, 2.0};
  int size = fittedCellSize(20, fit);
  EXPECT_EQ(size, 8);  // 16 device pixels: still a legible letter
  EXPECT_LE(56 * size + 2 + 2 * kClueLine, 512);
  EXPECT_EQ(smallestCellSize(1.5), 11);
  // Never below a legible letter, even when the board then does not fit.
  EXPECT_EQ(fittedCellSize(20, {200, 10, 1280, 1024, kClueLine, 1.0}), 16);
  EXPECT_EQ(fittedCellSize(20, {200, 10, 640, 512, kClueLine, 2.0}), 8);
}

TEST(CellSize, ZoomIsBounded) {
  EXPECT_EQ(boundedCellSize(2), 16);
  EXPECT_EQ(boundedCellSize(500), kLargestCellSize);
  EXPECT_EQ(boundedCellSize(24), 24);
}

// Zooming from the size on screen: each step in never makes the board smaller and each step out
// never larger, on small, middling, screen-filling and over-tall boards.
TEST(CellSize, ZoomIsMonotoneAtEveryBoardSize) {
  for (auto [rows, columns] : {std::pair{5, 5}, {15, 15}, {41, 41}, {56, 30}}) {
    const BoardFit fit{rows, columns, 1280, 1024, kClueLine, 1.0};
    for (int direction : {1, -1}) {
      int shown = fittedCellSize(kDefaultCellSize, fit);
      for (int step = 0; step < 30; ++step) {
        const int next = fittedCellSize(zoomedCellSize(shown, direction), fit);
        if (direction > 0)
          EXPECT_GE(next, shown) << rows << "x" << columns;
        else
          EXPECT_LE(next, shown) << rows << "x" << columns;
        shown = next;
      }
    }
  }
}

TEST(CellSize, ResizedWindowChoosesTheSizeThatFillsIt) {
  EXPECT_EQ(cellSizeFillingWindow(15, 15, 15 * 30 + 2, 15 * 40 + 2), 30);  // the narrower side rules
  EXPECT_EQ(cellSizeFillingWindow(41, 41, 100, 100), 16);                  // never below legible
  EXPECT_EQ(cellSizeFillingWindow(5, 5, 2000, 2000), kLargestCellSize);
}
