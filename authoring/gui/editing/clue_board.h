#pragma once
// The board beside the word list: the crossword drawn as Cross draws it, the current word's
// cells highlighted. A click reports its cell; Ctrl+wheel and Ctrl+plus/minus zoom.
#include "authoring/gui/layout_editor/crossword_board_widget.h"
#include "common/cell_pos.h"

namespace gw::gui {

class ClueBoard : public CrosswordBoardWidget {
  Q_OBJECT
 public:
  explicit ClueBoard(const CrosswordDocument& document, QWidget* parent = nullptr);

  // The definition (a row of the definition table) whose cells are highlighted, or -1.
  void setHighlighted(int definition);
  void setCellSize(int pixels);
  BoardScene scene() const override;

 Q_SIGNALS:
  void cellClicked(gw::CellPos cell);

 protected:
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  int highlighted_ = -1;
};

}  // namespace gw::gui
