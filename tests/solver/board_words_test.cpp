// The solver's words: the numbering the exports print, Tab order, Backspace and Delete, the
// jump to the next word, and checking and revealing one word.
#include <gtest/gtest.h>

#include "common/crossword_reader.h"
#include "interchange/crossword_numbering.h"
#include "sample_crosswords.h"
#include "solver/core/board.h"

using gw::CellPos;
using namespace gw;
using namespace gw::cross;
using namespace gw::cross::testing;

namespace {

// 3 × 4: CAT / O_A_ / WAX_ with a picture, and a clued one-letter word.
CrosswordFile pictureAndOneLetter() {
  CrosswordFile f = boardFromRows(Language::English, {"CATS", "O A ", "WAXE"});
  f.pictures.push_back({3, 1, 1, 2, samplePicture()});  // column 3, rows 1-2
  f.definitions.push_back({Direction::Across, 1, 0, 1, "The letter O"});
  return f;
}

}  // namespace

// The screen numbers every cell as the printed page and the ipuz/.puz exports do, also with
// pictures and one-letter words.
TEST(CrossBoardWords, NumbersAreTheExportsNumbers) {
  std::vector<CrosswordFile> crosswords = {pictureAndOneLetter(), germanSample()};
  crosswords.push_back(
      readCrosswordFile(GW_SOURCE_DIR "/data/examples/de-otter.C_W", CrosswordReadMode::Solver));
  for (const CrosswordFile& f : crosswords) {
    const Board b = Board::fromCrossword(f);
    const CrosswordNumbering printed = numberCrossword(f);
    EXPECT_EQ(b.numbering().cellNumbers, printed.cellNumbers);
    ASSERT_EQ(b.wordsInOrder().size(), printed.across.size() + printed.down.size());
    EXPECT_EQ(b.wordsInOrder().front().direction, Direction::Across);
    EXPECT_EQ(b.wordsInOrder().back().direction, Direction::Down);
  }
}

// Tab goes Across by number, then Down, wrapping, to each word's first empty cell.
TEST(CrossBoardWords, TabVisitsEveryWordInOrderAndWraps) {
  Board b = Board::fromCrossword(englishSample());
  b.typeKey('c');  // C of CAT filled: Tab back to CAT lands on its A
  const int count = static_cast<int>(b.wordsInOrder().size());
  for (int i = 1; i <= count; ++i) {
    b.goToNextWord(1);
    const NumberedWord& w = b.wordsInOrder()[static_cast<std::size_t>(i % count)];
    EXPECT_EQ(b.direction(), w.direction) << i;
    EXPECT_EQ(b.currentWord(), i % count) << i;
  }
  EXPECT_EQ(b.current(), (CellPos{0, 1}));
  b.goToNextWord(-1);
  EXPECT_EQ(b.currentWord(), count - 1);
}

TEST(CrossBoardWords, BackspaceAndDelete) {
  Board b = Board::fromCrossword(englishSample());
  for (char k : std::string("cat")) b.typeKey(k);
  ASSERT_EQ(b.current(), (CellPos{0, 3}));  // on the block after CAT
  struct Step {
    bool backspace;
    CellPos at;
    std::string row;
  };
  for (const Step& s : {Step{true, {0, 2}, "CA "}, Step{true, {0, 1}, "C  "}, Step{false, {0, 1}, "C  "},
                        Step{true, {0, 0}, "   "}, Step{true, {0, 0}, "   "}}) {
    s.backspace ? b.eraseBackward() : b.eraseCurrent();
    EXPECT_EQ(b.current(), s.at);
    EXPECT_EQ(b.entries().substr(0, 3), s.row);
  }
  // Down, Backspace goes up; the first letter of the board stays put.
  b.setDirection(Direction::Down);
  b.selectCell({2, 0});
  b.eraseBackward();
  EXPECT_EQ(b.current(), (CellPos{1, 0}));
}

TEST(CrossBoardWords, JumpToTheNextWordOnlyWhenAsked) {
  for (bool jump : {false, true}) {
    Board b = Board::fromCrossword(englishSample());
    for (char k : std::string("cat")) b.typeKey(k, jump);
    if (jump) {
      EXPECT_EQ(b.currentWord(), 1);  // on to OX
      b.typeKey('o', jump);
      EXPECT_EQ(b.entryAt(0, 4), 'O');
    } else {
      EXPECT_EQ(b.current(), (CellPos{0, 3}));  // the block, as the classic solver does
    }
  }
}

TEST(CrossBoardWords, CheckAndRevealOneWord) {
  Board b = Board::fromCrossword(englishSample());
  for (char k : std::string("cxt")) b.typeKey(k);
  b.selectCell({0, 0});
  b.checkWord();
  EXPECT_TRUE(b.isChecked(0, 1));
  EXPECT_FALSE(b.isEntryCorrect(0, 1));
  EXPECT_FALSE(b.isChecked(1, 0));  // another word: unchecked
  b.selectCell({0, 1});
  b.typeKey('a');
  EXPECT_FALSE(b.isChecked(0, 1));  // typed again: no longer marked
  b.selectCell({2, 0});
  b.cheatWord();
  EXPECT_EQ(b.entries().substr(12, 4), "WIND");
  EXPECT_EQ(b.entryAt(3, 3), ' ');
  EXPECT_FALSE(b.completed());
}
