// What the composing page recomputes after every edit of a layout: the statistics and the
// symmetry check, on us15 and on a 41 × 41 layout with an isle pattern of the same density.
#include <benchmark/benchmark.h>

#include <fstream>
#include <string>

#include "authoring/composing/layout/layout_statistics.h"
#include "authoring/composing/layout/layout_symmetry.h"

namespace {

gw::Layout us15() {
  gw::Layout layout;
  std::ifstream in(std::string(GW_SOURCE_DIR) + "/bench/grids/us15.txt");
  std::string line;
  while (std::getline(in, line) && !line.empty()) {
    for (int c = 0; c < static_cast<int>(line.size()); ++c)
      if (line[static_cast<std::size_t>(c)] == '#') layout.board.setIsle(layout.rows, c);
    layout.columns = static_cast<int>(line.size());
    ++layout.rows;
  }
  return layout;
}

gw::Layout side41() {
  gw::Layout layout;
  layout.rows = layout.columns = gw::kBoardSide;
  for (int r = 0; r < layout.rows; ++r)
    for (int c = 0; c < layout.columns; ++c)
      if ((r * 7 + c * 3) % 13 == 0) layout.board.setIsle(r, c);
  return layout;
}

void BM_Statistics(benchmark::State& state, gw::Layout (*make)()) {
  const gw::Layout layout = make();
  for (auto _ : state) {
    benchmark::DoNotOptimize(gw::layoutStatistics(layout));
    benchmark::DoNotOptimize(gw::isSymmetric(layout, gw::LayoutSymmetry::Rotational));
  }
}

BENCHMARK_CAPTURE(BM_Statistics, us15, us15)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Statistics, side41, side41)->Unit(benchmark::kMicrosecond);

}  // namespace
