// The composing page driven as the author drives it: keys and clicks into the grid, the
// page's commands, and the files and results it leaves behind.
#include <QAbstractItemModelTester>
#include <QAction>
#include <QLineEdit>
#include <QMainWindow>
#include <QToolBar>
#include <QtTest>
#include <memory>

#include "authoring/composing/dictionary/dictionary.h"
#include "authoring/composing/layout/composing_files.h"
#include "authoring/gui/composing/compose_controller.h"
#include "authoring/gui/composing/composing_geometry.h"
#include "authoring/gui/composing/composing_page.h"
#include "authoring/gui/composing/grid_typing.h"
#include "authoring/gui/composing/layout_grid_view.h"
#include "composing_test_support.h"

using namespace gw;
using namespace gw::gui;
using namespace gw::gui::testing;

class ComposingPageTest : public ComposingPageTestBase {
  Q_OBJECT

  QLineEdit* otherField_ = nullptr;
  void clickCell(int row, int column) { grid()->moveCursorTo(row, column); }
  void doubleClickCell(int row, int column) {
    QPoint at = grid()->visualRect(grid()->model()->index(row, column)).center();
    QTest::mouseDClick(grid()->viewport(), Qt::LeftButton, {}, at);
  }
  CellPos cursor() { return {grid()->currentIndex().row(), grid()->currentIndex().column()}; }

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
    QCOMPARE(cursor(), (CellPos{0, 0}));
    QTest::keyClicks(grid(), "q");
    QCOMPARE(cell(0, 0), 'Q');
    QCOMPARE(cursor(), (CellPos{0, 1}));
    QTest::keyClicks(grid(), "1;/");
    QCOMPARE(cell(0, 1), '.');
    QCOMPARE(cursor(), (CellPos{0, 1}));
    clickCell(2, 5);
    QTest::keyClicks(grid(), "x");
    QCOMPARE(cell(2, 5), 'X');
    QCOMPARE(cursor(), (CellPos{3, 5}));
    clickCell(5, 5);
    QTest::keyClicks(grid(), "Z");
    QCOMPARE(cell(5, 5), 'Z');
    QCOMPARE(cursor(), (CellPos{0, 0}));
    QCOMPARE(grid()->model()->index(5, 5).data().toString(), QString("Z"));
  }

  void germanTakesOnlyAToZ() {
    newLayout(4, 4, Language::German);
    QTest::sendKeyEvent(QTest::Click, grid(), Qt::Key_Udiaeresis, QString::fromUtf8("ü"), Qt::NoModifier);
    QTest::keyClicks(grid(), "y");
    QCOMPARE(cell(0, 0), 'Y');
    QCOMPARE(cursor(), (CellPos{0, 1}));
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
    // Space moves on as a letter does, from the last column to the next row.
    QCOMPARE(cursor(), (CellPos{1, 2}));
    clickCell(1, 3);
    QTest::keyClick(grid(), Qt::Key_Space);
    QCOMPARE(cursor(), (CellPos{2, 3}));
    clickCell(1, 1);
    QTest::keyClick(grid(), Qt::Key_Delete);
    QCOMPARE(cell(1, 1), '.');
    otherField_->setFocus();
    QTest::keyClick(otherField_, Qt::Key_Space);
    QCOMPARE(cell(1, 1), '.');
    QCOMPARE(otherField_->text(), QString(" "));
  }

  void cellsZoomAndDragOrShiftClickSelects() {
    newLayout(5, 5);
    const int normal = grid()->visualRect(grid()->model()->index(0, 0)).width();
    QTest::keyClick(grid(), Qt::Key_Plus, Qt::ControlModifier);
    QTest::keyClick(grid(), Qt::Key_Equal, Qt::ControlModifier);
    QCOMPARE(page_->viewSettings().cellSize, zoomedCellSize(kGridCellSize, 2));
    QVERIFY(grid()->visualRect(grid()->model()->index(0, 0)).width() > normal);
    QWheelEvent wheel(QPointF(5, 5), grid()->viewport()->mapToGlobal(QPointF(5, 5)), {}, {0, -240},
                      Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(grid()->viewport(), &wheel);
    QCOMPARE(page_->viewSettings().cellSize, kGridCellSize);
    QTest::keyClick(grid(), Qt::Key_Minus, Qt::ControlModifier);
    QTest::keyClick(grid(), Qt::Key_0, Qt::ControlModifier);
    QCOMPARE(grid()->visualRect(grid()->model()->index(0, 0)).width(), normal);

    auto centre = [&](int row, int column) {
      return grid()->visualRect(grid()->model()->index(row, column)).center();
    };
    QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, centre(1, 1));
    QTest::mouseClick(grid()->viewport(), Qt::LeftButton, Qt::ShiftModifier, centre(2, 3));
    QCOMPARE(grid()->selectedCells(), (std::vector<CellPos>{{1, 1}, {1, 2}, {1, 3}, {2, 1}, {2, 2}, {2, 3}}));
    // Typing still goes to the current cell alone.
    QTest::keyClicks(grid(), "q");
    QCOMPARE(cell(2, 3), 'Q');
    QCOMPARE(cell(1, 1), '.');
  }

  void actionsFollowTheStateWithoutAnIdlePass() {
    auto enabled = [&](const char* name) { return action(name)->isEnabled(); };
    QVERIFY(!enabled("startComposeAction") && !enabled("setIsleAction"));
    newLayout(4, 4);
    QVERIFY(enabled("startComposeAction") && enabled("setIsleAction") && !enabled("clearFieldAction"));
    QTest::keyClick(grid(), Qt::Key_Space);  // the cursor moves on to an empty cell
    QVERIFY(enabled("setIsleAction") && !enabled("clearFieldAction"));
    QTest::keyClick(grid(), Qt::Key_Left);
    QVERIFY(!enabled("setIsleAction") && enabled("clearFieldAction"));
    page_->updateActions(false);  // another page in front
    QVERIFY(!enabled("newLayoutAction") && enabled("startComposeAction"));
  }

  void aRunningSearchTakesNoKeysAndHidesTheMark() {
    program_->writeWords("EN.words", someWords("ABCDE", 6, 0.05, 3));
    newLayout(6, 6);
    startAs("locked.C_WM");
    QVERIFY(page_->isComposing());
    QVERIFY(!grid()->focusMarkShown());
    QVERIFY(action("stopComposeAction")->isEnabled() && !action("newLayoutAction")->isEnabled());
    const Layout before = session().layout();
    QTest::keyClicks(grid(), "abc");
    doubleClickCell(2, 2);
    QTest::keyClick(grid(), Qt::Key_Space);
    QVERIFY(session().layout() == before);
    action("stopComposeAction")->trigger();
    QVERIFY(grid()->focusMarkShown());
    QVERIFY(action("startComposeAction")->isEnabled());
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

  void failuresReachTheAuthor() {
    newLayout(3, 8);
    action("changeStatusAction")->trigger();
    QCOMPARE(answers_->shown(), QStringList{"Define crossword pattern first!"});
  }
};

QTEST_MAIN(ComposingPageTest)
#include "composing_page_test.moc"
