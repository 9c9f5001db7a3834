// The composing window against the headless composer, in the same run: search steps and
// results per second on the example layouts, for the same length of time each. The window
// runs the real composing page (offscreen) with its timer-driven search and live display;
// its figures also say how late a 10 ms timer fired at worst (how long input waits) and
// how many frames it drew per second.
//
//   window_compose_bench [--benchmark_filter=...]      GW_BENCH_SECONDS=3 by default
#include <benchmark/benchmark.h>
#include <time.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMainWindow>
#include <QTimer>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>

#include "authoring/composing/dictionary/dictionary.h"
#include "authoring/composing/layout/layout_text.h"
#include "authoring/composing/search/composer.h"
#include "authoring/gui/composing/compose_controller.h"
#include "authoring/gui/composing/compose_sounds.h"
#include "authoring/gui/composing/composing_page.h"
#include "bench/bench_main.h"
#include "bench/shipped_dictionaries.h"
#include "gui_common/prompts.h"

namespace {
namespace fs = std::filesystem;
using namespace gw;
using namespace gw::gui;

double benchSeconds() {
  const char* s = std::getenv("GW_BENCH_SECONDS");
  return s ? std::max(0.5, std::atof(s)) : 3.0;
}

// Results go to memory when it can: the benchmark measures the search, not the disk.
fs::path scratchFolder(const std::string& name) {
  fs::path base = fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
  fs::path dir = base / ("gw_window_bench_" + std::to_string(::getpid())) / name;
  fs::remove_all(dir);
  fs::create_directories(dir / "Make" / "Results");
  return dir;
}

// The example layouts of data/layouts, and "en-41x41": the largest board, isles on diagonals,
// where drawing costs the most.
fs::path exampleLayout(const char* name) {
  if (std::string(name) != "en-41x41")
    return fs::path(GW_SOURCE_DIR) / "data/layouts" / (std::string(name) + ".C_WM");
  static const fs::path big = [] {
    std::string text;
    for (int r = 0; r < kBoardSide; ++r) {
      for (int c = 0; c < kBoardSide; ++c) text += (r * 3 + c) % 7 == 0 ? '#' : '.';
      text += '\n';
    }
    fs::path file = scratchFolder("layouts") / "en-41x41.C_WM";
    writePatternFile(file, parseTextLayout(text, Language::English));
    return file;
  }();
  return big;
}

// CPU time of the calling thread: the search and the window's drawing share it, so steps per
// CPU second compare the two fairly also on a busy machine.
double threadCpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

void report(benchmark::State& state, double seconds, double cpuSeconds, std::uint64_t steps, int results) {
  state.counters["steps_per_s"] = benchmark::Counter(static_cast<double>(steps) / seconds);
  state.counters["steps_per_cpu_s"] = benchmark::Counter(static_cast<double>(steps) / cpuSeconds);
  state.counters["results_per_s"] = benchmark::Counter(static_cast<double>(results) / seconds);
  state.SetIterationTime(seconds);
}

// As gridwright-compose runs it: slices of 50 ms until the time is up.
void BM_Headless(benchmark::State& state, const char* name) {
  const fs::path dir = scratchFolder(std::string("headless-") + name);
  const Layout layout = readPatternFile(exampleLayout(name));
  Dictionary& dictionary = bench::shippedDictionary(layout.language);
  ComposingFiles files{[](Language l) { return fs::path(GW_PROGRAM_DIR) / std::string(wordFileName(l)); },
                       dir / "Make" / "Results"};
  for (auto _ : state) {
    LayoutSession session(dictionary, files);
    session.useLayout(layout, dir / "Make" / exampleLayout(name).filename());
    ComposerListener quiet;
    Composer composer(session, quiet);
    // Both sides are timed from the running search on: starting (ordering the slots, and
    // in the window the word order dialog's proposal) is not part of the comparison.
    const auto startBegin = std::chrono::steady_clock::now();
    composer.start();
    state.counters["start_ms"] =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - startBegin).count();
    const std::uint64_t stepsBefore = composer.steps();
    const double cpuBegin = threadCpuSeconds();
    const auto begin = std::chrono::steady_clock::now();
    const auto end = begin + std::chrono::duration<double>(benchSeconds());
    while (std::chrono::steady_clock::now() < end &&
           composer.run(RunBudget::forTime(std::chrono::milliseconds(50))) == ComposingState::Running) {
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    report(state, seconds, threadCpuSeconds() - cpuBegin, composer.steps() - stepsBefore,
           composer.resultCount());
    composer.stop();
  }
  fs::remove_all(dir);
}

struct NoSounds : ComposeSoundOutput {
  void play(ComposerSound) override {}
};

// The composing page in a shown main window, started from its Start command; a 10 ms
// timer stands for the author's input and records how late it fires.
void BM_Window(benchmark::State& state, const char* name) {
  const fs::path dir = scratchFolder(std::string("window-") + name);
  fs::copy_file(exampleLayout(name), dir / "Make" / exampleLayout(name).filename());
  ProgramFolders folders;
  folders.executableFolder = folders.writableFolder = folders.configFolder = dir;
  folders.dataFolder = GW_PROGRAM_DIR;
  folders.portable = false;
  for (auto _ : state) {
    Dictionary dictionary;
    FileDialogFolders dialogFolders;
    NoSounds sounds;
    QMainWindow window;
    auto* page = new ComposingPage(dictionary, folders, dialogFolders);
    window.setCentralWidget(page);
    page->controller().setSoundOutput(&sounds);
    window.show();
    page->openPatternFile(QString::fromStdString((dir / "Make" / exampleLayout(name).filename()).string()));
    int frames = 0;
    QObject::connect(&page->controller(), &ComposeController::frameDue, [&] { ++frames; });

    QEventLoop loop;
    QElapsedTimer clock;
    qint64 lastTick = 0, worstLate = 0;
    QTimer input;
    input.setInterval(10);
    input.setTimerType(Qt::PreciseTimer);
    const qint64 limitMs = static_cast<qint64>(benchSeconds() * 1000);
    QObject::connect(&input, &QTimer::timeout, [&] {
      const qint64 now = clock.elapsed();
      worstLate = std::max(worstLate, now - lastTick - 10);
      lastTick = now;
      if (now >= limitMs || !page->isComposing()) loop.quit();
    });
    page->updateActions(true);
    QElapsedTimer startClock;
    startClock.start();
    // Start compose with the computed order, as the headless composer uses it.
    page->workflow().startComposing({});
    state.counters["start_ms"] = static_cast<double>(startClock.nsecsElapsed()) / 1e6;
    const std::uint64_t stepsBefore = page->controller().composer().steps();
    const double cpuBegin = threadCpuSeconds();
    clock.start();
    input.start();
    loop.exec();
    const double seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    const Composer& composer = page->controller().composer();
    report(state, seconds, threadCpuSeconds() - cpuBegin, composer.steps() - stepsBefore,
           composer.resultCount());
    state.counters["worst_input_delay_ms"] = benchmark::Counter(static_cast<double>(worstLate));
    state.counters["frames_per_s"] = benchmark::Counter(frames / seconds);
    page->stopBeforeExit();
  }
  fs::remove_all(dir);
}

}  // namespace

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  // No dialog opens: "Continue?" is answered No.
  gw::gui::Prompts::setTesting(true);
  for (const char* name : {"en-9x9", "de-6x6", "sr-6x6", "en-41x41"})
    gw::bench::registerHeadlessAndWindow(name, BM_Headless, BM_Window, name);
  gw::bench::runBenchmarks(argc, argv);
  fs::remove_all(fs::path(fs::is_directory("/dev/shm") ? "/dev/shm" : fs::temp_directory_path()) /
                 ("gw_window_bench_" + std::to_string(::getpid())));
  return 0;
}
