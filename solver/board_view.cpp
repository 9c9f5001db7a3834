#include "solver/board_view.h"

#include <QAccessible>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "common/codepage.h"
#include "common/language.h"
#include "solver/board_accessible.h"

using gw::cross::Board;
using gw::cross::Cell;

namespace {

const QColor kNavy(0, 0, 128);
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

QString BoardView::entryText(char byte) const {
  return QString::fromStdString(gw::toUtf8(std::string(1, byte), gw::boardCodePage(board_->language())));
}

QSize BoardView::boardSize() const {
  if (!board_) return {};
  return {board_->columns() * cellSize_ + 2, board_->rows() * cellSize_ + 2};
}

void BoardView::setCellSize(int size) {
  cellSize_ = size;
  update();
}

std::optional<Cell> BoardView::cellAt(QPoint at) const {
  if (!board_) return std::nullopt;
  int column = (at.x() - 1) / cellSize_;  // truncated toward zero: x = 0 is column 0
  int row = (at.y() - 1) / cellSize_;
  if (column < 0 || row < 0 || column >= board_->columns() || row >= board_->rows()) return std::nullopt;
  return Cell{row, column};
}

QString BoardView::clueAt(Cell cell, gw::Direction direction) const {
  if (!board_) return {};
  return QString::fromStdString(
      gw::toUtf8(board_->clueAt(cell, direction), gw::clueCodePage(board_->clueCharset())));
}

QRect BoardView::cellRect(Cell cell) const {
  return QRect(cell.column * cellSize_ + 1, cell.row * cellSize_ + 1, cellSize_ + 1, cellSize_ + 1);
}

int BoardView::lineAt(int i, double ratio) const {
  return static_cast<int>(std::lround((i * cellSize_ + 1) * ratio));
}

// Everything is drawn in whole device pixels: lines are as many device pixels wide as one
// logical pixel rounds to, every cell starts on a whole pixel, and segments overlap at the
// crossings, so no scale factor leaves gaps or blurs the grid; dots are one logical pixel.
void BoardView::paintEvent(QPaintEvent*) {
  if (!board_) return;
  QPainter p(this);
  paintBoard(p, devicePixelRatioF());
}

void BoardView::paintBoard(QPainter& p, double ratio) {
  p.setWorldTransform(QTransform::fromScale(1 / ratio, 1 / ratio));
  const Board& b = *board_;
  const int rows = b.rows(), columns = b.columns();
  const int line = std::max(1, static_cast<int>(std::lround(ratio)));
  // The far border lines stay inside the device pixels the widget has.
  const QSize size = boardSize();
  const int lastX = static_cast<int>(size.width() * ratio) - line;
  const int lastY = static_cast<int>(size.height() * ratio) - line;
  auto x = [&](int c) { return std::min(lineAt(c, ratio), lastX); };
  auto y = [&](int r) { return std::min(lineAt(r, ratio), lastY); };
  // The inside of cells [c0, c1) × [r0, r1), between their lines.
  auto inside = [&](int r0, int c0, int r1, int c1) {
    return QRect(QPoint(x(c0) + line, y(r0) + line), QPoint(x(c1) - 1, y(r1) - 1));
  };
  auto frame = [&](const QRect& r, const QColor& fill) {
    p.fillRect(r.adjusted(-line, -line, line, line), kNavy);
    p.fillRect(r, fill);
  };

  frame(inside(0, 0, rows, columns), Qt::white);
  const int dot = line;
  const int dotStep = std::max(2 * dot, static_cast<int>(std::lround(2 * ratio)));
  auto horizontal = [&](int r, int c, bool dotted) {
    int from = x(c), to = x(c + 1) + line;
    if (!dotted) return p.fillRect(from, y(r), to - from, line, kNavy);
    // The crossings at both ends stay solid; only the run between them is dotted.
    p.fillRect(from + line, y(r), to - from - 2 * line, line, Qt::white);
    for (int at = from; at < to; at += dotStep) p.fillRect(at, y(r), std::min(dot, to - at), line, kNavy);
    p.fillRect(to - line, y(r), line, line, kNavy);
  };
  auto vertical = [&](int r, int c, bool dotted) {
    int from = y(r), to = y(r + 1) + line;
    if (!dotted) return p.fillRect(x(c), from, line, to - from, kNavy);
    p.fillRect(x(c), from + line, line, to - from - 2 * line, Qt::white);
    for (int at = from; at < to; at += dotStep) p.fillRect(x(c), at, line, std::min(dot, to - at), kNavy);
    p.fillRect(x(c), to - line, line, line, kNavy);
  };
  for (int c = 0; c < columns; ++c) {
    for (int r = 0; r < rows; ++r) {
      if (r > 0) horizontal(r, c, b.isTopEdgeMarked(r, c));
      if (c > 0) vertical(r, c, b.isLeftEdgeMarked(r, c));
    }
  }

  QFont letterFont = font();
  letterFont.setPixelSize(std::max(1, static_cast<int>(std::lround(cellSize_ * 0.55 * ratio))));
  p.setFont(letterFont);
  auto entryColour = [&](int r, int c) {
    if (!markBadEntries_) return palette().color(QPalette::WindowText);
    return b.isEntryCorrect(r, c) ? kBlue : kRed;
  };
  auto drawEntry = [&](int r, int c) {
    p.setPen(entryColour(r, c));
    QRect cell = inside(r, c, r + 1, c + 1);
    int left = static_cast<int>(std::lround(cellSize_ * 0.15 * ratio));
    p.drawText(cell.adjusted(left, line, 0, 0), Qt::AlignLeft | Qt::AlignTop, entryText(b.entryAt(r, c)));
  };
  for (int c = 0; c < columns; ++c) {
    for (int r = 0; r < rows; ++r) {
      if (b.isBlock(r, c)) {
        p.fillRect(inside(r, c, r + 1, c + 1).adjusted(line, line, -line, -line), kNavy);
      } else {
        drawEntry(r, c);
      }
    }
  }

  // The cursor box goes under the pictures: on a board without a letter cell it may
  // stand on a picture's cell, and the picture covers it there.
  const bool hasCursor = rows > 0 && columns > 0;
  const Cell cur = b.current();
  const bool cursorOnBlock = hasCursor && b.isBlock(cur.row, cur.column);
  if (hasCursor) {
    QRect box = inside(cur.row, cur.column, cur.row + 1, cur.column + 1);
    p.fillRect(box, kNavy);
    p.fillRect(box.adjusted(line, line, -line, -line), cursorOnBlock ? kRed : kYellow);
  }

  const std::vector<gw::Picture>& pictures = b.pictures();
  for (std::size_t i = 0; i < pictures.size(); ++i) {
    const gw::Picture& pic = pictures[i];
    QRect area = inside(pic.row, pic.column, pic.row + pic.height, pic.column + pic.width);
    frame(area, Qt::white);
    if (i < pictureImages_.size() && !pictureImages_[i].isNull()) p.drawImage(area, pictureImages_[i]);
  }

  if (hasCursor && !cursorOnBlock) drawEntry(cur.row, cur.column);
}

void BoardView::mousePressEvent(QMouseEvent* e) {
  if (!board_) return;
  std::optional<Cell> cell = cellAt(e->position().toPoint());
  if (!cell || board_->isUnderPicture(cell->row, cell->column)) return;
  emit cellClicked(*cell);
}

void BoardView::mouseMoveEvent(QMouseEvent* e) {
  std::optional<Cell> cell = cellAt(e->position().toPoint());
  bool blocked = cell && board_->isUnderPicture(cell->row, cell->column);
  setCursor(blocked ? Qt::ForbiddenCursor : Qt::CrossCursor);
}
