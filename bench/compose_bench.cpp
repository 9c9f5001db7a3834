// Composing the example layouts with the shipped word lists: time to the first result,
// results per second and search steps per second of a longer compose.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "authoring/composing/dictionary/dictionary.h"
#include "authoring/composing/search/composer.h"
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

// "BENCH/en_4x4" for layout "en-4x4", as BENCHMARK_CAPTURE would name it.
benchmark::internal::Benchmark* layoutBench(const char* bench, void (*run)(benchmark::State&, const char*),
                                            const char* layout) {
  std::string id = layout;
  std::replace(id.begin(), id.end(), '-', '_');
  return benchmark::RegisterBenchmark((std::string(bench) + "/" + id).c_str(), run, layout)
      ->Unit(benchmark::kMillisecond);
}

[[maybe_unused]] const bool registered = [] {
  for (const char* layout : {"en-4x4", "en-5x5", "en-7x7", "en-9x9", "de-5x5", "de-6x6", "sr-5x5", "sr-6x6"})
    layoutBench("BM_FirstResult", BM_FirstResult, layout);
  for (const char* layout : {"en-5x5", "en-9x9", "de-6x6", "sr-6x6"})
    layoutBench("BM_Compose1000", BM_Compose1000, layout);
  layoutBench("BM_ComposeExhausted", BM_ComposeExhausted, "en-4x4")->Iterations(1);
  return true;
}();

}  // namespace
