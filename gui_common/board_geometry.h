#pragma once
// Where the cells of a crossword board lie on screen, in both programs: cells of 20 logical
// pixels unless the player zooms, the board's frame on pixel 1, so cell (row, column) spans
// the pixels from column × size + 1 to column × size + size + 1 across and the same down.
#include <QPoint>
#include <QRect>
#include <QSize>
#include <optional>

namespace gw::gui {

inline constexpr int kBoardCellPixels = 20;

struct BoardCell {
  int row = 0;
  int column = 0;
  friend bool operator==(const BoardCell&, const BoardCell&) = default;
};

// The surface a board of `rows` × `columns` cells needs, frame included.
inline QSize boardPixelSize(int rows, int columns, int cellSize = kBoardCellPixels) {
  return {columns * cellSize + 2, rows * cellSize + 2};
}

// The square of a cell from its top-left grid line to the next ones.
inline QRect cellRect(int row, int column, int cellSize = kBoardCellPixels) {
  return {column * cellSize + 1, row * cellSize + 1, cellSize, cellSize};
}

// The cell under a pixel of the board surface; nothing outside the board, nor on the right
// or bottom border line. A coordinate of 0 (the pixel left of the frame) still counts as the
// first cell.
inline std::optional<BoardCell> cellAtPixel(QPoint pixel, int rows, int columns,
                                            int cellSize = kBoardCellPixels) {
  if (pixel.x() < 0 || pixel.y() < 0 || cellSize <= 0) return std::nullopt;
  const int column = pixel.x() == 0 ? 0 : (pixel.x() - 1) / cellSize;
  const int row = pixel.y() == 0 ? 0 : (pixel.y() - 1) / cellSize;
  if (row >= rows || column >= columns) return std::nullopt;
  return BoardCell{row, column};
}

}  // namespace gw::gui
