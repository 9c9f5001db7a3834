#pragma once
// The words of a language's word file, to tell an author which answers of a crossword are not
// words. Reading the German list (356,000 words) takes a moment: a window does it once per
// language, off its thread.
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "authoring/definitions/definition_table.h"
#include "common/language.h"

namespace gw {

class KnownWords {
 public:
  KnownWords() = default;
  // The words of `bytes` (a word file: one word a line, CR LF or LF, a UTF-8 byte order mark
  // dropped), upper-cased as the language does.
  KnownWords(std::string_view bytes, Language language);
  // Reads a word file; a missing file gives no words. Throws FileError when it cannot be read.
  static KnownWords load(const std::filesystem::path& wordFile, Language language);

  bool empty() const { return words_.empty(); }
  std::size_t size() const { return words_.size(); }
  // Whether the answer (code-page bytes as the board holds them) is one of the words.
  bool contains(const std::string& answer) const { return words_.contains(answer); }

 private:
  std::unordered_set<std::string> words_;
};

// For each definition, whether its answer is not a word of the list. One-letter answers are no
// words to check, and with no list at all nothing is marked.
std::vector<bool> answersNotInList(const std::vector<Definition>& definitions, const KnownWords& words);

}  // namespace gw
