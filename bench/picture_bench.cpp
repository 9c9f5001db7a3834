// Pictures that cost time rather than memory: a progressive, arithmetic-coded 5000 x 5000 JPEG
// of 448 scans is a few kilobytes. Decoding it alone, and a crossword of 160 of them as every
// reader checks it before decoding.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "common/jpeg.h"
#include "common/picture_decoding.h"
#include "tests/support/scan_heavy_jpeg.h"

namespace {

const std::string& scanHeavyPicture() {
  static const std::string jpeg = gw::test::scanHeavyJpeg(5000, 5000, 7);
  return jpeg;
}

// Until refused (or, without the limits, decoded).
void decodeScanHeavyPicture(benchmark::State& state) {
  const std::string& jpeg = scanHeavyPicture();
  for (auto _ : state) {
    try {
      benchmark::DoNotOptimize(gw::decodeJpeg(jpeg, 200, 200));
    } catch (const gw::JpegError&) {
    }
  }
  state.counters["bytes"] = static_cast<double>(jpeg.size());
}
BENCHMARK(decodeScanHeavyPicture)->Unit(benchmark::kMillisecond)->Iterations(1);

// The check every way in makes before decoding a crossword's pictures.
void checkCrosswordOfScanHeavyPictures(benchmark::State& state) {
  std::vector<gw::Picture> pictures(160);
  for (gw::Picture& p : pictures) {
    p.width = p.height = 1;
    p.jpeg = scanHeavyPicture();
  }
  for (auto _ : state) {
    try {
      gw::requirePictureBudget(pictures);
    } catch (const gw::JpegError&) {
    }
  }
}
BENCHMARK(checkCrosswordOfScanHeavyPictures)->Unit(benchmark::kMillisecond);

}  // namespace
