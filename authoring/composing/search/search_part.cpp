#include "authoring/composing/search/search_part.h"

#include <numeric>

namespace gw {

std::string SearchPart::tag() const {
  return "-" + std::to_string(index) + "of" + std::to_string(count) + "-";
}

std::filesystem::path searchFileName(const std::filesystem::path& patternFile, const std::string& tag) {
  if (tag.empty()) return patternFile;
  return patternFile.parent_path() / (patternFile.stem().string() + tag + patternFile.extension().string());
}

CandidateRange partRange(const std::vector<std::uint64_t>& weights, SearchPart part) {
  const int count = static_cast<int>(weights.size());
  if (part.whole()) return {0, count};
  const std::uint64_t total = std::accumulate(weights.begin(), weights.end(), std::uint64_t{0});
  // Part k ends before the first candidate whose work so far reaches k / N of the total.
  auto boundary = [&](int k) {
    if (k <= 0) return 0;
    if (k >= part.count) return count;
    const unsigned __int128 goal = static_cast<unsigned __int128>(total) * static_cast<unsigned>(k);
    std::uint64_t sum = 0;
    int i = 0;
    while (i < count && static_cast<unsigned __int128>(sum) * static_cast<unsigned>(part.count) < goal)
      sum += weights[static_cast<std::size_t>(i++)];
    return i;
  };
  return {boundary(part.index - 1), boundary(part.index)};
}

}  // namespace gw
