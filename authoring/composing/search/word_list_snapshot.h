#pragma once
// The word list as a computation on another thread reads it: the bit sets of every word
// length a layout can have and each word's score, copied out of the dictionary, so that the
// window may reload or replace the dictionary while the computation runs.
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "authoring/composing/dictionary/dictionary.h"
#include "authoring/composing/search/word_bit_sets.h"

namespace gw {

class WordListSnapshot {
 public:
  // Lengths 1 to `longest` (at most a board side).
  WordListSnapshot(const Dictionary& dictionary, int longest);

  int longest() const { return longest_; }
  const WordBitSets& bits() const { return *bits_; }
  // The score of word `id` of `length` (kDefaultWordScore for a list without scores).
  int score(int length, std::uint32_t id) const;

 private:
  int longest_;
  std::unique_ptr<WordBitSets> bits_;
  std::array<std::vector<std::uint8_t>, Dictionary::kMaxSlotLength + 1> scores_;  // empty: all default
};

}  // namespace gw
