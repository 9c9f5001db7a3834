#include "authoring/definitions/crossword_document.h"

#include <filesystem>
#include <fstream>
#include <vector>

#include <gtest/gtest.h>

#include "common/crossword_reader.h"
#include "common/file_io.h"
#include "tests/support/example_crosswords.h"
#include "tests/support/temp_folder.h"

namespace fs = std::filesystem;

namespace {

using gw::Direction;

class CrosswordDocumentTest : public ::testing::Test {
 protected:
  fs::path file(const std::string& name, std::string_view bytes) {
    return gw::test::writeFile(dir_ / name, std::string(bytes));
  }
  fs::path path(const std::string& name) const { return dir_ / name; }

  // The board of two rows "AB " and "CDE", open, unmodified and named `name`.
  gw::CrosswordDocument smallDocument(const std::string& name, gw::Language language = gw::Language::English,
                                      gw::ClueCharset charset = gw::ClueCharset::Ansi) {
    gw::CrosswordFile cw = gw::test::boardOf({"AB#", "CDE"});
    cw.language = language;
    cw.charset = charset;
    gw::CrosswordDocument dm = gw::CrosswordDocument::fromFile(cw);
    dm.saveAs(path(name));
    return dm;
  }

  static std::string picture() {
    std::string rgb;
    for (int i = 0; i < 40 * 20; ++i)
      rgb += i % 40 < 20 ? std::string("\xFF\x00\x00", 3) : std::string("\x00\x00\xFF", 3);
    return gw::encodeJpegRgb(40, 20, rgb);
  }

  gw::test::TempFolder dir_{"gw-doc"};
};

TEST_F(CrosswordDocumentTest, CloseForgetsTheCrosswordButKeepsLanguageAndCharset) {
  gw::CrosswordDocument dm = smallDocument("a.C_W", gw::Language::German, gw::ClueCharset::SerbianLatin);
  dm.toggleTopMark({1, 1});
  dm.addPicture({0, 2}, 1, 1, picture());
  dm.close();
  EXPECT_FALSE(dm.isOpen() || dm.isModified() || dm.hasBoard());
  EXPECT_TRUE(dm.topMarks().empty() && dm.definitions().empty() && dm.pictures().empty());
  EXPECT_TRUE(dm.fileName().empty());
  EXPECT_EQ(dm.language(), gw::Language::German);
  EXPECT_EQ(dm.charset(), gw::ClueCharset::SerbianLatin);
  EXPECT_THROW(dm.save(), gw::FileError);
}

TEST_F(CrosswordDocumentTest, NewGivesABlankOpenModifiedBoardAndCommandsFollowTheState) {
  gw::CrosswordDocument open = smallDocument("old.C_W");
  open.toggleTopMark({1, 1});
  open.newCrossword(5, 2, gw::Language::Serbian, gw::ClueCharset::SerbianCyrillic);
  EXPECT_TRUE(open.definitions().empty() && open.topMarks().empty());
  EXPECT_TRUE(open.fileName().empty());  // never saved over the old file

  gw::CrosswordDocument dm;
  EXPECT_TRUE(dm.canOpen());
  EXPECT_FALSE(dm.canClose() || dm.canSave() || dm.canDefine() || dm.canTry());
  dm.newCrossword(5, 7, gw::Language::Serbian, gw::ClueCharset::SerbianCyrillic);
  EXPECT_EQ(dm.rows(), 5);
  EXPECT_EQ(dm.columns(), 7);
  EXPECT_EQ(dm.board(), std::string(35, ' '));
  EXPECT_TRUE(dm.isOpen() && dm.isModified());
  EXPECT_TRUE(dm.canDefine() && dm.canClose());
  EXPECT_FALSE(dm.canSave() || dm.canTry() || dm.canOpen());  // no file name yet
  dm.prepareDefinitions();                                    // layout editor cancelled
  EXPECT_TRUE(dm.definitions().empty());
  dm.saveAs(path("new.C_W"));
  EXPECT_FALSE(dm.canSave());
  EXPECT_TRUE(dm.canTry());
  dm.setModified();
  EXPECT_TRUE(dm.canSave());
}

TEST_F(CrosswordDocumentTest, MarksToggleAndEveryCopyGoesAtOnce) {
  gw::CrosswordFile cw;
  cw.rows = 2;
  cw.columns = 3;
  cw.board = "AB CDE";
  cw.leftMarks = {{1, 1}, {1, 1}};  // a file may hold a mark twice
  gw::CrosswordDocument dm = gw::CrosswordDocument::fromFile(cw);
  EXPECT_TRUE(dm.hasLeftMark({1, 1}));
  dm.toggleLeftMark({1, 1});
  EXPECT_FALSE(dm.hasLeftMark({1, 1}));
  dm.toggleTopMark({1, 2});
  EXPECT_EQ(dm.topMarks(), (std::vector<gw::EdgeMark>{{2, 1}}));  // column first, as the file has it
  EXPECT_TRUE(dm.hasTopMark({1, 2}));
  EXPECT_FALSE(dm.hasTopMark({2, 1}));
}

TEST_F(CrosswordDocumentTest, CrosswordFilesAreKnownByTheirContentNotTheirName) {
  smallDocument("named.layout");
  EXPECT_TRUE(gw::CrosswordDocument::isCrosswordFile(path("named.layout")));
  EXPECT_FALSE(gw::CrosswordDocument::isCrosswordFile(file("layout.C_W", std::string(3374, '\0'))));
  EXPECT_FALSE(gw::CrosswordDocument::isCrosswordFile(file("short.C_W", "CW1")));
  EXPECT_FALSE(gw::CrosswordDocument::isCrosswordFile(path("missing.C_W")));
}

TEST_F(CrosswordDocumentTest, SavesTheFiveRecordsOfTheSmallBoardInTableOrder) {
  gw::CrosswordDocument dm = smallDocument("small.C_W");
  dm.setClue(*dm.definitions().find(Direction::Across, 1, 0), "Bytes");
  EXPECT_TRUE(dm.isModified());
  dm.save();
  EXPECT_FALSE(dm.isModified());
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
  gw::CrosswordDocument dm =
      smallDocument("first.C_W", gw::Language::Serbian, gw::ClueCharset::SerbianCyrillic);
  dm.toggleTopMark({1, 0});
  dm.toggleTopMark({1, 1});
  dm.toggleLeftMark({1, 2});
  for (std::size_t i = 0; i < dm.definitions().size(); ++i)
    dm.setClue(i, std::string(i * 150, char('a' + i)));
  dm.save();
  const std::string first = gw::readWholeFile(path("first.C_W"));

  gw::CrosswordDocument opened;
  EXPECT_TRUE(opened.open(path("first.C_W")).empty());
  EXPECT_TRUE(opened.isOpen());
  EXPECT_FALSE(opened.isModified());
  EXPECT_EQ(opened.definitions().at(4).clue.size(), 600u);
  opened.saveAs(path("second.C_W"));
  EXPECT_EQ(opened.fileName(), path("second.C_W"));
  EXPECT_EQ(gw::readWholeFile(path("second.C_W")), first);
}

TEST_F(CrosswordDocumentTest, PicturesAreDecodedOnOpenAndWrittenAnewOnSave) {
  gw::CrosswordDocument dm = smallDocument("pic.C_W");
  dm.addPicture({0, 1}, 1, 2, picture());
  EXPECT_EQ(dm.pictures()[0].image->width, 40);
  dm.save();

  gw::CrosswordDocument opened;
  opened.open(path("pic.C_W"));
  ASSERT_EQ(opened.pictures().size(), 1u);
  ASSERT_TRUE(opened.pictures()[0].image.has_value());
  EXPECT_EQ(opened.pictures()[0].image->height, 20);
  // No working files appear beside the crossword.
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_.path()), fs::directory_iterator()), 1);

  // The saved picture is the re-encoded image; the rest of the file is unchanged.
  opened.saveAs(path("again.C_W"));
  const gw::CrosswordFile a = gw::readCrosswordFile(path("pic.C_W"), gw::CrosswordReadMode::Authoring);
  gw::CrosswordFile b = gw::readCrosswordFile(path("again.C_W"), gw::CrosswordReadMode::Authoring);
  EXPECT_EQ(gw::decodeJpeg(b.pictures[0].jpeg).width, 40);
  b.pictures[0].jpeg = a.pictures[0].jpeg;
  EXPECT_EQ(a, b);
}

// Pictures change only when they are taken: a refused one leaves the list and the flag alone,
// a removed one makes room for the last, and accepting the layout blanks the cells beneath.
TEST_F(CrosswordDocumentTest, PicturesChangeOnlyWhenTakenAndTheLastFillsAGap) {
  gw::CrosswordDocument dm = smallDocument("p.C_W");
  EXPECT_THROW(dm.addPicture({0, 0}, 1, 1, "not a jpeg"), gw::JpegError);
  EXPECT_TRUE(dm.pictures().empty());
  EXPECT_FALSE(dm.isModified());

  dm.addPicture({0, 0}, 1, 1, picture());
  dm.addPicture({1, 1}, 1, 2, picture());
  dm.addPicture({0, 2}, 1, 1, picture());
  EXPECT_TRUE(dm.isModified());
  EXPECT_EQ(dm.pictureAt({1, 2}), 1u);
  EXPECT_FALSE(dm.pictureAt({1, 0}).has_value());
  EXPECT_THROW(dm.replacePicture(1, 1, 1, "x"), gw::JpegError);
  EXPECT_EQ(dm.pictures()[1].placement.width, 2);
  dm.replacePicture(1, 1, 1, picture());
  EXPECT_FALSE(dm.pictureAt({1, 2}).has_value());

  dm.removePicture(0);
  ASSERT_EQ(dm.pictures().size(), 2u);
  EXPECT_EQ(dm.pictureAt({0, 2}), 0u);
  dm.blankCellsUnderPictures();
  EXPECT_EQ(dm.board(), "AB C E");
}

// A picture is decoded near the size its cells are drawn at; one that declares more than it
// holds is refused before anything changes.
TEST_F(CrosswordDocumentTest, PicturesAreDecodedAtCellSizeAndBombsAreRefused) {
  const std::string bomb = gw::readWholeFile(fs::path(GW_SOURCE_DIR) / "tests/data/jpeg/broken-bomb.jpg");
  gw::CrosswordDocument dm = smallDocument("b.C_W");
  EXPECT_THROW(dm.addPicture({0, 0}, 1, 1, bomb), gw::JpegError);
  EXPECT_TRUE(dm.pictures().empty());
  EXPECT_FALSE(dm.isModified());
  std::string rgb(320 * 160 * 3, '\x40');
  dm.addPicture({0, 0}, 1, 1, gw::encodeJpegRgb(320, 160, rgb));
  EXPECT_LE(dm.pictures()[0].image->width, 40);
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
  EXPECT_EQ(dm.definitions().size(), 5u);
  EXPECT_EQ(dm.definitions().at(*dm.definitions().find(Direction::Across, 0, 0)).clue, "second");
  EXPECT_FALSE(dm.isModified());
}

TEST_F(CrosswordDocumentTest, BrokenFilesLeaveTheOpenCrosswordAsItWas) {
  gw::CrosswordDocument dm = smallDocument("mine.C_W");
  dm.setClue(0, "keep me");
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
    EXPECT_TRUE(dm.isModified());
    EXPECT_EQ(dm.fileName(), path("mine.C_W"));
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
  gw::CrosswordDocument dm = smallDocument("keep.C_W");
  const std::string old = gw::readWholeFile(path("keep.C_W"));
  dm.setClue(0, "changed");

  // A mark off the board would make a file that cannot be opened again.
  dm.toggleLeftMark({0, 3});
  EXPECT_THROW(dm.save(), gw::FormatError);
  EXPECT_TRUE(dm.isModified());
  EXPECT_EQ(gw::readWholeFile(path("keep.C_W")), old);
  dm.toggleLeftMark({0, 3});

  // A folder that does not exist.
  EXPECT_THROW(dm.saveAs(path("no/such/folder.C_W")), gw::FileError);
  EXPECT_TRUE(dm.isModified());
  EXPECT_EQ(dm.fileName(), path("keep.C_W"));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_.path()), fs::directory_iterator()), 1);
}

TEST_F(CrosswordDocumentTest, PreparingMarksTheCrosswordModifiedOnlyWhenWordsAreRewritten) {
  gw::CrosswordDocument dm = smallDocument("m.C_W");
  EXPECT_FALSE(dm.isModified());
  dm.prepareDefinitions();  // every word is written again, as it stands
  EXPECT_TRUE(dm.isModified());
}

TEST_F(CrosswordDocumentTest, ExamplesOpenWithAClueForEveryWordAndSaveAsTheyWere) {
  const std::vector<fs::path> examples = gw::test::exampleCrosswords();
  EXPECT_GE(examples.size(), 4u);
  for (const fs::path& example : examples) {
    SCOPED_TRACE(example.filename().string());
    gw::CrosswordDocument dm;
    EXPECT_TRUE(dm.open(example).empty());
    for (const gw::Definition& d : dm.definitions().rows()) EXPECT_FALSE(d.clue.empty()) << d.word;
    ASSERT_FALSE(dm.pictures().empty());
    for (const auto& p : dm.pictures()) EXPECT_TRUE(p.image.has_value() && !p.image->empty());

    dm.saveAs(path("copy.C_W"));
    gw::CrosswordFile original = gw::readCrosswordFile(example, gw::CrosswordReadMode::Solver);
    gw::CrosswordFile copy = gw::readCrosswordFile(path("copy.C_W"), gw::CrosswordReadMode::Solver);
    for (std::size_t i = 0; i < copy.pictures.size(); ++i) copy.pictures[i].jpeg = original.pictures[i].jpeg;
    EXPECT_EQ(copy, original);
  }
}

}  // namespace
