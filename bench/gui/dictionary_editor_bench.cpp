// The dictionary editor itself on the German list (about 356,000 words): opening it,
// importing a file of 356,000 new words with the progress window live (and how long the
// user-interface thread is ever kept from its events meanwhile), how soon Cancel ends an
// import, and OK (write the word file and reload the composing dictionary). Peak memory
// of the whole process is reported with every row.
//   QT_QPA_PLATFORM=offscreen dictionary_editor_bench
#include <benchmark/benchmark.h>

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>

#include "authoring/composing/dictionary/dictionary.h"
#include "authoring/gui/dictionary/dictionary_editor_dialog.h"
#include "authoring/gui/dictionary/progress_runner.h"
#include "authoring/gui/dictionary/word_list_model.h"
#include "bench/bench_main.h"
#include "bench/word_list_bench_files.h"

namespace {
namespace fs = std::filesystem;
using gw::Language;
using gw::gui::DictionaryEditorDialog;
using namespace gw::bench;

const fs::path& kGermanList = germanWordList();

// Says Yes to "Want to import?" and OK to "Added N words!".
class MessageBoxAnswerer : public QObject {
 public:
  MessageBoxAnswerer() {
    connect(&timer_, &QTimer::timeout, this, [] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        QAbstractButton* yes = box->button(QMessageBox::Yes);
        (yes ? yes : box->button(QMessageBox::Ok))->click();
      }
    });
    timer_.start(2);
  }

 private:
  QTimer timer_;
};

// Longest pause between two ticks of a 5 ms timer: how long events waited at most.
class EventLoopWatch : public QObject {
 public:
  EventLoopWatch() {
    connect(&timer_, &QTimer::timeout, this, [this] {
      if (clock_.isValid()) longest_ = std::max(longest_, clock_.nsecsElapsed() / 1e6);
      clock_.restart();
    });
    timer_.start(5);
  }
  double longestMs() const { return longest_; }

 private:
  QTimer timer_;
  QElapsedTimer clock_;
  double longest_ = 0;
};

std::unique_ptr<DictionaryEditorDialog> openGermanEditor() {
  auto d = std::make_unique<DictionaryEditorDialog>(Language::German, kGermanList,
                                                    scratchFolder() / "Make/DE.words");
  d->workflow().loadWordFile();
  d->show();
  QApplication::processEvents();
  return d;
}

// Runs the event loop until `done` or the time runs out.
template <typename Done>
void waitFor(Done done, int timeoutMs = 60000) {
  QElapsedTimer t;
  t.start();
  while (!done() && t.elapsed() < timeoutMs) QApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
}

void BM_OpenEditorOnGermanList(benchmark::State& state) {
  if (!haveGermanList(state)) return;
  for (auto _ : state) {
    auto d = openGermanEditor();
    benchmark::DoNotOptimize(d->model().rowCount());
    state.PauseTiming();
    d.reset();
    state.ResumeTiming();
  }
  state.counters["peak_rss_MB"] = peakMegabytes();
}
BENCHMARK(BM_OpenEditorOnGermanList)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ImportIntoGermanEditor(benchmark::State& state) {
  if (!haveGermanList(state)) return;
  germanImportFile();
  double longestPause = 0;
  qint64 added = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto d = openGermanEditor();
    MessageBoxAnswerer answers;
    bool finished = false;
    QObject::connect(&d->workflow(), &gw::gui::DictionaryEditorWorkflow::importFinished, [&](qint64 n, bool) {
      finished = true;
      added = n;
    });
    state.ResumeTiming();
    EventLoopWatch watch;
    d->workflow().importFile(QString::fromStdString(germanImportFile().string()));
    waitFor([&] { return finished; });
    longestPause = std::max(longestPause, watch.longestMs());
    state.PauseTiming();
    d.reset();
    state.ResumeTiming();
  }
  state.counters["added"] = static_cast<double>(added);
  state.counters["longest_ui_pause_ms"] = longestPause;
  state.counters["peak_rss_MB"] = peakMegabytes();
}
BENCHMARK(BM_ImportIntoGermanEditor)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

// From a click on Cancel, 300 ms into an import, to the import's end.
void BM_CancelAnImport(benchmark::State& state) {
  if (!haveGermanList(state)) return;
  germanImportFile();
  for (auto _ : state) {
    state.PauseTiming();
    auto d = openGermanEditor();
    MessageBoxAnswerer answers;
    bool finished = false;
    QObject::connect(&d->workflow(), &gw::gui::DictionaryEditorWorkflow::importFinished,
                     [&](qint64, bool) { finished = true; });
    d->workflow().importFile(QString::fromStdString(germanImportFile().string()));
    QElapsedTimer running;
    running.start();
    waitFor([&] { return running.elapsed() >= 300; });
    auto* cancel = d->workflow().importRunner().window()
                       ? d->workflow().importRunner().window()->findChild<QPushButton*>("cancelButton")
                       : nullptr;
    if (!cancel) {
      state.SkipWithError("the import ended before Cancel");
      return;
    }
    state.ResumeTiming();
    cancel->click();
    waitFor([&] { return finished; });
    state.PauseTiming();
    d.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_CancelAnImport)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

void BM_OkWritesAndReloads(benchmark::State& state) {
  if (!haveGermanList(state)) return;
  gw::Dictionary dictionary;
  for (auto _ : state) {
    state.PauseTiming();
    auto d = openGermanEditor();
    d->workflow().setDictionaryReload([&](const fs::path& file) { dictionary.load(file, Language::German); });
    state.ResumeTiming();
    d->accept();
    state.PauseTiming();
    d.reset();
    state.ResumeTiming();
  }
  state.counters["dictionary_words"] = static_cast<double>(dictionary.totalWordCount());
  state.counters["peak_rss_MB"] = peakMegabytes();
}
BENCHMARK(BM_OkWritesAndReloads)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  gw::bench::runBenchmarks(argc, argv);
  std::error_code ec;
  fs::remove_all(scratchFolder(), ec);
  return 0;
}
