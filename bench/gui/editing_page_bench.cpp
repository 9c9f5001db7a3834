// The editing page on the largest clue list: a 41 × 41 crossword of some 700 words. What the
// author waits for at every word: moving to the next word from the clue box (Tab: the clue
// stored, the list, board and clue box following) and selecting a word by a click on the board,
// each with the page repainted. Every other answer is missing from the word list, so the list
// shows its marks as after the layout editor.
//
//   editing_page_bench [--benchmark_filter=...]     (QT_QPA_PLATFORM=offscreen)
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "authoring/gui/editing/clue_board.h"
#include "authoring/gui/editing/clue_editor.h"
#include "authoring/gui/editing/editing_page.h"
#include "bench/bench_main.h"
#include "common/crossword_reader.h"

namespace {

constexpr int kSize = 41;

// Letters everywhere but a scatter of blank cells, so that words of every length cross.
gw::CrosswordFile bigCrossword() {
  gw::CrosswordFile file;
  file.rows = kSize;
  file.columns = kSize;
  for (int r = 0; r < kSize; ++r)
    for (int c = 0; c < kSize; ++c)
      file.board += (r * 7 + c * 3) % 6 == 0 ? ' ' : char('A' + (r + 2 * c) % 26);
  return file;
}

struct Fixture {
  QTemporaryDir dir;
  gw::gui::FileDialogFolders folders;
  gw::gui::EditingPage page{folders};
  Fixture() {
    const QString path = dir.filePath("big.C_W");
    gw::writeCrosswordFile(path.toStdString(), bigCrossword());
    page.resize(1200, 900);
    page.show();
    page.openCrosswordFile(path);
    page.setSortedByNumber(true);
    markHalfTheAnswers();
    QCoreApplication::processEvents();
  }
  void markHalfTheAnswers() {
    const QString wordFile = dir.filePath("EN.words");
    std::string words;
    const auto& definitions = page.workflow().document().definitions();
    for (std::size_t i = 0; i < definitions.size(); i += 2) words += definitions.at(i).word + "\n";
    QFile file(wordFile);
    if (!file.open(QIODevice::WriteOnly)) return;
    file.write(words.data(), static_cast<qint64>(words.size()));
    file.close();
    page.workflow().setWordFiles([wordFile](gw::Language) { return wordFile.toStdString(); });
    QSignalSpy checked(&page.workflow(), &gw::gui::EditingWorkflow::wordCheckChanged);
    page.workflow().layoutEdited(page.workflow().document().layoutSnapshot(), true);
    checked.wait(10000);
  }
};

Fixture& fixture() {
  static Fixture f;
  return f;
}

void BM_NextWordByTab(benchmark::State& state) {
  Fixture& f = fixture();
  gw::gui::ClueEditor* clue = f.page.clueEditor();
  int n = 0;
  for (auto _ : state) {
    if (f.page.currentDefinition() < 0 || f.page.workflow().stepDefinition(f.page.currentDefinition(), 1) < 0)
      f.page.moveToDefinition(0);
    QTest::keyClicks(clue, n++ % 2 ? "a" : "b");
    QTest::keyClick(clue, Qt::Key_Tab);
    f.page.repaint();
  }
  state.counters["words"] = static_cast<double>(f.page.workflow().document().definitions().size());
  state.counters["marked"] =
      static_cast<double>(f.page.workflow().wordCheckStatus().section(' ', 0, 0).toInt());
}
BENCHMARK(BM_NextWordByTab)->Unit(benchmark::kMillisecond);

void BM_SelectWordByClick(benchmark::State& state) {
  Fixture& f = fixture();
  gw::gui::ClueBoard* board = f.page.board();
  int n = 0;
  for (auto _ : state) {
    const int r = (n * 5) % kSize, c = (n * 11) % kSize;
    ++n;
    QTest::mouseClick(board, Qt::LeftButton, {}, gw::gui::cellRect(r, c, board->cellSize()).center());
    f.page.repaint();
  }
}
BENCHMARK(BM_SelectWordByClick)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  gw::bench::runBenchmarks(argc, argv);
  return 0;
}
