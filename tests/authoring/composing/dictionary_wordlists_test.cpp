// The shipped word lists, and the dictionary's index checked against a plain
// position-by-position comparison over a real list.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "authoring/composing/dictionary/dictionary.h"
#include "common/file_io.h"

namespace fs = std::filesystem;
using gw::Dictionary;
using gw::Language;

namespace {

fs::path wordList(const char* name) { return fs::path(GW_PROGRAM_DIR) / "Make" / name; }

#define SKIP_UNLESS_BUILT(path) \
  if (!fs::exists(path)) GTEST_SKIP() << (path) << " is not built"

std::vector<std::string> splitCrLf(const std::string& bytes, std::string& problem) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t lf = bytes.find('\n', start);
    if (lf == std::string::npos) {
      problem = "the last line has no line end";
      return lines;
    }
    if (lf == start || bytes[lf - 1] != '\r') {
      problem = "line " + std::to_string(lines.size() + 1) + " does not end in CR LF";
      return lines;
    }
    lines.push_back(bytes.substr(start, lf - 1 - start));
    start = lf + 1;
  }
  return lines;
}

struct ListRules {
  const char* file;
  std::string letters;  // code-page bytes a word may be made of
};

const std::string kLatinCapitals = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
// The 30 Serbian Cyrillic capitals of Windows-1251.
const std::string kSerbianCapitals =
    "\x8F\x80\xD7\xC6\x8E\x8C\xC0\xC1\xC2\xC3\xC4\xC5\xC7\xCA\xCC\xCD\xCE\xCF\xD1\xD2\xD3\xD4\xD5\xD6"
    "\xD8\x8A\xCB\xA3\xD0\xC8";

class ShippedWordList : public ::testing::TestWithParam<ListRules> {};

TEST_P(ShippedWordList, EveryLineIsADistinctUpperCaseWordOfTheAlphabetEndingInCrLf) {
  const ListRules& rules = GetParam();
  fs::path path = wordList(rules.file);
  SKIP_UNLESS_BUILT(path);
  std::string problem;
  std::vector<std::string> lines = splitCrLf(gw::readWholeFile(path), problem);
  EXPECT_EQ(problem, "");
  EXPECT_GT(lines.size(), 10000u);
  std::set<std::string> seen;
  std::size_t bad = 0;
  for (const std::string& w : lines) {
    bool ok = !w.empty() && w.find_first_not_of(rules.letters) == std::string::npos;
    if (!ok && ++bad <= 5) ADD_FAILURE() << "not a word of the alphabet: \"" << w << "\"";
    if (!seen.insert(w).second && ++bad <= 5) ADD_FAILURE() << "written twice: " << w;
  }
  EXPECT_EQ(bad, 0u);
}

INSTANTIATE_TEST_SUITE_P(AllLanguages, ShippedWordList,
                         ::testing::Values(ListRules{"EN.words", kLatinCapitals},
                                           ListRules{"DE.words", kLatinCapitals},
                                           ListRules{"YU.words", kSerbianCapitals}),
                         [](const auto& info) { return std::string(info.param.file, 2); });

TEST(ShippedWordLists, GermanUmlautsAreSpelledOutAndSerbianKeepsItsOwnLetters) {
  fs::path de = wordList("DE.words");
  fs::path yu = wordList("YU.words");
  SKIP_UNLESS_BUILT(de);
  SKIP_UNLESS_BUILT(yu);
  Dictionary german;
  german.load(de, Language::German);
  EXPECT_TRUE(german.containsWord("STRASSE"));
  EXPECT_TRUE(german.containsWord("MUENCHEN"));
  EXPECT_TRUE(german.containsWord("AERGER"));
  EXPECT_TRUE(german.containsWord("GROESSE"));
  Dictionary serbian;
  serbian.load(yu, Language::Serbian);
  EXPECT_TRUE(serbian.containsWord("\xCA\xD3\x8E\xC0")) << "КУЋА";
  EXPECT_TRUE(serbian.containsWord("\x8A\xD3\xC1\xC0\xC2")) << "ЉУБАВ";
  EXPECT_TRUE(serbian.containsWord("\x8F\xC5\xCF")) << "ЏЕП";
  EXPECT_TRUE(serbian.containsWord("\xD7\xC0\xA3")) << "ЧАЈ";
}

// Word ids of the words matching `pattern`, found by comparing every word of its
// length position by position.
std::vector<Dictionary::WordId> bruteForce(const Dictionary& d, const std::string& pattern) {
  std::vector<Dictionary::WordId> out;
  int length = static_cast<int>(pattern.size());
  for (Dictionary::WordId id = 0; id < d.wordCount(length); ++id) {
    const std::string_view w = d.word(length, id);
    bool match = true;
    for (std::size_t i = 0; match && i < pattern.size(); ++i)
      match = pattern[i] == gw::kAnyLetter || pattern[i] == w[i];
    if (match) out.push_back(id);
  }
  return out;
}

TEST(DictionaryIndex, AnswersLikeBruteForceOnRandomPatterns) {
  fs::path en = wordList("EN.words");
  SKIP_UNLESS_BUILT(en);
  Dictionary d;
  d.load(en, Language::English);
  ASSERT_GT(d.totalWordCount(), 10000u);
  std::mt19937 rng(20261207);
  int withMatches = 0, without = 0;
  for (int round = 0; round < 3000; ++round) {
    int length = 1 + static_cast<int>(rng() % 16);
    if (d.wordCount(length) == 0) continue;
    // Half the patterns come from a real word (so they match), half are random letters.
    std::string pattern(static_cast<std::size_t>(length), gw::kAnyLetter);
    const std::string source(d.word(length, static_cast<Dictionary::WordId>(rng() % d.wordCount(length))));
    bool fromWord = rng() % 2 == 0;
    for (int i = 0; i < length; ++i)
      if (rng() % 3 == 0) pattern[i] = fromWord ? source[i] : static_cast<char>('A' + rng() % 26);
    std::vector<Dictionary::WordId> expected = bruteForce(d, pattern);
    ASSERT_EQ(d.findWords(pattern), expected) << pattern;
    ASSERT_EQ(d.hasWord(pattern), !expected.empty()) << pattern;
    ASSERT_EQ(d.countWords(pattern), expected.size()) << pattern;
    (expected.empty() ? without : withMatches)++;
  }
  // Both kinds of answer must have been exercised for the comparison to mean anything.
  EXPECT_GT(withMatches, 500);
  EXPECT_GT(without, 100);
}

TEST(DictionaryIndex, EveryWordIsContainedAndFoundAtItsOwnId) {
  fs::path en = wordList("EN.words");
  SKIP_UNLESS_BUILT(en);
  Dictionary d;
  d.load(en, Language::English);
  for (int length = 1; length <= 12; ++length) {
    for (Dictionary::WordId id = 0; id < d.wordCount(length); id += 7) {
      const std::string_view w = d.word(length, id);
      ASSERT_TRUE(d.containsWord(w)) << w;
      ASSERT_EQ(d.findWords(w), std::vector<Dictionary::WordId>{id}) << w;
      std::string lower(w);
      lower[0] = static_cast<char>(lower[0] - 'A' + 'a');
      ASSERT_FALSE(d.containsWord(lower)) << lower;
    }
  }
}

TEST(DictionaryIndex, RealListIsInAlphabeticalOrderPerLength) {
  fs::path en = wordList("EN.words");
  SKIP_UNLESS_BUILT(en);
  Dictionary d;
  d.load(en, Language::English);
  // Upper-case A to Z words: collation order is plain byte order.
  for (int length = 1; length <= Dictionary::kMaxWordLength; ++length)
    for (Dictionary::WordId id = 1; id < d.wordCount(length); ++id)
      ASSERT_LT(d.word(length, id - 1), d.word(length, id)) << length;
}

}  // namespace
