#pragma once
// What the word-list benchmarks share: the German list of the program folder (about 356,000
// words), a scratch folder of the benchmark program's own, an import file of as many new
// words, and the peak memory of the process.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace gw::bench {

inline const std::filesystem::path& germanWordList() {
  static const std::filesystem::path list = std::filesystem::path(GW_PROGRAM_DIR) / "Make/DE.words";
  return list;
}

// False, with the benchmark skipped and the reason given, when DE.words has not been built.
inline bool haveGermanList(benchmark::State& state) {
  if (std::filesystem::exists(germanWordList())) return true;
  state.SkipWithError("DE.words is not built");
  return false;
}

// A folder of this process's own under the temporary folder, with a Make/ in it.
inline const std::filesystem::path& scratchFolder() {
  static const std::filesystem::path dir = [] {
    std::filesystem::path d =
        std::filesystem::temp_directory_path() / ("gw_word_list_bench_" + std::to_string(::getpid()));
    std::filesystem::create_directories(d / "Make");
    return d;
  }();
  return dir;
}

// An import file of one new word per German word: the word with "x" at its end, in small
// letters and in UTF-8, as a downloaded list would be. Written on first use.
inline const std::filesystem::path& germanImportFile() {
  static const std::filesystem::path file = [] {
    std::filesystem::path f = scratchFolder() / "import.txt";
    std::ifstream in(germanWordList(), std::ios::binary);
    std::ofstream out(f, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      for (char& c : line) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
      out << line << "x\n";
    }
    return f;
  }();
  return file;
}

inline double peakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

}  // namespace gw::bench
