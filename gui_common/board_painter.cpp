#include "gui_common/board_painter.h"

#include <QPaintDevice>
#include <algorithm>
#include <cmath>

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

namespace {

// Letters stand a bit over half a cell high, three twentieths of a cell in from the left line:
// Verdana at 11 pixels 4 pixels in, in a cell of 20.
constexpr double kLetterHeight = 0.55;
constexpr double kLetterIndent = 0.15;
// Numbers stand a third of a cell high, and only where that is at least this many device pixels.
constexpr double kNumberHeight = 0.32;
constexpr int kSmallestNumberPixels = 6;

int roundToInt(double v) { return static_cast<int>(std::lround(v)); }

// The grid in device pixels. Every line is as many device pixels wide as one logical pixel
// rounds to and starts on a whole pixel, so no scale factor blurs it, and segments overlap at
// the crossings, so none leaves a gap there.
class DeviceGrid {
 public:
  DeviceGrid(const BoardScene& scene, double ratio)
      : cellSize_(scene.cellSize), ratio_(ratio), line_(std::max(1, roundToInt(ratio))) {
    // The far border lines stay inside the device pixels the board's surface has.
    const QSize size = scene.pixelSize();
    lastX_ = static_cast<int>(size.width() * ratio) - line_;
    lastY_ = static_cast<int>(size.height() * ratio) - line_;
  }

  double ratio() const { return ratio_; }
  // The last device pixel of the surface, bottom right.
  QPoint surfaceEnd() const { return {lastX_ + line_ - 1, lastY_ + line_ - 1}; }
  int line() const { return line_; }
  // Where the left line of `column` and the top line of `row` start.
  int x(int column) const { return std::min(lineAt(column), lastX_); }
  int y(int row) const { return std::min(lineAt(row), lastY_); }
  // The inside of cells [c0, c1) × [r0, r1), between their lines.
  QRect inside(int r0, int c0, int r1, int c1) const {
    return QRect(QPoint(x(c0) + line_, y(r0) + line_), QPoint(x(c1) - 1, y(r1) - 1));
  }
  QRect inside(BoardCell cell) const { return inside(cell.row, cell.column, cell.row + 1, cell.column + 1); }

 private:
  int lineAt(int i) const { return roundToInt((i * cellSize_ + 1) * ratio_); }

  int cellSize_;
  double ratio_;
  int line_;
  int lastX_ = 0;
  int lastY_ = 0;
};

class ScenePainter {
 public:
  ScenePainter(QPainter& p, const BoardScene& scene, double ratio)
      : p_(p), scene_(scene), grid_(scene, ratio) {}

  void paint() {
    const int rows = scene_.rows, columns = scene_.columns;
    // The whole surface is white, also the margin left of and above the frame.
    p_.fillRect(QRect(QPoint(0, 0), grid_.surfaceEnd()), Qt::white);
    frame(grid_.inside(0, 0, rows, columns), Qt::white);
    // Each inner cell draws its top and left edge; the frame is the rest.
    for (int r = 0; r < rows; ++r) {
      for (int c = 0; c < columns; ++c) {
        if (r > 0) horizontalEdge(r, c, scene_.topDotted[scene_.index(r, c)]);
        if (c > 0) verticalEdge(r, c, scene_.leftDotted[scene_.index(r, c)]);
      }
    }

    QFont font = scene_.font;
    font.setPixelSize(std::max(1, roundToInt(scene_.cellSize * kLetterHeight * grid_.ratio())));
    p_.setFont(font);
    for (int r = 0; r < rows; ++r) {
      for (int c = 0; c < columns; ++c) {
        if (scene_.cell(r, c).blank) {
          const int l = grid_.line();
          p_.fillRect(grid_.inside({r, c}).adjusted(l, l, -l, -l), kBoardNavy);
        } else {
          if (!scene_.fills.empty() && scene_.fills[scene_.index(r, c)].isValid()) {
            const int l = grid_.line();
            p_.fillRect(grid_.inside({r, c}).adjusted(l, l, -l, -l), scene_.fills[scene_.index(r, c)]);
          }
          if (!scene_.highlighted.empty() && scene_.highlighted[scene_.index(r, c)])
            p_.fillRect(grid_.inside({r, c}), scene_.highlightFill);
          letter({r, c});
        }
      }
    }
    numbers();

    // The cursor goes under the pictures: on a board without a free letter cell it may stand
    // on a picture's cell, and the picture covers it there.
    const BoardScene::Cursor* cursor = validCursor();
    bool cursorShowsLetter = false;
    if (cursor) {
      const BoardCell at = cursor->cell;
      const bool blank = scene_.cell(at.row, at.column).blank;
      const int l = grid_.line();
      frame(grid_.inside(at).adjusted(l, l, -l, -l), blank ? cursor->blankFill : cursor->letterFill);
      cursorShowsLetter = !blank && !scene_.pictureAt(at.row, at.column);
    }

    for (const BoardScene::Picture& pic : scene_.pictures) {
      const QRect area = grid_.inside(pic.row, pic.column, pic.row + pic.height, pic.column + pic.width);
      frame(area, Qt::white);
      if (!pic.image.isNull()) p_.drawImage(area, pic.image);
    }

    if (cursorShowsLetter) {
      letter(cursor->cell);
      numbers(&cursor->cell);
    }
  }

 private:
  // A navy frame one line wide around `inside`, filled.
  void frame(const QRect& inside, const QColor& fill) {
    const int l = grid_.line();
    p_.fillRect(inside.adjusted(-l, -l, l, l), kBoardNavy);
    p_.fillRect(inside, fill);
  }

  // A run of line from crossing to crossing, `along` the line and `across` it in device
  // pixels. Dotted, the crossings at both ends stay solid and the run between them gets
  // dots one line wide and gaps of at least one logical pixel.
  template <typename Run>
  void edge(int from, int to, bool dotted, Run run) {
    if (!dotted) return p_.fillRect(run(from, to - from), kBoardNavy);
    const int dot = grid_.line();
    const int step = std::max(2 * dot, roundToInt(2 * grid_.ratio()));
    p_.fillRect(run(from + dot, to - from - 2 * dot), Qt::white);
    for (int at = from; at < to; at += step) p_.fillRect(run(at, std::min(dot, to - at)), kBoardNavy);
    p_.fillRect(run(to - dot, dot), kBoardNavy);
  }
  void horizontalEdge(int r, int c, bool dotted) {
    const int y = grid_.y(r), l = grid_.line();
    edge(grid_.x(c), grid_.x(c + 1) + l, dotted, [&](int at, int length) { return QRect(at, y, length, l); });
  }
  void verticalEdge(int r, int c, bool dotted) {
    const int x = grid_.x(c), l = grid_.line();
    edge(grid_.y(r), grid_.y(r + 1) + l, dotted, [&](int at, int length) { return QRect(x, at, l, length); });
  }

  void letter(BoardCell at) {
    const BoardScene::Cell& cell = scene_.cell(at.row, at.column);
    p_.setPen(cell.textColour);
    if (!scene_.numbers.empty()) {
      // Below the number, centred.
      p_.drawText(grid_.inside(at), Qt::AlignHCenter | Qt::AlignBottom, cell.text);
      return;
    }
    const int indent = roundToInt(scene_.cellSize * kLetterIndent * grid_.ratio());
    p_.drawText(grid_.inside(at).adjusted(indent, grid_.line(), 0, 0), Qt::AlignLeft | Qt::AlignTop,
                cell.text);
  }

  // Every cell's number, or only the one of `only`; pictures cover theirs.
  void numbers(const BoardCell* only = nullptr) {
    if (scene_.numbers.empty()) return;
    const int pixels = roundToInt(scene_.cellSize * kNumberHeight * grid_.ratio());
    if (pixels < kSmallestNumberPixels) return;
    const QFont letters = p_.font();
    QFont font = scene_.font;
    font.setPixelSize(pixels);
    p_.setFont(font);
    p_.setPen(kBoardNavy);
    for (int r = 0; r < scene_.rows; ++r) {
      for (int c = 0; c < scene_.columns; ++c) {
        if (only && (only->row != r || only->column != c)) continue;
        const int n = scene_.numbers[scene_.index(r, c)];
        if (n <= 0 || scene_.cell(r, c).blank || scene_.pictureAt(r, c)) continue;
        p_.drawText(grid_.inside({r, c}).adjusted(grid_.line(), 0, 0, 0), Qt::AlignLeft | Qt::AlignTop,
                    QString::number(n));
      }
    }
    p_.setFont(letters);
  }

  const BoardScene::Cursor* validCursor() const {
    if (!scene_.cursor) return nullptr;
    const BoardCell at = scene_.cursor->cell;
    const bool onBoard = at.row >= 0 && at.column >= 0 && at.row < scene_.rows && at.column < scene_.columns;
    return onBoard ? &*scene_.cursor : nullptr;
  }

  QPainter& p_;
  const BoardScene& scene_;
  DeviceGrid grid_;
};

}  // namespace

void paintBoard(QPainter& painter, const BoardScene& scene) {
  if (scene.rows <= 0 || scene.columns <= 0 || scene.cellSize <= 0) return;
  const double ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
  painter.save();
  // From here on one unit is one device pixel.
  painter.setWorldTransform(QTransform::fromScale(1 / ratio, 1 / ratio), true);
  ScenePainter(painter, scene, ratio).paint();
  painter.restore();
}

}  // namespace gw::gui
