// Quick fill in the window against the first-fill search run as gridwright-compose runs it,
// with the same seeds and two lanes: the same fills, so the same words tried. Per fill: wall
// and process CPU time; for the window also the CPU time of the window thread (it only waits
// for the lanes) and how late a 10 ms timer fired at worst (how long input waits).
//
//   quick_fill_bench [--benchmark_filter=...]      GW_BENCH_SEEDS=5 fills per layout by default
#include <benchmark/benchmark.h>
#include <time.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "authoring/composing/dictionary/dictionary.h"
#include "authoring/composing/layout/composing_files.h"
#include "authoring/composing/layout/layout_text.h"
#include "authoring/composing/search/first_fill_search.h"
#include "authoring/composing/search/layout_session.h"
#include "authoring/gui/composing/quick_fill_controller.h"
#include "bench/bench_main.h"

namespace {
namespace fs = std::filesystem;
using namespace gw;
using namespace gw::gui;

constexpr int kLanes = 2;

int seedCount() {
  const char* s = std::getenv("GW_BENCH_SEEDS");
  return s ? std::max(1, std::atoi(s)) : 5;
}

// The classic American 15 × 15 (76 words), and an example layout of the program.
Layout benchLayout(const std::string& name) {
  if (name == "us15")
    return parseTextLayout(
        ".....#....#....\n.....#....#....\n..........#....\n......##...#...\n###.....#.....#\n"
        "...#...........\n.....#....#....\n....#.....#....\n....#....#.....\n...........#...\n"
        "#.....#.....###\n...#...##......\n....#..........\n....#....#.....\n....#....#.....\n",
        Language::English);
  return readPatternFile(fs::path(GW_SOURCE_DIR) / "data/layouts" / (name + ".C_WM"));
}

Dictionary& englishDictionary() {
  static const std::unique_ptr<Dictionary> d = [] {
    auto loaded = std::make_unique<Dictionary>();
    loaded->load(fs::path(GW_PROGRAM_DIR) / std::string(wordFileName(Language::English)), Language::English);
    return loaded;
  }();
  return *d;
}

double cpuSeconds(clockid_t clock) {
  timespec t{};
  clock_gettime(clock, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

fs::path scratchFolder() {
  fs::path base = fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
  fs::path dir = base / ("gw_quick_fill_bench_" + std::to_string(::getpid()));
  fs::create_directories(dir / "Results");
  return dir;
}

void report(benchmark::State& state, int fills, double wall, double cpu, std::uint64_t steps) {
  state.counters["fills"] = fills;
  state.counters["ms_per_fill"] = wall * 1000 / fills;
  state.counters["cpu_ms_per_fill"] = cpu * 1000 / fills;
  state.counters["words_tried_per_fill"] = static_cast<double>(steps) / fills;
  state.SetIterationTime(wall);
}

// As gridwright-compose --first-fill runs it: run(256) until the search ends.
void BM_Headless(benchmark::State& state, const std::string& name) {
  const Layout layout = benchLayout(name);
  const std::vector<Slot> slots = deriveSlots(layout);
  Dictionary& dictionary = englishDictionary();
  for (auto _ : state) {
    const double cpuBegin = cpuSeconds(CLOCK_PROCESS_CPUTIME_ID);
    const auto begin = std::chrono::steady_clock::now();
    std::uint64_t steps = 0;
    int fills = 0;
    for (int seed = 1; seed <= seedCount(); ++seed) {
      FirstFillSearch search(dictionary, layout.board, slots,
                             FirstFillOptions{static_cast<std::uint64_t>(seed), kLanes});
      while (search.run(256) == FirstFillStatus::Searching) {
      }
      steps += search.steps();
      fills += search.status() == FirstFillStatus::Filled;
    }
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    report(state, fills, wall, cpuSeconds(CLOCK_PROCESS_CPUTIME_ID) - cpuBegin, steps);
  }
}

// The window's controller on the event loop, its result files written, with a 10 ms timer
// standing for the author's input.
void BM_Window(benchmark::State& state, const std::string& name) {
  const fs::path dir = scratchFolder();
  Dictionary& dictionary = englishDictionary();
  ComposingFiles files{[](Language l) { return fs::path(GW_PROGRAM_DIR) / std::string(wordFileName(l)); },
                       dir / "Results"};
  for (auto _ : state) {
    LayoutSession session(dictionary, files);
    session.useLayout(benchLayout(name), dir / (name + ".C_WM"));
    QuickFillController controller;
    QEventLoop loop;
    std::uint64_t steps = 0;
    int fills = 0;
    QObject::connect(&controller, &QuickFillController::finished, [&](const QuickFillReport& r) {
      steps += r.steps;
      fills += r.outcome == QuickFillOutcome::Filled;
      loop.quit();
    });
    QElapsedTimer clock;
    qint64 lastTick = 0, worstLate = 0;
    QTimer input;
    input.setInterval(10);
    input.setTimerType(Qt::PreciseTimer);
    QObject::connect(&input, &QTimer::timeout, [&] {
      const qint64 now = clock.elapsed();
      worstLate = std::max(worstLate, now - lastTick - 10);
      lastTick = now;
    });
    const double cpuBegin = cpuSeconds(CLOCK_PROCESS_CPUTIME_ID);
    const double windowCpuBegin = cpuSeconds(CLOCK_THREAD_CPUTIME_ID);
    clock.start();
    input.start();
    for (int seed = 1; seed <= seedCount(); ++seed) {
      lastTick = clock.elapsed();
      controller.start(session, FirstFillOptions{static_cast<std::uint64_t>(seed), kLanes});
      loop.exec();
    }
    const double wall = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    report(state, fills, wall, cpuSeconds(CLOCK_PROCESS_CPUTIME_ID) - cpuBegin, steps);
    state.counters["window_cpu_ms_per_fill"] =
        (cpuSeconds(CLOCK_THREAD_CPUTIME_ID) - windowCpuBegin) * 1000 / fills;
    state.counters["worst_input_delay_ms"] = static_cast<double>(worstLate);
  }
  fs::remove_all(dir);
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  for (const std::string name : {"us15", "en-9x9"})
    gw::bench::registerHeadlessAndWindow<const std::string&>(name, BM_Headless, BM_Window, name);
  gw::bench::runBenchmarks(argc, argv);
  return 0;
}
