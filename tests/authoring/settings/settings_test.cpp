// crossword.conf: what odd values of the "Compose" section read as, that writing the one key
// the window writes keeps everything else, and the file itself (missing, unreadable, unwritable).
#include <gtest/gtest.h>

#include "authoring/settings/composing_view_settings.h"
#include "authoring/settings/settings_file.h"
#include "tests/support/expect_throw_msg.h"
#include "tests/support/temp_folder.h"

namespace gw {
namespace {

ComposeSettings read(const std::string& values) { return parseComposeSettings("[Compose]\n" + values); }

TEST(ComposeSettingsTest, ValuesReadAsTheProfileFunctionsReadNumbers) {
  EXPECT_FALSE(parseComposeSettings("").noRepeatedWords);
  EXPECT_EQ(parseComposeSettings("").quickFillLanes, kDefaultQuickFillLanes);
  EXPECT_TRUE(read("No repeated words=1\n").noRepeatedWords);
  EXPECT_TRUE(read("No repeated words=-3\n").noRepeatedWords);  // any nonzero number
  EXPECT_FALSE(read("No repeated words=0\n").noRepeatedWords);
  EXPECT_FALSE(read("No repeated words=yes\n").noRepeatedWords);  // no number: the default
  EXPECT_FALSE(parseComposeSettings("[Folders]\nNo repeated words=1\n").noRepeatedWords);  // other section
  EXPECT_EQ(read("Quick fill lanes=4 lanes\n").quickFillLanes, 4);
  EXPECT_EQ(read("Quick fill lanes=64\n").quickFillLanes, 64);
  for (const char* bad : {"0", "65", "-2", "many", "", "99999999999999999999"})
    EXPECT_EQ(read(std::string("Quick fill lanes=") + bad + "\n").quickFillLanes, kDefaultQuickFillLanes)
        << bad;
}

TEST(ComposeSettingsTest, WritingTheOptionKeepsTheFoldersAndEveryOtherKey) {
  const std::string before = "[Folders]\nMake:Open=/m/open\n[Compose]\nQuick fill lanes=3\n[Window]\nx=5\n";
  const std::string after = withNoRepeatedWords(before, true);
  EXPECT_TRUE(parseComposeSettings(after).noRepeatedWords);
  EXPECT_EQ(parseComposeSettings(after).quickFillLanes, 3);
  EXPECT_EQ(*parseFolderSettings(after)[0], "/m/open");
  EXPECT_NE(after.find("No repeated words=1\n"), std::string::npos) << after;
  EXPECT_NE(after.find("[Window]\nx=5\n"), std::string::npos) << after;
  EXPECT_FALSE(parseComposeSettings(withNoRepeatedWords(after, false)).noRepeatedWords);
  // The folders written afterwards leave the option alone.
  const std::string folders = withFolderSettings(after, {"a", "b", "c", "d"});
  EXPECT_TRUE(parseComposeSettings(folders).noRepeatedWords);
}

// The list's order is read as a number and written alone into its own section.
TEST(EditSettingsTest, SortByNumberIsReadAsANumberAndWrittenBesideTheOtherSections) {
  const struct {
    const char* text;
    bool sorted;
  } cases[] = {{"", false},
               {"[Edit]\nSort by number=1\n", true},
               {"[Edit]\nSort by number=2\n", true},
               {"[Edit]\nSort by number=0\n", false},
               {"[Edit]\nSort by number=yes\n", false},
               {"[Edit]\nSort by number=+1 (sorted)\n", true},  // read as the profile functions read it
               {"[Compose]\nSort by number=1\n", false}};
  for (const auto& c : cases) EXPECT_EQ(parseEditSettings(c.text).sortByNumber, c.sorted) << c.text;

  const std::string before = "[Folders]\nEdit:Open=/e/open\n[Compose]\nNo repeated words=1\n";
  const std::string after = withSortByNumber(before, true);
  EXPECT_TRUE(parseEditSettings(after).sortByNumber);
  EXPECT_TRUE(parseComposeSettings(after).noRepeatedWords);
  EXPECT_EQ(*parseFolderSettings(after)[2], "/e/open");
  EXPECT_NE(after.find("[Edit]\nSort by number=1\n"), std::string::npos) << after;
  EXPECT_FALSE(parseEditSettings(withSortByNumber(after, false)).sortByNumber);
}

TEST(SettingsFileTest, AMissingOrUnreadableFileGivesTheDefaultsAndWritingKeepsTheOtherSection) {
  test::TempFolder folder;
  const std::filesystem::path file = folder / "conf/crossword.conf";
  EXPECT_FALSE(readFolderSettings(file)[0]);
  EXPECT_EQ(readComposeOptions(folder.path()).quickFillLanes, kDefaultQuickFillLanes);  // a folder

  writeNoRepeatedWords(file, true);  // makes the missing folder
  writeFolderSettings(file, {"/a", "", "/c", "/d"});
  const std::string text = test::readFile(file);
  EXPECT_NE(text.find("[Compose]\nNo repeated words=1\n"), std::string::npos) << text;
  EXPECT_NE(text.find("[Folders]\nMake:Open=/a\nMake:Save=\nEdit:Open=/c\nEdit:Save=/d\n"), std::string::npos)
      << text;
  EXPECT_EQ(*readFolderSettings(file)[1], "");
  EXPECT_TRUE(readComposeOptions(file).noRepeatedWords);
}

TEST(SettingsFileTest, AFileThatCannotBeWrittenIsAFileErrorNamingItAndStaysAsItWas) {
  test::TempFolder folder;
  const std::filesystem::path blocker = test::writeFile(folder / "not-a-folder", "x");
  EXPECT_FILE_ERROR(writeFolderSettings(blocker / "crossword.conf", {"a", "b", "c", "d"}), "not-a-folder");
  EXPECT_FILE_ERROR(writeNoRepeatedWords(blocker / "crossword.conf", true), "not-a-folder");
  EXPECT_EQ(test::readFile(blocker), "x");
}

TEST(ComposingViewSettingsTest, ValuesOutOfRangeGiveTheDefaults) {
  const ComposingViewSettings defaults;
  EXPECT_EQ(parseComposingViewSettings(""), defaults);
  struct Case {
    const char* line;
    ComposingViewSettings expected;
  };
  const Case cases[] = {
      {"Quick fill no repeated words=0", {false, "none", 18}},
      {"Quick fill no repeated words=x", defaults},
      {"Symmetry=rotational", {true, "rotational", 18}},
      {"Symmetry=mirror", {true, "mirror", 18}},
      {"Symmetry=diagonal", defaults},
      {"Cell size=48", {true, "none", 48}},
      {"Cell size=12", {true, "none", 12}},
      {"Cell size=+24 px", {true, "none", 24}},
      {"Cell size=11", defaults},
      {"Cell size=49", defaults},
      {"Cell size=", defaults},
  };
  for (const Case& c : cases)
    EXPECT_EQ(parseComposingViewSettings("[Compose]\n" + std::string(c.line) + "\n"), c.expected) << c.line;
}

TEST(ComposingViewSettingsTest, OnlyTheChangedKeysAreWrittenAndEveryOtherKeyStays) {
  test::TempFolder folder;
  const std::filesystem::path file = folder / "crossword.conf";
  const ComposingViewSettings atStart;
  writeComposingViewSettings(file, atStart, atStart);
  EXPECT_FALSE(std::filesystem::exists(file)) << "nothing changed, nothing written";

  test::writeFile(file, "[Compose]\nNo repeated words=1\n[Folders]\nMake:Open=/m\n");
  ComposingViewSettings now = atStart;
  now.symmetry = "rotational";
  now.cellSize = 24;
  writeComposingViewSettings(file, atStart, now);
  const std::string text = test::readFile(file);
  EXPECT_NE(text.find("Symmetry=rotational\n"), std::string::npos) << text;
  EXPECT_NE(text.find("Cell size=24\n"), std::string::npos) << text;
  EXPECT_EQ(text.find("Quick fill no repeated words"), std::string::npos) << text;
  EXPECT_TRUE(readComposeOptions(file).noRepeatedWords);
  EXPECT_EQ(*readFolderSettings(file)[0], "/m");
  EXPECT_EQ(readComposingViewSettings(file), now);
}

}  // namespace
}  // namespace gw
