#pragma once
// The board of the layout editor: the crossword's cells, marks and pictures drawn by the
// board painter that Cross uses too (crisp at any scale factor), with the editor's cursor.
// It reports presses on cells and leaves every decision to the dialog.
#include <QWidget>

#include "gui_common/board_painter.h"

namespace gw {
class CrosswordDocument;
}

namespace gw::gui {

class LayoutCanvas : public QWidget {
  Q_OBJECT
 public:
  LayoutCanvas(const CrosswordDocument& crossword, QWidget* parent = nullptr);

  void setCursorCell(BoardCell cell);
  BoardCell cursorCell() const { return cursor_; }
  // The board's size changed (or first shown): the surface follows it.
  void fitToBoard();
  // What the canvas paints: the board's letters, blanks, marks and pictures, and the cursor.
  BoardScene scene() const;

 Q_SIGNALS:
  void cellPressed(gw::gui::BoardCell cell, Qt::MouseButton button, QPoint globalPosition);
  void wheelTurned(int notches);  // > 0 forward (up), < 0 backward (down)

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  const CrosswordDocument& crossword_;
  BoardCell cursor_;
};

}  // namespace gw::gui
