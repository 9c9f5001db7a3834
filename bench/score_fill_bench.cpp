// Fills that prefer good words: the first-fill search on the benchmark grids with the shipped
// English list and its scores, 10 seeds each, against the same search with the scores left
// out of its value order, and with a minimum score of 50. Counters: median time per fill, how
// many seeds filled, the fills' mean word score and their share of words scored under 40.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <memory>
#include <vector>

#include "authoring/composing/dictionary/dictionary.h"
#include "authoring/composing/layout/layout_text.h"
#include "authoring/composing/search/fill_scores.h"
#include "authoring/composing/search/first_fill_search.h"
#include "common/file_io.h"

namespace {
namespace fs = std::filesystem;
using namespace gw;

constexpr int kSeeds = 10;
constexpr double kTimeLimitSeconds = 5;

const fs::path kWords = fs::path(GW_PROGRAM_DIR) / "Make/EN.words";

// Processor time of this thread: the machine may be shared, and one lane searches on one thread.
double threadCpuMs() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

double median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

enum class Mode { Scored, Unscored, Min50 };

// The shipped list with its scores (at a minimum score), or the same words without scores.
const Dictionary& dictionary(Mode mode) {
  static std::unique_ptr<Dictionary> loaded[3];
  auto& d = loaded[static_cast<int>(mode)];
  if (!d) {
    d = std::make_unique<Dictionary>();
    if (mode == Mode::Unscored) {
      const Dictionary& scored = dictionary(Mode::Scored);
      std::vector<std::string> words;
      for (int length = 1; length <= Dictionary::kMaxSlotLength; ++length)
        for (Dictionary::WordId id = 0; id < scored.wordCount(length); ++id)
          words.emplace_back(scored.word(length, id));
      d->loadLines(words, Language::English);
    } else {
      d->load(kWords, Language::English, mode == Mode::Min50 ? 50 : kDefaultMinWordScore);
    }
  }
  return *d;
}

void BM_QuickFillScores(benchmark::State& state, const char* grid, Mode mode) {
  if (!fs::exists(fs::path(kWords).replace_extension(".scores"))) {
    state.SkipWithError("EN.scores is not built");
    return;
  }
  const Dictionary& d = dictionary(mode);
  const Dictionary& judge = dictionary(Mode::Scored);
  const Layout layout =
      parseTextLayout(readWholeFile(fs::path(GW_SOURCE_DIR) / "bench/grids" / (std::string(grid) + ".txt")),
                      Language::English);
  const std::vector<Slot> slots = deriveSlots(layout);
  std::vector<double> times, wallTimes, setupTimes, steps, restarts;
  double scoreSum = 0;
  int words = 0, under40 = 0, filled = 0, noFill = 0, lowestPlaced = 100;
  for (auto _ : state) {
    for (int seed = 1; seed <= kSeeds; ++seed) {
      const auto start = std::chrono::steady_clock::now();
      const double cpuStart = threadCpuMs();
      FirstFillSearch search(d, layout.board, slots, {static_cast<std::uint64_t>(seed), 1, false});
      setupTimes.push_back(threadCpuMs() - cpuStart);
      FirstFillStatus status = FirstFillStatus::Searching;
      while (status == FirstFillStatus::Searching) {
        status = search.run(4096);
        if (std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() >
            kTimeLimitSeconds)
          break;
      }
      times.push_back(threadCpuMs() - cpuStart);
      wallTimes.push_back(
          std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
      steps.push_back(static_cast<double>(search.steps()));
      if (status == FirstFillStatus::Filled) restarts.push_back(static_cast<double>(search.restart()));
      if (status == FirstFillStatus::NoFill) ++noFill;
      if (status != FirstFillStatus::Filled) continue;
      ++filled;
      const FillScores s = fillScores(judge, slots, search.words(), 1);
      scoreSum += s.mean * s.words;
      words += s.words;
      under40 += s.under40;
      if (!s.lowest.empty()) lowestPlaced = std::min(lowestPlaced, s.lowest.front().second);
    }
  }
  state.counters["median_ms"] = median(times);
  state.counters["median_wall_ms"] = median(wallTimes);
  state.counters["median_setup_ms"] = median(setupTimes);
  state.counters["median_steps"] = median(steps);
  state.counters["median_restart"] = median(restarts);
  state.counters["filled"] = filled;
  state.counters["no_fill"] = noFill;
  state.counters["mean_score"] = words ? scoreSum / words : 0;
  state.counters["under40_pct"] = words ? 100.0 * under40 / words : 0;
  state.counters["lowest"] = lowestPlaced;
}

#define GW_SCORE_BENCH(grid)                                                                    \
  BENCHMARK_CAPTURE(BM_QuickFillScores, grid##_scored, #grid, Mode::Scored)->Iterations(1);     \
  BENCHMARK_CAPTURE(BM_QuickFillScores, grid##_unscored, #grid, Mode::Unscored)->Iterations(1); \
  BENCHMARK_CAPTURE(BM_QuickFillScores, grid##_min50, #grid, Mode::Min50)->Iterations(1)

GW_SCORE_BENCH(us15);
GW_SCORE_BENCH(us15b);
GW_SCORE_BENCH(ff13);
GW_SCORE_BENCH(ff17);

}  // namespace
