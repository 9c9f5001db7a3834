#pragma once
// Bit sets over the words of one length, as the look-ahead of a search needs them: for
// every (position, letter) the set of word ids that hold that letter there, and the words
// themselves back to back for direct reading. Word ids are the dictionary's ids of that
// length, so a set bit names the same word as Dictionary::word(length, id).
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "authoring/composing/dictionary/dictionary.h"

namespace gw {

// A set of byte values: the letters a cell can still take.
struct LetterSet {
  std::array<std::uint64_t, 4> words{};

  static LetterSet of(unsigned char letter) {
    LetterSet s;
    s.add(letter);
    return s;
  }
  void add(unsigned char letter) { words[letter >> 6] |= std::uint64_t{1} << (letter & 63); }
  bool has(unsigned char letter) const { return (words[letter >> 6] >> (letter & 63)) & 1; }
  bool empty() const { return (words[0] | words[1] | words[2] | words[3]) == 0; }
  // Inline, so that the look-ahead's code built for newer processors counts with their popcnt.
  int size() const {
    int n = 0;
    for (std::uint64_t w : words) n += std::popcount(w);
    return n;
  }
  // The single letter of a one-letter set.
  unsigned char only() const;
  LetterSet operator&(const LetterSet& o) const {
    LetterSet s;
    for (std::size_t w = 0; w < 4; ++w) s.words[w] = words[w] & o.words[w];
    return s;
  }
  LetterSet without(const LetterSet& o) const {
    LetterSet s;
    for (std::size_t w = 0; w < 4; ++w) s.words[w] = words[w] & ~o.words[w];
    return s;
  }
  LetterSet& operator|=(const LetterSet& o) {
    for (std::size_t w = 0; w < 4; ++w) words[w] |= o.words[w];
    return *this;
  }
  friend bool operator==(const LetterSet&, const LetterSet&) = default;

  // Calls fn(letter) for every letter in ascending byte order.
  template <typename Fn>
  void forEach(Fn&& fn) const {
    for (int w = 0; w < 4; ++w)
      for (std::uint64_t bits = words[static_cast<std::size_t>(w)]; bits; bits &= bits - 1)
        fn(static_cast<unsigned char>(w * 64 + std::countr_zero(bits)));
  }
};

// A view of the dictionary's words of one length and their index, which it keeps alive, with
// what a search adds: the letters each position has, and the words' score terms.
class LengthWordBits {
 public:
  LengthWordBits(const Dictionary& dictionary, int length);

  int length() const { return length_; }
  std::size_t wordCount() const { return words_; }
  std::size_t blocks() const { return blocks_; }
  // The words holding `letter` at `position`, or nullptr when no word does.
  const std::uint64_t* withLetter(int position, unsigned char letter) const {
    return index_ ? index_->set(position, letter) : nullptr;
  }
  // The blocks outside which the set of withLetter(position, letter) is zero (words are
  // sorted, so a first letter's words lie together).
  using Span = LetterIndex::Span;
  Span spanOf(int position, unsigned char letter) const {
    return index_ ? index_->span(position, letter) : Span{};
  }
  // The letters that some word has at `position`.
  const LetterSet& lettersAt(int position) const { return letters_[static_cast<std::size_t>(position)]; }
  unsigned char letter(std::uint32_t id, int position) const {
    return static_cast<unsigned char>(text_[static_cast<std::size_t>(id) * length_ + position]);
  }
  std::string_view word(std::uint32_t id) const {
    return text_.substr(static_cast<std::size_t>(id) * length_, length_);
  }
  // The words scored at least kPreferredWordScore, or nullptr when every word is.
  const std::uint64_t* preferred() const { return preferred_.empty() ? nullptr : preferred_.data(); }
  // What the word's score adds to a value order (wordScoreTerm); 0 for a list without scores.
  std::int32_t scoreTerm(std::uint32_t id) const {
    return scoreTerms_.empty() ? 0 : scoreTerms_[static_cast<std::size_t>(id)];
  }

 private:
  int length_;
  std::size_t words_;
  std::size_t blocks_;
  std::shared_ptr<const LengthWords> storage_;  // null without words
  std::string_view text_;                       // the words back to back, `length_` bytes each
  const LetterIndex* index_ = nullptr;
  std::vector<LetterSet> letters_;        // per position
  std::vector<std::int32_t> scoreTerms_;  // per word; empty without scores
  std::vector<std::uint64_t> preferred_;  // `blocks_` words; empty when every word is preferred
};

// The bit sets of the lengths a layout needs, built once per search.
class WordBitSets {
 public:
  // Builds the lengths of `lengths` (others stay empty).
  WordBitSets(const Dictionary& dictionary, const std::vector<int>& lengths);
  const LengthWordBits& forLength(int length) const { return *byLength_[static_cast<std::size_t>(length)]; }
  // The list has scores: some word scores other than 50.
  bool scored() const { return scored_; }

 private:
  bool scored_ = false;
  std::array<std::unique_ptr<LengthWordBits>, Dictionary::kMaxWordLength + 1> byLength_;
};

}  // namespace gw
