// The "Candidates" panel and the red marks of the composing page, driven as a constructor
// drives them: move the cursor, pick a word, type letters no word fits, undo.
#include <QAbstractItemModelTester>
#include <QTableView>
#include <QToolButton>
#include <QtTest>

#include "authoring/gui/composing/candidate_list_model.h"
#include "authoring/gui/composing/candidate_panel.h"
#include "composing_test_support.h"

using namespace gw;
using namespace gw::gui;
using namespace gw::gui::testing;

class CandidatePanelTest : public ComposingPageTestBase {
  Q_OBJECT

  CandidatePanel* panel() { return page_->candidatePanel(); }
  CandidateListModel* model() { return panel()->model(); }
  // Until the propagated ranking is shown.
  void waitForRanking() {
    QTRY_VERIFY(!panel()->statusText().contains("...") && !panel()->statusText().isEmpty());
  }
  bool anyMark() {
    const Layout& l = workflow_->layout();
    for (int r = 0; r < l.rows; ++r)
      for (int c = 0; c < l.columns; ++c)
        if (grid()->markedEdges(r, c) != 0) return true;
    return false;
  }
  std::string row(int r, int columns) {
    std::string s;
    for (int c = 0; c < columns; ++c) s += cell(r, c);
    return s;
  }

 private Q_SLOTS:
  void init() {
    std::vector<std::string> words = someWords("ABC", 3, 0.45, 1);
    for (const std::string& w : someWords("ABC", 4, 0.2, 2)) words.push_back(w);
    openPage(words, {"ABC"});
  }
  void cleanup() { closePage(); }

  void enterOrDoubleClickPlacesTheWordAndUndoTakesItBack() {
    QAbstractItemModelTester tester(model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    newLayout(3, 3);
    grid()->moveCursorTo(0, 0);
    waitForRanking();
    QVERIFY(model()->rowCount() > 0);
    QVERIFY(panel()->slotText().startsWith("Across, row 1 column 1, 3 letters"));
    // Greyed words, if any, come after every other.
    bool greySeen = false;
    for (int r = 0; r < model()->rowCount(); ++r) {
      const bool grey = model()->candidate(r).unfillable;
      QVERIFY(!greySeen || grey);
      QCOMPARE(model()->data(model()->index(r, 0), Qt::ForegroundRole).isValid(), grey);
      greySeen = greySeen || grey;
    }
    const std::string word = model()->candidate(0).word;
    panel()->list()->setFocus();
    panel()->list()->setCurrentIndex(model()->index(0, 0));
    QTest::keyClick(panel()->list(), Qt::Key_Return);
    QCOMPARE(row(0, 3), word);
    QVERIFY(status().modified && status().canUndo);
    workflow_->undo();
    QCOMPARE(row(0, 3), std::string("..."));
    // A double-click places it too.
    waitForRanking();
    QTableView* list = panel()->list();
    const QPoint at = list->visualRect(model()->index(0, 0)).center();
    // The view takes a double-click after the press of the first click.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(row(0, 3), word);
  }

  void theLatestRequestWins() {
    newLayout(3, 4);
    grid()->moveCursorTo(1, 1);
    // Across (four letters) is asked for first, then at once down (three letters).
    panel()->findChild<QToolButton*>("candidatesDownButton")->click();
    waitForRanking();
    QVERIFY(panel()->slotText().startsWith("Down, row 1 column 2, 3 letters"));
    QVERIFY(model()->rowCount() > 0);
    for (int r = 0; r < model()->rowCount(); ++r) QCOMPARE(model()->candidate(r).word.size(), std::size_t{3});
  }

  void lettersNoWordFitsAreMarkedUntilUndone() {
    newLayout(3, 3);
    waitForRanking();
    QVERIFY(!anyMark());
    type(0, 0, "Q");
    QTRY_VERIFY(anyMark());
    // Row 1 and column 1 take no word; the corner where row 3 and column 3 meet does.
    QVERIFY(grid()->markedEdges(0, 0) & LayoutGridView::MarkLeft);
    QCOMPARE(grid()->markedEdges(2, 2), std::uint8_t{0});
    workflow_->undo();
    QTRY_VERIFY(!anyMark());
  }

  void onlyWhileTheLayoutCanBeEdited() {
    newLayout(3, 3);
    waitForRanking();
    page_->closeLayout();
    QTRY_COMPARE(model()->rowCount(), 0);
    QCOMPARE(panel()->statusText(), QString("No layout is open"));
  }
};

QTEST_MAIN(CandidatePanelTest)
#include "candidate_panel_test.moc"
