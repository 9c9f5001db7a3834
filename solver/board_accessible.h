#pragma once
// The board for assistive technology: a table whose cells tell their row, column, letter,
// whether they are blocks or under a picture, and their across and down clues; the cursor
// is the focused cell. Qt hands it to AT-SPI on Linux.
#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>

namespace gw::cross {

class BoardView;

class BoardAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
 public:
  explicit BoardAccessible(BoardView* view);
  ~BoardAccessible() override;

  // Installed once: every BoardView gets this interface.
  static void installFactory();
  // Tells assistive technology that the cursor moved to `index` (row * columns + column).
  static void notifyCursorMoved(BoardView* view);

  BoardView* view() const;
  QAccessibleInterface* cellInterface(int row, int column) const;

  // QAccessibleInterface
  void* interface_cast(QAccessible::InterfaceType t) override;
  QAccessible::Role role() const override { return QAccessible::Table; }
  QString text(QAccessible::Text t) const override;
  int childCount() const override;
  QAccessibleInterface* child(int index) const override;
  int indexOfChild(const QAccessibleInterface* child) const override;
  QAccessibleInterface* childAt(int x, int y) const override;
  QAccessibleInterface* focusChild() const override;

  // QAccessibleTableInterface
  QAccessibleInterface* caption() const override { return nullptr; }
  QAccessibleInterface* summary() const override { return nullptr; }
  QAccessibleInterface* cellAt(int row, int column) const override { return cellInterface(row, column); }
  int selectedCellCount() const override { return focusChild() ? 1 : 0; }
  QList<QAccessibleInterface*> selectedCells() const override;
  QString columnDescription(int column) const override;
  QString rowDescription(int row) const override;
  int selectedColumnCount() const override { return 0; }
  int selectedRowCount() const override { return 0; }
  int columnCount() const override;
  int rowCount() const override;
  QList<int> selectedColumns() const override { return {}; }
  QList<int> selectedRows() const override { return {}; }
  bool isColumnSelected(int) const override { return false; }
  bool isRowSelected(int) const override { return false; }
  bool selectRow(int) override { return false; }
  bool selectColumn(int) override { return false; }
  bool unselectRow(int) override { return false; }
  bool unselectColumn(int) override { return false; }
  void modelChange(QAccessibleTableModelChangeEvent*) override {}

 private:
  mutable QHash<int, QAccessible::Id> cells_;  // by row * columns + column
};

}  // namespace gw::cross
