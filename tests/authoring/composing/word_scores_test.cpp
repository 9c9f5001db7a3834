// Word scores: the score file beside a word list, the minimum score in both searches, the
// first fill's preference for better words and its report.
#include "authoring/composing/dictionary/word_scores.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "authoring/composing/dictionary/score_table.h"
#include "authoring/composing/search/fill_scores.h"
#include "authoring/composing/search/first_fill_search.h"
#include "common/errors.h"
#include "compose_test_support.h"
#include "tests/support/temp_folder.h"

namespace gw {
namespace {

using namespace gw::testing;

TEST(ScoreFile, ReadsWordsAndScoresInTheLanguagesCodePage) {
  TempDir dir;
  writeText(dir / "YU.scores",
            "\xEF\xBB\xBF\xD0\xB7\xD0\xB8\xD0\xBC\xD0\xB0;80\r\n\n\xD0\x9A\xD0\xA3\xD0\x8B\xD0\x90 ; 0\n");
  const WordScores scores = WordScores::load(dir / "YU.scores", Language::Serbian);
  EXPECT_EQ(scores.size(), 2u);
  EXPECT_EQ(scores.score("\xC7\xC8\xCC\xC0"), 80);  // ЗИМА in Windows-1251, upper-cased
  EXPECT_EQ(scores.score("\xCA\xD3\x8E\xC0"), 0);   // КУЋА
  EXPECT_EQ(scores.score("\xCA\xD3\xD6\xC0"), 50);  // КУЦА has none
  EXPECT_EQ(WordScores::load(dir / "missing.scores", Language::English).size(), 0u);
}

TEST(ScoreFile, MalformedLinesAreRefusedWithTheirNumbers) {
  struct Case {
    const char* text;
    const char* lines;
  };
  const Case cases[] = {
      {"CAT\n", "line 1"},                         // no score
      {"CAT;50\nDOG;101\n", "line 2"},             // out of range
      {"CAT;-1\nDOG;5x\n;40\n", "lines 1, 2, 3"},  // negative, not a number, no word
      {"C4T;10\n", "line 1"},                      // not a word of the language
      {"A;x\nB;x\nC;x\nD;x\nE;x\nF;x\nG;x\n", "lines 1, 2, 3, 4, 5 and 2 more"},
  };
  TempDir dir;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    writeText(dir / "EN.scores", c.text);
    try {
      WordScores::load(dir / "EN.scores", Language::English);
      ADD_FAILURE() << "accepted";
    } catch (const FileError& e) {
      EXPECT_NE(std::string(e.what()).find(c.lines), std::string::npos) << e.what();
    }
  }
}

// The table the dictionary loads with gives every word the score the editable map gives it,
// whatever order the file and the lookups come in.
TEST(ScoreFile, TheLoadingTableAgreesWithTheScoreMap) {
  struct Case {
    const char* name;
    Language language;
    std::string text;
    std::vector<std::string> asked;  // code-page bytes
  };
  std::vector<std::string> english = randomWords("ABCD", {1, 2, 3, 4}, 0.7, 11);
  std::string sorted, unsorted;
  for (std::size_t i = 0; i < english.size(); ++i)
    if (i % 3 != 0) sorted += english[i] + ";" + std::to_string(i % 101) + "\n";
  std::vector<std::string> shuffled = english;
  std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(5));
  for (const std::string& w : shuffled) unsorted += w + ";" + std::to_string(w.size() * 20) + "\r\n";
  unsorted += english.front() + ";7\n" + english.front() + ";50\n" + english.back() + ";9\n";  // last counts
  std::vector<std::string> asked = english;
  asked.push_back("DDDDD");                              // unknown, after every entry
  asked.insert(asked.begin() + 5, std::string("AAAA"));  // out of order
  const std::vector<Case> cases = {
      {"sorted", Language::English, sorted, asked},
      {"unsorted, repeated", Language::English, unsorted, asked},
      {"empty", Language::English, "", asked},
      // KUCA (Cyrillic, lower case in the file), ZIMA, and an ASCII-free word never listed.
      {"code page",
       Language::Serbian,
       "\xD0\xBA\xD1\x83\xD1\x9B\xD0\xB0;0\n\xD0\x97\xD0\x98\xD0\x9C\xD0\x90;80\n",
       {"\xC7\xC8\xCC\xC0", "\xCA\xD3\x8E\xC0", "\xCA\xD3\xD6\xC0", "\xC7\xC8\xCC\xC0"}},
  };
  gw::test::TempFolder dir;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    gw::test::writeFile(dir / "list.scores", c.text);
    const WordScores map = WordScores::load(dir / "list.scores", c.language);
    const ScoreTable table = ScoreTable::load(dir / "list.scores", c.language);
    EXPECT_EQ(table.empty(), map.empty());
    ScoreTable::Cursor cursor(table);
    for (const std::string& w : c.asked) {
      EXPECT_EQ(cursor.score(w), map.score(w)) << w;
      EXPECT_EQ(table.score(w), map.score(w)) << w;
    }
  }
}

TEST(ScoreFile, SplitScoreTakesTheLastSemicolon) {
  EXPECT_EQ(splitScore("A;B;7").text, "A;B");
  EXPECT_EQ(splitScore("A;B;7").score, 7);
  EXPECT_FALSE(splitScore("PLAIN").score);
  EXPECT_TRUE(splitScore("X;100.0").badScore);
}

TEST(ScoredDictionary, TheMinimumLeavesWordsOutAndAListWithoutScoresIsUnchanged) {
  TempDir dir;
  writeWordFile(dir / "EN.words", {"CAT", "DOG", "EMU", "GNU"});
  Dictionary plain;
  plain.load(dir / "EN.words", Language::English, 50);
  EXPECT_EQ(plain.totalWordCount(), 4u);  // every word scores 50
  EXPECT_FALSE(plain.hasScores());

  writeText(dir / "EN.scores", "CAT;90\nDOG;0\nGNU;30\n");
  for (auto [min, words] : std::vector<std::pair<int, std::vector<std::string>>>{
           {0, {"CAT", "DOG", "EMU", "GNU"}}, {1, {"CAT", "EMU", "GNU"}}, {50, {"CAT", "EMU"}}, {91, {}}}) {
    Dictionary d;
    d.load(dir / "EN.words", Language::English, min);
    std::vector<std::string> kept;
    for (Dictionary::WordId id = 0; id < d.wordCount(3); ++id) kept.emplace_back(d.word(3, id));
    EXPECT_EQ(kept, words) << "min " << min;
    EXPECT_EQ(d.belowMinScoreCount(), 4 - words.size());
  }
  Dictionary d;
  d.load(dir / "EN.words", Language::English);
  EXPECT_EQ(d.score(3, 0), 90);  // CAT
  EXPECT_EQ(d.score(3, 1), 50);  // EMU

  writeText(dir / "EN.scores", "CAT;ninety\n");  // a broken score file: the dictionary stays
  EXPECT_THROW(d.load(dir / "EN.words", Language::English), FileError);
  EXPECT_EQ(d.totalWordCount(), 3u);
}

// A word list out of order, with a word twice: sorting it keeps each score with its word.
TEST(ScoredDictionary, ScoresFollowTheirWordsIntoDictionaryOrder) {
  TempDir dir;
  const std::vector<std::string> lines = {"GNU", "CAT", "EMU", "CAT", "DOG", "ANT"};
  writeWordFile(dir / "EN.words", lines);
  writeText(dir / "EN.scores", "ANT;10\nCAT;90\nEMU;70\nGNU;30\n");
  Dictionary fromFile, fromLines;
  fromFile.load(dir / "EN.words", Language::English);
  fromLines.loadLines(lines, Language::English, WordScores::load(dir / "EN.scores", Language::English));
  const std::vector<std::pair<std::string, int>> expected = {
      {"ANT", 10}, {"CAT", 90}, {"DOG", 50}, {"EMU", 70}, {"GNU", 30}};
  for (const Dictionary* d : {&fromFile, &fromLines}) {
    std::vector<std::pair<std::string, int>> got;
    for (Dictionary::WordId id = 0; id < d->wordCount(3); ++id)
      got.emplace_back(std::string(d->word(3, id)), d->score(3, id));
    EXPECT_EQ(got, expected);
  }
}

// The exhaustive search with a minimum writes the fills of the unfiltered search that use
// no word under it, in the same order.
TEST(ScoredSearch, ExhaustiveWithAMinimumEqualsTheUnfilteredResultsFiltered) {
  const std::vector<std::string> words = randomWords("ABC", {3}, 0.6, 7);
  std::string scoreText;
  for (std::size_t i = 0; i < words.size(); ++i)
    if (i % 3 == 0) scoreText += words[i] + ";20\n";
  const std::string layoutText = "...\n...\n...\n";
  Workspace all(layoutText, words);
  const std::vector<RecordedResult> unfiltered = all.composeAll();

  Workspace scored(layoutText, words);
  writeText(scoreFileFor(scored.words), scoreText);
  const WordScores loaded = WordScores::load(scoreFileFor(scored.words), Language::English);
  Session s(scored);
  s.session.setMinWordScore(40);
  s.session.open(scored.pattern);
  s.composer.start();
  runToEnd(s.composer);

  const Layout layout = parseTextLayout(layoutText, Language::English);
  const std::vector<Slot> slots = deriveSlots(layout);
  std::vector<std::string> expected, got;
  for (const RecordedResult& r : unfiltered) {
    const std::string board = resultBoard(r.bytes, layout);
    bool good = true;
    for (const Slot& slot : slots) {
      std::string w;
      for (int k = 0; k < slot.length; ++k) {
        const int row = slot.row + (slot.direction == Direction::Down ? k : 0);
        const int column = slot.column + (slot.direction == Direction::Across ? k : 0);
        w += board[static_cast<std::size_t>(row * layout.columns + column)];
      }
      good = good && loaded.score(w) >= 40;
    }
    if (good) expected.push_back(board);
  }
  for (const RecordedResult& r : s.listener.results) got.push_back(resultBoard(r.bytes, layout));
  ASSERT_FALSE(unfiltered.empty());
  EXPECT_LT(expected.size(), unfiltered.size());
  EXPECT_EQ(got, expected);
}

TEST(ScoredSearch, FirstFillPlacesNoWordUnderTheMinimumAndPrefersBetterWords) {
  // Every word leaves its crossings as many words as any other: the scores decide.
  const Layout layout = parseTextLayout("..\n..\n", Language::English);
  const std::vector<Slot> slots = deriveSlots(layout);
  const std::vector<std::string> words{"AA", "AB", "BA", "BB"};
  WordScores scores;
  scores.set("AA", 90);
  scores.set("AB", 20);
  scores.set("BA", 20);
  scores.set("BB", 10);
  for (std::uint64_t seed = 1; seed <= 10; ++seed) {
    Dictionary d;
    d.loadLines(words, Language::English, scores, 1);
    FirstFillSearch best(d, layout.board, slots, {seed, 1, false});
    while (best.run(100) == FirstFillStatus::Searching) {
    }
    ASSERT_EQ(best.status(), FirstFillStatus::Filled);
    EXPECT_EQ(best.words(), std::vector<std::string>(4, "AA")) << "seed " << seed;

    d.loadLines(words, Language::English, scores, 96);  // nothing left
    FirstFillSearch none(d, layout.board, slots, {seed, 1, false});
    while (none.run(100) == FirstFillStatus::Searching) {
    }
    EXPECT_EQ(none.status(), FirstFillStatus::NoFill);
  }
}

// Words scored under 40 are placed only where no fill of better words exists.
TEST(ScoredSearch, FirstFillTakesWeakWordsOnlyWhenItMust) {
  struct Case {
    const char* name;
    std::vector<std::pair<std::string, int>> words;
    FirstFillStatus status;
    std::vector<std::string> fills;  // the fills it may find, as slot words
  };
  const std::vector<Case> cases = {
      {"a fill of good words exists",
       {{"AA", 20}, {"AB", 90}, {"BA", 90}, {"BB", 20}},
       FirstFillStatus::Filled,
       {"AB BA AB BA", "BA AB BA AB"}},
      {"only weak words fill", {{"AA", 20}, {"BC", 90}}, FirstFillStatus::Filled, {"AA AA AA AA"}},
      {"nothing fills", {{"AB", 90}, {"CD", 20}}, FirstFillStatus::NoFill, {}},
  };
  const Layout layout = parseTextLayout("..\n..\n", Language::English);
  const std::vector<Slot> slots = deriveSlots(layout);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::string> words;
    WordScores scores;
    for (const auto& [word, score] : c.words) {
      words.push_back(word);
      scores.set(word, score);
    }
    Dictionary d;
    d.loadLines(words, Language::English, scores);
    for (std::uint64_t seed = 1; seed <= 5; ++seed) {
      FirstFillSearch search(d, layout.board, slots, {seed, 1, false});
      while (search.run(100) == FirstFillStatus::Searching) {
      }
      ASSERT_EQ(search.status(), c.status) << "seed " << seed;
      if (c.status != FirstFillStatus::Filled) continue;
      std::string fill;
      for (const std::string& w : search.words()) fill += (fill.empty() ? "" : " ") + w;
      EXPECT_NE(std::find(c.fills.begin(), c.fills.end(), fill), c.fills.end()) << fill << ", seed " << seed;
    }
  }
}

TEST(ScoredSearch, TheReportGivesTheMeanAndTheLowestWords) {
  const Layout layout = parseTextLayout("..\n..\n", Language::English);
  const std::vector<Slot> slots = deriveSlots(layout);
  WordScores scores;
  scores.set("AB", 20);
  scores.set("BA", 80);
  Dictionary d;
  d.loadLines({"AA", "AB", "BA", "BB"}, Language::English, scores);
  // Across AB, BA; down AB, BA.
  const FillScores report = fillScores(d, slots, {"AB", "BA", "AB", "BA"}, 1);
  EXPECT_EQ(report.words, 4);
  EXPECT_DOUBLE_EQ(report.mean, 50.0);
  EXPECT_EQ(report.under40, 2);
  EXPECT_EQ(describeFillScores(report, Language::English), "Mean word score 50.0; lowest: AB 20");
}

}  // namespace
}  // namespace gw
