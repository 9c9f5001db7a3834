// Writing and reading ipuz and .puz: the largest board the authoring program makes (56 rows of
// 40 cells, a word across every row and down every column, a clue for each), and an example
// with its picture.
#include <benchmark/benchmark.h>

#include <string>

#include "common/crossword_reader.h"
#include "common/file_io.h"
#include "common/jpeg.h"
#include "interchange/ipuz_format.h"
#include "interchange/puz_format.h"

namespace {

gw::CrosswordFile largestBoard() {
  gw::CrosswordFile cw;
  cw.rows = 56;
  cw.columns = 40;
  for (int r = 0; r < cw.rows; ++r)
    for (int c = 0; c < cw.columns; ++c) cw.board += static_cast<char>('A' + (r * 7 + c * 3) % 26);
  for (int r = 0; r < cw.rows; ++r)
    cw.definitions.push_back({gw::Direction::Across, static_cast<std::uint8_t>(r), 0, cw.columns,
                              "An across clue of some length"});
  for (int c = 0; c < cw.columns; ++c)
    cw.definitions.push_back(
        {gw::Direction::Down, 0, static_cast<std::uint8_t>(c), cw.rows, "A down clue of some length"});
  return cw;
}

gw::CrosswordFile example() {
  return gw::readCrosswordFile(std::string(GW_SOURCE_DIR) + "/data/examples/en-donor.C_W",
                               gw::CrosswordReadMode::Authoring);
}

// One interchange format's writer and reader.
struct Format {
  gw::ExportedCrossword (*write)(const gw::CrosswordFile&, const gw::CrosswordCredits&);
  gw::ImportedCrossword (*read)(std::string_view);
};

void writeLargest(benchmark::State& state, Format format) {
  const gw::CrosswordFile cw = largestBoard();
  for (auto _ : state) benchmark::DoNotOptimize(format.write(cw, {}));
}

void readLargest(benchmark::State& state, Format format) {
  const std::string bytes = format.write(largestBoard(), {}).bytes;
  for (auto _ : state) benchmark::DoNotOptimize(format.read(bytes));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

[[maybe_unused]] const bool registered = [] {
  const std::pair<const char*, Format> formats[] = {{"Ipuz", {gw::writeIpuz, gw::readIpuz}},
                                                    {"Puz", {gw::writePuz, gw::readPuz}}};
  for (const auto& [name, format] : formats) {
    benchmark::RegisterBenchmark((std::string("write") + name + "Largest").c_str(), writeLargest, format)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark((std::string("read") + name + "Largest").c_str(), readLargest, format)
        ->Unit(benchmark::kMillisecond);
  }
  return true;
}();

void readIpuzExampleWithPicture(benchmark::State& state) {
  const std::string bytes = gw::writeIpuz(example()).bytes;
  for (auto _ : state) benchmark::DoNotOptimize(gw::readIpuz(bytes));
}
BENCHMARK(readIpuzExampleWithPicture)->Unit(benchmark::kMillisecond);

// A photograph of 4000 x 3000 pixels in 2 x 2 cells: read, it is decoded only at the size the
// boards draw it (an eighth), not at its own.
void readIpuzLargePicture(benchmark::State& state) {
  const int width = 4000, height = 3000;
  std::string rgb(static_cast<std::size_t>(width) * height * 3, '\0');
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      char* pixel = rgb.data() + (static_cast<std::size_t>(y) * width + x) * 3;
      pixel[0] = static_cast<char>(x * 255 / width);
      pixel[1] = static_cast<char>(y * 255 / height);
      pixel[2] = static_cast<char>((x ^ y) & 0x3F);
    }
  gw::CrosswordFile cw;
  cw.rows = 3;
  cw.columns = 3;
  cw.board = {gw::kBlankCell, gw::kBlankCell, 'A', gw::kBlankCell, gw::kBlankCell, 'B', 'C', 'D', 'E'};
  cw.pictures.push_back({0, 0, 2, 2, gw::encodeJpegRgb(width, height, rgb)});
  const std::string bytes = gw::writeIpuz(cw).bytes;
  for (auto _ : state) benchmark::DoNotOptimize(gw::readIpuz(bytes));
}
BENCHMARK(readIpuzLargePicture)->Unit(benchmark::kMillisecond);

// tests/data/ipuz/broken-picture-bomb.ipuz: 170 pictures declaring 5000 x 5000 pixels, refused
// from their headers.
void refuseIpuzPictureBomb(benchmark::State& state) {
  const std::string bytes =
      gw::readWholeFile(std::string(GW_SOURCE_DIR) + "/tests/data/ipuz/broken-picture-bomb.ipuz");
  for (auto _ : state) {
    try {
      gw::readIpuz(bytes);
      state.SkipWithError("the picture bomb was read");
      break;
    } catch (const gw::InterchangeError&) {
    }
  }
}
BENCHMARK(refuseIpuzPictureBomb)->Unit(benchmark::kMillisecond);

}  // namespace
