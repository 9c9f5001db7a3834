#include "authoring/composing/search/first_fill_result.h"

#include <algorithm>
#include <cctype>
#include <limits>
#include <random>

#include "authoring/composing/dictionary/dictionary.h"
#include "common/errors.h"

#include "common/file_io.h"

namespace gw {
namespace fs = std::filesystem;

long highestResultNumber(const fs::path& resultsFolder, const fs::path& patternFile) {
  const std::string stem = withExtension(patternFile.filename(), "").string();
  const std::string suffix = ".C_W";
  long highest = 0;
  std::error_code ec;
  for (fs::directory_iterator it(resultsFolder, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.size() <= stem.size() + suffix.size() || name.compare(0, stem.size(), stem) != 0 ||
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
      continue;
    const std::string digits = name.substr(stem.size(), name.size() - stem.size() - suffix.size());
    if (digits.size() > 10 || digits[0] == '0' ||
        !std::all_of(digits.begin(), digits.end(), [](unsigned char c) { return std::isdigit(c); }))
      continue;
    const long number = std::stol(digits);
    // An empty result is the name of one a power cut cut off: its number is free again.
    if (number > highest && it->file_size(ec) != 0 && !ec) highest = number;
    ec.clear();
  }
  return highest;
}

int nextResultNumber(const fs::path& resultsFolder, const fs::path& patternFile) {
  return static_cast<int>(
      std::min<long>(highestResultNumber(resultsFolder, patternFile) + 1, std::numeric_limits<int>::max()));
}

std::optional<int> writeResultFile(const fs::path& resultsFolder, const fs::path& patternFile, int number,
                                   const CrosswordFile& crossword, bool sameContentIsWritten, FileSync sync) {
  const std::string bytes = serializeCrossword(crossword);
  for (long n = std::max(number, 1); n <= std::numeric_limits<int>::max(); ++n) {
    const fs::path file = resultsFolder / resultFileName(patternFile.string(), static_cast<int>(n));
    if (writeNewFileAtomically(file, bytes, sync)) return static_cast<int>(n);
    std::error_code ec;
    if (fs::is_regular_file(file, ec) && fs::file_size(file, ec) == 0 && !ec) {
      // No crossword file is empty: this one is a result whose content a power cut lost.
      writeFileAtomically(file, bytes);
      return static_cast<int>(n);
    }
    if (sameContentIsWritten) {
      try {
        if (readWholeFile(file, bytes.size()) == bytes) return static_cast<int>(n);
      } catch (const FileError&) {
        // Not a result of these bytes: the next number is tried.
      }
    }
  }
  return std::nullopt;
}

Layout filledLayout(const Layout& layout, const std::vector<Slot>& slots,
                    const std::vector<std::string>& words) {
  Layout filled = layout;
  for (std::size_t i = 0; i < slots.size() && i < words.size(); ++i)
    placeWord(filled.board, slots[i], words[i]);
  return filled;
}

std::uint64_t newFirstFillSeed() {
  std::random_device device;
  return (static_cast<std::uint64_t>(device()) << 32 | device()) % 1000000000;
}

std::optional<ComposeOutcome> firstFillObstacle(const Layout& layout, const std::vector<Slot>& slots,
                                                const Dictionary& dictionary) {
  if (slots.empty()) return ComposeOutcome::NoWords;
  for (const Slot& s : slots)
    if (s.length >= 2 && !dictionary.hasWord(slotQuery(layout.board, s))) return ComposeOutcome::NoSolution;
  return std::nullopt;
}

WrittenFill writeFillAsNextResult(const Layout& layout, const std::vector<Slot>& slots,
                                  const std::vector<std::string>& words, const fs::path& resultsFolder,
                                  const fs::path& patternFile) {
  WrittenFill written;
  written.filled = filledLayout(layout, slots, words);
  const std::optional<int> number =
      writeResultFile(resultsFolder, patternFile, nextResultNumber(resultsFolder, patternFile),
                      resultCrossword(written.filled), false);
  if (!number)
    throw FileError("No result number is left for the layout \"" + patternFile.filename().string() +
                    "\": result " + std::to_string(std::numeric_limits<int>::max()) +
                    " exists. Nothing was written.");
  written.number = *number;
  written.file = resultsFolder / resultFileName(patternFile.string(), written.number);
  return written;
}

}  // namespace gw
