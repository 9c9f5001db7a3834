// crossword.conf's "Compose" section: what odd values read as, and that writing the one
// key the window writes keeps everything else.
#include "authoring/gui/app/compose_settings.h"

#include <gtest/gtest.h>

#include "authoring/gui/app/folder_settings.h"

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

TEST(ComposeSettingsTest, MinimumWordScoreIsReadInRangeAndWrittenBesideTheOthers) {
  EXPECT_EQ(parseComposeSettings("").minWordScore, 1);
  EXPECT_EQ(read("Minimum word score=50\n").minWordScore, 50);
  for (const char* bad : {"101", "-1", "high"})
    EXPECT_EQ(read(std::string("Minimum word score=") + bad + "\n").minWordScore, 1) << bad;
  const std::string after = withMinWordScore("[Compose]\nNo repeated words=1\n", 40);
  EXPECT_EQ(parseComposeSettings(after).minWordScore, 40);
  EXPECT_TRUE(parseComposeSettings(after).noRepeatedWords);
}

}  // namespace
}  // namespace gw
