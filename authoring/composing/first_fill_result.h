#pragma once
// What the first-fill search hands on: its fill as a board, and the number under which it
// is written as the layout's next result file (named as the exhaustive search names them).
#include <filesystem>
#include <string>
#include <vector>

#include "authoring/composing/board.h"

namespace gw {

// One past the highest number n of a result file "NAMEn.C_W" of the pattern file in the
// folder (1 when there is none), so that no earlier result is overwritten.
int nextResultNumber(const std::filesystem::path& resultsFolder, const std::filesystem::path& patternFile);

// The layout with word i written into slot i.
Layout filledLayout(const Layout& layout, const std::vector<Slot>& slots,
                    const std::vector<std::string>& words);

}  // namespace gw
