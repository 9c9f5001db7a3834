#include "authoring/gui/editing/clue_board.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>

#include "authoring/definitions/clue_list.h"
#include "authoring/definitions/crossword_document.h"
#include "gui_common/qt_bridge.h"

namespace gw::gui {

namespace {
const QColor kHighlight{255, 236, 140};
constexpr int kMinCell = 12, kMaxCell = 64;
}  // namespace

ClueBoard::ClueBoard(const CrosswordDocument& document, QWidget* parent)
    : QWidget(parent), document_(document) {
  setObjectName("clueBoard");
  setAccessibleName(QStringLiteral("Board"));
  setFocusPolicy(Qt::ClickFocus);
  refresh();
}

void ClueBoard::setHighlighted(int definition) {
  if (definition == highlighted_) return;
  highlighted_ = definition;
  update();
}

void ClueBoard::setCellSize(int pixels) {
  cellSize_ = std::clamp(pixels, kMinCell, kMaxCell);
  refresh();
}

void ClueBoard::refresh() {
  setFixedSize(boardPixelSize(document_.rows(), document_.columns(), cellSize_));
  update();
}

BoardScene ClueBoard::scene() const {
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
  const DefinitionTable& table = document_.definitions();
  if (highlighted_ >= 0 && static_cast<std::size_t>(highlighted_) < table.size()) {
    const Definition& d = table.at(static_cast<std::size_t>(highlighted_));
    scene.fills.resize(scene.cells.size());
    for (int k = 0; k < d.length(); ++k) {
      const int r = d.row + (d.direction == Direction::Down ? k : 0);
      const int c = d.column + (d.direction == Direction::Across ? k : 0);
      if (r < rows && c < columns) scene.fills[scene.index(r, c)] = kHighlight;
    }
  }
  for (const PlacedPicture& placed : document_.pictures()) {
    const Picture& p = placed.placement;
    scene.pictures.push_back(
        {p.row, p.column, p.height, p.width, placed.image ? toQImage(*placed.image) : QImage()});
  }
  return scene;
}

void ClueBoard::paintEvent(QPaintEvent*) {
  if (!document_.hasBoard()) return;
  QPainter painter(this);
  paintBoard(painter, scene());
}

void ClueBoard::mousePressEvent(QMouseEvent* event) {
  const auto cell =
      cellAtPixel(event->position().toPoint(), document_.rows(), document_.columns(), cellSize_);
  if (cell && event->button() == Qt::LeftButton) Q_EMIT cellClicked(CellPos{cell->row, cell->column});
}

void ClueBoard::wheelEvent(QWheelEvent* event) {
  if (!(event->modifiers() & Qt::ControlModifier)) return QWidget::wheelEvent(event);
  setCellSize(cellSize_ + (event->angleDelta().y() > 0 ? 2 : -2));
  event->accept();
}

void ClueBoard::keyPressEvent(QKeyEvent* event) {
  if (event->modifiers() & Qt::ControlModifier) {
    if (event->key() == Qt::Key_Plus || event->key() == Qt::Key_Equal) return setCellSize(cellSize_ + 2);
    if (event->key() == Qt::Key_Minus) return setCellSize(cellSize_ - 2);
  }
  QWidget::keyPressEvent(event);
}

}  // namespace gw::gui
