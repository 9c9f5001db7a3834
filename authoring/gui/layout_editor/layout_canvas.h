#pragma once
// The board of the layout editor: the crossword's cells, marks and pictures drawn by the
// board painter that Cross uses too (crisp at any scale factor), with the editor's cursor.
// It reports presses on cells and leaves every decision to the dialog.
#include "authoring/gui/layout_editor/crossword_board_widget.h"

namespace gw::gui {

class LayoutCanvas : public CrosswordBoardWidget {
  Q_OBJECT
 public:
  LayoutCanvas(const CrosswordDocument& crossword, QWidget* parent = nullptr);

  void setCursorCell(BoardCell cell);
  BoardCell cursorCell() const { return cursor_; }
  // The board's letters, blanks, marks and pictures, and the cursor.
  BoardScene scene() const override;

 Q_SIGNALS:
  void wheelTurned(int notches);  // > 0 forward (up), < 0 backward (down)

 protected:
  void mouseMoveEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  BoardCell cursor_;
};

}  // namespace gw::gui
