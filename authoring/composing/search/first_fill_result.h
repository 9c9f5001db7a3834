#pragma once
// What the first-fill search hands on: its fill as a board, and the number under which it
// is written as the layout's next result file (named as the exhaustive search names them).
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "authoring/composing/layout/board.h"
#include "authoring/composing/search/composer.h"
#include "common/file_io.h"

namespace gw {

// The highest number n of a result file "NAMEn.C_W" of the pattern file in the folder (0
// when there is none). A layout whose name ends in a digit may count another's files
// ("us1" sees "us151.C_W" of "us15"): its numbers then only start later. Empty files do not
// count (see writeResultFile).
long highestResultNumber(const std::filesystem::path& resultsFolder,
                         const std::filesystem::path& patternFile);

// One past highestResultNumber(), at most the largest int, so that no earlier result is overwritten.
int nextResultNumber(const std::filesystem::path& resultsFolder, const std::filesystem::path& patternFile);

// Writes `crossword` as result `number` of the pattern file, never over another file: when the
// name is taken, by a result that is still there or by another layout's name that collides
// ("us1" 51 and "us15" 1 are both "us151.C_W"), the next free number is taken. With
// `sameContentIsWritten` a file that holds exactly these bytes counts as written (a search
// resumed after it was killed writes its results again); an empty file is written over (a
// result whose content a power cut lost). Returns the number written, or nothing when no
// number up to the largest int is free. Throws FileError.
std::optional<int> writeResultFile(const std::filesystem::path& resultsFolder,
                                   const std::filesystem::path& patternFile, int number,
                                   const CrosswordFile& crossword, bool sameContentIsWritten,
                                   FileSync sync = FileSync::Now);

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
// the pattern file in the results folder, or the next free number after it. The caller
// holds the layout's lock (layout_lock.h), so that no exhaustive search of the layout is
// writing its results meanwhile. Throws FileError (also when no result number is left).
WrittenFill writeFillAsNextResult(const Layout& layout, const std::vector<Slot>& slots,
                                  const std::vector<std::string>& words,
                                  const std::filesystem::path& resultsFolder,
                                  const std::filesystem::path& patternFile);

}  // namespace gw
