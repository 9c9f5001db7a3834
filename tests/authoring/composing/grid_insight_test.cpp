// The candidate ranking of a slot and the unfillable marks, against brute-force fills and
// against the searches' propagator.
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>

#include "authoring/composing/search/fill_propagator.h"
#include "authoring/composing/search/slot_candidates.h"
#include "authoring/composing/search/unfillable_marks.h"
#include "compose_test_support.h"

namespace gw {
namespace {

using namespace gw::testing;

const std::atomic<bool> kGoOn{false};

struct Grid {
  Layout layout;
  Dictionary dictionary;
  std::unique_ptr<WordListSnapshot> words;

  Grid(const std::string& text, const std::vector<std::string>& list, const WordScores& scores = {}) {
    layout = parseTextLayout(text, Language::English);
    dictionary.loadLines(list, Language::English, scores);
    words = std::make_unique<WordListSnapshot>(dictionary, std::max(layout.rows, layout.columns));
  }
  bool propagatorConsistent() const {
    const std::vector<Slot> slots = deriveSlots(layout);
    return FillPropagator(words->bits(), layout.board, slots, {}).consistent();
  }
  UnfillableMarks marks() const { return findUnfillable(*words, layout, kGoOn).value(); }
};

std::string wordIn(const Layout& layout, const std::string& fill, const Slot& s) {
  std::string w;
  for (int k = 0; k < s.length; ++k) {
    const int r = s.direction == Direction::Across ? s.row : s.row + k;
    const int c = s.direction == Direction::Across ? s.column + k : s.column;
    w += fill[static_cast<std::size_t>(r * layout.columns + c)];
  }
  return w;
}

Direction otherDirection(Direction d) { return d == Direction::Across ? Direction::Down : Direction::Across; }

struct RankCase {
  const char* name;
  std::string layout;
  std::vector<std::string> words;
  CellPos cell;
  Direction direction;
  bool acyclic;  // arc consistency is exact on a layout whose slots cross as a tree
  int flagged;   // words flagged unfillable
};

std::vector<RankCase> rankCases() {
  const std::vector<std::string> letters{"A", "B", "C", "D"};
  return {
      {"cross",
       "...\n#.#\n#D#\n",
       letters + randomWords("ABCD", {3}, 0.25, 11),
       {0, 1},
       Direction::Across,
       true,
       7},
      {"comb",
       "....\n.##.\n.##C\n",
       letters + randomWords("ABCD", {3, 4}, 0.25, 12),
       {0, 0},
       Direction::Across,
       true,
       21},
      {"fixedLetter",
       "..C.\n.##.\n.##.\n",
       letters + randomWords("ABCD", {3, 4}, 0.25, 13),
       {1, 3},
       Direction::Down,
       true,
       0},
      {"open3x3", "...\n...\n...\n", randomWords("ABC", {3}, 0.4, 1), {1, 0}, Direction::Across, false, 2},
      {"fourByFour",
       "#...\n....\n....\n...#\n",
       randomWords("AB", {3, 4}, 0.25, 2),
       {1, 2},
       Direction::Down,
       false,
       2},
  };
}

TEST(SlotCandidates, RankedWordsAgreeWithBruteForceFills) {
  for (const RankCase& c : rankCases()) {
    SCOPED_TRACE(c.name);
    Grid grid(c.layout, c.words);
    const SlotCandidates ranked = rankSlotCandidates(*grid.words, grid.layout, c.cell, c.direction, false,
                                                     CandidateDepth::Propagated, kGoOn)
                                      .value();
    const Slot slot = slotThrough(grid.layout, c.cell, c.direction).value();
    ASSERT_TRUE(ranked.slot.samePlace(slot));
    EXPECT_TRUE(ranked.layoutFillable);

    // Every word that fits the pattern, once.
    std::set<std::string> listed;
    for (const SlotCandidate& w : ranked.words) EXPECT_TRUE(listed.insert(w.word).second) << w.word;
    EXPECT_EQ(listed.size(), grid.dictionary.countWords(slotQuery(grid.layout.board, slot)));

    std::vector<Slot> crossings;
    for (int k = 0; k < slot.length; ++k) {
      const int r = slot.direction == Direction::Across ? slot.row : slot.row + k;
      const int col = slot.direction == Direction::Across ? slot.column + k : slot.column;
      if (!grid.layout.board.isEmpty(r, col)) continue;
      const auto x = slotThrough(grid.layout, {r, col}, otherDirection(c.direction));
      if (x && x->length >= 2) crossings.push_back(*x);
    }
    const std::set<std::string> fills = bruteForceFills(grid.layout, c.words);
    bool seenUnfillable = false;
    int flagged = 0;
    for (const SlotCandidate& w : ranked.words) {
      SCOPED_TRACE(w.word);
      std::vector<std::set<std::string>> kept(crossings.size());
      bool any = false;
      for (const std::string& fill : fills) {
        if (wordIn(grid.layout, fill, slot) != w.word) continue;
        any = true;
        for (std::size_t i = 0; i < crossings.size(); ++i)
          kept[i].insert(wordIn(grid.layout, fill, crossings[i]));
      }
      // A flagged word has no fill; on a tree of slots the flag and the counts are exact.
      if (w.unfillable) {
        EXPECT_FALSE(any);
      }
      if (c.acyclic) {
        EXPECT_EQ(w.unfillable, !any);
      }
      if (w.unfillable) {
        ++flagged;
        seenUnfillable = true;
        continue;
      }
      EXPECT_FALSE(seenUnfillable) << "a fillable word after an unfillable one";
      std::uint64_t fewest = crossings.empty() ? 0 : UINT64_MAX, total = 0;
      for (const auto& k : kept) {
        fewest = std::min<std::uint64_t>(fewest, k.size());
        total += k.size();
      }
      if (c.acyclic) {
        EXPECT_EQ(w.fewestCrossing, fewest);
        EXPECT_EQ(w.crossingTotal, total);
      } else {
        EXPECT_GE(w.fewestCrossing, fewest);
        EXPECT_GE(w.crossingTotal, total);
      }
    }
    EXPECT_EQ(flagged, c.flagged);

    // The estimate lists the same words, flags only flagged ones and never counts fewer.
    const SlotCandidates estimate = rankSlotCandidates(*grid.words, grid.layout, c.cell, c.direction, false,
                                                       CandidateDepth::Estimate, kGoOn)
                                        .value();
    std::map<std::string, SlotCandidate> estimated;
    for (const SlotCandidate& w : estimate.words) estimated[w.word] = w;
    ASSERT_EQ(estimated.size(), ranked.words.size());
    for (const SlotCandidate& w : ranked.words) {
      const SlotCandidate& e = estimated[w.word];
      EXPECT_TRUE(!e.unfillable || w.unfillable) << w.word;
      EXPECT_GE(e.fewestCrossing, w.fewestCrossing) << w.word;
      EXPECT_GE(e.crossingTotal, w.crossingTotal) << w.word;
    }
    for (std::size_t i = 1; i < ranked.words.size(); ++i) {
      const SlotCandidate& a = ranked.words[i - 1];
      const SlotCandidate& b = ranked.words[i];
      if (!a.unfillable && !b.unfillable) {
        EXPECT_GE(a.fewestCrossing, b.fewestCrossing);
      }
    }
  }
}

TEST(SlotCandidates, ScoreOrdersWordsThatKeepAsMuchOfTheGrid) {
  WordScores scores;
  scores.set("ABA", 90);
  scores.set("ACA", 20);
  // Both crossings keep the same words whichever of the three is placed.
  Grid grid("...\n.#.\n.#.\n", {"ABA", "ACA", "ADA", "AXA", "AYA", "A", "B", "C", "D", "X", "Y"}, scores);
  const SlotCandidates ranked = rankSlotCandidates(*grid.words, grid.layout, {0, 0}, Direction::Across, false,
                                                   CandidateDepth::Propagated, kGoOn)
                                    .value();
  std::vector<std::string> order;
  for (const SlotCandidate& w : ranked.words) order.push_back(w.word + ":" + std::to_string(w.score));
  EXPECT_EQ(order, (std::vector<std::string>{"ABA:90", "ADA:50", "AXA:50", "AYA:50", "ACA:20"}));
}

TEST(SlotCandidates, UnfillableLayoutCountsCrossingsByPattern) {
  // Column 3 can take no word, so propagation proves nothing about the left block; its
  // crossings are counted from their patterns, and a word leaving one no word is still flagged.
  Grid grid("..#.\n..#Q\n", {"AB", "CD", "AC", "BD", "A", "B", "C", "D"});
  const SlotCandidates ranked = rankSlotCandidates(*grid.words, grid.layout, {0, 0}, Direction::Across, false,
                                                   CandidateDepth::Propagated, kGoOn)
                                    .value();
  EXPECT_FALSE(ranked.layoutFillable);
  std::map<std::string, std::pair<std::uint64_t, bool>> got;
  for (const SlotCandidate& w : ranked.words) got[w.word] = {w.fewestCrossing, w.unfillable};
  using Got = std::map<std::string, std::pair<std::uint64_t, bool>>;
  EXPECT_EQ(got, (Got{{"AB", {1, false}}, {"AC", {1, false}}, {"BD", {0, true}}, {"CD", {0, true}}}));
}

TEST(SlotCandidates, NoSlotAndStop) {
  Grid grid("#A\n..\n", {"AB", "CD", "BD"});
  // (0, 1) is the fixed A of the down slot: across there is a one-cell run of a letter only.
  const SlotCandidates none = rankSlotCandidates(*grid.words, grid.layout, {0, 1}, Direction::Across, false,
                                                 CandidateDepth::Propagated, kGoOn)
                                  .value();
  EXPECT_EQ(none.slot.length, 0);
  EXPECT_TRUE(none.words.empty());
  const std::atomic<bool> stop{true};
  Grid big("....\n....\n....\n....\n", randomWords("ABCD", {4}, 0.5, 7));
  EXPECT_FALSE(rankSlotCandidates(*big.words, big.layout, {0, 0}, Direction::Across, false,
                                  CandidateDepth::Propagated, stop));
  EXPECT_FALSE(findUnfillable(*big.words, big.layout, stop));
}

// ---------------------------------------------------------------- unfillable marks

struct MarkCase {
  const char* name;
  std::string layout;
  std::vector<std::string> words;
  std::vector<CellPos> cells;
  std::vector<std::pair<CellPos, Direction>> slots;  // a cell of each marked slot
};

TEST(UnfillableMarks, MarksWhereTheTroubleIs) {
  const std::vector<std::string> two{"AB", "CD", "AC", "BD", "EF", "GH", "EG", "FH"};
  const std::vector<MarkCase> cases{
      {"fillable", "..\n..\n", two, {}, {}},
      // AB wants B at (0, 1) and CD wants C there; likewise at (1, 0).
      {"letters disagree", "A.\n.D\n", {"AB", "CD"}, {{0, 1}, {1, 0}}, {}},
      {"no word fits", "Q.\n..\n", two, {}, {{{0, 0}, Direction::Across}, {{0, 0}, Direction::Down}}},
      // The trouble of the left block leaves the right block alone.
      {"far part untouched", "A.#..\n.D#..\n", {"AB", "CD", "EF", "GH", "EG", "FH"}, {{0, 1}, {1, 0}}, {}},
  };
  for (const MarkCase& c : cases) {
    SCOPED_TRACE(c.name);
    Grid grid(c.layout, c.words);
    const UnfillableMarks marks = grid.marks();
    EXPECT_EQ(marks.cells, c.cells);
    ASSERT_EQ(marks.slots.size(), c.slots.size());
    for (std::size_t i = 0; i < c.slots.size(); ++i)
      EXPECT_TRUE(
          marks.slots[i].samePlace(slotThrough(grid.layout, c.slots[i].first, c.slots[i].second).value()));
    EXPECT_EQ(marks.empty(), grid.propagatorConsistent());
  }
}

TEST(UnfillableMarks, NothingMarkedExactlyWhenThePropagatorIsConsistent) {
  std::mt19937 rng(5);
  const std::vector<std::string> words = randomWords("ABC", {1, 2, 3, 4}, 0.35, 9);
  int inconsistent = 0;
  for (int round = 0; round < 300; ++round) {
    std::string text;
    for (int r = 0; r < 4; ++r) {
      for (int c = 0; c < 4; ++c) {
        const unsigned roll = rng() % 10;
        text += roll < 2 ? '#' : roll < 4 ? static_cast<char>('A' + rng() % 3) : '.';
      }
      text += '\n';
    }
    SCOPED_TRACE(text);
    Grid grid(text, words);
    const UnfillableMarks marks = grid.marks();
    EXPECT_EQ(marks.empty(), grid.propagatorConsistent());
    for (const CellPos& cell : marks.cells) EXPECT_TRUE(grid.layout.board.isEmpty(cell.row, cell.column));
    if (!marks.empty()) ++inconsistent;
  }
  // Both kinds of layout were met.
  EXPECT_GT(inconsistent, 30);
  EXPECT_LT(inconsistent, 270);
}

}  // namespace
}  // namespace gw
