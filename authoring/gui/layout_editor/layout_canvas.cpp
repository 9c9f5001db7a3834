#include "authoring/gui/layout_editor/layout_canvas.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "authoring/definitions/crossword_document.h"
#include "gui_common/board_painter.h"
#include "gui_common/qt_bridge.h"

namespace gw::gui {

namespace {
const QColor kLime{0, 255, 0};
const QColor kRed{255, 0, 0};
}  // namespace

LayoutCanvas::LayoutCanvas(const CrosswordDocument& crossword, QWidget* parent)
    : QWidget(parent), crossword_(crossword) {
  setObjectName("layoutCanvas");
  setMouseTracking(true);
  setCursor(Qt::CrossCursor);
  setFocusPolicy(Qt::StrongFocus);
  fitToBoard();
}

void LayoutCanvas::fitToBoard() { setFixedSize(boardPixelSize(crossword_.rows(), crossword_.columns())); }

void LayoutCanvas::setCursorCell(BoardCell cell) {
  cursor_ = cell;
  update();
}

BoardScene LayoutCanvas::scene() const {
  const int R = crossword_.rows(), C = crossword_.columns();
  BoardScene scene(R, C);
  scene.font = QFont(QStringLiteral("Verdana"));
  for (int r = 0; r < R; ++r) {
    for (int c = 0; c < C; ++c) {
      BoardScene::Cell& cell = scene.cell(r, c);
      cell.blank = crossword_.isBlank({r, c});
      if (!cell.blank)
        cell.text =
            fromCodePage(std::string(1, crossword_.cell({r, c})), boardCodePage(crossword_.language()));
      scene.topDotted[scene.index(r, c)] = crossword_.hasTopMark({r, c});
      scene.leftDotted[scene.index(r, c)] = crossword_.hasLeftMark({r, c});
    }
  }
  for (const PlacedPicture& placed : crossword_.pictures()) {
    const Picture& p = placed.placement;
    scene.pictures.push_back(
        {p.row, p.column, p.height, p.width, placed.image ? toQImage(*placed.image) : QImage()});
  }
  if (R > 0 && C > 0) scene.cursor = BoardScene::Cursor{cursor_, kLime, kRed};
  return scene;
}

void LayoutCanvas::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  paintBoard(painter, scene());
}

void LayoutCanvas::mousePressEvent(QMouseEvent* event) {
  const auto cell = cellAtPixel(event->position().toPoint(), crossword_.rows(), crossword_.columns());
  if (cell) Q_EMIT cellPressed(*cell, event->button(), event->globalPosition().toPoint());
}

void LayoutCanvas::mouseMoveEvent(QMouseEvent* event) {
  const auto cell = cellAtPixel(event->position().toPoint(), crossword_.rows(), crossword_.columns());
  setCursor(cell && crossword_.pictureAt({cell->row, cell->column}) ? Qt::PointingHandCursor
                                                                    : Qt::CrossCursor);
}

void LayoutCanvas::wheelEvent(QWheelEvent* event) {
  const int dy = event->angleDelta().y();
  if (dy != 0) Q_EMIT wheelTurned(dy > 0 ? 1 : -1);
  event->accept();
}

}  // namespace gw::gui
