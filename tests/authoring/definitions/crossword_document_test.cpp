#include "authoring/definitions/crossword_document.h"

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "common/crossword_reader.h"
#include "common/file_io.h"

namespace fs = std::filesystem;

namespace {

using gw::Direction;

class CrosswordDocumentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("gw-doc-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  fs::path file(const std::string& name, std::string_view bytes) {
    const fs::path p = dir_ / name;
    std::ofstream(p, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return p;
  }
  fs::path path(const std::string& name) const { return dir_ / name; }

  // The open crossword of the small board with clues on every word.
  static gw::CrosswordDocument smallDocument(const fs::path& name) {
    gw::CrosswordDocument dm;
    dm.rows = 2;
    dm.columns = 3;
    dm.board = "AB CDE";
    dm.prepareDefinitions();
    dm.fileName = name;
    dm.crosswordOpen = true;
    return dm;
  }

  static std::string picture() {
    std::string rgb;
    for (int i = 0; i < 40 * 20; ++i)
      rgb += i % 40 < 20 ? std::string("\xFF\x00\x00", 3) : std::string("\x00\x00\xFF", 3);
    return gw::encodeJpegRgb(40, 20, rgb);
  }

  fs::path dir_;
};

TEST_F(CrosswordDocumentTest, CloseEndsEditingButKeepsBoardAndPlacements) {
  gw::CrosswordDocument dm = smallDocument(path("a.C_W"));
  dm.topMarks = {{1, 1}};
  dm.pictures = {{2, 0, 1, 1, picture()}};
  dm.decodePictures();
  dm.modified = true;
  dm.closeCrossword();
  EXPECT_TRUE(dm.topMarks.empty());
  EXPECT_TRUE(dm.definitions.empty());
  EXPECT_FALSE(dm.modified || dm.crosswordOpen);
  EXPECT_TRUE(dm.fileName.empty());
  EXPECT_EQ(dm.board, "AB CDE");
  EXPECT_EQ(dm.pictures.size(), 1u);
  ASSERT_EQ(dm.pictureImages.size(), 1u);
  EXPECT_FALSE(dm.pictureImages[0].has_value());
}

TEST_F(CrosswordDocumentTest, NewGivesABlankOpenModifiedBoardAndCommandsFollowTheState) {
  gw::CrosswordDocument open = smallDocument(path("old.C_W"));
  open.topMarks = {{1, 1}, {2, 1}};
  open.newCrossword(5, 2, gw::Language::Serbian,
                    gw::ClueCharset::SerbianCyrillic);  // New while a crossword is open
  EXPECT_TRUE(open.definitions.empty());
  EXPECT_EQ(open.topMarks, (std::vector<gw::EdgeMark>{{1, 1}}));
  EXPECT_EQ(open.fileName, path("old.C_W"));

  gw::CrosswordDocument dm;
  EXPECT_TRUE(dm.canOpen());
  EXPECT_FALSE(dm.canClose() || dm.canSave() || dm.canDefine() || dm.canTry());
  dm.newCrossword(5, 7, gw::Language::Serbian, gw::ClueCharset::SerbianCyrillic);
  EXPECT_EQ(dm.rows, 5);
  EXPECT_EQ(dm.columns, 7);
  EXPECT_EQ(dm.board, std::string(35, ' '));
  EXPECT_TRUE(dm.crosswordOpen && dm.modified);
  EXPECT_TRUE(dm.canDefine() && dm.canClose());
  EXPECT_FALSE(dm.canSave() || dm.canTry() || dm.canOpen());  // no file name yet
  dm.prepareDefinitions();                                    // layout editor cancelled
  EXPECT_TRUE(dm.definitions.empty());
  dm.saveAs(path("new.C_W"));
  EXPECT_FALSE(dm.canSave());
  EXPECT_TRUE(dm.canTry());
  dm.modified = true;
  EXPECT_TRUE(dm.canSave());

  // Save as after Close writes the placements' own pictures, not freed images.
  dm.pictures = {{0, 0, 1, 1, picture()}};
  dm.decodePictures();
  dm.closeCrossword();
  dm.saveAs(path("closed.C_W"));
  EXPECT_EQ(gw::readCrosswordFile(path("closed.C_W"), gw::CrosswordReadMode::Solver).pictures[0].jpeg,
            picture());
}

TEST_F(CrosswordDocumentTest, SavesTheFiveRecordsOfTheSmallBoardInTableOrder) {
  gw::CrosswordDocument dm = smallDocument(path("small.C_W"));
  dm.modified = true;
  dm.definitions.setClue(*dm.definitions.find(Direction::Across, 1, 0), "Bytes");
  dm.save();
  EXPECT_FALSE(dm.modified);
  const std::string bytes = gw::readWholeFile(path("small.C_W"));
  const std::string expected = std::string(
                                   "CW10\x00\x02\x03"
                                   "AB CDE",
                                   13) +
                               std::string(8, '\0') + '\0' + std::string("\x05\x00\x00\x00", 4) +
                               std::string("\x00\x00\x00\x02\x00\x00\x00\x00", 8) +
                               std::string("\x00\x00\x01\x02\x00\x00\x00\x00", 8) +
                               std::string("\x00\x01\x02\x01\x00\x00\x00\x00", 8) +
                               std::string("\x01\x00\x00\x02\x00\x00\x00\x00", 8) +
                               std::string(
                                   "\x01\x01\x00\x03\x05\x00\x00\x00"
                                   "Bytes",
                                   13) +
                               std::string(4, '\0');
  EXPECT_EQ(bytes, expected);
}

TEST_F(CrosswordDocumentTest, OpenThenSaveAsReproducesTheFile) {
  gw::CrosswordDocument dm = smallDocument(path("first.C_W"));
  dm.language = gw::Language::Serbian;
  dm.charset = gw::ClueCharset::SerbianCyrillic;
  dm.topMarks = {{0, 1}, {1, 1}};
  dm.leftMarks = {{2, 1}};
  for (std::size_t i = 0; i < dm.definitions.size(); ++i)
    dm.definitions.setClue(i, std::string(i * 150, char('a' + i)));
  dm.save();
  const std::string first = gw::readWholeFile(path("first.C_W"));

  gw::CrosswordDocument opened;
  EXPECT_TRUE(opened.open(path("first.C_W")).empty());
  EXPECT_TRUE(opened.crosswordOpen);
  EXPECT_FALSE(opened.modified);
  EXPECT_EQ(opened.definitions.at(4).clue.size(), 600u);
  EXPECT_EQ(opened.definitions.current(), 0u);
  opened.saveAs(path("second.C_W"));
  EXPECT_EQ(opened.fileName, path("second.C_W"));
  EXPECT_EQ(gw::readWholeFile(path("second.C_W")), first);
}

TEST_F(CrosswordDocumentTest, PicturesAreDecodedOnOpenAndWrittenAnewOnSave) {
  gw::CrosswordDocument dm = smallDocument(path("pic.C_W"));
  dm.pictures = {{1, 0, 2, 1, picture()}};
  dm.decodePictures();
  const gw::PictureImage& image = *dm.pictureImages[0];
  EXPECT_EQ(image.left, 21);
  EXPECT_EQ(image.top, 1);
  EXPECT_EQ(image.width, 40);
  EXPECT_EQ(image.height, 20);
  EXPECT_EQ(image.image.width, 40);
  dm.save();

  gw::CrosswordDocument opened;
  opened.open(path("pic.C_W"));
  ASSERT_EQ(opened.pictureImages.size(), 1u);
  ASSERT_TRUE(opened.pictureImages[0].has_value());
  EXPECT_EQ(opened.pictureImages[0]->image.height, 20);
  EXPECT_EQ(opened.pictures[0].byteLength(), opened.pictures[0].jpeg.size());
  // No working files appear beside the crossword.
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);

  // The saved picture is the re-encoded image; the rest of the file is unchanged.
  opened.saveAs(path("again.C_W"));
  const gw::CrosswordFile a = gw::readCrosswordFile(path("pic.C_W"), gw::CrosswordReadMode::Authoring);
  gw::CrosswordFile b = gw::readCrosswordFile(path("again.C_W"), gw::CrosswordReadMode::Authoring);
  EXPECT_EQ(gw::decodeJpeg(b.pictures[0].jpeg).width, 40);
  b.pictures[0].jpeg = a.pictures[0].jpeg;
  EXPECT_EQ(a, b);

  opened.releasePictureImages();
  EXPECT_EQ(opened.pictureImages.size(), 1u);
  EXPECT_FALSE(opened.pictureImages[0].has_value());
  opened.decodePictures();
  EXPECT_TRUE(opened.pictureImages[0].has_value());
}

TEST_F(CrosswordDocumentTest, CluesWithoutARunAreReportedAndLaterDuplicatesWin) {
  gw::CrosswordFile cw;
  cw.rows = 2;
  cw.columns = 3;
  cw.board = "AB CDE";
  cw.definitions = {{Direction::Across, 0, 0, 2, "first"},
                    {Direction::Across, 0, 1, 2, "Lost clue"},
                    {Direction::Across, 0, 0, 2, "second"}};
  gw::CrosswordDocument dm;
  EXPECT_EQ(dm.open(file("dup.C_W", gw::serializeCrossword(cw) + "trailing")),
            std::vector<std::string>{"Lost clue 0 1"});
  EXPECT_EQ(dm.definitions.size(), 5u);
  EXPECT_EQ(dm.definitions.at(*dm.definitions.find(Direction::Across, 0, 0)).clue, "second");
  EXPECT_FALSE(dm.modified);
}

TEST_F(CrosswordDocumentTest, BrokenFilesLeaveTheOpenCrosswordAsItWas) {
  gw::CrosswordDocument dm = smallDocument(path("mine.C_W"));
  dm.definitions.setClue(0, "keep me");
  dm.modified = true;
  const gw::CrosswordFile before = dm.toCrosswordFile();

  gw::CrosswordFile bigger;
  bigger.rows = 3;
  bigger.columns = 3;
  bigger.board = "ABCDEFGHI";
  bigger.definitions = {{Direction::Across, 0, 0, 3, "x"}};
  const std::string good = gw::serializeCrossword(bigger);
  bigger.pictures = {{0, 0, 1, 1, "not a jpeg"}};
  const std::string badPicture = gw::serializeCrossword(bigger);
  bigger.pictures.clear();
  bigger.definitions = {{Direction::Across, 0, 1, 3, "x"}};
  const std::string offBoard = gw::serializeCrossword(bigger);

  struct Case {
    std::string bytes;
    std::vector<std::string> messages;
  };
  const std::vector<Case> cases = {
      {"CW1", {"Bad file!", "Bad file format : CW1"}},
      {"", {"Bad file!", "Bad file format : "}},
      {"cw10" + good.substr(4), {"Bad file format : cw10"}},
      {good.substr(0, good.size() - 3), {}},
      {offBoard, {}},
      {badPicture, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bytes.substr(0, 4));
    try {
      dm.open(file("bad.C_W", c.bytes));
      ADD_FAILURE() << "opened";
    } catch (const gw::CrosswordOpenError& e) {
      ASSERT_FALSE(e.messages().empty());
      if (!c.messages.empty()) {
        EXPECT_EQ(e.messages(), c.messages);
      }
    }
    EXPECT_EQ(dm.toCrosswordFile(), before);
    EXPECT_TRUE(dm.modified);
    EXPECT_EQ(dm.fileName, path("mine.C_W"));
  }
  try {
    dm.open(file("pic.C_W", badPicture));
    ADD_FAILURE() << "opened";
  } catch (const gw::CrosswordOpenError& e) {
    ASSERT_EQ(e.messages().size(), 1u);
    EXPECT_EQ(e.messages()[0].rfind("Picture 1 cannot be read: ", 0), 0u) << e.messages()[0];
    EXPECT_EQ(e.what(), e.messages()[0]);
  }
  EXPECT_THROW(dm.open(path("missing.C_W")), gw::FileError);
  EXPECT_EQ(dm.toCrosswordFile(), before);
}

TEST_F(CrosswordDocumentTest, FailedSaveKeepsTheOldFileAndTheModifiedFlag) {
  gw::CrosswordDocument dm = smallDocument(path("keep.C_W"));
  dm.save();
  const std::string old = gw::readWholeFile(path("keep.C_W"));

  dm.definitions.setClue(0, "changed");
  dm.modified = true;
  // A picture that cannot be encoded stops the save before the file is touched.
  dm.pictures = {{0, 0, 1, 1, "x"}};
  dm.pictureImages = {gw::PictureImage{}};
  dm.pictureImages[0]->image.width = 4;
  dm.pictureImages[0]->image.height = 4;
  EXPECT_THROW(dm.save(), gw::JpegError);
  EXPECT_TRUE(dm.modified);
  EXPECT_EQ(gw::readWholeFile(path("keep.C_W")), old);

  // A mark off the board would make a file that cannot be opened again.
  dm.pictures.clear();
  dm.pictureImages.clear();
  dm.leftMarks = {{3, 0}};
  EXPECT_THROW(dm.save(), gw::FormatError);
  EXPECT_TRUE(dm.modified);
  EXPECT_EQ(gw::readWholeFile(path("keep.C_W")), old);
  dm.leftMarks.clear();

  // A folder that does not exist.
  dm.pictures.clear();
  dm.pictureImages.clear();
  EXPECT_THROW(dm.saveAs(path("no/such/folder.C_W")), gw::FileError);
  EXPECT_TRUE(dm.modified);
  EXPECT_EQ(dm.fileName, path("keep.C_W"));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(CrosswordDocumentTest, PreparingMarksTheCrosswordModifiedOnlyWhenWordsAreRewritten) {
  gw::CrosswordDocument dm = smallDocument(path("m.C_W"));
  EXPECT_FALSE(dm.modified);  // built from scratch
  dm.prepareDefinitions();
  EXPECT_TRUE(dm.modified);
}

TEST_F(CrosswordDocumentTest, ExamplesOpenWithAClueForEveryWordAndSaveAsTheyWere) {
  int seen = 0;
  for (const auto& entry : fs::directory_iterator(fs::path(GW_SOURCE_DIR) / "data/examples")) {
    if (entry.path().extension() != ".C_W") continue;
    ++seen;
    SCOPED_TRACE(entry.path().filename().string());
    gw::CrosswordDocument dm;
    EXPECT_TRUE(dm.open(entry.path()).empty());
    for (const gw::Definition& d : dm.definitions.rows()) EXPECT_FALSE(d.clue.empty()) << d.word;
    ASSERT_FALSE(dm.pictureImages.empty());
    for (const auto& image : dm.pictureImages) EXPECT_TRUE(image.has_value() && !image->image.empty());

    dm.saveAs(path("copy.C_W"));
    gw::CrosswordFile original = gw::readCrosswordFile(entry.path(), gw::CrosswordReadMode::Solver);
    gw::CrosswordFile copy = gw::readCrosswordFile(path("copy.C_W"), gw::CrosswordReadMode::Solver);
    for (std::size_t i = 0; i < copy.pictures.size(); ++i) copy.pictures[i].jpeg = original.pictures[i].jpeg;
    EXPECT_EQ(copy, original);
  }
  EXPECT_GE(seen, 4);
}

}  // namespace
