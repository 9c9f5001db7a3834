// Word files of any content: loading never fails but for file errors, and the
// index answers every pattern exactly like a word-by-word comparison.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "authoring/composing/dictionary/dictionary.h"
#include "fuzz_input.h"

namespace {

bool matches(std::string_view pattern, std::string_view word) {
  for (std::size_t i = 0; i < pattern.size(); ++i)
    if (pattern[i] != gw::kAnyLetter && pattern[i] != word[i]) return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The loader reads files, so each input goes through one, removed again at once.
  const auto input = gw::fuzz::languageFileInput(data, size, "dictionary_fuzz.words");
  if (!input) return 0;
  const std::string_view bytes = input->bytes;
  gw::Dictionary d;
  d.load(input->file, input->language);
  std::remove(input->file.c_str());

  std::size_t total = 0;
  for (int length = 0; length <= gw::Dictionary::kMaxWordLength + 1; ++length) {
    std::size_t count = d.wordCount(length);
    total += count;
    if (count == 0) continue;
    // Patterns made from each word with every other byte opened, and from the
    // input's own bytes, checked against a plain scan.
    std::vector<std::string> patterns;
    for (gw::Dictionary::WordId id = 0; id < count && id < 8; ++id) {
      std::string p(d.word(length, id));
      for (std::size_t i = id % 2; i < p.size(); i += 2) p[i] = gw::kAnyLetter;
      patterns.push_back(p);
      if (!d.containsWord(d.word(length, id))) std::abort();
    }
    if (bytes.size() >= static_cast<std::size_t>(length)) patterns.emplace_back(bytes.substr(0, length));
    for (const std::string& p : patterns) {
      std::vector<gw::Dictionary::WordId> expected;
      for (gw::Dictionary::WordId id = 0; id < count; ++id)
        if (matches(p, d.word(length, id))) expected.push_back(id);
      if (d.findWords(p) != expected || d.hasWord(p) != !expected.empty() ||
          d.countWords(p) != expected.size())
        std::abort();
    }
  }
  if (total != d.totalWordCount()) std::abort();
  return 0;
}
