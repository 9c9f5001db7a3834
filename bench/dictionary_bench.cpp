// Dictionary queries, the bit-set index against the literal method (a multi-line
// regular expression over the CR LF joined words of one length), and the load of
// the largest shipped list.
//
// Arguments of the query benchmarks: word length, known letters. The known letters
// are taken from a real word, so every pattern has at least one match. The literal
// method builds its expression from each query's pattern, as a literal
// hasWord(pattern) must; the "precompiled:1" rows build it once, to show what the
// matching alone costs.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <regex>
#include <string>
#include <vector>

#include "authoring/composing/dictionary/dictionary.h"

namespace {

using gw::Dictionary;

const Dictionary& english() {
  static const Dictionary d = [] {
    Dictionary loaded;
    loaded.load(std::filesystem::path(GW_PROGRAM_DIR) / "Make/EN.words", gw::Language::English);
    return loaded;
  }();
  return d;
}

// Known letters at the middle, last and first positions (in that order of adding)
// of a word a third of the way into its length's list. Only the three-letter
// patterns know the first letter, which confines a scan to one stretch of the
// sorted list; the others show the index without that help.
std::string patternFor(int length, int known) {
  const Dictionary& d = english();
  std::string pattern(static_cast<std::size_t>(length), gw::kAnyLetter);
  if (d.wordCount(length) == 0) return pattern;
  const std::string w(d.word(length, static_cast<Dictionary::WordId>(d.wordCount(length) / 3)));
  const int positions[] = {length / 2, length - 1, 0};
  for (int k = 0; k < known; ++k) pattern[positions[k]] = w[positions[k]];
  return pattern;
}

std::regex literalExpression(const std::string& pattern) {
  return std::regex("^" + pattern + "$", std::regex_constants::ECMAScript | std::regex_constants::multiline);
}

// The pattern of a query benchmark from its arguments; false (and the benchmark
// skipped) when the word list is missing.
bool queryPattern(benchmark::State& state, std::string& pattern) {
  int length = static_cast<int>(state.range(0));
  if (english().wordCount(length) == 0) {
    state.SkipWithError("EN.words is not built");
    return false;
  }
  pattern = patternFor(length, static_cast<int>(state.range(1)));
  return true;
}

// The literal method over one length's text.
struct Literal {
  explicit Literal(benchmark::State& state, const std::string& pattern)
      : pattern(pattern),
        text(english().text(static_cast<int>(pattern.size()))),
        precompiled(state.range(2) != 0),
        once(literalExpression(pattern)) {}
  std::regex expression() const { return precompiled ? once : literalExpression(pattern); }

  std::string pattern;
  std::string text;
  bool precompiled;
  std::regex once;
};

void label(benchmark::State& state, const std::string& pattern, std::size_t matches) {
  state.SetLabel(pattern);
  state.counters["matches"] = static_cast<double>(matches);
}

void BM_FindWords_Index(benchmark::State& state) {
  std::string pattern;
  if (!queryPattern(state, pattern)) return;
  const Dictionary& d = english();
  std::vector<Dictionary::WordId> ids;
  for (auto _ : state) {
    d.findWords(pattern, ids);
    benchmark::DoNotOptimize(ids.data());
  }
  label(state, pattern, ids.size());
}

void BM_FindWords_Regex(benchmark::State& state) {
  std::string pattern;
  if (!queryPattern(state, pattern)) return;
  Literal literal(state, pattern);
  const auto lineBytes = static_cast<std::ptrdiff_t>(pattern.size() + 2);
  std::vector<Dictionary::WordId> ids;
  for (auto _ : state) {
    ids.clear();
    std::regex re = literal.expression();
    for (std::sregex_iterator it(literal.text.begin(), literal.text.end(), re), end; it != end; ++it)
      ids.push_back(static_cast<Dictionary::WordId>(it->position(0) / lineBytes));
    benchmark::DoNotOptimize(ids.data());
  }
  label(state, pattern, ids.size());
}

// Asks `has` on every iteration; the row is labelled with the query and its last answer.
template <typename Has>
void timeYesNo(benchmark::State& state, const std::string& query, Has has) {
  bool found = false;
  for (auto _ : state) {
    found = has();
    benchmark::DoNotOptimize(found);
  }
  label(state, query, found);
}

void BM_HasWord_Index(benchmark::State& state) {
  std::string pattern;
  if (!queryPattern(state, pattern)) return;
  timeYesNo(state, pattern, [&, &d = english()] { return d.hasWord(pattern); });
}

void BM_HasWord_Regex(benchmark::State& state) {
  std::string pattern;
  if (!queryPattern(state, pattern)) return;
  const Literal literal(state, pattern);
  timeYesNo(state, pattern, [&] { return std::regex_search(literal.text, literal.expression()); });
}

void BM_ContainsWord_Index(benchmark::State& state) {
  int length = static_cast<int>(state.range(0));
  if (english().wordCount(length) == 0) {
    state.SkipWithError("EN.words is not built");
    return;
  }
  std::string word(english().word(length, static_cast<Dictionary::WordId>(english().wordCount(length) / 3)));
  timeYesNo(state, word, [&, &d = english()] { return d.containsWord(word); });
}

void queryArguments(benchmark::internal::Benchmark* b) {
  b->ArgNames({"length", "known"});
  for (int length : {4, 7, 10})
    for (int known : {0, 1, 2, 3}) b->Args({length, known});
}

void literalArguments(benchmark::internal::Benchmark* b) {
  b->ArgNames({"length", "known", "precompiled"});
  for (int precompiled : {0, 1})
    for (int length : {4, 7, 10})
      for (int known : {0, 1, 2, 3}) b->Args({length, known, precompiled});
}

BENCHMARK(BM_FindWords_Index)->Apply(queryArguments);
BENCHMARK(BM_FindWords_Regex)->Apply(literalArguments);
BENCHMARK(BM_HasWord_Index)->Apply(queryArguments);
BENCHMARK(BM_HasWord_Regex)->Apply(literalArguments);
BENCHMARK(BM_ContainsWord_Index)->ArgName("length")->Arg(4)->Arg(7)->Arg(10);

// A shipped word list of the program folder, or nothing (and the benchmark skipped) when the
// build has not made it.
std::optional<std::filesystem::path> shippedList(benchmark::State& state, const char* name) {
  const std::filesystem::path file = std::filesystem::path(GW_PROGRAM_DIR) / "Make" / name;
  if (std::filesystem::exists(file)) return file;
  state.SkipWithError((std::string(name) + " is not built").c_str());
  return std::nullopt;
}

// Loads `file` on every iteration; the words it holds are counted.
Dictionary timeLoading(benchmark::State& state, const std::filesystem::path& file, gw::Language language) {
  Dictionary d;
  for (auto _ : state) d.load(file, language);
  state.counters["words"] = static_cast<double>(d.totalWordCount());
  return d;
}

void BM_LoadGerman(benchmark::State& state) {
  const auto file = shippedList(state, "DE.words");
  if (!file) return;
  const Dictionary d = timeLoading(state, *file, gw::Language::German);
  state.counters["memory_MB"] = static_cast<double>(d.memoryUsage()) / (1024.0 * 1024.0);
}
BENCHMARK(BM_LoadGerman)->Unit(benchmark::kMillisecond)->Iterations(5);

// The shipped English list (sorted, as word files usually are): what every first fill pays
// before it searches.
void BM_LoadEnglish(benchmark::State& state) {
  if (const auto file = shippedList(state, "EN.words")) timeLoading(state, *file, gw::Language::English);
}
BENCHMARK(BM_LoadEnglish)->Unit(benchmark::kMillisecond);

// The same words without their score file beside them: what the scores cost at loading.
void BM_LoadEnglishWithoutScores(benchmark::State& state) {
  const auto shipped = shippedList(state, "EN.words");
  if (!shipped) return;
  const std::filesystem::path copy = std::filesystem::temp_directory_path() / "gw_bench_unscored_EN.words";
  std::filesystem::copy_file(*shipped, copy, std::filesystem::copy_options::overwrite_existing);
  timeLoading(state, copy, gw::Language::English);
  std::filesystem::remove(copy);
}
BENCHMARK(BM_LoadEnglishWithoutScores)->Unit(benchmark::kMillisecond);

}  // namespace

// A word list of long words: what the dictionary keeps per byte of the file, and the process's
// peak memory per byte (the file itself, the sort keys and the index while it is built).
// Argument: the word length; words past the longest slot (41) are skipped at reading.
void BM_LoadLongWords(benchmark::State& state) {
  const int length = static_cast<int>(state.range(0));
  const std::filesystem::path file =
      std::filesystem::temp_directory_path() / ("gw_bench_long_" + std::to_string(length) + ".words");
  std::string text;
  std::uint64_t seed = 7;
  const std::size_t target = 40u << 20;
  while (text.size() < target) {
    for (int k = 0; k < length; ++k) {
      seed = seed * 6364136223846793005ull + 1442695040888963407ull;
      text += static_cast<char>('A' + (seed >> 33) % 26);
    }
    text += "\r\n";
  }
  { std::ofstream(file, std::ios::binary) << text; }
  const double fileBytes = static_cast<double>(text.size());
  text = std::string();
  rusage before{};
  ::getrusage(RUSAGE_SELF, &before);
  std::size_t kept = 0;
  for (auto _ : state) {
    Dictionary d;
    d.load(file, gw::Language::English);
    kept = d.memoryUsage();
    benchmark::DoNotOptimize(kept);
  }
  rusage after{};
  ::getrusage(RUSAGE_SELF, &after);
  std::filesystem::remove(file);
  state.counters["file_MB"] = fileBytes / (1024.0 * 1024.0);
  state.counters["kept_per_file_byte"] = static_cast<double>(kept) / fileBytes;
  state.counters["peak_growth_per_file_byte"] =
      static_cast<double>(after.ru_maxrss - before.ru_maxrss) * 1024.0 / fileBytes;
}
BENCHMARK(BM_LoadLongWords)
    ->ArgName("length")
    ->Arg(41)
    ->Arg(80)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
