// "Quick fill" and "No repeated words" on the composing workflow: the result files written
// (and not written), what the grid shows, what the commands allow meanwhile, and the option
// reaching both searches.
#include <QAction>
#include <QtTest>
#include <memory>
#include <set>

#include "authoring/composing/dictionary/dictionary.h"
#include "authoring/composing/layout/composing_files.h"
#include "authoring/composing/layout/layout_lock.h"
#include "authoring/gui/composing/compose_controller.h"
#include "authoring/gui/composing/quick_fill_controller.h"
#include "common/crossword_reader.h"
#include "composing_test_support.h"

using namespace gw;
using namespace gw::gui;
using namespace gw::gui::testing;

namespace {

// The four rotations of ABCD: on an open 4 × 4 the first row decides every column, and each
// fill is a symmetric square, every word twice (row i is column i).
const std::vector<std::string> kOnlyRepeatingFills{"ABCD", "BCDA", "CDAB", "DABC"};

// Those and the eight words of a square whose rows and columns all differ
// (ABCD CDAB BADC DCBA across, ACBD BDAC CADB DBCA down): fills with and without repeats.
std::vector<std::string> mixedSquares() {
  std::vector<std::string> words{"ABCD", "ACBD", "BADC", "BCDA", "BDAC",
                                 "CADB", "CDAB", "DABC", "DBCA", "DCBA"};
  return words;
}

// Random eight-letter words: an open 8 × 8 of them keeps a search busy far longer than a test.
std::vector<std::string> randomWords(int count, int length, unsigned seed) {
  std::mt19937 rng(seed);
  std::set<std::string> words;
  while (static_cast<int>(words.size()) < count) {
    std::string w;
    for (int k = 0; k < length; ++k) w += static_cast<char>('A' + rng() % 26);
    words.insert(w);
  }
  return {words.begin(), words.end()};
}

// The words of a filled board, slot by slot (the slots of the author's layout).
std::vector<std::string> wordsOf(const CrosswordFile& crossword, const std::vector<Slot>& slots) {
  std::vector<std::string> words;
  for (const Slot& s : slots) {
    std::string w;
    for (int k = 0; k < s.length; ++k)
      w += s.direction == Direction::Across ? crossword.cell(s.row, s.column + k)
                                            : crossword.cell(s.row + k, s.column);
    words.push_back(w);
  }
  return words;
}

}  // namespace

class QuickFillTest : public WorkflowTestBase {
  Q_OBJECT

  // Quick fill as the author asks for it; the first time the save dialog answers `name`.
  void quickFill(const std::string& name) {
    nameOnFirstSave(name);
    QVERIFY(rules::quickFill(status()));
    workflow_->quickFill();
  }
  void waitForQuickFill() { QTRY_VERIFY_WITH_TIMEOUT(!workflow_->quickFillController().isRunning(), 60000); }
  QString shownLetters() {
    const Layout& shown = workflow_->shownLayout();
    QString letters;
    for (int r = 0; r < shown.rows; ++r)
      for (int c = 0; c < shown.columns; ++c)
        letters += shown.board.isLetter(r, c) ? QChar(shown.board.cell(r, c).character) : QChar('.');
    return letters;
  }
  // The letters of the board, row by row, '.' for a blank (an isle).
  static QString boardLetters(const CrosswordFile& crossword) {
    QString letters;
    for (char ch : crossword.board) letters += ch == kBlankCell ? '.' : QChar(ch);
    return letters;
  }
  bool layoutIsFree() {
    try {
      LayoutLock lock(session().patternFile());
      return true;
    } catch (const FileError&) {
      return false;
    }
  }

 private Q_SLOTS:
  void init() { openWorkflow(mixedSquares(), {}); }
  void cleanup() { closeWorkflow(); }

  void quickFillWritesTheNextResultAndShowsIt() {
    // An earlier result 2 stays; the fill becomes result 3.
    program_->writeWords("EN.words",
                         {"ABCD", "ACBD", "AXBY", "BADC", "BDAC", "CADB", "CDAB", "DBCA", "DCBA", "ZZZZ"});
    newLayout(4, 4);
    type(0, 0, "a");
    const Layout drawn = session().layout();
    writeBytes(program_->results() / "square2.C_W", "an earlier result");

    quickFill("square.C_WM");
    QVERIFY(workflow_->isComposing());
    waitForQuickFill();
    QVERIFY(failures_.isEmpty());

    const auto results = program_->resultFiles();
    QCOMPARE(results.size(), std::size_t{2});
    QCOMPARE(results.at("square2.C_W"), std::string("an earlier result"));
    QVERIFY2(results.count("square3.C_W"), "the next number after the highest result");
    const CrosswordFile written =
        readCrosswordFile(program_->results() / "square3.C_W", CrosswordReadMode::Authoring);
    QCOMPARE(written.cell(0, 0), 'A');  // the fixed letter is kept
    const std::vector<std::string> list{"ABCD", "ACBD", "AXBY", "BADC", "BDAC",
                                        "CADB", "CDAB", "DBCA", "DCBA", "ZZZZ"};
    for (const std::string& w : wordsOf(written, deriveSlots(drawn)))
      QVERIFY2(std::find(list.begin(), list.end(), w) != list.end(), w.c_str());

    // The grid shows the fill, the author's layout and its file keep only the fixed letter.
    QCOMPARE(shownLetters(), boardLetters(written));
    QVERIFY(session().layout() == drawn);
    QVERIFY(readPatternFile(program_->path("Make/square.C_WM")) == drawn);
    QVERIFY2(workflow_->statusMessage().contains("square3.C_W"), qPrintable(workflow_->statusMessage()));
    QVERIFY(
        workflow_->statusMessage().contains(QString("seed %1").arg(workflow_->quickFillController().seed())));
    QCOMPARE(sounds_.count(ComposerSound::ResultWritten), 1);
    QVERIFY2(layoutIsFree(), "the layout lock goes with the search");

    // Once the author changes the layout, the grid shows the layout again.
    type(3, 3, "d");
    QCOMPARE(shownLetters(), QString("A..............D"));
  }

  void eachQuickFillTakesANewSeedAndNumber() {
    newLayout(4, 4);
    quickFill("again.C_WM");
    waitForQuickFill();
    const std::uint64_t firstSeed = workflow_->quickFillController().seed();
    // One lane (crossword.conf's "Quick fill lanes=1") searches on the window thread.
    workflow_->setComposeOptions(ComposeSettings{false, 1});
    quickFill("again.C_WM");
    waitForQuickFill();
    QVERIFY(workflow_->quickFillController().seed() != firstSeed);
    QVERIFY(answers_->allUsed());
    const auto results = program_->resultFiles();
    QVERIFY(results.count("again1.C_W") && results.count("again2.C_W"));
  }

  void noRepeatedWordsHoldsForQuickFill() {
    newLayout(4, 4);
    QVERIFY2(workflow_->quickFillNoRepeatedWords(), "on unless the author turns it off");
    QVERIFY(!workflow_->composeOptions().noRepeatedWords);
    for (int run = 0; run < 4; ++run) {
      quickFill("distinct.C_WM");
      waitForQuickFill();
    }
    const auto results = program_->resultFiles();
    QCOMPARE(results.size(), std::size_t{4});
    for (const auto& [name, bytes] : results) {
      const std::vector<std::string> words =
          wordsOf(parseCrossword(bytes, CrosswordReadMode::Authoring), deriveSlots(session().layout()));
      QCOMPARE(std::set<std::string>(words.begin(), words.end()).size(), words.size());
    }
  }

  void eachSearchHasItsOwnNoRepeatedWords() {
    program_->writeWords("EN.words", kOnlyRepeatingFills);
    newLayout(4, 4);
    // The defaults: Quick fill refuses the repeating squares and says why, Start compose writes them.
    quickFill("twice.C_WM");
    waitForQuickFill();
    QVERIFY2(workflow_->statusMessage().contains("no fill exists") &&
                 workflow_->statusMessage().contains("without repeated words"),
             qPrintable(workflow_->statusMessage()));
    QVERIFY(program_->resultFiles().empty());
    workflow_->startComposing({});
    QTRY_VERIFY_WITH_TIMEOUT(status().layout == ComposingState::Editable, 60000);
    QCOMPARE(program_->resultFiles().size(), std::size_t{4});
    for (const auto& entry : fs::directory_iterator(program_->results())) fs::remove(entry.path());

    // Both switched: Quick fill finds one, Start compose writes none.
    workflow_->setQuickFillNoRepeatedWords(false);
    workflow_->setNoRepeatedWords(true);
    quickFill("twice.C_WM");
    waitForQuickFill();
    QCOMPARE(program_->resultFiles().size(), std::size_t{1});
    workflow_->startComposing({});
    QTRY_VERIFY_WITH_TIMEOUT(status().layout == ComposingState::Editable, 60000);
    QCOMPARE(program_->resultFiles().size(), std::size_t{1});
  }

  void theMinimumWordScoreReachesBothSearchesAndQuickFillReportsTheScores() {
    // Of the repeating squares only ABCD and CDAB are allowed at 40: no fill of them exists.
    program_->writeWords("EN.words", kOnlyRepeatingFills);
    writeBytes(program_->path("Make/EN.scores"), "ABCD;90\nBCDA;30\nCDAB;70\nDABC;20\n");
    newLayout(4, 4);
    workflow_->setQuickFillNoRepeatedWords(false);  // the squares' only fills repeat words
    quickFill("scored.C_WM");
    waitForQuickFill();
    QVERIFY2(workflow_->statusMessage().endsWith(". Mean word score 52.5; lowest: DABC 20, BCDA 30, CDAB 70"),
             qPrintable(workflow_->statusMessage()));

    workflow_->setMinWordScore(40);
    QCOMPARE(workflow_->composeOptions().minWordScore, 40);
    quickFill("scored.C_WM");
    waitForQuickFill();
    QVERIFY2(workflow_->statusMessage().contains("no fill exists"), qPrintable(workflow_->statusMessage()));
    workflow_->startComposing({});
    QTRY_VERIFY_WITH_TIMEOUT(status().layout == ComposingState::Editable, 60000);
    QCOMPARE(program_->resultFiles().size(), std::size_t{1});  // Quick fill's first result alone

    // A score above every word's leaves none, and Quick fill is disabled until it is lowered.
    workflow_->setMinWordScore(95);
    workflow_->startComposing({});
    QTRY_VERIFY_WITH_TIMEOUT(status().layout == ComposingState::Editable, 60000);
    QVERIFY(!rules::quickFill(status()));

    // Lowered again, the next search has every word back.
    workflow_->setMinWordScore(0);
    QVERIFY(rules::quickFill(status()));
    workflow_->startComposing({});
    QTRY_VERIFY_WITH_TIMEOUT(status().layout == ComposingState::Editable, 60000);
    QCOMPARE(program_->resultFiles().size(), std::size_t{5});
  }

  void aLayoutWithoutAFillWritesNothing() {
    program_->writeWords("EN.words", {"ABCD", "DCBA"});  // fits every slot, fills none
    newLayout(4, 4);
    type(1, 1, "b");
    const Layout drawn = session().layout();
    quickFill("none.C_WM");
    waitForQuickFill();
    QVERIFY(program_->resultFiles().empty());
    QVERIFY2(workflow_->statusMessage().contains("no fill exists"), qPrintable(workflow_->statusMessage()));
    QVERIFY(failures_.isEmpty());
    QVERIFY(session().layout() == drawn);
    QCOMPARE(shownLetters(), QString(".....B.........."));
    QCOMPARE(session().state(), ComposingState::Editable);
    QVERIFY(layoutIsFree());
  }

  void layoutsStartComposeRefusesAreRefusedAlike() {
    // A slot that no word fits: "No solution possible!" as Start compose says, and no search.
    newLayout(4, 4);
    type(0, 0, "zz");
    quickFill("nosolution.C_WM");
    QCOMPARE(failures_, QStringList{"No solution possible!"});
    QVERIFY(!workflow_->quickFillController().isRunning());
    QVERIFY(layoutIsFree());

    // Too small, or no layout at all: not offered.
    newLayout(3, 6);
    QVERIFY(!rules::quickFill(status()));
    workflow_->closeLayout();
    QVERIFY(!rules::quickFill(status()));
    QVERIFY(program_->resultFiles().empty());
  }

  void stopDuringQuickFillLeavesNoFileAndTheLayoutAsItWas() {
    program_->writeWords("EN.words", randomWords(20000, 8, 5));
    newLayout(8, 8);
    const Layout drawn = session().layout();
    quickFill("busy.C_WM");
    QVERIFY(workflow_->quickFillController().isRunning());

    // Meanwhile only Stop works: no other search, no layout commands, no cell edits.
    const ComposingStatus s = status();
    QVERIFY(!rules::startCompose(s) && !rules::quickFill(s) && !rules::newLayout(s) && !rules::openLayout(s));
    QVERIFY(!rules::saveLayout(s) && !rules::closeLayout(s) && !rules::setIsle(s) &&
            !rules::noRepeatedWords(s));
    QVERIFY(rules::stopCompose(s));
    QVERIFY2(!layoutIsFree(), "the search holds the layout lock");
    type(0, 0, "abc");
    QVERIFY(session().layout() == drawn);

    // The window goes on while the lanes search; progress reaches the status bar.
    QTRY_VERIFY_WITH_TIMEOUT(workflow_->statusMessage().contains("words tried"), 20000);
    QVERIFY2(workflow_->quickFillController().isRunning(), "this layout was meant to keep the search busy");
    workflow_->stopComposing();
    QVERIFY(!workflow_->quickFillController().isRunning());
    QVERIFY2(workflow_->statusMessage().contains("stopped"), qPrintable(workflow_->statusMessage()));
    QVERIFY(program_->resultFiles().empty());
    QVERIFY(session().layout() == drawn);
    QCOMPARE(session().state(), ComposingState::Editable);
    QVERIFY(layoutIsFree());
    QVERIFY(rules::startCompose(status()) && rules::quickFill(status()));
  }

  void quickFillSelectionRefillsOnlyTheSelectedWordsAndKeepsEveryOtherLetter() {
    newLayout(4, 4);
    quickFill("part.C_WM");
    waitForQuickFill();
    const Layout shown = workflow_->shownLayout();
    const Layout drawn = session().layout();
    const std::vector<CellPos> corner{{0, 0}, {0, 1}, {1, 0}, {1, 1}};
    workflow_->quickFillSelection(corner);
    QVERIFY(workflow_->isComposing());
    waitForQuickFill();
    QVERIFY(failures_.isEmpty());

    // The fill is now the author's layout: the unselected letters as the grid showed them.
    const Layout filled = session().layout();
    for (int r = 0; r < 4; ++r) {
      for (int c = 0; c < 4; ++c) {
        QVERIFY(filled.board.isLetter(r, c));
        if (std::find(corner.begin(), corner.end(), CellPos{r, c}) == corner.end())
          QCOMPARE(filled.board.cell(r, c).character, shown.board.cell(r, c).character);
      }
    }
    QVERIFY(workflow_->shownLayout() == filled);
    // A whole grid: written as Quick fill writes, as the next result, with its seed.
    QVERIFY(program_->resultFiles().count("part2.C_W"));
    const QString seed = QString("seed %1").arg(workflow_->quickFillController().seed());
    QVERIFY2(workflow_->statusMessage().contains("part2.C_W") && workflow_->statusMessage().contains(seed),
             qPrintable(workflow_->statusMessage()));
    QCOMPARE(boardLetters(readCrosswordFile(program_->results() / "part2.C_W", CrosswordReadMode::Authoring)),
             shownLetters());

    // One step to undo; Save writes the layout with the letters.
    QVERIFY(status().modified);
    workflow_->undo();
    QVERIFY(session().layout() == drawn);
    workflow_->redo();
    workflow_->saveLayout();
    QVERIFY(readPatternFile(program_->path("Make/part.C_WM")) == filled);

    // Isles only: nothing to fill, and the author is told.
    isleAt(3, 3);
    workflow_->quickFillSelection({{3, 3}});
    QVERIFY(!workflow_->isComposing());
    QCOMPARE(failures_.size(), 1);
  }

  void quickFillSelectionFillsOnlyTheWordsOfTheSelection() {
    program_->writeWords("EN.words", {"ABCD", "BADC", "AB", "BA", "CD", "DC"});
    newLayout(4, 4);
    for (int c = 0; c < 4; ++c) isleAt(2, c);
    type(0, 0, "a");
    nameOnFirstSave("half.C_WM");
    workflow_->quickFillSelection({{0, 1}});
    waitForQuickFill();
    // Row 0 and column 1 are the words of (0, 1); the rest of row 1 only had to stay fillable,
    // and row 3 is not touched: no whole crossword, so no result file.
    QCOMPARE(shownLetters(), QString("ABCD"
                                     ".A.."
                                     "...."
                                     "...."));
    QVERIFY(program_->resultFiles().empty());
    QVERIFY2(workflow_->statusMessage().contains("no result file"), qPrintable(workflow_->statusMessage()));
    QVERIFY(failures_.isEmpty());
  }

  void startComposeAfterQuickFillWorksAsBefore() {
    newLayout(4, 4);
    quickFill("both.C_WM");
    waitForQuickFill();
    QCOMPARE(program_->resultFiles().size(), std::size_t{1});
    workflow_->startComposing({});
    QTRY_VERIFY_WITH_TIMEOUT(status().layout == ComposingState::Editable, 60000);
    QVERIFY(failures_.isEmpty());
    QCOMPARE(sounds_.count(ComposerSound::Exhausted), 1);
    // Every fill of the list, numbered from 1 as the exhaustive search numbers them.
    QVERIFY(workflow_->controller().composer().resultCount() >= 2);
    QVERIFY(program_->resultFiles().count("both1.C_W"));
    QCOMPARE(shownLetters(), QString(16, '.'));
  }
};

QTEST_MAIN(QuickFillTest)
#include "quick_fill_test.moc"
