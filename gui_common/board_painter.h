#pragma once
// The one drawing of a crossword board, shared by the layout editor of Gridwright and the
// board of Cross, so that what the author sees is what the player will see: white cells
// framed in navy (edges with a mark drawn dotted), navy squares for blank cells, letters in
// the board font, a cursor square, and pictures framed over the cells they cover.
//
// The scene says what to draw; each window fills it from its own state. The painter draws it
// in whole device pixels at any scale factor, so lines stay one crisp device line wide.
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QString>
#include <optional>
#include <vector>

#include "gui_common/board_geometry.h"

namespace gw::gui {

inline const QColor kBoardNavy{0, 0, 128};

struct BoardScene {
  struct Cell {
    bool blank = true;  // a blank (clue or block) cell, drawn as a navy square
    QString text;       // what a letter cell shows
    QColor textColour = Qt::black;
  };
  struct Picture {
    int row = 0, column = 0, height = 0, width = 0;  // in cells
    QImage image;                                    // stretched over the cells; may be null
  };
  struct Cursor {
    BoardCell cell;
    QColor letterFill;  // the cursor square on a letter cell, under the cell's letter
    QColor blankFill;   // the cursor square on a blank cell
  };

  int rows = 0;
  int columns = 0;
  int cellSize = kBoardCellPixels;  // logical pixels from one grid line to the next
  std::vector<Cell> cells;          // rows × columns, row by row
  std::vector<bool> topDotted;      // rows × columns: the cell's top edge is drawn dotted
  std::vector<bool> leftDotted;     // rows × columns: the cell's left edge is drawn dotted
  std::vector<QColor> fills;        // empty, or rows × columns: a letter cell's background where valid
  std::vector<Picture> pictures;    // drawn in this order, over everything else
  std::optional<Cursor> cursor;
  QFont font;  // the letters' family and style; their size follows the cell size
  // Word numbers in the cells' top-left corners (rows × columns, 0 for none); empty for a board
  // without numbers. With numbers the letters sit lower, clear of them; numbers too small to
  // read are left out.
  std::vector<int> numbers;
  // Cells drawn with a light fill under their letters (rows × columns); empty for none.
  std::vector<bool> highlighted;
  QColor highlightFill{220, 235, 255};

  BoardScene(int rowCount, int columnCount);
  Cell& cell(int row, int column) { return cells[index(row, column)]; }
  const Cell& cell(int row, int column) const { return cells[index(row, column)]; }
  std::size_t index(int row, int column) const { return static_cast<std::size_t>(row) * columns + column; }
  // The first picture (in list order) that covers the cell, if any.
  const Picture* pictureAt(int row, int column) const;
  // The surface the board fills: the cells and the border line.
  QSize pixelSize() const { return boardPixelSize(rows, columns, cellSize); }
};

// Paints the scene from the painter's origin, `painter` set up in logical pixels; the scale
// factor is the painter's device's. Marks on the board's outer edges are not drawn: the
// border stays solid.
void paintBoard(QPainter& painter, const BoardScene& scene);

}  // namespace gw::gui
