#include "authoring/composing/search/word_bit_sets.h"

#include <algorithm>
#include <bit>

namespace gw {

unsigned char LetterSet::only() const {
  for (int w = 0; w < 4; ++w)
    if (words[static_cast<std::size_t>(w)])
      return static_cast<unsigned char>(w * 64 + std::countr_zero(words[static_cast<std::size_t>(w)]));
  return 0;
}

LengthWordBits::LengthWordBits(const Dictionary& dictionary, int length)
    : length_(length),
      words_(dictionary.wordCount(length)),
      blocks_((words_ + 63) / 64),
      storage_(dictionary.wordsOfLength(length)) {
  letters_.assign(static_cast<std::size_t>(length), LetterSet{});
  if (!storage_) return;
  text_ = storage_->text;
  index_ = &storage_->index;
  for (int p = 0; p < length; ++p)
    for (int letter = 0; letter < 256; ++letter)
      if (index_->set(p, static_cast<unsigned char>(letter)))
        letters_[static_cast<std::size_t>(p)].add(static_cast<unsigned char>(letter));
  if (const std::span<const std::uint8_t> scores = dictionary.scores(length); !scores.empty()) {
    scoreTerms_.reserve(words_);
    std::vector<std::uint64_t> preferred(blocks_, 0);
    bool everyWord = true;
    for (std::size_t id = 0; id < words_; ++id) {
      scoreTerms_.push_back(wordScoreTerm(scores[id]));
      if (scores[id] >= kPreferredWordScore)
        preferred[id / 64] |= std::uint64_t{1} << (id % 64);
      else
        everyWord = false;
    }
    if (!everyWord) preferred_ = std::move(preferred);
  }
}

WordBitSets::WordBitSets(const Dictionary& dictionary, const std::vector<int>& lengths)
    : scored_(dictionary.hasScores()) {
  for (int length : lengths)
    if (length >= 1 && length <= Dictionary::kMaxWordLength && !byLength_[static_cast<std::size_t>(length)])
      byLength_[static_cast<std::size_t>(length)] = std::make_unique<LengthWordBits>(dictionary, length);
}

}  // namespace gw
