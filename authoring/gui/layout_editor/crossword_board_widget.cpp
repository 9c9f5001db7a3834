#include "authoring/gui/layout_editor/crossword_board_widget.h"

#include <QMouseEvent>
#include <QPainter>

#include "authoring/definitions/crossword_document.h"
#include "gui_common/qt_bridge.h"

namespace gw::gui {

CrosswordBoardWidget::CrosswordBoardWidget(const CrosswordDocument& document, QWidget* parent)
    : QWidget(parent), document_(document) {}

void CrosswordBoardWidget::fitToBoard() {
  setFixedSize(boardPixelSize(document_.rows(), document_.columns(), cellSize_));
  update();
}

void CrosswordBoardWidget::setCellPixels(int pixels) {
  cellSize_ = pixels;
  fitToBoard();
}

std::optional<BoardCell> CrosswordBoardWidget::cellAt(QPoint point) const {
  return cellAtPixel(point, document_.rows(), document_.columns(), cellSize_);
}

BoardScene CrosswordBoardWidget::scene() const {
  const int rows = document_.rows(), columns = document_.columns();
  BoardScene scene(rows, columns);
  scene.cellSize = cellSize_;
  scene.font = QFont(QStringLiteral("Verdana"));
  const char* codePage = boardCodePage(document_.language());
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < columns; ++c) {
      BoardScene::Cell& cell = scene.cell(r, c);
      cell.blank = document_.isBlank({r, c});
      if (!cell.blank) cell.text = fromCodePage(std::string(1, document_.cell({r, c})), codePage);
      scene.topDotted[scene.index(r, c)] = document_.hasTopMark({r, c});
      scene.leftDotted[scene.index(r, c)] = document_.hasLeftMark({r, c});
    }
  }
  for (const PlacedPicture& placed : document_.pictures()) {
    const Picture& p = placed.placement;
    scene.pictures.push_back(
        {p.row, p.column, p.height, p.width, placed.image ? toQImage(*placed.image) : QImage()});
  }
  return scene;
}

void CrosswordBoardWidget::paintEvent(QPaintEvent*) {
  if (!document_.hasBoard()) return;
  QPainter painter(this);
  paintBoard(painter, scene());
}

void CrosswordBoardWidget::mousePressEvent(QMouseEvent* event) {
  if (const auto cell = cellAt(event->position().toPoint()))
    Q_EMIT cellPressed(*cell, event->button(), event->globalPosition().toPoint());
}

}  // namespace gw::gui
