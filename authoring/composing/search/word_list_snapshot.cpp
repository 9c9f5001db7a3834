#include "authoring/composing/search/word_list_snapshot.h"

#include <algorithm>
#include <numeric>

namespace gw {

namespace {
std::vector<int> lengthsUpTo(int longest) {
  std::vector<int> lengths(static_cast<std::size_t>(longest));
  std::iota(lengths.begin(), lengths.end(), 1);
  return lengths;
}
}  // namespace

WordListSnapshot::WordListSnapshot(const Dictionary& dictionary, int longest)
    : longest_(std::clamp(longest, 1, Dictionary::kMaxSlotLength)),
      bits_(std::make_unique<WordBitSets>(dictionary, lengthsUpTo(longest_))) {
  if (!dictionary.hasScores()) return;
  for (int length = 1; length <= longest_; ++length) {
    const std::size_t count = dictionary.wordCount(length);
    std::vector<std::uint8_t>& scores = scores_[static_cast<std::size_t>(length)];
    scores.reserve(count);
    for (std::size_t id = 0; id < count; ++id)
      scores.push_back(
          static_cast<std::uint8_t>(dictionary.score(length, static_cast<Dictionary::WordId>(id))));
  }
}

int WordListSnapshot::score(int length, std::uint32_t id) const {
  if (length < 1 || length > longest_) return kDefaultWordScore;
  const std::vector<std::uint8_t>& scores = scores_[static_cast<std::size_t>(length)];
  return id < scores.size() ? scores[id] : kDefaultWordScore;
}

}  // namespace gw
