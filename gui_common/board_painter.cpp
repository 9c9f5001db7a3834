#include "gui_common/board_painter.h"

namespace gw::gui {

BoardScene::BoardScene(int rowCount, int columnCount)
    : rows(rowCount),
      columns(columnCount),
      cells(static_cast<std::size_t>(rowCount) * columnCount),
      topDotted(cells.size(), false),
      leftDotted(cells.size(), false) {}

const BoardScene::Picture* BoardScene::pictureAt(int row, int column) const {
  for (const Picture& p : pictures)
    if (p.column <= column && column < p.column + p.width && p.row <= row && row < p.row + p.height)
      return &p;
  return nullptr;
}

void paintBoard(QPainter& p, const BoardScene& scene) {
  const int R = scene.rows, C = scene.columns;
  const int cell = kBoardCellPixels;
  QPen solid(kBoardNavy, 0);
  QPen dotted(kBoardNavy, 0, Qt::CustomDashLine);
  dotted.setDashPattern({1, 1});

  // The white board in its frame; every cell then draws its own top and left edge, and the
  // frame closes the right and bottom ones.
  p.setPen(solid);
  p.setBrush(Qt::white);
  p.drawRect(1, 1, C * cell, R * cell);
  for (int r = 0; r < R; ++r) {
    for (int c = 0; c < C; ++c) {
      const int x = c * cell + 1, y = r * cell + 1;
      p.setPen(scene.topDotted[scene.index(r, c)] ? dotted : solid);
      p.drawLine(x, y, x + cell - 1, y);
      p.setPen(scene.leftDotted[scene.index(r, c)] ? dotted : solid);
      p.drawLine(x, y, x, y + cell - 1);
    }
  }

  p.setFont(scene.font);
  auto drawText = [&](int r, int c) {
    const BoardScene::Cell& cl = scene.cell(r, c);
    p.setPen(cl.textColour);
    p.drawText(QRect(c * cell + 5, r * cell + 3, cell - 5, cell - 3), Qt::AlignLeft | Qt::AlignTop, cl.text);
  };
  for (int r = 0; r < R; ++r) {
    for (int c = 0; c < C; ++c) {
      if (scene.cell(r, c).blank) {
        p.fillRect(c * cell + 3, r * cell + 3, cell - 3, cell - 3, kBoardNavy);
      } else {
        drawText(r, c);
      }
    }
  }

  // The cursor goes under the pictures: on a board without a free letter cell it may stand
  // on a picture's cell, and the picture covers it there.
  bool cursorShowsText = false;
  if (scene.cursor && scene.cursor->cell.row < R && scene.cursor->cell.column < C) {
    const BoardCell at = scene.cursor->cell;
    const bool blank = scene.cell(at.row, at.column).blank;
    p.setPen(solid);
    p.setBrush(blank ? scene.cursor->blankFill : scene.cursor->letterFill);
    p.drawRect(at.column * cell + 2, at.row * cell + 2, cell - 2, cell - 2);
    cursorShowsText = !blank && !scene.pictureAt(at.row, at.column);
  }

  for (const BoardScene::Picture& pic : scene.pictures) {
    p.setPen(solid);
    p.setBrush(Qt::white);
    p.drawRect(pic.column * cell + 1, pic.row * cell + 1, pic.width * cell, pic.height * cell);
    if (!pic.image.isNull())
      p.drawImage(
          QRect(pic.column * cell + 2, pic.row * cell + 2, pic.width * cell - 1, pic.height * cell - 1),
          pic.image);
  }

  if (cursorShowsText) drawText(scene.cursor->cell.row, scene.cursor->cell.column);
}

}  // namespace gw::gui
