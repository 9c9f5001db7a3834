#pragma once
// The query index of one word length: for every (position, byte) that occurs, a bit
// set over the word ids of the words holding that byte there. A pattern is answered
// by AND-ing the bit sets of its known letters, 64 words at a time, so the result
// comes out in word-id (dictionary) order and "any match" stops at the first
// nonzero block.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace gw {

class LetterIndex {
 public:
  using WordId = std::uint32_t;

  // Indexes `words`, each exactly `length` bytes; word i gets id i.
  void build(const std::vector<std::string>& words, int length);

  // Patterns must be exactly `length` bytes. In a pattern, `wildcard` matches any
  // byte; `exact` queries (containsWord) pass no wildcard at all.
  void find(std::string_view pattern, char wildcard, std::vector<WordId>& out) const;
  bool any(std::string_view pattern, char wildcard) const;
  bool exact(std::string_view word) const;
  std::size_t count(std::string_view pattern, char wildcard) const;

  std::size_t memoryUsage() const;  // heap bytes of the index

 private:
  static constexpr std::uint16_t kAbsent = 0xFFFF;
  // The bit sets of a pattern's known letters, rarest first; `known == 0` means
  // every word matches. select() returns false when nothing can match (a letter
  // that never occurs at its position, a wrong length, no words).
  struct Selection {
    const std::uint64_t* sets[80];
    int known = 0;
  };
  bool select(std::string_view pattern, int wildcard, Selection& selection) const;
  bool anyIn(const Selection& selection) const;  // needs selection.known > 0
  const std::uint64_t* set(std::uint16_t number) const { return bits_.data() + number * blocks_; }

  int length_ = 0;
  std::size_t wordCount_ = 0;
  std::size_t blocks_ = 0;               // 64-bit blocks per bit set
  std::vector<std::uint16_t> setOf_;     // [position * 256 + byte] -> bit set number or kAbsent
  std::vector<std::uint32_t> population_;  // words in each bit set
  std::vector<std::uint64_t> bits_;      // the bit sets back to back
};

}  // namespace gw
