// CROSS.CONF.
#include <gtest/gtest.h>

#include <unistd.h>

#include "common/errors.h"
#include "common/file_io.h"
#include "solver/core/settings.h"

using namespace gw;
using namespace gw::cross;
namespace fs = std::filesystem;

namespace {

fs::path tempConf(const std::string& name) {
  return fs::temp_directory_path() / ("cross_settings_" + std::to_string(::getpid()) + name);
}

}  // namespace

TEST(CrossSettings, DefaultsWithoutAFile) {
  Settings s = readSettings(tempConf("missing"), "/prog/Data");
  EXPECT_FALSE(s.markBadEntries);
  EXPECT_TRUE(s.sounds);
  EXPECT_EQ(s.solveFolder, "/prog/Data");
}

TEST(CrossSettings, ValuesAsTheProfileFunctionsReadThem) {
  fs::path p = tempConf("values");
  writeFileAtomically(p, "[General]\nMark correct=1\nSounds=0\n");
  Settings s = readSettings(p, "/prog/Data");
  EXPECT_TRUE(s.markBadEntries);
  EXPECT_FALSE(s.sounds);
  EXPECT_EQ(s.solveFolder, "/prog/Data");  // no [Folders] section
  writeFileAtomically(p, "[General]\nMark correct=yes\nSounds=abc\n[Folders]\nSolve=/home/x/cw\n");
  s = readSettings(p, "/prog/Data");
  EXPECT_FALSE(s.markBadEntries);  // not integers: the defaults
  EXPECT_TRUE(s.sounds);
  EXPECT_EQ(s.solveFolder, "/home/x/cw");
  writeFileAtomically(p, "[General]\nMark correct=7\nSounds= 0\n");
  s = readSettings(p, "");
  EXPECT_TRUE(s.markBadEntries);
  EXPECT_FALSE(s.sounds);
  fs::remove(p);
}

Settings settingsOf(bool mark, bool sounds, const std::string& folder, int cellSize = 20) {
  Settings s;
  s.markBadEntries = mark;
  s.sounds = sounds;
  s.solveFolder = folder;
  s.cellSize = cellSize;
  return s;
}

TEST(CrossSettings, WrittenWithExactKeysAndOtherKeysKept) {
  fs::path p = tempConf("write");
  writeFileAtomically(p, "[Other]\nkeep=this\n");
  writeSettings(p, settingsOf(true, false, "/data/cw"));
  std::string text = readWholeFile(p);
  EXPECT_NE(text.find("Mark correct=1"), std::string::npos) << text;
  EXPECT_NE(text.find("Sounds=0"), std::string::npos) << text;
  EXPECT_NE(text.find("[Folders]"), std::string::npos) << text;
  EXPECT_NE(text.find("keep=this"), std::string::npos) << text;
  Settings s = readSettings(p, "");
  EXPECT_TRUE(s.markBadEntries);
  EXPECT_FALSE(s.sounds);
  EXPECT_EQ(s.solveFolder, "/data/cw");
  fs::remove(p);
}

// The zoom is written only once the player changed it, and read back within its bounds.
TEST(CrossSettings, CellSizeIsAddedOnlyWhenZoomed) {
  fs::path p = tempConf("zoom");
  writeSettings(p, settingsOf(false, true, "/d"));
  EXPECT_EQ(readWholeFile(p).find("Cell size"), std::string::npos);
  writeSettings(p, settingsOf(false, true, "/d", 26));
  EXPECT_EQ(readSettings(p, "").cellSize, 26);
  writeSettings(p, settingsOf(false, true, "/d", 20));  // back to the default: still remembered
  EXPECT_NE(readWholeFile(p).find("Cell size=20"), std::string::npos);
  writeFileAtomically(p, "[General]\nCell size=3\n");
  EXPECT_EQ(readSettings(p, "").cellSize, 16);
  writeFileAtomically(p, "[General]\nCell size=huge\n");
  EXPECT_EQ(readSettings(p, "").cellSize, 20);
  fs::remove(p);
}

// A file over 64 KB: its first whole lines are read; writing keeps the file and says so.
TEST(CrossSettings, OversizedFileIsReadInPartAndNeverOverwritten) {
  fs::path p = tempConf("large");
  std::string text = "[General]\nMark correct=1\nSounds=0\n[Notes]\n";
  for (int i = 0; text.size() < (70 << 10); ++i)
    text += "note" + std::to_string(i) + "=" + std::string(60, 'x') + "\n";
  text += "[Folders]\nSolve=/far/away\n";
  writeFileAtomically(p, text);
  Settings s = readSettings(p, "/default");
  EXPECT_TRUE(s.markBadEntries);
  EXPECT_FALSE(s.sounds);
  EXPECT_EQ(s.solveFolder, "/default");
  EXPECT_THROW(writeSettings(p, settingsOf(false, true, "/data/cw")), FileError);
  EXPECT_EQ(readWholeFile(p, 1 << 20), text);
  fs::remove(p);
}

// The switches of the clue list, the numbers and the jump are written only once the player
// changed them; a file without them gives their defaults.
TEST(CrossSettings, NewSwitchesAreWrittenOnlyWhenChanged) {
  fs::path p = tempConf("switches");
  writeSettings(p, settingsOf(false, true, "/d"));
  const std::string untouched = readWholeFile(p);
  for (const char* key : {"Numbers", "Clue list", "Jump to the next word"})
    EXPECT_EQ(untouched.find(key), std::string::npos) << key;
  Settings s = readSettings(p, "");
  EXPECT_TRUE(s.showNumbers() && s.showClueList() && !s.jumps());
  s.numbers = false;
  s.jumpToNextWord = true;
  s.clueListGeometry = "10,20,300,400";
  writeSettings(p, s);
  s = readSettings(p, "");
  EXPECT_FALSE(s.showNumbers());
  EXPECT_TRUE(s.jumps());
  EXPECT_TRUE(s.showClueList());
  EXPECT_EQ(s.clueListGeometry, "10,20,300,400");
  fs::remove(p);
}
