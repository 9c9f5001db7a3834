#include "authoring/composing/search/slot_order.h"

#include <gtest/gtest.h>

#include "authoring/composing/dictionary/dictionary.h"
#include "authoring/composing/layout/layout_text.h"

namespace gw {
namespace {

// The derivation positions (1-based) of the slots in their filling order.
std::vector<int> orderOf(const std::string& layoutText, const std::vector<std::string>& words,
                         bool* ok = nullptr) {
  Layout l = parseTextLayout(layoutText, Language::English);
  Dictionary d;
  d.loadLines(words, Language::English);
  std::vector<Slot> derived = deriveSlots(l);
  std::vector<Slot> slots = derived;
  bool done = orderSlots(slots, l, d);
  if (ok) *ok = done;
  std::vector<int> order;
  for (const Slot& s : slots)
    for (std::size_t i = 0; i < derived.size(); ++i)
      if (derived[i].samePlace(s)) order.push_back(static_cast<int>(i) + 1);
  return order;
}

const std::vector<std::string> kThreeAndFour{"ABC", "ABCD"};

TEST(SlotOrdering, FourByFourExampleFollowsTheBoardFromCrossingToCrossing) {
  EXPECT_EQ(orderOf("#...\n....\n....\n...#\n", kThreeAndFour), (std::vector<int>{2, 8, 1, 7, 3, 6, 4, 5}));
}

TEST(SlotOrdering, DisconnectedPartIsEnteredByTheFallbackChoice) {
  // Slots 1 to 4 across (left top, right top, left bottom, right bottom), 5 to 8 down.
  // After the left part (1, 6, 3, 5) nothing crosses an ordered slot: the fallback takes the
  // first remaining slot that crosses a later one (4), and the order goes on from there.
  EXPECT_EQ(orderOf("..#..\n..#..\n", {"AB"}), (std::vector<int>{1, 6, 3, 5, 4, 8, 2, 7}));
}

TEST(SlotOrdering, FallbackThresholdBecomesTheLargestFirstCount) {
  // In the fallback a later slot replaces the first choice only when it crosses more later
  // slots than the best count of derivation order.
  EXPECT_EQ(orderOf("##.##\n.###.\n.####\n.#.#.\n.##.#\n", {"AB", "ABC", "ABCD"}),
            (std::vector<int>{1, 11, 3, 14, 10, 8, 5, 2, 4, 7, 15, 12, 6, 9, 13}));
  EXPECT_EQ(orderOf(".#..##\n.##.#.\n.#.#.#\n", {"AB", "ABC"}),
            (std::vector<int>{2, 10, 12, 4, 5, 14, 9, 1, 3, 6, 11, 7, 13, 8}));
}

TEST(SlotOrdering, TwoSlotsKeepAcrossFirstAndDownLast) {
  EXPECT_EQ(orderOf("#A#\nB.C\n#D#\n", {"BOC", "AOD"}), (std::vector<int>{1, 2}));
}

TEST(SlotOrdering, EqualCrossingCountsKeepTheEarlierSlotFirst) {
  // Both across slots cross both down slots; the first across slot leads.
  EXPECT_EQ(orderOf("..\n..\n", {"AB"})[0], 1);
}

TEST(SlotOrdering, SlotWithoutAnyWordMeansNoSolutionAndLeavesTheOrder) {
  bool ok = true;
  std::vector<int> order = orderOf("Q..\n...\n", {"ABC", "AB"}, &ok);
  EXPECT_FALSE(ok);
  EXPECT_EQ(order, (std::vector<int>{1, 2, 3, 4, 5}));
  // One-cell slots are not checked here, even without one-letter words.
  orderOf("###\n#.#\n###\n", {"AB"}, &ok);
  EXPECT_TRUE(ok);
}

TEST(SlotOrdering, EverySlotKeepsItsPlaceAndCountAfterOrdering) {
  std::vector<int> order = orderOf("..#..\n.....\n#...#\n.....\n..#..\n", {"AB", "ABC", "ABCDE"});
  std::vector<int> sorted = order;
  std::sort(sorted.begin(), sorted.end());
  for (std::size_t i = 0; i < sorted.size(); ++i) EXPECT_EQ(sorted[i], static_cast<int>(i) + 1);
}

TEST(SlotOrdering, PlaceholderRepeatsTheFirstDigitOfThePosition) {
  EXPECT_EQ(placeholderWord(7, 3), "777");
  EXPECT_EQ(placeholderWord(12, 4), "1111");
}

}  // namespace
}  // namespace gw
