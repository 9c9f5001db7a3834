#include "authoring/gui/composing/layout_grid_view.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QWheelEvent>
#include <algorithm>

#include "authoring/gui/composing/composing_geometry.h"
#include "authoring/gui/composing/layout_grid_model.h"
#include "common/us_keyboard.h"

namespace gw::gui {

namespace {

// Red lines along the marked edges, inside the cell so that neighbours do not paint over them.
void paintMarkedEdges(QPainter& p, const QRect& r, std::uint8_t edges) {
  if (edges == 0) return;
  constexpr int kWidth = 3;
  const QColor red(220, 0, 0);
  if (edges & LayoutGridView::MarkTop) p.fillRect(r.left(), r.top(), r.width(), kWidth, red);
  if (edges & LayoutGridView::MarkBottom)
    p.fillRect(r.left(), r.bottom() - kWidth + 1, r.width(), kWidth, red);
  if (edges & LayoutGridView::MarkLeft) p.fillRect(r.left(), r.top(), kWidth, r.height(), red);
  if (edges & LayoutGridView::MarkRight) p.fillRect(r.right() - kWidth + 1, r.top(), kWidth, r.height(), red);
}

// Paints a cell: its colour, the letter centred (the author's fixed letters bold and black, a
// fill's letters regular and grey, so the two differ without colour), a hatch over the cells
// of a selection of more than one, and "*" at the top left of the current cell with a box
// around it when the view shows the focus mark.
class LayoutCellDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    const QRect r = option.rect;
    p->fillRect(r, index.data(Qt::BackgroundRole).value<QColor>());
    const bool fixed = index.data(LayoutGridModel::FixedLetterRole).toBool();
    QFont font = option.font;
    font.setBold(fixed);
    p->setFont(font);
    p->setPen(fixed ? QColor(Qt::black) : QColor(96, 96, 96));
    const QString letter = index.data(Qt::DisplayRole).toString();
    if (!letter.isEmpty()) p->drawText(r, Qt::AlignCenter, letter);
    const auto* view = qobject_cast<const LayoutGridView*>(option.widget);
    // A hatch, not only a tint: the selection shows on yellow, aqua and white alike.
    if (view && (option.state & QStyle::State_Selected) && view->selectsSeveralCells()) {
      p->fillRect(r, QColor(40, 80, 200, 60));
      p->fillRect(r, QBrush(QColor(40, 80, 200, 140), Qt::BDiagPattern));
    }
    if (view) paintMarkedEdges(*p, r, view->markedEdges(index.row(), index.column()));
    if (view && view->focusMarkShown() && view->currentIndex() == index) {
      p->setPen(Qt::black);
      p->setFont(option.font);
      p->drawText(r.adjusted(1, 0, 0, 0), Qt::AlignLeft | Qt::AlignTop, "*");
      p->setPen(QPen(QColor(200, 0, 0), 2));
      p->setBrush(Qt::NoBrush);
      p->drawRect(r.adjusted(1, 1, -1, -1));
    }
  }
};

}  // namespace

LayoutGridView::LayoutGridView(QWidget* parent) : QTableView(parent), cellSize_(kGridCellSize) {
  setObjectName("layoutGrid");
  setItemDelegate(new LayoutCellDelegate(this));
  horizontalHeader()->hide();
  verticalHeader()->hide();
  for (QHeaderView* h : {horizontalHeader(), verticalHeader()}) {
    h->setMinimumSectionSize(kGridPitch);
    h->setDefaultSectionSize(kGridPitch);
    h->setSectionResizeMode(QHeaderView::Fixed);
  }
  // The window grows to show the grid whole; only a zoomed grid larger than the screen scrolls.
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setShowGrid(true);
  setGridStyle(Qt::SolidLine);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setTabKeyNavigation(false);
  setFrameShape(QFrame::NoFrame);
  QFont font("Verdana");
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(kComposingFontPixels);
  setFont(font);
}

void LayoutGridView::setFocusMarkShown(bool shown) {
  if (shown == focusMarkShown_) return;
  focusMarkShown_ = shown;
  viewport()->update();
}

void LayoutGridView::setCellSize(int pixels) {
  if (pixels == cellSize_) return;
  cellSize_ = pixels;
  for (QHeaderView* h : {horizontalHeader(), verticalHeader()}) {
    h->setMinimumSectionSize(pixels + kGridLineWidth);
    h->setDefaultSectionSize(pixels + kGridLineWidth);
  }
  QFont f = font();
  f.setPixelSize(gridFontPixels(pixels));
  setFont(f);
  if (currentIndex().isValid()) scrollTo(currentIndex());
}

std::vector<gw::CellPos> LayoutGridView::selectedCells() const {
  std::vector<gw::CellPos> cells;
  if (selectionModel()) {
    for (const QModelIndex& i : selectionModel()->selectedIndexes()) cells.push_back({i.row(), i.column()});
  }
  if (cells.empty() && currentIndex().isValid())
    cells.push_back({currentIndex().row(), currentIndex().column()});
  std::sort(cells.begin(), cells.end());
  return cells;
}

void LayoutGridView::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) {
  QTableView::selectionChanged(selected, deselected);
  const bool several = selectionModel()->selectedIndexes().size() > 1;
  // A single cell is shown by the cursor box alone; the hatch comes and goes with a second one.
  if (several != severalSelected_) viewport()->update();
  severalSelected_ = several;
}

void LayoutGridView::wheelEvent(QWheelEvent* event) {
  if (!(event->modifiers() & Qt::ControlModifier)) return QTableView::wheelEvent(event);
  // Touchpads send fractions of a notch; they add up to whole steps.
  wheelPending_ += event->angleDelta().y();
  const int steps = wheelPending_ / 120;
  wheelPending_ -= steps * 120;
  if (steps != 0) Q_EMIT zoomRequested(steps);
  event->accept();
}

void LayoutGridView::moveCursorTo(int row, int column) {
  if (!model()) return;
  setCurrentIndex(model()->index(row, column));
}

void LayoutGridView::setMarkedEdges(std::vector<std::uint8_t> edges) {
  if (edges == markedEdges_) return;
  markedEdges_ = std::move(edges);
  viewport()->update();
}

std::uint8_t LayoutGridView::markedEdges(int row, int column) const {
  if (!model()) return 0;
  const std::size_t i = static_cast<std::size_t>(row) * model()->columnCount() + column;
  return i < markedEdges_.size() ? markedEdges_[i] : 0;
}

void LayoutGridView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  QTableView::currentChanged(current, previous);
  // The focus mark moves with the cursor.
  viewport()->update(visualRect(previous));
  viewport()->update(visualRect(current));
}

void LayoutGridView::keyPressEvent(QKeyEvent* event) {
  // Alt, Ctrl or Super with a key is a command, never a typed character.
  if (event->modifiers() & (Qt::AltModifier | Qt::ControlModifier | Qt::MetaModifier)) {
    QTableView::keyPressEvent(event);
    return;
  }
  // By key position where the key code is known (X11), else by the text the event carries.
  std::optional<char> ch;
  if (event->nativeScanCode() != 0)
    ch = gw::usCharacterForKey(event->nativeScanCode(), event->modifiers() & Qt::ShiftModifier);
  if (!ch && !event->text().isEmpty()) {
    const char16_t u = event->text().at(0).unicode();
    if (u >= 0x20 && u < 0x7f)
      ch = static_cast<char>(u);
    else if (u >= 0x80)
      ch = '\x7f';  // not a US key: never a letter
  }
  if (ch) {
    Q_EMIT characterTyped(*ch);
    event->accept();
    return;
  }
  QTableView::keyPressEvent(event);
}

void LayoutGridView::mouseDoubleClickEvent(QMouseEvent* event) {
  const QModelIndex index = indexAt(event->position().toPoint());
  if (index.isValid()) {
    setCurrentIndex(index);
    Q_EMIT cellDoubleClicked(index.row(), index.column());
  }
  event->accept();
}

}  // namespace gw::gui
