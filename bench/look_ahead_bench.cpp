// The look-ahead and the first-fill search on the benchmark grids of bench/grids (American
// 15 × 15 and 21 × 21, free-form 13 × 13 and 17 × 17) with Debian's American word list as
// the benchmark list is made: upper-cased, A to Z only, 2 to 15 letters, plus the 26
// single letters (the free-form grids have unchecked cells).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <set>

#include "authoring/composing/dictionary/dictionary.h"
#include "authoring/composing/search/fill_propagator.h"
#include "authoring/composing/search/first_fill_search.h"
#include "authoring/composing/layout/layout_text.h"
#include "common/file_io.h"

namespace {
namespace fs = std::filesystem;
using namespace gw;

const Dictionary& benchWords() {
  static std::unique_ptr<Dictionary> d;
  if (!d) {
    std::set<std::string> words;
    std::ifstream in("/usr/share/dict/american-english");
    for (std::string line; std::getline(in, line);) {
      std::transform(line.begin(), line.end(), line.begin(),
                     [](unsigned char c) { return c >= 'a' && c <= 'z' ? c - 32 : c; });
      if (line.size() >= 2 && line.size() <= 15 &&
          std::all_of(line.begin(), line.end(), [](char c) { return c >= 'A' && c <= 'Z'; }))
        words.insert(line);
    }
    for (char c = 'A'; c <= 'Z'; ++c) words.insert(std::string(1, c));
    d = std::make_unique<Dictionary>();
    d->loadLines(std::vector<std::string>(words.begin(), words.end()), Language::English);
  }
  return *d;
}

Layout grid(const char* name) {
  return parseTextLayout(
      readWholeFile(fs::path(GW_SOURCE_DIR) / "bench/grids" / (std::string(name) + ".txt")),
      Language::English);
}

// Building the look-ahead of a grid: the bit sets of its lengths and the first propagation.
void BM_LookAheadSetUp(benchmark::State& state, const char* name) {
  const Dictionary& d = benchWords();
  Layout layout = grid(name);
  std::vector<Slot> slots = deriveSlots(layout);
  for (auto _ : state) {
    WordBitSets bits(d, slotLengths(slots));
    FillPropagator p(bits, layout.board, slots, {});
    benchmark::DoNotOptimize(p.consistent());
  }
}

// Placing a random word in a random slot and taking it back: propagations per second.
void BM_PlaceAndUndo(benchmark::State& state, const char* name) {
  const Dictionary& d = benchWords();
  Layout layout = grid(name);
  std::vector<Slot> slots = deriveSlots(layout);
  WordBitSets bits(d, slotLengths(slots));
  FillPropagator p(bits, layout.board, slots, {});
  std::mt19937_64 rng(1);
  std::int64_t placed = 0;
  for (auto _ : state) {
    const SlotId slot(rng() % static_cast<std::uint64_t>(p.slotCount()));
    auto word = static_cast<FillPropagator::WordId>(rng() % p.wordsOf(slot).wordCount());
    std::int64_t next = p.next(slot, word);
    if (next < 0) next = p.next(slot, 0);
    p.pushLevel();
    placed += p.assign(slot, static_cast<FillPropagator::WordId>(next));
    p.popLevel();
  }
  state.counters["placements"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  state.counters["consistent"] =
      benchmark::Counter(static_cast<double>(placed), benchmark::Counter::kAvgIterations);
}

// One first fill with one lane, a new seed each iteration; the dictionary is loaded once.
void BM_FirstFill(benchmark::State& state, const char* name) {
  const Dictionary& d = benchWords();
  Layout layout = grid(name);
  std::vector<Slot> slots = deriveSlots(layout);
  std::uint64_t seed = 0, steps = 0, filled = 0;
  for (auto _ : state) {
    FirstFillSearch search(d, layout.board, slots, {++seed, 1, false});
    FirstFillStatus status = FirstFillStatus::Searching;
    while (status == FirstFillStatus::Searching && search.steps() < 2000000) status = search.run(4096);
    steps += search.steps();
    filled += status == FirstFillStatus::Filled;
  }
  state.counters["steps"] = benchmark::Counter(static_cast<double>(steps), benchmark::Counter::kIsRate);
  state.counters["steps_per_fill"] =
      benchmark::Counter(static_cast<double>(steps), benchmark::Counter::kAvgIterations);
  state.counters["filled"] =
      benchmark::Counter(static_cast<double>(filled), benchmark::Counter::kAvgIterations);
}

#define GW_GRID_BENCH(fn, name) BENCHMARK_CAPTURE(fn, name, #name)->Unit(benchmark::kMillisecond)
GW_GRID_BENCH(BM_LookAheadSetUp, us15);
GW_GRID_BENCH(BM_LookAheadSetUp, us21b);
BENCHMARK_CAPTURE(BM_PlaceAndUndo, us15, "us15");
BENCHMARK_CAPTURE(BM_PlaceAndUndo, us21b, "us21b");
GW_GRID_BENCH(BM_FirstFill, ff13)->Iterations(10);
GW_GRID_BENCH(BM_FirstFill, ff17b)->Iterations(10);
GW_GRID_BENCH(BM_FirstFill, us15)->Iterations(10);
GW_GRID_BENCH(BM_FirstFill, us15b)->Iterations(10);
GW_GRID_BENCH(BM_FirstFill, us21b)->Iterations(3);

}  // namespace
