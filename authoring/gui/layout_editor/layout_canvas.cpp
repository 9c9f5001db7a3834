#include "authoring/gui/layout_editor/layout_canvas.h"

#include <QMouseEvent>
#include <QWheelEvent>

#include "authoring/definitions/crossword_document.h"

namespace gw::gui {

namespace {
const QColor kLime{0, 255, 0};
const QColor kRed{255, 0, 0};
}  // namespace

LayoutCanvas::LayoutCanvas(const CrosswordDocument& crossword, QWidget* parent)
    : CrosswordBoardWidget(crossword, parent) {
  setObjectName("layoutCanvas");
  setMouseTracking(true);
  setCursor(Qt::CrossCursor);
  setFocusPolicy(Qt::StrongFocus);
  fitToBoard();
}

void LayoutCanvas::setCursorCell(BoardCell cell) {
  cursor_ = cell;
  update();
}

BoardScene LayoutCanvas::scene() const {
  BoardScene scene = CrosswordBoardWidget::scene();
  if (scene.rows > 0 && scene.columns > 0) scene.cursor = BoardScene::Cursor{cursor_, kLime, kRed};
  return scene;
}

void LayoutCanvas::mouseMoveEvent(QMouseEvent* event) {
  const auto cell = cellAt(event->position().toPoint());
  setCursor(cell && document().pictureAt({cell->row, cell->column}) ? Qt::PointingHandCursor
                                                                    : Qt::CrossCursor);
}

void LayoutCanvas::wheelEvent(QWheelEvent* event) {
  const int dy = event->angleDelta().y();
  if (dy != 0) Q_EMIT wheelTurned(dy > 0 ? 1 : -1);
  event->accept();
}

}  // namespace gw::gui
