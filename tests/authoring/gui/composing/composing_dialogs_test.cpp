// The new layout dialog and the word order dialog, driven as the author drives them.
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>

#include "authoring/gui/composing/word_order_dialog.h"
#include "authoring/gui/dialogs/new_crossword_dialog.h"

using namespace gw;
using namespace gw::gui;

namespace {

Slot slot(int length, int row, int column, Direction d) {
  Slot s;
  s.length = static_cast<std::int8_t>(length);
  s.row = static_cast<std::uint8_t>(row);
  s.column = static_cast<std::uint8_t>(column);
  s.direction = d;
  return s;
}

std::vector<Slot> fiveSlots() {
  return {slot(3, 0, 1, Direction::Across), slot(4, 1, 0, Direction::Across),
          slot(4, 2, 0, Direction::Across), slot(3, 0, 1, Direction::Down), slot(12, 0, 2, Direction::Down)};
}

}  // namespace

class ComposingDialogsTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void newLayoutDefaultsToFourByFourEnglish() {
    NewCrosswordDialog dialog;
    QCOMPARE(dialog.windowTitle(), QString("Crossword Layout"));
    QCOMPARE(dialog.columnCount(), 4);
    QCOMPARE(dialog.rowCount(), 4);
    QCOMPARE(dialog.language(), Language::English);
    QCOMPARE(dialog.clueCharset(), ClueCharset::Ansi);
  }

  void rowsGiveRowsAndColumnsColumns() {
    NewCrosswordDialog dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto* across = dialog.findChild<QSpinBox*>("columnsSpinBox");
    auto* down = dialog.findChild<QSpinBox*>("rowsSpinBox");
    QVERIFY(across && down);
    typeInto(across, "10");
    typeInto(down, "15");
    auto* language = dialog.findChild<QComboBox*>("languageComboBox");
    language->setCurrentIndex(2);
    QTest::mouseClick(dialog.findChild<QPushButton*>("okButton"), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.columnCount(), 10);
    QCOMPARE(dialog.rowCount(), 15);
    QCOMPARE(dialog.language(), Language::Serbian);
  }

  void spinsStayInTheirRangesAndTheBoardsLimit() {
    NewCrosswordDialog dialog;
    dialog.setMaximumRowCount(41);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto* across = dialog.findChild<QSpinBox*>("columnsSpinBox");
    auto* down = dialog.findChild<QSpinBox*>("rowsSpinBox");
    typeInto(across, "99");
    QVERIFY(dialog.columnCount() <= 40);
    for (int i = 0; i < 6; ++i) QTest::keyClick(across, Qt::Key_PageUp);
    for (int i = 0; i < 6; ++i) QTest::keyClick(down, Qt::Key_PageUp);
    QCOMPARE(dialog.columnCount(), 40);
    QCOMPARE(dialog.rowCount(), 41);  // the composing board holds 41 rows
    typeInto(across, "1");
    QCOMPARE(dialog.columnCount(), 2);
  }

  void labelAcceleratorsReachTheirFieldsAndCancelKeepsNothing() {
    NewCrosswordDialog dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    dialog.activateWindow();
    QTest::keyClick(&dialog, Qt::Key_L, Qt::AltModifier);
    QCOMPARE(QApplication::focusWidget(), dialog.findChild<QComboBox*>("languageComboBox"));
    QTest::keyClick(&dialog, Qt::Key_C, Qt::AltModifier);
    QCOMPARE(QApplication::focusWidget(), dialog.findChild<QSpinBox*>("columnsSpinBox"));
    QTest::mouseClick(dialog.findChild<QPushButton*>("cancelButton"), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
  }

  void wordOrderNamesEachSlotAsAPrintedCrosswordWould() {
    WordOrderDialog dialog(3, 11, fiveSlots());
    QCOMPARE(dialog.windowTitle(), QString("Sort-order of words"));
    auto* list = dialog.findChild<QListWidget*>("orderList");
    QCOMPARE(list->count(), 5);
    // Numbered row by row: (0, 1) is 1 across and down, (0, 2) 2, (1, 0) 3, (2, 0) 4.
    QCOMPARE(list->item(0)->text(), QString("  1  1 Across, row 1 column 2, 3 letters"));
    QCOMPARE(list->item(2)->text(), QString("  3  4 Across, row 3 column 1, 4 letters"));
    QCOMPARE(list->item(3)->text(), QString("  4  1 Down, row 1 column 2, 3 letters"));
    QCOMPARE(list->item(4)->text(), QString("  5  2 Down, row 1 column 3, 12 letters"));
    QCOMPARE(slotName({1, 4, 4, Direction::Across, 1, 0}), QString("Across, row 5 column 5, 1 letter"));
    QCOMPARE(dialog.selectedIndex(), 0);
    QVERIFY(!dialog.findChild<QAction*>("upAction")->isEnabled());
    QVERIFY(dialog.findChild<QAction*>("downAction")->isEnabled());
  }

  void movingTheLastSlotToTheTopReordersTheGivenPositions() {
    WordOrderDialog dialog(3, 11, fiveSlots());
    dialog.show();
    auto* list = dialog.findChild<QListWidget*>("orderList");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(4)).center());
    QCOMPARE(dialog.selectedIndex(), 4);
    auto* up = dialog.findChild<QAction*>("upAction");
    QVERIFY(!dialog.findChild<QAction*>("downAction")->isEnabled());
    for (int i = 0; i < 4; ++i) up->trigger();
    QCOMPARE(dialog.selectedIndex(), 0);
    QVERIFY(!up->isEnabled());
    QCOMPARE(dialog.givenPositions(), (std::vector<int>{5, 1, 2, 3, 4}));
    // The names move with their slots; the positions stay.
    QCOMPARE(list->item(0)->text(), QString("  1  2 Down, row 1 column 3, 12 letters"));
    QCOMPARE(list->item(4)->text(), QString("  5  1 Down, row 1 column 2, 3 letters"));
    dialog.findChild<QAction*>("downAction")->trigger();
    QCOMPARE(dialog.givenPositions(), (std::vector<int>{1, 5, 2, 3, 4}));
    QTest::mouseClick(dialog.findChild<QPushButton*>("okButton"), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
  }

  void oneSlotAllowsNeitherMove() {
    WordOrderDialog dialog(1, 1, {slot(2, 0, 0, Direction::Across)});
    QVERIFY(!dialog.findChild<QAction*>("upAction")->isEnabled());
    QVERIFY(!dialog.findChild<QAction*>("downAction")->isEnabled());
    QCOMPARE(dialog.givenPositions(), std::vector<int>{1});
  }

  void miniatureMarksTheSelectedSlotAndGraysTheOnesBefore() {
    WordOrderDialog dialog(3, 3, fiveSlots());
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto* miniature = dialog.findChild<QWidget*>("wordOrderMiniature");
    const int cell = dialog.miniatureCellSize();
    QVERIFY(cell >= 10);
    // A point near the top left corner of cell (row, column), clear of the marks.
    auto colourAt = [&](int row, int column) {
      return miniature->grab().toImage().pixelColor(column * cell + 1, row * cell + 1);
    };
    // First entry selected: every slot white, the first (across at row 0, columns 1-3) red.
    QCOMPARE(colourAt(0, 3), QColor(Qt::white));
    QCOMPARE(colourAt(0, 0), QColor(Qt::black));  // no slot covers column 0 of row 0
    dialog.findChild<QListWidget*>("orderList")->setCurrentRow(2);
    // Entries 0 and 1 are filled before the selected one: silver where no mark is drawn.
    QCOMPARE(colourAt(0, 3), QColor(192, 192, 192));
    QCOMPARE(colourAt(1, 3), QColor(192, 192, 192));
    QCOMPARE(colourAt(2, 3), QColor(Qt::white));
    // Silver lies over the white of later slots where they cross (row 0, column 1).
    QCOMPARE(colourAt(0, 1), QColor(192, 192, 192));
  }

  void wordOrderDialogShowsTheWholeBoardAndGrowsWithTheWindow() {
    QCOMPARE(wordOrderDialogSize(2, 2), QSize(480, 400));
    const QSize big = wordOrderDialogSize(40, 40);
    QVERIFY(big.width() >= 41 * 16 && big.height() >= 41 * 16);
    QCOMPARE(miniatureRect({12, 0, 2, Direction::Down, 5}), QRect(20, 0, 10, 120));
    QCOMPARE(miniatureRect({3, 1, 0, Direction::Across, 1}, 20), QRect(0, 20, 60, 20));

    WordOrderDialog dialog(14, 14, fiveSlots());
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QVERIFY(dialog.width() >= 480 && dialog.height() >= 400);
    const int before = dialog.miniatureCellSize();
    dialog.resize(dialog.width() + 300, dialog.height() + 300);
    QTRY_VERIFY(dialog.miniatureCellSize() > before);
  }

 private:
  static void typeInto(QSpinBox* spin, const QString& text) {
    spin->setFocus();
    spin->selectAll();
    QTest::keyClicks(spin, text);
    QTest::keyClick(spin, Qt::Key_Tab);
    spin->interpretText();
  }
};

QTEST_MAIN(ComposingDialogsTest)
#include "composing_dialogs_test.moc"
