#include "authoring/composing/dictionary/dictionary.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "authoring/composing/search/word_bit_sets.h"
#include "common/errors.h"
#include "tests/support/temp_folder.h"

namespace fs = std::filesystem;
using gw::Dictionary;
using gw::Language;
using gw::LengthWordBits;
using gw::WordBitSets;

namespace {

std::vector<std::string> allWords(const Dictionary& d, int length) {
  std::vector<std::string> out;
  for (Dictionary::WordId id = 0; id < d.wordCount(length); ++id) out.emplace_back(d.word(length, id));
  return out;
}

std::vector<std::string> found(const Dictionary& d, std::string_view pattern) {
  std::vector<std::string> out;
  for (auto id : d.findWords(pattern)) out.emplace_back(d.word(static_cast<int>(pattern.size()), id));
  return out;
}

Dictionary fromLines(std::vector<std::string> lines, Language language = Language::English) {
  Dictionary d;
  d.loadLines(lines, language);
  return d;
}

}  // namespace

TEST(DictionaryLoad, EqualWordsUnderCaseCountAsOneKeepingTheFirstRead) {
  Dictionary d = fromLines({"cat", "DOG", "CAT", "Dog"});
  EXPECT_EQ(allWords(d, 3), (std::vector<std::string>{"cat", "DOG"}));
  d = fromLines({"CAT", "cat", "DOG"});
  EXPECT_EQ(allWords(d, 3), (std::vector<std::string>{"CAT", "DOG"}));
  EXPECT_EQ(d.text(3), "CAT\r\nDOG\r\n");
  EXPECT_TRUE(d.containsWord("CAT"));
  EXPECT_FALSE(d.containsWord("cat")) << "the dropped spelling is not a word";
}

TEST(DictionaryLoad, LengthsOutsideOneToEightyAreSkipped) {
  Dictionary d = fromLines({"", std::string(81, 'A'), std::string(80, 'B'), "I", "AN"});
  EXPECT_EQ(d.totalWordCount(), 3u);
  EXPECT_EQ(allWords(d, 1), (std::vector<std::string>{"I"}));
  EXPECT_EQ(d.wordCount(80), 1u);
  EXPECT_EQ(d.wordCount(0), 0u);
  EXPECT_EQ(d.wordCount(81), 0u);
  EXPECT_EQ(d.text(0), "");
  EXPECT_EQ(d.text(81), "");
  EXPECT_EQ(d.text(5), "");
  EXPECT_THROW(d.word(1, 1), std::out_of_range);
  EXPECT_THROW(d.word(81, 0), std::out_of_range);
}

TEST(DictionaryLoad, FileLinesSplitOnCrLfOrBareLf) {
  gw::test::TempFolder dir;
  // A bare LF, a missing final line end and a stray CR inside a line (not a letter: skipped).
  fs::path f = gw::test::writeFile(dir / "EN.words", "ZEBRA\r\nAPPLE\nMANGO\r\n\r\nBA\rNK\r\nLEMON");
  Dictionary d;
  d.load(f, Language::English);
  EXPECT_EQ(allWords(d, 5), (std::vector<std::string>{"APPLE", "LEMON", "MANGO", "ZEBRA"}));
  EXPECT_EQ(d.totalWordCount(), 4u);
  EXPECT_EQ(d.skippedWordCount(), 1u);
  EXPECT_EQ(d.language(), Language::English);
}

// Only words a board can hold come in: a byte order mark does not swallow the first word,
// lower case is raised as the language does, and anything else is skipped and counted.
TEST(DictionaryLoad, WordFilesAreCheckedAgainstTheLanguage) {
  gw::test::TempFolder dir;
  Dictionary d;
  using namespace std::string_literals;
  d.load(gw::test::writeFile(dir / "EN.words",
                  "\xEF\xBB\xBF"
                  "cat\r\nDo\0G\r\nD.G\r\nCAF\xC9\r\nowl\r\n"s +
                      std::string(41, 'L') + "\r\n" + std::string(42, 'L') + "\r\n"),
         Language::English);
  EXPECT_EQ(allWords(d, 3), (std::vector<std::string>{"CAT", "OWL"}));
  EXPECT_EQ(d.wordCount(41), 1u);
  EXPECT_EQ(d.totalWordCount(), 3u);
  EXPECT_EQ(d.skippedWordCount(), 4u);  // the NUL, the dot, the accent (no English board letter), 42 letters

  // Serbian: small Cyrillic letters are raised; Latin letters are not Serbian board letters.
  d.load(gw::test::writeFile(dir / "YU.words", "\xEC\xE0\xF7\xEA\xE0\r\nMACKA\r\n\x8F\xE0\r\n"), Language::Serbian);
  EXPECT_EQ(allWords(d, 5), (std::vector<std::string>{"\xCC\xC0\xD7\xCA\xC0"}));
  EXPECT_EQ(allWords(d, 2), (std::vector<std::string>{"\x8F\xC0"}));
  EXPECT_EQ(d.skippedWordCount(), 1u);
}

TEST(DictionaryLoad, MissingFileGivesAnEmptyDictionary) {
  gw::test::TempFolder dir;
  Dictionary d = fromLines({"CAT"});
  d.load(dir.path() / "nothing.words", Language::German);
  EXPECT_EQ(d.totalWordCount(), 0u);
  EXPECT_EQ(d.language(), Language::German);
  EXPECT_FALSE(d.hasWord("..."));
  EXPECT_TRUE(d.findWords("...").empty());
}

TEST(DictionaryLoad, FailedReadKeepsThePreviousDictionary) {
  gw::test::TempFolder dir;
  Dictionary d = fromLines({"CAT", "DOG"}, Language::English);
  EXPECT_THROW(d.load(dir.path(), Language::German), gw::FileError);  // a folder, not a file
  if (::geteuid() != 0) {
    fs::path locked = gw::test::writeFile(dir / "DE.words", "HUND\r\n");
    fs::permissions(locked, fs::perms::none);
    EXPECT_THROW(d.load(locked, Language::German), gw::FileError);
  }
  EXPECT_EQ(d.language(), Language::English);
  EXPECT_EQ(allWords(d, 3), (std::vector<std::string>{"CAT", "DOG"}));
}

TEST(DictionaryLoad, ReloadReplacesEverything) {
  Dictionary d = fromLines({"CAT", "HORSE"});
  d.loadLines({"DOG"}, Language::German);
  EXPECT_EQ(d.wordCount(5), 0u);
  EXPECT_EQ(allWords(d, 3), (std::vector<std::string>{"DOG"}));
  Dictionary moved = std::move(d);
  EXPECT_TRUE(moved.containsWord("DOG"));
  EXPECT_TRUE(moved.hasWord("..."));
  EXPECT_FALSE(d.hasWord("...")) << "a moved-from dictionary is empty";  // NOLINT(bugprone-use-after-move)
}

// A search reads the dictionary's own words and sets without a copy; a reload while it
// holds them (another language opened) leaves its words as they were.
TEST(DictionaryLoad, ASearchsWordSetsOutliveAReload) {
  Dictionary d = fromLines({"COT", "CAT", "ACE"});
  const WordBitSets bits(d, {3});
  const LengthWordBits& three = bits.forLength(3);
  d.loadLines({"DOG"}, Language::German);
  ASSERT_EQ(three.wordCount(), 3u);
  EXPECT_EQ(three.word(0), "ACE");
  EXPECT_EQ(three.word(2), "COT");
  EXPECT_EQ(three.withLetter(1, 'O')[0], 0b100u);
  EXPECT_EQ(three.withLetter(0, 'D'), nullptr);
  EXPECT_TRUE(three.lettersAt(0).has('C'));
  EXPECT_FALSE(three.lettersAt(0).has('D'));
}

TEST(DictionaryCollation, GermanIgnoresCaseButNotUmlauts) {
  // Windows-1252: C4 Ä, E4 ä, D6 Ö.
  Dictionary d =
      fromLines({"\xC4RGER", "ABEND", "\xE4rger", "ZEBRA", "ARGER", "\xD6LKAN", "OLIVE"}, Language::German);
  EXPECT_EQ(allWords(d, 5),
            (std::vector<std::string>{"ABEND", "ARGER", "\xC4RGER", "OLIVE", "\xD6LKAN", "ZEBRA"}));
}

TEST(DictionaryCollation, SerbianFollowsTheCyrillicAlphabet) {
  // The Serbian alphabet in Windows-1251, deliberately read in reverse.
  const std::string alphabet =
      "\xC0\xC1\xC2\xC3\xC4\x80\xC5\xC6\xC7\xC8\xA3\xCA\xCB\x8A\xCC\xCD\x8C\xCE\xCF\xD0\xD1\xD2\x8E"
      "\xD3\xD4\xD5\xD6\xD7\x8F\xD8";
  ASSERT_EQ(alphabet.size(), 30u);
  std::vector<std::string> lines;
  for (auto it = alphabet.rbegin(); it != alphabet.rend(); ++it)
    lines.push_back(std::string(1, *it) + "\xC0");
  Dictionary d = fromLines(lines, Language::Serbian);
  std::vector<std::string> expected;
  for (char c : alphabet) expected.push_back(std::string(1, c) + "\xC0");
  EXPECT_EQ(allWords(d, 2), expected);
}

TEST(DictionaryCollation, SerbianCaseInsensitiveDuplicatesDropTheLaterOne) {
  // ЉУБАВ read after љубав; ЂАК / ђак; Џ (8F) / џ (9F).
  Dictionary d = fromLines({"\x9A\xF3\xE1\xE0\xE2", "\x8A\xD3\xC1\xC0\xC2", "\x80\xC0\xCA", "\x90\xE0\xEA",
                            "\x8F\xC0\xCA", "\x9F\xE0\xEA"},
                           Language::Serbian);
  EXPECT_EQ(allWords(d, 5), (std::vector<std::string>{"\x9A\xF3\xE1\xE0\xE2"}));
  EXPECT_EQ(allWords(d, 3), (std::vector<std::string>{"\x80\xC0\xCA", "\x8F\xC0\xCA"}));
}

// A word file is usually sorted already, which the load notices; a list that only looks
// sorted (byte order, or an equal pair side by side) must still come out in collation order
// without duplicates.
TEST(DictionaryCollation, PresortedListsKeepCollationOrderAndDropDuplicates) {
  EXPECT_EQ(allWords(fromLines({"ABEND", "ARGER", "OLIVE", "ZEBRA"}, Language::German), 5),
            (std::vector<std::string>{"ABEND", "ARGER", "OLIVE", "ZEBRA"}));
  // Byte order puts \xC4 (Ä) after Z; the collation puts it beside A.
  EXPECT_EQ(allWords(fromLines({"ABEND", "ZEBRA", "\xC4RGER"}, Language::German), 5),
            (std::vector<std::string>{"ABEND", "\xC4RGER", "ZEBRA"}));
  EXPECT_EQ(allWords(fromLines({"ABEND", "\xC4RGER", "\xE4rger", "ZEBRA"}, Language::German), 5),
            (std::vector<std::string>{"ABEND", "\xC4RGER", "ZEBRA"}));
  EXPECT_EQ(allWords(fromLines({"CAT", "DOG", "DOG"}), 3), (std::vector<std::string>{"CAT", "DOG"}));
}

class DictionaryQuery : public ::testing::Test {
 protected:
  Dictionary d = fromLines({"AREA", "ALFA", "AQUA", "BETA", "ABBA", "ARIA", "ZETA", "DOG", "I", "ATLAS"});
};

TEST_F(DictionaryQuery, OpenPatternFindsEveryWordInOrder) {
  EXPECT_EQ(found(d, "...."),
            (std::vector<std::string>{"ABBA", "ALFA", "AQUA", "AREA", "ARIA", "BETA", "ZETA"}));
  EXPECT_EQ(found(d, "."), (std::vector<std::string>{"I"}));
  EXPECT_TRUE(d.hasWord("...."));
}

TEST_F(DictionaryQuery, KnownLettersMustMatchExactly) {
  EXPECT_EQ(found(d, "A..A"), (std::vector<std::string>{"ABBA", "ALFA", "AQUA", "AREA", "ARIA"}));
  EXPECT_EQ(found(d, "..TA"), (std::vector<std::string>{"BETA", "ZETA"}));
  EXPECT_EQ(found(d, "AR.A"), (std::vector<std::string>{"AREA", "ARIA"}));
  EXPECT_EQ(found(d, "ZETA"), (std::vector<std::string>{"ZETA"}));
  EXPECT_TRUE(found(d, "a..a").empty()) << "matching is case-sensitive";
  EXPECT_TRUE(found(d, "Q...").empty());
  EXPECT_FALSE(d.hasWord("Q..."));
  EXPECT_TRUE(d.hasWord("..U."));
  EXPECT_FALSE(d.hasWord("A.UB"));
}

TEST_F(DictionaryQuery, LengthsWithoutWordsFindNothing) {
  for (std::string pattern : {std::string(), std::string(2, '.'), std::string(6, '.'), std::string(81, '.'),
                              std::string(200, '.')}) {
    EXPECT_TRUE(d.findWords(pattern).empty()) << pattern.size();
    EXPECT_FALSE(d.hasWord(pattern)) << pattern.size();
  }
  EXPECT_FALSE(d.containsWord(""));
}

TEST_F(DictionaryQuery, ContainsWordTakesTheDotLiterally) {
  EXPECT_TRUE(d.containsWord("ATLAS"));
  EXPECT_FALSE(d.containsWord("ATLA."));
  EXPECT_FALSE(d.containsWord("atlas"));
  Dictionary dotted = fromLines({"A.B", "AXB"});
  EXPECT_TRUE(dotted.containsWord("A.B"));
  EXPECT_EQ(found(dotted, "A.B").size(), 2u);
}

TEST_F(DictionaryQuery, ArbitraryBytesAreMatchedAsBytes) {
  Dictionary bytes = fromLines({std::string("\xFF\x01Z", 3), std::string("\x00\x80Z", 3), "ZZZ"});
  EXPECT_TRUE(bytes.containsWord(std::string("\x00\x80Z", 3)));
  EXPECT_EQ(bytes.findWords(std::string("\xFF..", 3)).size(), 1u);
  EXPECT_EQ(bytes.findWords("..Z").size(), bytes.wordCount(3));
}

TEST(DictionaryIndexBlocks, WordsAcrossSixtyFourBitBoundariesKeepTheirIds) {
  for (int count : {63, 64, 65, 128, 130}) {
    // Words in alphabetical order, so word i has id i.
    std::vector<std::string> lines;
    for (int i = 0; i < count; ++i)
      lines.push_back(std::string("Q") + char('A' + i / 26) + char('A' + i % 26) + (i % 2 ? "X" : "Y"));
    Dictionary d = fromLines(lines);
    ASSERT_EQ(d.wordCount(4), static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
      ASSERT_EQ(d.findWords(lines[i]), std::vector<Dictionary::WordId>{static_cast<Dictionary::WordId>(i)});
      ASSERT_TRUE(d.containsWord(lines[i]));
    }
    EXPECT_EQ(d.findWords("Q...").size(), static_cast<std::size_t>(count));
    EXPECT_EQ(d.countWords("...X"), static_cast<std::size_t>(count / 2));
    // The last word alone has its two middle letters: a match only in the last block.
    std::string last = lines.back();
    EXPECT_EQ(found(d, "." + last.substr(1, 2) + "."), std::vector<std::string>{last});
    EXPECT_FALSE(d.hasWord(".Z.."));
  }
}

TEST(DictionaryQueryLong, OneOrTwoKnownLettersAnywhereInALongPattern) {
  // Words of 1 to 20 letters: length L holds "AA..AB" and "BB..BA", so every position of
  // every length has one letter that occurs there and one (C) that never does.
  std::vector<std::string> lines;
  for (int length = 1; length <= 20; ++length) {
    lines.push_back(std::string(static_cast<std::size_t>(length - 1), 'A') + "B");
    lines.push_back(std::string(static_cast<std::size_t>(length - 1), 'B') + "A");
  }
  Dictionary d = fromLines(lines);
  for (int length = 2; length <= 20; ++length) {
    const auto size = static_cast<std::size_t>(length);
    EXPECT_TRUE(d.hasWord(std::string(size, '.')));
    for (std::size_t p = 0; p < size; ++p) {
      std::string pattern(size, '.');
      pattern[p] = 'C';
      EXPECT_FALSE(d.hasWord(pattern)) << pattern;
      pattern[p] = 'A';
      EXPECT_TRUE(d.hasWord(pattern)) << pattern;
      // A second known letter that no word pairs with the first.
      std::size_t q = (p + 9) % size;
      if (q == p) continue;
      const bool lastTwo = (p == size - 1) != (q == size - 1);  // only one of them is the last
      pattern[q] = 'A';
      EXPECT_EQ(d.hasWord(pattern), !lastTwo) << pattern;
      EXPECT_EQ(d.findWords(pattern).size(), lastTwo ? 0u : 1u) << pattern;
    }
  }
}

// Running out of memory while a word list is taken in names the list instead of std::bad_alloc.
TEST(DictionaryLoadDeathTest, RunningOutOfMemoryNamesTheWordList) {
  gw::test::TempFolder dir;
  std::string text;
  for (int i = 0; i < 400000; ++i) {
    std::string word(41, 'A');
    for (int k = 0, n = i; k < 6; ++k, n /= 26)
      word[static_cast<std::size_t>(k)] = static_cast<char>('A' + n % 26);
    text += word + "\r\n";
  }
  const fs::path words = gw::test::writeFile(dir / "EN.words", text);
  text.clear();
  text.shrink_to_fit();
  EXPECT_EXIT(
      {
        // A little more address space than the file itself takes: the dictionary cannot be built.
        rlimit limit{};
        ::getrlimit(RLIMIT_AS, &limit);
        std::size_t pages = 0;
        std::ifstream("/proc/self/statm") >> pages;
        limit.rlim_cur = pages * static_cast<rlim_t>(::sysconf(_SC_PAGESIZE)) + (48u << 20);
        ::setrlimit(RLIMIT_AS, &limit);
        try {
          Dictionary d;
          d.load(words, Language::English);
          std::fprintf(stderr, "loaded\n");
        } catch (const gw::FileError& e) {
          std::fprintf(stderr, "%s\n", e.what());
        }
        std::exit(0);
      },
      ::testing::ExitedWithCode(0), "There is not enough memory to read \".*EN.words\"");
}
