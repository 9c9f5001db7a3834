// The sorted word list: order, case-insensitive lookups, merging, "Re-check" and the
// word file it writes.
#include "authoring/composing/dictionary/word_lists/word_list.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "authoring/composing/dictionary/dictionary.h"
#include "common/errors.h"
#include "common/file_io.h"
#include "tests/support/temp_folder.h"

namespace gw {
namespace {
namespace fs = std::filesystem;

std::vector<std::string> words(const WordList& list) {
  std::vector<std::string> out;
  for (std::size_t i = 0; i < list.size(); ++i) out.emplace_back(list.word(i));
  return out;
}

class TempFolder : public ::testing::Test {
 protected:
  gw::test::TempFolder folder_{"word_list_test"};
  fs::path dir_ = folder_.path();
};

TEST(WordList, KeepsCaseInsensitiveOrderAndRefusesDuplicates) {
  WordList list(Language::English);
  EXPECT_TRUE(list.insert("DOG"));
  EXPECT_TRUE(list.insert("cat"));
  EXPECT_EQ(list.insert("CAT"), std::nullopt) << "equal but for case: not added";
  EXPECT_EQ(list.insert(""), std::nullopt);
  EXPECT_EQ(list.insert("ant"), 0u);
  EXPECT_EQ(words(list), (std::vector<std::string>{"ant", "cat", "DOG"}));
  EXPECT_EQ(list.find("Dog"), 2u);
  EXPECT_EQ(list.find("DO"), std::nullopt);
  list.erase(1);
  EXPECT_EQ(words(list), (std::vector<std::string>{"ant", "DOG"}));
  EXPECT_THROW(list.erase(2), std::out_of_range);
}

TEST(WordList, SerbianAndGermanFollowTheirAlphabets) {
  WordList sr(Language::Serbian);
  // Ђ comes after Д and before Е in Serbian, far from its place in Windows-1251 (0x80).
  sr.assign({"\xC5", "\x80", "\xC4", "\xC0"});  // Е Ђ Д А
  EXPECT_EQ(words(sr), (std::vector<std::string>{"\xC0", "\xC4", "\x80", "\xC5"}));
  WordList de(Language::German);
  de.assign({"ZAUN", "AEPFEL", "ABEND"});
  EXPECT_EQ(words(de), (std::vector<std::string>{"ABEND", "AEPFEL", "ZAUN"}));
}

// The composer's dictionary and the dictionary editor's list share one collation: the same
// words, whatever their case and accents, come out in the same order.
TEST(WordList, OrdersAsTheComposingDictionary) {
  const std::vector<std::pair<Language, std::vector<std::string>>> lists{
      {Language::English, {"dog", "ANT", "Cat", "bee", "cow", "ape", "Bat"}},
      {Language::German,
       {"\xD6L", "OEL", "OL", "ZAUN", "\xC4RA", "AERA", "ab",
        "\xE4"
        "b"}},                                                                            // ÖL ÄRA äb
      {Language::Serbian, {"\xC5\xC0", "\x80\xC0", "\xE4\xE0", "\xC0\xC0", "\xE0\xE1"}},  // ЕА ЂА да АА аб
  };
  for (const auto& [language, input] : lists) {
    WordList list(language);
    list.assign(input);
    Dictionary dictionary;
    dictionary.loadLines(input, language);
    for (int length = 2; length <= 3; ++length) {
      std::vector<std::string> fromDictionary, fromList;
      for (std::size_t id = 0; id < dictionary.wordCount(length); ++id)
        fromDictionary.emplace_back(dictionary.word(length, static_cast<Dictionary::WordId>(id)));
      for (const std::string& w : words(list))
        if (w.size() == static_cast<std::size_t>(length)) fromList.push_back(w);
      EXPECT_EQ(fromDictionary, fromList) << languageName(language) << ", length " << length;
    }
  }
}

TEST(WordList, FindsTheLongestLeadingPartThatIsAnEntry) {
  WordList list(Language::English);
  list.assign({"AB", "ABC", "XYZ"});
  EXPECT_EQ(list.findLongestLeadingPart("ABCX"), 1u);
  EXPECT_EQ(list.findLongestLeadingPart("abq"), 0u);
  EXPECT_EQ(list.findLongestLeadingPart("QQQ"), std::nullopt);
  EXPECT_EQ(list.findLongestLeadingPart(""), std::nullopt);
}

TEST(WordList, MergeAddsNewWordsOnceAndTellsTheirRows) {
  WordList list(Language::English);
  list.assign({"BEE", "DOG"});
  std::vector<WordEntry> batch;
  for (const char* w : {"EEL", "ant", "bee", "CAT", "Cat", "ANT"}) batch.push_back(list.entryFor(w));
  std::vector<std::size_t> rows = list.merge(std::move(batch));
  EXPECT_EQ(words(list), (std::vector<std::string>{"ant", "BEE", "CAT", "DOG", "EEL"}));
  EXPECT_EQ(rows, (std::vector<std::size_t>{0, 2, 4}));
  EXPECT_TRUE(list.merge({}).empty());
}

TEST(WordList, MergeInBatchesAgreesWithASortedSet) {
  // Random words merged in random batches, against one sort of them all.
  std::mt19937 random(7);
  auto randomWord = [&] {
    std::string w(1 + random() % 6, 'A');
    for (char& c : w) c = static_cast<char>((random() % 2 ? 'A' : 'a') + random() % 5);
    return w;
  };
  WordList list(Language::English);
  WordList reference(Language::English);
  std::vector<std::string> all;
  for (int round = 0; round < 50; ++round) {
    std::vector<WordEntry> batch;
    std::size_t size = random() % (round < 25 ? 4 : 300);
    for (std::size_t i = 0; i < size; ++i) {
      all.push_back(randomWord());
      batch.push_back(list.entryFor(all.back()));
    }
    std::size_t before = list.size();
    std::vector<std::size_t> rows = list.merge(std::move(batch));
    ASSERT_EQ(list.size(), before + rows.size());
    for (std::size_t row : rows) ASSERT_LT(row, list.size());
  }
  reference.assign(all);
  reference.recheck();  // one of each, the first met
  EXPECT_EQ(words(list), words(reference));
}

TEST(WordList, RecheckDropsOverlongWordsAndCaseDuplicates) {
  WordList list(Language::English);
  list.assign({"Abc", "ABC", std::string(41, 'Q'), std::string(40, 'Z'), "abc"});
  EXPECT_EQ(list.size(), 5u) << "a word file's duplicates stay until Re-check";
  EXPECT_EQ(list.recheck(), 3u);
  EXPECT_EQ(words(list), (std::vector<std::string>{"Abc", std::string(40, 'Z')}));
}

TEST_F(TempFolder, LoadTakesEveryLineAndSaveWritesSortedCrLf) {
  fs::path file = dir_ / "EN.words";
  { std::ofstream(file, std::ios::binary) << "DOG\r\ncat\n\r\nCAT\r\nant"; }
  WordList list(Language::English);
  list.load(file);
  EXPECT_EQ(words(list), (std::vector<std::string>{"ant", "cat", "CAT", "DOG"}));
  list.recheck();
  list.insert("EMU");
  list.save(file);
  EXPECT_EQ(readWholeFile(file), "ant\r\ncat\r\nDOG\r\nEMU\r\n");
}

TEST_F(TempFolder, MissingFileIsAnEmptyListAndSaveCreatesTheFolder) {
  WordList list(Language::German);
  list.insert("X");
  list.load(dir_ / "Make" / "DE.words");
  EXPECT_TRUE(list.empty());
  list.insert("HAUS");
  list.save(dir_ / "Make" / "DE.words");
  EXPECT_EQ(readWholeFile(dir_ / "Make" / "DE.words"), "HAUS\r\n");
}

TEST_F(TempFolder, FailuresKeepTheListAndTheOldFile) {
  WordList list(Language::English);
  list.assign({"KEEP"});
  EXPECT_THROW(list.load(dir_), FileError) << "a folder is no word file";
  EXPECT_EQ(words(list), std::vector<std::string>{"KEEP"});

  // A word file whose folder cannot be made (its parent is a file).
  { std::ofstream(dir_ / "plain") << "x"; }
  EXPECT_THROW(list.save(dir_ / "plain" / "Make" / "EN.words"), FileError);

  // The old file survives a failed write: the temporary name cannot be created there.
  fs::path file = dir_ / "EN.words";
  { std::ofstream(file, std::ios::binary) << "OLD\r\n"; }
  fs::path longName = dir_ / std::string(250, 'w');
  { std::ofstream(longName, std::ios::binary) << "OLD\r\n"; }
  EXPECT_THROW(list.save(longName), FileError);
  EXPECT_EQ(readWholeFile(longName), "OLD\r\n");
  EXPECT_EQ(readWholeFile(file), "OLD\r\n");
}

}  // namespace
}  // namespace gw
