// What the composing page computes off the window thread after a move or an edit: the ranked
// candidates of the slot under the cursor and the unfillable marks, on us15 and on a 41 × 41
// layout, with the shipped English list; and the word-list copy the window makes for them
// once per dictionary.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "authoring/composing/layout/layout_text.h"
#include "authoring/composing/search/slot_candidates.h"
#include "authoring/composing/search/unfillable_marks.h"
#include "common/file_io.h"
#include "shipped_dictionaries.h"

namespace {
namespace fs = std::filesystem;
using namespace gw;

Layout us15() {
  return parseTextLayout(readWholeFile(fs::path(GW_SOURCE_DIR) / "bench/grids/us15.txt"), Language::English);
}

// The word a search would see first in `slot` of the layout.
void placeFirstWord(Layout& layout, const WordListSnapshot& words, CellPos cell, Direction direction) {
  const std::atomic<bool> goOn{false};
  const SlotCandidates ranked =
      *rankSlotCandidates(words, layout, cell, direction, false, CandidateDepth::Propagated, goOn);
  if (!ranked.words.empty()) placeWord(layout.board, ranked.slot, ranked.words.front().word);
}

// us15 with its two long across words placed, as a constructor starts.
Layout us15Started() {
  Layout layout = us15();
  const WordListSnapshot words(bench::shippedDictionary(Language::English), 15);
  placeFirstWord(layout, words, {5, 4}, Direction::Across);
  placeFirstWord(layout, words, {9, 0}, Direction::Across);
  return layout;
}

// Isles spread over the whole board, so that runs are 2 to 12 cells long.
Layout side41() {
  Layout layout;
  layout.rows = layout.columns = kBoardSide;
  for (int r = 0; r < layout.rows; ++r)
    for (int c = 0; c < layout.columns; ++c)
      if ((r * 7 + c * 3) % 13 == 0) layout.board.setIsle(r, c);
  return layout;
}

struct Probe {
  Layout (*layout)();
  CellPos cell;
  Direction direction;
};

const WordListSnapshot& snapshot(int longest) {
  static std::map<int, std::unique_ptr<WordListSnapshot>> made;
  auto& s = made[longest];
  if (!s) s = std::make_unique<WordListSnapshot>(bench::shippedDictionary(Language::English), longest);
  return *s;
}

void BM_Candidates(benchmark::State& state, Probe probe) {
  const Layout layout = probe.layout();
  const WordListSnapshot& words = snapshot(std::max(layout.rows, layout.columns));
  const std::atomic<bool> goOn{false};
  std::size_t listed = 0, flagged = 0;
  for (auto _ : state) {
    const SlotCandidates ranked = *rankSlotCandidates(words, layout, probe.cell, probe.direction, false,
                                                      CandidateDepth(state.range(0)), goOn);
    listed = ranked.words.size();
    flagged = static_cast<std::size_t>(std::count_if(ranked.words.begin(), ranked.words.end(),
                                                     [](const SlotCandidate& c) { return c.unfillable; }));
  }
  state.counters["words"] = static_cast<double>(listed);
  state.counters["unfillable"] = static_cast<double>(flagged);
}

void BM_UnfillableMarks(benchmark::State& state, Layout (*make)()) {
  const Layout layout = make();
  const WordListSnapshot& words = snapshot(std::max(layout.rows, layout.columns));
  const std::atomic<bool> goOn{false};
  std::size_t marked = 0;
  for (auto _ : state) {
    const UnfillableMarks marks = *findUnfillable(words, layout, goOn);
    marked = marks.slots.size() + marks.cells.size();
  }
  state.counters["marks"] = static_cast<double>(marked);
}

void BM_WordListSnapshot(benchmark::State& state, int longest) {
  const Dictionary& d = bench::shippedDictionary(Language::English);
  for (auto _ : state) benchmark::DoNotOptimize(WordListSnapshot(d, longest));
}

// Argument 0 estimates, 1 propagates every word.
void estimatedAndPropagated(benchmark::internal::Benchmark* b) {
  b->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
}

// The five-letter slot of the open grid has the most words to try; the 15-letter one the fewest.
BENCHMARK_CAPTURE(BM_Candidates, us15_open_5, Probe{us15, {0, 0}, Direction::Across})
    ->Apply(estimatedAndPropagated);
BENCHMARK_CAPTURE(BM_Candidates, us15_open_15, Probe{us15, {5, 4}, Direction::Across})
    ->Apply(estimatedAndPropagated);
BENCHMARK_CAPTURE(BM_Candidates, us15_started_7down, Probe{us15Started, {6, 7}, Direction::Down})
    ->Apply(estimatedAndPropagated);
BENCHMARK_CAPTURE(BM_Candidates, side41_open, Probe{side41, {1, 1}, Direction::Across})
    ->Apply(estimatedAndPropagated);
BENCHMARK_CAPTURE(BM_UnfillableMarks, us15_open, us15)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_UnfillableMarks, us15_started, us15Started)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_UnfillableMarks, side41, side41)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_WordListSnapshot, longest15, 15)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_WordListSnapshot, longest41, 41)->Unit(benchmark::kMillisecond);

}  // namespace
