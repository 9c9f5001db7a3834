#include "solver/board_view.h"

#include <QMouseEvent>
#include <QPainter>

#include "common/codepage.h"
#include "common/language.h"

using gw::cross::Board;
using gw::cross::Cell;
using gw::cross::kCellPitch;

namespace {

const QColor kNavy(0, 0, 128);
const QColor kYellow(255, 255, 0);
const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);

}  // namespace

BoardView::BoardView(QWidget* parent) : QWidget(parent) {
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

void BoardView::paintEvent(QPaintEvent*) {
  if (!board_) return;
  QPainter p(this);
  const Board& b = *board_;
  const int rows = b.rows(), columns = b.columns();
  QPen solid(kNavy, 0);
  QPen dotted(kNavy, 0, Qt::CustomDashLine);
  dotted.setDashPattern({1, 1});

  p.setPen(solid);
  p.setBrush(Qt::white);
  p.drawRect(1, 1, columns * kCellPitch, rows * kCellPitch);

  for (int c = 0; c < columns; ++c) {
    for (int r = 0; r < rows; ++r) {
      int x = c * kCellPitch + 1, y = r * kCellPitch + 1;
      p.setPen(b.isTopEdgeMarked(r, c) ? dotted : solid);
      p.drawLine(x, y, x + 19, y);
      p.setPen(b.isLeftEdgeMarked(r, c) ? dotted : solid);
      p.drawLine(x, y, x, y + 19);
    }
  }

  p.setFont(font());
  auto entryColour = [&](int r, int c) {
    if (!markBadEntries_) return palette().color(QPalette::WindowText);
    return b.isEntryCorrect(r, c) ? kBlue : kRed;
  };
  auto drawEntry = [&](int r, int c) {
    p.setPen(entryColour(r, c));
    p.drawText(QRect(c * kCellPitch + 5, r * kCellPitch + 3, 15, 17), Qt::AlignLeft | Qt::AlignTop,
               entryText(b.entryAt(r, c)));
  };
  for (int c = 0; c < columns; ++c) {
    for (int r = 0; r < rows; ++r) {
      if (b.isBlock(r, c)) {
        p.fillRect(c * kCellPitch + 3, r * kCellPitch + 3, 17, 17, kNavy);
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
    p.setPen(solid);
    p.setBrush(cursorOnBlock ? kRed : kYellow);
    p.drawRect(cur.column * kCellPitch + 2, cur.row * kCellPitch + 2, 18, 18);
  }

  const std::vector<gw::Picture>& pictures = b.pictures();
  for (std::size_t i = 0; i < pictures.size(); ++i) {
    const gw::Picture& pic = pictures[i];
    p.setPen(solid);
    p.setBrush(Qt::white);
    p.drawRect(pic.column * kCellPitch + 1, pic.row * kCellPitch + 1, pic.width * kCellPitch,
               pic.height * kCellPitch);
    if (i < pictureImages_.size() && !pictureImages_[i].isNull())
      p.drawImage(QRect(pic.column * kCellPitch + 2, pic.row * kCellPitch + 2, pic.width * kCellPitch - 1,
                        pic.height * kCellPitch - 1),
                  pictureImages_[i]);
  }

  if (hasCursor && !cursorOnBlock) drawEntry(cur.row, cur.column);
}

void BoardView::mousePressEvent(QMouseEvent* e) {
  if (!board_) return;
  const QPoint at = e->position().toPoint();
  std::optional<Cell> cell = board_->cellAtPixel(at.x(), at.y());
  if (!cell || board_->isUnderPicture(cell->row, cell->column)) return;
  emit cellClicked(*cell);
}

void BoardView::mouseMoveEvent(QMouseEvent* e) {
  const QPoint at = e->position().toPoint();
  std::optional<Cell> cell = board_ ? board_->cellAtPixel(at.x(), at.y()) : std::nullopt;
  bool blocked = cell && board_->isUnderPicture(cell->row, cell->column);
  setCursor(blocked ? Qt::ForbiddenCursor : Qt::CrossCursor);
}
