// ipuz: round trips of the examples, what the file holds, and what an import refuses.
#include "interchange/ipuz_format.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include <nlohmann/json.hpp>

#include "common/codepage.h"
#include "common/file_io.h"
#include "common/jpeg.h"
#include "export_test_support.h"
#include "tests/support/expect_throw_msg.h"

namespace gw {
namespace {

using Json = nlohmann::json;
using test::boardOf;
using test::definition;

TEST(Ipuz, EveryExampleComesBackWithTheSameBoardMarksCluesAndPictures) {
  for (const auto& path : test::exampleCrosswords()) {
    SCOPED_TRACE(path.filename().string());
    const CrosswordFile original = test::readExample(path);
    const ExportedCrossword exported = writeIpuz(original);
    EXPECT_TRUE(exported.notes.empty());
    const ImportedCrossword back = readIpuz(exported.bytes);
    const CrosswordFile& cw = back.crossword;
    EXPECT_EQ(cw.language, original.language);
    EXPECT_EQ(cw.charset, original.charset);
    EXPECT_EQ(cw.rows, original.rows);
    EXPECT_EQ(cw.columns, original.columns);
    EXPECT_EQ(cw.board, original.board);
    EXPECT_EQ(cw.topMarks, original.topMarks);
    EXPECT_EQ(cw.leftMarks, original.leftMarks);
    EXPECT_EQ(cw.definitions, original.definitions);
    ASSERT_EQ(cw.pictures.size(), original.pictures.size());
    for (std::size_t i = 0; i < cw.pictures.size(); ++i) {
      EXPECT_EQ(cw.pictures[i].row, original.pictures[i].row);
      EXPECT_EQ(cw.pictures[i].column, original.pictures[i].column);
      EXPECT_EQ(cw.pictures[i].width, original.pictures[i].width);
      EXPECT_EQ(cw.pictures[i].height, original.pictures[i].height);
      EXPECT_FALSE(decodeJpeg(cw.pictures[i].jpeg).empty());
    }
    EXPECT_EQ(serializeCrossword(cw), serializeCrossword(original));
  }
}

// Two neighbouring pictures of the same JPEG, 2 x 1 and 1 x 1 over row 0: their cells carry the
// same URL.
CrosswordFile twinPictures() {
  CrosswordFile twins = boardOf({"###", "ABC"});
  Picture left;
  left.width = 2;
  left.height = 1;
  left.jpeg = encodeJpegRgb(2, 2, std::string(12, '\x40'));
  Picture right = left;
  right.column = 2;
  right.width = 1;
  twins.pictures = {left, right};
  return twins;
}

// ipuz holds all of these, so they come back byte for byte: marks out of row order, no
// definitions at all (as the composer writes), one-letter words without a definition, pictures
// side by side.
TEST(Ipuz, CrosswordsComeBackByteForByte) {
  CrosswordFile marked = boardOf({"AB#", "CDE", "#FG"});
  marked.topMarks = {{2, 2}, {1, 1}};
  marked.leftMarks = {{1, 2}, {2, 1}};
  CrosswordFile partly = boardOf({"AB#", "CDE"});
  partly.definitions = {definition(true, 1, 0, 3, "Row two"), definition(false, 0, 0, 2, "")};
  for (const CrosswordFile& original : {marked, boardOf({"AB#", "CDE"}), partly, twinPictures()}) {
    const CrosswordFile back = readIpuz(writeIpuz(original).bytes).crossword;
    EXPECT_EQ(serializeCrossword(back), serializeCrossword(original));
  }
}

// Our list of picture rectangles splits the cells of one URL only when it covers them exactly;
// otherwise (another program's file, or a list that does not fit) one URL is one picture.
TEST(Ipuz, PictureRectanglesAreFollowedOnlyWhenTheyCoverThePictureCells) {
  const Json written = Json::parse(writeIpuz(twinPictures()).bytes);
  const struct {
    const char* name;
    Json rectangles;  // null: no list
    std::vector<int> widths;
  } cases[] = {
      {"as written", written["org.gridwright:pictures"], {2, 1}},
      {"no list", Json(), {3}},
      {"a cell left out", Json::parse("[[0, 0, 2, 1]]"), {3}},
      {"over a letter", Json::parse("[[0, 0, 2, 1], [0, 2, 1, 2]]"), {3}},
      {"twice over a cell", Json::parse("[[0, 0, 2, 1], [0, 1, 2, 1]]"), {3}},
      {"not rectangles", Json::parse("[[0, 0, 2], \"x\"]"), {3}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Json ipuz = written;
    ipuz.erase("org.gridwright:pictures");
    if (!c.rectangles.is_null()) ipuz["org.gridwright:pictures"] = c.rectangles;
    std::vector<int> widths;
    for (const Picture& p : readIpuz(ipuz.dump()).crossword.pictures) widths.push_back(p.width);
    EXPECT_EQ(widths, c.widths);
  }
}

// Export writes no ipuz file that import would refuse as too large.
TEST(Ipuz, ExportRefusesAFileImportCouldNotRead) {
  CrosswordFile cw = boardOf({"##", "AB"});
  Picture p;
  p.width = 2;
  p.height = 1;
  p.jpeg = encodeJpegRgb(2, 2, std::string(12, '\x40')) +
           std::string(13 << 20, '\0');  // read up to its end marker
  cw.pictures = {p};
  EXPECT_THROW_MSG(writeIpuz(cw), InterchangeError, "16 MB");
}

TEST(Ipuz, TheFileHoldsNumbersBlocksSolutionDottedSidesAndCluesWithTheirCells) {
  CrosswordFile cw = boardOf({"AB#", "CDE"});
  cw.topMarks = {{1, 1}};   // column 1, row 1: the D
  cw.leftMarks = {{2, 1}};  // the E
  cw.definitions = {definition(false, 0, 0, 2, "A to C"), definition(true, 1, 0, 3, "Row two")};
  const Json ipuz = Json::parse(writeIpuz(cw).bytes);
  EXPECT_EQ(ipuz["version"], "http://ipuz.org/v2");
  EXPECT_EQ(ipuz["kind"][0], "http://ipuz.org/crossword#1");
  EXPECT_EQ(ipuz["dimensions"], (Json{{"width", 3}, {"height", 2}}));
  EXPECT_EQ(ipuz["puzzle"][0], (Json{1, 2, "#"}));
  EXPECT_EQ(ipuz["puzzle"][1][0], 3);
  EXPECT_EQ(ipuz["puzzle"][1][1], (Json{{"cell", 0}, {"style", {{"dotted", "T"}}}}));
  EXPECT_EQ(ipuz["puzzle"][1][2], (Json{{"cell", 0}, {"style", {{"dotted", "L"}}}}));
  EXPECT_EQ(ipuz["solution"], (Json{{"A", "B", "#"}, {"C", "D", "E"}}));
  EXPECT_EQ(ipuz["clues"]["Across"][0]["number"], 1);
  EXPECT_EQ(ipuz["clues"]["Across"][1]["clue"], "Row two");
  EXPECT_EQ(ipuz["clues"]["Across"][1]["cells"], (Json{{1, 2}, {2, 2}, {3, 2}}));
  EXPECT_EQ(ipuz["clues"]["Down"][0]["clue"], "A to C");
  EXPECT_EQ(ipuz["clues"]["Down"][1]["number"], 2);
  EXPECT_EQ(ipuz["clues"]["Down"][1]["clue"], "");
  EXPECT_THROW(writeIpuz(CrosswordFile{}), InterchangeError);  // no board at all
}

TEST(Ipuz, SerbianLettersAndCluesAreUtf8AndAPictureIsSlicedOverItsCells) {
  const CrosswordFile cw =
      test::readExample(std::string(GW_SOURCE_DIR) + "/data/examples/sr-cyrillic-vitez.C_W");
  const Json ipuz = Json::parse(writeIpuz(cw).bytes);
  EXPECT_EQ(ipuz["solution"][2][0], "М");
  EXPECT_EQ(ipuz["clues"]["Across"][0]["clue"], "Висина, врх брда");
  EXPECT_EQ(ipuz["org.gridwright:language"], "Serbian");
  EXPECT_EQ(ipuz["org.gridwright:cluecharset"], "SR-Cyrillic");
  const Picture& p = cw.pictures.at(0);
  const Json& first = ipuz["puzzle"][p.row][p.column]["style"];
  const Json& last = ipuz["puzzle"][p.row + p.height - 1][p.column + p.width - 1]["style"];
  EXPECT_EQ(first["imagebg"], last["imagebg"]);
  EXPECT_EQ(first["imagebg"].get<std::string>().rfind("data:image/jpeg;base64,", 0), 0u);
  const IndexedImage image = decodeJpeg(p.jpeg);
  EXPECT_EQ(first["slice"][0], 0);
  EXPECT_EQ(last["slice"][2], image.width);
  EXPECT_EQ(last["slice"][3], image.height);
}

// A small crossword as another program might write it: lower-case letters, labels as text,
// clues as pairs, no language of ours.
Json foreignIpuz() {
  return Json::parse(R"({
    "version": "http://ipuz.org/v2", "kind": ["http://ipuz.org/crossword#1"],
    "title": "Tiny", "author": "Someone",
    "dimensions": {"width": 3, "height": 2},
    "puzzle": [[1, "2", "#"], [3, 0, null]],
    "solution": [["a", "b", "#"], ["c", {"value": "d"}, null]],
    "clues": {"Across": [[1, "First"], {"number": 3, "clue": "Second", "enumeration": "2"}],
              "Down": [["1", "Third"], [2, "Fourth"]]}
  })");
}

TEST(Ipuz, ACrosswordOfAnotherProgramBecomesACrosswordWithADefinitionForEveryWord) {
  const ImportedCrossword in = readIpuz(foreignIpuz().dump());
  const CrosswordFile& cw = in.crossword;
  EXPECT_EQ(cw.language, Language::English);
  EXPECT_EQ(cw.charset, ClueCharset::Ansi);
  EXPECT_EQ(cw.board, std::string("AB CD "));
  EXPECT_EQ(cw.definitions, (std::vector<DefinitionRecord>{
                                definition(false, 0, 0, 2, "Third"), definition(false, 0, 1, 2, "Fourth"),
                                definition(true, 0, 0, 2, "First"), definition(true, 1, 0, 2, "Second")}));
  ASSERT_EQ(in.notes.size(), 2u);
  EXPECT_NE(in.notes[1].find("title, author"), std::string::npos);
}

TEST(Ipuz, LanguageAndClueCharsetAreGuessedFromTheText) {
  Json ipuz = foreignIpuz();
  ipuz["clues"]["Across"][0][1] = "Kleine Wälder";
  EXPECT_EQ(readIpuz(ipuz.dump()).crossword.language, Language::German);
  ipuz["clues"]["Across"][0][1] = "Ćerka";
  EXPECT_EQ(readIpuz(ipuz.dump()).crossword.charset, ClueCharset::SerbianLatin);
  ipuz["solution"] = Json::parse(R"([["д", "б", "#"], ["ц", "а", null]])");
  const CrosswordFile cw = readIpuz(ipuz.dump()).crossword;
  EXPECT_EQ(cw.language, Language::Serbian);
  EXPECT_EQ(cw.board[0], '\xc4');  // Д in Windows-1251
}

std::string refusalOf(const Json& ipuz) {
  try {
    readIpuz(ipuz.dump());
  } catch (const InterchangeError& e) {
    return e.what();
  }
  return "(read without complaint)";
}

TEST(Ipuz, WhatACrosswordCannotHoldIsRefusedByName) {
  Json rebus = foreignIpuz();
  rebus["solution"][0][0] = "AB";
  EXPECT_NE(refusalOf(rebus).find("rebus"), std::string::npos);

  Json circle = foreignIpuz();
  circle["puzzle"][0][0] = {{"cell", 1}, {"style", {{"shapebg", "circle"}}}};
  EXPECT_NE(refusalOf(circle).find("circle"), std::string::npos);

  Json barred = foreignIpuz();
  barred["puzzle"][1][1] = {{"cell", 0}, {"style", {{"barred", "L"}}}};
  EXPECT_NE(refusalOf(barred).find("barred edges"), std::string::npos);

  Json named = foreignIpuz();
  named["styles"] = {{"shaded", {{"color", "cccccc"}}}};
  named["puzzle"][1][1] = {{"cell", 0}, {"style", "shaded"}};
  EXPECT_NE(refusalOf(named).find("colour"), std::string::npos);

  Json given = foreignIpuz();
  given["puzzle"][1][1] = {{"cell", 0}, {"value", "D"}};
  EXPECT_NE(refusalOf(given).find("given to the player"), std::string::npos);

  Json diagonal = foreignIpuz();
  diagonal["clues"]["Diagonal"] = Json::array();
  EXPECT_NE(refusalOf(diagonal).find("Diagonal"), std::string::npos);

  Json outerDotted = foreignIpuz();
  outerDotted["puzzle"][1][0] = {{"cell", 3}, {"style", {{"dotted", "B"}}}};
  EXPECT_NE(refusalOf(outerDotted).find("border"), std::string::npos);

  Json webPicture = foreignIpuz();
  webPicture["puzzle"][0][2] = {{"cell", "#"}, {"style", {{"imagebg", "http://example.com/a.png"}}}};
  EXPECT_NE(refusalOf(webPicture).find("JPEG"), std::string::npos);
}

// Only letters the player can type on a board of the language: anything else is refused,
// naming the cell (the .puz import builds its crossword the same way).
TEST(Ipuz, LettersOutsideTheBoardsLanguageAreRefusedNamingTheCell) {
  for (const char* letter : {"5", "!", "-", std::string_view("\0", 1).data(), "É", "Ä"}) {
    Json ipuz = foreignIpuz();
    ipuz[kIpuzLanguageKey] = "English";
    ipuz["solution"][1][1] = std::string(letter, std::max<std::size_t>(std::strlen(letter), 1));
    EXPECT_NE(refusalOf(ipuz).find("at row 1, column 1 holds"), std::string::npos) << refusalOf(ipuz);
  }
  Json serbian = foreignIpuz();
  serbian["solution"][0][0] = "д";  // д: the board is Serbian, and b, c, d are no Cyrillic letters
  EXPECT_NE(refusalOf(serbian).find("row 0, column 1"), std::string::npos) << refusalOf(serbian);
}

TEST(Ipuz, DottedBottomAndRightSidesBecomeTheMarksOfTheNeighbouringCells) {
  Json ipuz = foreignIpuz();
  ipuz["puzzle"][0][0] = {{"cell", 1}, {"style", {{"dotted", "BR"}}}};
  const CrosswordFile cw = readIpuz(ipuz.dump()).crossword;
  EXPECT_EQ(cw.topMarks, (std::vector<EdgeMark>{{0, 1}}));
  EXPECT_EQ(cw.leftMarks, (std::vector<EdgeMark>{{1, 0}}));
}

TEST(Ipuz, BrokenFilesGetAClearMessage) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"{\"version\": ", "not valid JSON"},
      {"[1, 2]", "does not hold a puzzle"},
      {std::string(100, '['), "nests its data too deeply"},
      {R"({"version": "http://ipuz.org/v2", "kind": ["http://ipuz.org/sudoku#1"]})", "not a crossword"},
  };
  for (const auto& [text, message] : cases) {
    SCOPED_TRACE(text.substr(0, 40));
    EXPECT_THROW_MSG(readIpuz(text), InterchangeError, message);
  }
  Json shortGrid = foreignIpuz();
  shortGrid["solution"][1] = Json::array({"c"});
  EXPECT_NE(refusalOf(shortGrid).find("fewer cells"), std::string::npos);
  Json lostClue = foreignIpuz();
  lostClue["clues"]["Down"][1][0] = 7;
  EXPECT_NE(refusalOf(lostClue).find("Down 7 names no numbered cell"), std::string::npos);
  Json huge = foreignIpuz();
  huge["dimensions"]["width"] = 100000;
  EXPECT_NE(refusalOf(huge).find("dimensions"), std::string::npos);
}

// tests/data/ipuz/broken-picture-bomb.ipuz: 79 KB declaring 170 pictures of 5000 x 5000 pixels. Their
// headers alone refuse them; a decode of one at full size would take 75 MB and fail only then.
TEST(Ipuz, PicturesPastThePixelBudgetAreRefusedFromTheirHeaders) {
  const std::string bomb =
      readWholeFile(std::string(GW_SOURCE_DIR) + "/tests/data/ipuz/broken-picture-bomb.ipuz");
  EXPECT_THROW_MSG(readIpuz(bomb), InterchangeError, "The crossword's pictures are too large");
}

}  // namespace
}  // namespace gw
