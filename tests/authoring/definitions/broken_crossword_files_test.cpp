// The crossword files of tests/data/crossword (shared with the fuzz seeds) opened as the
// authoring program opens them: a broken file is refused with the messages the user sees and
// leaves the open crossword as it was; a good one opens.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "authoring/definitions/crossword_document.h"

namespace fs = std::filesystem;

namespace {

fs::path fixture(const std::string& name) { return fs::path(GW_SOURCE_DIR) / "tests/data/crossword" / name; }

struct BrokenFile {
  std::string name;
  // Either every message exactly, or a part of the one message.
  std::vector<std::string> messages;
  std::string part;
};

const std::vector<BrokenFile>& brokenFiles() {
  static const std::vector<BrokenFile> kFiles = {
      {"broken-empty.C_W", {"Bad file!", "Bad file format : "}, {}},
      {"broken-short.C_W", {"Bad file!", "Bad file format : CW1"}, {}},
      {"broken-magic.C_W", {"Bad file format : XYZW"}, {}},
      {"broken-board-cut.C_W", {}, "at board"},
      {"broken-mark-count-huge.C_W", {}, "damaged (at top-edge mark, byte 21)"},
      {"broken-mark-off-board.C_W", {}, "top-edge mark 1 (column 3, row 0) lies outside the 2 x 3 board"},
      {"broken-definition-off-board.C_W", {}, "definition 1 (across at row 1, column 1, 3 letters)"},
      {"broken-clue-cut.C_W", {}, "at clue text"},
      {"broken-picture-off-board.C_W", {}, "picture 1 (column 1, row 0, 3 x 1 cells) does not fit"},
      {"broken-picture-not-jpeg.C_W", {}, "Picture 1 cannot be read: "},
      {"broken-picture-bomb.C_W", {}, "The crossword's pictures are too large"},
      {"broken-picture-scans.C_W", {}, "decoding them takes"},
  };
  return kFiles;
}

TEST(CrosswordFixtures, EveryBrokenFileHasItsExpectedMessages) {
  std::vector<std::string> onDisk, listed;
  for (const auto& entry : fs::directory_iterator(fixture("")))
    if (entry.path().filename().string().rfind("broken-", 0) == 0) onDisk.push_back(entry.path().filename());
  for (const BrokenFile& f : brokenFiles()) listed.push_back(f.name);
  std::sort(onDisk.begin(), onDisk.end());
  std::sort(listed.begin(), listed.end());
  EXPECT_EQ(onDisk, listed);
}

TEST(CrosswordFixtures, BrokenFilesAreRefusedAndTheOpenCrosswordStays) {
  gw::CrosswordDocument document;
  document.open(fixture("good-cyrillic.C_W"));
  document.setModified();
  const gw::CrosswordFile before = document.toCrosswordFile();
  for (const BrokenFile& f : brokenFiles()) {
    SCOPED_TRACE(f.name);
    try {
      document.open(fixture(f.name));
      ADD_FAILURE() << "opened";
    } catch (const gw::CrosswordOpenError& e) {
      if (!f.messages.empty()) {
        EXPECT_EQ(e.messages(), f.messages);
      } else {
        ASSERT_EQ(e.messages().size(), 1u);
        EXPECT_NE(e.messages()[0].find(f.part), std::string::npos) << e.messages()[0];
      }
    }
    EXPECT_EQ(document.toCrosswordFile(), before);
    EXPECT_EQ(document.fileName(), fixture("good-cyrillic.C_W"));
    EXPECT_TRUE(document.isModified());
  }
}

TEST(CrosswordFixtures, GoodFilesOpenAndReportCluesWithoutAWord) {
  const std::vector<std::pair<std::string, std::vector<std::string>>> files = {
      {"good-small.C_W", {}},
      {"good-clues.C_W", {"no run 0 1"}},
      {"good-cyrillic.C_W", {}},
      {"good-composer.C_W", {}},
  };
  for (const auto& [name, unplaced] : files) {
    SCOPED_TRACE(name);
    gw::CrosswordDocument document;
    EXPECT_EQ(document.open(fixture(name)), unplaced);
    EXPECT_TRUE(document.isOpen());
    EXPECT_FALSE(document.definitions().empty());
  }
}

}  // namespace
