#include "authoring/definitions/known_words.h"

#include <system_error>

#include "common/file_io.h"
#include "common/letters.h"

namespace gw {

namespace {
// As the composer takes word files.
constexpr std::uint64_t kMostWordFileBytes = 1ull << 30;
}  // namespace

KnownWords::KnownWords(std::string_view bytes, Language language) {
  if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
  while (!bytes.empty()) {
    const std::size_t end = bytes.find('\n');
    std::string_view line = bytes.substr(0, end);
    bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (line.empty()) continue;
    std::string word(line);
    for (char& c : word) c = upperCaseLetter(c, language);
    words_.insert(std::move(word));
  }
}

KnownWords KnownWords::load(const std::filesystem::path& wordFile, Language language) {
  std::error_code ec;
  if (!std::filesystem::exists(wordFile, ec)) return {};
  return KnownWords(readWholeFile(wordFile, kMostWordFileBytes), language);
}

std::vector<bool> answersNotInList(const std::vector<Definition>& definitions, const KnownWords& words) {
  std::vector<bool> marks(definitions.size(), false);
  if (words.empty()) return marks;
  for (std::size_t i = 0; i < definitions.size(); ++i)
    marks[i] = definitions[i].length() >= 2 && !words.contains(definitions[i].word);
  return marks;
}

}  // namespace gw
