#pragma once
// The query index of one word length: for every (position, byte) that occurs, a bit
// set over the ids of the words holding that byte there. A pattern is answered by
// AND-ing the bit sets of its known letters 64 words at a time, so the result comes
// out in word-id (dictionary) order and "any match" stops at the first nonzero
// block. Each set also knows the span of blocks where it has bits: words are
// sorted, so a known first letter confines the scan to that letter's stretch.
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace gw {

// The position of the first byte at or after `from` that is not `wildcard`, or the
// pattern's size when there is none. Eight bytes are compared at a time: most
// patterns the search asks are open but for a letter or two.
inline std::size_t nextKnown(std::string_view pattern, std::size_t from, char wildcard) {
  if constexpr (std::endian::native == std::endian::little) {
    const std::uint64_t open = 0x0101010101010101ULL * static_cast<unsigned char>(wildcard);
    for (; from + 8 <= pattern.size(); from += 8) {
      std::uint64_t chunk;
      std::memcpy(&chunk, pattern.data() + from, 8);
      if (std::uint64_t differs = chunk ^ open)
        return from + static_cast<std::size_t>(std::countr_zero(differs)) / 8;
    }
  }
  while (from < pattern.size() && pattern[from] == wildcard) ++from;
  return from;
}

class LetterIndex {
 public:
  using WordId = std::uint32_t;

  // Indexes the words of `text`, each exactly `length` bytes (1 to 80), back to back; word i
  // (the bytes from i * length) gets id i.
  void build(std::string_view text, int length);

  // In a pattern, `wildcard` matches any byte and every other byte itself. A
  // pattern of another length than the index's matches nothing.
  void find(std::string_view pattern, char wildcard, std::vector<WordId>& out) const;
  // `firstKnown` is nextKnown(pattern, 0, wildcard) when the caller has it already.
  bool any(std::string_view pattern, char wildcard) const {
    return any(pattern, wildcard, nextKnown(pattern, 0, wildcard));
  }
  bool any(std::string_view pattern, char wildcard, std::size_t firstKnown) const;
  std::size_t count(std::string_view pattern, char wildcard) const;
  // Whether `word` is one of the words, byte for byte (no wildcard).
  bool exact(std::string_view word) const;

  std::size_t memoryUsage() const;  // heap bytes of the index

  // The raw sets, for a search that combines them itself: the words holding `byte` at
  // `position` (blocks() 64-bit blocks, bit i of block b for word 64 b + i), or nullptr when
  // no word does; and the blocks outside which that set is zero.
  std::size_t blocks() const { return blocks_; }
  const std::uint64_t* set(int position, unsigned char byte) const {
    const std::uint16_t number = setOf_[static_cast<std::size_t>(position) * 256 + byte];
    return number == kAbsent ? nullptr : bits_.data() + number * blocks_;
  }
  struct Span {
    std::uint32_t begin = 0, end = 0;
  };
  Span span(int position, unsigned char byte) const {
    const std::uint16_t number = setOf_[static_cast<std::size_t>(position) * 256 + byte];
    return number == kAbsent ? Span{} : Span{info_[number].firstBlock, info_[number].endBlock};
  }

 private:
  static constexpr std::uint16_t kAbsent = 0xFFFF;
  static constexpr int kNoWildcard = 256;  // no byte has this value

  struct SetInfo {
    std::uint32_t population = 0;  // words in the set
    std::uint32_t firstBlock = 0;  // blocks outside [firstBlock, endBlock) are zero
    std::uint32_t endBlock = 0;
  };
  // The bit sets of a pattern's known letters, rarest first, and the span of blocks
  // that all of them can have bits in; known == 0 means every word matches.
  struct Selection {
    const std::uint64_t* sets[80];
    int known = 0;
    std::size_t begin = 0, end = 0;
  };
  // False when nothing can match: a letter that never occurs at its position, a
  // wrong length, no words.
  // Positions before `from` are known to be open.
  bool select(std::string_view pattern, int wildcard, Selection& selection, std::size_t from = 0) const;
  bool anyIn(const Selection& selection) const;  // needs selection.known > 0

  int length_ = 0;
  std::size_t wordCount_ = 0;
  std::size_t blocks_ = 0;            // 64-bit blocks per bit set
  std::vector<std::uint16_t> setOf_;  // [position * 256 + byte] -> set number or kAbsent
  std::vector<SetInfo> info_;         // per set number
  std::vector<std::uint64_t> bits_;   // the bit sets back to back, blocks_ each
};

}  // namespace gw
