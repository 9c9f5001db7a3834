// The composing page driven as the author drives it: keys and clicks into the grid, the
// page's commands, and the files and results it leaves behind.
#include <QAbstractItemModelTester>
#include <QAction>
#include <QLineEdit>
#include <QMainWindow>
#include <QToolBar>
#include <QtTest>
#include <memory>

#include "authoring/composing/composing_files.h"
#include "authoring/composing/dictionary.h"
#include "authoring/gui/composing/compose_controller.h"
#include "authoring/gui/composing/composing_page.h"
#include "authoring/gui/composing/grid_typing.h"
#include "authoring/gui/composing/layout_grid_view.h"
#include "composing_test_support.h"

using namespace gw;
using namespace gw::gui;
using namespace gw::gui::testing;

namespace {

// Words of three and four letters: the 4 × 4 layout with isles in two corners has a few fills.
std::vector<std::string> fewWords() {
  std::vector<std::string> words = someWords("ABC", 3, 0.4, 7);
  for (const std::string& w : someWords("ABC", 4, 0.12, 7)) words.push_back(w);
  return words;
}

}  // namespace

class ComposingPageTest : public ComposingPageTestBase {
  Q_OBJECT

  QLineEdit* otherField_ = nullptr;
  void clickCell(int row, int column) {
    grid()->moveCursorTo(row, column);
    idlePass();
  }
  void doubleClickCell(int row, int column) {
    QPoint at = grid()->visualRect(grid()->model()->index(row, column)).center();
    QTest::mouseDClick(grid()->viewport(), Qt::LeftButton, {}, at);
  }
  char cell(int row, int column) {
    const BoardCell& c = session().layout().board.cell(row, column);
    return c.length == 0 ? '.' : c.character == kIsle ? '#' : c.character;
  }
  GridCursor cursor() { return {grid()->currentIndex().row(), grid()->currentIndex().column()}; }
  // Isles at the top-left and bottom-right corners.
  void drawCornerLayout() {
    newLayout(4, 4);
    for (auto [r, c] : {std::pair{0, 0}, {3, 3}}) {
      clickCell(r, c);
      action("setIsleAction")->trigger();
    }
  }
  void startWithFileName(const std::string& name) {
    prompts_.saveFile = QString::fromStdString(program_->path("Make/" + name).string());
    idlePass();
    action("startComposeAction")->trigger();
  }
  void waitUntilNotRunning() {
    QTRY_VERIFY_WITH_TIMEOUT(page_->controller().state() != ComposingState::Running, 60000);
  }

 private Q_SLOTS:
  void init() {
    // A field beside the page, to take the keyboard away from the grid.
    openPage(fewWords(), {"ABC"}, [this](QMainWindow& window) {
      otherField_ = new QLineEdit;
      otherField_->setObjectName("otherField");
      window.addToolBar("other")->addWidget(otherField_);
    });
  }
  void cleanup() { closePage(); }

  void gridModelIsAWellBehavedTableModel() {
    QAbstractItemModelTester tester(grid()->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    QCOMPARE(grid()->model()->rowCount(), 1);
    newLayout(6, 9);
    QCOMPARE(grid()->model()->rowCount(), 6);
    QCOMPARE(grid()->model()->columnCount(), 9);
    page_->closeLayout();
    QCOMPARE(grid()->model()->rowCount(), 1);
    QCOMPARE(grid()->model()->columnCount(), 1);
  }

  void englishLettersGoInAndTheCursorMovesOn() {
    newLayout(6, 6);
    QCOMPARE(cursor(), (GridCursor{0, 0}));
    QTest::keyClicks(grid(), "q");
    QCOMPARE(cell(0, 0), 'Q');
    QCOMPARE(cursor(), (GridCursor{0, 1}));
    QTest::keyClicks(grid(), "1;/");
    QCOMPARE(cell(0, 1), '.');
    QCOMPARE(cursor(), (GridCursor{0, 1}));
    clickCell(2, 5);
    QTest::keyClicks(grid(), "x");
    QCOMPARE(cell(2, 5), 'X');
    QCOMPARE(cursor(), (GridCursor{3, 5}));
    clickCell(5, 5);
    QTest::keyClicks(grid(), "Z");
    QCOMPARE(cell(5, 5), 'Z');
    QCOMPARE(cursor(), (GridCursor{0, 0}));
    QCOMPARE(grid()->model()->index(5, 5).data().toString(), QString("Z"));
  }

  void germanTakesOnlyAToZ() {
    newLayout(4, 4, Language::German);
    QTest::sendKeyEvent(QTest::Click, grid(), Qt::Key_Udiaeresis, QString::fromUtf8("ü"), Qt::NoModifier);
    QTest::keyClicks(grid(), "y");
    QCOMPARE(cell(0, 0), 'Y');
    QCOMPARE(cursor(), (GridCursor{0, 1}));
  }

  void serbianKeysGiveCyrillicCapitals() {
    newLayout(4, 4, Language::Serbian);
    QTest::keyClicks(grid(), "q[a");
    QCOMPARE(cell(0, 0), '\x8A');
    QCOMPARE(cell(0, 1), '\xD8');
    QCOMPARE(cell(0, 2), '\xC0');
    QCOMPARE(grid()->model()->index(0, 0).data().toString(), QString::fromUtf8("Љ"));
    QCOMPARE(grid()->model()->index(0, 1).data().toString(), QString::fromUtf8("Ш"));
    QTest::keyClicks(grid(), "z1");
    QCOMPARE(cell(0, 3), '.');
    QCOMPARE(page_->statusText(1), QString("SER"));
    QCOMPARE(page_->languageName(), QString("Serbian"));
  }

  void doubleClickTogglesACell() {
    newLayout(4, 4);
    doubleClickCell(1, 2);
    QCOMPARE(cell(1, 2), '#');
    doubleClickCell(1, 2);
    QCOMPARE(cell(1, 2), '.');
    clickCell(3, 0);
    QTest::keyClicks(grid(), "k");
    doubleClickCell(3, 0);
    QCOMPARE(cell(3, 0), '.');
  }

  void spaceAndDelWorkOnTheGridOnly() {
    newLayout(4, 4);
    clickCell(1, 1);
    QTest::keyClick(grid(), Qt::Key_Space);
    QCOMPARE(cell(1, 1), '#');
    idlePass();
    QTest::keyClick(grid(), Qt::Key_Delete);
    QCOMPARE(cell(1, 1), '.');
    otherField_->setFocus();
    idlePass();
    QTest::keyClick(otherField_, Qt::Key_Space);
    QCOMPARE(cell(1, 1), '.');
    QCOMPARE(otherField_->text(), QString(" "));
  }

  void enablingRulesFollowTheLayoutState() {
    auto enabled = [&](const char* name) { return action(name)->isEnabled(); };
    idlePass();  // no layout yet
    QVERIFY(enabled("newLayoutAction") && enabled("openLayoutAction") && enabled("changeStatusAction"));
    for (const char* off : {"startComposeAction", "stopComposeAction", "saveLayoutAction",
                            "closeLayoutAction", "setIsleAction", "clearFieldAction"})
      QVERIFY2(!enabled(off), off);

    newLayout(4, 4);
    idlePass();
    for (const char* on : {"newLayoutAction", "openLayoutAction", "saveLayoutAction", "closeLayoutAction",
                           "startComposeAction", "clearLayoutAction", "clearFixedAction", "setIsleAction"})
      QVERIFY2(enabled(on), on);
    QVERIFY(!enabled("stopComposeAction"));
    QVERIFY2(!enabled("clearFieldAction"), "the current cell is empty");
    action("setIsleAction")->trigger();
    idlePass();
    QVERIFY2(!enabled("setIsleAction"), "the current cell is an isle");
    QVERIFY(enabled("clearFieldAction"));

    page_->updateActions(false);  // another page in front
    for (const char* off : {"newLayoutAction", "openLayoutAction", "saveLayoutAction", "closeLayoutAction"})
      QVERIFY2(!enabled(off), off);
    QVERIFY(enabled("startComposeAction"));

    page_->closeLayout();
    idlePass();
    QVERIFY(!enabled("startComposeAction") && !enabled("saveLayoutAction") && !enabled("setIsleAction"));
  }

  void runningAndStoppedSearchesLockTheCells() {
    program_->writeWords("EN.words", someWords("ABCDE", 6, 0.05, 3));
    newLayout(6, 6);
    prompts_.orderAnswer = {};
    startWithFileName("locked.C_WM");
    QCOMPARE(page_->controller().state(), ComposingState::Running);
    QVERIFY(page_->isComposing());
    idlePass();
    for (const char* off : {"newLayoutAction", "openLayoutAction", "saveLayoutAction", "closeLayoutAction",
                            "startComposeAction", "clearLayoutAction", "setIsleAction", "clearFieldAction"})
      QVERIFY2(!action(off)->isEnabled(), off);
    QVERIFY(action("stopComposeAction")->isEnabled());
    QVERIFY(!grid()->focusMarkShown());

    // Letters, double-clicks and Space do not touch a running search (nor its layout).
    const Layout before = session().layout();
    QTest::keyClicks(grid(), "abc");
    doubleClickCell(2, 2);
    QTest::keyClick(grid(), Qt::Key_Space);
    QVERIFY(session().layout() == before);

    action("stopComposeAction")->trigger();
    QCOMPARE(page_->controller().state(), ComposingState::Stopped);
    idlePass();
    QVERIFY(action("startComposeAction")->isEnabled());
    QVERIFY(!action("setIsleAction")->isEnabled() && !action("clearLayoutAction")->isEnabled());
    QVERIFY(action("saveLayoutAction")->isEnabled());
    doubleClickCell(1, 1);
    QTest::keyClicks(grid(), "q");
    QVERIFY(session().layout() == before);
    QVERIFY(grid()->focusMarkShown());
  }

  void statusPanelsShowLanguageAndCounters() {
    newLayout(4, 4);
    QCOMPARE(page_->statusText(1), QString("ENG"));
    QCOMPARE(page_->statusText(2), QString("R:0"));
    QCOMPARE(page_->statusText(3), QString("T: 0"));
    QCOMPARE(page_->statusText(4), QString("M: 0"));
    QCOMPARE(page_->statusText(6), QString("English"));
    newLayout(4, 4, Language::German);
    QCOMPARE(page_->statusText(1), QString("GER"));
    QCOMPARE(page_->statusText(6), QString("German"));
  }

  void theWindowGrowsToTheLayoutAndNeverShrinks() {
    newLayout(30, 30);
    QCOMPARE(window_->size(), QSize(597, 700));
    newLayout(4, 4);
    QCOMPARE(window_->size(), QSize(597, 700));
    newLayout(10, 40);
    QCOMPARE(window_->size(), QSize(40 * 19 + 27, 700));
  }

  void changeStatusWantsAtLeastFourByFour() {
    newLayout(3, 8);
    idlePass();
    action("changeStatusAction")->trigger();
    QCOMPARE(prompts_.informations, QStringList{"Define crossword pattern first!"});
    QCOMPARE(page_->controller().state(), ComposingState::Editable);
  }

  void composingWritesTheSameResultsAsTheHeadlessComposer() {
    drawCornerLayout();
    prompts_.orderAnswer = [](const std::vector<Slot>& order) {
      std::vector<int> same;
      for (std::size_t i = 0; i < order.size(); ++i) same.push_back(static_cast<int>(i) + 1);
      return same;
    };
    startWithFileName("corner.C_WM");
    QVERIFY(!prompts_.shownOrder.empty());
    QVERIFY(page_->isComposing());
    waitUntilNotRunning();
    QCOMPARE(page_->controller().state(), ComposingState::Editable);
    QVERIFY(prompts_.errors.isEmpty());
    const auto windowResults = program_->resultFiles();
    QVERIFY(!windowResults.empty());
    QCOMPARE(page_->statusText(2), QString("R:%1").arg(windowResults.size()));
    QCOMPARE(sounds_.count(ComposerSound::Started), 1);
    QCOMPARE(sounds_.count(ComposerSound::Exhausted), 1);
    QVERIFY(sounds_.count(ComposerSound::ResultWritten) == static_cast<int>(windowResults.size()));
    QVERIFY2(!fs::exists(program_->path("Make/corner.TMP")), "an exhausted search leaves no state file");

    // The same layout composed without a window, into a folder of its own.
    fs::path headlessResults = program_->path("headless");
    fs::create_directories(headlessResults);
    Dictionary dictionary;
    ComposingFiles files{[&](Language) { return program_->path("Make/EN.words"); }, headlessResults};
    LayoutSession headless(dictionary, files);
    ComposerListener quiet;
    Composer composer(headless, quiet);
    headless.open(program_->path("Make/corner.C_WM"));
    headless.saveAs(program_->path("headless/corner.C_WM"));
    composer.start();
    while (composer.run(RunBudget::unlimited()) == ComposingState::Running) {
    }
    fs::remove(headlessResults / "corner.C_WM");
    std::map<std::string, std::string> expected;
    for (const auto& entry : fs::directory_iterator(headlessResults))
      expected[entry.path().filename().string()] = readBytes(entry.path());
    QVERIFY(expected == windowResults);
  }

  void anExhaustedSearchGivesBackTheAuthorsLayout() {
    drawCornerLayout();
    const Layout drawn = session().layout();
    startWithFileName("again.C_WM");
    waitUntilNotRunning();
    QVERIFY(session().layout() == drawn);
    QVERIFY(page_->controller().shownLayout() == drawn);
    QCOMPARE(grid()->model()->index(1, 1).data().toString(), QString());
    // A second start composes the same layout again, from result 1.
    startWithFileName("again.C_WM");
    waitUntilNotRunning();
    QVERIFY(session().layout() == drawn);
    QCOMPARE(sounds_.count(ComposerSound::Exhausted), 2);
  }

  void stopWritesTheStateFileAndResumingLosesNothing() {
    program_->writeWords("EN.words", someWords("ABCD", 5, 0.15, 11));
    newLayout(5, 5);
    startWithFileName("long.C_WM");
    QTRY_VERIFY(page_->statusText(4) != "M: 0");  // counters are live
    idlePass();
    action("stopComposeAction")->trigger();
    QCOMPARE(page_->controller().state(), ComposingState::Stopped);
    const fs::path stateFile = program_->path("Make/long.TMP");
    QVERIFY(fs::exists(stateFile));
    const SearchState saved = readStateFile(stateFile, session().layout());
    QCOMPARE(saved.depth, page_->controller().composer().depth());
    QCOMPARE(page_->statusText(3), QString("T: %1").arg(saved.depth));

    // Save while stopped writes the author's layout, not the best partial fill shown.
    idlePass();
    action("saveLayoutAction")->trigger();
    QVERIFY(readPatternFile(program_->path("Make/long.C_WM")) == session().layout());
    if (!page_->controller().composer().bestPartialFill().empty())
      QVERIFY(!(page_->controller().shownLayout() == session().layout()));
  }

  void theWordOrderAnswerReachesTheStateFile() {
    drawCornerLayout();
    std::vector<int> answer;
    prompts_.orderAnswer = [&](const std::vector<Slot>& order) {
      for (int p = static_cast<int>(order.size()); p >= 1; --p) answer.push_back(p);
      return answer;
    };
    startWithFileName("order.C_WM");
    QVERIFY(page_->isComposing());
    page_->stopBeforeExit();  // before the first slice: the state file holds the order only
    QCOMPARE(page_->controller().state(), ComposingState::Stopped);
    const SearchState saved = readStateFile(program_->path("Make/order.TMP"), session().layout());
    QCOMPARE(saved.slots.size(), prompts_.shownOrder.size());
    for (std::size_t p = 0; p < answer.size(); ++p)
      QVERIFY(saved.slots[p].samePlace(prompts_.shownOrder[static_cast<std::size_t>(answer[p] - 1)]));
    // Cancel keeps the computed order.
    page_->closeLayout();
    drawCornerLayout();
    prompts_.orderAnswer = {};
    startWithFileName("kept.C_WM");
    page_->stopBeforeExit();
    const SearchState kept = readStateFile(program_->path("Make/kept.TMP"), session().layout());
    for (std::size_t p = 0; p < kept.slots.size(); ++p)
      QVERIFY(kept.slots[p].samePlace(prompts_.shownOrder[p]));
  }

  void openingAskToContinueAStoppedSearch() {
    program_->writeWords("EN.words", someWords("ABCD", 5, 0.15, 11));
    newLayout(5, 5);
    startWithFileName("resume.C_WM");
    page_->stopBeforeExit();
    QString captions;
    connect(page_, &ComposingPage::captionChanged, this, [&](const QString& c) { captions = c; });
    page_->closeLayout();

    prompts_.continueAnswer = false;
    prompts_.openFile = QString::fromStdString(program_->path("Make/resume.C_WM").string());
    idlePass();
    action("openLayoutAction")->trigger();
    QCOMPARE(prompts_.continueQuestions, 1);
    QCOMPARE(page_->controller().state(), ComposingState::Editable);
    QCOMPARE(captions, QString("Composing : resume.C_WM"));
    QVERIFY2(fs::exists(program_->path("Make/resume.TMP")), "No keeps the state file");
    QCOMPARE(dialogFolders_.composeOpen, QString::fromStdString(program_->path("Make").string()));

    prompts_.continueAnswer = true;
    page_->openPatternFile(prompts_.openFile);
    QCOMPARE(prompts_.continueQuestions, 2);
    QCOMPARE(page_->controller().state(), ComposingState::Running);

    // A damaged state file: its reader's message, and the layout stays editable.
    page_->stopBeforeExit();
    const fs::path state = program_->path("Make/resume.TMP");
    writeBytes(state, readBytes(state).substr(0, 30));
    page_->openPatternFile(prompts_.openFile);
    QCOMPARE(prompts_.errors.size(), 1);
    QCOMPARE(page_->controller().state(), ComposingState::Editable);
  }

  void aFileThatIsNoPatternChangesNothing() {
    newLayout(4, 4);
    QTest::keyClicks(grid(), "abc");
    const Layout before = session().layout();
    for (std::string bytes :
         {std::string("CW10\0\0\0", 7), std::string(3374, '\x7f'), std::string(100, '\0')}) {
      fs::path bad = program_->path("bad.C_WM");
      writeBytes(bad, bytes);
      prompts_.errors.clear();
      page_->openPatternFile(QString::fromStdString(bad.string()));
      QCOMPARE(prompts_.errors.size(), 1);
      QVERIFY(session().layout() == before);
      QCOMPARE(page_->controller().state(), ComposingState::Editable);
    }
    prompts_.errors.clear();
    page_->openPatternFile(QString::fromStdString(program_->path("missing.C_WM").string()));
    QCOMPARE(prompts_.errors.size(), 1);
    QVERIFY(session().layout() == before);
  }

  void saveAsksForANameOnceAndRemembersTheFolder() {
    newLayout(4, 4);
    QString caption;
    connect(page_, &ComposingPage::captionChanged, this, [&](const QString& c) { caption = c; });
    prompts_.saveFile = QString::fromStdString(program_->path("Make/first.C_WM").string());
    idlePass();
    action("saveLayoutAction")->trigger();
    QCOMPARE(prompts_.saveDialogs, 1);
    QCOMPARE(caption, QString("Make : first.C_WM"));
    QCOMPARE(dialogFolders_.composeSave, QString::fromStdString(program_->path("Make").string()));
    QCOMPARE(fs::file_size(program_->path("Make/first.C_WM")), kPatternFileSize);
    QTest::keyClicks(grid(), "w");
    action("saveLayoutAction")->trigger();
    QCOMPARE(prompts_.saveDialogs, 1);
    QCOMPARE(readPatternFile(program_->path("Make/first.C_WM")).board.cell(0, 0).character, 'W');
    // Cancelling the dialog at Start leaves the layout unsaved and nothing started.
    newLayout(4, 4);
    prompts_.saveFile.clear();
    idlePass();
    action("startComposeAction")->trigger();
    QCOMPARE(page_->controller().state(), ComposingState::Editable);
  }

  void closingWhileComposingStopsLikeStop() {
    program_->writeWords("EN.words", someWords("ABCD", 5, 0.15, 11));
    newLayout(5, 5);
    startWithFileName("exit.C_WM");
    QTRY_VERIFY(page_->controller().composer().steps() > 0);
    page_->stopBeforeExit();
    QCOMPARE(page_->controller().state(), ComposingState::Stopped);
    const SearchState saved = readStateFile(program_->path("Make/exit.TMP"), session().layout());
    const std::string expected = serializeState(page_->controller().composer().searchState());
    QCOMPARE(readBytes(program_->path("Make/exit.TMP")), expected);
    QVERIFY(saved.slots.size() > 0);

    // A page that goes while its search runs saves it all the same.
    idlePass();
    const std::uint64_t stepsBefore = page_->controller().composer().steps();
    action("startComposeAction")->trigger();
    QTRY_VERIFY(page_->controller().composer().steps() > stepsBefore);
    QVERIFY(page_->isComposing());
    fs::remove(program_->path("Make/exit.TMP"));
    window_.reset();
    page_ = nullptr;
    QVERIFY(fs::exists(program_->path("Make/exit.TMP")));
  }

  void aLayoutWithoutWordsSaysSo() {
    newLayout(4, 4);
    for (int c = 0; c < 4; ++c) {
      clickCell(0, c);
      action("setIsleAction")->trigger();
    }
    for (int r = 1; r < 4; ++r) {
      clickCell(r, 0);
      QTest::keyClicks(grid(), "abcd");
    }
    startWithFileName("full.C_WM");
    QCOMPARE(prompts_.informations, QStringList{"No words"});
    QCOMPARE(page_->controller().state(), ComposingState::Editable);
  }
};

QTEST_MAIN(ComposingPageTest)
#include "composing_page_test.moc"
