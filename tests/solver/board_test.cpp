// The solver board's rules: clues, cursor, moves, typing by key position, checking,
// revealing and the completion blinking.
#include <gtest/gtest.h>

#include "common/codepage.h"
#include "common/jpeg.h"
#include "sample_crosswords.h"
#include "solver/core/board.h"

using gw::CellPos;
using namespace gw;
using namespace gw::cross;
using namespace gw::cross::testing;

namespace {

Board boardOf(const CrosswordFile& f) { return Board::fromCrossword(f); }

std::string cp1251(const char* utf8) { return fromUtf8(utf8, "windows-1251"); }

void typeAll(Board& b, const std::string& keys) {
  for (char k : keys) b.typeKey(k);
}

}  // namespace

TEST(CrossBoardClues, LastMatchingWordInFileOrderWinsAndBlocksHaveNone) {
  CrosswordFile f = boardFromRows(Language::English, {"ABC", "D E"});
  // A second across word over row 0, later in the file, and one of length 1.
  f.definitions.push_back({Direction::Across, 0, 1, 2, "later across"});
  Board b = boardOf(f);
  b.selectCell({0, 2});
  EXPECT_EQ(b.acrossClueAt(), "later across");
  EXPECT_EQ(b.downClueAt(), "Clue CE");
  b.selectCell({0, 0});
  EXPECT_EQ(b.acrossClueAt(), "Clue ABC");  // the later word does not cover column 0
  b.selectCell({1, 1});                     // a block
  EXPECT_EQ(b.acrossClueAt(), "");
  EXPECT_EQ(b.downClueAt(), "");
}

TEST(CrossBoardClues, LetterWithoutDownWordHasEmptyDownClue) {
  CrosswordFile f = boardFromRows(Language::English, {"AB", "CD"});
  f.definitions.erase(f.definitions.begin());  // drop the down word of column 0
  Board b = boardOf(f);
  EXPECT_EQ(b.downClueAt(), "");
  EXPECT_EQ(b.acrossClueAt(), "Clue AB");
}

TEST(CrossBoardCursor, FirstLetterCellSkipsBlocksAndPictures) {
  CrosswordFile f = boardFromRows(Language::English, {"  XYZ", "ABCDE"});
  f.pictures.push_back({2, 0, 3, 1, ""});
  Board b = boardOf(f);
  EXPECT_EQ(b.current(), (CellPos{1, 0}));
  f.pictures[0].width = 1;
  EXPECT_EQ(boardOf(f).current(), (CellPos{0, 3}));
}

TEST(CrossBoardCursor, NoLetterCellPutsTheCursorAtTheOrigin) {
  CrosswordFile f = boardFromRows(Language::English, {"   ", "   "});
  Board b = boardOf(f);
  EXPECT_EQ(b.current(), (CellPos{0, 0}));
  EXPECT_FALSE(b.canCheatOne());
  // Completes on the first key press, whatever the key.
  KeyOutcome k = b.typeKey('1');
  EXPECT_TRUE(k.completedNow);
  EXPECT_FALSE(k.stored);
}

TEST(CrossBoardCursor, PixelsToCells) {
  Board b = boardOf(boardFromRows(Language::English, {"ABC", "DEF"}));
  EXPECT_EQ(b.cellAtPixel(0, 0), (CellPos{0, 0}));
  EXPECT_EQ(b.cellAtPixel(20, 20), (CellPos{0, 0}));
  EXPECT_EQ(b.cellAtPixel(21, 21), (CellPos{1, 1}));
  EXPECT_EQ(b.cellAtPixel(60, 40), (CellPos{1, 2}));
  EXPECT_FALSE(b.cellAtPixel(61, 10).has_value());  // right border line
  EXPECT_FALSE(b.cellAtPixel(10, 41).has_value());  // bottom border line
  EXPECT_FALSE(b.cellAtPixel(-30, 10).has_value());
}

TEST(CrossBoardMoves, EdgesDisableAndPicturesRefuse) {
  CrosswordFile f = boardFromRows(Language::English, {"AB", "CD", "EF"});
  f.pictures.push_back({1, 1, 1, 2, ""});
  Board b = boardOf(f);
  EXPECT_FALSE(b.canMoveLeft());
  EXPECT_FALSE(b.canMoveUp());
  EXPECT_TRUE(b.canMoveRight());
  EXPECT_EQ(b.move(0, -1), Sound::None);  // off the board: nothing at all
  EXPECT_EQ(b.current(), (CellPos{0, 0}));
  EXPECT_EQ(b.move(1, 0), Sound::None);
  EXPECT_EQ(b.current(), (CellPos{1, 0}));
  EXPECT_EQ(b.move(0, 1), Sound::Refused);  // into the picture
  EXPECT_EQ(b.current(), (CellPos{1, 0}));
  EXPECT_TRUE(b.isUnderPicture(2, 1));
  EXPECT_FALSE(b.isUnderPicture(2, 2));
  EXPECT_FALSE(b.isUnderPicture(-1, -1));
  b.move(1, 0);
  EXPECT_FALSE(b.canMoveDown());
}

TEST(CrossBoardTyping, AcrossAdvancesAndStaysAtTheEdge) {
  Board b = boardOf(boardFromRows(Language::English, {"AB ", "CDE"}));
  KeyOutcome k = b.typeKey('a');
  EXPECT_TRUE(k.stored);
  EXPECT_EQ(k.sound, Sound::Stored);
  EXPECT_EQ(b.entryAt(0, 0), 'A');
  k = b.typeKey('x');  // last letter before a block: the cursor goes onto the block
  EXPECT_EQ(k.sound, Sound::Stored);
  EXPECT_EQ(b.current(), (CellPos{0, 2}));
  k = b.typeKey('q');  // on a block nothing is stored and nothing moves
  EXPECT_FALSE(k.stored);
  EXPECT_EQ(k.sound, Sound::None);
  EXPECT_EQ(b.current(), (CellPos{0, 2}));
  b.selectCell({1, 2});
  k = b.typeKey('e');  // last column
  EXPECT_EQ(k.sound, Sound::Stay);
  EXPECT_EQ(b.current(), (CellPos{1, 2}));
  EXPECT_EQ(b.entryAt(1, 2), 'E');
}

TEST(CrossBoardTyping, DownDirectionAndPictureInTheWay) {
  CrosswordFile f = boardFromRows(Language::English, {"AB", "CD", "EF"});
  f.pictures.push_back({0, 2, 1, 1, ""});
  Board b = boardOf(f);
  EXPECT_EQ(b.setDirection(Direction::Down), Sound::Stay);
  EXPECT_EQ(b.typeKey('a').sound, Sound::Stored);
  EXPECT_EQ(b.current(), (CellPos{1, 0}));
  EXPECT_EQ(b.typeKey('c').sound, Sound::Stay);  // the picture below stops it
  EXPECT_EQ(b.current(), (CellPos{1, 0}));
}

TEST(CrossBoardTyping, DigitsAndSymbolsStoreNothingSpaceClears) {
  Board b = boardOf(boardFromRows(Language::English, {"AB"}));
  b.typeKey('a');
  b.selectCell({0, 0});
  for (char k : std::string("19-=[;,\r")) {
    KeyOutcome o = b.typeKey(k);
    EXPECT_FALSE(o.stored) << k;
    EXPECT_EQ(b.current(), (CellPos{0, 0}));
  }
  EXPECT_EQ(b.entryAt(0, 0), 'A');
  KeyOutcome o = b.typeKey(' ');
  EXPECT_TRUE(o.stored);
  EXPECT_EQ(b.entryAt(0, 0), ' ');
  EXPECT_EQ(b.current(), (CellPos{0, 1}));
}

TEST(CrossBoardTyping, GermanSwapsYAndZ) {
  Board b = boardOf(boardFromRows(Language::German, {"ZY"}));
  b.typeKey('y');
  b.typeKey('Z');
  EXPECT_EQ(b.entryAt(0, 0), 'Z');
  EXPECT_EQ(b.entryAt(0, 1), 'Y');
  EXPECT_TRUE(b.completed());
  // German symbols on the keys are never letters.
  Board c = boardOf(boardFromRows(Language::German, {"AB"}));
  EXPECT_FALSE(c.typeKey(';').stored);  // ö
  EXPECT_FALSE(c.typeKey('[').stored);  // ü
}

TEST(CrossBoardTyping, SerbianKeysAndTheirShiftedForms) {
  std::string row = cp1251("ШЂЧЋЖЉЉЗ");
  Board b = boardOf(boardFromRows(Language::Serbian, {row}));
  typeAll(b, "{]:'\\qQy");
  EXPECT_EQ(b.entries(), row);
  Board s = boardOf(boardFromRows(Language::Serbian, {cp1251("ШШЧЋЖ")}));
  typeAll(s, "[{;\"|");
  EXPECT_EQ(s.entries(), cp1251("ШШЧЋЖ"));
  // The punctuation keys give Serbian punctuation, which is accepted too.
  Board p = boardOf(boardFromRows(Language::Serbian, {"-_"}));
  typeAll(p, "/?");
  EXPECT_EQ(p.entries(), "-_");
  // Digits are not letters in Serbian either.
  Board d = boardOf(boardFromRows(Language::Serbian, {cp1251("А")}));
  EXPECT_FALSE(d.typeKey('1').stored);
}

TEST(CrossBoardTyping, UnknownLanguageActsAsEnglish) {
  CrosswordFile f = boardFromRows(static_cast<Language>(7), {"ZY"});
  f.charset = static_cast<ClueCharset>(9);
  Board b = boardOf(f);
  EXPECT_EQ(b.language(), Language::English);
  EXPECT_EQ(b.clueCharset(), ClueCharset::Ansi);
  typeAll(b, "zy");
  EXPECT_EQ(b.entries(), "ZY");
}

TEST(CrossBoardChecking, PicturesAndBlocksDoNotCountAndCheatsWaitForTheNextKey) {
  CrosswordFile f = boardFromRows(Language::English, {"AB ", "CDX"});
  f.pictures.push_back({2, 1, 1, 1, ""});
  Board b = boardOf(f);
  EXPECT_FALSE(b.isSolved());
  b.cheatAll();
  EXPECT_TRUE(b.isSolved());
  EXPECT_FALSE(b.completed());  // only a key press completes
  EXPECT_EQ(b.entryAt(0, 2), ' ');
  KeyOutcome k = b.typeKey('7');
  EXPECT_TRUE(k.completedNow);
  EXPECT_TRUE(b.completed());
  EXPECT_FALSE(b.typeKey('a').stored);  // typing is ignored from then on
}

TEST(CrossBoardChecking, CheatOneOnTheLastLetterDoesNotComplete) {
  Board b = boardOf(boardFromRows(Language::English, {"AB"}));
  b.typeKey('a');
  EXPECT_EQ(b.current(), (CellPos{0, 1}));
  EXPECT_EQ(b.cheatOne(), Sound::Stay);
  EXPECT_EQ(b.entryAt(0, 1), 'B');
  EXPECT_TRUE(b.isEntryCorrect(0, 1));
  EXPECT_FALSE(b.completed());
  EXPECT_TRUE(b.typeKey('b').completedNow);  // a letter in the last column; completes
}

TEST(CrossBoardChecking, WrongLettersAreNotSolved) {
  Board b = boardOf(boardFromRows(Language::English, {"AB"}));
  typeAll(b, "ac");
  EXPECT_FALSE(b.completed());
  EXPECT_FALSE(b.isEntryCorrect(0, 1));
  b.selectCell({0, 1});
  EXPECT_TRUE(b.typeKey('b').completedNow);
}

TEST(CrossBoardBlinking, TwentyTicksThenTheQuestion) {
  CrosswordFile f = boardFromRows(Language::English, {"A B", "CDE"});
  f.pictures.push_back({2, 1, 1, 1, ""});
  Board b = boardOf(f);
  b.cheatAll();
  b.typeKey('.');
  ASSERT_TRUE(b.completed());
  std::vector<std::string> states;
  while (b.blinkStep()) states.push_back(b.entries());
  ASSERT_EQ(states.size(), 20u);
  EXPECT_EQ(b.blinkCount(), 20);
  // Odd ticks blank the letters, even ticks show them; the cell under the picture keeps its letter.
  EXPECT_EQ(states[0], "     E");
  EXPECT_EQ(states[1], "A BCDE");
  EXPECT_EQ(states[19], "A BCDE");
  EXPECT_FALSE(b.blinkStep());
}

TEST(CrossBoardPictures, DecodedWithTheBoardAndBadDataFailsTheWholeBoard) {
  CrosswordFile f = germanSample();
  Board b = boardOf(f);
  ASSERT_EQ(b.pictures().size(), 1u);
  EXPECT_EQ(b.pictureImage(0).width, 40);
  EXPECT_FALSE(b.pictureImage(0).palette.empty());
  f.pictures[0].jpeg.resize(f.pictures[0].jpeg.size() / 2);  // truncated picture
  EXPECT_THROW(boardOf(f), JpegError);
}

TEST(CrossBoardProgress, LongerProgressUsesItsStartShorterIsRefused) {
  Board b = boardOf(boardFromRows(Language::English, {"AB", "CD"}));
  b.applyProgress("ABCDEXTRA");
  EXPECT_EQ(b.entries(), "ABCD");
  EXPECT_THROW(b.applyProgress("XY"), FormatError);
  EXPECT_EQ(b.entries(), "ABCD");  // unchanged by the refused file
}
