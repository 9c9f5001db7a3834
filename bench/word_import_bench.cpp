// The dictionary editor's word list on the German list (about 356,000 words): opening it,
// importing a file of as many new words, writing it and reloading the composing
// dictionary, and the memory the list holds. The import merges the new words in batches,
// as the editor does; the naive row inserts one word at a time into the sorted list, for
// comparison (per word: items_per_second).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

#include "authoring/composing/dictionary/dictionary.h"
#include "authoring/composing/dictionary/word_collation.h"
#include "authoring/composing/dictionary/word_lists/word_import.h"
#include "authoring/composing/dictionary/word_lists/word_list.h"
#include "bench/word_list_bench_files.h"

namespace {
namespace fs = std::filesystem;
using gw::Language;
using gw::WordList;
using namespace gw::bench;

const fs::path& kGermanList = germanWordList();

void reportPeakMemory(benchmark::State& state) { state.counters["peak_rss_MB"] = peakMegabytes(); }

void BM_OpenGermanList(benchmark::State& state) {
  if (!haveGermanList(state)) return;
  WordList list(Language::German);
  for (auto _ : state) {
    list.load(kGermanList);
    benchmark::DoNotOptimize(list.size());
  }
  state.counters["words"] = static_cast<double>(list.size());
  state.counters["list_MB"] = static_cast<double>(list.memoryUsage()) / (1024.0 * 1024.0);
  reportPeakMemory(state);
}
BENCHMARK(BM_OpenGermanList)->Unit(benchmark::kMillisecond);

// The whole import as the editor runs it: read and convert every line, sort keys, and
// merge batches of the words into the list of 356,000.
void BM_ImportIntoGermanList(benchmark::State& state) {
  if (!haveGermanList(state)) return;
  const std::size_t batchSize = static_cast<std::size_t>(state.range(0));
  std::size_t added = 0;
  for (auto _ : state) {
    state.PauseTiming();
    WordList list(Language::German);
    list.load(kGermanList);
    state.ResumeTiming();
    gw::ImportFileScan scan = gw::scanImportFile(germanImportFile());
    gw::ImportFileReader reader(germanImportFile(), scan.encoding, Language::German);
    gw::WordCollation collation(Language::German);
    std::vector<gw::WordEntry> batch;
    added = 0;
    gw::ImportCallbacks callbacks;
    callbacks.wordFound = [&](std::string w) {
      batch.push_back(gw::WordEntry{collation.sortKey(w), std::move(w)});
      if (batch.size() == batchSize) added += list.merge(std::exchange(batch, {})).size();
    };
    gw::readImportWords(reader, scan.lineCount, gw::WordRules(Language::German), callbacks);
    added += list.merge(std::move(batch)).size();
    benchmark::DoNotOptimize(list.size());
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * added));
  state.counters["added"] = static_cast<double>(added);
  reportPeakMemory(state);
}
// Batches of 20,000 words stand for the editor's hand-overs of about 50 ms each.
BENCHMARK(BM_ImportIntoGermanList)->Arg(20000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// The naive way: every new word inserted on its own into the sorted list of 356,000.
void BM_NaiveInsertIntoGermanList(benchmark::State& state) {
  if (!haveGermanList(state)) return;
  const auto count = static_cast<std::size_t>(state.range(0));
  WordList base(Language::German);
  base.load(kGermanList);
  std::vector<std::string> words;
  for (std::size_t i = 0; i < base.size() && words.size() < count; i += base.size() / count)
    words.push_back(std::string(base.word(i)) + "X");
  for (auto _ : state) {
    state.PauseTiming();
    WordList list(Language::German);
    list.load(kGermanList);
    state.ResumeTiming();
    for (const auto& w : words) list.insert(w);
    benchmark::DoNotOptimize(list.size());
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * words.size()));
}
BENCHMARK(BM_NaiveInsertIntoGermanList)->Arg(5000)->Unit(benchmark::kMillisecond)->Iterations(1);

// OK: write the word file and load it as the composing dictionary.
void BM_SaveAndReloadGermanList(benchmark::State& state) {
  if (!haveGermanList(state)) return;
  WordList list(Language::German);
  list.load(kGermanList);
  gw::Dictionary dictionary;
  const fs::path target = scratchFolder() / "Make" / "DE.words";
  for (auto _ : state) {
    list.save(target);
    dictionary.load(target, Language::German);
    benchmark::DoNotOptimize(dictionary.totalWordCount());
  }
  state.counters["dictionary_words"] = static_cast<double>(dictionary.totalWordCount());
}
BENCHMARK(BM_SaveAndReloadGermanList)->Unit(benchmark::kMillisecond);

}  // namespace
