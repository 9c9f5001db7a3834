// Composing the example layouts with the shipped word lists: time to the first result,
// results per second and search steps per second of a longer compose.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <memory>

#include "authoring/composing/search/composer.h"
#include "authoring/composing/dictionary/dictionary.h"
#include "bench/shipped_dictionaries.h"
#include "common/file_io.h"

namespace {
namespace fs = std::filesystem;
using namespace gw;

// Result files go to memory when it can: the benchmark measures the search, not the disk.
fs::path scratchFolder() {
  fs::path base = fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
  fs::path dir = base / ("gw_compose_bench_" + std::to_string(::getpid()));
  fs::create_directories(dir / "Results");
  return dir;
}

struct StopAfter : ComposerListener {
  Composer* composer = nullptr;
  int limit = 0;
  int written = 0;
  void resultWritten(const fs::path&, int) override {
    if (++written >= limit) composer->stop();
  }
};

// Composes `name` until `limit` results are written (or the search is exhausted), in
// slices of the search as gridwright-compose runs it.
void compose(benchmark::State& state, const char* name, int limit) {
  const fs::path layoutFile = fs::path(GW_SOURCE_DIR) / "data/layouts" / (std::string(name) + ".C_WM");
  fs::path dir = scratchFolder();
  ComposingFiles files;
  files.wordFile = [](Language language) {
    return fs::path(GW_PROGRAM_DIR) / std::string(wordFileName(language));
  };
  files.resultsFolder = dir / "Results";
  const Layout layout = readPatternFile(layoutFile);
  Dictionary& dictionary = bench::shippedDictionary(layout.language);
  std::uint64_t steps = 0;
  std::int64_t results = 0;
  for (auto _ : state) {
    LayoutSession session(dictionary, files);  // the word list is loaded once, above
    session.useLayout(layout, dir / layoutFile.filename());
    StopAfter listener;
    listener.limit = limit;
    Composer composer(session, listener);
    listener.composer = &composer;
    composer.start();
    while (composer.run(RunBudget::forTime(std::chrono::milliseconds(50))) == ComposingState::Running) {
    }
    steps += composer.steps();
    results += listener.written;
  }
  state.counters["results"] = benchmark::Counter(static_cast<double>(results), benchmark::Counter::kIsRate);
  state.counters["steps"] = benchmark::Counter(static_cast<double>(steps), benchmark::Counter::kIsRate);
  state.counters["results_per_compose"] =
      benchmark::Counter(static_cast<double>(results), benchmark::Counter::kAvgIterations);
  fs::remove_all(dir);
}

void BM_FirstResult(benchmark::State& state, const char* name) { compose(state, name, 1); }
void BM_Compose1000(benchmark::State& state, const char* name) { compose(state, name, 1000); }
void BM_ComposeExhausted(benchmark::State& state, const char* name) { compose(state, name, 1 << 30); }

#define GW_LAYOUT_BENCH(fn, id, name) BENCHMARK_CAPTURE(fn, id, name)->Unit(benchmark::kMillisecond)
GW_LAYOUT_BENCH(BM_FirstResult, en_4x4, "en-4x4");
GW_LAYOUT_BENCH(BM_FirstResult, en_5x5, "en-5x5");
GW_LAYOUT_BENCH(BM_FirstResult, en_7x7, "en-7x7");
GW_LAYOUT_BENCH(BM_FirstResult, en_9x9, "en-9x9");
GW_LAYOUT_BENCH(BM_FirstResult, de_5x5, "de-5x5");
GW_LAYOUT_BENCH(BM_FirstResult, de_6x6, "de-6x6");
GW_LAYOUT_BENCH(BM_FirstResult, sr_5x5, "sr-5x5");
GW_LAYOUT_BENCH(BM_FirstResult, sr_6x6, "sr-6x6");
GW_LAYOUT_BENCH(BM_Compose1000, en_5x5, "en-5x5");
GW_LAYOUT_BENCH(BM_Compose1000, en_9x9, "en-9x9");
GW_LAYOUT_BENCH(BM_Compose1000, de_6x6, "de-6x6");
GW_LAYOUT_BENCH(BM_Compose1000, sr_6x6, "sr-6x6");
GW_LAYOUT_BENCH(BM_ComposeExhausted, en_4x4, "en-4x4")->Iterations(1);

}  // namespace
