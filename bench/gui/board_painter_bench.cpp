// The shared board painter: one full paint into an image at scale factors 1, 1.5 and 2 of
// the largest board (56 × 40 cells) at the default cell size and of a 15 × 15 board at the
// largest zoom (60 pixels a cell); letters in every cell but the blocks, a dotted edge in
// every fourth cell, a picture and the cursor. A window repaints the whole board on every
// cursor move and on every blink of the completion.
//
//   board_painter_bench [--benchmark_filter=...]     (QT_QPA_PLATFORM=offscreen)
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include "bench/bench_main.h"
#include "gui_common/board_painter.h"

namespace {
using gw::gui::BoardScene;

BoardScene fullBoard(int rows, int columns, int cellSize) {
  BoardScene scene(rows, columns);
  scene.cellSize = cellSize;
  scene.font = QFont("Verdana");
  for (int r = 0; r < scene.rows; ++r) {
    for (int c = 0; c < scene.columns; ++c) {
      scene.cell(r, c) = {(r + c) % 7 == 0, QString(QChar('A' + (r * 3 + c) % 26)), Qt::black};
      scene.topDotted[scene.index(r, c)] = (r * scene.columns + c) % 4 == 0;
      scene.leftDotted[scene.index(r, c)] = (r * scene.columns + c) % 4 == 2;
    }
  }
  QImage picture(80, 60, QImage::Format_RGB32);
  picture.fill(Qt::darkCyan);
  scene.pictures.push_back({2, 3, 3, 4, picture});
  scene.cursor = BoardScene::Cursor{{10, 10}, QColor(255, 255, 0), QColor(255, 0, 0)};
  return scene;
}

// Arguments: board (0 the largest at 20 pixels a cell, 1 15 × 15 at 60), scale factor in tenths.
void paintBoard(benchmark::State& state) {
  const BoardScene scene = state.range(0) == 0 ? fullBoard(56, 40, 20) : fullBoard(15, 15, 60);
  const double ratio = state.range(1) / 10.0;
  QImage image(scene.pixelSize() * ratio, QImage::Format_RGB32);
  image.setDevicePixelRatio(ratio);
  for (auto _ : state) {
    QPainter p(&image);
    gw::gui::paintBoard(p, scene);
  }
  state.counters["cells/s"] = benchmark::Counter(double(scene.rows) * scene.columns * state.iterations(),
                                                 benchmark::Counter::kIsRate);
}
BENCHMARK(paintBoard)
    ->ArgsProduct({{0, 1}, {10, 15, 20}})
    ->ArgNames({"zoomed", "ratio10"})
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  gw::bench::runBenchmarks(argc, argv);
  return 0;
}
