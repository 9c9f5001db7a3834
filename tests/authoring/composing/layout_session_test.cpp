#include "authoring/composing/search/layout_session.h"

#include <gtest/gtest.h>

#include "common/errors.h"
#include "compose_test_support.h"

namespace gw {
namespace {

using namespace gw::testing;

const std::vector<std::string> kWords{"ABC", "BCA", "CAB", "AB", "BA"};

TEST(LayoutFiles, OpenReadsTheLayoutAndItsWordListAndADamagedFileChangesNothing) {
  Workspace ws("#..\n...\n", kWords);
  Session s(ws);
  s.session.open(ws.pattern);
  EXPECT_EQ(s.state(), ComposingState::Editable);
  EXPECT_EQ(s.session.layout(), readPatternFile(ws.pattern));
  EXPECT_EQ(s.dictionary.wordCount(3), 3u);
  EXPECT_EQ(s.listener.loading, (std::vector<Language>{Language::English}));
  EXPECT_EQ(s.listener.loaded, s.listener.loading);

  const Layout before = s.session.layout();
  writeText(ws.dir / "bad.C_WM", "short");
  EXPECT_THROW(s.session.open(ws.dir / "bad.C_WM"), FormatError);
  EXPECT_THROW(s.session.open(ws.dir / "absent.C_WM"), FileError);
  EXPECT_EQ(s.session.layout(), before);
  EXPECT_EQ(s.session.patternFile(), ws.pattern);
  EXPECT_EQ(s.state(), ComposingState::Editable);
}

TEST(LayoutFiles, AWordListThatCannotBeReadLeavesTheOpenLayoutAsItWas) {
  Workspace ws("#..\n...\n", kWords);
  fs::path german = ws.dir / "german.C_WM";
  writePatternFile(german, parseTextLayout("..\n..\n", Language::German));
  ComposingFiles files = ws.files();
  files.wordFile = [&](Language l) { return l == Language::German ? ws.dir.path() : ws.words; };  // a folder
  Dictionary d;
  RecordingListener l;
  LayoutSession session(d, files, &l);
  session.open(ws.pattern);
  EXPECT_THROW(session.open(german), FileError);
  EXPECT_THROW(session.newLayout(4, 4, Language::German), FileError);
  EXPECT_EQ(session.patternFile(), ws.pattern);
  EXPECT_EQ(session.layout().language, Language::English);
  EXPECT_EQ(d.language(), Language::English);
  EXPECT_EQ(l.loaded.size(), l.loading.size());  // the busy window goes also after a failure
}

TEST(LayoutFiles, NewLayoutIsClampedUnnamedAndKeepsTheCellsBeyondItsSize) {
  Workspace ws("ABC\nBCA\nCAB\n", kWords);
  Session s(ws);
  s.session.open(ws.pattern);
  s.session.newLayout(2, 99, Language::English);
  EXPECT_EQ(s.session.layout().rows, 2);
  EXPECT_EQ(s.session.layout().columns, 41);
  EXPECT_FALSE(s.session.hasFileName());
  EXPECT_TRUE(s.session.stateFile().empty());
  EXPECT_FALSE(s.session.hasSavedSearch());
  EXPECT_TRUE(s.session.layout().board.isEmpty(1, 2));
  EXPECT_TRUE(s.session.layout().board.isLetter(2, 2));  // row 2 lies outside: the pattern file keeps it
  EXPECT_THROW(s.session.save(), std::logic_error);
  s.session.newLayout(0, -3, Language::English);
  EXPECT_EQ(s.session.layout().rows, 1);
  EXPECT_EQ(s.session.layout().columns, 1);
}

TEST(LayoutFiles, SaveAsNamesTheLayoutOnlyWhenTheFileIsWritten) {
  Workspace ws("#..\n...\n", kWords);
  Session s(ws);
  s.session.newLayout(3, 4, Language::English);
  EXPECT_THROW(s.session.saveAs(ws.dir / "missing" / "x.C_WM"), FileError);
  EXPECT_FALSE(s.session.hasFileName());
  s.session.saveAs(ws.dir / "spring.C_WM");
  EXPECT_EQ(s.session.stateFile(), ws.dir / "spring.TMP");
  ASSERT_TRUE(s.session.setIsle(2, 3));
  s.session.save();
  Layout read = readPatternFile(ws.dir / "spring.C_WM");
  EXPECT_EQ(read, s.session.layout());
  EXPECT_TRUE(read.board.isIsle(2, 3));
  EXPECT_EQ(readWholeFile(ws.dir / "spring.C_WM")[12 + 2 * (3 * 41 + 2) + 1], kIsle);  // column-major
}

TEST(CellEditing, EditsChangeOnlyTheirCellInsideTheLayoutAndReportAChange) {
  Workspace ws("#..\n...\n", kWords);
  Session s(ws);
  s.session.open(ws.pattern);
  const Layout& l = s.session.layout();
  EXPECT_FALSE(s.session.setIsle(0, 0));  // already an isle
  EXPECT_TRUE(s.session.toggleCell(1, 2));
  EXPECT_TRUE(l.board.isIsle(1, 2));
  EXPECT_TRUE(s.session.clearCell(1, 2));
  EXPECT_FALSE(s.session.clearCell(1, 2));  // already empty
  EXPECT_FALSE(s.session.setIsle(2, 0));    // row 2 lies outside a two-row layout
  EXPECT_FALSE(s.session.setIsle(0, 3));
  EXPECT_TRUE(s.session.clearAll());
  EXPECT_TRUE(l.board.isEmpty(0, 0));
  s.session.close();
  EXPECT_FALSE(s.session.hasFileName());
  EXPECT_FALSE(s.session.setIsle(0, 1));
}

TEST(CellEditing, LettersAreUpperCasedAndOnlyTheLanguagesLettersAccepted) {
  Workspace ws("..\n..\n", kWords);
  Session s(ws);
  s.session.open(ws.pattern);
  EXPECT_TRUE(s.session.putLetter(0, 1, 'q'));
  EXPECT_EQ(s.session.layout().board.cell(0, 1), (BoardCell{1, 'Q'}));
  EXPECT_FALSE(s.session.putLetter(1, 1, '1'));
  EXPECT_FALSE(s.session.putLetter(1, 1, '\xE4'));  // no umlauts on English or German boards
  EXPECT_TRUE(s.session.layout().board.isEmpty(1, 1));

  s.session.newLayout(2, 2, Language::Serbian);
  EXPECT_TRUE(s.session.putLetter(0, 0, '\x9A'));  // љ becomes Љ
  EXPECT_EQ(s.session.layout().board.cell(0, 0).character, '\x8A');
  EXPECT_FALSE(s.session.putLetter(0, 1, 'A'));  // a Latin letter is no Serbian Cyrillic letter
}

}  // namespace
}  // namespace gw
