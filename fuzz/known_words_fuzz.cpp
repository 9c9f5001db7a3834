// A word list as the editing page checks answers against it: a language byte (0 English,
// 1 German, 2 Serbian), then any bytes as the word file. Reading never fails, and every line
// read is a known word.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "authoring/definitions/known_words.h"
#include "common/letters.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto input = gw::fuzz::splitLanguageInput(data, size);
  if (!input) return 0;
  const gw::Language language = input->language;
  const std::string_view text = input->bytes;
  const gw::KnownWords words(text, language);
  // The first line, upper-cased, is one of them unless it is empty.
  std::string first(text.substr(0, text.find('\n')));
  if (first.starts_with("\xEF\xBB\xBF")) first.erase(0, 3);
  if (!first.empty() && first.back() == '\r') first.pop_back();
  for (char& c : first) c = gw::upperCaseLetter(c, language);
  if (!first.empty() && !words.contains(first)) std::abort();
  gw::Definition d;
  d.word = first;
  if (gw::answersNotInList({d}, words).size() != 1) std::abort();
  return 0;
}
