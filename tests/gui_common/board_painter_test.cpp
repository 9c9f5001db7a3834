// The shared board painter rendered into images at scale factors 1, 1.5 and 2: grid lines on
// whole device pixels with nothing blended, dotted edges dotted, letters in their cells and
// growing with them, and pictures covering their cells. (The windows' tests check the blank
// squares and cursor fills each of them asks for.)
#include <QImage>
#include <QPainter>
#include <QtTest>
#include <functional>

#include "gui_common/board_painter.h"

using namespace gw::gui;

namespace {

const QColor kNavy(0, 0, 128);
const QColor kWhite(Qt::white);
const QColor kMagenta(255, 0, 255);

// Paints the scene as a widget of that scale factor would: logical pixels on a device whose
// pixels are `ratio` times finer.
QImage render(const BoardScene& scene, double ratio) {
  QImage image(scene.pixelSize() * ratio, QImage::Format_RGB32);
  image.setDevicePixelRatio(ratio);
  image.fill(Qt::green);
  QPainter p(&image);
  paintBoard(p, scene);
  return image;
}

// Where grid line `i` starts in device pixels, and how many it is thick.
int lineStart(int i, int cellSize, double ratio) { return qRound((i * cellSize + 1) * ratio); }
int lineWidth(double ratio) { return qMax(1, qRound(ratio)); }

// Letter cells with nothing in them and no cursor: only lines.
BoardScene emptyBoard(int rows, int columns, int cellSize) {
  BoardScene scene(rows, columns);
  scene.cellSize = cellSize;
  for (BoardScene::Cell& c : scene.cells) c.blank = false;
  return scene;
}

int count(const QImage& image, const QRect& area, const std::function<bool(QColor)>& match) {
  int n = 0;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x) n += match(image.pixelColor(x, y));
  return n;
}
bool isDark(QColor c) { return c.lightness() < 100; }

// The inside of a cell in device pixels, between its lines. The far border lines keep inside
// the image, so the last row and column may be a device pixel short at fractional factors.
QRect cellInside(const QImage& img, int row, int column, int cellSize, double ratio) {
  const int line = lineWidth(ratio);
  const int right = qMin(lineStart(column + 1, cellSize, ratio), img.width() - line) - 1;
  const int bottom = qMin(lineStart(row + 1, cellSize, ratio), img.height() - line) - 1;
  return QRect(QPoint(lineStart(column, cellSize, ratio) + line, lineStart(row, cellSize, ratio) + line),
               QPoint(right, bottom));
}

QString at(double ratio, int a, int b = -1) { return QString("ratio %1 at %2 %3").arg(ratio).arg(a).arg(b); }

void addScaleFactors() {
  QTest::addColumn<double>("ratio");
  QTest::addColumn<int>("cellSize");
  for (double ratio : {1.0, 1.5, 2.0})
    for (int cellSize : {20, 26}) QTest::addRow("ratio %.1f, cell %d", ratio, cellSize) << ratio << cellSize;
}

}  // namespace

class BoardPainterTest : public QObject {
  Q_OBJECT

  // Letters in two cells, one red; checks that only they show ink and gives the height of
  // the black one.
  void checkLetters(double ratio, int cellSize, int& letterHeight) {
    BoardScene scene = emptyBoard(3, 4, cellSize);
    scene.font = QFont("Verdana");
    scene.cell(0, 1).text = "A";
    scene.cell(2, 3).text = QString::fromUtf8("Ш");
    scene.cell(2, 3).textColour = QColor(255, 0, 0);
    scene.cell(1, 0).text = " ";  // an empty entry shows nothing
    const QImage img = render(scene, ratio);
    for (int r = 0; r < 3; ++r) {
      for (int c = 0; c < 4; ++c) {
        const int ink =
            count(img, cellInside(img, r, c, cellSize, ratio), [](QColor c) { return c != kWhite; });
        if ((r == 0 && c == 1) || (r == 2 && c == 3))
          QVERIFY2(ink > 5 * ratio * ratio, qPrintable(at(ratio, r, c)));
        else
          QVERIFY2(ink == 0, qPrintable(at(ratio, r, c)));
      }
    }
    const QRect red = cellInside(img, 2, 3, cellSize, ratio);
    QVERIFY(count(img, red, [](QColor c) { return c.red() > 150 && c.green() < 100 && c.blue() < 100; }) > 3);
    QCOMPARE(count(img, red, isDark), 0);
    // The rows of the black letter's cell that hold ink.
    const QRect a = cellInside(img, 0, 1, cellSize, ratio);
    int top = a.bottom(), bottom = a.top();
    for (int y = a.top(); y <= a.bottom(); ++y) {
      if (count(img, QRect(a.left(), y, a.width(), 1), isDark) > 0) {
        top = qMin(top, y);
        bottom = qMax(bottom, y);
      }
    }
    letterHeight = bottom - top + 1;
  }

 private Q_SLOTS:
  void gridLinesAreWholeDevicePixels_data() { addScaleFactors(); }
  // Every line, the border included, is exactly as thick as one logical pixel rounds to, runs
  // unbroken across the board, and has pure white beside it: nothing is blended, and the
  // board fills its whole surface.
  void gridLinesAreWholeDevicePixels() {
    QFETCH(double, ratio);
    QFETCH(int, cellSize);
    const int rows = 3, columns = 4, line = lineWidth(ratio);
    const QImage img = render(emptyBoard(rows, columns, cellSize), ratio);
    QCOMPARE(count(img, img.rect(), [](QColor c) { return c != kNavy && c != kWhite; }), 0);

    const int right = img.width() - 1, bottom = img.height() - 1;
    for (int r = 0; r <= rows; ++r) {
      const int y = qMin(lineStart(r, cellSize, ratio), bottom + 1 - line);
      for (int x = lineStart(0, cellSize, ratio); x <= right; ++x)
        for (int t = 0; t < line; ++t)
          QVERIFY2(img.pixelColor(x, y + t) == kNavy, qPrintable(at(ratio, x, y)));
      for (int c = 0; c < columns; ++c) {  // beside the line, mid-cell, white
        const int x = (lineStart(c, cellSize, ratio) + lineStart(c + 1, cellSize, ratio)) / 2;
        if (r > 0) QVERIFY2(img.pixelColor(x, y - 1) == kWhite, qPrintable(at(ratio, x, y)));
        if (r < rows) QVERIFY2(img.pixelColor(x, y + line) == kWhite, qPrintable(at(ratio, x, y)));
      }
    }
    for (int c = 0; c <= columns; ++c) {
      const int x = qMin(lineStart(c, cellSize, ratio), right + 1 - line);
      for (int y = lineStart(0, cellSize, ratio); y <= bottom; ++y)
        for (int t = 0; t < line; ++t)
          QVERIFY2(img.pixelColor(x + t, y) == kNavy, qPrintable(at(ratio, x, y)));
      const int y = (lineStart(1, cellSize, ratio) + lineStart(2, cellSize, ratio)) / 2;
      if (c > 0) QVERIFY2(img.pixelColor(x - 1, y) == kWhite, qPrintable(at(ratio, x, y)));
      if (c < columns) QVERIFY2(img.pixelColor(x + line, y) == kWhite, qPrintable(at(ratio, x, y)));
    }
  }

  void dottedEdgesAreDotted_data() { addScaleFactors(); }
  // A marked edge alternates dots one line wide with gaps of at least a logical pixel between
  // solid crossings; its neighbours and the border (marks there are not drawn) stay solid.
  void dottedEdgesAreDotted() {
    QFETCH(double, ratio);
    QFETCH(int, cellSize);
    BoardScene scene = emptyBoard(4, 4, cellSize);
    scene.topDotted[scene.index(1, 1)] = true;
    scene.leftDotted[scene.index(2, 2)] = true;
    scene.topDotted[scene.index(0, 2)] = true;  // on the border
    const QImage img = render(scene, ratio);
    const int line = lineWidth(ratio);
    auto ls = [&](int i) { return lineStart(i, cellSize, ratio); };

    // The pixels of an edge from crossing to crossing, along its first device row or column.
    auto along = [&](QPoint from, QPoint step, int length) {
      std::vector<bool> navy;
      for (int i = 0; i < length; ++i) navy.push_back(img.pixelColor(from + i * step) == kNavy);
      return navy;
    };
    // Both ends (the crossings, `line` long) solid; between them dots no longer than a line
    // is wide, and gaps of at least one logical pixel (whole device pixels of it).
    auto checkDotted = [&](const std::vector<bool>& navy) {
      const int n = int(navy.size());
      for (int t = 0; t < line; ++t) QVERIFY(navy[t] && navy[n - 1 - t]);
      int dots = 0, run = 0, shortestGap = n;
      for (int i = line; i < n - line; ++i) {
        const bool continues = i > line && navy[i] == navy[i - 1];
        if (!continues && !navy[i - 1] && navy[i] && i > line) shortestGap = qMin(shortestGap, run);
        run = continues ? run + 1 : 1;
        if (navy[i] && !continues) ++dots;
        if (navy[i]) QVERIFY2(run <= line, qPrintable(at(ratio, i)));
      }
      QVERIFY2(dots >= cellSize / 3, qPrintable(at(ratio, dots)));
      QVERIFY2(shortestGap >= qFloor(ratio), qPrintable(at(ratio, shortestGap)));
    };
    // From the crossing at line i to the one at line i + 1.
    auto length = [&](int i) { return ls(i + 1) - ls(i) + line; };
    checkDotted(along(QPoint(ls(1), ls(1)), QPoint(1, 0), length(1)));  // top of (1, 1)
    checkDotted(along(QPoint(ls(2), ls(2)), QPoint(0, 1), length(2)));  // left of (2, 2)
    // Every device row of the dotted line shows the same dots: crisp, not smeared.
    for (int t = 1; t < line; ++t)
      QCOMPARE(along(QPoint(ls(1), ls(1) + t), QPoint(1, 0), length(1)),
               along(QPoint(ls(1), ls(1)), QPoint(1, 0), length(1)));

    auto solid = [&](const std::vector<bool>& navy) {
      return std::all_of(navy.begin(), navy.end(), [](bool b) { return b; });
    };
    QVERIFY(solid(along(QPoint(ls(0), ls(1)), QPoint(1, 0), length(0))));  // top of (1, 0)
    QVERIFY(solid(along(QPoint(ls(2), ls(1)), QPoint(0, 1), length(1))));  // left of (1, 2)
    QVERIFY(solid(along(QPoint(ls(2), ls(0)), QPoint(1, 0), length(2))));  // the border above (0, 2)
    QCOMPARE(count(img, img.rect(), [](QColor c) { return c != kNavy && c != kWhite; }), 0);
  }

  void lettersStandInTheirCells_data() {
    QTest::addColumn<double>("ratio");
    for (double ratio : {1.0, 1.5, 2.0}) QTest::addRow("ratio %.1f", ratio) << ratio;
  }
  // Each letter is drawn inside its own cell in its own colour and no other cell shows ink;
  // a cell twice as large has a letter about twice as tall.
  void lettersStandInTheirCells() {
    QFETCH(double, ratio);
    int small = 0, large = 0;
    checkLetters(ratio, 20, small);
    checkLetters(ratio, 40, large);
    if (QTest::currentTestFailed()) return;
    QVERIFY2(large >= 1.7 * small && large <= 2.3 * small, qPrintable(at(ratio, small, large)));
  }

  void pictureCoversItsCells_data() {
    QTest::addColumn<double>("ratio");
    for (double ratio : {1.0, 1.5, 2.0}) QTest::addRow("ratio %.1f", ratio) << ratio;
  }
  // A picture over 2 × 2 cells hides their lines, letters, blank squares and the cursor
  // beneath it, inside a navy frame on the cells' outer lines.
  void pictureCoversItsCells() {
    QFETCH(double, ratio);
    BoardScene scene = emptyBoard(4, 4, 20);
    scene.cell(1, 1).text = "X";
    scene.cell(2, 2).blank = true;
    scene.leftDotted[scene.index(1, 2)] = true;
    scene.cursor = BoardScene::Cursor{{1, 1}, QColor(255, 255, 0), QColor(255, 0, 0)};
    QImage picture(7, 5, QImage::Format_RGB32);
    picture.fill(kMagenta);
    scene.pictures.push_back({1, 1, 2, 2, picture});
    const QImage img = render(scene, ratio);

    const QRect area(
        QPoint(lineStart(1, 20, ratio) + lineWidth(ratio), lineStart(1, 20, ratio) + lineWidth(ratio)),
        QPoint(lineStart(3, 20, ratio) - 1, lineStart(3, 20, ratio) - 1));
    QCOMPARE(count(img, area, [](QColor c) { return c == kMagenta; }), area.width() * area.height());
    for (QPoint frame : {area.topLeft() - QPoint(1, 1), area.bottomRight() + QPoint(1, 1)})
      QVERIFY2(img.pixelColor(frame) == kNavy, qPrintable(at(ratio, frame.x(), frame.y())));
    // Outside it the board is as before: the cell left of the picture is white.
    QCOMPARE(count(img, cellInside(img, 1, 0, 20, ratio), [](QColor c) { return c != kWhite; }), 0);
  }
};

QTEST_MAIN(BoardPainterTest)
#include "board_painter_test.moc"
