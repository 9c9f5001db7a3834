#include "authoring/gui/editing/clue_board.h"

#include <QKeyEvent>
#include <QWheelEvent>
#include <algorithm>

#include "authoring/definitions/clue_list.h"
#include "authoring/definitions/crossword_document.h"

namespace gw::gui {

namespace {
const QColor kHighlight{255, 236, 140};
constexpr int kMinCell = 12, kMaxCell = 64, kDefaultCell = 24;
}  // namespace

ClueBoard::ClueBoard(const CrosswordDocument& document, QWidget* parent)
    : CrosswordBoardWidget(document, parent) {
  setObjectName("clueBoard");
  setAccessibleName(QStringLiteral("Board"));
  setFocusPolicy(Qt::ClickFocus);
  setCellPixels(kDefaultCell);
  connect(this, &CrosswordBoardWidget::cellPressed, this, [this](BoardCell cell, Qt::MouseButton button) {
    if (button == Qt::LeftButton) Q_EMIT cellClicked(CellPos{cell.row, cell.column});
  });
}

void ClueBoard::setHighlighted(int definition) {
  if (definition == highlighted_) return;
  highlighted_ = definition;
  update();
}

void ClueBoard::setCellSize(int pixels) { setCellPixels(std::clamp(pixels, kMinCell, kMaxCell)); }

BoardScene ClueBoard::scene() const {
  BoardScene scene = CrosswordBoardWidget::scene();
  const DefinitionTable& table = document().definitions();
  if (highlighted_ >= 0 && static_cast<std::size_t>(highlighted_) < table.size()) {
    const Definition& d = table.at(static_cast<std::size_t>(highlighted_));
    scene.fills.resize(scene.cells.size());
    for (int k = 0; k < d.length(); ++k) {
      const int r = d.row + (d.direction == Direction::Down ? k : 0);
      const int c = d.column + (d.direction == Direction::Across ? k : 0);
      if (r < scene.rows && c < scene.columns) scene.fills[scene.index(r, c)] = kHighlight;
    }
  }
  return scene;
}

void ClueBoard::wheelEvent(QWheelEvent* event) {
  if (!(event->modifiers() & Qt::ControlModifier)) return QWidget::wheelEvent(event);
  setCellSize(cellSize() + (event->angleDelta().y() > 0 ? 2 : -2));
  event->accept();
}

void ClueBoard::keyPressEvent(QKeyEvent* event) {
  if (event->modifiers() & Qt::ControlModifier) {
    if (event->key() == Qt::Key_Plus || event->key() == Qt::Key_Equal) return setCellSize(cellSize() + 2);
    if (event->key() == Qt::Key_Minus) return setCellSize(cellSize() - 2);
  }
  QWidget::keyPressEvent(event);
}

}  // namespace gw::gui
