#include "solver/board_view.h"

#include <QMouseEvent>
#include <QPainter>

#include "common/codepage.h"
#include "common/language.h"
#include "gui_common/board_painter.h"

using gw::cross::Board;
using gw::cross::Cell;

namespace {

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
  // The board is drawn as the layout editor of Gridwright draws it; only the entries,
  // their colours and the cursor's colours are the solver's own.
  const Board& b = *board_;
  const int rows = b.rows(), columns = b.columns();
  gw::gui::BoardScene scene(rows, columns);
  scene.font = font();
  const QColor text = palette().color(QPalette::WindowText);
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < columns; ++c) {
      gw::gui::BoardScene::Cell& cell = scene.cell(r, c);
      cell.blank = b.isBlock(r, c);
      if (!cell.blank) {
        cell.text = entryText(b.entryAt(r, c));
        cell.textColour = !markBadEntries_ ? text : b.isEntryCorrect(r, c) ? kBlue : kRed;
      }
      scene.topDotted[scene.index(r, c)] = b.isTopEdgeMarked(r, c);
      scene.leftDotted[scene.index(r, c)] = b.isLeftEdgeMarked(r, c);
    }
  }
  const std::vector<gw::Picture>& pictures = b.pictures();
  for (std::size_t i = 0; i < pictures.size(); ++i)
    scene.pictures.push_back({pictures[i].row, pictures[i].column, pictures[i].height, pictures[i].width,
                              i < pictureImages_.size() ? pictureImages_[i] : QImage()});
  if (rows > 0 && columns > 0)
    scene.cursor = gw::gui::BoardScene::Cursor{{b.current().row, b.current().column}, kYellow, kRed};
  QPainter p(this);
  gw::gui::paintBoard(p, scene);
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
