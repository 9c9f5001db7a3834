#include "common/crossword_reader.h"

#include <gtest/gtest.h>

#include "common/byte_io.h"
#include "tests/support/example_crosswords.h"

namespace {

using gw::CrosswordReadError;
using gw::CrosswordReadMode;
using gw::Direction;

// A, B, blank / C, D, E: the smallest board with runs in both directions.
gw::CrosswordFile smallBoard() { return gw::test::boardOf({"AB#", "CDE"}); }

const std::string kSmallFile(
    "CW10\x00\x02\x03"
    "AB CDE"
    "\x00\x00\x00\x00\x00\x00\x00\x00"
    "\x00"
    "\x00\x00\x00\x00"
    "\x00\x00\x00\x00",
    30);

CrosswordReadError::Kind kindOf(std::string_view bytes,
                                CrosswordReadMode mode = CrosswordReadMode::Authoring) {
  try {
    gw::parseCrossword(bytes, mode);
  } catch (const CrosswordReadError& e) {
    return e.kind();
  }
  ADD_FAILURE() << "accepted";
  return CrosswordReadError::Kind::Damaged;
}

std::string messageOf(std::string_view bytes, CrosswordReadMode mode = CrosswordReadMode::Authoring) {
  try {
    gw::parseCrossword(bytes, mode);
  } catch (const CrosswordReadError& e) {
    return e.what();
  }
  return "accepted";
}

TEST(CrosswordFormat, SmallBoardIsThirtyBytesBothWays) {
  EXPECT_EQ(gw::serializeCrossword(smallBoard()), kSmallFile);
  for (auto mode : {CrosswordReadMode::Authoring, CrosswordReadMode::Solver})
    EXPECT_EQ(gw::parseCrossword(kSmallFile, mode), smallBoard());
}

TEST(CrosswordFormat, DefinitionRecordLayoutAndLongClue) {
  gw::CrosswordFile cw = smallBoard();
  cw.definitions.push_back({Direction::Across, 1, 0, 3, "ABCDE"});
  std::string text = gw::serializeCrossword(cw);
  // The record sits after the 30-byte file's charset and count.
  EXPECT_EQ(text.substr(26, 13), std::string("\x01\x01\x00\x03\x05\x00\x00\x00"
                                             "ABCDE",
                                             13));

  cw.definitions[0].clue = std::string(300, 'q');
  text = gw::serializeCrossword(cw);
  EXPECT_EQ(text.substr(30, 4), std::string("\x2C\x01\x00\x00", 4));
  EXPECT_EQ(gw::parseCrossword(text, CrosswordReadMode::Solver).definitions[0].clue.size(), 300u);
}

TEST(CrosswordFormat, MarksPicturesAndAnyClueBytesRoundTrip) {
  gw::CrosswordFile cw = smallBoard();
  cw.language = gw::Language::Serbian;
  cw.charset = gw::ClueCharset::SerbianCyrillic;
  cw.topMarks = {{0, 1}, {2, 1}};
  cw.leftMarks = {{1, 0}};
  cw.definitions = {{Direction::Down, 0, 0, 2, std::string("a\0b", 3)},
                    {Direction::Across, 1, 0, 3, ""},
                    {Direction::Across, 0, 0, 2, "\xFF"}};
  cw.pictures = {{2, 0, 1, 2, "not checked here"}, {0, 0, 3, 2, ""}};
  const std::string text = gw::serializeCrossword(cw);
  EXPECT_EQ(gw::parseCrossword(text, CrosswordReadMode::Authoring), cw);
  // Both mark counts come before both lists.
  EXPECT_EQ(text.substr(13, 8), std::string("\x02\x00\x00\x00\x01\x00\x00\x00", 8));
  // Nonzero h reads as across.
  std::string h7 = text;
  h7[32] = 7;
  EXPECT_TRUE(gw::parseCrossword(h7, CrosswordReadMode::Solver).definitions[0].direction ==
              Direction::Across);
}

TEST(CrosswordFormat, TrailingBytesAreIgnored) {
  EXPECT_EQ(gw::parseCrossword(kSmallFile + "garbage\x01\x02", CrosswordReadMode::Authoring), smallBoard());
}

TEST(CrosswordFormat, ShortFileAndWrongMagicGiveTheFixedMessages) {
  try {
    gw::parseCrossword("CW1", CrosswordReadMode::Authoring);
    FAIL();
  } catch (const CrosswordReadError& e) {
    EXPECT_EQ(e.kind(), CrosswordReadError::Kind::TooShort);
    EXPECT_STREQ(e.what(), "Bad file!");
    EXPECT_EQ(e.magic(), "CW1");
    EXPECT_EQ(e.formatMessage(), "Bad file format : CW1");
  }
  EXPECT_EQ(kindOf(""), CrosswordReadError::Kind::TooShort);
  std::string lower = kSmallFile;
  lower.replace(0, 4, "cw10");
  EXPECT_EQ(messageOf(lower), "Bad file format : cw10");
  EXPECT_EQ(kindOf(lower, CrosswordReadMode::Solver), CrosswordReadError::Kind::BadMagic);
  EXPECT_EQ(messageOf("CW11" + kSmallFile.substr(4)), "Bad file format : CW11");
}

TEST(CrosswordFormat, EveryTruncationIsRejectedCleanly) {
  gw::CrosswordFile cw = smallBoard();
  cw.topMarks = {{1, 1}};
  cw.definitions = {{Direction::Across, 1, 0, 3, "clue"}};
  cw.pictures = {{0, 0, 1, 1, "jpeg"}};
  const std::string text = gw::serializeCrossword(cw);
  for (std::size_t n = 4; n < text.size(); ++n) {
    SCOPED_TRACE(n);
    EXPECT_EQ(kindOf(text.substr(0, n)), CrosswordReadError::Kind::Damaged);
  }
  EXPECT_NE(messageOf(text.substr(0, 10)).find("board"), std::string::npos);
}

TEST(CrosswordFormat, HugeCountsFailBeforeAllocating) {
  // A count of 4 billion marks, definitions or pictures in a 30-byte file.
  for (std::size_t at : {7u + 6u, 7u + 6u + 4u, 7u + 6u + 9u, 7u + 6u + 13u}) {
    std::string text = kSmallFile;
    text.replace(at, 4, "\xFF\xFF\xFF\xFF");
    EXPECT_EQ(kindOf(text), CrosswordReadError::Kind::Damaged) << at;
  }
  gw::CrosswordFile cw = smallBoard();
  cw.definitions = {{Direction::Across, 1, 0, 3, "x"}};
  std::string text = gw::serializeCrossword(cw);
  text.replace(30, 4, "\xFF\xFF\xFF\x7F");  // clue length
  EXPECT_EQ(kindOf(text), CrosswordReadError::Kind::Damaged);
}

TEST(CrosswordFormat, PositionsOffTheBoardAreRejectedWithTheirPlace) {
  auto withDefinition = [](gw::DefinitionRecord d) {
    gw::CrosswordFile cw = smallBoard();
    cw.definitions = {d};
    return gw::serializeCrossword(cw);
  };
  EXPECT_NO_THROW(
      gw::parseCrossword(withDefinition({Direction::Across, 1, 1, 2, ""}), CrosswordReadMode::Solver));
  EXPECT_NE(messageOf(withDefinition({Direction::Across, 1, 1, 3, ""}))
                .find("definition 1 (across at row 1, column 1"),
            std::string::npos);
  EXPECT_EQ(kindOf(withDefinition({Direction::Down, 1, 0, 2, ""})), CrosswordReadError::Kind::Damaged);
  EXPECT_EQ(kindOf(withDefinition({Direction::Down, 2, 0, 1, ""})), CrosswordReadError::Kind::Damaged);
  EXPECT_EQ(kindOf(withDefinition({Direction::Down, 0, 0, 0, ""})), CrosswordReadError::Kind::Damaged);

  gw::CrosswordFile marks = smallBoard();
  marks.leftMarks = {{3, 0}};
  EXPECT_NE(messageOf(gw::serializeCrossword(marks)).find("left-edge mark 1"), std::string::npos);
  marks.leftMarks.clear();
  marks.topMarks = {{0, 2}};
  EXPECT_EQ(kindOf(gw::serializeCrossword(marks)), CrosswordReadError::Kind::Damaged);

  gw::CrosswordFile pictures = smallBoard();
  pictures.pictures = {{1, 0, 3, 1, ""}};
  EXPECT_NE(messageOf(gw::serializeCrossword(pictures)).find("picture 1"), std::string::npos);
  pictures.pictures = {{0, 0, 0, 1, ""}};
  EXPECT_EQ(kindOf(gw::serializeCrossword(pictures)), CrosswordReadError::Kind::Damaged);
}

TEST(CrosswordFormat, TheSolverReadsUnknownLanguageAndCharsetCodesAsZero) {
  gw::CrosswordFile cw = smallBoard();
  cw.language = static_cast<gw::Language>(7);
  cw.charset = static_cast<gw::ClueCharset>(3);
  const std::string text = gw::serializeCrossword(cw);
  gw::CrosswordFile authoring = gw::parseCrossword(text, CrosswordReadMode::Authoring);
  EXPECT_EQ(authoring.language, static_cast<gw::Language>(7));
  EXPECT_EQ(authoring.charset, static_cast<gw::ClueCharset>(3));
  gw::CrosswordFile solver = gw::parseCrossword(text, CrosswordReadMode::Solver);
  EXPECT_EQ(solver.language, gw::Language::English);
  EXPECT_EQ(solver.charset, gw::ClueCharset::Ansi);
  EXPECT_EQ(solver.board, authoring.board);
}

TEST(CrosswordFormat, MissingFileIsAFileError) {
  EXPECT_THROW(gw::readCrosswordFile("/nonexistent/x.C_W", CrosswordReadMode::Solver), gw::FileError);
}

}  // namespace
