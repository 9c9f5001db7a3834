#include "authoring/composing/search/first_fill_search.h"

#include "authoring/composing/search/first_fill_result.h"
#include "authoring/composing/search/luby_cutoff.h"

#include <gtest/gtest.h>

#include <tuple>

#include "compose_test_support.h"

namespace gw {
namespace {

using namespace gw::testing;

using FillCase = ComposeProblem;

std::vector<FillCase> fillCases() {
  std::vector<FillCase> cases{
      {"open3x3", "...\n...\n...\n", randomWords("ABC", {3}, 0.45, 1)},
      {"fixedLetters", "A..#\n...B\n#...\n", randomWords("ABC", {2, 3, 4}, 0.5, 3)},
      {"oneCellSlots", "#.#\n...\n#.#\n",
       std::vector<std::string>{"A", "C"} + randomWords("ABC", {3}, 0.5, 4)},
      {"fourByFive", "....\n.#..\n....\n..#.\n....\n", randomWords("AB", {1, 2, 3, 4, 5}, 0.7, 5)},
      {"noFillCrossings", "...\n...\n", {"AB", "BA", "ABA", "ABB"}},
      {"noFillLetter", "..Q\n...\n", {"AB", "BA", "AA", "ABA", "BAB"}},
  };
  // Sparse lists: some have fills, some none.
  for (unsigned seed = 20; seed < 32; ++seed)
    cases.push_back(
        {"sparse" + std::to_string(seed), "....\n....\n....\n", randomWords("ABC", {3, 4}, 0.25, seed)});
  return cases;
}

struct Solved {
  FirstFillStatus status;
  std::vector<std::string> words;
  std::vector<Slot> slots;
};

Solved solve(const FillCase& c, const Dictionary& d, FirstFillOptions options, std::uint64_t slice = 50) {
  Layout layout = parseTextLayout(c.layout, Language::English);
  std::vector<Slot> slots = deriveSlots(layout);
  FirstFillSearch search(d, layout.board, slots, options);
  FirstFillStatus status = FirstFillStatus::Searching;
  for (int calls = 0; status == FirstFillStatus::Searching && calls < 1000000; ++calls)
    status = search.run(slice);
  return {status, search.words(), slots};
}

// The board of a fill, row by row, as the brute force gives it.
std::string boardOf(const Layout& layout, const Solved& s) {
  Layout filled = layout;
  for (std::size_t i = 0; i < s.slots.size(); ++i) {
    // A fixed letter must stay: the word agrees with the layout where it has letters.
    for (int k = 0; k < s.slots[i].length; ++k) {
      const BoardCell& cell = layout.board.at(s.slots[i].cellIndex(k));
      if (cell.length != 0) {
        EXPECT_EQ(cell.character, s.words[i][static_cast<std::size_t>(k)]);
      }
    }
    placeWord(filled.board, s.slots[i], s.words[i]);
  }
  return resultCrossword(filled).board;
}

bool hasRepeat(const Solved& s) {
  std::set<std::string> seen;
  for (const std::string& w : s.words)
    if (w.size() >= 2 && !seen.insert(w).second) return true;
  return false;
}

TEST(FirstFill, FindsAFillExactlyWhenTheBruteForceDoes) {
  for (const FillCase& c : fillCases()) {
    Dictionary d;
    d.loadLines(c.words, Language::English);
    const Layout layout = parseTextLayout(c.layout, Language::English);
    // The brute-force fills, and those among them without a repeated word.
    std::set<std::string> fills = bruteForceFills(layout, c.words), unrepeated;
    for (const std::string& f : fills) {
      Solved probe{FirstFillStatus::Filled, {}, deriveSlots(layout)};
      for (const Slot& slot : probe.slots) {
        std::string w;
        for (int k = 0; k < slot.length; ++k) {
          int col = slot.direction == Direction::Across ? slot.column + k : slot.column;
          int row = slot.direction == Direction::Across ? slot.row : slot.row + k;
          w += f[static_cast<std::size_t>(row * layout.columns + col)];
        }
        probe.words.push_back(w);
      }
      if (!hasRepeat(probe)) unrepeated.insert(f);
    }
    // Churn: a restart after every failure and the weights forgotten every few, so that the
    // small layouts go through both and must still find a fill or prove there is none. With
    // learning every lane keeps nogoods from its restarts, which churn makes many of.
    for (auto [noRepeat, lanes, churn, learning] : {std::tuple{false, 1, false, false},
                                                    {false, 2, false, false},
                                                    {true, 1, false, false},
                                                    {true, 2, false, false},
                                                    {false, 1, true, false},
                                                    {true, 2, true, false},
                                                    {false, 1, true, true},
                                                    {true, 2, true, true}}) {
      SCOPED_TRACE(c.name + (noRepeat ? " no repeat" : "") + " lanes " + std::to_string(lanes) +
                   (churn ? " churn" : "") + (learning ? " learning" : ""));
      const std::set<std::string>& allowed = noRepeat ? unrepeated : fills;
      FirstFillOptions options{5, lanes, noRepeat, churn ? 1u : 0u, churn ? 3u : 0u};
      options.learnFromRestarts = learning;
      Solved s = solve(c, d, options);
      if (allowed.empty()) {
        EXPECT_EQ(s.status, FirstFillStatus::NoFill);
        EXPECT_TRUE(s.words.empty());
        continue;
      }
      ASSERT_EQ(s.status, FirstFillStatus::Filled);
      ASSERT_EQ(s.words.size(), s.slots.size());
      for (const std::string& w : s.words) EXPECT_TRUE(d.containsWord(w)) << w;
      EXPECT_TRUE(allowed.count(boardOf(layout, s))) << "not a fill";
      if (noRepeat) {
        EXPECT_FALSE(hasRepeat(s));
      }
    }
  }
}

TEST(FirstFill, TheSameSeedGivesTheSameFillAndOtherSeedsMayDiffer) {
  // Many fills to choose from, so that the choice shows.
  FillCase c{"open4x4", "....\n....\n....\n....\n", randomWords("ABC", {4}, 0.6, 9)};
  Dictionary d;
  d.loadLines(c.words, Language::English);
  for (auto [lanes, learning] : {std::pair{1, false}, {2, false}, {2, true}}) {
    SCOPED_TRACE("lanes " + std::to_string(lanes) + (learning ? " learning" : ""));
    std::set<std::vector<std::string>> bySeed;
    for (std::uint64_t seed = 1; seed <= 6; ++seed) {
      // Also with restarts and forgetting (new seeds) along the way.
      for (std::uint64_t churn : {0, 1}) {
        FirstFillOptions options{seed, lanes, false, churn, churn * 3};
        options.learnFromRestarts = learning;
        Solved first = solve(c, d, options);
        ASSERT_EQ(first.status, FirstFillStatus::Filled);
        for (int again = 0; again < 3; ++again) EXPECT_EQ(solve(c, d, options).words, first.words);
        // Run in other slices, the search is the same.
        EXPECT_EQ(solve(c, d, options, 1).words, first.words);
        EXPECT_EQ(solve(c, d, options, 100000).words, first.words);
        if (!churn) bySeed.insert(first.words);
      }
    }
    EXPECT_GT(bySeed.size(), 1u) << "the seed has no effect";
  }
}

TEST(FirstFill, StoppedPartWayHasNoFill) {
  FillCase c{"open4x4", "....\n....\n....\n....\n", randomWords("ABC", {4}, 0.6, 9)};
  Dictionary d;
  d.loadLines(c.words, Language::English);
  Layout layout = parseTextLayout(c.layout, Language::English);
  for (int lanes : {1, 2}) {
    FirstFillSearch search(d, layout.board, deriveSlots(layout), {3, lanes, false});
    search.stop();
    EXPECT_EQ(search.run(1000), FirstFillStatus::Stopped);
    EXPECT_TRUE(search.words().empty());
  }
}

TEST(FirstFillResult, NumberFollowsTheHighestResultOfThatLayoutOnly) {
  TempDir dir;
  EXPECT_EQ(nextResultNumber(dir.path(), "spring.C_WM"), 1);
  EXPECT_EQ(nextResultNumber(dir / "absent", "spring.C_WM"), 1);
  for (const char* name : {"spring1.C_W", "spring2.C_W", "spring12.C_W", "spring.C_W", "springx3.C_W",
                           "spring07.C_W", "autumn40.C_W", "spring99.C_W.tmp", "spring50.TMP"})
    writeText(dir / name, "x");
  EXPECT_EQ(nextResultNumber(dir.path(), "some/folder/spring.C_WM"), 13);
  EXPECT_EQ(nextResultNumber(dir.path(), "autumn.C_WM"), 41);
}

}  // namespace
}  // namespace gw

TEST(LubyCutoff, FollowsTheLubySequenceTimesItsScale) {
  gw::LubyCutoff cutoff(100);
  std::vector<std::uint64_t> budgets{cutoff()};
  for (int i = 0; i < 14; ++i) budgets.push_back(cutoff.next());
  EXPECT_EQ(budgets, (std::vector<std::uint64_t>{100, 100, 200, 100, 100, 200, 400, 100, 100, 200, 100, 100,
                                                 200, 400, 800}));
}
