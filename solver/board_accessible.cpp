#include "solver/board_accessible.h"

#include "solver/board_view.h"

namespace gw::cross {

using gw::Direction;

namespace {

// One cell of the board; it reads the view's board each time, so a new crossword needs no rebuild.
class CellAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface {
 public:
  CellAccessible(const BoardAccessible* table, int row, int column)
      : table_(table), view_(table->view()), row_(row), column_(column) {}

  bool isValid() const override {
    const Board* b = view_ ? view_->board() : nullptr;
    return b && row_ < b->rows() && column_ < b->columns();
  }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return table_->window(); }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QAccessibleInterface* parent() const override { return const_cast<BoardAccessible*>(table_); }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  void setText(QAccessible::Text, const QString&) override {}
  QAccessible::Role role() const override { return QAccessible::Cell; }
  void* interface_cast(QAccessible::InterfaceType t) override {
    return t == QAccessible::TableCellInterface ? static_cast<QAccessibleTableCellInterface*>(this) : nullptr;
  }

  QString text(QAccessible::Text t) const override {
    if (!isValid()) return {};
    const Board& b = *view_->board();
    if (t == QAccessible::Name) {
      QString where = QString("Row %1, column %2").arg(row_ + 1).arg(column_ + 1);
      if (b.isUnderPicture(row_, column_)) return where + ", picture";
      if (b.isBlock(row_, column_)) return where + ", block";
      QString letter = view_->letterAt({row_, column_}).trimmed();
      return where + (letter.isEmpty() ? ", empty" : ", " + letter);
    }
    if (t == QAccessible::Description) {
      QStringList clues;
      QString across = view_->clueAt({row_, column_}, Direction::Across);
      QString down = view_->clueAt({row_, column_}, Direction::Down);
      if (!across.isEmpty()) clues << "Across: " + across;
      if (!down.isEmpty()) clues << "Down: " + down;
      return clues.join("; ");
    }
    if (t == QAccessible::Value) return isValid() ? view_->letterAt({row_, column_}).trimmed() : QString();
    return {};
  }

  QRect rect() const override {
    if (!isValid()) return {};
    QRect r = view_->cellRect({row_, column_});
    return QRect(view_->mapToGlobal(r.topLeft()), r.size());
  }

  QAccessible::State state() const override {
    QAccessible::State s;
    if (!isValid()) {
      s.invalid = true;
      return s;
    }
    const Board& b = *view_->board();
    s.focusable = !b.isBlock(row_, column_) && !b.isUnderPicture(row_, column_);
    s.selectable = s.focusable;
    s.focused = s.selected = b.current() == CellPos{row_, column_};
    s.readOnly = true;  // typed into through the board, never edited as text
    return s;
  }

  // QAccessibleTableCellInterface
  bool isSelected() const override { return state().selected; }
  QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
  QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
  int columnIndex() const override { return column_; }
  int rowIndex() const override { return row_; }
  int columnExtent() const override { return 1; }
  int rowExtent() const override { return 1; }
  QAccessibleInterface* table() const override { return parent(); }

 private:
  const BoardAccessible* table_;
  QPointer<BoardView> view_;
  int row_;
  int column_;
};

QAccessibleInterface* boardFactory(const QString& className, QObject* object) {
  if (className == QLatin1String(BoardView::staticMetaObject.className()) && object && object->isWidgetType())
    return new BoardAccessible(static_cast<BoardView*>(object));
  return nullptr;
}

}  // namespace

BoardAccessible::BoardAccessible(BoardView* view) : QAccessibleWidget(view, QAccessible::Table) {}

BoardAccessible::~BoardAccessible() {
  for (QAccessible::Id id : std::as_const(cells_)) QAccessible::deleteAccessibleInterface(id);
}

void BoardAccessible::installFactory() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  QAccessible::installFactory(boardFactory);
}

void BoardAccessible::notifyCursorMoved(BoardView* view) {
  if (!QAccessible::isActive() || !view->board()) return;
  const Board& b = *view->board();
  QAccessibleEvent focus(view, QAccessible::Focus);
  focus.setChild(b.current().row * b.columns() + b.current().column);
  QAccessible::updateAccessibility(&focus);
}

BoardView* BoardAccessible::view() const { return static_cast<BoardView*>(widget()); }

void* BoardAccessible::interface_cast(QAccessible::InterfaceType t) {
  if (t == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
  return QAccessibleWidget::interface_cast(t);
}

QString BoardAccessible::text(QAccessible::Text t) const {
  if (t == QAccessible::Name) return "Crossword";
  if (t == QAccessible::Description) return QString("%1 rows, %2 columns").arg(rowCount()).arg(columnCount());
  return QAccessibleWidget::text(t);
}

int BoardAccessible::rowCount() const { return view()->board() ? view()->board()->rows() : 0; }
int BoardAccessible::columnCount() const { return view()->board() ? view()->board()->columns() : 0; }
int BoardAccessible::childCount() const { return rowCount() * columnCount(); }

QAccessibleInterface* BoardAccessible::cellInterface(int row, int column) const {
  if (row < 0 || column < 0 || row >= rowCount() || column >= columnCount()) return nullptr;
  int index = row * columnCount() + column;
  auto it = cells_.constFind(index);
  if (it != cells_.constEnd()) {
    QAccessibleInterface* cached = QAccessible::accessibleInterface(*it);
    auto* cell = cached ? dynamic_cast<CellAccessible*>(cached) : nullptr;
    if (cell && cell->rowIndex() == row && cell->columnIndex() == column) return cached;
  }
  auto* cell = new CellAccessible(this, row, column);
  cells_.insert(index, QAccessible::registerAccessibleInterface(cell));
  return cell;
}

QAccessibleInterface* BoardAccessible::child(int index) const {
  int columns = columnCount();
  if (columns == 0 || index < 0 || index >= childCount()) return nullptr;
  return cellInterface(index / columns, index % columns);
}

int BoardAccessible::indexOfChild(const QAccessibleInterface* child) const {
  const auto* cell = child ? dynamic_cast<const CellAccessible*>(child) : nullptr;
  if (!cell || cell->parent() != this) return -1;
  return cell->rowIndex() * columnCount() + cell->columnIndex();
}

QAccessibleInterface* BoardAccessible::childAt(int x, int y) const {
  std::optional<CellPos> cell = view()->cellAt(view()->mapFromGlobal(QPoint(x, y)));
  return cell ? cellInterface(cell->row, cell->column) : nullptr;
}

QAccessibleInterface* BoardAccessible::focusChild() const {
  const Board* b = view()->board();
  if (!b || b->rows() == 0 || b->columns() == 0) return nullptr;
  return cellInterface(b->current().row, b->current().column);
}

QList<QAccessibleInterface*> BoardAccessible::selectedCells() const {
  QAccessibleInterface* f = focusChild();
  return f ? QList<QAccessibleInterface*>{f} : QList<QAccessibleInterface*>{};
}

QString BoardAccessible::columnDescription(int column) const { return QString("Column %1").arg(column + 1); }
QString BoardAccessible::rowDescription(int row) const { return QString("Row %1").arg(row + 1); }

}  // namespace gw::cross
