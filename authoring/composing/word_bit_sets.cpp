#include "authoring/composing/word_bit_sets.h"

#include <algorithm>
#include <bit>

namespace gw {

int LetterSet::size() const {
  return std::popcount(words[0]) + std::popcount(words[1]) + std::popcount(words[2]) +
         std::popcount(words[3]);
}

unsigned char LetterSet::only() const {
  for (int w = 0; w < 4; ++w)
    if (words[static_cast<std::size_t>(w)])
      return static_cast<unsigned char>(w * 64 + std::countr_zero(words[static_cast<std::size_t>(w)]));
  return 0;
}

LetterSet LetterSet::operator&(const LetterSet& o) const {
  LetterSet s;
  for (std::size_t w = 0; w < 4; ++w) s.words[w] = words[w] & o.words[w];
  return s;
}

LetterSet LetterSet::without(const LetterSet& o) const {
  LetterSet s;
  for (std::size_t w = 0; w < 4; ++w) s.words[w] = words[w] & ~o.words[w];
  return s;
}

LetterSet& LetterSet::operator|=(const LetterSet& o) {
  for (std::size_t w = 0; w < 4; ++w) words[w] |= o.words[w];
  return *this;
}

LengthWordBits::LengthWordBits(const Dictionary& dictionary, int length)
    : length_(length), words_(dictionary.wordCount(length)), blocks_((words_ + 63) / 64) {
  text_.reserve(words_ * static_cast<std::size_t>(length));
  for (std::size_t id = 0; id < words_; ++id)
    text_ += dictionary.word(length, static_cast<Dictionary::WordId>(id));
  if (dictionary.hasScores()) {
    scoreTerms_.reserve(words_);
    for (std::size_t id = 0; id < words_; ++id)
      scoreTerms_.push_back(wordScoreTerm(dictionary.score(length, static_cast<Dictionary::WordId>(id))));
    std::vector<std::uint64_t> preferred(blocks_, 0);
    bool everyWord = true;
    for (std::size_t id = 0; id < words_; ++id) {
      if (dictionary.score(length, static_cast<Dictionary::WordId>(id)) >= kPreferredWordScore)
        preferred[id / 64] |= std::uint64_t{1} << (id % 64);
      else
        everyWord = false;
    }
    if (!everyWord) preferred_ = std::move(preferred);
  }
  setOf_.assign(static_cast<std::size_t>(length) * 256, -1);
  letters_.assign(static_cast<std::size_t>(length), LetterSet{});
  std::int32_t sets = 0;
  for (std::size_t id = 0; id < words_; ++id)
    for (int p = 0; p < length; ++p) {
      unsigned char l = letter(static_cast<std::uint32_t>(id), p);
      std::int32_t& set = setOf_[static_cast<std::size_t>(p) * 256 + l];
      if (set < 0) {
        set = sets++;
        letters_[static_cast<std::size_t>(p)].add(l);
      }
    }
  bits_.assign(static_cast<std::size_t>(sets) * blocks_, 0);
  spans_.assign(static_cast<std::size_t>(sets), Span{static_cast<std::uint32_t>(blocks_), 0});
  for (std::size_t id = 0; id < words_; ++id)
    for (int p = 0; p < length; ++p) {
      std::int32_t set =
          setOf_[static_cast<std::size_t>(p) * 256 + letter(static_cast<std::uint32_t>(id), p)];
      bits_[static_cast<std::size_t>(set) * blocks_ + id / 64] |= std::uint64_t{1} << (id % 64);
      Span& span = spans_[static_cast<std::size_t>(set)];
      span.begin = std::min(span.begin, static_cast<std::uint32_t>(id / 64));
      span.end = static_cast<std::uint32_t>(id / 64 + 1);
    }
}

WordBitSets::WordBitSets(const Dictionary& dictionary, const std::vector<int>& lengths) {
  for (int length : lengths)
    if (length >= 1 && length <= Dictionary::kMaxWordLength && !byLength_[static_cast<std::size_t>(length)])
      byLength_[static_cast<std::size_t>(length)] = std::make_unique<LengthWordBits>(dictionary, length);
}

}  // namespace gw
