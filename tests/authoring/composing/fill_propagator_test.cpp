#include "authoring/composing/search/fill_propagator.h"

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <random>
#include <set>

#include "compose_test_support.h"

namespace gw {
namespace {

using namespace gw::testing;

using Problem = ComposeProblem;

std::vector<Problem> problems() {
  std::vector<Problem> all = backtrackingProblems();
  all.push_back({"sparse", "....\n....\n....\n", randomWords("ABCD", {3, 4}, 0.08, 6)});
  all.push_back({"none", "...\n...\n", std::vector<std::string>{"AB", "BA", "ABA", "ABB"}});
  return all;
}

// A problem set up for the propagator, with the fills a brute-force enumeration finds.
struct FillCase {
  Layout layout;
  Dictionary dictionary;
  std::vector<Slot> slots;
  std::unique_ptr<WordBitSets> bits;
  std::vector<std::string> fills;  // boards, row by row

  explicit FillCase(const Problem& p) {
    layout = parseTextLayout(p.layout, Language::English);
    dictionary.loadLines(p.words, Language::English);
    slots = deriveSlots(layout);
    std::vector<int> lengths;
    for (const Slot& s : slots) lengths.push_back(s.length);
    bits = std::make_unique<WordBitSets>(dictionary, lengths);
    std::set<std::string> all = bruteForceFills(layout, p.words);
    fills.assign(all.begin(), all.end());
  }
  FillPropagator propagator(bool noRepeat = false) const {
    return FillPropagator(*bits, layout.board, slots, {noRepeat});
  }
  std::string wordIn(const std::string& fill, const Slot& s) const {
    std::string w;
    for (int k = 0; k < s.length; ++k) {
      int c = s.direction == Direction::Across ? s.column + k : s.column;
      int r = s.direction == Direction::Across ? s.row : s.row + k;
      w += fill[static_cast<std::size_t>(r * layout.columns + c)];
    }
    return w;
  }
  FillPropagator::WordId idOf(const std::string& word) const {
    std::vector<Dictionary::WordId> ids = dictionary.findWords(word);
    EXPECT_EQ(ids.size(), 1u) << word;
    return ids.empty() ? 0 : ids[0];
  }
  bool hasRepeat(const std::string& fill) const {
    std::set<std::string> seen;
    for (const Slot& s : slots)
      if (s.length >= 2 && !seen.insert(wordIn(fill, s)).second) return true;
    return false;
  }
};

// The brute-force enumeration is the slow part: each problem is set up once.
const FillCase& setUp(const Problem& problem) {
  static std::map<std::string, std::unique_ptr<FillCase>> made;
  auto& made1 = made[problem.name + problem.layout];
  if (!made1) made1 = std::make_unique<FillCase>(problem);
  return *made1;
}

// Everything the propagator holds, to compare before and after a level.
std::vector<std::string> snapshot(const FillPropagator& p) {
  std::vector<std::string> out;
  for (SlotId s : p.slots()) {
    std::string line = std::to_string(p.size(s)) + ":";
    p.forEachWord(s, [&](FillPropagator::WordId id) { line += std::to_string(id) + ","; });
    for (int k = 0; k < p.wordsOf(s).length(); ++k)
      for (int w = 0; w < 4; ++w)
        line += "|" + std::to_string(p.letters(s, k).words[static_cast<std::size_t>(w)]);
    out.push_back(line);
  }
  return out;
}

// Every possible word's letters are allowed by its cells and supported by the crossing slot.
void expectArcConsistent(const FillPropagator& p) {
  for (SlotId s : p.slots()) {
    EXPECT_GT(p.size(s), 0u);
    std::size_t counted = 0;
    p.forEachWord(s, [&](FillPropagator::WordId id) {
      ++counted;
      for (int k = 0; k < p.wordsOf(s).length(); ++k) {
        SlotId other = p.crossingSlot(s, k);
        if (other == FillPropagator::kNoSlot) continue;
        unsigned char letter = p.wordsOf(s).letter(id, k);
        EXPECT_TRUE(p.letters(s, k).has(letter));
        EXPECT_GT(p.countWithLetter(other, p.crossingPosition(s, k), letter), 0u) << "unsupported letter";
      }
    });
    EXPECT_EQ(counted, p.size(s));
  }
}

// Every word of a fill that agrees with `keep` is still possible, and the rest is arc consistent.
void expectSoundAndConsistent(const FillCase& setup, const FillPropagator& p,
                              const std::function<bool(const std::string&)>& keep) {
  for (const std::string& fill : setup.fills) {
    if (!keep(fill)) continue;
    for (std::size_t s = 0; s < setup.slots.size(); ++s)
      EXPECT_TRUE(p.has(SlotId(s), setup.idOf(setup.wordIn(fill, setup.slots[s]))))
          << "a word of a fill was removed from slot " << s;
  }
  expectArcConsistent(p);
}

// The letter counts that guide propagation agree with the words actually left.
void expectCountsMatchWords(const FillPropagator& p) {
  for (SlotId s : p.slots()) {
    const LengthWordBits& bits = p.wordsOf(s);
    std::map<std::pair<int, unsigned char>, std::size_t> counted;
    p.forEachWord(s, [&](FillPropagator::WordId id) {
      for (int k = 0; k < bits.length(); ++k) ++counted[{k, bits.letter(id, k)}];
    });
    for (int k = 0; k < bits.length(); ++k) {
      std::array<std::uint32_t, 256> byLetter;
      byLetter.fill(~0u);
      p.countByLetter(s, k, bits.lettersAt(k), byLetter.data());  // all letters in one go
      bits.lettersAt(k).forEach([&](unsigned char letter) {
        auto it = counted.find({k, letter});
        ASSERT_EQ(p.countWithLetter(s, k, letter), it == counted.end() ? 0u : it->second)
            << "slot " << s.index() << " position " << k << " letter " << letter;
        ASSERT_EQ(byLetter[letter], p.countWithLetter(s, k, letter));
      });
    }
  }
}

TEST(FillPropagator, InitialPropagationKeepsEveryFillAndIsArcConsistent) {
  for (const Problem& problem : problems()) {
    SCOPED_TRACE(problem.name);
    const FillCase& setup = setUp(problem);
    FillPropagator p = setup.propagator();
    if (!p.consistent()) {
      EXPECT_TRUE(setup.fills.empty());
      continue;
    }
    expectSoundAndConsistent(setup, p, [](const std::string&) { return true; });
  }
}

TEST(FillPropagator, ProvesTheSmallUnfillableLayoutHasNoFill) {
  const FillCase& setup = setUp(problems().back());
  ASSERT_TRUE(setup.fills.empty());
  EXPECT_FALSE(setup.propagator().consistent());
}

TEST(FillPropagator, AssigningAWordKeepsExactlyTheFillsWithIt) {
  for (const Problem& problem : problems()) {
    SCOPED_TRACE(problem.name);
    const FillCase& setup = setUp(problem);
    FillPropagator p = setup.propagator();
    if (!p.consistent()) continue;
    for (SlotId s : p.slots()) {
      std::vector<FillPropagator::WordId> words;
      p.forEachWord(s, [&](FillPropagator::WordId id) { words.push_back(id); });
      for (FillPropagator::WordId id : words) {
        std::string word(p.wordsOf(s).word(id));
        auto withWord = [&](const std::string& fill) {
          return setup.wordIn(fill, setup.slots[s.index()]) == word;
        };
        bool anyFill = std::any_of(setup.fills.begin(), setup.fills.end(), withWord);
        std::vector<std::string> before = snapshot(p);
        p.pushLevel();
        bool ok = p.assign(s, id);
        if (anyFill) {
          ASSERT_TRUE(ok) << word << " is in a fill but propagation failed";
          EXPECT_EQ(p.size(s), 1u);
          expectSoundAndConsistent(setup, p, withWord);
        }
        p.popLevel();
        ASSERT_EQ(snapshot(p), before) << "popLevel did not undo assigning " << word;
      }
    }
  }
}

// A depth-first search over the slots in derivation order with the propagator as its only
// check finds exactly the brute-force fills.
void collectFills(const FillCase& setup, FillPropagator& p, std::size_t slot, std::set<std::string>& found) {
  if (slot == setup.slots.size()) {
    Layout filled = setup.layout;
    for (std::size_t s = 0; s < setup.slots.size(); ++s) {
      ASSERT_EQ(p.size(SlotId(s)), 1u);
      placeWord(filled.board, setup.slots[s],
                p.wordsOf(SlotId(s)).word(static_cast<FillPropagator::WordId>(p.next(SlotId(s), 0))));
    }
    found.insert(resultCrossword(filled).board);
    return;
  }
  std::vector<FillPropagator::WordId> words;
  p.forEachWord(SlotId(slot), [&](FillPropagator::WordId id) { words.push_back(id); });
  for (FillPropagator::WordId id : words) {
    p.pushLevel();
    if (p.assign(SlotId(slot), id)) collectFills(setup, p, slot + 1, found);
    p.popLevel();
  }
}

TEST(FillPropagator, SearchWithItFindsExactlyTheBruteForceFills) {
  for (bool noRepeat : {false, true}) {
    for (const Problem& problem : problems()) {
      SCOPED_TRACE(problem.name + (noRepeat ? " no repeat" : ""));
      const FillCase& setup = setUp(problem);
      std::set<std::string> expected;
      for (const std::string& fill : setup.fills)
        if (!noRepeat || !setup.hasRepeat(fill)) expected.insert(fill);
      FillPropagator p = setup.propagator(noRepeat);
      std::set<std::string> found;
      if (p.consistent()) collectFills(setup, p, 0, found);
      EXPECT_EQ(found, expected);
    }
  }
}

TEST(FillPropagator, NoRepeatTakesASettledWordFromTheOtherSlotsOfItsLength) {
  // Slots 0 and 2 are the across words of three letters; the down word joins their middles.
  FillCase setup({"ladder", "...\n#.#\n...\n", {"ABC", "CBA", "BXB", "BYB", "A", "B", "C", "X", "Y"}});
  FillPropagator p = setup.propagator(true);
  ASSERT_TRUE(p.consistent());
  const FillPropagator::WordId abc = setup.idOf("ABC");
  p.pushLevel();
  ASSERT_TRUE(p.assign(SlotId(0), abc));
  EXPECT_FALSE(p.has(SlotId(2), abc)) << "the second across slot may not repeat ABC";
  p.popLevel();
  EXPECT_TRUE(p.has(SlotId(2), abc));
  // Without the option the same word may fill both.
  FillPropagator repeats = setup.propagator(false);
  repeats.pushLevel();
  ASSERT_TRUE(repeats.assign(SlotId(0), abc));
  EXPECT_TRUE(repeats.has(SlotId(2), abc));
}

TEST(FillPropagator, RandomLevelsOfAssignAndExcludeUndoExactly) {
  std::mt19937 rng(7);
  for (const Problem& problem : problems()) {
    SCOPED_TRACE(problem.name);
    const FillCase& setup = setUp(problem);
    FillPropagator p = setup.propagator(problem.name == "fourByFive");
    if (!p.consistent()) continue;
    std::vector<std::vector<std::string>> stack{snapshot(p)};
    // A slot's version names its words: whenever a version comes again, so do the words.
    std::map<std::pair<std::size_t, std::uint64_t>, std::vector<FillPropagator::WordId>> versions;
    const auto expectVersionsNameWords = [&] {
      for (SlotId s : p.slots()) {
        std::vector<FillPropagator::WordId> words;
        p.forEachWord(s, [&](FillPropagator::WordId id) { words.push_back(id); });
        const auto [it, first] = versions.try_emplace({s.index(), p.version(s)}, words);
        ASSERT_EQ(it->second, words) << "slot " << s.index() << " version " << p.version(s);
      }
    };
    for (int step = 0; step < 400; ++step) {
      expectVersionsNameWords();
      if (p.level() > 0 && (rng() % 3 == 0)) {
        p.popLevel();
        stack.pop_back();
        ASSERT_EQ(snapshot(p), stack.back());
        expectCountsMatchWords(p);
        continue;
      }
      const SlotId s(rng() % static_cast<unsigned>(p.slotCount()));
      std::vector<FillPropagator::WordId> words;
      p.forEachWord(s, [&](FillPropagator::WordId id) { words.push_back(id); });
      FillPropagator::WordId id = words[rng() % words.size()];
      p.pushLevel();
      bool ok = rng() % 2 ? p.assign(s, id) : p.exclude(s, id);
      if (!ok) {
        p.popLevel();
        ASSERT_EQ(snapshot(p), stack.back());
      } else {
        stack.push_back(snapshot(p));
      }
      expectCountsMatchWords(p);
    }
  }
}

// Lists of hundreds of words per length: a slot's words span several 64-word blocks, most of
// which empty as words are placed, and must all come back when a level is undone.
TEST(FillPropagator, ManyBlockListsUndoExactlyAndStayArcConsistent) {
  Layout layout = parseTextLayout("....\n....\n....\n....\n", Language::English);
  Dictionary dictionary;
  dictionary.loadLines(randomWords("ABCDEF", {4}, 0.35, 11), Language::English);
  ASSERT_GT(dictionary.wordCount(4), 6u * 64u);
  std::vector<Slot> slots = deriveSlots(layout);
  WordBitSets bits(dictionary, {4});
  FillPropagator p(bits, layout.board, slots, {});
  ASSERT_TRUE(p.consistent());
  std::mt19937 rng(3);
  std::vector<std::vector<std::string>> stack{snapshot(p)};
  for (int step = 0; step < 600; ++step) {
    if (p.level() > 0 && (rng() % 3 == 0 || p.level() > 6)) {
      p.popLevel();
      stack.pop_back();
      ASSERT_EQ(snapshot(p), stack.back());
      continue;
    }
    const SlotId s(rng() % static_cast<unsigned>(p.slotCount()));
    std::vector<FillPropagator::WordId> words;
    p.forEachWord(s, [&](FillPropagator::WordId id) { words.push_back(id); });
    if (words.size() < 2) continue;
    p.pushLevel();
    const FillPropagator::WordId id = words[rng() % words.size()];
    if (rng() % 4 == 0 ? p.assign(s, id) : p.exclude(s, id)) {
      stack.push_back(snapshot(p));
      expectArcConsistent(p);
      expectCountsMatchWords(p);
    } else {
      p.popLevel();
      ASSERT_EQ(snapshot(p), stack.back());
    }
  }
}

}  // namespace
}  // namespace gw
