// The composing page while it ranks candidates and marks what cannot be filled, on us15 with
// the shipped English list (Qt, offscreen): how long after a move of the cursor the panel
// shows the estimate and then the propagated ranking, how long after a typed letter the marks
// are back, and how late a 1 ms timer fired meanwhile at worst (how long input waits).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QTimer>
#include <filesystem>

#include "authoring/composing/dictionary/dictionary.h"
#include "authoring/composing/layout/composing_files.h"
#include "authoring/composing/layout/layout_text.h"
#include "authoring/gui/composing/composing_page.h"
#include "authoring/gui/composing/grid_insight_runner.h"
#include "authoring/gui/composing/layout_grid_view.h"
#include "bench/bench_main.h"
#include "common/file_io.h"
#include "gui_common/prompts.h"

namespace {
namespace fs = std::filesystem;
using namespace gw;
using namespace gw::gui;

struct Page {
  fs::path dir = fs::temp_directory_path() /
                 ("gw_candidates_bench_" + std::to_string(QCoreApplication::applicationPid()));
  Dictionary dictionary;
  FileDialogFolders dialogFolders;
  QMainWindow window;
  ComposingPage* page = nullptr;
  GridInsightRunner* runner = nullptr;

  Page() {
    fs::create_directories(dir / "Make" / "Results");
    fs::copy_file(fs::path(GW_PROGRAM_DIR) / "Make/EN.words", dir / "Make/EN.words",
                  fs::copy_options::overwrite_existing);
    const fs::path pattern = dir / "Make/us15.C_WM";
    writePatternFile(pattern, parseTextLayout(readWholeFile(fs::path(GW_SOURCE_DIR) / "bench/grids/us15.txt"),
                                              Language::English));
    page = new ComposingPage(dictionary, programFoldersFor(dir, dir), dialogFolders);
    window.setCentralWidget(page);
    window.show();
    page->openPatternFile(QString::fromStdString(pattern.string()));
    runner = page->findChild<GridInsightRunner*>();
  }
  ~Page() {
    window.close();
    std::error_code ec;
    fs::remove_all(dir, ec);
  }
};

// Runs the event loop until `done`, and says how late a 1 ms timer fired at worst.
template <typename Done>
double worstTimerDelayMs(Done done) {
  QElapsedTimer clock;
  double worst = 0;
  QTimer tick;
  tick.setInterval(1);
  clock.start();
  qint64 last = clock.nsecsElapsed();
  QObject::connect(&tick, &QTimer::timeout, [&] {
    const qint64 now = clock.nsecsElapsed();
    worst = std::max(worst, (now - last) / 1e6 - 1);
    last = now;
  });
  tick.start();
  while (!done()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
  return worst;
}

void BM_CandidatesInTheWindow(benchmark::State& state) {
  Page p;
  double estimate = 0, ranked = 0, worstWait = 0;
  int moves = 0;
  for (auto _ : state) {
    // The 11-letter across slot of row 6 (the slowest to rank), then the top-left one.
    const CellPos cell = moves % 2 == 0 ? CellPos{5, 4} : CellPos{0, 0};
    bool gotEstimate = false, gotRanking = false;
    QElapsedTimer since;
    auto c = QObject::connect(p.runner, &GridInsightRunner::candidatesReady, [&](const SlotCandidates& s) {
      (s.depth == CandidateDepth::Estimate ? estimate : ranked) += since.nsecsElapsed() / 1e6;
      (s.depth == CandidateDepth::Estimate ? gotEstimate : gotRanking) = true;
    });
    since.start();
    p.page->grid()->moveCursorTo(cell.row, cell.column);
    worstWait = std::max(worstWait, worstTimerDelayMs([&] { return gotEstimate && gotRanking; }));
    QObject::disconnect(c);
    ++moves;
  }
  state.counters["estimate_ms"] = estimate / moves;
  state.counters["ranked_ms"] = ranked / moves;
  state.counters["worst_input_wait_ms"] = worstWait;
}

void BM_MarksInTheWindow(benchmark::State& state) {
  Page p;
  double marks = 0, worstWait = 0;
  int edits = 0;
  for (auto _ : state) {
    bool got = false;
    QElapsedTimer since;
    auto c = QObject::connect(p.runner, &GridInsightRunner::marksReady, [&](const UnfillableMarks&) {
      marks += since.nsecsElapsed() / 1e6;
      got = true;
    });
    since.start();
    // A letter in, or the last one taken back.
    if (edits % 2 == 0) {
      p.page->workflow().setCurrentCell({14, 10});
      p.page->workflow().typeCharacter('X');
    } else {
      p.page->workflow().undo();
    }
    worstWait = std::max(worstWait, worstTimerDelayMs([&] { return got; }));
    QObject::disconnect(c);
    ++edits;
  }
  state.counters["marks_ms"] = marks / edits;
  state.counters["worst_input_wait_ms"] = worstWait;
}

}  // namespace

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  gw::gui::Prompts::setTesting(true);
  benchmark::RegisterBenchmark("CandidatesInTheWindow/us15", BM_CandidatesInTheWindow)
      ->Iterations(10)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("MarksInTheWindow/us15", BM_MarksInTheWindow)
      ->Iterations(20)
      ->Unit(benchmark::kMillisecond);
  gw::bench::runBenchmarks(argc, argv);
  return 0;
}
