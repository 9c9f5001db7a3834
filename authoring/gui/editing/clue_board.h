#pragma once
// The board beside the word list: the crossword drawn as Cross draws it, the current word's
// cells highlighted. A click reports its cell; Ctrl+wheel and Ctrl+plus/minus zoom.
#include <QWidget>
#include <optional>

#include "common/cell_pos.h"
#include "gui_common/board_painter.h"

namespace gw {
class CrosswordDocument;
}

namespace gw::gui {

class ClueBoard : public QWidget {
  Q_OBJECT
 public:
  explicit ClueBoard(const CrosswordDocument& document, QWidget* parent = nullptr);

  // The definition (a row of the definition table) whose cells are highlighted, or -1.
  void setHighlighted(int definition);
  int cellSize() const { return cellSize_; }
  void setCellSize(int pixels);
  // The board changed size or content.
  void refresh();
  BoardScene scene() const;

 Q_SIGNALS:
  void cellClicked(gw::CellPos cell);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  const CrosswordDocument& document_;
  int highlighted_ = -1;
  int cellSize_ = 24;
};

}  // namespace gw::gui
