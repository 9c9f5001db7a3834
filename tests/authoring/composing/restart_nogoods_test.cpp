#include "authoring/composing/search/restart_nogoods.h"

#include <gtest/gtest.h>

#include <memory>

#include "compose_test_support.h"

namespace gw {
namespace {

using namespace gw::testing;
using Literal = RestartNogoods::Literal;

// A 3 × 3 board over every word of A, B and C: no decision narrows another slot, so what
// leaves a slot is what the nogoods take.
struct OpenBoard {
  Layout layout = parseTextLayout("...\n...\n...\n", Language::English);
  Dictionary dictionary;
  std::vector<Slot> slots = deriveSlots(layout);
  std::unique_ptr<WordBitSets> bits;
  std::unique_ptr<FillPropagator> propagator;

  OpenBoard() {
    std::vector<std::string> words;
    for (char a : std::string("ABC"))
      for (char b : std::string("ABC"))
        for (char c : std::string("ABC")) words.push_back({a, b, c});
    dictionary.loadLines(words, Language::English);
    bits = std::make_unique<WordBitSets>(dictionary, std::vector<int>{3});
    propagator = std::make_unique<FillPropagator>(*bits, layout.board, slots, FillPropagator::Options{});
  }
  Literal across(int row, const std::string& word) const {
    for (std::size_t s = 0; s < slots.size(); ++s)
      if (slots[s].direction == Direction::Across && slots[s].row == row) {
        const LengthWordBits& words = bits->forLength(3);
        for (FillPropagator::WordId id = 0; id < words.wordCount(); ++id)
          if (words.word(id) == word) return {SlotId(s), id};
      }
    ADD_FAILURE() << "no slot or word " << word;
    return {};
  }
};

TEST(RestartNogoods, TakeTheLastLiteralOnceAllTheOthersAreDecidedInAnyOrder) {
  OpenBoard board;
  const Literal a = board.across(0, "ABC"), b = board.across(1, "BCA"), c = board.across(2, "CAB");
  const Literal ccc = board.across(1, "CCC");
  RestartNogoods nogoods;
  // A branch a, b that had refuted CCC in row 1 under a, and c under a and b.
  nogoods.recordBranch({a, b}, {{1, ccc}, {2, c}});
  struct Case {
    const char* what;
    std::vector<Literal> decided;
    std::vector<Literal> takenAway, kept;
  };
  const std::vector<Case> cases = {
      {"a then b", {a, b}, {ccc, c}, {}},
      {"b then a", {b, a}, {c}, {}},
      {"c then a", {c, a}, {ccc, b}, {}},
      {"a alone", {a}, {ccc}, {b, c}},
      {"b and c", {b, c}, {a}, {}},
      {"c alone", {c}, {}, {a, b, ccc}},
  };
  for (const Case& t : cases) {
    SCOPED_TRACE(t.what);
    FillPropagator& p = *board.propagator;
    std::vector<Literal> decisions;
    std::vector<SlotId> narrowed;
    for (const Literal& l : t.decided) {
      p.pushLevel();
      ASSERT_TRUE(p.assign(l.slot, l.word));
      decisions.push_back(l);
      ASSERT_TRUE(nogoods.consequences(decisions, p, narrowed));
    }
    EXPECT_EQ(narrowed.size(), t.takenAway.size());
    for (const Literal& l : t.takenAway) EXPECT_FALSE(p.has(l.slot, l.word));
    for (const Literal& l : t.kept) EXPECT_TRUE(p.has(l.slot, l.word));
    while (p.level() > 0) p.popLevel();
  }
}

}  // namespace
}  // namespace gw
