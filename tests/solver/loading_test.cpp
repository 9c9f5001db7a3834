// Loading a crossword with its progress, saving and deleting progress, and how
// loading fails: whole or not at all, with the player's message.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "common/crossword_reader.h"
#include "common/file_io.h"
#include "common/jpeg.h"
#include "sample_crosswords.h"
#include "solver/core/loader.h"
#include "tests/support/temp_folder.h"

using gw::CellPos;
using namespace gw;
using namespace gw::cross;
using namespace gw::cross::testing;
namespace fs = std::filesystem;

namespace {

class CrossLoading : public ::testing::Test {
 protected:

  fs::path write(const std::string& name, const CrosswordFile& f) {
    fs::path p = dir_ / name;
    writeCrosswordFile(p, f);
    return p;
  }
  fs::path writeBytes(const std::string& name, const std::string& bytes) {
    fs::path p = dir_ / name;
    writeFileAtomically(p, bytes);
    return p;
  }
  std::vector<std::string> filesInDir() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir_)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  gw::test::TempFolder folder_{"cross_loading"};
  fs::path dir_ = folder_.path();
};

}  // namespace

TEST_F(CrossLoading, FreshCrosswordHasEmptyEntriesAndTheFirstLetterCell) {
  fs::path p = write("x.C_W", germanSample());
  LoadedCrossword c = loadCrossword(p);
  EXPECT_EQ(c.progressPath, dir_ / "x.RES_CW");
  EXPECT_EQ(c.board.entries(), std::string(24, ' '));
  EXPECT_EQ(c.board.current(), (CellPos{0, 0}));
  EXPECT_EQ(c.board.direction(), Direction::Across);
  EXPECT_EQ(c.board.language(), Language::German);
  EXPECT_EQ(c.board.acrossClueAt(), "Wort ZEIT");
  // Pictures come from memory: no temporary picture files appear beside the crossword.
  EXPECT_EQ(filesInDir(), std::vector<std::string>{"x.C_W"});
}

TEST_F(CrossLoading, ProgressIsSavedReloadedAndDeleted) {
  fs::path p = write("x.C_W", englishSample());
  LoadedCrossword c = loadCrossword(p);
  c.board.typeKey('c');
  c.board.typeKey('a');
  saveProgress(c);
  EXPECT_EQ(readWholeFile(c.progressPath).size(), 24u);
  LoadedCrossword again = loadCrossword(p);
  EXPECT_EQ(again.board.entries().substr(0, 3), "CA ");
  deleteProgress(again);
  EXPECT_FALSE(fs::exists(again.progressPath));
  deleteProgress(again);  // no file: not an error
}

// A crossword in a folder the player cannot write keeps its progress in the user's data folder,
// under a name of its own full path; loading reads either place.
TEST_F(CrossLoading, ProgressOfACrosswordInAReadOnlyFolderGoesToTheDataFolder) {
  const char* oldDataHome = std::getenv("XDG_DATA_HOME");
  const std::string saved = oldDataHome ? oldDataHome : "";
  ::setenv("XDG_DATA_HOME", (dir_ / "data").c_str(), 1);
  fs::create_directories(dir_ / "a");
  fs::create_directories(dir_ / "b");
  writeCrosswordFile(dir_ / "a" / "x.C_W", englishSample());
  writeCrosswordFile(dir_ / "b" / "x.C_W", englishSample());
  const fs::path shared = userProgressPathFor(dir_ / "a" / "x.C_W");
  EXPECT_EQ(shared.parent_path(), dir_ / "data" / "gridwright" / "progress");
  EXPECT_EQ(shared.filename().string().rfind("x-", 0), 0u);
  EXPECT_NE(shared, userProgressPathFor(dir_ / "b" / "x.C_W"));  // same name, another folder

  LoadedCrossword c = loadCrossword(dir_ / "a" / "x.C_W", ProgressPlace::UserDataFolder);
  EXPECT_EQ(c.progressPath, shared);
  c.board.typeKey('c');
  saveProgress(c);
  EXPECT_FALSE(fs::exists(dir_ / "a" / "x.RES_CW"));
  EXPECT_EQ(loadCrossword(dir_ / "a" / "x.C_W", ProgressPlace::UserDataFolder).board.entries().substr(0, 2),
            "C ");
  // The other place is read when the chosen one has nothing: the folder became writable.
  EXPECT_EQ(
      loadCrossword(dir_ / "a" / "x.C_W", ProgressPlace::BesideTheCrossword).board.entries().substr(0, 2),
      "C ");
  EXPECT_EQ(loadCrossword(dir_ / "b" / "x.C_W", ProgressPlace::UserDataFolder).board.entries().substr(0, 2),
            "  ");
  deleteProgress(c);
  EXPECT_FALSE(fs::exists(shared));
  if (oldDataHome)
    ::setenv("XDG_DATA_HOME", saved.c_str(), 1);
  else
    ::unsetenv("XDG_DATA_HOME");
}

// A progress file of another size belongs to an edited crossword: the board starts empty,
// the file is left as it is until the next save replaces it.
TEST_F(CrossLoading, ProgressOfOtherSizesIsSetAside) {
  fs::path p = write("x.C_W", boardFromRows(Language::English, {"AB", "CD"}));
  writeBytes("x.RES_CW", "ABCD");
  LoadedCrossword fits = loadCrossword(p);
  EXPECT_EQ(fits.board.entries(), "ABCD");
  EXPECT_FALSE(fits.progressDiscarded);
  for (const char* other : {"ABCDEFGH", "AB", ""}) {
    writeBytes("x.RES_CW", other);
    LoadedCrossword c = loadCrossword(p);
    EXPECT_EQ(c.board.entries(), "    ") << other;
    EXPECT_TRUE(c.progressDiscarded) << other;
    EXPECT_EQ(readWholeFile(dir_ / "x.RES_CW"), other);  // untouched until a save
    c.board.typeKey('a');
    saveProgress(c);
    EXPECT_EQ(readWholeFile(dir_ / "x.RES_CW"), "A   ");
  }
}

TEST_F(CrossLoading, MissingFileMessageHasThreeLines) {
  fs::path p = dir_ / "none.C_W";
  try {
    loadCrossword(p);
    FAIL();
  } catch (const MissingCrosswordError& e) {
    EXPECT_EQ(std::string(e.what()), "File doesn't \r\n" + p.string() + "\r\n exist!");
  }
}

TEST_F(CrossLoading, ShortFileAndWrongMagic) {
  try {
    loadCrossword(writeBytes("s.C_W", "CW1"));
    FAIL();
  } catch (const CrosswordReadError& e) {
    EXPECT_EQ(e.kind(), CrosswordReadError::Kind::TooShort);
    EXPECT_STREQ(e.what(), "Bad file!");
  }
  try {
    loadCrossword(writeBytes("m.C_W", "CW11" + std::string(40, '\0')));
    FAIL();
  } catch (const CrosswordReadError& e) {
    EXPECT_STREQ(e.what(), "Bad file format : CW11");
  }
  try {
    loadCrossword(writeBytes("l.C_W", "cw10" + std::string(40, '\0')));
    FAIL();
  } catch (const CrosswordReadError& e) {
    EXPECT_STREQ(e.what(), "Bad file format : cw10");
  }
}

TEST_F(CrossLoading, DamagedFilesFailWhole) {
  std::string good = serializeCrossword(englishSample());
  for (std::size_t cut : {5ul, 20ul, good.size() - 1}) {
    fs::path p = writeBytes("cut.C_W", good.substr(0, cut));
    EXPECT_THROW(loadCrossword(p), FormatError) << cut;
  }
  CrosswordFile f = germanSample();
  f.pictures[0].jpeg = "not a picture";
  EXPECT_THROW(loadCrossword(write("pic.C_W", f)), JpegError);
  // Trailing bytes change nothing.
  fs::path t = writeBytes("t.C_W", good + "trailing");
  EXPECT_EQ(loadCrossword(t).board.solution(), englishSample().board);
}

// The broken files of tests/data/crossword (shared with the fuzz seeds): the player sees the
// reader's message, and neither the crossword nor a progress file beside it is touched.
TEST_F(CrossLoading, BrokenFixturesFailWithThePlayersMessage) {
  const std::vector<std::pair<std::string, std::string>> files = {
      {"broken-empty.C_W", "Bad file!"},
      {"broken-short.C_W", "Bad file!"},
      {"broken-magic.C_W", "Bad file format : XYZW"},
      {"broken-board-cut.C_W", "at board"},
      {"broken-mark-count-huge.C_W", "at top-edge mark, byte 21"},
      {"broken-mark-off-board.C_W", "lies outside the 2 x 3 board"},
      {"broken-definition-off-board.C_W", "does not fit the 2 x 3 board"},
      {"broken-clue-cut.C_W", "at clue text"},
      {"broken-picture-off-board.C_W", "picture 1 (column 1, row 0, 3 x 1 cells)"},
      {"broken-picture-not-jpeg.C_W", "The picture cannot be read"},
      {"broken-picture-bomb.C_W", "The crossword's pictures are too large"},
      {"broken-picture-scans.C_W", "decoding them takes"},
  };
  for (const auto& [name, part] : files) {
    SCOPED_TRACE(name);
    const fs::path copy = dir_ / name;
    fs::copy_file(fs::path(GW_SOURCE_DIR) / "tests/data/crossword" / name, copy);
    const std::string bytes = readWholeFile(copy);
    writeBytes(progressPathFor(copy).filename().string(), "progress");
    try {
      loadCrossword(copy);
      ADD_FAILURE() << "loaded";
    } catch (const std::exception& e) {
      EXPECT_NE(std::string(e.what()).find(part), std::string::npos) << e.what();
    }
    EXPECT_EQ(readWholeFile(copy), bytes);
    EXPECT_EQ(readWholeFile(progressPathFor(copy)), "progress");
  }
}

TEST_F(CrossLoading, UnknownClueCharsetIsRead) {
  CrosswordFile f = englishSample();
  f.charset = static_cast<ClueCharset>(5);
  f.language = static_cast<Language>(3);
  LoadedCrossword c = loadCrossword(write("u.C_W", f));
  EXPECT_EQ(c.board.clueCharset(), ClueCharset::Ansi);
  EXPECT_EQ(c.board.language(), Language::English);
}

TEST_F(CrossLoading, RelativePathNamesTheProgressBesideIt) {
  write("rel.C_W", englishSample());
  fs::path old = fs::current_path();
  fs::current_path(dir_);
  LoadedCrossword c = loadCrossword("rel.C_W");
  saveProgress(c);
  fs::current_path(old);
  EXPECT_TRUE(fs::exists(dir_ / "rel.RES_CW"));
}

// Another copy of Cross (another log-in) has the crossword open: this one reads the progress
// but never writes or deletes it. Loads in one process share the lock.
TEST_F(CrossLoading, ACrosswordOpenElsewhereIsReadOnly) {
  const fs::path p = write("x.C_W", englishSample());
  const std::string theirs = "CA" + std::string(22, ' ');
  writeBytes("x.RES_CW", theirs);
  const int other = ::open(p.c_str(), O_RDONLY);
  ASSERT_EQ(::flock(other, LOCK_EX | LOCK_NB), 0);

  LoadedCrossword c = loadCrossword(p);
  EXPECT_TRUE(c.readOnly);
  EXPECT_EQ(c.board.entries(), theirs);
  c.board.typeKey('x');
  saveProgress(c);
  deleteProgress(c);
  EXPECT_EQ(readWholeFile(dir_ / "x.RES_CW"), theirs);

  ::close(other);
  LoadedCrossword first = loadCrossword(p);
  LoadedCrossword again = loadCrossword(p);
  EXPECT_FALSE(first.readOnly);
  EXPECT_FALSE(again.readOnly);
  EXPECT_TRUE(loadCrossword(p).lock == first.lock);
}
