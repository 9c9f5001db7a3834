#pragma once
// What the first-fill search hands on: its fill as a board, and the number under which it
// is written as the layout's next result file (named as the exhaustive search names them).
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "authoring/composing/board.h"
#include "authoring/composing/composer.h"

namespace gw {

// One past the highest number n of a result file "NAMEn.C_W" of the pattern file in the
// folder (1 when there is none), so that no earlier result is overwritten.
int nextResultNumber(const std::filesystem::path& resultsFolder, const std::filesystem::path& patternFile);

// The layout with word i written into slot i.
Layout filledLayout(const Layout& layout, const std::vector<Slot>& slots,
                    const std::vector<std::string>& words);

// A seed for a first fill that nobody asked to repeat: random, below 10^9 so that it is short
// to type back.
std::uint64_t newFirstFillSeed();

// Why no search is worth starting: the layout has no slot (NoWords), or a slot of two or
// more letters that no word of the dictionary fits (NoSolution).
std::optional<ComposeOutcome> firstFillObstacle(const Layout& layout, const std::vector<Slot>& slots,
                                                const Dictionary& dictionary);

// A fill written as the layout's next result file.
struct WrittenFill {
  Layout filled;
  int number = 0;
  std::filesystem::path file;
};

// Writes word i into slot i of the layout and the board as result file nextResultNumber() of
// the pattern file in the results folder. Throws FileError.
WrittenFill writeFillAsNextResult(const Layout& layout, const std::vector<Slot>& slots,
                                  const std::vector<std::string>& words,
                                  const std::filesystem::path& resultsFolder,
                                  const std::filesystem::path& patternFile);

}  // namespace gw
