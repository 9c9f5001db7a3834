#include "authoring/composing/dictionary/dictionary_index.h"

#include <algorithm>
#include <bit>
#include <cassert>

namespace gw {
void LetterIndex::build(std::string_view text, int length) {
  assert(length > 0 && text.size() % static_cast<std::size_t>(length) == 0);
  length_ = length;
  wordCount_ = text.size() / static_cast<std::size_t>(length);
  blocks_ = (wordCount_ + 63) / 64;
  setOf_.assign(static_cast<std::size_t>(length) * 256, kAbsent);
  std::size_t sets = 0;
  auto wordAt = [&](std::size_t id) { return text.substr(id * static_cast<std::size_t>(length), length); };
  for (std::size_t id = 0; id < wordCount_; ++id) {
    const std::string_view w = wordAt(id);
    for (int p = 0; p < length; ++p) {
      auto& number = setOf_[p * 256 + static_cast<unsigned char>(w[p])];
      if (number == kAbsent) number = static_cast<std::uint16_t>(sets++);  // at most 80 * 256
    }
  }
  bits_.assign(sets * blocks_, 0);
  info_.assign(sets, SetInfo{});
  for (std::size_t id = 0; id < wordCount_; ++id) {
    const std::string_view w = wordAt(id);
    const auto block = static_cast<std::uint32_t>(id / 64);
    for (int p = 0; p < length; ++p) {
      std::uint16_t number = setOf_[p * 256 + static_cast<unsigned char>(w[p])];
      bits_[number * blocks_ + block] |= std::uint64_t{1} << (id % 64);
      SetInfo& info = info_[number];
      if (info.population++ == 0) info.firstBlock = block;
      info.endBlock = block + 1;
    }
  }
}

bool LetterIndex::select(std::string_view pattern, int wildcard, Selection& s, std::size_t from) const {
  s.known = 0;
  if (static_cast<int>(pattern.size()) != length_ || wordCount_ == 0) return false;
  s.begin = 0;
  s.end = blocks_;
  std::uint32_t population[80];
  for (int p = static_cast<int>(from); p < length_; ++p) {
    int byte = static_cast<unsigned char>(pattern[p]);
    if (byte == wildcard) continue;
    std::uint16_t number = setOf_[p * 256 + byte];
    if (number == kAbsent) return false;
    const SetInfo& info = info_[number];
    s.begin = std::max<std::size_t>(s.begin, info.firstBlock);
    s.end = std::min<std::size_t>(s.end, info.endBlock);
    // Rarest first: its zero blocks end the AND of a block soonest.
    int i = s.known++;
    while (i > 0 && population[i - 1] > info.population) {
      s.sets[i] = s.sets[i - 1];
      population[i] = population[i - 1];
      --i;
    }
    s.sets[i] = bits_.data() + number * blocks_;
    population[i] = info.population;
  }
  return s.known == 0 || s.begin < s.end;
}

bool LetterIndex::anyIn(const Selection& s) const {
  for (std::size_t b = s.begin; b < s.end; ++b) {
    std::uint64_t block = s.sets[0][b];
    for (int k = 1; block && k < s.known; ++k) block &= s.sets[k][b];
    if (block) return true;
  }
  return false;
}

void LetterIndex::find(std::string_view pattern, char wildcard, std::vector<WordId>& out) const {
  out.clear();
  Selection s;
  if (!select(pattern, static_cast<unsigned char>(wildcard), s)) return;
  if (s.known == 0) {
    out.resize(wordCount_);
    for (std::size_t id = 0; id < wordCount_; ++id) out[id] = static_cast<WordId>(id);
    return;
  }
  for (std::size_t b = s.begin; b < s.end; ++b) {
    std::uint64_t block = s.sets[0][b];
    for (int k = 1; block && k < s.known; ++k) block &= s.sets[k][b];
    while (block) {
      out.push_back(static_cast<WordId>(b * 64 + static_cast<std::size_t>(std::countr_zero(block))));
      block &= block - 1;
    }
  }
}

bool LetterIndex::any(std::string_view pattern, char wildcard, std::size_t firstKnown) const {
  if (static_cast<int>(pattern.size()) != length_ || wordCount_ == 0) return false;
  if (firstKnown >= pattern.size()) return true;
  // A set exists only for a byte that some word has, so one known letter answers by
  // itself; only two or more need the bit sets combined.
  if (setOf_[firstKnown * 256 + static_cast<unsigned char>(pattern[firstKnown])] == kAbsent) return false;
  if (nextKnown(pattern, firstKnown + 1, wildcard) >= pattern.size()) return true;
  Selection s;
  return select(pattern, static_cast<unsigned char>(wildcard), s, firstKnown) && anyIn(s);
}

bool LetterIndex::exact(std::string_view word) const {
  Selection s;
  return select(word, kNoWildcard, s) && (s.known == 1 || anyIn(s));
}

std::size_t LetterIndex::count(std::string_view pattern, char wildcard) const {
  Selection s;
  if (!select(pattern, static_cast<unsigned char>(wildcard), s)) return 0;
  if (s.known == 0) return wordCount_;
  std::size_t n = 0;
  for (std::size_t b = s.begin; b < s.end; ++b) {
    std::uint64_t block = s.sets[0][b];
    for (int k = 1; block && k < s.known; ++k) block &= s.sets[k][b];
    n += static_cast<std::size_t>(std::popcount(block));
  }
  return n;
}

std::size_t LetterIndex::memoryUsage() const {
  return setOf_.capacity() * sizeof(std::uint16_t) + info_.capacity() * sizeof(SetInfo) +
         bits_.capacity() * sizeof(std::uint64_t);
}

}  // namespace gw
