#pragma once
// A widget that draws a crossword document with the board painter Cross uses too: its letters,
// blanks, dotted edges and pictures at the widget's cell size, and it reports presses on its
// cells. What else a board shows (the current word, the cursor) its subclass adds to the scene.
#include <QWidget>
#include <optional>

#include "gui_common/board_painter.h"

namespace gw {
class CrosswordDocument;
}

namespace gw::gui {

class CrosswordBoardWidget : public QWidget {
  Q_OBJECT
 public:
  int cellSize() const { return cellSize_; }
  // The board changed size or content (or is first shown): the surface follows it.
  void fitToBoard();
  // What the widget paints.
  virtual BoardScene scene() const;

 Q_SIGNALS:
  // A mouse button went down on a cell.
  void cellPressed(gw::gui::BoardCell cell, Qt::MouseButton button, QPoint globalPosition);

 protected:
  CrosswordBoardWidget(const CrosswordDocument& document, QWidget* parent);

  const CrosswordDocument& document() const { return document_; }
  void setCellPixels(int pixels);
  // The cell under a point of the widget, if any.
  std::optional<BoardCell> cellAt(QPoint point) const;

  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  const CrosswordDocument& document_;
  int cellSize_ = kBoardCellPixels;
};

}  // namespace gw::gui
