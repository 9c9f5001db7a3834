#include "solver/board_view.h"

#include <QAccessible>
#include <QMouseEvent>
#include <QPainter>

#include "common/codepage.h"
#include "common/language.h"
#include "solver/board_accessible.h"

namespace gw::cross {

namespace {

const QColor kYellow(255, 255, 0);
const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);

}  // namespace

BoardView::BoardView(QWidget* parent) : QWidget(parent) {
  BoardAccessible::installFactory();
  // With accessibility on, QWidget's constructor already made a plain widget's interface
  // for this object; it goes, so that the next query makes the board's table.
  if (QAccessible::isActive()) {
    QAccessibleInterface* early = QAccessible::queryAccessibleInterface(this);
    if (early && early->role() != QAccessible::Table)
      QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(early));
  }
  setObjectName("boardView");
  setMouseTracking(true);
  setCursor(Qt::CrossCursor);
  setFocusPolicy(Qt::NoFocus);
}

void BoardView::setBoard(const Board* board, std::vector<QImage> pictureImages) {
  board_ = board;
  pictureImages_ = std::move(pictureImages);
  update();
}

void BoardView::setMarkBadEntries(bool on) {
  markBadEntries_ = on;
  update();
}

void BoardView::setShowNumbers(bool on) {
  showNumbers_ = on;
  update();
}

QString BoardView::entryText(char byte) const {
  return QString::fromStdString(toUtf8(std::string(1, byte), boardCodePage(board_->language())));
}

QSize BoardView::boardSize() const {
  if (!board_) return {};
  return gui::boardPixelSize(board_->rows(), board_->columns(), cellSize_);
}

void BoardView::setCellSize(int size) {
  cellSize_ = size;
  update();
}

std::optional<CellPos> BoardView::cellAt(QPoint at) const {
  if (!board_) return std::nullopt;
  const auto cell = gui::cellAtPixel(at, board_->rows(), board_->columns(), cellSize_);
  if (!cell) return std::nullopt;
  return CellPos{cell->row, cell->column};
}

QString BoardView::clueAt(CellPos cell, Direction direction) const {
  if (!board_) return {};
  return QString::fromStdString(toUtf8(board_->clueAt(cell, direction), clueCodePage(board_->clueCharset())));
}

QRect BoardView::cellRect(CellPos cell) const {
  // Both of the cell's lines, as a screen reader outlines it.
  return gui::cellRect(cell.row, cell.column, cellSize_).adjusted(0, 0, 1, 1);
}

gui::BoardScene BoardView::scene() const {
  if (!board_) return gui::BoardScene(0, 0);
  const Board& b = *board_;
  gui::BoardScene scene(b.rows(), b.columns());
  scene.cellSize = cellSize_;
  scene.font = font();
  const QColor text = palette().color(QPalette::WindowText);
  for (int r = 0; r < b.rows(); ++r) {
    for (int c = 0; c < b.columns(); ++c) {
      gui::BoardScene::Cell& cell = scene.cell(r, c);
      cell.blank = b.isBlock(r, c);
      cell.text = entryText(b.entryAt(r, c));
      const bool marked = markBadEntries_ || b.isChecked(r, c);
      cell.textColour = !marked ? text : b.isEntryCorrect(r, c) ? kBlue : kRed;
      scene.topDotted[scene.index(r, c)] = b.isTopEdgeMarked(r, c);
      scene.leftDotted[scene.index(r, c)] = b.isLeftEdgeMarked(r, c);
    }
  }
  if (showNumbers_) scene.numbers = b.numbering().cellNumbers;
  // The word being typed, under the cursor's yellow.
  const std::vector<CellPos> word = b.cellsOf(b.currentWord());
  if (!word.empty()) {
    scene.highlighted.assign(scene.cells.size(), false);
    for (CellPos c : word) scene.highlighted[scene.index(c.row, c.column)] = true;
  }
  const std::vector<Picture>& pictures = b.pictures();
  for (std::size_t i = 0; i < pictures.size(); ++i) {
    const Picture& p = pictures[i];
    scene.pictures.push_back(
        {p.row, p.column, p.height, p.width, i < pictureImages_.size() ? pictureImages_[i] : QImage()});
  }
  if (b.rows() > 0 && b.columns() > 0)
    scene.cursor = gui::BoardScene::Cursor{{b.current().row, b.current().column}, kYellow, kRed};
  return scene;
}

void BoardView::paintEvent(QPaintEvent*) {
  if (!board_) return;
  QPainter p(this);
  gui::paintBoard(p, scene());
}

void BoardView::mousePressEvent(QMouseEvent* e) {
  if (!board_) return;
  std::optional<CellPos> cell = cellAt(e->position().toPoint());
  if (!cell || board_->isUnderPicture(cell->row, cell->column)) return;
  emit cellClicked(*cell);
}

void BoardView::mouseMoveEvent(QMouseEvent* e) {
  std::optional<CellPos> cell = cellAt(e->position().toPoint());
  bool blocked = cell && board_->isUnderPicture(cell->row, cell->column);
  setCursor(blocked ? Qt::ForbiddenCursor : Qt::CrossCursor);
}

}  // namespace gw::cross
